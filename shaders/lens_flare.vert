#version 330 core
// A lens-flare element: the ±0.1 quad scaled by "model", placed at flareScreenPos in normalised
// device coordinates, squeezed horizontally so it stays round on the 16:9 screen, and put on the
// near plane so no scene depth hides it.
layout(location = 0) in vec3 aPos;
layout(location = 3) in vec2 aTex;

uniform mat4 model;
uniform vec2 flareScreenPos;

out vec2 quadCoord;   // -1..1 across the element

const float ASPECT = WINDOW_WIDTH / WINDOW_HEIGHT;
const float NEAR_PLANE_Z = -0.9999;   // just inside the near plane of clip space

void main() {
    quadCoord = aTex * 2.0 - 1.0;
    vec2 offset = (model * vec4(aPos, 1.0)).xy;
    gl_Position = vec4(flareScreenPos + offset * vec2(1.0 / ASPECT, 1.0), NEAR_PLANE_Z, 1.0);
}
