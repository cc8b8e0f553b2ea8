#include "plants/seeded_random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

// Expected values below were worked out independently of this code, from the engine's raw
// outputs and the draw rules applied by hand.

TEST(SeededRandom, EngineGivesTheReferenceFirstOutputs) {
    std::mt19937 seed0(0);
    std::mt19937 seed42(42);
    EXPECT_EQ(seed0(), 2357136044u);
    EXPECT_EQ(seed42(), 1608637542u);
}

TEST(SeededRandom, UniformRealReproducesThePlantVariations) {
    std::mt19937 seed0(0);
    std::mt19937 seed1(1);
    EXPECT_EQ(UniformReal(seed0, 0.9f, 1.1f), 1.00976276f);
    EXPECT_EQ(UniformReal(seed1, 0.9f, 1.1f), 0.983404398f);
}

TEST(SeededRandom, SeedFortyTwoOverAThousandCandidatesGivesTheReferencePlacementDraws) {
    std::mt19937 engine(42);
    EXPECT_EQ(UniformInt(engine, 0, 999), 374u);
    EXPECT_EQ(UniformReal(engine, 0.5f, 1.5f), 1.29654300f);
    EXPECT_EQ(UniformReal(engine, 0.0f, 360.0f), 342.257141f);
    EXPECT_EQ(UniformInt(engine, 2, 4), 2u);
}

TEST(SeededRandom, UniformRealStaysBelowOneWhenTheOutputRoundsUpToTwoToThe32) {
    // Output number 6541537 of seed 0 is 4294967281, which becomes 2^32 as a float.
    std::mt19937 engine(0);
    engine.discard(6541537);
    std::mt19937 sameOutput = engine;
    EXPECT_EQ(UniformReal(engine, 0.0f, 1.0f), std::nextafter(1.0f, 0.0f));
    // The yaw of a plant therefore never reaches a full turn.
    EXPECT_LT(UniformReal(sameOutput, 0.0f, 360.0f), 360.0f);
}

TEST(SeededRandom, UniformIntRedrawsBiasedProductsAndConsumesOnlyWhatItUses) {
    // For n = 2^31 + 1 the threshold is 2^31 - 1: seed 42's first two outputs fall below it and
    // are drawn again; the third, 4083286876, is kept.
    std::mt19937 engine(42);
    std::mt19937 reference(42);
    EXPECT_EQ(UniformInt(engine, 0, 0x80000000u), 2041643438u);
    reference.discard(3);
    EXPECT_EQ(engine(), reference());

    // A small range takes exactly one output per draw here.
    std::mt19937 oneDraw(42);
    std::mt19937 oneDrawReference(42);
    UniformInt(oneDraw, 2, 4);
    oneDrawReference.discard(1);
    EXPECT_EQ(oneDraw(), oneDrawReference());
}

TEST(SeededRandom, DrawsStayInsideTheirRanges) {
    std::mt19937 engine(7);
    for (int i = 0; i < 10000; ++i) {
        const uint32_t pass = UniformInt(engine, 2, 4);
        EXPECT_GE(pass, 2u);
        EXPECT_LE(pass, 4u);
        const float yaw = UniformReal(engine, 0.0f, 360.0f);
        EXPECT_GE(yaw, 0.0f);
        EXPECT_LT(yaw, 360.0f);
    }
    EXPECT_EQ(UniformInt(engine, 5, 5), 5u);
    // The full 32-bit range hands the raw output through.
    std::mt19937 full(42);
    EXPECT_EQ(UniformInt(full, 0, 0xFFFFFFFFu), 1608637542u);
}
