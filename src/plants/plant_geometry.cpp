#include <array>
#include <cmath>
#include <glm/gtc/constants.hpp>

#include "plants/l_system.h"

namespace {

const double kPi = glm::pi<double>();

const glm::vec3 kTrunkColor(0.28f, 0.42f, 0.32f);
const glm::vec3 kTipColor(0.32f, 0.58f, 0.42f);

const int kLeafSegments = 16;
const int kVerticesPerSpinePoint = 4;

// A float length scaled by a trigonometric value: the product is formed in double and rounded
// once, so the shape does not depend on single-precision sine and cosine.
float Scaled(float length, double trig) {
    return static_cast<float>(length * trig);
}

}  // namespace

glm::vec3 LSystem::GetPlantColor(int depth, int maxDepth) {
    const float x = static_cast<float>(depth) / static_cast<float>(maxDepth == 0 ? 1 : maxDepth);
    return (1.0f - x) * kTrunkColor + x * kTipColor;
}

void LSystem::CreateCylinder(const glm::vec3& start, const glm::vec3& end, float startRadius,
                             float endRadius, std::vector<Vertex>& vertices,
                             std::vector<uint32_t>& indices, const glm::vec3& color,
                             int radialSegments) const {
    const uint32_t base = static_cast<uint32_t>(vertices.size());
    const glm::vec3 dir = glm::normalize(end - start);
    // Any vector far enough from the tube's direction gives a stable frame around it.
    const glm::vec3 reference =
        std::abs(dir.y) < 0.9f ? glm::vec3(0.0f, 1.0f, 0.0f) : glm::vec3(1.0f, 0.0f, 0.0f);
    const glm::vec3 rightAxis = glm::normalize(glm::cross(dir, reference));
    const glm::vec3 forwardAxis = glm::cross(dir, rightAxis);

    const std::array<glm::vec3, 2> centres = {start, end};
    const std::array<float, 2> radii = {startRadius, endRadius};
    for (int ring = 0; ring < 2; ++ring) {
        for (int i = 0; i <= radialSegments; ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(radialSegments);
            const double theta = 2.0 * kPi * t;
            const glm::vec3 offset = rightAxis * Scaled(radii[ring], std::cos(theta)) +
                                     forwardAxis * Scaled(radii[ring], std::sin(theta));
            vertices.push_back({centres[ring] + offset, color, glm::normalize(offset),
                                glm::vec2(t, static_cast<float>(ring))});
        }
    }

    const uint32_t ringSize = static_cast<uint32_t>(radialSegments) + 1;
    for (uint32_t i = 0; i < static_cast<uint32_t>(radialSegments); ++i) {
        const uint32_t a = base + i;
        const uint32_t b = a + 1;
        const uint32_t c = base + ringSize + i;
        const uint32_t d = c + 1;
        indices.insert(indices.end(), {a, c, b, b, c, d});
    }
}

void LSystem::CreateFlatLeaf(const glm::vec3& base, const glm::vec3& direction,
                             const glm::vec3& side, float length, float halfWidth,
                             std::vector<Vertex>& vertices, std::vector<uint32_t>& indices,
                             const glm::vec3& color) const {
    const uint32_t first = static_cast<uint32_t>(vertices.size());
    const glm::vec3 d = glm::normalize(direction);
    const glm::vec3 r = glm::normalize(side);
    const glm::vec3 n = glm::normalize(glm::cross(d, r));

    // The spine curls a quarter length towards -r by the tip and sags towards -n, most at
    // mid-length, returning to the unbent plane at the tip.
    std::array<glm::vec3, kLeafSegments + 1> spine;
    for (int i = 0; i <= kLeafSegments; ++i) {
        const float t = static_cast<float>(i) / kLeafSegments;
        const float bend = 0.25f * length * t;
        spine[i] = base + d * (length * t) + r * Scaled(bend, std::sin(1.5 * kPi * t)) +
                   n * Scaled(bend, std::cos(2.0 * kPi * t) - 1.0);
    }

    for (int i = 0; i <= kLeafSegments; ++i) {
        const float t = static_cast<float>(i) / kLeafSegments;
        const float width = halfWidth * (1.0f - t * t * t);
        const int from = i < kLeafSegments ? i : kLeafSegments - 1;
        const glm::vec3 tangent = glm::normalize(spine[from + 1] - spine[from]);
        const glm::vec3 across = glm::normalize(glm::cross(tangent, n));
        const glm::vec3 faceNormal = glm::normalize(glm::cross(tangent, across));
        const glm::vec3 leftEdge = spine[i] - across * width;
        const glm::vec3 rightEdge = spine[i] + across * width;
        // Both faces share positions; only the normal's sign differs, so either side is lit.
        vertices.push_back({leftEdge, color, faceNormal, glm::vec2(0.0f, t)});
        vertices.push_back({rightEdge, color, faceNormal, glm::vec2(1.0f, t)});
        vertices.push_back({leftEdge, color, -faceNormal, glm::vec2(0.0f, t)});
        vertices.push_back({rightEdge, color, -faceNormal, glm::vec2(1.0f, t)});
    }

    for (uint32_t i = 0; i < kLeafSegments; ++i) {
        const uint32_t q = first + kVerticesPerSpinePoint * i;
        indices.insert(indices.end(), {q, q + 1, q + 4, q + 1, q + 5, q + 4, q + 2, q + 6, q + 3,
                                       q + 3, q + 6, q + 7});
    }
}
