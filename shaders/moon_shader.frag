#version 330 core
// The moon texture with its own transparency.
in vec2 texCoord;

uniform sampler2D diffuse0;
uniform vec4 lightColor;

out vec4 FragColor;

void main() {
    FragColor = texture(diffuse0, texCoord) * lightColor;
}
