#include "render/firefly_light.h"

#include <algorithm>
#include <cmath>

float FireflyPulse(float time) {
    // Two slow beats a little out of step, so the pulse never looks mechanical.
    const float beat = 0.6f * std::sin(2.3f * time) + 0.4f * std::sin(3.7f * time + 1.3f);
    return 0.875f + 0.125f * beat;
}

glm::vec4 FireflyLight(const glm::mat4& fireflyModel, float sunHeight, float time) {
    // Off by day; full once the sun is 0.2 below the horizon (about 12 degrees).
    const float dusk = std::clamp(-sunHeight / 0.2f, 0.0f, 1.0f);
    const float strength = dusk * dusk * (3.0f - 2.0f * dusk);
    return glm::vec4(glm::vec3(fireflyModel[3]), strength * FireflyPulse(time));
}
