// The GLSL programs of the frame, built from the files in shaders/ on the real driver: they must
// compile and link without a word in the info logs, and declare (as active) every uniform the
// frame sets on them, or the frame silently loses that input.
#include <fstream>
#include <glm/gtc/type_ptr.hpp>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/camera.h"
#include "gfx/shader.h"
#include "gfx/shader_source.h"
#include "gfx/uniforms.h"
#include "render/day_night.h"
#include "render/film_view.h"
#include "render/frame_sky.h"
#include "render/render_target.h"
#include "render/shader_constants.h"
#include "render/shader_programs.h"
#include "support/gl_context.h"
#include "support/pixels.h"

namespace {

// The programs of the frame: the scene's, as the start-up builds them, and the one that puts the
// picture in the window.
std::vector<ProgramFiles> Programs() {
    std::vector<ProgramFiles> programs(kProgramFiles.begin(), kProgramFiles.end());
    programs.push_back({"present", "shaders/present.vert", "shaders/present.frag", nullptr});
    return programs;
}

bool IsBlank(const std::string& log) {
    return log.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Compiles one stage; records a failure (with the log) when it does not compile cleanly.
GLuint CompileClean(GLenum stage, const char* path) {
    const ShaderSource source = LoadShaderSource(path);
    EXPECT_FALSE(source.text.empty()) << path << " is empty";
    const GlBuild shader = CompileStage(stage, WithDefines(source.text, SceneShaderConstants()));
    const std::string log = NameFilesInLog(shader.log, source);
    EXPECT_TRUE(shader.ok) << path << ":\n" << log;
    EXPECT_TRUE(IsBlank(log)) << path << " compiles with a message:\n" << log;
    return shader.id;
}

// Builds the program and records a failure for any compile or link message. Returns 0 when
// the program does not link.
GLuint BuildClean(const ProgramFiles& files) {
    const GLuint vertex = CompileClean(GL_VERTEX_SHADER, files.vertex);
    const GLuint fragment = CompileClean(GL_FRAGMENT_SHADER, files.fragment);
    const GlBuild program = LinkProgram(vertex, fragment);
    EXPECT_TRUE(program.ok) << files.name << " does not link:\n" << program.log;
    EXPECT_TRUE(IsBlank(program.log)) << files.name << " links with a message:\n" << program.log;
    if (!program.ok) {
        glDeleteProgram(program.id);
        return 0;
    }
    return program.id;
}

ProgramFiles Files(const std::string& name) {
    for (const ProgramFiles& files : Programs()) {
        if (name == files.name) return files;
    }
    ADD_FAILURE() << "no program " << name;
    return kProgramFiles[0];
}

class GlslPrograms : public GlTest {};

}  // namespace

TEST_F(GlslPrograms, EveryProgramCompilesAndLinksWithoutAMessage) {
    for (const ProgramFiles& files : Programs()) {
        SCOPED_TRACE(files.name);
        const GLuint program = BuildClean(files);
        EXPECT_NE(program, 0u);
        glDeleteProgram(program);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The attribute locations every mesh is drawn with: position 0, colour 1, normal 2, texUV 3.
TEST_F(GlslPrograms, MeshInputsSitAtTheVertexRecordsLocations) {
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

// A new texture bound on unit 0, magnified texel by texel and minified with `minFilter`.
static GLuint TextureOnUnitZero(GLint minFilter) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return texture;
}

// A horizontal square of one colour at y = 2, above the water, facing up, its texture
// coordinates 0 to 1 along x and z, seen from straight above by a lit program.
class SquareFromAbove {
  public:
    SquareFromAbove(GLuint program, glm::vec3 c) : program(program) {
        const float quad[4][11] = {
            {-1, 2, -1, c.r, c.g, c.b, 0, 1, 0, 0, 0},
            {1, 2, -1, c.r, c.g, c.b, 0, 1, 0, 1, 0},
            {1, 2, 1, c.r, c.g, c.b, 0, 1, 0, 1, 1},
            {-1, 2, 1, c.r, c.g, c.b, 0, 1, 0, 0, 1},
        };
        const GLuint indices[6] = {0, 1, 2, 2, 3, 0};
        glGenVertexArrays(1, &vao);
        glBindVertexArray(vao);
        glGenBuffers(1, &vbo);
        glBindBuffer(GL_ARRAY_BUFFER, vbo);
        glBufferData(GL_ARRAY_BUFFER, sizeof(quad), quad, GL_STATIC_DRAW);
        glGenBuffers(1, &ebo);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(indices), indices, GL_STATIC_DRAW);
        const int sizes[4] = {3, 3, 3, 2}, offsets[4] = {0, 3, 6, 9};
        for (int i = 0; i < 4; ++i) {
            glVertexAttribPointer(i, sizes[i], GL_FLOAT, GL_FALSE, 11 * sizeof(float),
                                  reinterpret_cast<void*>(offsets[i] * sizeof(float)));
            glEnableVertexAttribArray(i);
        }
        camera.orientation = glm::normalize(glm::vec3(0.0f, 2.0f, 0.0f) - camera.position);
        camera.updateMatrix(kFieldOfViewDegrees, kNearPlane, kFarPlane);
        glUseProgram(program);
        glUniformMatrix4fv(glGetUniformLocation(program, "model"), 1, GL_FALSE,
                           glm::value_ptr(glm::mat4(1.0f)));
        glUniformMatrix4fv(glGetUniformLocation(program, "camMatrix"), 1, GL_FALSE,
                           glm::value_ptr(camera.cameraMatrix));
        glUniform3f(glGetUniformLocation(program, "camPos"), 0.0f, 6.0f, 0.01f);
    }
    ~SquareFromAbove() {
        glDeleteBuffers(1, &vbo);
        glDeleteBuffers(1, &ebo);
        glDeleteVertexArrays(1, &vao);
        glDeleteProgram(program);
    }

    // Draws it under a sun at `sunHeight` of light colour `light` (grey).
    void Draw(float sunHeight, float light) const {
        glUseProgram(program);
        glUniform3f(glGetUniformLocation(program, "lightPos"), 0.0f, 150.0f * sunHeight, 0.0f);
        glUniform4f(glGetUniformLocation(program, "lightColor"), light, light, light, 1.0f);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glBindVertexArray(vao);
        glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr);
        glFinish();
    }
    // The window pixel of the square's point at texture coordinates (u, 0.5).
    glm::ivec2 Pixel(float u) const {
        const glm::vec4 clip = camera.cameraMatrix * glm::vec4(-1.0f + 2.0f * u, 2.0f, 0.0f, 1.0f);
        return glm::ivec2((clip.x / clip.w * 0.5f + 0.5f) * 1920.0f,
                          (clip.y / clip.w * 0.5f + 0.5f) * 1080.0f);
    }

  private:
    GLuint program;
    GLuint vao = 0, vbo = 0, ebo = 0;
    Camera camera{1920, 1080, glm::vec3(0.0f, 6.0f, 0.01f)};
};

// The plants share the well's program but never get a shadow map: whatever texture happens to
// sit on unit 0, a plant in the open must be lit by the sun, not darkened by a stray lookup. At
// night the light colour it is given sets how dark it is.
TEST_F(GlslPrograms, PlantsWithoutAShadowMapAreSunlitWhateverSitsOnUnitZero) {
    const GLuint program = BuildClean(Files("plant"));
    ASSERT_NE(program, 0u);
    const SquareFromAbove square(program, glm::vec3(0.30f, 0.50f, 0.40f));  // sea-grass
    glUniform1i(glGetUniformLocation(program, "useTexture"), 0);
    const auto draw = [&](float sunHeight, float light) {
        square.Draw(sunHeight, light);
        return MeanColor(960, 540);
    };

    // Unit 0 holds a texture that reads 0 everywhere, then one that reads 1: as depths, the
    // first would put everything in shadow and the second nothing.
    const GLuint texture = TextureOnUnitZero(GL_NEAREST);
    Rgb seen[2];
    for (int fill = 0; fill < 2; ++fill) {
        const std::vector<float> depth(16 * 16, static_cast<float>(fill));
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, 16, 16, 0, GL_DEPTH_COMPONENT, GL_FLOAT,
                     depth.data());
        seen[fill] = draw(1.0f, 1.0f);
    }
    EXPECT_NEAR(seen[0].r, seen[1].r, 1.5f / 255.0f);
    EXPECT_NEAR(seen[0].g, seen[1].g, 1.5f / 255.0f);
    EXPECT_NEAR(seen[0].b, seen[1].b, 1.5f / 255.0f);
    EXPECT_GT(seen[0].g, seen[0].r) << "sea-grass stays green";
    EXPECT_GT(seen[0].Luminance(), 0.35f) << "a plant in the noon sun is not in shadow";

