#include "terrain_mesh.h"

#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "render/scene_layout.h"
#include "terrain_height.h"
#include "terrain_textures.h"

namespace {

struct Rect {
    float minX, maxX, minZ, maxZ;
};

struct GridLevel {
    float spacing;
    Rect bounds;  // multiples of the spacing
};

// Finest first. The first level is the water around the well that the camera looks down into
// (plants grow one per chosen corner, so corner density is plant density); the second covers the
// low shots, the well scenes and the firefly's route; each further level surrounds the previous
// one.
constexpr GridLevel kLevels[] = {
    {0.2f, {-12.0f, 6.0f, -24.0f, -6.0f}},      {0.4f, {-14.0f, 44.0f, -32.0f, 8.0f}},
    {1.0f, {-44.0f, 64.0f, -62.0f, 40.0f}},     {2.5f, {-90.0f, 110.0f, -100.0f, 80.0f}},
    {6.0f, {-150.0f, 150.0f, -150.0f, 150.0f}},
};

class TerrainBuilder {
  public:
    explicit TerrainBuilder(ModelMesh& mesh) : mesh_(mesh) {}

    // Index of the vertex at grid point (x, z); points shared by two grids are made once.
    uint32_t VertexAt(float x, float z) {
        const std::pair<long, long> key(std::lround(x * 20.0f), std::lround(z * 20.0f));
        const auto found = indices_.find(key);
        if (found != indices_.end()) return found->second;
        const float y = TerrainHeight(x, z) + scene_layout::kTerrainDrop;
        const uint32_t index = mesh_.AddVertex({x, y, z}, glm::vec3(0.0f), IslandsTexCoord(x, z));
        indices_.emplace(key, index);
        return index;
    }

    // Adds a triangle facing up and lets it contribute to its corners' normals by its area.
    void AddUpwardTriangle(uint32_t a, uint32_t b, uint32_t c) {
        glm::vec3 normal = glm::cross(mesh_.positions[b] - mesh_.positions[a],
                                      mesh_.positions[c] - mesh_.positions[a]);
        if (normal.y < 0.0f) {
            std::swap(b, c);
            normal = -normal;
        }
        mesh_.AddTriangle(a, b, c, 0);
        for (const uint32_t corner : {a, b, c}) mesh_.normals[corner] += normal;
    }

    // A square cell, split along the diagonal whose ends differ less in height, which follows
    // ridges and valleys instead of cutting across them.
    void AddCell(float x0, float z0, float x1, float z1) {
        const uint32_t a = VertexAt(x0, z0), b = VertexAt(x1, z0);
        const uint32_t c = VertexAt(x1, z1), d = VertexAt(x0, z1);
        const auto height = [&](uint32_t i) { return mesh_.positions[i].y; };
        if (std::fabs(height(a) - height(c)) <= std::fabs(height(b) - height(d))) {
            AddUpwardTriangle(a, b, c);
            AddUpwardTriangle(a, c, d);
        } else {
            AddUpwardTriangle(a, b, d);
            AddUpwardTriangle(b, c, d);
        }
    }

    void AddGrid(const GridLevel& level, const Rect* hole) {
        const Rect& r = level.bounds;
        const int columns = static_cast<int>(std::lround((r.maxX - r.minX) / level.spacing));
        const int rows = static_cast<int>(std::lround((r.maxZ - r.minZ) / level.spacing));
        for (int row = 0; row < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                const float x0 = r.minX + static_cast<float>(column) * level.spacing;
                const float z0 = r.minZ + static_cast<float>(row) * level.spacing;
                const float x1 = x0 + level.spacing, z1 = z0 + level.spacing;
                // Grid coordinates are not exact in float; a tenth of a cell absorbs that.
                const float slack = level.spacing * 0.1f;
                if (hole && x0 >= hole->minX - slack && x1 <= hole->maxX + slack &&
                    z0 >= hole->minZ - slack && z1 <= hole->maxZ + slack) {
                    continue;
                }
                AddCell(x0, z0, x1, z1);
            }
        }
    }

    // Fills the band between two nested rectangle outlines, the inner one finely divided and the
    // outer one coarsely, by walking both outlines together.
    void StitchBand(const Rect& inner, float innerSpacing, const Rect& outer, float outerSpacing) {
        const std::vector<LoopPoint> in = Outline(inner, innerSpacing);
        const std::vector<LoopPoint> out = Outline(outer, outerSpacing);
        size_t i = 0, j = 0;
        const size_t innerCount = in.size() - 1, outerCount = out.size() - 1;
        while (i < innerCount || j < outerCount) {
            const bool advanceInner =
                j == outerCount || (i < innerCount && in[i + 1].t < out[j + 1].t);
            if (advanceInner) {
                AddUpwardTriangle(in[i].index, in[i + 1].index, out[j].index);
                ++i;
            } else {
                AddUpwardTriangle(in[i].index, out[j + 1].index, out[j].index);
                ++j;
            }
        }
    }

    void NormaliseNormals() {
        for (glm::vec3& n : mesh_.normals) n = glm::normalize(n);
    }

  private:
    struct LoopPoint {
        uint32_t index;
        float t;  // position along the outline: side number plus the fraction along that side
    };

    // The outline counter-clockwise from the (minX, minZ) corner, closed by repeating its first
    // point at t = 4.
    std::vector<LoopPoint> Outline(const Rect& r, float spacing) {
        const float corners[5][2] = {{r.minX, r.minZ},
                                     {r.maxX, r.minZ},
                                     {r.maxX, r.maxZ},
                                     {r.minX, r.maxZ},
                                     {r.minX, r.minZ}};
        std::vector<LoopPoint> loop;
        for (int side = 0; side < 4; ++side) {
            const float* from = corners[side];
            const float* to = corners[side + 1];
            const float length = std::fabs(to[0] - from[0]) + std::fabs(to[1] - from[1]);
            const int steps = static_cast<int>(std::lround(length / spacing));
            for (int step = 0; step < steps; ++step) {
                const float f = static_cast<float>(step) / static_cast<float>(steps);
                const float x = from[0] + (to[0] - from[0]) * f;
                const float z = from[1] + (to[1] - from[1]) * f;
                loop.push_back({VertexAt(x, z), static_cast<float>(side) + f});
            }
        }
        loop.push_back({loop.front().index, 4.0f});
        return loop;
    }

    ModelMesh& mesh_;
    std::map<std::pair<long, long>, uint32_t> indices_;
};

// The smallest rectangle on the grid of `spacing` that leaves at least half a cell around `r`.
Rect HoleAround(const Rect& r, float spacing) {
    const float margin = spacing * 0.5f;
    return {std::floor((r.minX - margin) / spacing) * spacing,
            std::ceil((r.maxX + margin) / spacing) * spacing,
            std::floor((r.minZ - margin) / spacing) * spacing,
            std::ceil((r.maxZ + margin) / spacing) * spacing};
}

}  // namespace

Model MakeTerrainModel() {
    Model model;
    model.materials = {{"terrain", {1.0f, 1.0f, 1.0f}, kIslandsColourMap, kIslandsDetailMap}};
    TerrainBuilder builder(model.mesh);
    builder.AddGrid(kLevels[0], nullptr);
    for (size_t level = 1; level < std::size(kLevels); ++level) {
        const GridLevel& inner = kLevels[level - 1];
        const GridLevel& outer = kLevels[level];
        const Rect hole = HoleAround(inner.bounds, outer.spacing);
        builder.AddGrid(outer, &hole);
        builder.StitchBand(inner.bounds, inner.spacing, hole, outer.spacing);
    }
    builder.NormaliseNormals();
    return model;
}
