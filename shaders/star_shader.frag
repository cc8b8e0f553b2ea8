#version 330 core
// White points, visible as the night deepens.
uniform float nightFactor;
uniform float time;

out vec4 FragColor;

void main() {
    FragColor = vec4(vec3(1.0), nightFactor);
}
