#include "plants/l_system.h"

#include <gtest/gtest.h>

#include <cmath>

#include "plants/plant_recipe.h"
#include "plants/plant_test_support.h"

namespace {

const int kTubeVertices = 18;
const int kLeafVertices = 68;

// Centre of the ring that starts at `first` (8 segments: the ninth vertex repeats the first).
glm::vec3 RingCentre(const std::vector<Vertex>& vertices, size_t first) {
    glm::vec3 sum(0.0f);
    for (size_t i = first; i < first + 8; ++i) {
        sum += vertices[i].position;
    }
    return sum / 8.0f;
}

float RingRadius(const std::vector<Vertex>& vertices, size_t first) {
    return glm::distance(vertices[first].position, RingCentre(vertices, first));
}

struct Built {
    std::vector<Vertex> vertices;
    std::vector<uint32_t> indices;
};

Built Interpret(const LSystem& system, const std::string& symbols, float segmentLength = 1.0f,
                float taper = 0.5f) {
    Built built;
    system.GenerateMesh(symbols, built.vertices, built.indices, segmentLength, taper, 8);
    return built;
}

Built Plant(int type, float size, int iterations, uint32_t seed, float heightFactor) {
    Built built;
    LSystem::CreatePlant(static_cast<PlantType>(type), built.vertices, built.indices, size,
                         iterations, seed, heightFactor);
    return built;
}

bool SameGeometry(const Built& a, const Built& b) {
    return a.indices == b.indices && a.vertices.size() == b.vertices.size() &&
           std::equal(a.vertices.begin(), a.vertices.end(), b.vertices.begin(), SameVertex);
}

}  // namespace

TEST(LSystemGenerate, RewritesAllSymbolsInParallelAndKeepsUnruledOnes) {
    const LSystem system("AB", {{'A', "AB"}, {'B', "A"}}, 0.0f, 1.0f);
    EXPECT_EQ(system.Generate(0), "AB");
    EXPECT_EQ(system.Generate(-3), "AB");
    EXPECT_EQ(system.Generate(1), "ABA");
    EXPECT_EQ(system.Generate(3), "ABAABABA");

    const LSystem withUnruled("X[F]", {{'F', "FF"}}, 0.0f, 1.0f);
    EXPECT_EQ(withUnruled.Generate(2), "X[FFFF]");
}

TEST(LSystemGenerate, PlantGrammarGivesTheStemWithEightLeafGroups) {
    const std::string groups = "[++L][+L][-L][--L][\\\\L][\\L][/L][//L]";
    const LSystem plant("F", {{'F', "F" + groups}, {'L', "L"}}, 0.0f, 1.0f);
    EXPECT_EQ(plant.Generate(1).size(), 37u);
    EXPECT_EQ(plant.Generate(2), "F" + groups + groups);
    EXPECT_EQ(plant.Generate(2).size(), 73u);
}

TEST(LSystemRotate, TurnsRightHandedAboutAnAxisOfAnyLength) {
    const float delta = 0.4f;
    const float c = std::cos(delta);
    const float s = std::sin(delta);
    const glm::vec3 heading(0.0f, 1.0f, 0.0f), right(1.0f, 0.0f, 0.0f), up(0.0f, 0.0f, 1.0f);
    // '+' about up, '&' about right, '\' about heading, on the initial turtle frame.
    ExpectNear(LSystem::RotateVector(heading, up, delta), glm::vec3(-s, c, 0.0f));
    ExpectNear(LSystem::RotateVector(right, up, delta), glm::vec3(c, s, 0.0f));
    ExpectNear(LSystem::RotateVector(heading, right, delta), glm::vec3(0.0f, c, s));
    ExpectNear(LSystem::RotateVector(up, right, delta), glm::vec3(0.0f, -s, c));
    ExpectNear(LSystem::RotateVector(right, heading, delta), glm::vec3(c, 0.0f, -s));
    ExpectNear(LSystem::RotateVector(up, heading, delta), glm::vec3(s, 0.0f, c));
    // Only the axis direction matters; a vector along the axis is left where it is.
    ExpectNear(LSystem::RotateVector(heading, 5.0f * up, delta), glm::vec3(-s, c, 0.0f));
    ExpectNear(LSystem::RotateVector(glm::vec3(0.0f, 2.0f, 0.0f), heading, 1.3f),
               glm::vec3(0.0f, 2.0f, 0.0f));
}

