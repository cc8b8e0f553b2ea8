#pragma once

#include <glm/glm.hpp>

// The firefly's glow as a small warm light on what is near it: where it is (the translation of
// its model matrix) and how strong (w). It shines only once the sun is down, growing in as the
// dusk deepens, and pulses slowly, as its glow does.
glm::vec4 FireflyLight(const glm::mat4& fireflyModel, float sunHeight, float time);

// The slow pulse of the firefly's glow, between 0.75 and 1.
float FireflyPulse(float time);
