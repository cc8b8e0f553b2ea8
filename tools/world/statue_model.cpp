#include "statue_model.h"

#include <glm/gtc/matrix_transform.hpp>

#include "shapes.h"

namespace {

constexpr int kMarble = 0;

glm::mat4 At(const glm::vec3& centre) {
    return glm::translate(glm::mat4(1.0f), centre);
}

}  // namespace

Model MakeStatueModel() {
    Model model;
    model.materials = {{"marble", {0.82f, 0.8f, 0.76f}, "", ""}};
    ModelMesh& mesh = model.mesh;
    const UvRect whole;
    // Pedestal: base, die and cap.
    AddBox(mesh, At({0.0f, 0.15f, 0.0f}), {2.4f, 0.3f, 2.4f}, 0.5f, {}, kMarble);
    AddBox(mesh, At({0.0f, 0.9f, 0.0f}), {1.9f, 1.2f, 1.9f}, 0.5f, {}, kMarble);
    AddBox(mesh, At({0.0f, 1.6f, 0.0f}), {2.2f, 0.2f, 2.2f}, 0.5f, {}, kMarble);
    // Robe falling to the feet, torso, shoulders and head.
    AddEllipsoid(mesh, glm::scale(At({0.0f, 2.55f, 0.0f}), {0.55f, 0.95f, 0.45f}), 12, 16, kMarble,
                 whole);
    AddEllipsoid(mesh, glm::scale(At({0.0f, 3.55f, 0.0f}), {0.42f, 0.55f, 0.3f}), 10, 16, kMarble,
                 whole);
    AddEllipsoid(mesh, glm::scale(At({0.0f, 4.35f, 0.0f}), {0.2f, 0.26f, 0.22f}), 10, 14, kMarble,
                 whole);
    AddTube(mesh, {0.0f, 3.95f, 0.0f}, {0.0f, 4.15f, 0.0f}, 0.1f, 10, kMarble, whole);
    // One arm hangs at the side, the other is raised holding a small lamp.
    AddTube(mesh, {-0.42f, 3.9f, 0.0f}, {-0.55f, 3.2f, 0.05f}, 0.09f, 8, kMarble, whole);
    AddTube(mesh, {-0.55f, 3.2f, 0.05f}, {-0.5f, 2.6f, 0.12f}, 0.08f, 8, kMarble, whole);
    AddTube(mesh, {0.42f, 3.9f, 0.0f}, {0.7f, 4.4f, 0.1f}, 0.09f, 8, kMarble, whole);
    AddTube(mesh, {0.7f, 4.4f, 0.1f}, {0.75f, 5.0f, 0.15f}, 0.08f, 8, kMarble, whole);
    AddEllipsoid(mesh, glm::scale(At({0.76f, 5.2f, 0.16f}), glm::vec3(0.14f)), 8, 10, kMarble,
                 whole);
    // Feet peeking out under the robe.
    for (const float side : {-1.0f, 1.0f}) {
        AddEllipsoid(mesh, glm::scale(At({side * 0.18f, 1.78f, 0.3f}), {0.1f, 0.08f, 0.18f}), 6, 8,
                     kMarble, whole);
    }
    return model;
}
