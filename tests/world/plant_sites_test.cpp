#include <gtest/gtest.h>

#include "plants/plant_manager.h"
#include "render/scene_layout.h"
#include "scene_fixture.h"

namespace {

constexpr int kPlantAttempts = 200;

// Plant placement draws its sites uniformly from the terrain's world-space triangle corners below
// the height limit; each attempt succeeds when the site is no deeper than the band allows. So the
// expected number of plants in a region is the attempts times that region's share of the
// candidates.
struct SiteShares {
    size_t candidates = 0;
    double inBand = 0.0;
    double inCentre = 0.0;
    double nearWell = 0.0;
};

SiteShares MeasureSiteShares() {
    SiteShares shares;
    size_t inBand = 0, inCentre = 0, nearWell = 0;
    for (const WorldTriangle& t : Scene().terrainTriangles) {
        for (const glm::vec3& p : {t.a, t.b, t.c}) {
            if (p.y >= scene_layout::kPlantHeightLimit) continue;
            ++shares.candidates;
            if (p.y < scene_layout::kPlantHeightLimit - PlantManager::kBandDepth) continue;
            ++inBand;
            inCentre += std::fabs(p.x) <= 40.0f && std::fabs(p.z) <= 40.0f;
            nearWell += glm::length(glm::vec2(p.x - scene_layout::kWellBase.x,
                                              p.z - scene_layout::kWellBase.z)) <= 12.0f;
        }
    }
    const double total = static_cast<double>(shares.candidates);
    shares.inBand = static_cast<double>(inBand) / total;
    shares.inCentre = static_cast<double>(inCentre) / total;
    shares.nearWell = static_cast<double>(nearWell) / total;
    return shares;
}

}  // namespace

TEST(WorldPlantSites, MostAttemptsSucceedAndMostPlantsGrowWhereTheCameraLooks) {
    const SiteShares shares = MeasureSiteShares();
    std::cout << "plant candidates: " << shares.candidates << ", share in band: " << shares.inBand
              << ", share in [-40, 40]^2: " << shares.inCentre
              << ", share within 12 of the well: " << shares.nearWell << '\n';
    ASSERT_GT(shares.candidates, 0u);
    // Margins of about two binomial standard deviations over 200 draws above the targets of at
    // least 170 plants, 100 of them in the centre.
    EXPECT_GE(kPlantAttempts * shares.inBand, 185.0);
    EXPECT_GE(kPlantAttempts * shares.inCentre, 115.0);
    // The look-down shots and the well scenes show the water around the well.
    EXPECT_GE(kPlantAttempts * shares.nearWell, 30.0);
}
