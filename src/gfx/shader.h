#pragma once

#include <cstdint>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "gfx/gl.h"
#include "gfx/shader_source.h"

// Reads a whole file byte for byte. Throws the C library's errno (as an int) when the file
// cannot be opened or cannot be read to its end, and EFBIG when it holds more than `maxBytes`
// (found by reading at most 64 KiB more, whatever size the file claims).
std::string get_file_contents(const char* filename,
                              std::uint64_t maxBytes = std::numeric_limits<std::uint64_t>::max());

// A shader file that could not be opened or read, or that includes a file it may not: names the
// file and the reason.
class ShaderFileError : public std::runtime_error {
  public:
    ShaderFileError(const std::string& file, int error);
    ShaderFileError(const std::string& file, const std::string& reason);

    // A program's own file is not there, as when the film is started from another folder than
    // its own. Where an included file is missing, the folder is the right one.
    bool programFileMissing = false;
};

// A compiled stage or a linked program and the driver's log of it (empty when it had nothing to
// say). The GL object is kept whether or not it built.
struct GlBuild {
    GLuint id = 0;
    bool ok = false;
    std::string log;
};

// Compiles one stage from its whole text.
GlBuild CompileStage(GLenum stage, const std::string& text);
// Links two compiled stages into a new program, and releases the stages.
GlBuild LinkProgram(GLuint vertex, GLuint fragment);

// One linked GLSL program. A plain value: copies share the program, only Delete releases it.
class Shader {
  public:
    GLuint ID = 0;

    Shader() = default;  // no program yet

    // Builds the program from a vertex and a fragment file, each with its includes joined in
    // and `defines` after its version line (gfx/shader_source.h). Compile and link problems are
    // reported on `err` with the file names and the driver's log, its lines naming the file they
    // are about; the program is kept either way. Throws ShaderFileError when a file cannot be
    // opened or read.
    Shader(const char* vertexFile, const char* fragmentFile, std::ostream& err,
           const std::vector<ShaderDefine>& defines = {});

    void Activate();
    void Delete();
};
