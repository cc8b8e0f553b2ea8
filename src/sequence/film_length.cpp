#include "sequence/film_length.h"

#include <ostream>

#include "app/stepped_clock.h"
#include "audio/audio_manager.h"
#include "gfx/camera.h"
#include "sequence/sequence_player.h"

std::int64_t FilmFrameCount(const std::vector<CameraShot>& cameraShots, int fps) {
    AudioManager silent;          // never loaded: the player's music calls do nothing
    std::ostream quiet(nullptr);  // the player's lines are not wanted here
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
