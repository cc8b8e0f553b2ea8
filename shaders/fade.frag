#version 330 core
// The fade to and from black: black over the whole frame with the fade's opacity.
uniform float fadeAlpha;

out vec4 FragColor;

void main() {
    FragColor = vec4(0.0, 0.0, 0.0, fadeAlpha);
}
