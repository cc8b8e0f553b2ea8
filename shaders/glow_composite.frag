#version 330 core
// Adds a blurred glow image over the scene image.
in vec2 texCoord;

uniform sampler2D scene;
uniform sampler2D glow;
uniform float glowIntensity;

out vec4 FragColor;

void main() {
    FragColor = vec4(texture(scene, texCoord).rgb + texture(glow, texCoord).rgb * glowIntensity, 1.0);
}
