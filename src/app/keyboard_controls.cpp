#include "app/keyboard_controls.h"

#include "audio/audio_manager.h"
#include "gfx/camera.h"
#include "render/day_night.h"
#include "sequence/sequence_player.h"

KeyboardControls::KeyboardControls(const Clock& clock, std::ostream& log)
    : clock(clock), log(log) {}

void KeyboardControls::Handle(const ShowKeys& keys, ShowTargets targets, double previousFrameTime) {
    current = keys;
    if (current.p && !previous.p) PrintCameraSnapshot(targets.camera);
    if (current.c && !previous.c) ToggleAutomaticCamera(targets);
    if (current.r && !previous.r) {
        targets.dayNight.ToggleRotation(previousFrameTime);
        log << "Sun rotation toggled: " << targets.dayNight.sunRotationEnabled << std::endl;
    }
    if (current.m && !previous.m) {
        targets.audio.SetMuted(!targets.audio.muted);
        log << "Music " << (targets.audio.muted ? "muted" : "unmuted") << std::endl;
    }
    if (current.n && !previous.n) {
        targets.drawSun = !targets.drawSun;
        log << "Sun/Moon swap toggled. Drawing sun? " << targets.drawSun << std::endl;
    }
}

void KeyboardControls::EndFrame() {
    previous = current;
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
    if (targets.autoCamera && sequence.waitingForRestart) {
        log << "Restarting camera sequence from beginning" << std::endl;
        const double now = clock.Now();
        if (sequence.musicStarted) {
            targets.audio.ResumeMusic();
        } else {
            targets.audio.PlayMusic();
        }
        sequence.Start(now);
        targets.dayNight.Restart(clock.Now());
        return;
    }

    log << "Camera switch toggled: " << !targets.autoCamera << std::endl;
    if (!targets.autoCamera && !sequence.musicStarted) {
        targets.audio.PlayMusic();
        log << "Auto camera started - music playing" << std::endl;
        sequence.Start(clock.Now());
        targets.dayNight.Restart(clock.Now());
        targets.autoCamera = true;
    } else if (targets.autoCamera && sequence.musicStarted) {
        targets.audio.StopMusic();
        log << "Auto camera stopped - music stopped" << std::endl;
        sequence.Stop();
        targets.autoCamera = false;
    } else {
        targets.autoCamera = !targets.autoCamera;
    }
}
