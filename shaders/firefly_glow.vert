#version 330 core
// The firefly: world-space normal, view direction and texture coordinates for the glow.
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec3 aColor;
layout(location = 2) in vec3 aNormal;
layout(location = 3) in vec2 aTex;

uniform mat4 model;
uniform mat4 camMatrix;
uniform vec3 camPos;

out vec3 vertexColor;
out vec3 worldNormal;
out vec3 toEye;
out vec2 texCoord;

void main() {
    vec4 world = model * vec4(aPos, 1.0);
    vertexColor = aColor;
    worldNormal = mat3(model) * aNormal;   // rotation and uniform scale only
    toEye = camPos - world.xyz;
    texCoord = aTex;
    gl_Position = camMatrix * world;
}
