#version 330 core
// Billboard quads: "model" already faces the camera.
layout(location = 0) in vec3 aPos;
layout(location = 3) in vec2 aTex;

uniform mat4 model;
uniform mat4 camMatrix;

out vec2 texCoord;

void main() {
    texCoord = aTex;
    gl_Position = camMatrix * model * vec4(aPos, 1.0);
}
