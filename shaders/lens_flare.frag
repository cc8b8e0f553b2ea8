#version 330 core
// A soft round element in the flare's colour.
in vec2 texCoord;

uniform vec3 flareColor;
uniform float flareIntensity;
uniform int flareType;

out vec4 FragColor;

void main() {
    float r = length(texCoord - vec2(0.5)) * 2.0;
    float shape = clamp(1.0 - r, 0.0, 1.0);
    FragColor = vec4(flareColor * shape * flareIntensity, 1.0);
}
