#include "gfx/mesh.h"

#include <cstddef>
#include <glm/gtc/type_ptr.hpp>

#include "gfx/billboard.h"
#include "gfx/ebo.h"
#include "gfx/gl_dialect.h"
#include "gfx/sampler_names.h"

Mesh::Mesh(std::vector<Vertex>& vertices, std::vector<GLuint>& indices,
           std::vector<Texture>& textures)
    : vertices(vertices), indices(indices), textures(textures) {
    vao.Bind();
    VBO vbo(this->vertices);
    EBO ebo(this->indices);
    const std::int64_t stride = sizeof(Vertex);
    vao.LinkAttribute(vbo, 0, 3, GL_FLOAT, stride,
                      reinterpret_cast<void*>(offsetof(Vertex, position)));
    vao.LinkAttribute(vbo, 1, 3, GL_FLOAT, stride,
                      reinterpret_cast<void*>(offsetof(Vertex, color)));
    vao.LinkAttribute(vbo, 2, 3, GL_FLOAT, stride,
                      reinterpret_cast<void*>(offsetof(Vertex, normal)));
    vao.LinkAttribute(vbo, 3, 2, GL_FLOAT, stride,
                      reinterpret_cast<void*>(offsetof(Vertex, texUV)));
    // The vertex array goes first: unbinding the index buffer while it is bound would remove the
    // index buffer from it.
    vao.Unbind();
    vbo.Unbind();
    ebo.Unbind();
    vertexBuffer = vbo.ID;
    indexBuffer = ebo.ID;
}

void Mesh::BindTextures(Shader& shader) {
    std::vector<const char*> types;
    for (const Texture& texture : textures) types.push_back(texture.type);
    const std::vector<std::string> names = SamplerNames(types);
    for (std::size_t i = 0; i < textures.size(); ++i) {
        textures[i].texUnit(shader, names[i].c_str(), static_cast<GLuint>(i));
        textures[i].Bind();
    }
}

void Mesh::PrepareTexturedDraw(Shader& shader) {
    shader.Activate();
    vao.Bind();
    glUniform1i(glGetUniformLocation(shader.ID, "useTexture"), textures.empty() ? 0 : 1);
    BindTextures(shader);
}

void Mesh::DrawElements() {
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(indices.size()), GL_UNSIGNED_INT, nullptr);
}

// Neighbouring runs become one; the rest go to the driver in a single call.
void Mesh::DrawElements(const std::vector<IndexRange>& ranges) {
    std::vector<GLsizei> counts;
    std::vector<const void*> offsets;
    GLuint end = 0;
    for (const IndexRange& range : ranges) {
        if (range.count <= 0) continue;
        if (!counts.empty() && range.first == end) {
            counts.back() += range.count;
        } else {
            counts.push_back(range.count);
            offsets.push_back(reinterpret_cast<const void*>(range.first * sizeof(GLuint)));
        }
        end = range.first + static_cast<GLuint>(range.count);
    }
    if (counts.empty()) return;
    DrawTriangleRuns(counts.data(), offsets.data(), static_cast<GLsizei>(counts.size()));
}

void Mesh::Draw(Shader& shader, Camera& camera, glm::vec3& lightPos) {
    PrepareTexturedDraw(shader);
    SetViewUniforms(shader, camera, lightPos);
    DrawElements();
}

void Mesh::Draw(Shader& shader, Camera& camera, glm::vec3& lightPos,
                const std::vector<IndexRange>& ranges) {
    PrepareTexturedDraw(shader);
    SetViewUniforms(shader, camera, lightPos);
    DrawElements(ranges);
}

void Mesh::SetViewUniforms(Shader& shader, Camera& camera, glm::vec3& lightPos) {
    glUniform3f(glGetUniformLocation(shader.ID, "camPos"), camera.position.x, camera.position.y,
                camera.position.z);
    glUniform3f(glGetUniformLocation(shader.ID, "lightPos"), lightPos.x, lightPos.y, lightPos.z);
    camera.Matrix(shader, "camMatrix");
}

void Mesh::DrawBillboard(Shader& shader, Camera& camera, glm::vec3 position, float size) {
    PrepareTexturedDraw(shader);
    const glm::mat4 model = BillboardMatrix(camera.orientation, camera.up, position, size);
    glUniformMatrix4fv(glGetUniformLocation(shader.ID, "model"), 1, GL_FALSE,
                       glm::value_ptr(model));
    camera.Matrix(shader, "camMatrix");
    DrawElements();
    glBindVertexArray(0);
}

void Mesh::DrawShadow(Shader& shader) {
    shader.Activate();
    vao.Bind();
    DrawElements();
    vao.Unbind();
}

void Mesh::DrawShadow(Shader& shader, const std::vector<IndexRange>& ranges) {
    shader.Activate();
    vao.Bind();
    DrawElements(ranges);
    vao.Unbind();
}

void Mesh::Delete() {
    const GLuint buffers[] = {vertexBuffer, indexBuffer};
    glDeleteBuffers(2, buffers);
    vertexBuffer = indexBuffer = 0;
    vao.Delete();
    std::vector<Vertex>().swap(vertices);
    std::vector<GLuint>().swap(indices);
}
