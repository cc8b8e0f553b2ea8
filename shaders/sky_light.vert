#version 330 core
// The sky's colours that are the same all over a frame, worked out once a frame by drawing one
// point; its outputs are captured into the buffer behind the block of common/frame_sky.glsl.
uniform vec3 lightPos;   // the sun, SUN_DISTANCE from the origin

out vec4 zenithColour;   // the block's skyZenith, padded to its four-float slot

#include "common/sky_colour.glsl"

void main() {
    float sunHeight = lightPos.y / SUN_DISTANCE;
    zenithColour = vec4(skyColor(vec3(0.0, 1.0, 0.0), normalize(lightPos), sunHeight), 1.0);
    gl_Position = vec4(0.0, 0.0, 0.0, 1.0);
}
