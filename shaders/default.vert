#version 330 core
// Lit meshes: passes world-space position, colour, normal and texture coordinates on.
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec3 aColor;
layout(location = 2) in vec3 aNormal;
layout(location = 3) in vec2 aTex;

uniform mat4 model;
uniform mat4 camMatrix;

out vec3 worldPos;
out vec3 vertexColor;
out vec3 worldNormal;
out vec2 texCoord;

void main() {
    vec4 world = model * vec4(aPos, 1.0);
    worldPos = world.xyz;
    vertexColor = aColor;
    worldNormal = mat3(transpose(inverse(model))) * aNormal;
    texCoord = aTex;
    gl_Position = camMatrix * world;
}
