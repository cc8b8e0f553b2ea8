#version 330 core
// The well and the sea-grass plants (the plants have no shadow map): any model matrix, so the
// normal goes through its inverse transpose.
#include "common/lit_vertex.glsl"

void main() {
    vec4 world = model * vec4(aPos, 1.0);
    litVertex(world, mat3(transpose(inverse(model))) * aNormal);
}
