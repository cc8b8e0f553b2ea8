// Whole frames of the real scene, with the generated run-time data, read back from the GPU.
#include <glm/gtc/matrix_transform.hpp>

#include "render/day_night.h"
#include "render/film_view.h"
#include "render/lens_flare.h"
#include "render/scene_layout.h"
#include "scene_frames.h"
#include "support/gl_state.h"
#include "support/pixels.h"

TEST_F(SceneFrames, StartupLoadsEveryModelAndTextureWithoutWarnings) {
    EXPECT_EQ(startupLog().find("WARN: "), std::string::npos) << startupLog();
    EXPECT_EQ(startupLog().find("ERR: "), std::string::npos) << startupLog();
    EXPECT_EQ(startupErrors(), "");
    EXPECT_NE(startupLog().find("Loaded texture: resources/brick.png channels: 3\n"),
              std::string::npos);
    EXPECT_NE(startupLog().find("Loaded texture: resources/moon_texture.png channels: 4\n"),
              std::string::npos);
    EXPECT_NE(startupLog().find(" plants on terrain\n"), std::string::npos);
    EXPECT_GE(scene().wellMeshes.size(), 3u) << "stone, wood and roof";
    EXPECT_FALSE(scene().terrainMeshes.empty());
    EXPECT_FALSE(scene().fireflyMeshes.empty());
    EXPECT_EQ(scene().plants.ranges.size(), 200u);
    EXPECT_EQ(scene().plants.bounds.size(), scene().plants.ranges.size());
    EXPECT_EQ(scene().plantMeshes.size(), 200u) << "the full path's plants, one mesh each";
    EXPECT_TRUE(scene().plants.mesh.vertices.empty());
    size_t generatedIndices = 0;
    for (const Mesh& plant : scene().plantMeshes) generatedIndices += plant.indices.size();
    EXPECT_LT(scene().plants.mesh.indices.size(), generatedIndices * 6 / 10)
        << "the leaves the second rewriting puts again where the first put them are drawn once";
    EXPECT_GT(scene().terrainChunks.meshes.size(), 16u);
    // Only the GL buffers keep the vertices; the draws still count the indices.
    EXPECT_TRUE(scene().terrainVertices.empty());
    for (const std::vector<Mesh>* meshes :
         {&scene().terrainMeshes, &scene().plantMeshes, &scene().terrainChunks.meshes}) {
        for (const Mesh& mesh : *meshes) {
            EXPECT_TRUE(mesh.vertices.empty());
            EXPECT_FALSE(mesh.indices.empty());
        }
    }
}

