#include "render/view_volume.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "render/film_view.h"
#include "render/shadow_map.h"

namespace {

Bounds Cube(const glm::vec3& centre, float half) {
    return {centre - glm::vec3(half), centre + glm::vec3(half)};
}

glm::mat4 FilmProjection() {
    return glm::perspective(glm::radians(kFieldOfViewDegrees),
                            static_cast<float>(kWindowWidth) / kWindowHeight, kNearPlane,
                            kFarPlane);
}

// The film's camera at the origin looking down -z.
glm::mat4 FilmCamera() {
    return FilmProjection() *
           glm::lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f), glm::vec3(0.0f, 1.0f, 0.0f));
}

}  // namespace

TEST(ViewVolume, KeepsWhatIsInFrontAndLeavesOutWhatIsBehindBesideOrBeyond) {
    const ViewVolume camera(FilmCamera());
    EXPECT_TRUE(camera.MayContain(Cube({0.0f, 0.0f, -10.0f}, 1.0f)));
    EXPECT_FALSE(camera.MayContain(Cube({0.0f, 0.0f, 10.0f}, 1.0f))) << "behind";
    EXPECT_FALSE(camera.MayContain(Cube({30.0f, 0.0f, -10.0f}, 1.0f))) << "right of the picture";
    EXPECT_FALSE(camera.MayContain(Cube({0.0f, 30.0f, -10.0f}, 1.0f))) << "above the picture";
    EXPECT_FALSE(camera.MayContain(Cube({0.0f, 0.0f, -2100.0f}, 50.0f))) << "beyond far";
    // The camera stands inside a box that reaches behind it: it is drawn.
    EXPECT_TRUE(camera.MayContain(Cube({0.0f, 0.0f, 0.0f}, 5.0f)));
}

TEST(ViewVolume, KeepsABoxThatOnlyReachesIntoThePictureAtItsEdge) {
    const ViewVolume camera(FilmCamera());
    // Half the horizontal field at distance d is d * tan(22.5 deg) * 16/9 = 0.736 d: 8.10 at the
    // far side of a cube around z = -10 with half-size 1.
    EXPECT_TRUE(camera.MayContain(Cube({8.0f, 0.0f, -10.0f}, 1.0f)));
    EXPECT_TRUE(camera.MayContain(Cube({9.0f, 0.0f, -10.0f}, 1.0f)));
    EXPECT_FALSE(camera.MayContain(Cube({9.2f, 0.0f, -10.0f}, 1.0f)));
    // A flat box (a single plant leaf lying in a plane) is a box too.
    EXPECT_TRUE(camera.MayContain({{-1.0f, -1.0f, -5.0f}, {1.0f, 1.0f, -5.0f}}));
}

TEST(ViewVolume, TheSunsOrthographicBoxCoversItsSquareAndDepthRange) {
    const glm::mat4 light =
        glm::ortho(-50.0f, 50.0f, -50.0f, 50.0f, 1.0f, 200.0f) *
        glm::lookAt(glm::vec3(0.0f, 150.0f, 0.0f), glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, 1.0f));
    const ViewVolume sun(light);
    EXPECT_TRUE(sun.MayContain(Cube({0.0f, 0.0f, 0.0f}, 1.0f)));
    EXPECT_TRUE(sun.MayContain(Cube({49.5f, -40.0f, 49.5f}, 1.0f)));
    EXPECT_FALSE(sun.MayContain(Cube({52.0f, 0.0f, 0.0f}, 1.0f)));
    EXPECT_FALSE(sun.MayContain(Cube({0.0f, -60.0f, 0.0f}, 1.0f))) << "more than 50 below";
    EXPECT_FALSE(sun.MayContain(Cube({0.0f, 152.0f, 0.0f}, 1.0f))) << "behind the sun";
}

TEST(ViewVolume, BoundsEncloseEveryVertex) {
    std::vector<Vertex> vertices(3);
    vertices[0].position = {1.0f, -2.0f, 3.0f};
    vertices[1].position = {-4.0f, 5.0f, 0.5f};
    vertices[2].position = {2.0f, 0.0f, -6.0f};
    const Bounds box = BoundsOf(vertices);
    EXPECT_EQ(box.min, glm::vec3(-4.0f, -2.0f, -6.0f));
    EXPECT_EQ(box.max, glm::vec3(2.0f, 5.0f, 3.0f));
}

TEST(ViewVolume, ABoxSweptIntoThePictureCountsEvenWhenItStartsOutside) {
    const ViewVolume camera(FilmCamera());
    const Bounds besideThePicture = Cube({30.0f, 0.0f, -10.0f}, 1.0f);
    EXPECT_TRUE(camera.MayContainSwept(besideThePicture, {-30.0f, 0.0f, 0.0f}));
    EXPECT_TRUE(camera.MayContainSwept(besideThePicture, {-60.0f, 0.0f, 0.0f})) << "through it";
    EXPECT_FALSE(camera.MayContainSwept(besideThePicture, {30.0f, 0.0f, 0.0f})) << "away from it";
}

