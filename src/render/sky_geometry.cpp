#include "render/sky_geometry.h"

#include <cmath>
#include <glm/gtc/constants.hpp>

namespace {

constexpr int kDomeSegments = 32;
constexpr GLuint kDomeRowLength = kDomeSegments + 1;
constexpr float kDomeRadius = 500.0f;

// Facing +z with colour (1, 1, 1), so that a billboard shows it lit and untinted.
std::vector<Vertex> CenteredQuad(float half) {
    const glm::vec3 white(1.0f);
    const glm::vec3 normal(0.0f, 0.0f, 1.0f);
    return {{{-half, -half, 0.0f}, white, normal, {0.0f, 0.0f}},
            {{half, -half, 0.0f}, white, normal, {1.0f, 0.0f}},
            {{half, half, 0.0f}, white, normal, {1.0f, 1.0f}},
            {{-half, half, 0.0f}, white, normal, {0.0f, 1.0f}}};
}

// The angles are worked out in double and stored as float; the sines and cosines are taken
// from the stored angles.
float Sin(float angle) {
    return static_cast<float>(std::sin(static_cast<double>(angle)));
}
float Cos(float angle) {
    return static_cast<float>(std::cos(static_cast<double>(angle)));
}

}  // namespace

MeshGeometry SkyDomeGeometry() {
    MeshGeometry dome;
    dome.vertices.reserve(kDomeRowLength * kDomeRowLength);
    for (int ring = 0; ring <= kDomeSegments; ++ring) {
        const float polar = static_cast<float>(ring * glm::pi<double>() * 0.03125);
        const float ringRadius = Sin(polar) * kDomeRadius;
        const float height = Cos(polar) * kDomeRadius;
        for (int column = 0; column <= kDomeSegments; ++column) {
            const float azimuth = static_cast<float>(2 * column * glm::pi<double>() * 0.03125);
            Vertex vertex{};
            vertex.position =
                glm::vec3(Cos(azimuth) * ringRadius, height, Sin(azimuth) * ringRadius);
            dome.vertices.push_back(vertex);
        }
    }

    dome.indices.reserve(6 * kDomeSegments * kDomeSegments);
    for (GLuint ring = 0; ring < kDomeSegments; ++ring) {
        for (GLuint column = 0; column < kDomeSegments; ++column) {
            const GLuint k = ring * kDomeRowLength + column;
            const GLuint below = k + kDomeRowLength;
            dome.indices.insert(dome.indices.end(), {k, below, k + 1, below, below + 1, k + 1});
        }
    }
    return dome;
}

std::vector<Vertex> SunQuadVertices() {
    return CenteredQuad(0.5f);
}

std::vector<Vertex> FlareQuadVertices() {
    return CenteredQuad(0.1f);
}

std::vector<GLuint> SunQuadIndices() {
    return {0, 1, 2, 2, 3, 0};
}
