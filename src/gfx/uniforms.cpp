#include "gfx/uniforms.h"

#include <glm/gtc/type_ptr.hpp>
#include <set>
#include <utility>

namespace {

bool rememberMissing = false;
std::set<std::pair<GLuint, std::string>> missingSeen;
std::vector<std::string> missingUntaken;

GLint Location(Shader& shader, const char* name) {
    const GLint location = glGetUniformLocation(shader.ID, name);
    if (location == -1 && rememberMissing && missingSeen.emplace(shader.ID, name).second) {
        missingUntaken.push_back("program " + std::to_string(shader.ID) + " has no uniform \"" +
                                 name + "\"");
    }
    return location;
}

}  // namespace

void SetUniform(Shader& shader, const char* name, const glm::mat4& value) {
    glUniformMatrix4fv(Location(shader, name), 1, GL_FALSE, glm::value_ptr(value));
}

void SetUniform(Shader& shader, const char* name, const glm::vec4& value) {
    glUniform4f(Location(shader, name), value.x, value.y, value.z, value.w);
}

void SetUniform(Shader& shader, const char* name, const glm::vec3& value) {
    glUniform3f(Location(shader, name), value.x, value.y, value.z);
}

void SetUniform(Shader& shader, const char* name, const glm::vec2& value) {
    glUniform2f(Location(shader, name), value.x, value.y);
}

void SetUniform(Shader& shader, const char* name, float value) {
    glUniform1f(Location(shader, name), value);
}

void SetUniform(Shader& shader, const char* name, int value) {
    glUniform1i(Location(shader, name), value);
}

void RememberMissingUniforms(bool on) {
    rememberMissing = on;
}

std::vector<std::string> TakeMissingUniforms() {
    return std::exchange(missingUntaken, {});
}
