#version 330 core
// Star points placed by the camera matrix.
layout(location = 0) in vec3 aPos;

uniform mat4 camMatrix;

void main() {
    gl_PointSize = 2.0;
    gl_Position = camMatrix * vec4(aPos, 1.0);
}
