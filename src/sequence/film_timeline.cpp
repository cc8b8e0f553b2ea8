#include "sequence/film_timeline.h"

#include <algorithm>
#include <cmath>

#include "sequence/smooth01.h"

FilmTimeline::FilmTimeline(std::vector<CameraShot> cameraShots, std::vector<PathShot> fireflyPath)
    : cameraShots(std::move(cameraShots)), fireflyPath(std::move(fireflyPath)) {
    for (const CameraShot& shot : this->cameraShots) {
        shotStarts.push_back(lastShotEnd);
        lastShotEnd += shot.duration;
    }
}

FilmTimeline::ShotAt FilmTimeline::ShotAtPosition(double position) const {
    const int last = static_cast<int>(cameraShots.size()) - 1;
    int index = 0;
    while (index < last && position >= shotStarts[index + 1]) ++index;
    return {index, shotStarts[index]};
}

std::vector<float> FilmTimeline::ShotMiddles() const {
    std::vector<float> middles;
    for (size_t i = 0; i < cameraShots.size(); ++i)
        middles.push_back(static_cast<float>(shotStarts[i]) + 0.5f * cameraShots[i].duration);
    return middles;
}

CameraPose FilmTimeline::NominalCameraPose(float position) const {
    if (cameraShots.empty()) return {glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f)};
    const ShotAt at = ShotAtPosition(position);
    const CameraShot& shot = cameraShots[at.index];
    const float t =
        std::clamp((position - static_cast<float>(at.start)) / shot.duration, 0.0f, 1.0f);
    const float s = smooth01(t);
    return {shot.startPos * (1.0f - s) + shot.endPos * s,
            shot.startLookAt * (1.0f - s) + shot.endLookAt * s};
}

FilmTimeline::ShotAt FilmTimeline::FireflyLegAt(double position) const {
    const double round = FireflyRoundLength();
    double start = round > 0.0 ? std::floor(position / round) * round : 0.0;
    int index = 0;
    while (index + 1 < static_cast<int>(fireflyPath.size()) &&
           position >= start + fireflyPath[index].duration)
        start += fireflyPath[index++].duration;
    return {index, start};
}

double FilmTimeline::FireflyRoundLength() const {
    double length = 0.0;
    for (const PathShot& leg : fireflyPath) length += leg.duration;
    return length;
}

namespace {

// The first frame after `after` whose time, read as the frame loop reads it, has `done` true.
template <typename Done>
std::int64_t FirstFrameWhere(std::int64_t after, double estimate, int fps, Done done) {
    auto time = [fps](std::int64_t frame) { return static_cast<double>(frame) / fps; };
    std::int64_t frame = std::max(after + 1, static_cast<std::int64_t>(estimate * fps) - 2);
    while (frame - 1 > after && done(time(frame - 1))) --frame;
    while (!done(time(frame))) ++frame;
    return frame;
}

}  // namespace

std::int64_t FilmTimeline::FrameCount(int fps) const {
    // Each shot starts, at its frame's time, on the frame at which the one before it is found to
    // have ended; the last shot's end is found one frame before the fade-out starts.
    std::int64_t frame = 0;
    float shotStart = 0.0f;
    for (const CameraShot& shot : cameraShots) {
        const float start = shotStart;
        frame = FirstFrameWhere(frame, start + shot.duration, fps, [&](double now) {
            return (static_cast<float>(now) - start) / shot.duration >= 1.0f;
        });
        shotStart = static_cast<float>(static_cast<double>(frame) / fps);
    }
    const std::int64_t fadeStartFrame = frame + 1;
    const double fadeStart = static_cast<double>(fadeStartFrame) / fps;
    const std::int64_t black = FirstFrameWhere(
        fadeStartFrame, fadeStart + kFadeSeconds, fps,
        [&](double now) { return static_cast<float>(0.5 * (now - fadeStart)) >= 1.0f; });
    return black + 1;
}

float SunAngleAt(float position) {
    return static_cast<float>(kSunStartAngle + kSunRate * position);
}
