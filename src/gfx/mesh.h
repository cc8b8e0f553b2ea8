#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "gfx/camera.h"
#include "gfx/gl.h"
#include "gfx/shader.h"
#include "gfx/texture.h"
#include "gfx/vao.h"
#include "gfx/vertex.h"

// A run of a mesh's index list: `count` indices from `first`.
struct IndexRange {
    GLuint first;
    GLsizei count;
};

// An indexed triangle list with its textures, uploaded once. Copies draw the same GL objects;
// nothing here ever deletes them (they live as long as the context).
//
// Texture unit rule: textures[i] must have been created on unit i, because the sampler uniform
// of the i-th texture is pointed at unit i.
class Mesh {
  public:
    std::vector<Vertex> vertices;
    std::vector<GLuint> indices;
    std::vector<Texture> textures;
    VAO vao;

    Mesh(std::vector<Vertex>& vertices, std::vector<GLuint>& indices,
         std::vector<Texture>& textures);

    // Lit draw: sets "useTexture", the samplers, "camPos", "lightPos" and "camMatrix"; the caller
    // has set "model" and the pass's own uniforms. Leaves the vertex array bound.
    void Draw(Shader& shader, Camera& camera, glm::vec3& lightPos);
    // The same for only these runs of the index list, in their order, in one draw call.
    void Draw(Shader& shader, Camera& camera, glm::vec3& lightPos,
              const std::vector<IndexRange>& ranges);
    // A camera-facing quad centred at `position`, scaled by `size`.
    void DrawBillboard(Shader& shader, Camera& camera, glm::vec3 position, float size);
    // Geometry only, for the depth pass.
    void DrawShadow(Shader& shader);
    void DrawShadow(Shader& shader, const std::vector<IndexRange>& ranges);
    // Deletes the vertex array and the vertex and index buffers it holds (every copy of this
    // mesh loses them), and empties the lists.
    void Delete();

  private:
    // The buffers the vertex array reads, kept to be deleted with it (a WebGL context cannot be
    // asked for a vertex array's buffers).
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;

    void PrepareTexturedDraw(Shader& shader);
    void BindTextures(Shader& shader);
    void DrawElements();
    void DrawElements(const std::vector<IndexRange>& ranges);
    void SetViewUniforms(Shader& shader, Camera& camera, glm::vec3& lightPos);
};
