// Every shortcut of the renderer against the full path, on the same frame: the picture must not
// change.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "gfx/obj_loader.h"
#include "render/day_night.h"
#include "render/scene_layout.h"
#include "render/shadow_map.h"
#include "render/terrain_chunks.h"
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
// over the sea, the starry night, and the islands with the low sun behind the camera, whose long
// shadows come into the picture from casters out of it.
const View kViews[] = {
    {"islands at noon", {0.0f, 30.0f, 60.0f}, {0.0f, 0.0f, 0.0f}, 1.5707963f},
    {"well, afternoon", {-2.8f, 3.8f, -12.6f}, scene_layout::kWellBase, 2.0943951f},
    {"low sun", {30.0f, 6.0f, 20.0f}, {150.0f, 12.0f, 0.0f}, 0.12f},
    {"night sky", {0.0f, 8.0f, 50.0f}, {0.0f, 60.0f, -100.0f}, -1.2f},
    {"sun behind", {30.0f, 6.0f, 20.0f}, {-60.0f, -4.0f, -10.0f}, 0.12f},
};
// Looking steeply down on the well, the picture reads a quarter of the shadow map.
const View kDownOnTheWell{"down on the well", {-3.0f, 7.0f, -11.5f}, scene_layout::kWellBase, 2.0f};

class ShortcutFrames : public SceneFrames {
  protected:
    // Renders `view` with and without the shortcuts chosen by `off` switched off.
    std::vector<unsigned char> RenderWith(const View& view, const RenderShortcuts& chosen,
                                          float fadeAlpha = 0.0f) {
        shortcuts = chosen;
        Render(view.eye, view.lookAt, view.sunAngle, fadeAlpha);
        return FrameTarget::Window().ReadRgb();
    }
};

// Largest channel difference between two pictures, in levels.
int LargestDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

// Channel values that differ by more than `levels`.
int DifferingValues(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b,
                    int levels = 0) {
    int differing = 0;
    for (size_t i = 0; i < a.size(); ++i) differing += std::abs(a[i] - b[i]) > levels;
    return differing;
}

// The islands wound the other way round, as another model of them might be: seen from above,
// every triangle shows its back face.
std::vector<Mesh> ClockwiseIslands() {
    std::vector<Mesh> loaded, rewound;
    ConsoleLines console;
    EXPECT_TRUE(LoadOBJ("resources/models/islands/islands.obj", loaded, console));
    for (Mesh& mesh : loaded) {
        for (size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
            std::swap(mesh.indices[t + 1], mesh.indices[t + 2]);
        }
        rewound.emplace_back(mesh.vertices, mesh.indices, mesh.textures);
    }
    return rewound;
}

// Counts the shadow casters drawn.
class ShadowPassCounter : public PassObserver {
  public:
    void PassEnded(const char* pass) override {
        if (std::string(pass).rfind("shadow", 0) == 0) ++casterPasses;
    }
    int casterPasses = 0;
};

