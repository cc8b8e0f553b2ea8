#pragma once

#include <glm/glm.hpp>
#include <vector>

#include "gfx/camera.h"
#include "gfx/gl.h"
#include "gfx/shader.h"
#include "gfx/texture.h"
#include "gfx/vao.h"
#include "gfx/vertex.h"

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
    // A camera-facing quad centred at `position`, scaled by `size`.
    void DrawBillboard(Shader& shader, Camera& camera, glm::vec3 position, float size);
    // Geometry only, for the depth pass.
    void DrawShadow(Shader& shader);

  private:
    void PrepareTexturedDraw(Shader& shader);
    void BindTextures(Shader& shader);
    void DrawElements();
};