TEST(LSystemTurtle, RotationSymbolsSteerTheNextTube) {
    const float delta = 0.5f;
    const LSystem system("", {}, delta, 0.1f);
    const float c = std::cos(delta);
    const float s = std::sin(delta);
    const struct {
        const char* symbols;
        glm::vec3 end;
    } cases[] = {
        {"+F", glm::vec3(-s, c, 0.0f)},       {"-F", glm::vec3(s, c, 0.0f)},
        {"&F", glm::vec3(0.0f, c, s)},        {"^F", glm::vec3(0.0f, c, -s)},
        {"\\F", glm::vec3(0.0f, 1.0f, 0.0f)},  // rolls about the heading only
        {"&\\F", glm::vec3(0.0f, c, s)},      {"fF", glm::vec3(0.0f, 2.0f, 0.0f)},
        {"GF", glm::vec3(0.0f, 2.0f, 0.0f)},  {"F", glm::vec3(0.0f, 1.0f, 0.0f)},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.symbols);
        const Built built = Interpret(system, each.symbols);
        ASSERT_GE(built.vertices.size(), 18u);
        ExpectNear(RingCentre(built.vertices, built.vertices.size() - 9), each.end);
    }
    // A roll turns the tube's own frame: with '\' about +Y the first ring vertex moves.
    const Built plain = Interpret(system, "F");
    const Built rolled = Interpret(system, "&\\^F");
    EXPECT_GT(glm::distance(plain.vertices[0].position, rolled.vertices[0].position), 0.0f);
}

