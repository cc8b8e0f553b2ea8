#version 330 core
// The firefly: its material colour brightened by the glow strength.
in vec3 vertexColor;
in vec2 texCoord;

uniform sampler2D diffuse0;
uniform int useTexture;
uniform float glowStrength;

out vec4 FragColor;

void main() {
    vec3 albedo = useTexture == 1 ? texture(diffuse0, texCoord).rgb * vertexColor : vertexColor;
    FragColor = vec4(albedo * glowStrength, 1.0);
}
