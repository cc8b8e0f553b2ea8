#pragma once

#include <array>
#include <glm/glm.hpp>
#include <vector>

#include "gfx/mesh.h"

// An axis-aligned box around some geometry, in world space.
struct Bounds {
    glm::vec3 min;
    glm::vec3 max;
};

// The box around the vertices' positions.
Bounds BoundsOf(const std::vector<Vertex>& vertices);
// One box per mesh, in the order of the meshes.
std::vector<Bounds> BoundsOfEach(const std::vector<Mesh>& meshes);

// What a projection x view matrix can show: the points whose clip coordinates lie within -w..w
// on every axis. Used to leave out geometry that cannot produce a single fragment.
class ViewVolume {
  public:
    explicit ViewVolume(const glm::mat4& viewProjection);

    // False only when the whole box lies outside one of the volume's six planes; a box that
    // merely touches a plane, or lies outside near a corner, still counts (the test is cheap and
    // never wrong in the direction that would lose pixels).
    bool MayContain(const Bounds& box) const;

  private:
    std::array<glm::vec4, 6> planes;  // inside where dot(plane, (p, 1)) >= 0
};
