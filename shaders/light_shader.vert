#version 330 core
// A small emitter mesh placed by "model".
layout(location = 0) in vec3 aPos;

uniform mat4 model;
uniform mat4 camMatrix;

void main() {
    gl_Position = camMatrix * model * vec4(aPos, 1.0);
}
