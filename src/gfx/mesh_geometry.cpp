#include "gfx/mesh_geometry.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <set>

namespace {

// Orders vertex records by their bytes: equal records are equal in every field, bit for bit.
struct ByBytes {
    bool operator()(const Vertex& a, const Vertex& b) const {
        return std::memcmp(&a, &b, sizeof(Vertex)) < 0;
    }
};

// The same triangle whichever corner it starts from: the smallest index first, turning order
// kept (a triangle wound the other way is the other side of a surface, not a repeat).
std::array<GLuint, 3> StartingAtTheSmallest(GLuint a, GLuint b, GLuint c) {
    if (b < a && b < c) return {b, c, a};
    if (c < a && c < b) return {c, a, b};
    return {a, b, c};
}

}  // namespace

MeshGeometry WithoutRepeatedTriangles(const MeshGeometry& geometry) {
    MeshGeometry kept;
    std::map<Vertex, GLuint, ByBytes> newIndex;
    std::vector<GLuint> renumbered(geometry.vertices.size());
    for (size_t i = 0; i < geometry.vertices.size(); ++i) {
        const auto [entry, added] =
            newIndex.emplace(geometry.vertices[i], static_cast<GLuint>(newIndex.size()));
        renumbered[i] = entry->second;
    }
    std::set<std::array<GLuint, 3>> seen;
    std::vector<GLuint> triangles;
    for (size_t t = 0; t + 2 < geometry.indices.size(); t += 3) {
        const std::array<GLuint, 3> corners = StartingAtTheSmallest(
            renumbered[geometry.indices[t]], renumbered[geometry.indices[t + 1]],
            renumbered[geometry.indices[t + 2]]);
        if (!seen.insert(corners).second) continue;
        triangles.insert(triangles.end(),
                         {renumbered[geometry.indices[t]], renumbered[geometry.indices[t + 1]],
                          renumbered[geometry.indices[t + 2]]});
    }
    // Vertices numbered in the order the kept triangles first use them; unused ones go.
    std::vector<GLuint> finalIndex(newIndex.size(), ~GLuint(0));
    std::vector<const Vertex*> byNewIndex(newIndex.size());
    for (const auto& [vertex, index] : newIndex) byNewIndex[index] = &vertex;
    for (GLuint& index : triangles) {
        if (finalIndex[index] == ~GLuint(0)) {
            finalIndex[index] = static_cast<GLuint>(kept.vertices.size());
            kept.vertices.push_back(*byNewIndex[index]);
        }
        index = finalIndex[index];
    }
    kept.indices = std::move(triangles);
    return kept;
}
