#version 330 core
// Terrain: texture coordinates say where the ground's colour is in the colour map.
#include "common/lit_vertex.glsl"

void main() {
    vec4 world = model * vec4(aPos, 1.0);
    litVertex(world, mat3(model) * aNormal);   // the terrain's model matrix only translates
}
