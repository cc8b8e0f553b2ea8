#include "render/view_volume.h"

#include <limits>

Bounds BoundsOf(const std::vector<Vertex>& vertices) {
    Bounds box{glm::vec3(std::numeric_limits<float>::max()),
               glm::vec3(std::numeric_limits<float>::lowest())};
    for (const Vertex& vertex : vertices) {
        box.min = glm::min(box.min, vertex.position);
        box.max = glm::max(box.max, vertex.position);
    }
    return box;
}

std::vector<Bounds> BoundsOfEach(const std::vector<Mesh>& meshes) {
    std::vector<Bounds> boxes;
    boxes.reserve(meshes.size());
    for (const Mesh& mesh : meshes) boxes.push_back(BoundsOf(mesh.vertices));
    return boxes;
}

// The planes are sums and differences of the matrix's last row with the other rows: a clip
// coordinate c satisfies -w <= c <= w exactly where both are non-negative.
ViewVolume::ViewVolume(const glm::mat4& m) {
    const glm::vec4 row[4] = {
        {m[0][0], m[1][0], m[2][0], m[3][0]},
        {m[0][1], m[1][1], m[2][1], m[3][1]},
        {m[0][2], m[1][2], m[2][2], m[3][2]},
        {m[0][3], m[1][3], m[2][3], m[3][3]},
    };
    for (int axis = 0; axis < 3; ++axis) {
        planes[2 * axis] = row[3] + row[axis];
        planes[2 * axis + 1] = row[3] - row[axis];
    }
}

bool ViewVolume::MayContain(const Bounds& box) const {
    for (const glm::vec4& plane : planes) {
        // The box's corner furthest along the plane's normal.
        const glm::vec3 corner(plane.x >= 0.0f ? box.max.x : box.min.x,
                               plane.y >= 0.0f ? box.max.y : box.min.y,
                               plane.z >= 0.0f ? box.max.z : box.min.z);
        if (glm::dot(glm::vec3(plane), corner) + plane.w < 0.0f) return false;
    }
    return true;
}
