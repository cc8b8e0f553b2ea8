#version 330 core
// A vertical gradient that brightens with the sun's height.
in vec3 skyDirection;

uniform vec3 sunDirection;
uniform float sunHeight;
uniform float time;

out vec4 FragColor;

void main() {
    float up = clamp(normalize(skyDirection).y, 0.0, 1.0);
    float day = clamp(sunHeight * 2.0 + 0.5, 0.0, 1.0);
    vec3 zenith = mix(vec3(0.01, 0.02, 0.06), vec3(0.15, 0.35, 0.75), day);
    vec3 horizon = mix(vec3(0.03, 0.05, 0.10), vec3(0.65, 0.78, 0.92), day);
    FragColor = vec4(mix(horizon, zenith, up), 1.0);
}
