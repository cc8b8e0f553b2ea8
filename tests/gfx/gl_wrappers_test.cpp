// Buffer wrappers, meshes and billboards in a real OpenGL 3.3 core context.
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <sstream>
#include <vector>

#include "gfx/billboard.h"
#include "gfx/camera.h"
#include "gfx/ebo.h"
#include "gfx/mesh.h"
#include "gfx/shader.h"
#include "render/film_view.h"
#include "support/gl_context.h"
#include "support/temp_files.h"

namespace {

GLint Bound(GLenum binding) {
    GLint name = -1;
    glGetIntegerv(binding, &name);
    return name;
}

std::vector<Vertex> Quad(float half, glm::vec3 color) {
    const glm::vec3 normal(0.0f, 0.0f, 1.0f);
    return {{{-half, -half, 0.0f}, color, normal, {0.0f, 0.0f}},
            {{half, -half, 0.0f}, color, normal, {1.0f, 0.0f}},
            {{half, half, 0.0f}, color, normal, {1.0f, 1.0f}},
            {{-half, half, 0.0f}, color, normal, {0.0f, 1.0f}}};
}

// An untextured unit quad of one colour in the z = 0 plane.
Mesh QuadMesh(const glm::vec3& color) {
    std::vector<Vertex> vertices = Quad(0.5f, color);
    std::vector<GLuint> indices{0, 1, 2, 2, 3, 0};
    std::vector<Texture> noTextures;
    return Mesh(vertices, indices, noTextures);
}

// A program that draws vertex colours through "model" and "camMatrix", like the scene's.
Shader ColorProgram(const TempDir& dir) {
    const auto vert = dir.Write("color.vert", R"(#version 330 core
layout(location = 0) in vec3 aPos;
layout(location = 1) in vec3 aColor;
uniform mat4 model;
uniform mat4 camMatrix;
out vec3 color;
void main() { color = aColor; gl_Position = camMatrix * model * vec4(aPos, 1.0); })");
    const auto frag = dir.Write("color.frag", R"(#version 330 core
in vec3 color;
out vec4 FragColor;
void main() { FragColor = vec4(color, 1.0); })");
    std::ostringstream problems;
    const Shader program(vert.c_str(), frag.c_str(), problems);
    EXPECT_EQ(problems.str(), "");
    return program;
}

glm::u8vec4 PixelAt(int x, int y) {
    glm::u8vec4 pixel;
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, glm::value_ptr(pixel));
    return pixel;
}

class GlWrappers : public GlTest {};

}  // namespace

