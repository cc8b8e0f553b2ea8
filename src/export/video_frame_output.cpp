#include "export/video_frame_output.h"

#include <chrono>

namespace {

double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

VideoFrameOutput::VideoFrameOutput(const SteppedClock& clock, int fps, FrameRange range,
                                   VideoFileWriter& file, const MusicTrack& music,
                                   ExportProgress& progress)
    : clock(clock),
      fps(fps),
      range(range),
      file(file),
      music(music),
      progress(progress),
      pixels(static_cast<std::size_t>(kWindowWidth) * kWindowHeight * 3) {}

bool VideoFrameOutput::WantsPicture() const {
    return clock.Frame() >= range.first && clock.Frame() < range.end;
}

void VideoFrameOutput::Present() {
    if (!WantsPicture()) return;
    if (startTime < 0.0) startTime = WallSeconds();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    file.WriteFrame(pixels.data(), kWindowWidth, kWindowHeight);

    const std::int64_t frame = clock.Frame();
    const std::int64_t soundBegin = SoundSampleAt(frame);
    const std::int64_t soundEnd = SoundSampleAt(frame + 1);
    file.WriteSound(music.Samples(soundBegin, soundEnd).data(), soundEnd - soundBegin);

    progress.Report(ExportStatus{frame + 1 - range.first, range.end - range.first, clock.Now(),
                                 WallSeconds() - startTime});
}

// The first sample of the music that sounds during `frame` (the music starts with frame 0).
std::int64_t VideoFrameOutput::SoundSampleAt(std::int64_t frame) const {
    return frame * music.SampleRate() / fps;
}
