#include "render/frame_sky.h"

#include <cmath>

#include "render/scene_layout.h"

namespace {

// The sky's constants and functions of shaders/common/sky_colour.glsl, for the two directions
// that are the same all over a frame (a GL test holds the two to within a colour level).
const glm::vec3 kRayleighDepth(0.040f, 0.105f, 0.270f);
const float kMieDepth = 0.006f;
const float kMieG = 0.93f;
const float kMiePeak = 8.0f;
const glm::vec3 kOzoneDepth(0.020f, 0.055f, 0.004f);
const float kSunPower = 2.9f;
const glm::vec3 kNightHorizon(0.050f, 0.075f, 0.140f);
const glm::vec3 kNightZenith(0.008f, 0.016f, 0.050f);

// GLSL's smoothstep, also for a falling edge (edge0 > edge1).
float SmoothStep(float edge0, float edge1, float x) {
    const float t = glm::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

glm::vec3 SunTransmittance(float sunHeight, float pathScale) {
    const float airMass = 1.0f / (std::max(sunHeight, 0.0f) + 0.08f);
    return glm::exp(-((kRayleighDepth + kMieDepth) * pathScale + kOzoneDepth) * airMass);
}

struct SkyColumn {
    glm::vec3 scattered;
    glm::vec3 night;
};

SkyColumn SkyColumnAt(float up, float sunHeight) {
    const float viewMass = 1.0f / (up + 0.03f);
    const glm::vec3 depth = kRayleighDepth + kMieDepth;
    const glm::vec3 sunlight = SunTransmittance(sunHeight, 1.0f - 0.75f * std::sqrt(up));
    float daylight = SmoothStep(-0.22f, 0.06f, sunHeight);
    daylight *= daylight;
    return {
        kSunPower * daylight * sunlight * (1.0f - glm::exp(-depth * viewMass)) / depth,
        glm::mix(kNightHorizon, kNightZenith, std::sqrt(up)) * SmoothStep(0.1f, -0.2f, sunHeight)};
}

glm::vec3 SkyColourIn(const SkyColumn& column, float mu) {
    const float phaseR = 0.75f * (1.0f + mu * mu);
    const float lobe = 1.0f + kMieG * kMieG - 2.0f * kMieG * mu;
    float phaseM = (1.0f - kMieG * kMieG) / (lobe * std::sqrt(lobe));
    phaseM /= 1.0f + phaseM / kMiePeak;
    return 1.0f - glm::exp(-(column.scattered * (kRayleighDepth * phaseR + kMieDepth * phaseM) +
                             column.night));
}

// std140 keeps each vec3 of the block in a slot of four floats.
const GLsizeiptr kBlockFloats = 12;

}  // namespace

FrameSkyColours FrameSkyColoursFor(const glm::vec3& sunPos) {
    const float sunHeight = sunPos.y / scene_layout::kSunDistance;
    const SkyColumn horizon = SkyColumnAt(0.0f, sunHeight);
    return {SkyColourIn(SkyColumnAt(1.0f, sunHeight), glm::normalize(sunPos).y), horizon.scattered,
            horizon.night};
}

FrameSkyLight::FrameSkyLight() {
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_UNIFORM_BUFFER, buffer);
    glBufferData(GL_UNIFORM_BUFFER, kBlockFloats * sizeof(float), nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
    glBindBufferBase(GL_UNIFORM_BUFFER, kBlockBinding, buffer);
}

void FrameSkyLight::Connect(const std::vector<Shader*>& programs) const {
    for (Shader* shader : programs) {
        const GLuint block = glGetUniformBlockIndex(shader->ID, "FrameSky");
        if (block != GL_INVALID_INDEX) glUniformBlockBinding(shader->ID, block, kBlockBinding);
    }
}

void FrameSkyLight::Update(const glm::vec3& sunPos) const {
    const FrameSkyColours colours = FrameSkyColoursFor(sunPos);
    const float block[kBlockFloats] = {
        colours.zenith.r,           colours.zenith.g,           colours.zenith.b,           0.0f,
        colours.horizonScattered.r, colours.horizonScattered.g, colours.horizonScattered.b, 0.0f,
        colours.horizonNight.r,     colours.horizonNight.g,     colours.horizonNight.b,     0.0f};
    glBindBuffer(GL_UNIFORM_BUFFER, buffer);
    glBufferSubData(GL_UNIFORM_BUFFER, 0, sizeof(block), block);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
}
