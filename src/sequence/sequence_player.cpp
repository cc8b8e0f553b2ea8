#include "sequence/sequence_player.h"

#include <algorithm>

#include "audio/audio_manager.h"
#include "base/stepped_clock.h"
#include "gfx/camera.h"

SequencePlayer::SequencePlayer(const FilmTimeline& timeline, FilmClock& clock, AudioManager& audio,
                               std::ostream& log)
    : timeline(timeline),
      cameraShots(timeline.CameraShots()),
      clock(clock),
      audio(audio),
      log(log) {}

std::int64_t SequencePlayer::FrameCount(const FilmTimeline& timeline, int fps) {
    std::ostream quiet(nullptr);
    AudioManager silent(Console{quiet, quiet});  // never loaded: the music calls do nothing
    Camera camera(1, 1, glm::vec3(0.0f));
    SteppedClock stepped(fps);
    FilmClock filmClock(stepped);
    SequencePlayer sequence(timeline, filmClock, silent, quiet);
    sequence.BeginFirstRun();
    for (;;) {
        sequence.Play(camera, filmClock.Now());
        if (sequence.waitingForRestart) return stepped.Frame() + 1;
        stepped.Advance();
    }
}

void SequencePlayer::Play(Camera& camera, double now) {
    const double sinceFadeStart = now - fadeStartTime;
    if (!sequenceComplete) {
        PlayCurrentShot(camera, now, sinceFadeStart);
    } else if (waitingForRestart) {
        fadeAlpha = 1.0f;
    } else {
        FadeOut(now, sinceFadeStart);
    }
}

void SequencePlayer::PlayCurrentShot(Camera& camera, double now, double sinceFadeStart) {
    fadeAlpha = 0.0f;
    if (fadeInActive && sinceFadeStart < kFadeSeconds)
        fadeAlpha = static_cast<float>(1.0 - FadeProgress(sinceFadeStart));

    const float shotTime = static_cast<float>(now);
    float t = (shotTime - shotStartTime) / cameraShots[shotIndex].duration;
    if (t >= 1.0f) {
        if (shotIndex == static_cast<int>(cameraShots.size()) - 1) {
            // The camera keeps last frame's pose; the fade-out starts on the next frame.
            log << kCompletedLine << std::endl;
            sequenceComplete = true;
            return;
        }
        // One shot per frame at most: a long stall stretches the film, it never skips a shot.
        ++shotIndex;
        shotStartTime = shotTime;
        t = 0.0f;
    } else if (t < 0.0f) {
        t = 0.0f;
    }

    PoseCamera(camera, cameraShots[shotIndex], t);
    sequenceComplete = false;
}

void SequencePlayer::PoseCamera(Camera& camera, const CameraShot& shot, float t) {
    const CameraPose pose = PoseInShot(shot, t);
    camera.position = pose.position;
    camera.orientation = glm::normalize(pose.lookAt - pose.position);
    camera.up = glm::vec3(0.0f, 1.0f, 0.0f);
}

void SequencePlayer::FadeOut(double now, double sinceFadeStart) {
    if (!fadeOutStarted) {
        fadeStartTime = now;
        sinceFadeStart = 0.0;
    }
    fadeAlpha = static_cast<float>(FadeProgress(sinceFadeStart));
    fadeOutStarted = true;
    if (fadeAlpha < 1.0f) return;
    if (musicStarted) {
        audio.PauseMusic();
        log << "Sequence complete - music paused. Press C to restart." << std::endl;
    }
    fadeAlpha = 1.0f;
    waitingForRestart = true;
}

void SequencePlayer::BeginFirstRun() {
    const double now = clock.Now();
    clock.StartRun(now);
    fadeStartTime = now;
    shotStartTime = static_cast<float>(now);
}

void SequencePlayer::Start(double shotStart, double fadeStart) {
    shotStartTime = static_cast<float>(shotStart);
    fadeStartTime = fadeStart;
    clock.StartRun(fadeStart);
    fadeOutStarted = false;
    fadeInActive = true;
    waitingForRestart = false;
    sequenceComplete = false;
    musicStarted = true;
    shotIndex = 0;
    fadeAlpha = 1.0f;
}

void SequencePlayer::Stop() {
    fadeOutStarted = false;
    fadeInActive = false;
    waitingForRestart = false;
    sequenceComplete = false;
    musicStarted = false;
    fadeAlpha = 0.0f;
}

void SequencePlayer::Seek(Camera& camera, double now) {
    const double runStart = clock.RunStart();
    const double position = clock.PositionAt(now);
    const int last = static_cast<int>(cameraShots.size()) - 1;
    const FilmTimeline::ShotAt shot = timeline.ShotAtPosition(position);
    shotIndex = shot.index;
    shotStartTime = static_cast<float>(runStart + shot.start);
    waitingForRestart = false;
    sequenceComplete = fadeOutStarted = position >= LastShotEnd();
    // The fade-in of the run, or the fade-out that began as the last shot ended.
    fadeStartTime = runStart + (sequenceComplete ? LastShotEnd() : 0.0);
    // Fading out, the camera stays where the last shot left it.
    if (sequenceComplete) PoseCamera(camera, cameraShots[last], 1.0f);
    Play(camera, now);
}

double SequencePlayer::FilmPosition() const {
    return std::clamp(clock.Position(), 0.0, timeline.End());
}
