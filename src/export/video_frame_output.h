#pragma once

#include <cstdint>

#include "base/stepped_clock.h"
#include "export/export_progress.h"
#include "export/music_track.h"
#include "export/video_file_writer.h"
#include "render/frame_output.h"
#include "render/render_target.h"

// The frames of film seconds [first / fps, end / fps) in a video file.
struct FrameRange {
    std::int64_t first;
    std::int64_t end;
};

// Sends the frame loop's frames of the range to the video file, each with the music that plays
// during it, and reports the progress. The frames are drawn into an offscreen picture of the
// video's size; frames before the range are run but not drawn. Needs the GL context.
class VideoFrameOutput final : public FrameOutput {
  public:
    VideoFrameOutput(const SteppedClock& clock, int fps, FrameRange range, VideoFileWriter& file,
                     const MusicTrack& music, ExportProgress& progress);

    ~VideoFrameOutput() override;
    VideoFrameOutput(const VideoFrameOutput&) = delete;
    VideoFrameOutput& operator=(const VideoFrameOutput&) = delete;

    bool WantsPicture() const override;
    std::optional<FrameTarget> Target() const override { return picture.Target(); }
    void Present() override;

  private:
    std::int64_t SoundSampleAt(std::int64_t frame) const;

    const SteppedClock& clock;
    int fps;
    FrameRange range;
    VideoFileWriter& file;
    const MusicTrack& music;
    ExportProgress& progress;
    OffscreenTarget picture;
    double startTime = -1.0;  // wall clock at the first frame of the range
};
