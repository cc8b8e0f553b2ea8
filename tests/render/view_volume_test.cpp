#include "render/view_volume.h"

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

namespace {

Bounds Cube(const glm::vec3& centre, float half) {
    return {centre - glm::vec3(half), centre + glm::vec3(half)};
}

// The film's camera: 45 degrees, 16:9, near 0.1, far 2000, at the origin looking down -z.
glm::mat4 FilmCamera() {
    return glm::perspective(glm::radians(45.0f), 1920.0f / 1080.0f, 0.1f, 2000.0f) *
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
