#include "well_model.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

#include "angles.h"
#include "noise.h"
#include "shapes.h"

namespace {

enum WellMaterial { kStone, kWood, kRoof, kWater };

// Wall and shaft.
constexpr float kShaftRadius = 2.55f;
constexpr float kWallOuterRadius = 3.45f;
constexpr float kWallBottom = -0.3f;  // sunk a little into the ground
constexpr float kWallTop = 2.7f;
constexpr int kCourses = 4;
constexpr int kBlocksPerCourse = 12;
constexpr float kCopingInner = 2.4f;
constexpr float kCopingOuter = 3.65f;
constexpr float kCopingTop = 3.1f;
constexpr float kWaterHeight = 0.9f;

// Frame and roof.
constexpr float kPostOffset = 3.0f;  // posts stand on the coping at z = +-3
constexpr float kPostWidth = 0.55f;
constexpr float kRidgeHeight = 11.3f;
constexpr float kEaveHalfWidth = 4.6f;
constexpr float kEaveHeight = 8.79f;
constexpr float kRoofThickness = 0.25f;
constexpr float kRoofDepth = 8.6f;
constexpr float kWindlassHeight = 8.0f;
constexpr float kBucketTop = 6.7f;
constexpr float kBucketBottom = 5.9f;

// Each stone block uses one of the four stones of the 2 x 2 texture atlas.
UvRect StoneAtlasCell(uint32_t hash) {
    const glm::vec2 origin(static_cast<float>(hash & 1u) * 0.5f,
                           static_cast<float>((hash >> 1) & 1u) * 0.5f);
    return {origin, origin + glm::vec2(0.5f)};
}

void AddStoneWall(ModelMesh& mesh) {
    const float courseHeight = (kWallTop - kWallBottom) / kCourses;
    const float blockAngle = 2.0f * kPi / kBlocksPerCourse;
    for (int course = 0; course < kCourses; ++course) {
        // Alternate courses are shifted by half a block, as a mason lays them.
        const float shift = (course % 2) * 0.5f * blockAngle;
        for (int block = 0; block < kBlocksPerCourse; ++block) {
            const uint32_t hash = HashLattice(course, block, 7u);
            const float bulge = (Hash01(course, block, 11u) - 0.5f) * 0.14f;
            const float a0 = shift + block * blockAngle;
            const float y0 = kWallBottom + course * courseHeight;
            AddRingBlock(mesh, kShaftRadius, kWallOuterRadius + bulge, a0, a0 + blockAngle, y0,
                         y0 + courseHeight, 3, kStone, StoneAtlasCell(hash));
        }
    }
    const int copingBlocks = 10;
    const float copingAngle = 2.0f * kPi / copingBlocks;
    for (int block = 0; block < copingBlocks; ++block) {
        const float a0 = 0.13f + block * copingAngle;
        AddRingBlock(mesh, kCopingInner, kCopingOuter, a0, a0 + copingAngle, kWallTop, kCopingTop,
                     4, kStone, StoneAtlasCell(HashLattice(kCourses, block, 7u)));
    }
    const glm::mat4 waterPlacement =
        glm::scale(glm::rotate(glm::translate(glm::mat4(1.0f), {0.0f, kWaterHeight, 0.0f}),
                               -0.5f * kPi, {1.0f, 0.0f, 0.0f}),
                   glm::vec3(kShaftRadius + 0.02f));
    AddTwoSidedDisc(mesh, waterPlacement, 24, kWater, {});
}

void AddFrame(ModelMesh& mesh) {
    const float woodScale = 0.25f;
    const float postHeight =
        kRidgeHeight -
        kRoofThickness / std::cos(std::atan2(kRidgeHeight - kEaveHeight, kEaveHalfWidth)) -
        kCopingTop;
    for (const float side : {-1.0f, 1.0f}) {
        const glm::vec3 centre(0.0f, kCopingTop + postHeight * 0.5f, side * kPostOffset);
        AddBox(mesh, glm::translate(glm::mat4(1.0f), centre), {kPostWidth, postHeight, kPostWidth},
               woodScale, {side * 0.3f, 0.0f}, kWood);
    }
    // Ridge beam under the apex, tying the posts together.
    AddBox(mesh, glm::translate(glm::mat4(1.0f), {0.0f, kRidgeHeight - 0.55f, 0.0f}),
           {0.4f, 0.4f, kRoofDepth}, woodScale, {0.1f, 0.4f}, kWood);
    // Windlass log through both posts, a crank on the +z side, rope and bucket on the axis.
    AddTube(mesh, {0.0f, kWindlassHeight, -3.6f}, {0.0f, kWindlassHeight, 3.6f}, 0.3f, 12, kWood,
            {{0.0f, 0.0f}, {1.0f, 0.5f}});
    AddBox(mesh, glm::translate(glm::mat4(1.0f), {0.0f, kWindlassHeight - 0.45f, 3.75f}),
           {0.18f, 1.1f, 0.18f}, woodScale, {0.5f, 0.2f}, kWood);
    AddTube(mesh, {0.0f, kWindlassHeight - 0.95f, 3.75f}, {0.0f, kWindlassHeight - 0.95f, 4.35f},
            0.09f, 6, kWood, {{0.5f, 0.5f}, {0.6f, 0.6f}});
    AddTube(mesh, {0.0f, kBucketTop, 0.0f}, {0.0f, kWindlassHeight - 0.28f, 0.0f}, 0.06f, 6, kWood,
            {{0.8f, 0.0f}, {0.9f, 0.2f}});
    AddTube(mesh, {0.0f, kBucketBottom, 0.0f}, {0.0f, kBucketTop, 0.0f}, 0.55f, 14, kWood,
            {{0.0f, 0.5f}, {1.0f, 0.75f}});
}

void AddRoof(ModelMesh& mesh) {
    const float drop = kRidgeHeight - kEaveHeight;
    const float slope = std::atan2(drop, kEaveHalfWidth);
    const float length = std::sqrt(drop * drop + kEaveHalfWidth * kEaveHalfWidth);
    for (const float side : {-1.0f, 1.0f}) {
        // The slab's top face runs from the ridge to the eave; its centre sits half a thickness
        // below the middle of that line.
        const glm::vec3 topMiddle(side * kEaveHalfWidth * 0.5f, kRidgeHeight - drop * 0.5f, 0.0f);
        const glm::vec3 outward(side * std::sin(slope), std::cos(slope), 0.0f);
        glm::mat4 placement =
            glm::translate(glm::mat4(1.0f), topMiddle - outward * (kRoofThickness * 0.5f));
        placement = glm::rotate(placement, -side * slope, {0.0f, 0.0f, 1.0f});
        AddBox(mesh, placement, {length, kRoofThickness, kRoofDepth}, 1.0f / length, {0.0f, 0.0f},
               kRoof);
    }
    AddBox(mesh, glm::translate(glm::mat4(1.0f), {0.0f, kRidgeHeight + 0.05f, 0.0f}),
           {0.6f, 0.3f, kRoofDepth + 0.1f}, 0.25f, {0.0f, 0.0f}, kWood);
}

}  // namespace

Model MakeWellModel() {
    Model model;
    model.materials = {
        {"stone", {0.92f, 0.9f, 0.86f}, "well_stone.png", ""},
        {"wood", {0.9f, 0.86f, 0.8f}, "well_wood.png", ""},
        {"roof", {0.9f, 0.88f, 0.86f}, "well_roof.png", ""},
        {"water", {0.6f, 0.75f, 0.8f}, "well_water.png", ""},
    };
    AddStoneWall(model.mesh);
    AddFrame(model.mesh);
    AddRoof(model.mesh);
    return model;
}
