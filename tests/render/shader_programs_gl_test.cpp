// The GLSL programs of the frame, built from the files in shaders/ on the real driver: they must
// compile and link without a word in the info logs, and declare (as active) every uniform the
// frame sets on them, or the frame silently loses that input.
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/gl_context.h"

namespace {

struct ProgramFiles {
    const char* name;
    const char* vertex;
    const char* fragment;
};

// The fifteen programs of the frame, as the start-up builds them.
const ProgramFiles kPrograms[] = {
    {"terrain", "shaders/terrain_shader.vert", "shaders/terrain_shader.frag"},
    {"well", "shaders/default.vert", "shaders/default.frag"},
    {"plant", "shaders/default.vert", "shaders/default.frag"},
    {"firefly", "shaders/firefly_glow.vert", "shaders/firefly_glow.frag"},
    {"water", "shaders/water.vert", "shaders/water.frag"},
    {"light", "shaders/light_shader.vert", "shaders/light_shader.frag"},
    {"sun", "shaders/sun_shader.vert", "shaders/sun_shader.frag"},
    {"moon", "shaders/moon_shader.vert", "shaders/moon_shader.frag"},
    {"sky", "shaders/sky_shader.vert", "shaders/sky_shader.frag"},
    {"star", "shaders/star_shader.vert", "shaders/star_shader.frag"},
    {"lensFlare", "shaders/lens_flare.vert", "shaders/lens_flare.frag"},
    {"shadow", "shaders/shadow_depth.vert", "shaders/shadow_depth.frag"},
    {"blur", "shaders/postprocess.vert", "shaders/gaussian_blur.frag"},
    {"glowComposite", "shaders/postprocess.vert", "shaders/glow_composite.frag"},
    {"fade", "shaders/fade.vert", "shaders/fade.frag"},
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsBlank(const std::string& log) {
    return log.find_first_not_of(" \t\r\n") == std::string::npos;
}

std::string ShaderLog(GLuint shader) {
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) glGetShaderInfoLog(shader, length, nullptr, log.data());
    return log.c_str();
}

std::string ProgramLog(GLuint program) {
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) glGetProgramInfoLog(program, length, nullptr, log.data());
    return log.c_str();
}

// Compiles one stage; records a failure (with the log) when it does not compile cleanly.
GLuint CompileClean(GLenum stage, const char* path) {
    const std::string source = ReadFile(path);
    EXPECT_FALSE(source.empty()) << path << " is missing or empty";
    const GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    const std::string log = ShaderLog(shader);
    EXPECT_TRUE(ok) << path << ":\n" << log;
    EXPECT_TRUE(IsBlank(log)) << path << " compiles with a message:\n" << log;
    return shader;
}

// Builds the program and records a failure for any compile or link message. Returns 0 when
// the program does not link.
GLuint BuildClean(const ProgramFiles& files) {
    const GLuint vertex = CompileClean(GL_VERTEX_SHADER, files.vertex);
    const GLuint fragment = CompileClean(GL_FRAGMENT_SHADER, files.fragment);
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    const std::string log = ProgramLog(program);
    EXPECT_TRUE(ok) << files.name << " does not link:\n" << log;
    EXPECT_TRUE(IsBlank(log)) << files.name << " links with a message:\n" << log;
    if (!ok) {
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

const ProgramFiles& Files(const std::string& name) {
    for (const ProgramFiles& files : kPrograms) {
        if (name == files.name) return files;
    }
    ADD_FAILURE() << "no program " << name;
    return kPrograms[0];
}

class ShaderPrograms : public GlTest {};

}  // namespace

TEST_F(ShaderPrograms, EveryProgramCompilesAndLinksWithoutAMessage) {
    for (const ProgramFiles& files : kPrograms) {
        SCOPED_TRACE(files.name);
        const GLuint program = BuildClean(files);
        EXPECT_NE(program, 0u);
        glDeleteProgram(program);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The uniforms the frame sets on each drawn program, by the mesh draws and by the passes. A
// name the program does not use would be dropped without a word.
TEST_F(ShaderPrograms, TheUniformsTheFrameSetsAreActive) {
    const struct {
        const char* program;
        std::vector<const char*> uniforms;
    } expected[] = {
        {"terrain", {"model", "camMatrix", "camPos", "lightPos", "lightColor", "lightSpaceMatrix",
                     "shadowMap"}},
        {"well", {"model", "camMatrix", "camPos", "lightPos", "lightColor", "lightSpaceMatrix",
                  "shadowMap", "useTexture", "diffuse0"}},
        {"firefly", {"model", "camMatrix", "glowStrength", "useTexture", "diffuse0", "emissive0"}},
        {"water", {"model", "camMatrix", "camPos", "lightPos", "uTime"}},
        {"sky", {"camMatrix", "camPos", "sunDirection", "sunHeight", "time"}},
        {"sun", {"model", "camMatrix", "sunPosition"}},
        {"moon", {"model", "camMatrix", "diffuse0"}},
        {"star", {"camMatrix", "nightFactor", "time"}},
        {"lensFlare", {"model", "flareScreenPos", "flareColor", "flareIntensity", "flareType"}},
        {"shadow", {"model", "lightSpaceMatrix"}},
        {"fade", {"fadeAlpha"}},
    };
    for (const auto& entry : expected) {
        SCOPED_TRACE(entry.program);
        const GLuint program = BuildClean(Files(entry.program));
        if (program == 0) continue;
        for (const char* uniform : entry.uniforms) {
            EXPECT_NE(glGetUniformLocation(program, uniform), -1) << uniform;
        }
        glDeleteProgram(program);
    }
}

// The attribute locations every mesh is drawn with: position 0, colour 1, normal 2, texUV 3.
TEST_F(ShaderPrograms, MeshInputsSitAtTheVertexRecordsLocations) {
    const struct {
        const char* program;
        std::vector<std::pair<const char*, GLint>> inputs;
    } expected[] = {
        {"well", {{"aPos", 0}, {"aColor", 1}, {"aNormal", 2}, {"aTex", 3}}},
        {"terrain", {{"aPos", 0}, {"aNormal", 2}}},
        {"firefly", {{"aPos", 0}, {"aColor", 1}, {"aNormal", 2}, {"aTex", 3}}},
        {"sun", {{"aPos", 0}, {"aTex", 3}}},
        {"lensFlare", {{"aPos", 0}, {"aTex", 3}}},
        {"water", {{"aPos", 0}}},
        {"sky", {{"aPos", 0}}},
    };
    for (const auto& entry : expected) {
        SCOPED_TRACE(entry.program);
        const GLuint program = BuildClean(Files(entry.program));
        if (program == 0) continue;
        for (const auto& [name, location] : entry.inputs) {
            EXPECT_EQ(glGetAttribLocation(program, name), location) << name;
        }
        glDeleteProgram(program);
    }
}
