#include "render/scene_assembly.h"

#include <ostream>

#include "gfx/obj_loader.h"
#include "render/scene_layout.h"
#include "render/sky_geometry.h"

namespace {

Mesh MeshOf(std::vector<Vertex> vertices, std::vector<GLuint> indices, const Texture& texture) {
    std::vector<Texture> textures{texture};
    return Mesh(vertices, indices, textures);
}

}  // namespace

std::vector<Mesh> LoadModel(const char* path, const char* failureMessage, const Console& console) {
    std::vector<Mesh> meshes;
    if (!LoadOBJ(path, meshes, console)) throw StartupFailure(failureMessage);
    return meshes;
}

std::vector<Vertex> WorldSpaceVertices(const std::vector<Mesh>& meshes, const glm::mat4& model) {
    std::vector<Vertex> world;
    for (const Mesh& mesh : meshes) {
        for (Vertex vertex : mesh.vertices) {
            vertex.position = glm::vec3(model * glm::vec4(vertex.position, 1.0f));
            world.push_back(vertex);
        }
    }
    return world;
}

PlantBatch GrowPlants(PlantManager& plantManager, const std::vector<Vertex>& terrainVertices,
                      std::ostream& out) {
    plantManager.GeneratePlantsOnTerrain(terrainVertices, scene_layout::kPlantHeightLimit, 200, 42);
    PlantBatch plants = BatchPlants(plantManager);
    out << "Generated " << plants.ranges.size() << " plants on terrain" << std::endl;
    return plants;
}

Mesh SunQuadMesh(const Texture& texture) {
    return MeshOf(SunQuadVertices(), SunQuadIndices(), texture);
}

Mesh SkyDomeMesh(const Texture& texture) {
    MeshGeometry dome = SkyDomeGeometry();
    return MeshOf(std::move(dome.vertices), std::move(dome.indices), texture);
}

Mesh FlareQuadMesh(const Texture& texture) {
    return MeshOf(FlareQuadVertices(), SunQuadIndices(), texture);
}
