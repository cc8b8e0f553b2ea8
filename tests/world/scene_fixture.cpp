#include "scene_fixture.h"

#include <algorithm>

#include "generated_world.h"
#include "render/scene_layout.h"

namespace {

float HorizontalReach(const std::vector<WorldTriangle>& triangles, const glm::vec3& axis) {
    float reach = 0.0f;
    for (const WorldTriangle& t : triangles) {
        for (const glm::vec3& p : {t.a, t.b, t.c}) {
            reach = std::max(reach, glm::length(glm::vec2(p.x - axis.x, p.z - axis.z)));
        }
    }
    return reach;
}

float Reach(const LoadedModel& model) {
    float reach = 0.0f;
    for (size_t i = 0; i + 2 < model.attrib.vertices.size(); i += 3) {
        reach = std::max(
            reach, glm::length(glm::vec3(model.attrib.vertices[i], model.attrib.vertices[i + 1],
                                         model.attrib.vertices[i + 2])));
    }
    return reach;
}

PlacedScene Load() {
    const std::string dir = GeneratedWorldDir() + "/models/";
    LoadedModel terrain = LoadLikeThePlayer(dir + "islands/islands.obj");
    std::vector<WorldTriangle> triangles =
        WorldTriangles(terrain, glm::vec3(0.0f, -scene_layout::kTerrainDrop, 0.0f), 1.0f);
    const LoadedModel wellModel = LoadLikeThePlayer(dir + "well/well.obj");
    std::vector<WorldTriangle> well =
        WorldTriangles(wellModel, scene_layout::kWellBase, scene_layout::kWellScale);
    const float footprint = HorizontalReach(well, scene_layout::kWellBase);
    std::vector<std::string> wellMaterialNames;
    for (const tinyobj::material_t& material : wellModel.materials) {
        wellMaterialNames.push_back(material.name);
    }
    const LoadedModel firefly = LoadLikeThePlayer(dir + "firefly/Firefly_Flit.obj");
    return PlacedScene{std::move(terrain),
                       triangles,
                       HeightProbe(triangles),
                       std::move(well),
                       std::move(wellMaterialNames),
                       footprint,
                       Reach(firefly) * scene_layout::kFireflyFlightScale};
}

}  // namespace

const PlacedScene& Scene() {
    static const PlacedScene scene = Load();
    return scene;
}
