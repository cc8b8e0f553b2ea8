#version 330 core
// The sea plane (y = 0 in the file, raised to the water level by "model"): world-space
// position for the fragment stage, which makes the waves, and per vertex the sky colour that
// changes slowly across the sea: the horizon behind the point (the haze it fades into).
layout(location = 0) in vec3 aPos;

uniform mat4 model;
uniform mat4 camMatrix;
uniform vec3 camPos;
uniform vec3 lightPos;   // the sun, SUN_DISTANCE from the origin

out vec3 worldPos;
out vec3 fogColor;


#include "common/sky_colour.glsl"

#include "common/horizon_colour.glsl"

void main() {
    vec4 world = model * vec4(aPos, 1.0);
    worldPos = world.xyz;
    vec3 view = world.xyz - camPos;
    fogColor = horizonColor(view);
    gl_Position = camMatrix * world;
}