    // Once the sun is down the light colour alone darkens the night: a dimmer one, a darker plant.
    const float midnight = draw(-1.0f, 0.1f).Luminance(), dimmer = draw(-1.0f, 0.05f).Luminance();
    EXPECT_GT(midnight, 0.1f) << "the night stays readable";
    EXPECT_LT(dimmer, midnight - 0.005f);
    EXPECT_LT(draw(-0.5f, 0.25f).Luminance(), draw(-0.5f, 0.5f).Luminance() - 0.005f);

    glDeleteTextures(1, &texture);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The islands' colour map keeps the scene's filtering (nearest texel, nearest within a mipmap),
// yet magnified over the ground it is smooth: two texels, dark and light, stretched over the
// square blend evenly from one texel's centre to the other's.
TEST_F(GlslPrograms, TheTerrainsColourMapIsSmoothWhereItIsMagnified) {
    const GLuint program = BuildClean(Files("terrain"));
    ASSERT_NE(program, 0u);
    const SquareFromAbove square(program, glm::vec3(0.5f));
    glUniform1i(glGetUniformLocation(program, "groundMaps"), 1);
    glUniform1i(glGetUniformLocation(program, "diffuse0"), 0);
    glUniform1i(glGetUniformLocation(program, "shadowMap"), 5);
    const unsigned char texels[2][4] = {{40, 40, 40, 0}, {220, 220, 220, 0}};
    const GLuint texture = TextureOnUnitZero(GL_NEAREST_MIPMAP_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    glGenerateMipmap(GL_TEXTURE_2D);
    square.Draw(1.0f, 1.0f);

    // The texel centres lie at u = 0.25 and 0.75; between them the ground brightens steadily.
    std::vector<float> row;
    for (float u = 0.25f; u <= 0.751f; u += 0.05f) {
        const glm::ivec2 at = square.Pixel(u);
        row.push_back(MeanColor(at.x, at.y).Luminance());
    }
    const float dark = row.front(), light = row.back();
    ASSERT_GT(light - dark, 0.2f);
    for (size_t i = 1; i < row.size(); ++i) {
        EXPECT_GT(row[i], row[i - 1]) << "at u = " << 0.25f + 0.05f * i;
        EXPECT_LT(row[i] - row[i - 1], 0.3f * (light - dark))
            << "no step at u = " << 0.25f + 0.05f * i;
    }
    glDeleteTextures(1, &texture);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The sky's colours that are the same all over a frame are worked out on the CPU for the lit
// programs: over the day they must be the sky's own functions' to a level, overhead (column 0)
// and, from them, at the horizon (column 2 against column 1) at every angle to the sun (rows).
TEST_F(GlslPrograms, TheFramesSkyColoursAreTheSkysOwnOverTheDay) {
    const std::string fragment =
        "#version 330 core\n" + LoadShaderSource("shaders/common/sky_colour.glsl").text + R"(
uniform vec3 sunDir, givenScattered, givenNight;
uniform float sunHeight;
out vec4 colour;
void main() {
    float mu = (gl_FragCoord.y - 0.5) / 4.0 - 1.0;
    colour = vec4(gl_FragCoord.x < 1.0   ? skyColor(vec3(0.0, 1.0, 0.0), sunDir, sunHeight)
                  : gl_FragCoord.x < 2.0 ? skyColorIn(skyColumn(0.0, sunHeight), mu)
                                         : skyColorIn(SkyColumn(givenScattered, givenNight), mu), 1.0);
})";
    const GlBuild program =
        LinkProgram(CompileStage(GL_VERTEX_SHADER,
                                 "#version 330 core\nvoid main() { gl_Position = vec4("
                                 "gl_VertexID == 1 ? 3 : -1, gl_VertexID == 2 ? 3 : -1, 0, 1); }")
                        .id,
                    CompileStage(GL_FRAGMENT_SHADER, fragment).id);
    ASSERT_TRUE(program.ok) << program.log;
    Shader sky;
    sky.ID = program.id;
    sky.Activate();
    OffscreenTarget probe;  // a hidden window's pixels need not be there to read back
    probe.Resize(3, 9);
    probe.Target().Bind();
    GLuint noInputs = 0;
    glGenVertexArrays(1, &noInputs);
    glBindVertexArray(noInputs);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    for (int step = 0; step < 96; ++step) {
        const SunState sun = SunAt(step * 6.2831853f / 96.0f);
        const FrameSkyColours given = FrameSkyColoursFor(sun.sunPos);
        SetUniform(sky, "sunDir", glm::normalize(sun.sunPos));
        SetUniform(sky, "sunHeight", sun.sunHeight);
        SetUniform(sky, "givenScattered", given.horizonScattered);
        SetUniform(sky, "givenNight", given.horizonNight);
        glDrawArrays(GL_TRIANGLES, 0, 3);
        const std::vector<unsigned char> seen = probe.ReadRgb();  // 3 x 9, bottom row first
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(seen[c], given.zenith[c] * 255.0f, 1.0f) << step;
            for (int row = 0; row < 9; ++row)
                EXPECT_NEAR(seen[9 * row + 6 + c], seen[9 * row + 3 + c], 1) << step << " " << row;
        }
    }
    glDeleteVertexArrays(1, &noInputs);
    probe.Delete();
    FrameTarget::Window().Bind();
    sky.Delete();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
