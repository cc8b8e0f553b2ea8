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
Bounds Transformed(const Bounds& box, const glm::mat4& model) {
    Bounds world{glm::vec3(std::numeric_limits<float>::max()),
                 glm::vec3(std::numeric_limits<float>::lowest())};
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 p((corner & 1) ? box.max.x : box.min.x,
                          (corner & 2) ? box.max.y : box.min.y,
                          (corner & 4) ? box.max.z : box.min.z);
        const glm::vec3 moved(model * glm::vec4(p, 1.0f));
        world.min = glm::min(world.min, moved);
        world.max = glm::max(world.max, moved);
    }
    return world;
}

std::vector<Bounds> BoundsOfEach(const std::vector<Mesh>& meshes, const glm::mat4& model) {
    std::vector<Bounds> boxes = BoundsOfEach(meshes);
    for (Bounds& box : boxes) box = Transformed(box, model);
    return boxes;
}

std::vector<Bounds> BoundsOfRuns(const Mesh& mesh, const std::vector<IndexRange>& runs,
                                 const glm::mat4& model) {
    std::vector<Bounds> boxes;
    boxes.reserve(runs.size());
    for (const IndexRange& run : runs) {
        std::vector<Vertex> used;
        for (GLsizei i = 0; i < run.count; ++i)
            used.push_back(mesh.vertices[mesh.indices[run.first + i]]);
        boxes.push_back(Transformed(BoundsOf(used), model));
    }
    return boxes;
}

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

// Signed distance (scaled) of the box's corner furthest along the plane's normal.
float ViewVolume::FarthestCornerDistance(const glm::vec4& plane, const Bounds& box) const {
    const glm::vec3 corner(plane.x >= 0.0f ? box.max.x : box.min.x,
                           plane.y >= 0.0f ? box.max.y : box.min.y,
                           plane.z >= 0.0f ? box.max.z : box.min.z);
    return glm::dot(glm::vec3(plane), corner) + plane.w;
}

bool ViewVolume::MayContain(const Bounds& box) const {
    for (const glm::vec4& plane : planes) {
        if (FarthestCornerDistance(plane, box) < 0.0f) return false;
    }
    return true;
}

bool ViewVolume::MayContainSwept(const Bounds& box, const glm::vec3& sweep) const {
    const Bounds moved{box.min + sweep, box.max + sweep};
    for (const glm::vec4& plane : planes) {
        if (FarthestCornerDistance(plane, box) < 0.0f &&
            FarthestCornerDistance(plane, moved) < 0.0f)
            return false;
    }
    return true;
}

ShadowCasterFilter::ShadowCasterFilter(const glm::mat4& lightSpaceMatrix, const glm::vec3& sunPos)
    : sunBox(lightSpaceMatrix),
      cameraKnown(false),
      cameraView(glm::mat4(1.0f)),
      sweep(glm::normalize(-sunPos) * kShadowReach) {}

ShadowCasterFilter::ShadowCasterFilter(const glm::mat4& lightSpaceMatrix, const glm::vec3& sunPos,
                                       const glm::mat4& cameraMatrix)
    : ShadowCasterFilter(lightSpaceMatrix, sunPos) {
    cameraKnown = true;
    cameraView = ViewVolume(cameraMatrix);
}

bool ShadowCasterFilter::MayCast(const Bounds& box) const {
    if (!sunBox.MayContain(box)) return false;
    if (!cameraKnown) return true;
    const glm::vec3 margin(kLookupMargin);
    return cameraView.MayContainSwept({box.min - margin, box.max + margin}, sweep);
}
