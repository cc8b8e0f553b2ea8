#include "plants/plant_recipe.h"

#include <algorithm>
#include <glm/gtc/constants.hpp>
#include <random>

#include "plants/l_system.h"
#include "plants/seeded_random.h"

float DrawPlantVariation(uint32_t seed) {
    std::mt19937 engine(seed);
    return UniformReal(engine, 0.9f, 1.1f);
}

float PlantTurningAngle(float heightFactor, float variation) {
    const float degrees = 60.0f - 35.0f * heightFactor;
    return static_cast<float>(degrees * glm::pi<double>() / 180.0 * variation);
}

namespace {

// A stem with eight leaves: four tilted away from it by one or two turns, four along it with
// their blades twisted about it.
const char* const kStemWithLeaves = "F[++L][+L][-L][--L][\\\\L][\\L][/L][//L]";

// Beyond two passes the plant only repeats the same leaves on top of each other.
const int kMaxPasses = 2;
const float kTaper = 0.6f;
const int kRadialSegments = 8;

bool IsKnownType(PlantType type) {
    return type >= Type0 && type <= Type4;
}

}  // namespace

void LSystem::CreatePlant(PlantType type, std::vector<Vertex>& vertices,
                          std::vector<uint32_t>& indices, float size, int iterations, uint32_t seed,
                          float heightFactor) {
    const float variation = DrawPlantVariation(seed);

    std::string axiom;
    std::map<char, std::string> rules;
    if (IsKnownType(type)) {
        axiom = "F";
        rules = {{'F', kStemWithLeaves}, {'L', "L"}};
    }
    const int passes = std::min(iterations, kMaxPasses);
    const float segmentLength = 0.3f * size;

    const LSystem plant(axiom, rules, PlantTurningAngle(heightFactor, variation), 0.06f * size);
    plant.GenerateMesh(plant.Generate(passes), vertices, indices, segmentLength, kTaper,
                       kRadialSegments);
}