TEST(LSystemTurtle, BracketsRestorePositionThicknessAndDepth) {
    const LSystem system("", {}, 0.3f, 0.4f);
    const Built built = Interpret(system, "F[+F]F");
    ASSERT_EQ(built.vertices.size(), 3u * kTubeVertices);
    // First tube: depth 0 of maxDepth 1; the bracketed one: depth 1; the third: depth 0 again.
    EXPECT_EQ(built.vertices[0].color, LSystem::GetPlantColor(0, 1));
    EXPECT_EQ(built.vertices[18].color, LSystem::GetPlantColor(1, 1));
    EXPECT_EQ(built.vertices[36].color, LSystem::GetPlantColor(0, 1));
    // The third tube starts where the first ended, with the radius the first left behind.
    ExpectNear(RingCentre(built.vertices, 36), glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_NEAR(RingRadius(built.vertices, 36), 0.2f, kTolerance);
    EXPECT_NEAR(RingRadius(built.vertices, 45), 0.1f, kTolerance);
    ExpectNear(RingCentre(built.vertices, 45), glm::vec3(0.0f, 2.0f, 0.0f));
}

TEST(LSystemTurtle, UnbalancedBracketsAreHarmless) {
    const LSystem system("", {}, 0.3f, 0.4f);
    // A ']' with nothing saved changes nothing.
    EXPECT_TRUE(SameGeometry(Interpret(system, "]]F"), Interpret(system, "F")));
    // A '[' that is never closed still raises the depth of what follows it.
    const Built open = Interpret(system, "F[F");
    ASSERT_EQ(open.vertices.size(), 2u * kTubeVertices);
    EXPECT_EQ(open.vertices[18].color, LSystem::GetPlantColor(1, 1));
    // Only the deepest nesting counts for maxDepth, not the number of brackets.
    const Built siblings = Interpret(system, "[F][F]F");
    EXPECT_EQ(siblings.vertices[0].color, LSystem::GetPlantColor(1, 1));
    EXPECT_EQ(siblings.vertices[36].color, LSystem::GetPlantColor(0, 1));
    // Symbols outside the table draw nothing.
    EXPECT_TRUE(Interpret(system, "XYZ?!").vertices.empty());
}

TEST(LSystemTurtle, LeavesScaleWithDepthAndCurrentThickness) {
    const LSystem system("", {}, 0.3f, 0.4f);
    // No '[' at all: maxDepth 0, so s = depth + 1 = 1: length 10 segments, half-width 3x.
    const Built flat = Interpret(system, "FL", 0.5f, 0.5f);
    ASSERT_EQ(flat.vertices.size(), static_cast<size_t>(kTubeVertices + kLeafVertices));
    const Vertex* leaf = &flat.vertices[kTubeVertices];
    ExpectNear(0.5f * (leaf[0].position + leaf[1].position), glm::vec3(0.0f, 0.5f, 0.0f));
    EXPECT_NEAR(glm::distance(leaf[0].position, leaf[1].position), 2.0f * 3.0f * 0.2f, kTolerance);
    // The tip: 5 units up the heading, 1.25 towards -right.
    ExpectNear(leaf[kLeafVertices - 1].position, glm::vec3(-1.25f, 5.5f, 0.0f));
    EXPECT_EQ(leaf[0].color, glm::vec3(0.3f, 0.55f, 0.4f));

    // At depth 0 of maxDepth 1, s = 1/2: length 7 segments, half-width 2.25x.
    const Built shallow = Interpret(system, "L[]", 1.0f, 0.5f);
    ASSERT_EQ(shallow.vertices.size(), static_cast<size_t>(kLeafVertices));
    EXPECT_NEAR(glm::distance(shallow.vertices[0].position, shallow.vertices[1].position),
                2.0f * 2.25f * 0.4f, kTolerance);
    ExpectNear(shallow.vertices.back().position, glm::vec3(-1.75f, 7.0f, 0.0f));
}

TEST(LSystemTurtle, SecondInterpretationAppendsAfterTheFirst) {
    const LSystem system("", {}, 0.3f, 0.4f);
    Built twice;
    system.GenerateMesh("FL", twice.vertices, twice.indices, 1.0f, 0.6f, 8);
    const size_t firstCount = twice.vertices.size();
    const size_t firstIndices = twice.indices.size();
    system.GenerateMesh("FL", twice.vertices, twice.indices, 1.0f, 0.6f, 8);

    ASSERT_EQ(twice.vertices.size(), 2 * firstCount);
    ASSERT_EQ(twice.indices.size(), 2 * firstIndices);
    for (size_t i = 0; i < firstIndices; ++i) {
        EXPECT_EQ(twice.indices[firstIndices + i], twice.indices[i] + firstCount);
    }
    EXPECT_TRUE(std::equal(twice.vertices.begin(), twice.vertices.begin() + firstCount,
                           twice.vertices.begin() + firstCount, SameVertex));
}

TEST(PlantRecipe, VariationAndTurningAngleMatchTheReferenceSeeds) {
    EXPECT_EQ(DrawPlantVariation(0), 1.00976276f);
    EXPECT_EQ(DrawPlantVariation(1), 0.983404398f);
    EXPECT_EQ(PlantTurningAngle(0.0f, DrawPlantVariation(0)), 1.05742109f);
    EXPECT_EQ(PlantTurningAngle(0.5f, DrawPlantVariation(0)), 0.749006629f);
    EXPECT_EQ(PlantTurningAngle(1.0f, DrawPlantVariation(1)), 0.429091126f);
}

TEST(PlantRecipe, TwoPassPlantHasItsStemAndSixteenLeaves) {
    const float size = 2.0f;
    const Built plant = Plant(Type4, size, 2, 0, 0.0f);
    ASSERT_EQ(plant.vertices.size(), 1106u);
    ASSERT_EQ(plant.indices.size(), 3120u);
    for (uint32_t index : plant.indices) {
        ASSERT_LT(index, plant.vertices.size());
    }

    ExpectNear(RingCentre(plant.vertices, 0), glm::vec3(0.0f));
    ExpectNear(RingCentre(plant.vertices, 9), glm::vec3(0.0f, 0.3f * size, 0.0f));
    EXPECT_NEAR(RingRadius(plant.vertices, 0), 0.06f * size, kTolerance);
    EXPECT_NEAR(RingRadius(plant.vertices, 9), 0.036f * size, kTolerance);
    EXPECT_EQ(plant.vertices[0].color, LSystem::GetPlantColor(0, 1));

    const float angle = PlantTurningAngle(0.0f, DrawPlantVariation(0));
    for (int leaf = 0; leaf < 16; ++leaf) {
        SCOPED_TRACE(leaf);
        const Vertex* blade = &plant.vertices[kTubeVertices + leaf * kLeafVertices];
        ExpectNear(0.5f * (blade[0].position + blade[1].position),
                   glm::vec3(0.0f, 0.3f * size, 0.0f));
        EXPECT_NEAR(glm::distance(blade[0].position, blade[1].position), 2.0f * 0.108f * size,
                    kTolerance);
        // The second pass repeats every leaf exactly.
        if (leaf >= 8) {
            EXPECT_TRUE(
                std::equal(blade, blade + kLeafVertices, blade - 8 * kLeafVertices, SameVertex));
        }
    }
    // The first group "[++L]" tilts the leaf two turns away from the stem: its spine starts
    // along the heading turned twice about +Z.
    const Vertex* tilted = &plant.vertices[kTubeVertices];
    const glm::vec3 spineStart = 0.5f * (tilted[4].position + tilted[5].position) -
                                 0.5f * (tilted[0].position + tilted[1].position);
    EXPECT_NEAR(std::atan2(-spineStart.x, spineStart.y), 2.0f * angle, 0.1f);
    // The rolled groups keep the leaf pointing up the stem: curl and sag only move its tip
    // sideways, so it ends a full leaf length of 3 S above the stem's top.
    const Vertex* rolled = &plant.vertices[kTubeVertices + 4 * kLeafVertices];
    EXPECT_NEAR(rolled[kLeafVertices - 1].position.y, 0.3f * size + 3.0f * size, kTolerance);
}

TEST(PlantRecipe, PassesAreClampedAndUnknownTypesEmitNothing) {
    EXPECT_EQ(Plant(Type0, 1.0f, 0, 3, 0.2f).vertices.size(), 18u);
    EXPECT_EQ(Plant(Type0, 1.0f, -4, 3, 0.2f).vertices.size(), 18u);
    EXPECT_EQ(Plant(Type2, 1.0f, 1, 3, 0.2f).vertices.size(), 18u + 8u * 68u);
    EXPECT_TRUE(SameGeometry(Plant(Type1, 1.0f, 7, 3, 0.2f), Plant(Type1, 1.0f, 2, 3, 0.2f)));
    // Every known type grows the same recipe.
    EXPECT_TRUE(SameGeometry(Plant(Type0, 1.0f, 2, 3, 0.2f), Plant(Type4, 1.0f, 2, 3, 0.2f)));

    for (int type : {5, 6, 100, -1}) {
        SCOPED_TRACE(type);
        std::vector<Vertex> vertices(3);
        std::vector<uint32_t> indices(3, 1u);
        LSystem::CreatePlant(static_cast<PlantType>(type), vertices, indices, 1.0f, 2, 0, 0.0f);
        EXPECT_EQ(vertices.size(), 3u);
        EXPECT_EQ(indices.size(), 3u);
    }
}

TEST(PlantRecipe, SameSeedGrowsTheSamePlantAndOtherSeedsVaryTheAngle) {
    EXPECT_TRUE(SameGeometry(Plant(Type4, 1.3f, 2, 11, 0.7f), Plant(Type4, 1.3f, 2, 11, 0.7f)));
    EXPECT_FALSE(SameGeometry(Plant(Type4, 1.3f, 2, 11, 0.7f), Plant(Type4, 1.3f, 2, 12, 0.7f)));
    // The stem does not depend on the angle.
    const Built a = Plant(Type4, 1.3f, 2, 11, 0.7f);
    const Built b = Plant(Type4, 1.3f, 2, 12, 0.7f);
    EXPECT_TRUE(std::equal(a.vertices.begin(), a.vertices.begin() + kTubeVertices,
                           b.vertices.begin(), SameVertex));
}
