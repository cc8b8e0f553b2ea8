#pragma once

#include <string>

#include "gfx/gl.h"

// The few calls where OpenGL 3.3 core and the browser's WebGL2 (OpenGL ES 3.0) differ, each
// giving the same picture on both.

// The shader source as this GL compiles it: our files are GLSL 330 core; WebGL2 reads them as
// GLSL 300 es with high precision everywhere, keeping every line's number.
std::string ShaderSourceForThisGl(const std::string& source);

// Depth values written are mapped into [nearValue, farValue].
void SetDepthRange(float nearValue, float farValue);

// Depth clears write `depth`.
void SetClearDepth(float depth);

// Draws `runs` runs of indexed triangles (unsigned int indices) from the bound element buffer:
// run i has counts[i] indices from byte offsets[i]. One call natively; WebGL2 has no multi-draw
// and draws them one by one.
void DrawTriangleRuns(const GLsizei* counts, const void* const* offsets, GLsizei runs);

// Points take the size their vertex shader writes (`on`) or the fixed size. WebGL2's always
// take the shader's.
void SetShaderPointSize(bool on);

// Gives the bound 2D texture `size` x `size` texels of float depth, sampled nearest. Lookups
// outside it read the greatest depth, 1: the native texture clamps to a border of 1; WebGL2 has
// no border, so there the shaders test the bounds themselves (an edge clamp is set).
void AllocateShadowDepth(int size);

// The bound framebuffer draws and reads no colour.
void UseNoColorBuffer();
