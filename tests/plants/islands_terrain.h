#pragma once

#include <sstream>
#include <vector>

#include "gfx/obj_loader.h"
#include "gfx/vertex.h"

inline const char* const kIslandsPath = "resources/models/islands/islands.obj";

// The islands' vertices in world space, in the order the player hands them to the plant
// placement: the file sits one unit above the world. Empty when the file cannot be read (the
// resources build target writes it).
inline std::vector<Vertex> IslandsTerrainVertices() {
    std::vector<ObjMaterialGeometry> materials;
    std::vector<Vertex> world;
    std::ostringstream lines;
    if (!ReadObjGeometry(kIslandsPath, materials, lines)) {
        return world;
    }
    for (const ObjMaterialGeometry& material : materials) {
        for (Vertex vertex : material.vertices) {
            vertex.position.y -= 1.0f;
            world.push_back(vertex);
        }
    }
    return world;
}
