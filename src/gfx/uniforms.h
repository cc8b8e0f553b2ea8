#pragma once

#include <glm/glm.hpp>
#include <string>
#include <vector>

#include "gfx/shader.h"

// The passes' uniform uploads to the current program. Locations are looked up by name at every
// upload; a name the program does not declare is ignored by GL, and remembered while missing
// uniforms are. (A mesh's draw and the camera set the names of their contract on whatever
// program they are given, which may use only some of them; those go to GL directly.)
void SetUniform(Shader& shader, const char* name, const glm::mat4& value);
void SetUniform(Shader& shader, const char* name, const glm::vec4& value);
void SetUniform(Shader& shader, const char* name, const glm::vec3& value);
void SetUniform(Shader& shader, const char* name, const glm::vec2& value);
void SetUniform(Shader& shader, const char* name, float value);
void SetUniform(Shader& shader, const char* name, int value);

// Whether uploads remember the names their program lacks: off unless switched on (the builds
// that check for GL errors do, and so do the tests that draw the film's frames).
void RememberMissingUniforms(bool on);
// The uploads since the last call to a name their program lacks, each program and name once for
// the whole run, as "program 7 has no uniform "fadeAlpha"".
std::vector<std::string> TakeMissingUniforms();
