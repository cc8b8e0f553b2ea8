#include "sequence/film_length.h"

#include <cstdio>
#include <ostream>

#include "app/stepped_clock.h"
#include "audio/audio_manager.h"
#include "gfx/camera.h"
#include "sequence/sequence_player.h"

std::int64_t FilmFrameCount(const std::vector<CameraShot>& cameraShots, int fps) {
    std::ostream quiet(nullptr);                 // the player's lines are not wanted here
    AudioManager silent(Console{quiet, quiet});  // never loaded: the music calls do nothing
    Camera camera(1, 1, glm::vec3(0.0f));
    SequencePlayer sequence(cameraShots, silent, quiet);
    SteppedClock clock(fps);
    sequence.BeginFirstRun(clock.Now());
    for (;;) {
        sequence.Play(camera, clock.Now());
        if (sequence.waitingForRestart) return clock.Frame() + 1;
        clock.Advance();
    }
}

std::string FilmSeconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

std::string FilmEndText(std::int64_t filmFrames, int fps) {
    return "the end of the film (" + FilmSeconds(static_cast<double>(filmFrames) / fps) + " at " +
           std::to_string(fps) + " fps)";
}

std::optional<std::string> FilmStartError(double from, std::int64_t filmFrames, int fps) {
    if (from * fps < static_cast<double>(filmFrames) - 0.5) return std::nullopt;
    return "--from is at or after " + FilmEndText(filmFrames, fps);
}
