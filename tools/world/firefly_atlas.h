#pragma once

#include "shapes.h"

// The firefly's one material maps every part into a 3 x 2 atlas shared by its diffuse and
// emissive textures; only the lantern cell glows.
namespace firefly_atlas {

enum Cell { kChitin, kPronotum, kElytron, kAbdomen, kLantern, kWing };

inline UvRect CellRect(Cell cell) {
    const int index = static_cast<int>(cell);
    const float u0 = static_cast<float>(index % 3) / 3.0f;
    const float v0 = index < 3 ? 0.5f : 0.0f;
    return {{u0, v0}, {u0 + 1.0f / 3.0f, v0 + 0.5f}};
}

// The cell a texture coordinate falls in, and the coordinate within that cell in [0, 1]^2.
inline Cell CellAt(float u, float v, glm::vec2& local) {
    const int column = glm::clamp(static_cast<int>(u * 3.0f), 0, 2);
    const int row = v >= 0.5f ? 0 : 1;
    local = {u * 3.0f - static_cast<float>(column), (v - (row == 0 ? 0.5f : 0.0f)) * 2.0f};
    return static_cast<Cell>(row * 3 + column);
}

}  // namespace firefly_atlas
