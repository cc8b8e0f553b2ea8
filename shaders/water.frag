#version 330 core
// Flat see-through water tinted by its vertex colour.
in vec3 vertexColor;

uniform vec4 lightColor;
uniform float uTime;

out vec4 FragColor;

void main() {
    FragColor = vec4(vertexColor * lightColor.rgb, 0.6);
}
