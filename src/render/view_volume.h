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
// The box around `box` placed by `model`.
Bounds Transformed(const Bounds& box, const glm::mat4& model);
// One box per mesh placed by `model`, in the order of the meshes.
std::vector<Bounds> BoundsOfEach(const std::vector<Mesh>& meshes, const glm::mat4& model);
// One box per run of the mesh's indices, around the vertices the run uses, placed by `model`.
std::vector<Bounds> BoundsOfRuns(const Mesh& mesh, const std::vector<IndexRange>& runs,
                                 const glm::mat4& model);

// What a projection x view matrix can show: the points whose clip coordinates lie within -w..w
// on every axis. Used to leave out geometry that cannot produce a single fragment.
class ViewVolume {
  public:
    explicit ViewVolume(const glm::mat4& viewProjection);

    // False only when the whole box lies outside one of the volume's six planes; a box that
    // merely touches a plane, or lies outside near a corner, still counts (the test is cheap and
    // never wrong in the direction that would lose pixels).
    bool MayContain(const Bounds& box) const;
    // The same for everything the box passes through when moved by `sweep`: the hull of the box
    // and the moved box lies outside a plane only where both do.
    bool MayContainSwept(const Bounds& box, const glm::vec3& sweep) const;

  private:
    float FarthestCornerDistance(const glm::vec4& plane, const Bounds& box) const;
    std::array<glm::vec4, 6> planes;  // inside where dot(plane, (p, 1)) >= 0
};

// Which shadow casters the sun's depth map needs: those inside the sun's box whose shadow can
// fall on something the camera sees. A caster's shadow runs from it away from the sun, through
// the rest of the box; the lit shaders look the map up a little beside the visible surface
// (offset along the normal, filtered over neighbouring texels), hence the margin.
class ShadowCasterFilter {
  public:
    static constexpr float kLookupMargin = 1.0f;
    static constexpr float kShadowReach = 200.0f;  // the depth of the sun's box

    ShadowCasterFilter(const glm::mat4& lightSpaceMatrix, const glm::vec3& sunPos);
    // Also leaves out the casters whose shadow cannot reach the camera's view.
    ShadowCasterFilter(const glm::mat4& lightSpaceMatrix, const glm::vec3& sunPos,
                       const glm::mat4& cameraMatrix);

    bool MayCast(const Bounds& box) const;

  private:
    ViewVolume sunBox;
    bool cameraKnown;
    ViewVolume cameraView;
    glm::vec3 sweep;
};
