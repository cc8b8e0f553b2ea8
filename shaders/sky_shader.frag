#version 330 core
// The sky: the shared single-scattering colour seen from the camera. Below the horizon it shows
// the open sea that stretches beyond the sea plane to the horizon, in the same colours as the
// water shader gives the plane's far part, so plane and sky meet without a seam and the horizon
// is a straight line from every height.
in vec3 domePos;

uniform vec3 sunDirection;   // unit vector from the origin to the sun
uniform float sunHeight;     // sine of the sun's elevation
uniform float time;          // seconds; moves the faint night-sky shimmer
uniform vec3 camPos;

out vec4 FragColor;


#include "common/sky_colour.glsl"

#include "common/sea_colour.glsl"

void main() {
    vec3 dir = normalize(domePos - camPos);
    // The sun billboard is SUN_DISTANCE away, so its direction depends on where the camera is.
    vec3 sunDir = normalize(sunDirection * SUN_DISTANCE - camPos);
    // Above the horizon the sky in dir; below it the open sea, which fades into the sky's colour
    // at the horizon in dir's azimuth. One sky colour serves both, and both are worked out
    // for every pixel: the software renderer runs both sides of a branch whatever it decides.
    bool above = dir.y > 0.0;
    vec3 color = skyColor(above ? dir : normalize(vec3(dir.x, 1e-4, dir.z)), sunDir, sunHeight);
    // A slow, faint brightening of the night sky in broad bands (airglow), at most 3 %.
    float night = smoothstep(0.0, -0.3, sunHeight) * smoothstep(0.0, 0.05, dir.y);
    float airglow = 0.5 + 0.5 * sin(dot(dir.xz, vec2(3.1, 2.3)) + 0.05 * time);
    vec3 moonDir = normalize(-sunDirection * SUN_DISTANCE - camPos);
    vec3 sea = distantSea(dir, max(camPos.y - WATER_LEVEL, 0.05), sunDir, moonDir, sunHeight,
                          skyZenith, color);
    color = above ? color * (1.0 + 0.03 * night * airglow) : sea;
    FragColor = vec4(color, 1.0);
}
