#version 330 core
// Diffuse lighting from the sun position with a little ambient.
in vec3 worldPos;
in vec3 vertexColor;
in vec3 worldNormal;
in vec2 texCoord;

uniform sampler2D diffuse0;
uniform int useTexture;
uniform vec4 lightColor;
uniform vec3 lightPos;

out vec4 FragColor;

void main() {
    vec3 albedo = useTexture == 1 ? texture(diffuse0, texCoord).rgb * vertexColor : vertexColor;
    vec3 toLight = normalize(lightPos - worldPos);
    float diffuse = max(dot(normalize(worldNormal), toLight), 0.0);
    FragColor = vec4(albedo * lightColor.rgb * (0.25 + 0.75 * diffuse), 1.0);
}
