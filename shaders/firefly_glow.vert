#version 330 core
// The firefly. Where the emissive map glows (the abdomen), the surface is pushed out along its
// normal by a few pixels' worth at the firefly's distance, so the light keeps a visible size
// however far away the firefly flies; the body keeps its shape.
#include "common/mesh_inputs.glsl"

uniform sampler2D emissive0;   // glow mask and colour

out vec3 vertexColor;
out vec3 worldNormal;
out vec3 toEye;
out vec2 texCoord;

// Radians per pixel at the centre of the picture: the field of view over its rows.
const float PIXEL_ANGLE = 2.0 * tan(radians(FIELD_OF_VIEW) * 0.5) / WINDOW_HEIGHT;
const float GLOW_PIXELS = 4.0;        // how far the glowing surface is pushed, in pixels

void main() {
    vec4 world = model * vec4(aPos, 1.0);
    worldNormal = normalize(mat3(model) * aNormal);   // rotation and uniform scale only
    vec3 emission = textureLod(emissive0, aTex, 0.0).rgb;
    float glowing = max(emission.r, emission.g);
    float distance = length(camPos - world.xyz);
    world.xyz += worldNormal * step(0.5, glowing) * GLOW_PIXELS * PIXEL_ANGLE * distance;
    vertexColor = aColor;
    toEye = camPos - world.xyz;
    texCoord = aTex;
    gl_Position = camMatrix * world;
}
