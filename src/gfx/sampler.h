#pragma once

#include "gfx/gl.h"

// A sampler object that filters linearly within the nearest mipmap level and repeats: bound to a
// texture unit it replaces the filtering of whatever texture is bound there, so that a texture
// stretched over much of the screen (the islands' colour map) is smooth instead of blocky.
// Released with the context.
GLuint CreateSmoothSampler();

// Binds `sampler` to texture units 0 and 1, the units of a mesh's diffuse and emissive maps
// (0 unbinds it).
void BindToMeshUnits(GLuint sampler);
