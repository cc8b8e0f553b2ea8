#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "render/scene_layout.h"
#include "scene_fixture.h"
#include "sequence/shot_tables.h"
#include "sequence/smooth01.h"

namespace {

constexpr int kSamplesPerShot = 64;

// Positions along a record as the sequence player and the firefly eases them.
template <typename Record, typename Visit>
void ForEachEasedPosition(const std::vector<Record>& records, Visit visit) {
    for (size_t i = 0; i < records.size(); ++i) {
        for (int sample = 0; sample <= kSamplesPerShot; ++sample) {
            const float s = smooth01(static_cast<float>(sample) / kSamplesPerShot);
            visit(i, records[i].startPos * (1.0f - s) + records[i].endPos * s);
        }
    }
}

float ClearanceAboveGround(const glm::vec3& p) {
    const std::optional<float> ground = Scene().ground.HeightAt(p.x, p.z);
    EXPECT_TRUE(ground.has_value()) << "no terrain under " << p.x << ", " << p.z;
    return ground ? p.y - *ground : -1.0f;
}

}  // namespace

TEST(WorldFlight, CameraIsAtLeastOneUnitAboveTheTerrainThroughEveryShot) {
    float lowest = std::numeric_limits<float>::max();
    size_t lowestShot = 0;
    ForEachEasedPosition(MakeCameraShots(), [&](size_t shot, const glm::vec3& p) {
        const float clearance = ClearanceAboveGround(p);
        EXPECT_GE(clearance, 1.0f)
            << "shot " << shot << " at " << p.x << ", " << p.y << ", " << p.z;
        if (clearance < lowest) {
            lowest = clearance;
            lowestShot = shot;
        }
    });
    std::cout << "lowest camera clearance: " << lowest << " (shot " << lowestShot << ")\n";
}

TEST(WorldFlight, FireflyFliesAboveTheTerrainAndClearOfTheWell) {
    const float flightRadius = Scene().fireflyFlightRadius;
    EXPECT_GT(flightRadius, 0.03f);
    float lowest = std::numeric_limits<float>::max();
    float nearestWell = std::numeric_limits<float>::max();
    ForEachEasedPosition(MakeFireflyPath(), [&](size_t leg, const glm::vec3& p) {
        const float clearance = ClearanceAboveGround(p);
        EXPECT_GE(clearance, 0.3f) << "leg " << leg;
        lowest = std::min(lowest, clearance);
        for (const WorldTriangle& t : Scene().well) {
            const float distance = DistanceToTriangle(p, t);
            nearestWell = std::min(nearestWell, distance);
            ASSERT_GT(distance, flightRadius) << "leg " << leg << " touches the well";
        }
    });
    std::cout << "lowest firefly clearance: " << lowest << ", nearest well surface: " << nearestWell
              << " (firefly radius " << flightRadius << ")\n";
}

TEST(WorldFlight, HoverPointIsOverTheOpenShaftUnderTheRoof) {
    const std::vector<WorldTriangle>& well = Scene().well;
    const auto materialOf = [&](const std::optional<WorldTriangle>& hit) {
        return hit ? Scene().wellMaterialNames[static_cast<size_t>(hit->material)]
                   : std::string("nothing");
    };
    const glm::vec3 hover = scene_layout::kFireflyHover;
    EXPECT_EQ(materialOf(FirstHit(well, hover, {0.0f, 1.0f, 0.0f})), "roof");
    // Straight down it sees the water in the shaft, so it is inside the wall's ring...
    EXPECT_EQ(materialOf(FirstHit(well, hover, {0.0f, -1.0f, 0.0f})), "water");
    // ...and the whole stone wall stays below it.
    float wallTop = -1e9f;
    for (const WorldTriangle& t : well) {
        if (Scene().wellMaterialNames[static_cast<size_t>(t.material)] != "stone") continue;
        wallTop = std::max({wallTop, t.a.y, t.b.y, t.c.y});
    }
    EXPECT_LT(wallTop, hover.y - Scene().fireflyFlightRadius);
}
