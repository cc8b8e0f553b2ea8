// The textures a mesh draws with: each sampler pointed at its texture's unit and the texture
// bound there, again on every draw.
#include <stb/stb_image_write.h>

#include <glm/gtc/type_ptr.hpp>
#include <sstream>
#include <vector>

#include "gfx/camera.h"
#include "gfx/mesh.h"
#include "render/film_view.h"
#include "support/console_lines.h"
#include "support/gl_context.h"
#include "support/temp_files.h"

namespace {

class MeshTextures : public GlTest {
  protected:
    // A one-pixel PNG of one colour.
    std::string WritePng(const std::string& name, glm::u8vec3 color) const {
        const std::string path = (dir.path() / name).string();
        stbi_write_png(path.c_str(), 1, 1, 3, glm::value_ptr(color), 3);
        return path;
    }

    // Red from the diffuse texture, blue from the emissive one, green when textures are on.
    Shader SamplingProgram() const {
        const auto vert = dir.Write("sample.vert", R"(#version 330 core
layout(location = 0) in vec3 aPos;
uniform mat4 camMatrix;
void main() { gl_Position = camMatrix * vec4(aPos, 1.0); })");
        const auto frag = dir.Write("sample.frag", R"(#version 330 core
uniform sampler2D diffuse0;
uniform sampler2D emissive0;
uniform int useTexture;
out vec4 FragColor;
void main() {
    FragColor = vec4(texture(diffuse0, vec2(0.5)).r, float(useTexture),
                     texture(emissive0, vec2(0.5)).b, 1.0);
})");
        std::ostringstream problems;
        const Shader program(vert.c_str(), frag.c_str(), problems);
        EXPECT_EQ(problems.str(), "");
        return program;
    }

    static Mesh Quad(std::vector<Texture> textures) {
        const glm::vec3 white(1.0f), normal(0.0f, 0.0f, 1.0f);
        std::vector<Vertex> vertices{{{-1.0f, -1.0f, 0.0f}, white, normal, {0.0f, 0.0f}},
                                     {{1.0f, -1.0f, 0.0f}, white, normal, {1.0f, 0.0f}},
                                     {{1.0f, 1.0f, 0.0f}, white, normal, {1.0f, 1.0f}},
                                     {{-1.0f, 1.0f, 0.0f}, white, normal, {0.0f, 1.0f}}};
        std::vector<GLuint> indices{0, 1, 2, 2, 3, 0};
        return Mesh(vertices, indices, textures);
    }

    static glm::u8vec4 CentrePixel() {
        glm::u8vec4 pixel;
        glReadPixels(960, 540, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, glm::value_ptr(pixel));
        return pixel;
    }

    static GLint BoundOnUnit(GLenum unit) {
        GLint texture = -1;
        glActiveTexture(unit);
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
        return texture;
    }

    TempDir dir;
    ConsoleLines console;
};

}  // namespace

TEST_F(MeshTextures, DrawPointsEachSamplerAtItsUnitAndBindsTheTexturesAgainEveryTime) {
    Shader program = SamplingProgram();
    Texture red(WritePng("red.png", {255, 0, 0}).c_str(), "diffuse", 0, console);
    Texture blue(WritePng("blue.png", {0, 0, 255}).c_str(), "emissive", 1, console);
    Mesh textured = Quad({red, blue});
    Camera camera(1920, 1080, glm::vec3(0.0f, 0.0f, 2.0f));
    camera.updateMatrix(kFieldOfViewDegrees, kNearPlane, kFarPlane);
    glm::vec3 lightPos(0.0f);
    glDisable(GL_DEPTH_TEST);

    for (int draw = 0; draw < 2; ++draw) {
        SCOPED_TRACE(draw);
        // Whatever was bound in between, the draw binds its own textures.
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, 0);
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        textured.Draw(program, camera, lightPos);
        EXPECT_EQ(CentrePixel(), glm::u8vec4(255, 255, 255, 255));
        EXPECT_EQ(BoundOnUnit(GL_TEXTURE0), static_cast<GLint>(red.ID));
        EXPECT_EQ(BoundOnUnit(GL_TEXTURE1), static_cast<GLint>(blue.ID));
    }
    GLint unit = -1;
    glGetUniformiv(program.ID, glGetUniformLocation(program.ID, "emissive0"), &unit);
    EXPECT_EQ(unit, 1);

    // Without textures the program is told so.
    Mesh plain = Quad({});
    glClear(GL_COLOR_BUFFER_BIT);
    plain.Draw(program, camera, lightPos);
    EXPECT_EQ(CentrePixel().g, 0);
    program.Delete();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