// The window's depth buffer, bottom row first.
std::vector<float> ReadWindowDepth() {
    std::vector<float> depth(1920 * 1080);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadPixels(0, 0, 1920, 1080, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
    return depth;
}

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

// The shadow map drawn only where the lit objects in view read it: the same picture, the well's
// shadow and the long shadows of casters out of the picture included.
TEST_F(ShortcutFrames, TheShadowMapDrawnOnlyWhereItIsReadLeavesThePictureAsItWas) {
    RenderShortcuts whole;
    whole.shadowMapWhereRead = false;
    const RenderShortcuts whereRead;
    std::vector<View> views(std::begin(kViews), std::end(kViews));
    views.push_back(kDownOnTheWell);
    for (const View& view : views) {
        SCOPED_TRACE(view.name);
        const std::vector<unsigned char> before = RenderWith(view, whole);
        EXPECT_EQ(LargestDifference(before, RenderWith(view, whereRead)), 0);
    }
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

// Before sunrise the map is not drawn, yet the lit programs sample it: from the start it holds the
// far depth, which shadows nothing.
TEST_F(ShortcutFrames, ANewShadowMapHoldsTheFarDepthEverywhere) {
    const ShadowTarget target = CreateShadowTarget();
    std::vector<float> depth(static_cast<size_t>(ShadowTarget::kSize) * ShadowTarget::kSize, 0.0f);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target.shadowFBO);
    glReadPixels(0, 0, ShadowTarget::kSize, ShadowTarget::kSize, GL_DEPTH_COMPONENT, GL_FLOAT,
                 depth.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &target.shadowFBO);
    glDeleteTextures(1, &target.shadowMap);
    EXPECT_EQ(std::count(depth.begin(), depth.end(), 1.0f), static_cast<long>(depth.size()));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The skipped map still holds the last sunlit frame's shadows; the picture must not show them.
TEST_F(ShortcutFrames, ANightFrameWithAStaleShadowMapMatchesOneWithAFreshMap) {
    RenderShortcuts full;
    full.skipShadowMapWithoutSunlight = false;
    const RenderShortcuts skipping;
    for (const View& view : {kViews[0], kViews[1]}) {
        for (const float height : {kLastSunlightHeight - 0.006f, -0.3f}) {
            SCOPED_TRACE(std::string(view.name) + " at height " + std::to_string(height));
            const View night{view.name, view.eye, view.lookAt, AngleForSunHeight(height)};
            const std::vector<unsigned char> fresh = RenderWith(night, full);
            RenderWith(view, full);  // fills the map with the view's daytime shadows
            EXPECT_EQ(LargestDifference(fresh, RenderWith(night, skipping)), 0);
        }
    }
}

// Primitives the vertex stage put out while `draw` ran.
GLuint PrimitivesDrawn(const std::function<void()>& draw) {
    GLuint query = 0, primitives = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    draw();
    glEndQuery(GL_PRIMITIVES_GENERATED);
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
    glDeleteQueries(1, &query);
    return primitives;
}

// Shortcuts that leave geometry out or draw it once: the same picture from fewer triangles.
// Culled plants: close to one plant most others lie outside the picture, while the sun's box
// still holds many of them. Drawn once: every plant from the shared buffer in one call, without
// the triangles a plant repeats, against one mesh per plant as generated. The culled sea: from
// low over the water most of the grid lies behind the camera or beside the picture. Culled
// casters: looking down on the well the picture reads a corner of the shadow map, and with the
// sun behind the camera the long shadows come from casters out of the picture. Faded out: the
// frame the fade covers whole is as black without the scene under it.
TEST_F(ShortcutFrames, TheShortcutsThatDrawLessLeaveThePictureAsItWas) {
    const Bounds& plant = scene().plants.bounds[scene().plants.bounds.size() / 2];
    const glm::vec3 centre = 0.5f * (plant.min + plant.max);
    const View amongThePlants{"among the plants", centre + glm::vec3(2.0f, 1.5f, 2.5f), centre,
                              kAfternoonAngle};
    const std::vector<View> plantViews = {kViews[0], kViews[1], kViews[2], kViews[4],
                                          amongThePlants};
    const struct {
        const char* name;
        bool RenderShortcuts::*shortcut;
        std::vector<View> views;
        float fadeAlpha;
    } rows[] = {
        {"culled plants", &RenderShortcuts::cullPlants, plantViews, 0.0f},
        {"plants drawn once", &RenderShortcuts::plantsDrawnOnce, plantViews, 0.0f},
        {"culled sea", &RenderShortcuts::cullSea, {kViews[0], kViews[2], amongThePlants}, 0.0f},
        {"culled casters",
         &RenderShortcuts::cullShadowCasters,
         {kViews[1], kDownOnTheWell, kViews[4]},
         0.0f},
        {"faded out", &RenderShortcuts::onlyTheFadeWhenFadedOut, {kViews[0], kViews[3]}, 1.0f},
        // The first frame of the film: the fade-in has begun a moment before.
        {"all but faded out",
         &RenderShortcuts::onlyTheFadeWhenFadedOut,
         {kViews[0]},
         FrameRenderer::kOpaqueFade}};
    for (const auto& row : rows) {
        RenderShortcuts full;
        full.*row.shortcut = false;
        const RenderShortcuts taken;
        for (const View& view : row.views) {
            SCOPED_TRACE(std::string(row.name) + ", " + view.name);
            std::vector<unsigned char> before, after;
            const GLuint fullPrimitives =
                PrimitivesDrawn([&] { before = RenderWith(view, full, row.fadeAlpha); });
            const GLuint fewer =
                PrimitivesDrawn([&] { after = RenderWith(view, taken, row.fadeAlpha); });
            EXPECT_LT(fewer, fullPrimitives) << "the view must leave something out";
            EXPECT_EQ(LargestDifference(before, after), 0);
        }
    }
}

// The same triangles, drawn in another order with their back faces culled: where the rasteriser
// breaks a tie differently a stray channel value may move by one level. A ridge seen against what
// lies behind it has its crest as an edge shared by a face towards the camera and one away from
// it; pixels right on the crest get the same depth from both, and without culling the face drawn
// first keeps them, with culling always the front face. Such a pixel may change colour outright
// (the face away from the camera, seen edge-on, samples the ground's textures at a coarser level
// of detail), but only where the depth stays within a few steps, as two faces meeting at the
// pixel have it; anything that hides or uncovers ground changes it by far more.
TEST_F(ShortcutFrames, TheChunkedTerrainLeavesThePictureAsItWas) {
    constexpr float kDepthStep = 1.0f / 16777215.0f;  // one step of the 24-bit depth buffer
    RenderShortcuts full;
    full.chunkedTerrain = false;
    const RenderShortcuts chunked;
    const View fromTheShore{"from the shore", {8.0f, 2.0f, 12.0f}, {-20.0f, 0.0f, -30.0f}, 0.5f};
    const struct {
        View view;
        bool clockwise;  // the terrain wound the other way: nothing may be culled
    } rows[] = {{kViews[0], false}, {kViews[1], false},    {kViews[2], false}, {kViews[3], false},
                {kViews[4], false}, {fromTheShore, false}, {kViews[0], true},  {kViews[1], true}};
    EXPECT_TRUE(scene().terrainChunks.heightField) << "the islands may be culled";
    std::vector<Mesh> otherMeshes = ClockwiseIslands();
    TerrainChunks otherChunks = ChunkTerrain(otherMeshes, scene().terrainModel);
    const auto swapTerrain = [&] {
        std::swap(scene().terrainMeshes, otherMeshes);
        std::swap(scene().terrainChunks, otherChunks);
    };
    for (const auto& row : rows) {
        const View& view = row.view;
        SCOPED_TRACE(std::string(view.name) + (row.clockwise ? ", wound clockwise" : ""));
        if (row.clockwise) swapTerrain();
        const std::vector<unsigned char> before = RenderWith(view, full);
        const std::vector<float> depthBefore = ReadWindowDepth();
        const std::vector<unsigned char> after = RenderWith(view, chunked);
        const std::vector<float> depthAfter = ReadWindowDepth();
        int crestPixels = 0, otherDepth = 0;
        for (size_t pixel = 0; pixel < depthBefore.size(); ++pixel) {
            const auto rgb = [&](const std::vector<unsigned char>& picture) {
                return glm::ivec3(picture[3 * pixel], picture[3 * pixel + 1],
                                  picture[3 * pixel + 2]);
            };
            const glm::ivec3 change = glm::abs(rgb(before) - rgb(after));
            if (std::max({change.r, change.g, change.b}) <= 1) continue;
            ++crestPixels;
            otherDepth += std::abs(depthBefore[pixel] - depthAfter[pixel]) > 8.0f * kDepthStep;
        }
        EXPECT_EQ(otherDepth, 0) << "pixels whose colour and depth both changed";
        // A few pixels on the crests, where the back face drawn by the full path meets the front
        // face at the same depth, differ by the detail tile's grain, sampled texel by texel.
        EXPECT_LE(crestPixels, 12);
        EXPECT_LE(DifferingValues(before, after), 48);
        if (row.clockwise) swapTerrain();
    }
    GLboolean culling = GL_TRUE;
    glGetBooleanv(GL_CULL_FACE, &culling);
    EXPECT_FALSE(culling) << "no pass but the terrain's culls faces";
}

// A camera flown below the sea floor looks at the ground's underside, which hides the sky and the
// sun: culling the terrain's back faces there would open the ground.
TEST_F(ShortcutFrames, BelowTheGroundTheShortcutsLeaveThePictureAsItWas) {
    const View belowTheGround{"below the ground", {0.0f, -40.0f, 40.0f}, {20.0f, 0.0f, 0.0f}, 1.2f};
    ASSERT_FALSE(AboveTheTerrain(scene().terrainChunks.bounds, belowTheGround.eye));
    const std::vector<unsigned char> before = RenderWith(belowTheGround, RenderShortcuts::None());
    const std::vector<unsigned char> after = RenderWith(belowTheGround, RenderShortcuts());
    EXPECT_EQ(LargestDifference(before, after), 0);
}

// At full size every terrain piece is drawn whole: the same triangles and the same picture as
// without levels. Drawn smaller, the far pieces come from their coarser levels, and the picture
// changes by no more than a few stray pixels along the far shores.
TEST_F(ShortcutFrames, TheTerrainsLevelsWaitForAPictureSmallerThanTheWindow) {
    RenderShortcuts whole;
    whole.levelsOfDetail = false;
    const RenderShortcuts levels;
    for (const View& view : {kViews[0], kViews[2], kViews[4]}) {
        SCOPED_TRACE(view.name);
        std::vector<unsigned char> before, after;
        renderScale = 1.0f;
        const GLuint all = PrimitivesDrawn([&] { before = RenderWith(view, whole); });
        EXPECT_EQ(PrimitivesDrawn([&] { after = RenderWith(view, levels); }), all);
        EXPECT_EQ(LargestDifference(before, after), 0);
        renderScale = 0.5f;
        const GLuint allSmaller = PrimitivesDrawn([&] { before = RenderWith(view, whole); });
        const GLuint fewer = PrimitivesDrawn([&] { after = RenderWith(view, levels); });
        EXPECT_LT(fewer, allSmaller * 9 / 10);
        EXPECT_LT(DifferingValues(before, after, 8), static_cast<int>(before.size() / 500));
    }
    renderScale = 1.0f;
}

// Drawn smaller than the window, the sun's map of one frame serves the next few while the sun
// turns too little to move a shadow by half a texel and the view reads the map within what was
// drawn: those frames draw no casters. At full size, after a longer turn of the sun, after a cut
// to another view, or once a few frames have used it, the map is drawn again.
TEST_F(ShortcutFrames, TheSunsMapIsKeptOnlyWhileItStillServes) {
    const View& well = kViews[1];
    const View islands{"islands", kViews[0].eye, kViews[0].lookAt, well.sunAngle};
    const struct {
        const char* name;
        float scale;
        float sunStep;  // radians from one frame to the next
        const View& next;
        int frames;
        int mapsDrawn;
    } rows[] = {{"a small turn of the sun", 0.5f, 0.0005f, well, 2, 1},
                {"at full size", 1.0f, 0.0005f, well, 2, 2},
                {"a long turn of the sun", 0.5f, 0.01f, well, 2, 2},
                {"a cut to another view", 0.5f, 0.0f, islands, 2, 2},
                {"the fifth frame", 0.5f, 0.0f, well, 5, 2}};
    ShadowPassCounter counter;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FrameRenderer renderer(scene(), console);
        renderer.SetPassObserver(&counter);
        counter.casterPasses = 0;
        std::vector<unsigned char> kept;
        for (int frame = 0; frame < row.frames; ++frame) {
            const View& view = frame == 0 ? well : row.next;
            const float angle = well.sunAngle + row.sunStep * static_cast<float>(frame);
            camera.position = view.eye;
            camera.orientation = glm::normalize(view.lookAt - view.eye);
            FrameInputs inputs;
            inputs.sun = SunAt(angle);
            inputs.time = 42.0f;
            renderer.RenderShadowMap(inputs.sun, &camera, row.scale);
            renderer.RenderScene(camera, inputs);
            kept = FrameTarget::Window().ReadRgb();
        }
        EXPECT_EQ(counter.casterPasses, 3 * row.mapsDrawn);
        if (row.mapsDrawn > 1) continue;
        // The kept map against one drawn for the last frame's own sun.
        renderScale = row.scale;
        const View last{"last", row.next.eye, row.next.lookAt,
                        well.sunAngle + row.sunStep * static_cast<float>(row.frames - 1)};
        passObserver = nullptr;
        const std::vector<unsigned char> fresh = RenderWith(last, RenderShortcuts());
        renderScale = 1.0f;
        EXPECT_LT(DifferingValues(fresh, kept, 8), static_cast<int>(fresh.size() / 10000));
    }
}
