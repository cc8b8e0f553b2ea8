#version 330 core
// The sky dome, a sphere of radius 500 around the origin; the fragment stage colours it by
// the direction in which the camera sees each point. The colour overhead is worked out here,
// once per vertex instead of once per pixel.
layout(location = 0) in vec3 aPos;

uniform mat4 camMatrix;
uniform vec3 sunDirection;   // unit vector from the origin to the sun
uniform float sunHeight;     // sine of the sun's elevation

out vec3 domePos;
flat out vec3 zenith;            // the sky's colour overhead, the same for every vertex

#include "common/sky_colour.glsl"

void main() {
    domePos = aPos;
    zenith = skyColor(vec3(0.0, 1.0, 0.0), sunDirection, sunHeight);
    gl_Position = camMatrix * vec4(aPos, 1.0);
}
