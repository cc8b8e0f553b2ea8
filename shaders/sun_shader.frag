#version 330 core
// A bright disc that fades to nothing at the quad's edge.
in vec2 texCoord;

uniform vec4 lightColor;

out vec4 FragColor;

void main() {
    float r = length(texCoord - vec2(0.5)) * 2.0;
    float alpha = clamp(1.0 - r, 0.0, 1.0);
    FragColor = vec4(lightColor.rgb * vec3(1.0, 0.95, 0.8), alpha);
}
