#pragma once

#include <cstdint>
#include <ostream>
#include <string>

// Where an export stands after a frame.
struct ExportStatus {
    std::int64_t framesDone;
    std::int64_t framesTotal;
    double filmTime;        // film seconds of the last frame written
    double elapsedSeconds;  // wall-clock time since the first frame was started
};

// " 42%  1260/3000 frames  film 61.00 s  4.8 fps  1:23 left", as encoders show it.
std::string ProgressLine(const ExportStatus& status);
// "1:23" or "1:02:03".
std::string ClockDuration(double seconds);

// Keeps the user informed while an export runs: on a terminal one line that is rewritten in
// place a few times a second, elsewhere (a log, a pipe) a plain line every five percent.
class ExportProgress {
  public:
    ExportProgress(std::ostream& out, bool terminal);

    void Report(const ExportStatus& status);
    // Ends the updating line, so that what follows starts on a line of its own.
    void Close();

  private:
    std::ostream& out;
    bool terminal;
    bool lineOpen = false;
    double lastShown = -1.0;  // elapsed time of the last rewrite on a terminal
    int lastStep = -1;        // five-percent steps already printed elsewhere
};
