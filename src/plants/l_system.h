#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <map>
#include <string>
#include <vector>

#include "gfx/vertex.h"
#include "plants/plant_type.h"

// The turtle's whole state, copied whole on '[' and restored whole on ']'.
struct TurtleState {
    glm::vec3 position;
    glm::vec3 heading;
    glm::vec3 right;
    glm::vec3 up;
    float thickness;
    int32_t depth;
};

// A bracketed L-system that rewrites its axiom and walks the result with a 3D turtle, emitting a
// tapered tube per forward step and a curved, double-sided leaf per 'L'. Geometry is appended to
// caller-owned lists; every index written is absolute.
class LSystem {
  public:
    std::string axiom;
    std::map<char, std::string> rules;
    float angle;  // radians, shared by all six rotation symbols
    float baseThickness;

    LSystem(const std::string& axiom, const std::map<char, std::string>& rules, float angle,
            float baseThickness);

    // Parallel rewriting: each pass replaces every symbol that has a rule by its replacement.
    std::string Generate(int iterations) const;

    // Rodrigues' rotation of v about axis (any length) by angle radians, right-handed.
    static glm::vec3 RotateVector(const glm::vec3& v, const glm::vec3& axis, float angle);

    void GenerateMesh(const std::string& symbols, std::vector<Vertex>& vertices,
                      std::vector<uint32_t>& indices, float segmentLength, float taper,
                      int radialSegments) const;

    // The one plant recipe. Types outside PlantType emit nothing; at most two passes are used.
    static void CreatePlant(PlantType type, std::vector<Vertex>& vertices,
                            std::vector<uint32_t>& indices, float size, int iterations,
                            uint32_t seed, float heightFactor);

    // Branch colour from trunk (depth 0) to tip (depth == maxDepth), not clamped.
    static glm::vec3 GetPlantColor(int depth, int maxDepth);

    // Open tube between two points, two rings of radialSegments + 1 vertices, no caps.
    void CreateCylinder(const glm::vec3& start, const glm::vec3& end, float startRadius,
                        float endRadius, std::vector<Vertex>& vertices,
                        std::vector<uint32_t>& indices, const glm::vec3& color,
                        int radialSegments) const;

    // Curled, sagging leaf blade along `direction`, lit on both faces: 68 vertices, 192 indices.
    void CreateFlatLeaf(const glm::vec3& base, const glm::vec3& direction, const glm::vec3& side,
                        float length, float halfWidth, std::vector<Vertex>& vertices,
                        std::vector<uint32_t>& indices, const glm::vec3& color) const;
};
