#pragma once

#include <glm/glm.hpp>
#include <stdexcept>
#include <vector>

#include "base/console.h"
#include "gfx/mesh.h"
#include "gfx/texture.h"
#include "gfx/vertex.h"
#include "plants/plant_manager.h"
#include "render/plant_batch.h"

// A start-up step that cannot go on: the message is the line the user sees.
class StartupFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The model's meshes, its lines on `console`; throws StartupFailure with `failureMessage` when it
// cannot be loaded.
std::vector<Mesh> LoadModel(const char* path, const char* failureMessage, const Console& console);

// Every vertex of the meshes with its position moved by `model`.
std::vector<Vertex> WorldSpaceVertices(const std::vector<Mesh>& meshes, const glm::mat4& model);

// Places the plants on the terrain, builds them into one mesh and reports on `out` how many
// there are.
PlantBatch GrowPlants(PlantManager& plantManager, const std::vector<Vertex>& terrainVertices,
                      std::ostream& out);

Mesh SunQuadMesh(const Texture& texture);
Mesh SkyDomeMesh(const Texture& texture);
Mesh FlareQuadMesh(const Texture& texture);
