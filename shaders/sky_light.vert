#version 330 core
// The sky's colours that are the same all over a frame, worked out once a frame by drawing one
// point; its outputs are captured into the buffer behind the block of common/frame_sky.glsl,
// each padded to the block's four-float slot.
uniform vec3 lightPos;   // the sun, SUN_DISTANCE from the origin

out vec4 zenithColour;
out vec4 horizonScatteredLight;
out vec4 horizonNightGlow;

#include "common/sky_colour.glsl"

void main() {
    float sunHeight = lightPos.y / SUN_DISTANCE;
    zenithColour = vec4(skyColor(vec3(0.0, 1.0, 0.0), normalize(lightPos), sunHeight), 1.0);
    SkyColumn horizon = skyColumn(0.0, sunHeight);
    horizonScatteredLight = vec4(horizon.scattered, 1.0);
    horizonNightGlow = vec4(horizon.night, 1.0);
    gl_Position = vec4(0.0, 0.0, 0.0, 1.0);
}
