#pragma once

#include <gtest/gtest.h>

#include <glm/glm.hpp>

#include "gfx/vertex.h"

// Shared checks of the plant tests.

inline constexpr float kTolerance = 1e-5f;

inline void ExpectNear(const glm::vec3& actual, const glm::vec3& expected,
                       float tolerance = kTolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline bool SameVertex(const Vertex& a, const Vertex& b) {
    return a.position == b.position && a.normal == b.normal && a.color == b.color &&
           a.texUV == b.texUV;
}
