#include "shapes.h"

#include <array>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <vector>

#include "angles.h"

namespace {

// Adds a triangle wound to face along its corners' normals; drops it when it has no area.
void AddFacingTriangle(ModelMesh& mesh, uint32_t a, uint32_t b, uint32_t c, int material) {
    const glm::vec3& pa = mesh.positions[a];
    const glm::vec3 faceNormal = glm::cross(mesh.positions[b] - pa, mesh.positions[c] - pa);
    if (glm::dot(faceNormal, faceNormal) < 1e-14f) return;
    const glm::vec3 vertexNormals = mesh.normals[a] + mesh.normals[b] + mesh.normals[c];
    if (glm::dot(faceNormal, vertexNormals) < 0.0f) std::swap(b, c);
    mesh.AddTriangle(a, b, c, material);
}

uint32_t AddPlacedVertex(ModelMesh& mesh, const glm::mat4& placement, const glm::mat3& normalMatrix,
                         const glm::vec3& position, const glm::vec3& normal, const glm::vec2& uv) {
    return mesh.AddVertex(glm::vec3(placement * glm::vec4(position, 1.0f)),
                          glm::normalize(normalMatrix * normal), uv);
}

glm::mat3 NormalMatrix(const glm::mat4& placement) {
    return glm::transpose(glm::inverse(glm::mat3(placement)));
}

// A flat polygon given by its corners (counter-clockwise seen from the side `normal` points to).
void AddFlatQuad(ModelMesh& mesh, const std::array<glm::vec3, 4>& corners, const glm::vec3& normal,
                 const std::array<glm::vec2, 4>& uvs, int material) {
    uint32_t index[4];
    for (int i = 0; i < 4; ++i) index[i] = mesh.AddVertex(corners[i], normal, uvs[i]);
    AddFacingTriangle(mesh, index[0], index[1], index[2], material);
    AddFacingTriangle(mesh, index[0], index[2], index[3], material);
}

}  // namespace

void AddSurface(ModelMesh& mesh, const std::function<SurfacePoint(float u, float v)>& surface,
                int columns, int rows, const glm::mat4& placement, int material, const UvRect& uv) {
    const glm::mat3 normalMatrix = NormalMatrix(placement);
    const uint32_t first = static_cast<uint32_t>(mesh.positions.size());
    for (int row = 0; row <= rows; ++row) {
        for (int column = 0; column <= columns; ++column) {
            const float u = static_cast<float>(column) / static_cast<float>(columns);
            const float v = static_cast<float>(row) / static_cast<float>(rows);
            const SurfacePoint point = surface(u, v);
            AddPlacedVertex(mesh, placement, normalMatrix, point.position, point.normal,
                            uv.Map({u, v}));
        }
    }
    const auto at = [&](int column, int row) {
        return first + static_cast<uint32_t>(row * (columns + 1) + column);
    };
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            AddFacingTriangle(mesh, at(column, row), at(column + 1, row), at(column + 1, row + 1),
                              material);
            AddFacingTriangle(mesh, at(column, row), at(column + 1, row + 1), at(column, row + 1),
                              material);
        }
    }
}

void AddEllipsoid(ModelMesh& mesh, const glm::mat4& placement, int rings, int segments,
                  int material, const UvRect& uv) {
    const auto sphere = [](float u, float v) {
        const float longitude = 2.0f * kPi * u;
        const float latitude = kPi * (v - 0.5f);
        const glm::vec3 p(std::cos(latitude) * std::cos(longitude), std::sin(latitude),
                          std::cos(latitude) * std::sin(longitude));
        return SurfacePoint{p, p};
    };
    AddSurface(mesh, sphere, segments, rings, placement, material, uv);
}

void AddTube(ModelMesh& mesh, const glm::vec3& from, const glm::vec3& to, float radius,
             int segments, int material, const UvRect& uv) {
    const glm::vec3 axis = to - from;
    const glm::vec3 forward = glm::normalize(axis);
    const glm::vec3 helper = std::fabs(forward.y) < 0.9f ? glm::vec3(0, 1, 0) : glm::vec3(1, 0, 0);
    const glm::vec3 side = glm::normalize(glm::cross(helper, forward));
    const glm::vec3 up = glm::cross(forward, side);
    // Local frame: x = side, y = along the tube, z = up; the unit tube runs from y = 0 to y = 1.
    const glm::mat4 placement(glm::vec4(side * radius, 0.0f), glm::vec4(axis, 0.0f),
                              glm::vec4(up * radius, 0.0f), glm::vec4(from, 1.0f));
    const auto wall = [](float u, float v) {
        const float angle = 2.0f * kPi * u;
        const glm::vec3 radial(std::cos(angle), 0.0f, std::sin(angle));
        return SurfacePoint{radial + glm::vec3(0.0f, v, 0.0f), radial};
    };
    AddSurface(mesh, wall, segments, 1, placement, material, uv);
    for (const float end : {0.0f, 1.0f}) {
        const auto cap = [end](float u, float v) {
            const float angle = 2.0f * kPi * u;
            const glm::vec3 p(v * std::cos(angle), end, v * std::sin(angle));
            return SurfacePoint{p, glm::vec3(0.0f, end > 0.5f ? 1.0f : -1.0f, 0.0f)};
        };
        AddSurface(mesh, cap, segments, 1, placement, material, uv);
    }
}