TEST(ShadowCasterFilter, KeepsCastersWhoseShadowCanReachTheViewAndLeavesOutTheOthers) {
    // Noon: the shadows fall straight down. The camera looks down -z from 3 units up.
    const glm::vec3 sunPos(0.0f, 150.0f, 0.0f);
    const glm::mat4 light = LightSpaceMatrix(sunPos);
    const glm::mat4 view =
        FilmProjection() * glm::lookAt(glm::vec3(0.0f, 3.0f, 0.0f), glm::vec3(0.0f, 3.0f, -1.0f),
                                       glm::vec3(0.0f, 1.0f, 0.0f));
    const ShadowCasterFilter withCamera(light, sunPos, view);
    const ShadowCasterFilter sunOnly(light, sunPos);
    // High above the ground in front of the camera, out of the picture: its shadow falls into it.
    const Bounds overTheView = Cube({0.0f, 40.0f, -20.0f}, 1.0f);
    // Behind the camera: its shadow falls behind the camera too.
    const Bounds behind = Cube({0.0f, 2.0f, 20.0f}, 1.0f);
    // Just behind the camera, within the margin of what the shaders look up: its box ends half
    // a unit behind the camera, the margin takes it half a unit in front.
    const Bounds atTheMargin = Cube({0.0f, 2.0f, 1.5f}, 1.0f);
    EXPECT_FALSE(ViewVolume(view).MayContainSwept(atTheMargin, {0.0f, -200.0f, 0.0f}));
    EXPECT_TRUE(withCamera.MayCast(overTheView));
    EXPECT_FALSE(withCamera.MayCast(behind));
    EXPECT_TRUE(sunOnly.MayCast(behind));
    EXPECT_TRUE(withCamera.MayCast(atTheMargin));
    EXPECT_FALSE(sunOnly.MayCast(Cube({70.0f, 0.0f, 0.0f}, 1.0f))) << "outside the sun's box";
}

// With the sun overhead the map looks straight down, x to the left and z up its rows: 100 units
// over 2048 texels, 20.48 texels a unit, the origin at texel 1024 both ways (half of that in a
// map of 1024); every box is widened by the lookup's reach of one unit.
TEST(ShadowMapRegion, CoversTheReceiversAsTheSunSeesThemWithinTheMap) {
    const glm::mat4 overhead = LightSpaceMatrix(glm::vec3(0.0f, 150.0f, 0.0f));
    const struct {
        const char* what;
        std::vector<Bounds> receivers;
        int side;
        TexelRect expected;
    } rows[] = {
        {"nothing in view", {}, 2048, {0, 0, 0, 0}},
        // x and z from -2 to 2 with the reach: texels 983.04 to 1064.96, rounded outwards.
        {"a box at the origin", {Cube({0.0f, 3.0f, 0.0f}, 1.0f)}, 2048, {983, 983, 82, 82}},
        // 491.52 to 532.48.
        {"a box at the origin, small map",
         {Cube({0.0f, 3.0f, 0.0f}, 1.0f)},
         1024,
         {491, 491, 42, 42}},
        // x from 9 to 13 lies at texels 757.8 to 839.7 (x runs leftwards), z from -1 to 3 at
        // 1003.5 to 1085.4.
        {"two boxes",
         {Cube({0.0f, 0.0f, 0.0f}, 1.0f), Cube({11.0f, 0.0f, 1.0f}, 1.0f)},
         2048,
         {757, 983, 308, 103}},
        {"beyond the map's edge", {Cube({70.0f, 0.0f, 0.0f}, 5.0f)}, 2048, {0, 0, 0, 0}},
        {"larger than the map", {Cube({0.0f, 0.0f, 0.0f}, 200.0f)}, 2048, {0, 0, 2048, 2048}},
        {"larger than the small map", {Cube({0.0f, 0.0f, 0.0f}, 200.0f)}, 1024, {0, 0, 1024, 1024}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const TexelRect region = ShadowMapRegion(overhead, row.receivers, row.side);
        EXPECT_EQ(region.Empty(), row.expected.Empty());
        if (row.expected.Empty()) continue;
        EXPECT_EQ(region.x, row.expected.x);
        EXPECT_EQ(region.y, row.expected.y);
        EXPECT_EQ(region.width, row.expected.width);
        EXPECT_EQ(region.height, row.expected.height);
    }
}

// A caster draws into the part of the map that is drawn only where its footprint, a texel wider
// all round, reaches it: the box at the origin covers texels 1003.5 to 1044.5 of a 2048 map.
TEST(ShadowMapRegion, CastersCountWhereTheirFootprintMeetsTheDrawnPart) {
    const glm::mat4 overhead = LightSpaceMatrix(glm::vec3(0.0f, 150.0f, 0.0f));
    const Bounds atTheOrigin = Cube({0.0f, 3.0f, 0.0f}, 1.0f);
    const struct {
        TexelRect drawn;
        bool mayDraw;
    } rows[] = {{{0, 0, 2048, 2048}, true},   {{1040, 1040, 10, 10}, true},
                {{1045, 1000, 10, 50}, true}, {{1047, 1000, 10, 50}, false},
                {{1000, 960, 10, 43}, true},  {{1000, 960, 10, 42}, false}};
    for (const auto& row : rows) {
        EXPECT_EQ(MayDrawInto(overhead, atTheOrigin, row.drawn, 2048), row.mayDraw)
            << row.drawn.x << ", " << row.drawn.y << ", " << row.drawn.width << " x "
            << row.drawn.height;
    }
}

// Full size keeps the whole map; below it a texel covers no more of the picture than at full
// size, in powers of two.
TEST(ShadowMapSide, FollowsTheRenderScaleInPowersOfTwo) {
    const struct {
        float scale;
        int side;
    } rows[] = {{1.0f, 2048}, {0.95f, 2048}, {0.55f, 2048}, {0.5f, 1024}, {0.35f, 1024}};
    for (const auto& row : rows) EXPECT_EQ(ShadowMapSide(row.scale), row.side) << row.scale;
}