TEST_F(GlWrappers, BuffersLeaveTheBindingsTheirContractPromises) {
    std::vector<Vertex> vertices = Quad(0.5f, glm::vec3(1.0f));
    VAO vao;
    EXPECT_EQ(Bound(GL_VERTEX_ARRAY_BINDING), 0) << "constructing a vertex array must not bind it";
    vao.Bind();
    VBO vbo(vertices);
    EXPECT_EQ(Bound(GL_ARRAY_BUFFER_BINDING), static_cast<GLint>(vbo.ID));
    GLint size = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 4 * 44);

    vao.LinkAttribute(vbo, 2, 3, GL_FLOAT, 44, reinterpret_cast<void*>(24));
    EXPECT_EQ(Bound(GL_ARRAY_BUFFER_BINDING), 0);
    GLint linked = 0, enabled = 0, stride = 0;
    glGetVertexAttribiv(2, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &linked);
    glGetVertexAttribiv(2, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    glGetVertexAttribiv(2, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
    EXPECT_EQ(linked, static_cast<GLint>(vbo.ID));
    EXPECT_EQ(enabled, GL_TRUE);
    EXPECT_EQ(stride, 44);
    vao.Unbind();

    // Copies share the GL object: deleting through a copy deletes the one buffer.
    VBO copy = vbo;
    copy.Delete();
    EXPECT_FALSE(glIsBuffer(vbo.ID));
    std::vector<GLuint> noIndices;
    EBO empty(noIndices);
    glGetBufferParameteriv(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 0);
    empty.Delete();
    vao.Delete();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlWrappers, MeshRecordsItsIndexBufferAndDrawsWhatItShould) {
    TempDir dir;
    Shader program = ColorProgram(dir);
    Mesh mesh = QuadMesh(glm::vec3(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(Bound(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(Bound(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(Bound(GL_ELEMENT_ARRAY_BUFFER_BINDING), 0);

    Camera camera(1920, 1080, glm::vec3(0.0f, 0.0f, 2.0f));
    camera.updateMatrix(kFieldOfViewDegrees, kNearPlane, kFarPlane);
    glDisable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    program.Activate();
    glUniformMatrix4fv(glGetUniformLocation(program.ID, "model"), 1, GL_FALSE,
                       glm::value_ptr(glm::mat4(1.0f)));
    glm::vec3 lightPos(0.0f);
    // A copy draws the same geometry; the original stays drawable after the copy is gone.
    { Mesh copy = mesh; }
    mesh.Draw(program, camera, lightPos);
    EXPECT_EQ(Bound(GL_VERTEX_ARRAY_BINDING), static_cast<GLint>(mesh.vao.ID));

    EXPECT_EQ(PixelAt(960, 540), glm::u8vec4(255, 0, 0, 255));
    EXPECT_EQ(PixelAt(10, 10), glm::u8vec4(0, 0, 0, 255));

    mesh.DrawShadow(program);
    EXPECT_EQ(Bound(GL_VERTEX_ARRAY_BINDING), 0);
    program.Delete();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Runs of the index list drawn in one call: the lower-right triangle alone, both as neighbouring
// runs, an empty run; then the mesh's GL objects are deleted.
TEST_F(GlWrappers, MeshDrawsRunsOfItsIndicesAndDeletesItsBuffers) {
    TempDir dir;
    Shader program = ColorProgram(dir);
    Mesh mesh = QuadMesh(glm::vec3(1.0f, 0.0f, 0.0f));
    Camera camera(1920, 1080, glm::vec3(0.0f, 0.0f, 2.0f));
    camera.updateMatrix(kFieldOfViewDegrees, kNearPlane, kFarPlane);
    glDisable(GL_DEPTH_TEST);
    program.Activate();
    glUniformMatrix4fv(glGetUniformLocation(program.ID, "model"), 1, GL_FALSE,
                       glm::value_ptr(glm::mat4(1.0f)));
    glm::vec3 lightPos(0.0f);
    const glm::u8vec4 red(255, 0, 0, 255), black(0, 0, 0, 255);
    const struct {
        std::vector<IndexRange> ranges;
        glm::u8vec4 lowerRight, upperLeft;
    } rows[] = {{{{0, 3}}, red, black},
                {{{0, 3}, {3, 3}}, red, red},
                {{{3, 3}, {0, 0}}, black, red},
                {{}, black, black}};
    for (const auto& row : rows) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        mesh.Draw(program, camera, lightPos, row.ranges);
        EXPECT_EQ(PixelAt(1160, 340), row.lowerRight) << row.ranges.size() << " runs";
        EXPECT_EQ(PixelAt(760, 740), row.upperLeft) << row.ranges.size() << " runs";
    }

    mesh.vao.Bind();
    GLint vertexBuffer = 0;
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &vertexBuffer);
    const GLint indexBuffer = Bound(GL_ELEMENT_ARRAY_BUFFER_BINDING);
    mesh.vao.Unbind();
    ASSERT_TRUE(glIsBuffer(static_cast<GLuint>(vertexBuffer)));
    const GLuint vertexArray = mesh.vao.ID;
    mesh.Delete();
    EXPECT_FALSE(glIsBuffer(static_cast<GLuint>(vertexBuffer)));
    EXPECT_FALSE(glIsBuffer(static_cast<GLuint>(indexBuffer)));
    EXPECT_FALSE(glIsVertexArray(vertexArray));
    EXPECT_TRUE(mesh.indices.empty());
    program.Delete();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlWrappers, BillboardFacesTheCameraFromAnyDirection) {
    TempDir dir;
    Shader program = ColorProgram(dir);
    Mesh mesh = QuadMesh(glm::vec3(0.0f, 1.0f, 0.0f));
    glDisable(GL_DEPTH_TEST);

    // Seen edge-on a quad in the z = 0 plane would vanish; as a billboard it stays a square.
    Camera camera(1920, 1080, glm::vec3(20.0f, 5.0f, 0.0f));
    camera.orientation = glm::normalize(glm::vec3(-20.0f, -5.0f, 0.0f));
    camera.updateMatrix(kFieldOfViewDegrees, kNearPlane, kFarPlane);
    glClear(GL_COLOR_BUFFER_BIT);
    mesh.DrawBillboard(program, camera, glm::vec3(0.0f), 4.0f);
    EXPECT_EQ(Bound(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(PixelAt(960, 540), glm::u8vec4(0, 255, 0, 255));

    // The billboard's axes: right and camera-up perpendicular to the view, facing back at it.
    const glm::mat4 model =
        BillboardMatrix(camera.orientation, camera.up, glm::vec3(1.0f, 2.0f, 3.0f), 4.0f);
    const glm::vec3 right(model[0]), billboardUp(model[1]), facing(model[2]);
    EXPECT_NEAR(glm::dot(right, camera.orientation), 0.0f, 1e-5f);
    EXPECT_NEAR(glm::dot(billboardUp, camera.orientation), 0.0f, 1e-5f);
    EXPECT_NEAR(glm::length(right), 4.0f, 1e-5f);
    EXPECT_NEAR(glm::dot(glm::normalize(facing), -camera.orientation), 1.0f, 1e-5f);
    EXPECT_EQ(glm::vec3(model[3]), glm::vec3(1.0f, 2.0f, 3.0f));
    program.Delete();
}
