// Every shader stage of the film, read as GLSL 300 es, compiles and links in a real OpenGL ES 3.0
// context (Mesa's), as the browser build's WebGL2 compiles it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gfx/gl.h"
// The loader comes before GLFW.
#include <GLFW/glfw3.h>

#include "gfx/glsl_es.h"
#include "gfx/shader_source.h"
#include "render/shader_constants.h"

namespace {

TEST(GlslEs, VersionLineBecomesTheEsPrologueAndLinesKeepTheirNumbers) {
    const std::string prologue =
        "#version 300 es\nprecision highp float;\nprecision highp int;\n"
        "precision highp sampler2D;\nprecision highp sampler2DShadow;\n#line 2\n";
    const struct {
        std::string source;
        std::string es;
    } cases[] = {
        {"#version 330 core\nout vec4 c;\nvoid main() {}\n",
         prologue + "out vec4 c;\nvoid main() {}\n"},
        {"#version 330 core\r\nvoid main() {}\r\n", prologue + "void main() {}\r\n"},
        {"#version 330 core\n", prologue},
        // Nothing to swap: no version line first, or no line end after it.
        {"// a comment\n#version 330 core\n", "// a comment\n#version 330 core\n"},
        {"#version 330 core", "#version 330 core"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(AsGlslEs(c.source), c.es) << c.source;
}

// The ES entry points this test needs, loaded from the ES context itself.
struct EsCompiler {
    PFNGLCREATESHADERPROC createShader;
    PFNGLSHADERSOURCEPROC shaderSource;
    PFNGLCOMPILESHADERPROC compileShader;
    PFNGLGETSHADERIVPROC getShaderiv;
    PFNGLGETSHADERINFOLOGPROC getShaderInfoLog;
    PFNGLCREATEPROGRAMPROC createProgram;
    PFNGLATTACHSHADERPROC attachShader;
    PFNGLLINKPROGRAMPROC linkProgram;
    PFNGLGETPROGRAMIVPROC getProgramiv;
    PFNGLGETPROGRAMINFOLOGPROC getProgramInfoLog;

    template <typename F>
    static F Load(const char* name) {
        return reinterpret_cast<F>(glfwGetProcAddress(name));
    }
    EsCompiler()
        : createShader(Load<PFNGLCREATESHADERPROC>("glCreateShader")),
          shaderSource(Load<PFNGLSHADERSOURCEPROC>("glShaderSource")),
          compileShader(Load<PFNGLCOMPILESHADERPROC>("glCompileShader")),
          getShaderiv(Load<PFNGLGETSHADERIVPROC>("glGetShaderiv")),
          getShaderInfoLog(Load<PFNGLGETSHADERINFOLOGPROC>("glGetShaderInfoLog")),
          createProgram(Load<PFNGLCREATEPROGRAMPROC>("glCreateProgram")),
          attachShader(Load<PFNGLATTACHSHADERPROC>("glAttachShader")),
          linkProgram(Load<PFNGLLINKPROGRAMPROC>("glLinkProgram")),
          getProgramiv(Load<PFNGLGETPROGRAMIVPROC>("glGetProgramiv")),
          getProgramInfoLog(Load<PFNGLGETPROGRAMINFOLOGPROC>("glGetProgramInfoLog")) {}

    // The compile log, empty when the stage compiled.
    std::string Compile(GLuint shader, const std::string& text) const {
        const char* source = text.c_str();
        shaderSource(shader, 1, &source, nullptr);
        compileShader(shader);
        GLint ok = GL_FALSE;
        getShaderiv(shader, GL_COMPILE_STATUS, &ok);
        if (ok) return "";
        char log[4096] = {};
        getShaderInfoLog(shader, sizeof log, nullptr, log);
        return std::string("compile: ") + log;
    }
};

class EsContext : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(glfwInit(), GLFW_TRUE) << "no display: run under xvfb-run";
        glfwDefaultWindowHints();
        glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_ES_API);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 0);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        window = glfwCreateWindow(64, 64, "GLSL ES", nullptr, nullptr);
        ASSERT_NE(window, nullptr) << "no OpenGL ES 3.0 context";
        glfwMakeContextCurrent(window);
    }
    void TearDown() override {
        if (window) glfwDestroyWindow(window);
    }
    GLFWwindow* window = nullptr;
};

TEST_F(EsContext, EveryShaderPairOfTheFilmCompilesAndLinksAsGlslEs) {
    const EsCompiler gl;
    ASSERT_NE(gl.createShader, nullptr);
    std::vector<std::filesystem::path> fragments;
    for (const auto& entry : std::filesystem::directory_iterator("shaders")) {
        if (entry.path().extension() == ".frag") fragments.push_back(entry.path());
    }
    ASSERT_FALSE(fragments.empty());
    for (const auto& fragment : fragments) {
        std::filesystem::path vertex = fragment;
        vertex.replace_extension(".vert");
        // Passes that share a vertex stage name no vertex file of their own.
        if (!std::filesystem::exists(vertex)) vertex = "shaders/postprocess.vert";
        const GLuint program = gl.createProgram();
        for (const auto& [stage, file] :
             {std::pair{GL_VERTEX_SHADER, vertex}, std::pair{GL_FRAGMENT_SHADER, fragment}}) {
            const GLuint shader = gl.createShader(stage);
            const std::string log = gl.Compile(
                shader, AsGlslEs(WithDefines(LoadShaderSource(file.generic_string()).text,
                                             SceneShaderConstants())));
            EXPECT_EQ(log, "") << file;
            gl.attachShader(program, shader);
        }
        gl.linkProgram(program);
        GLint linked = GL_FALSE;
        gl.getProgramiv(program, GL_LINK_STATUS, &linked);
        char log[4096] = {};
        if (!linked) gl.getProgramInfoLog(program, sizeof log, nullptr, log);
        EXPECT_TRUE(linked) << vertex << " + " << fragment << ": " << log;
    }
}

}  // namespace
