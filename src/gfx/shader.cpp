#include "gfx/shader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ostream>
#include <vector>

#include "base/content_file.h"
#include "gfx/gl_dialect.h"
#include "gfx/shader_source.h"

// Read to the end rather than to a size found by seeking: a folder, or a file of the kernel's,
// opens and then has no size to seek to, and a file can break off while being read.
std::string get_file_contents(const char* filename, std::uint64_t maxBytes) {
    std::ifstream in(filename, std::ios::in | std::ios::binary);
    if (!in) throw errno;
    std::string contents;
    errno = 0;
    if (!ReadAtMost(in, maxBytes, contents)) throw EFBIG;
    if (in.bad()) throw errno != 0 ? errno : EIO;
    return contents;
}

ShaderFileError::ShaderFileError(const std::string& file, int error)
    : ShaderFileError(file, std::string(std::strerror(error))) {}

ShaderFileError::ShaderFileError(const std::string& file, const std::string& reason)
    : std::runtime_error("Failed to open shader file " + file + ": " + reason) {}

namespace {

// Shader and program logs are read the same way through their own pair of GL calls.
std::string InfoLog(GLuint object, PFNGLGETSHADERIVPROC getParameter,
                    PFNGLGETSHADERINFOLOGPROC getLog) {
    GLint length = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    getLog(object, static_cast<GLsizei>(log.size()), nullptr, log.data());
    return log.data();
}

GLuint CompileFileStage(GLenum stage, const ShaderSource& source,
                        const std::vector<ShaderDefine>& defines, std::ostream& err) {
    const GlBuild shader =
        CompileStage(stage, ShaderSourceForThisGl(WithDefines(source.text, defines)));
    if (!shader.ok)
        err << "Shader compile error in " << source.files.front() << ":\n"
            << NameFilesInLog(shader.log, source) << std::endl;
    return shader.id;
}

}  // namespace

GlBuild CompileStage(GLenum stage, const std::string& text) {
    GlBuild shader;
    shader.id = glCreateShader(stage);
    const char* source = text.c_str();
    glShaderSource(shader.id, 1, &source, nullptr);
    glCompileShader(shader.id);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader.id, GL_COMPILE_STATUS, &ok);
    shader.ok = ok == GL_TRUE;
    shader.log = InfoLog(shader.id, glGetShaderiv, glGetShaderInfoLog);
    return shader;
}

GlBuild LinkProgram(GLuint vertex, GLuint fragment) {
    GlBuild program;
    program.id = glCreateProgram();
    glAttachShader(program.id, vertex);
    glAttachShader(program.id, fragment);
    glLinkProgram(program.id);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(program.id, GL_LINK_STATUS, &ok);
    program.ok = ok == GL_TRUE;
    program.log = InfoLog(program.id, glGetProgramiv, glGetProgramInfoLog);
    return program;
}

Shader::Shader(const char* vertexFile, const char* fragmentFile, std::ostream& err,
               const std::vector<ShaderDefine>& defines) {
    const ShaderSource vertexSource = LoadShaderSource(vertexFile);
    const ShaderSource fragmentSource = LoadShaderSource(fragmentFile);

    const GLuint vertexShader = CompileFileStage(GL_VERTEX_SHADER, vertexSource, defines, err);
    const GLuint fragmentShader =
        CompileFileStage(GL_FRAGMENT_SHADER, fragmentSource, defines, err);
    const GlBuild program = LinkProgram(vertexShader, fragmentShader);
    ID = program.id;
    if (!program.ok) {
        err << "Shader link error in " << vertexFile << " + " << fragmentFile << ":\n"
            << program.log << std::endl;
    }
}

void Shader::Activate() {
    glUseProgram(ID);
}

void Shader::Delete() {
    glDeleteProgram(ID);
}
