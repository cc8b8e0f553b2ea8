// Every shortcut of the renderer against the full path, on the same frame: the picture must not
// change.
#include <algorithm>
#include <cmath>
#include <string>

#include "render/day_night.h"
#include "render/shadow_map.h"
#include "render/view_volume.h"
#include "scene_frames.h"

namespace {

struct View {
    const char* name;
    glm::vec3 eye;
    glm::vec3 lookAt;
    float sunAngle;
};

// Over the islands at noon, the well and its shadow in the afternoon, the low sun with its flare
// over the sea, and the starry night.
const View kViews[] = {
    {"islands at noon", {0.0f, 30.0f, 60.0f}, {0.0f, 0.0f, 0.0f}, 1.5707963f},
    {"well, afternoon", {-2.8f, 3.8f, -12.6f}, {-3.38f, 0.8f, -14.1f}, 2.0943951f},
    {"low sun", {30.0f, 6.0f, 20.0f}, {150.0f, 12.0f, 0.0f}, 0.12f},
    {"night sky", {0.0f, 8.0f, 50.0f}, {0.0f, 60.0f, -100.0f}, -1.2f},
};

class ShortcutFrames : public SceneFrames {
  protected:
    // Renders `view` with and without the shortcuts chosen by `off` switched off.
    std::vector<unsigned char> RenderWith(const View& view, const RenderShortcuts& chosen) {
        shortcuts = chosen;
        Render(view.eye, view.lookAt, view.sunAngle);
        return ReadWindowRgb();
    }
};

// Largest channel difference between two pictures, in levels.
int LargestDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

// Counts the shadow casters drawn.
class ShadowPassCounter : public PassObserver {
  public:
    void PassEnded(const char* pass) override {
        if (std::string(pass).rfind("shadow", 0) == 0) ++casterPasses;
    }
    int casterPasses = 0;
};

float AngleForSunHeight(float height) {
    return std::asin(height);  // rising in +x: the height is the sine of the angle
}

}  // namespace

TEST_F(ShortcutFrames, TheSkyBehindTheOpaqueObjectsLeavesThePictureAsItWas) {
    RenderShortcuts full;
    full.skyBehindOpaqueObjects = false;
    RenderShortcuts skyLast = full;
    skyLast.skyBehindOpaqueObjects = true;
    for (const View& view : kViews) {
        SCOPED_TRACE(view.name);
        const std::vector<unsigned char> before = RenderWith(view, full);
        EXPECT_EQ(LargestDifference(before, RenderWith(view, skyLast)), 0);
    }
    GLint depthFunc = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    EXPECT_EQ(depthFunc, GL_LESS) << "the frame ends with the default depth function";
    float range[2] = {0.0f, 0.0f};
    glGetFloatv(GL_DEPTH_RANGE, range);
    EXPECT_EQ(range[0], 0.0f);
    EXPECT_EQ(range[1], 1.0f);
}

TEST_F(ShortcutFrames, TheShadowMapIsSkippedOnlyOnceNoSunlightIsLeft) {
    ShadowPassCounter counter;
    passObserver = &counter;
    const View& view = kViews[1];
    Render(view.eye, view.lookAt, AngleForSunHeight(-0.03f));
    EXPECT_EQ(counter.casterPasses, 3) << "the last sunlight still casts shadows";
    counter.casterPasses = 0;
    Render(view.eye, view.lookAt, AngleForSunHeight(-0.05f));
    EXPECT_EQ(counter.casterPasses, 0);
    counter.casterPasses = 0;
    Render(view.eye, view.lookAt, kMidnightAngle);
    EXPECT_EQ(counter.casterPasses, 0);
    EXPECT_TRUE(SunlightReachesTheScene(0.0f));
    EXPECT_FALSE(SunlightReachesTheScene(-0.05f));
}

// The skipped map still holds the last sunlit frame's shadows; the picture must not show them.
TEST_F(ShortcutFrames, ANightFrameWithAStaleShadowMapMatchesOneWithAFreshMap) {
    RenderShortcuts full;
    full.skipShadowMapWithoutSunlight = false;
    const RenderShortcuts skipping;
    for (const View& view : {kViews[0], kViews[1]}) {
        for (const float height : {-0.05f, -0.3f}) {
            SCOPED_TRACE(std::string(view.name) + " at height " + std::to_string(height));
            const View night{view.name, view.eye, view.lookAt, AngleForSunHeight(height)};
            const std::vector<unsigned char> fresh = RenderWith(night, full);
            RenderWith(view, full);  // fills the map with the view's daytime shadows
            EXPECT_EQ(LargestDifference(fresh, RenderWith(night, skipping)), 0);
        }
    }
}

TEST_F(ShortcutFrames, LeavingOutPlantsOutsideTheViewAndTheSunsBoxLeavesThePictureAsItWas) {
    // Close to one plant, where most others lie outside the picture; the sun's box still holds
    // many of them.
    const Bounds& plant = scene().plantBounds[scene().plantBounds.size() / 2];
    const glm::vec3 centre = 0.5f * (plant.min + plant.max);
    const View amongThePlants{"among the plants", centre + glm::vec3(2.0f, 1.5f, 2.5f), centre,
                              kAfternoonAngle};
    RenderShortcuts full;
    full.cullPlants = false;
    const RenderShortcuts culling;
    for (const View& view : {kViews[0], kViews[1], kViews[2], amongThePlants}) {
        SCOPED_TRACE(view.name);
        const std::vector<unsigned char> before = RenderWith(view, full);
        const ViewVolume seen(camera.cameraMatrix);
        const auto inView = std::count_if(scene().plantBounds.begin(), scene().plantBounds.end(),
                                          [&](const Bounds& box) { return seen.MayContain(box); });
        EXPECT_LT(inView, static_cast<long>(scene().plantBounds.size()))
            << "the view must leave some plants out to test anything";
        EXPECT_EQ(LargestDifference(before, RenderWith(view, culling)), 0);
    }
}
