#pragma once

#include <memory>
#include <ostream>

#include "gfx/gl.h"
#include "render/lens_flare.h"

// Whether something already drawn into the bound framebuffer stands in front of the sun's centre.
// The native test reads the depth buffer back under the sun. WebGL2 cannot read depth: there an
// occlusion query of one point at the sun's depth answers, a frame late; a probe that cannot be
// built says so on `err`.
class SunCoverTest {
  public:
    explicit SunCoverTest(std::ostream& err);
    ~SunCoverTest();
    SunCoverTest(const SunCoverTest&) = delete;
    SunCoverTest& operator=(const SunCoverTest&) = delete;

    // The browser's test draws its probe with a state of its own (pass_states::kSunCoverProbe):
    // whatever draws next applies its own state.
    bool Covered(const SunOnScreen& sun, int width, int height);

  private:
    [[maybe_unused]] std::ostream& err;  // the native test has nothing to report
    struct Probe;                        // what the platform's test keeps between frames
    std::unique_ptr<Probe> probe;
};

// How much nearer than the sun a stored depth must be to hide it.
constexpr float kSunCoverTolerance = 0.0001f;
