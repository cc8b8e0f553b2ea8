#include "render/sun_cover.h"

struct SunCoverTest::Probe {};

SunCoverTest::SunCoverTest(std::ostream& err) : err(err) {}
SunCoverTest::~SunCoverTest() = default;

bool SunCoverTest::Covered(const SunOnScreen& sun, int /*width*/, int /*height*/) {
    float depth = 0.0f;
    glReadPixels(sun.readPixel.x, sun.readPixel.y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth < sun.depth - kSunCoverTolerance;
}
