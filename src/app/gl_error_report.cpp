#include "app/gl_error_report.h"

#include <cstdio>

#include "gfx/gl.h"
#include "gfx/uniforms.h"

#ifndef LUMENVALE_GL_ERROR_CHECK
#define LUMENVALE_GL_ERROR_CHECK 0
#endif

namespace {

constexpr bool kCheckGlErrors = LUMENVALE_GL_ERROR_CHECK;
// GL keeps one flag per kind of error; a lost context can report an error on every call.
constexpr int kMostErrorsPerFrame = 16;

}  // namespace

void ReportGlErrors(std::ostream& err) {
    if (!kCheckGlErrors) return;
    for (const std::string& missing : TakeMissingUniforms())
        err << "GL error: " << missing << std::endl;
    for (int i = 0; i < kMostErrorsPerFrame; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) return;
        char line[32];
        std::snprintf(line, sizeof line, "GL error 0x%04X", error);
        err << line << std::endl;
    }
}

bool GlErrorReportsEnabled() {
    return kCheckGlErrors;
}
