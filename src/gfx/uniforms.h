#pragma once

#include <glm/glm.hpp>

#include "gfx/shader.h"

// Uniform uploads to the current program. Locations are looked up by name at every upload; a name
// the program does not declare is silently ignored by GL.
void SetUniform(Shader& shader, const char* name, const glm::mat4& value);
void SetUniform(Shader& shader, const char* name, const glm::vec4& value);
void SetUniform(Shader& shader, const char* name, const glm::vec3& value);
void SetUniform(Shader& shader, const char* name, const glm::vec2& value);
void SetUniform(Shader& shader, const char* name, float value);
void SetUniform(Shader& shader, const char* name, int value);
