#version 330 core
// The sky dome: the fragment stage colours by direction from the origin.
layout(location = 0) in vec3 aPos;

uniform mat4 camMatrix;

out vec3 skyDirection;

void main() {
    skyDirection = aPos;
    gl_Position = camMatrix * vec4(aPos, 1.0);
}