void AddBox(ModelMesh& mesh, const glm::mat4& placement, const glm::vec3& size, float uvPerUnit,
            const glm::vec2& uvOffset, int material) {
    const glm::vec3 half = size * 0.5f;
    const glm::mat3 rotation(placement);
    for (int axis = 0; axis < 3; ++axis) {
        const int a = (axis + 1) % 3;
        const int b = (axis + 2) % 3;
        for (const float sign : {-1.0f, 1.0f}) {
            glm::vec3 normal(0.0f);
            normal[axis] = sign;
            std::array<glm::vec3, 4> corners;
            std::array<glm::vec2, 4> uvs;
            const float signsA[4] = {-1, 1, 1, -1};
            const float signsB[4] = {-1, -1, 1, 1};
            for (int i = 0; i < 4; ++i) {
                glm::vec3 local(0.0f);
                local[axis] = sign * half[axis];
                local[a] = signsA[i] * half[a];
                local[b] = signsB[i] * half[b];
                corners[i] = glm::vec3(placement * glm::vec4(local, 1.0f));
                uvs[i] = uvOffset + glm::vec2((local[a] + half[a]) * uvPerUnit,
                                              (local[b] + half[b]) * uvPerUnit);
            }
            AddFlatQuad(mesh, corners, glm::normalize(rotation * normal), uvs, material);
        }
    }
}

void AddRingBlock(ModelMesh& mesh, float innerRadius, float outerRadius, float angle0, float angle1,
                  float y0, float y1, int steps, int material, const UvRect& uv) {
    const glm::mat4 identity(1.0f);
    for (const float radius : {innerRadius, outerRadius}) {
        const float facing = radius == outerRadius ? 1.0f : -1.0f;
        const auto face = [=](float u, float v) {
            const float angle = angle0 + (angle1 - angle0) * u;
            const glm::vec3 radial(std::cos(angle), 0.0f, std::sin(angle));
            return SurfacePoint{radial * radius + glm::vec3(0.0f, y0 + (y1 - y0) * v, 0.0f),
                                radial * facing};
        };
        AddSurface(mesh, face, steps, 1, identity, material, uv);
    }
    for (const float y : {y0, y1}) {
        const auto face = [=](float u, float v) {
            const float angle = angle0 + (angle1 - angle0) * u;
            const float radius = innerRadius + (outerRadius - innerRadius) * v;
            return SurfacePoint{glm::vec3(std::cos(angle) * radius, y, std::sin(angle) * radius),
                                glm::vec3(0.0f, y == y1 ? 1.0f : -1.0f, 0.0f)};
        };
        const UvRect band{uv.min, {uv.max.x, uv.min.y + (uv.max.y - uv.min.y) * 0.25f}};
        AddSurface(mesh, face, steps, 1, identity, material, band);
    }
    for (const float angle : {angle0, angle1}) {
        const glm::vec3 radial(std::cos(angle), 0.0f, std::sin(angle));
        const glm::vec3 tangent(-radial.z, 0.0f, radial.x);
        const glm::vec3 normal = angle == angle1 ? tangent : -tangent;
        const glm::vec3 up(0.0f, 1.0f, 0.0f);
        AddFlatQuad(mesh,
                    {radial * innerRadius + up * y0, radial * outerRadius + up * y0,
                     radial * outerRadius + up * y1, radial * innerRadius + up * y1},
                    normal,
                    {uv.Map({0, 0}), uv.Map({0.25f, 0}), uv.Map({0.25f, 1}), uv.Map({0, 1})},
                    material);
    }
}

void AddTwoSidedDisc(ModelMesh& mesh, const glm::mat4& placement, int segments, int material,
                     const UvRect& uv) {
    for (const float side : {1.0f, -1.0f}) {
        const auto disc = [side](float u, float v) {
            const float angle = 2.0f * kPi * u;
            // A hair of thickness keeps the two faces from fighting for the same depth.
            return SurfacePoint{glm::vec3(v * std::cos(angle), v * std::sin(angle), side * 0.002f),
                                glm::vec3(0.0f, 0.0f, side)};
        };
        AddSurface(mesh, disc, segments, 2, placement, material, uv);
    }
}
