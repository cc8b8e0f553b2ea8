#pragma once

#include <array>
#include <glm/glm.hpp>
#include <optional>

// One element of the flare chain: `offset` 0 sits on the sun, 1 on the screen centre, beyond 1
// on the far side.
struct FlareElement {
    float offset;
    glm::vec3 color;
    float intensity;
    float size;
    int type;  // the element's shape in the shader
};

const std::array<FlareElement, 10>& FlareElements();

// Where the sun is on screen and whether a flare is possible before looking at the depth buffer:
// nothing when the sun is behind the camera or well outside the picture.
struct SunOnScreen {
    glm::vec2 ndc;
    float depth;           // window depth of the sun, 0..1
    glm::ivec2 readPixel;  // where to read the depth buffer, clamped to the window
};
std::optional<SunOnScreen> ProjectSun(const glm::mat4& cameraMatrix, const glm::vec3& sunPos,
                                      int width, int height);

// Strength of the whole flare: fades towards the screen edge, dims near the centre and grows
// as the sun rises. 0 when no flare is drawn.
float FlareVisibility(const glm::vec2& ndc, float sunHeight);

// The element's screen position on the line from the sun through the centre.
glm::vec2 FlareScreenPosition(const glm::vec2& sunNdc, float offset);
