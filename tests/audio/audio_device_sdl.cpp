// The test programs' audio device on Linux: SDL's dummy driver, set for the whole program.
#include <SDL.h>

#include <cstdlib>

#include "audio_test_support.h"

namespace {

class DummyAudioDriver : public testing::Environment {
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
};

const testing::Environment* const dummyAudioDriver =
    testing::AddGlobalTestEnvironment(new DummyAudioDriver);

}  // namespace

const bool kDeviceResumesAnUnstartedTrack = true;

bool AudioDeviceHeld() {
    return SDL_WasInit(SDL_INIT_AUDIO) != 0;
}
