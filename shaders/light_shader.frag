#version 330 core
// A plain emitter in the light's colour.
uniform vec4 lightColor;

out vec4 FragColor;

void main() {
    FragColor = lightColor;
}
