#version 330 core
// The sea plane (y = 0 in the file, raised to the water level by "model"): world-space
// position for the fragment stage, which makes the waves.
layout(location = 0) in vec3 aPos;

uniform mat4 model;
uniform mat4 camMatrix;

out vec3 worldPos;

void main() {
    vec4 world = model * vec4(aPos, 1.0);
    worldPos = world.xyz;
    gl_Position = camMatrix * world;
}
