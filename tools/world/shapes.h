#pragma once

#include <functional>
#include <glm/glm.hpp>

#include "model_mesh.h"

// The part of a texture atlas a shape is mapped to.
struct UvRect {
    glm::vec2 min{0.0f, 0.0f};
    glm::vec2 max{1.0f, 1.0f};

    glm::vec2 Map(glm::vec2 local) const { return min + (max - min) * local; }
};

// A point of a parametric surface with its outward normal.
struct SurfacePoint {
    glm::vec3 position;
    glm::vec3 normal;
};

// Tessellates a parametric surface over (u, v) in [0, 1]^2 with `columns` x `rows` quads, placed by
// `placement`. Triangles are wound so that they face along the surface normals; degenerate ones
// (at poles) are dropped.
void AddSurface(ModelMesh& mesh, const std::function<SurfacePoint(float u, float v)>& surface,
                int columns, int rows, const glm::mat4& placement, int material, const UvRect& uv);

// A unit sphere with its poles on local Y, placed (and usually stretched into an ellipsoid) by
// `placement`. u runs around the Y axis from +X towards +Z, v from the -Y pole to the +Y pole.
void AddEllipsoid(ModelMesh& mesh, const glm::mat4& placement, int rings, int segments,
                  int material, const UvRect& uv);

// A round tube of `radius` from `from` to `to`, closed by flat caps.
void AddTube(ModelMesh& mesh, const glm::vec3& from, const glm::vec3& to, float radius,
             int segments, int material, const UvRect& uv);

// A box of `size` centred on the origin, placed by the rigid `placement`. Each face's texture
// coordinates are its extent times `uvPerUnit`, so textures keep one scale across boxes.
void AddBox(ModelMesh& mesh, const glm::mat4& placement, const glm::vec3& size, float uvPerUnit,
            const glm::vec2& uvOffset, int material);

// A block of a round wall about the Y axis between two radii, two angles and two heights, with
// all six faces. The texture spans the block once on its outer and inner faces.
void AddRingBlock(ModelMesh& mesh, float innerRadius, float outerRadius, float angle0, float angle1,
                  float y0, float y1, int steps, int material, const UvRect& uv);

// A flat ellipse of radius 1 in the local XY plane, visible from both sides (a wing, a film of
// water), placed by `placement`.
void AddTwoSidedDisc(ModelMesh& mesh, const glm::mat4& placement, int segments, int material,
                     const UvRect& uv);