TEST_F(SceneFrames, NoonSkyIsBrightAndBlueMidnightSkyIsDark) {
    const glm::vec3 eye(0.0f, 30.0f, 60.0f);
    const glm::vec3 upTheSky(0.0f, 200.0f, -200.0f);
    Render(eye, upTheSky, kNoonAngle);
    const Rgb noon = MeanColor(960, 700);
    EXPECT_GT(noon.b, noon.r) << "a day sky is blue";
    EXPECT_GT(noon.Luminance(), 0.35f);

    Render(eye, upTheSky, kMidnightAngle);
    const Rgb midnight = MeanColor(960, 700);
    EXPECT_LT(midnight.Luminance(), 0.12f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneFrames, TheWellCastsAShadowByDayThatIsGoneAtNight) {
    const glm::vec3 wellBase = scene_layout::kWellBase;
    const glm::vec3 eye = wellBase + glm::vec3(0.6f, 3.0f, 1.5f);
    // With the sun at 120 degrees the roof, about 1.1 above the base, shades the ground east of
    // the stone rim; 1.8 east of the base the ground is in the open.
    const glm::vec3 shaded = wellBase + glm::vec3(0.7f, 0.0f, 0.0f);
    const glm::vec3 open = wellBase + glm::vec3(1.8f, 0.0f, 0.0f);

    Render(eye, wellBase, kAfternoonAngle);
    const Rgb dayShaded = MeanColor(WindowPixel(shaded).x, WindowPixel(shaded).y);
    const Rgb dayOpen = MeanColor(WindowPixel(open).x, WindowPixel(open).y);
    EXPECT_LT(dayShaded.Luminance(), 0.6f * dayOpen.Luminance());

    Render(eye, wellBase, kMidnightAngle);
    const Rgb nightShaded = MeanColor(WindowPixel(shaded).x, WindowPixel(shaded).y);
    const Rgb nightOpen = MeanColor(WindowPixel(open).x, WindowPixel(open).y);
    EXPECT_NEAR(nightShaded.Luminance(), nightOpen.Luminance(),
                0.15f * std::max(nightOpen.Luminance(), 0.02f));
}

TEST_F(SceneFrames, WaterIsBlendedOverTheSeaFloorWithoutHidingItsDepth) {
    // Looking steeply down into the water where the sea floor lies a few units deep.
    const glm::vec3 eye(-6.0f, 5.0f, -21.0f);
    const glm::vec3 floor(-6.0f, -2.0f, -24.0f);
    Render(eye, floor, kNoonAngle);
    float depth = 0.0f;
    glReadPixels(960, 540, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    // The water surface at y = 0.5 would be much nearer than what the depth buffer holds.
    const float surfaceDistance = (eye.y - 0.5f) / std::abs(glm::normalize(floor - eye).y);
    const float near = kNearPlane, far = kFarPlane;
    const float storedDistance =
        2.0f * near * far / (far + near - (2.0f * depth - 1.0f) * (far - near));
    EXPECT_GT(storedDistance, surfaceDistance * 1.05f) << "the water must not write depth";
    const Rgb seen = MeanColor(960, 540);
    EXPECT_GT(seen.Luminance(), 0.02f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneFrames, FullFadeCoversTheWholeFrameAndLeavesTheStateTheFrameOrderPromises) {
    Render(glm::vec3(0.0f, 30.0f, 60.0f), glm::vec3(0.0f), kNoonAngle, 1.0f);
    const Rgb covered = MeanColor(960, 540);
    EXPECT_LT(covered.Luminance(), 0.01f);
}

namespace {

// The state each pass of a frame drew with, read as the pass ends.
class PassStateRecorder : public PassObserver {
  public:
    void PassEnded(const char* pass) override { states.emplace_back(pass, CurrentPassState()); }
    std::vector<std::pair<std::string, PassState>> states;
};

}  // namespace

// Faces are culled only where the picture cannot tell: the terrain seen from above. Points take
// their shader's size only for the stars, and the sky, the stars and the water write no depth.
TEST_F(SceneFrames, OnlyTheTerrainCullsFacesAndPointsKeepTheSizeTheirShaderGives) {
    PassStateRecorder recorder;
    passObserver = &recorder;
    for (const RenderShortcuts& chosen : {RenderShortcuts(), RenderShortcuts::None()}) {
        shortcuts = chosen;
        Render(glm::vec3(0.0f, 30.0f, 60.0f), glm::vec3(0.0f), kNoonAngle, 0.5f);
    }
    passObserver = nullptr;
    int terrainPassesCulled = 0;
    for (const auto& [pass, state] : recorder.states) {
        SCOPED_TRACE(pass);
        if (pass == "lit terrain" || pass == "shadow terrain") {
            terrainPassesCulled += state.cullBackFaces;
        } else {
            EXPECT_FALSE(state.cullBackFaces);
        }
        EXPECT_TRUE(state.shaderPointSize);
        if (pass == "sky" || pass == "stars" || pass == "water") {
            EXPECT_FALSE(state.depthWrites);
        }
    }
    EXPECT_EQ(terrainPassesCulled, 2) << "the chunked terrain's lit and shadow passes, seen from "
                                         "above; the full path culls nothing";
}

// Looking down at the far end of the sea plane (z = 150) from above open water: just past the
// edge the sky shows, just before it the hazed water. At noon, at sunset and at midnight the
// two must meet without a visible step.
TEST_F(SceneFrames, TheEndOfTheSeaPlaneDoesNotShowAtAnyTimeOfDay) {
    const glm::vec3 eye(0.0f, 20.0f, 110.0f);
    const glm::vec3 edge(0.0f, 0.5f, 150.0f);
    for (const float angle : {1.5707963f, 3.0892327f, -1.5707963f}) {  // noon, 177 deg, midnight
        SCOPED_TRACE(angle);
        Render(eye, edge, angle);
        const glm::ivec2 at = WindowPixel(edge);
        const Rgb sky = MeanColor(at.x, at.y + 8);
        const Rgb sea = MeanColor(at.x, at.y - 8);
        EXPECT_NEAR(sky.r, sea.r, 0.04f);
        EXPECT_NEAR(sky.g, sea.g, 0.04f);
        EXPECT_NEAR(sky.b, sea.b, 0.04f);
    }
}

// The flare's elements lie on the line from the sun through the centre of the picture; seen
// from below the terrain the depth read finds the sun hidden and no element is drawn. The blend
// state the flare changes is checked after every frame, by Render.
TEST_F(SceneFrames, TheLensFlareShowsOnlyWhenNothingHidesTheSunAndRestoresTheBlendState) {
    const float angle = 1.2f;
    const glm::vec3 sunPos = SunAt(angle).sunPos;
    for (const float eyeHeight : {20.0f, -40.0f}) {
        SCOPED_TRACE(eyeHeight);
        const glm::vec3 eye(0.0f, eyeHeight, 40.0f);
        const glm::vec3 target = eye + glm::normalize(sunPos - eye) + glm::vec3(0.0f, -0.25f, 0.1f);
        Render(eye, target, angle, 0.0f, FrameTarget::Window(), false);
        const auto sun = ProjectSun(camera.cameraMatrix, sunPos, 1920, 1080);
        ASSERT_TRUE(sun.has_value());
        std::vector<glm::ivec2> ghosts;
        std::vector<float> moonMode;
        for (const FlareElement& element : FlareElements()) {
            const glm::vec2 ndc = FlareScreenPosition(sun->ndc, element.offset);
            ghosts.push_back(glm::ivec2((ndc * 0.5f + 0.5f) * glm::vec2(1920.0f, 1080.0f)));
            moonMode.push_back(MeanColor(ghosts.back().x, ghosts.back().y).Luminance());
        }
        Render(eye, target, angle);
        for (size_t i = 0; i < ghosts.size(); ++i) {
            const float withFlare = MeanColor(ghosts[i].x, ghosts[i].y).Luminance();
            if (eyeHeight > 0.0f) {
                EXPECT_GE(withFlare, moonMode[i]) << i;
            } else {
                EXPECT_EQ(withFlare, moonMode[i]) << i;
            }
        }
        if (eyeHeight > 0.0f) {
            EXPECT_GT(MeanColor(ghosts.back().x, ghosts.back().y).Luminance(),
                      moonMode.back() + 0.01f)
                << "the far ghost shows";
        }
    }
}

TEST_F(SceneFrames, InMoonModeTheMoonShinesOppositeTheSunAndTheSunIsGone) {
    const float angle = -2.0f;  // night: the moon stands high over +x
    const glm::vec3 eye(0.0f, 20.0f, 40.0f);
    const SunState night = SunAt(angle);
    Render(eye, night.moonPos, angle, 0.0f, FrameTarget::Window(), false);
    const float moon = MeanColor(960, 540).Luminance();
    Render(eye, night.moonPos, angle);
    const float sky = MeanColor(960, 540).Luminance();
    EXPECT_GT(moon, sky + 0.1f);

    // By day the sun's place stays sky when the moon is drawn instead.
    const glm::vec3 sunPos = SunAt(1.2f).sunPos;
    Render(eye, sunPos, 1.2f);
    const float sunDisc = MeanColor(960, 540).Luminance();
    Render(eye, sunPos, 1.2f, 0.0f, FrameTarget::Window(), false);
    EXPECT_LT(MeanColor(960, 540).Luminance(), sunDisc - 0.02f);
}
