#include "export/export_progress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kTerminalInterval = 0.25;  // seconds between rewrites of the line
constexpr int kPercentStep = 5;

int Percent(const ExportStatus& status) {
    return static_cast<int>(100 * status.framesDone / status.framesTotal);
}

}  // namespace

std::string ClockDuration(double seconds) {
    const long whole = std::lround(std::max(0.0, seconds));
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    }
    return text;
}

std::string ProgressLine(const ExportStatus& status) {
    const double rate =
        status.elapsedSeconds > 0.0 ? status.framesDone / status.elapsedSeconds : 0.0;
    const std::string left =
        rate > 0.0 ? ClockDuration((status.framesTotal - status.framesDone) / rate) : "-:--";
    char text[160];
    std::snprintf(text, sizeof text, "%3d%%  %lld/%lld frames  film %.2f s  %.1f fps  %s left",
                  Percent(status), static_cast<long long>(status.framesDone),
                  static_cast<long long>(status.framesTotal), status.filmTime, rate, left.c_str());
    return text;
}

ExportProgress::ExportProgress(std::ostream& out, bool terminal) : out(out), terminal(terminal) {}

void ExportProgress::Report(const ExportStatus& status) {
    const bool last = status.framesDone == status.framesTotal;
    if (terminal) {
        if (!last && status.elapsedSeconds - lastShown < kTerminalInterval) return;
        lastShown = status.elapsedSeconds;
        // Back to the start of the line, and clear what a longer line left behind.
        out << '\r' << ProgressLine(status) << "\x1b[K" << std::flush;
        lineOpen = true;
        return;
    }
    const int step = Percent(status) / kPercentStep;
    if (step == lastStep) return;
    lastStep = step;
    out << ProgressLine(status) << std::endl;
}

void ExportProgress::Close() {
    if (lineOpen) out << std::endl;
    lineOpen = false;
}
