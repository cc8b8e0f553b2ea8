#pragma once

#include <string>
#include <vector>

#include "geometry_queries.h"
#include "loaded_model.h"

// The generated terrain, well and firefly placed in the world as the player places them; loaded
// once and shared by the tests.
struct PlacedScene {
    LoadedModel terrain;
    std::vector<WorldTriangle> terrainTriangles;
    HeightProbe ground;
    std::vector<WorldTriangle> well;
    std::vector<std::string> wellMaterialNames;
    float wellFootprintRadius;  // horizontal reach of the well's solids from its axis
    float fireflyFlightRadius;  // the firefly's size in flight, from its centre
};

const PlacedScene& Scene();
