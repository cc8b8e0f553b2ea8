#include "geometry_queries.h"

#include <algorithm>
#include <cmath>
#include <limits>

HeightProbe::HeightProbe(std::vector<WorldTriangle> triangles, float bucketSize)
    : triangles_(std::move(triangles)), bucketSize_(bucketSize) {
    glm::vec2 max(-std::numeric_limits<float>::max());
    min_ = glm::vec2(std::numeric_limits<float>::max());
    for (const WorldTriangle& t : triangles_) {
        for (const glm::vec3& p : {t.a, t.b, t.c}) {
            min_ = glm::min(min_, glm::vec2(p.x, p.z));
            max = glm::max(max, glm::vec2(p.x, p.z));
        }
    }
    columns_ = static_cast<long>((max.x - min_.x) / bucketSize_) + 1;
    rows_ = static_cast<long>((max.y - min_.y) / bucketSize_) + 1;
    buckets_.resize(static_cast<size_t>(columns_ * rows_));
    for (size_t i = 0; i < triangles_.size(); ++i) {
        const WorldTriangle& t = triangles_[i];
        const float lowX = std::min({t.a.x, t.b.x, t.c.x}), highX = std::max({t.a.x, t.b.x, t.c.x});
        const float lowZ = std::min({t.a.z, t.b.z, t.c.z}), highZ = std::max({t.a.z, t.b.z, t.c.z});
        for (long row = static_cast<long>((lowZ - min_.y) / bucketSize_);
             row <= static_cast<long>((highZ - min_.y) / bucketSize_); ++row) {
            for (long column = static_cast<long>((lowX - min_.x) / bucketSize_);
                 column <= static_cast<long>((highX - min_.x) / bucketSize_); ++column) {
                buckets_[static_cast<size_t>(BucketKey(column, row))].push_back(i);
            }
        }
    }
}

long HeightProbe::BucketKey(long column, long row) const {
    return std::clamp(row, 0L, rows_ - 1) * columns_ + std::clamp(column, 0L, columns_ - 1);
}

std::optional<float> HeightProbe::HeightAt(float x, float z) const {
    if (x < min_.x || z < min_.y) return std::nullopt;
    const long column = static_cast<long>((x - min_.x) / bucketSize_);
    const long row = static_cast<long>((z - min_.y) / bucketSize_);
    if (column >= columns_ || row >= rows_) return std::nullopt;
    std::optional<float> height;
    for (const size_t i : buckets_[static_cast<size_t>(BucketKey(column, row))]) {
        const WorldTriangle& t = triangles_[i];
        const glm::vec2 a(t.a.x, t.a.z), b(t.b.x, t.b.z), c(t.c.x, t.c.z), p(x, z);
        const float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
        if (std::fabs(area) < 1e-12f) continue;
        const float wb = ((p.x - a.x) * (c.y - a.y) - (c.x - a.x) * (p.y - a.y)) / area;
        const float wc = ((b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y)) / area;
        const float wa = 1.0f - wb - wc;
        const float tolerance = -1e-5f;
        if (wa < tolerance || wb < tolerance || wc < tolerance) continue;
        const float y = wa * t.a.y + wb * t.b.y + wc * t.c.y;
        if (!height || y > *height) height = y;
    }
    return height;
}

float DistanceToTriangle(const glm::vec3& p, const WorldTriangle& t) {
    // Closest point on a triangle by its Voronoi regions (vertices, edges, face).
    const glm::vec3 ab = t.b - t.a, ac = t.c - t.a, ap = p - t.a;
    const float d1 = glm::dot(ab, ap), d2 = glm::dot(ac, ap);
    if (d1 <= 0.0f && d2 <= 0.0f) return glm::length(p - t.a);
    const glm::vec3 bp = p - t.b;
    const float d3 = glm::dot(ab, bp), d4 = glm::dot(ac, bp);
    if (d3 >= 0.0f && d4 <= d3) return glm::length(p - t.b);
    const float vc = d1 * d4 - d3 * d2;
    if (vc <= 0.0f && d1 >= 0.0f && d3 <= 0.0f)
        return glm::length(p - (t.a + ab * (d1 / (d1 - d3))));
    const glm::vec3 cp = p - t.c;
    const float d5 = glm::dot(ab, cp), d6 = glm::dot(ac, cp);
    if (d6 >= 0.0f && d5 <= d6) return glm::length(p - t.c);
    const float vb = d5 * d2 - d1 * d6;
    if (vb <= 0.0f && d2 >= 0.0f && d6 <= 0.0f)
        return glm::length(p - (t.a + ac * (d2 / (d2 - d6))));
    const float va = d3 * d6 - d5 * d4;
    if (va <= 0.0f && d4 - d3 >= 0.0f && d5 - d6 >= 0.0f) {
        return glm::length(p - (t.b + (t.c - t.b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)))));
    }
    const float denominator = 1.0f / (va + vb + vc);
    return glm::length(p - (t.a + ab * (vb * denominator) + ac * (vc * denominator)));
}

std::optional<WorldTriangle> FirstHit(const std::vector<WorldTriangle>& triangles,
                                      const glm::vec3& origin, const glm::vec3& direction) {
    std::optional<WorldTriangle> nearest;
    float nearestDistance = std::numeric_limits<float>::max();
    for (const WorldTriangle& t : triangles) {
        const glm::vec3 e1 = t.b - t.a, e2 = t.c - t.a;
        const glm::vec3 h = glm::cross(direction, e2);
        const float det = glm::dot(e1, h);
        if (std::fabs(det) < 1e-12f) continue;
        const glm::vec3 s = origin - t.a;
        const float u = glm::dot(s, h) / det;
        if (u < 0.0f || u > 1.0f) continue;
        const glm::vec3 q = glm::cross(s, e1);
        const float v = glm::dot(direction, q) / det;
        if (v < 0.0f || u + v > 1.0f) continue;
        const float distance = glm::dot(e2, q) / det;
        if (distance > 0.0f && distance < nearestDistance) {
            nearestDistance = distance;
            nearest = t;
        }
    }
    return nearest;
}
