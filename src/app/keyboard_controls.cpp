#include "app/keyboard_controls.h"

#include "app/film_transport.h"
#include "audio/audio_manager.h"
#include "gfx/camera.h"
#include "render/day_night.h"
#include "sequence/sequence_player.h"

namespace {

constexpr double kSeekStep = 5.0;       // seconds an arrow moves the film
constexpr double kLongSeekStep = 30.0;  // with shift

// The clock readings a run of the film starts from, taken in this order.
struct RunStart {
    double shot;
    double fade;
    double day;
};

RunStart ReadRunStart(const Clock& clock) {
    const double shot = clock.Now();
    const double fade = clock.Now();
    return {shot, fade, clock.Now()};
}

// The film from its first shot with a fade-in, and the day from its start angle.
void StartRun(ShowTargets& targets, const RunStart& start) {
    targets.sequence.Start(start.shot, start.fade);
    targets.dayNight.Restart(start.day);
    targets.autoCamera = true;
}

}  // namespace

KeyboardControls::KeyboardControls(const Clock& clock, std::ostream& log)
    : clock(clock), log(log) {}

void KeyboardControls::Handle(const ShowKeys& keys, const ShowKeys& held, ShowTargets targets,
                              double previousFrameTime) {
    current = keys;
    heldNow = held;
    if (current.p && !previous.p) PrintCameraSnapshot(targets.camera);
    if (current.c && !previous.c) {
        ToggleAutomaticCamera(targets);
        // A paused film goes on once C has stopped, started or restarted it.
        targets.transport.Release();
    }
    if (current.r && !previous.r) {
        targets.dayNight.ToggleRotation(previousFrameTime);
        log << "Sun rotation toggled: " << targets.dayNight.sunRotationEnabled << std::endl;
    }
    if (current.m && !previous.m) {
        targets.transport.ToggleMute();
        log << "Music " << (targets.audio.muted ? "muted" : "unmuted") << std::endl;
    }
    if (current.n && !previous.n) {
        targets.drawSun = !targets.drawSun;
        log << "Sun/Moon swap toggled. Drawing sun? " << targets.drawSun << std::endl;
    }
    // In free flight Space flies up and the arrows do nothing.
    if (targets.autoCamera) MoveThroughFilm(targets.transport);
}

void KeyboardControls::MoveThroughFilm(FilmTransport& transport) {
    if (current.space && !previous.space) transport.TogglePause();
    const double step = current.shift ? kLongSeekStep : kSeekStep;
    if (current.left && !previous.left) transport.SeekBy(-step);
    if (current.right && !previous.right) transport.SeekBy(step);
    if (current.seekTo) transport.SeekTo(*current.seekTo);
}

void KeyboardControls::EndFrame() {
    previous = heldNow;
}

// A pose in the terms of a camera shot: a position and a point to look at.
void KeyboardControls::PrintCameraSnapshot(const Camera& camera) {
    const glm::vec3& pos = camera.position;
    const glm::vec3& dir = camera.orientation;
    const glm::vec3 look = pos + 100.0f * dir;
    log << "---- CAMERA SNAPSHOT ----\n"
        << "Position: (" << pos.x << ", " << pos.y << ", " << pos.z << ")\n"
        << "Direction: (" << dir.x << ", " << dir.y << ", " << dir.z << ")\n"
        << "LookAt: " << look.x << ", " << look.y << ", " << look.z << "\n"
        << "-------------------------" << std::endl;
}

void KeyboardControls::ToggleAutomaticCamera(ShowTargets& targets) {
    SequencePlayer& sequence = targets.sequence;
    AudioManager& audio = targets.audio;
    if (targets.autoCamera && sequence.waitingForRestart) {
        log << "Restarting camera sequence from beginning" << std::endl;
        if (sequence.musicStarted) {
            // From the beginning, where the film starts again, not from where its end paused
            // it; a pause's hold on it is let go here, so that the film starts once it sounds.
            audio.SeekMusic(0.0);
            audio.ResumeMusic();
            audio.ReleaseMusic();
        } else {
            audio.PlayMusic();
        }
        StartRun(targets, ReadRunStart(clock));
        return;
    }

    log << "Camera switch toggled: " << !targets.autoCamera << std::endl;
    if (!targets.autoCamera && !sequence.musicStarted) {
        audio.PlayMusic();
        // Muted, the film starts silent and its music begins with the unmute; the line is the
        // same either way.
        log << "Auto camera started - music playing" << std::endl;
        StartRun(targets, ReadRunStart(clock));
    } else if (targets.autoCamera && sequence.musicStarted) {
        audio.StopMusic();
        log << "Auto camera stopped - music stopped" << std::endl;
        sequence.Stop();
        targets.autoCamera = false;
    } else {
        targets.autoCamera = !targets.autoCamera;
    }
}
