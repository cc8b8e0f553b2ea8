#include "sequence/shot_tables.h"

#include <gtest/gtest.h>

#include "sequence/smooth01.h"

// Their lengths, 127 and 130 s, are the film timeline's to check.
TEST(ShotTables, CameraShotsJoinWithoutJumps) {
    const std::vector<CameraShot> shots = MakeCameraShots();
    ASSERT_EQ(shots.size(), 23u);
    for (size_t i = 0; i < shots.size(); ++i) {
        EXPECT_GT(shots[i].duration, 0.0f) << "shot " << i;
        if (i == 0) continue;
        EXPECT_EQ(shots[i].startPos, shots[i - 1].endPos) << "shot " << i;
        EXPECT_EQ(shots[i].startLookAt, shots[i - 1].endLookAt) << "shot " << i;
    }
    EXPECT_EQ(shots.front().startPos, glm::vec3(-107.548f, 25.0823f, -2.31768f));
    EXPECT_EQ(shots.back().endLookAt, glm::vec3(6.93986f, 13.6221f, -1.6171f));
}

TEST(ShotTables, FireflyPathHoversByTheWellThenFliesEast) {
    const std::vector<PathShot> legs = MakeFireflyPath();
    ASSERT_EQ(legs.size(), 7u);
    for (size_t i = 1; i < legs.size(); ++i) {
        EXPECT_EQ(legs[i].startPos, legs[i - 1].endPos) << "leg " << i;
    }
    EXPECT_EQ(legs[0].startPos, legs[0].endPos);
    EXPECT_FLOAT_EQ(legs[0].duration, 75.0f);
    EXPECT_EQ(legs[0].startPos, glm::vec3(-3.60725f, 1.38718f, -14.0856f));
    EXPECT_NE(legs.back().endPos, legs.front().startPos);
}

TEST(Smooth01, EasesFromRestToRestThroughTheMidpoint) {
    EXPECT_EQ(smooth01(0.0f), 0.0f);
    EXPECT_EQ(smooth01(1.0f), 1.0f);
    EXPECT_EQ(smooth01(0.5f), 0.5f);
    EXPECT_EQ(smooth01(0.25f), 0.15625f);
    EXPECT_EQ(smooth01(0.75f), 0.84375f);
}
