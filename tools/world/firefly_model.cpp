#include "firefly_model.h"

#include <glm/gtc/matrix_transform.hpp>

#include "angles.h"
#include "firefly_atlas.h"
#include "shapes.h"

namespace {

using firefly_atlas::CellRect;

constexpr int kMaterial = 0;

glm::mat4 Ellipsoid(const glm::vec3& centre, const glm::vec3& radii) {
    return glm::scale(glm::translate(glm::mat4(1.0f), centre), radii);
}

void AddBody(ModelMesh& mesh) {
    using namespace firefly_atlas;
    AddEllipsoid(mesh, Ellipsoid({0.0f, 0.95f, -0.02f}, {0.17f, 0.2f, 0.15f}), 8, 12, kMaterial,
                 CellRect(kChitin));
    for (const float side : {-1.0f, 1.0f}) {
        AddEllipsoid(mesh, Ellipsoid({side * 0.13f, 1.02f, 0.0f}, glm::vec3(0.075f)), 6, 8,
                     kMaterial, CellRect(kChitin));
        AddTube(mesh, {side * 0.07f, 1.1f, 0.06f}, {side * 0.3f, 1.5f, 0.26f}, 0.022f, 5, kMaterial,
                CellRect(kChitin));
    }
    AddEllipsoid(mesh, Ellipsoid({0.0f, 0.74f, 0.07f}, {0.3f, 0.24f, 0.1f}), 8, 14, kMaterial,
                 CellRect(kPronotum));
    AddEllipsoid(mesh, Ellipsoid({0.0f, 0.48f, 0.0f}, {0.22f, 0.24f, 0.18f}), 8, 12, kMaterial,
                 CellRect(kChitin));
    AddEllipsoid(mesh, Ellipsoid({0.0f, -0.12f, -0.02f}, {0.24f, 0.52f, 0.18f}), 10, 14, kMaterial,
                 CellRect(kAbdomen));
    AddEllipsoid(mesh, Ellipsoid({0.0f, -0.72f, -0.05f}, {0.2f, 0.3f, 0.16f}), 8, 14, kMaterial,
                 CellRect(kLantern));
}

void AddWings(ModelMesh& mesh) {
    using namespace firefly_atlas;
    for (const float side : {-1.0f, 1.0f}) {
        // Wing cases are lifted and swung out from the shoulders, as in flight.
        glm::mat4 elytron = glm::translate(glm::mat4(1.0f), {side * 0.1f, 0.42f, 0.12f});
        elytron = glm::rotate(elytron, side * 22.0f * kDegrees, {0.0f, 0.0f, 1.0f});
        elytron = glm::rotate(elytron, side * 35.0f * kDegrees, {0.0f, 1.0f, 0.0f});
        elytron = glm::rotate(elytron, 18.0f * kDegrees, {1.0f, 0.0f, 0.0f});
        elytron = glm::translate(elytron, {0.0f, -0.55f, 0.0f});
        AddEllipsoid(mesh, glm::scale(elytron, {0.16f, 0.6f, 0.05f}), 8, 10, kMaterial,
                     CellRect(kElytron));

        // Hind wings: thin membranes spread sideways and a little back.
        glm::mat4 wing = glm::translate(glm::mat4(1.0f), {side * 0.12f, 0.4f, 0.16f});
        wing = glm::rotate(wing, -side * 12.0f * kDegrees, {0.0f, 0.0f, 1.0f});
        wing = glm::rotate(wing, side * 14.0f * kDegrees, {0.0f, 1.0f, 0.0f});
        wing = glm::translate(wing, {side * 0.62f, 0.0f, 0.0f});
        AddTwoSidedDisc(mesh, glm::scale(wing, {0.62f, 0.24f, 1.0f}), 14, kMaterial,
                        CellRect(kWing));
    }
}

void AddLegs(ModelMesh& mesh) {
    using namespace firefly_atlas;
    const float hipY[3] = {0.58f, 0.48f, 0.38f};
    const float footY[3] = {0.85f, 0.45f, 0.05f};
    for (const float side : {-1.0f, 1.0f}) {
        for (int pair = 0; pair < 3; ++pair) {
            const glm::vec3 hip(side * 0.14f, hipY[pair], -0.12f);
            const glm::vec3 knee(side * 0.36f, (hipY[pair] + footY[pair]) * 0.5f, -0.14f);
            const glm::vec3 foot(side * 0.44f, footY[pair], -0.42f);
            AddTube(mesh, hip, knee, 0.03f, 5, kMaterial, CellRect(kChitin));
            AddTube(mesh, knee, foot, 0.022f, 5, kMaterial, CellRect(kChitin));
        }
    }
}

}  // namespace

Model MakeFireflyModel() {
    Model model;
    model.materials = {{"firefly", {1.0f, 1.0f, 1.0f}, "firefly_diffuse.png", "firefly_glow.png"}};
    AddBody(model.mesh);
    AddWings(model.mesh);
    AddLegs(model.mesh);
    return model;
}
