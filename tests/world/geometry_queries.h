#pragma once

#include <glm/glm.hpp>
#include <optional>
#include <vector>

#include "loaded_model.h"

// The height of a triangle soup seen from above: for any (x, z), the highest triangle over it.
// Triangles are bucketed on a square grid so that a query looks at a handful of them.
class HeightProbe {
  public:
    explicit HeightProbe(std::vector<WorldTriangle> triangles, float bucketSize = 2.0f);

    // Height of the highest triangle above or below (x, z); empty where no triangle covers it.
    std::optional<float> HeightAt(float x, float z) const;

  private:
    long BucketKey(long column, long row) const;

    std::vector<WorldTriangle> triangles_;
    float bucketSize_;
    glm::vec2 min_{0.0f};
    long columns_ = 0, rows_ = 0;
    std::vector<std::vector<size_t>> buckets_;
};

// Distance from a point to the nearest point of a triangle.
float DistanceToTriangle(const glm::vec3& p, const WorldTriangle& t);

// The nearest triangle hit by the ray from `origin` along `direction`, if any.
std::optional<WorldTriangle> FirstHit(const std::vector<WorldTriangle>& triangles,
                                      const glm::vec3& origin, const glm::vec3& direction);
