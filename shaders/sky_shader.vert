#version 330 core
// The sky dome, a sphere of radius 500 around the origin; the fragment stage colours it by
// the direction in which the camera sees each point.
layout(location = 0) in vec3 aPos;

uniform mat4 camMatrix;

out vec3 domePos;

void main() {
    domePos = aPos;
    gl_Position = camMatrix * vec4(aPos, 1.0);
}
