// A mistake in an included shader file, as the real driver reports it: in that file, on its line,
// also with the program's numbers defined after the version line.
#include <string>

#include "gfx/shader_source.h"
#include "support/gl_context.h"
#include "support/temp_files.h"

namespace {

class ShaderIncludeErrors : public GlTest {};

std::string CompileLog(const std::string& text) {
    const GLuint shader = glCreateShader(GL_FRAGMENT_SHADER);
    const char* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
    glDeleteShader(shader);
    return log.c_str();
}

}  // namespace

TEST_F(ShaderIncludeErrors, NameTheFileAndLineTheMistakeIsOn) {
    const TempDir dir;
    const std::string folder = dir.path().generic_string();
    dir.Write("common/light.glsl", "float light() { return 1.0; }\n");
    dir.Write("common/dark.glsl",
              "float light() { return 1.0; }\n\nfloat dark() { return mist; }\n");
    const struct {
        const char* include;
        const char* body;
        std::string where;
    } cases[] = {
        // The included file's third line.
        {"common/dark.glsl", "void main() { colour = vec4(light()); }\n",
         folder + "/common/dark.glsl:3("},
        // The stage's own fourth line, after the include.
        {"common/light.glsl", "void main() { colour = vec4(fog); }\n", folder + "/stage.frag:4("},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.where);
        const ShaderSource source = LoadShaderSource(
            dir.Write("stage.frag", std::string("#version 330 core\n#include \"") + test.include +
                                        "\"\nout vec4 colour;\n" + test.body));
        const std::string log =
            NameFilesInLog(CompileLog(WithDefines(source.text, {{"MIST", 0.5f}})), source);
        EXPECT_EQ(log.rfind(test.where, 0), 0u) << log;
    }
}
