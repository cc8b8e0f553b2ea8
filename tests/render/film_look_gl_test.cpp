// The look of the film's shots, as properties of whole frames: a straight horizon, a sun that
// does not wash the picture out, moonlight where the moon is, a firefly that glows but lights
// nothing around it.
#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <numeric>

#include "render/day_night.h"
#include "render/scene_frames.h"
#include "sequence/shot_tables.h"
#include "support/pixels.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

class FilmLook : public SceneFrames {
  protected:
    // The film's camera half-way through `shot` (eased halves meet in the middle) and its sun.
    void RenderShotMiddle(int shot, float filmTime) {
        // A copy: a reference into the temporary table would outlive it.
        const CameraShot s = MakeCameraShots()[static_cast<size_t>(shot)];
        Render(0.5f * (s.startPos + s.endPos), 0.5f * (s.startLookAt + s.endLookAt),
               SunAngleAfter(filmTime));
    }

    // The window row of the horizon: where a level line of sight far ahead lands.
    int HorizonRow() const {
        const glm::vec3 ahead =
            glm::normalize(glm::vec3(camera.orientation.x, 0.0f, camera.orientation.z));
        return WindowPixel(camera.position + ahead * 100000.0f).y;
    }

    static Rgb At(const std::vector<unsigned char>& frame, int x, int y) {
        const unsigned char* p = &frame[(static_cast<size_t>(y) * kWidth + x) * 3];
        return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f};
    }
};

// Share of the frame's pixels that are white or nearly so (every channel at 96 % or more).
float NearWhiteShare(const std::vector<unsigned char>& frame) {
    size_t white = 0;
    for (size_t i = 0; i < frame.size(); i += 3) {
        white += std::min({frame[i], frame[i + 1], frame[i + 2]}) >= 245;
    }
    return static_cast<float>(white) / static_cast<float>(frame.size() / 3);
}

}  // namespace

// From the high flight the sea must reach the true horizon: in every column the water gives way
// to the horizon's colour the same distance below the horizon row, instead of along a curve.
TEST_F(FilmLook, TheSeaMeetsTheSkyOnAStraightHorizonFromHighUp) {
    RenderShotMiddle(4, 31.0f);
    const int horizon = HorizonRow();
    ASSERT_GT(horizon, 300);
    ASSERT_LT(horizon, kHeight - 10);
    const std::vector<unsigned char> frame = FrameTarget::Window().ReadRgb();
    std::vector<int> bandDepths;
    for (const int x : {60, 480, 960, 1440, 1860}) {
        const float horizonLuminance = At(frame, x, horizon + 2).Luminance();
        int depth = 0;
        while (depth < horizon - 1 &&
               std::abs(At(frame, x, horizon - depth).Luminance() - horizonLuminance) < 0.05f) {
            ++depth;
        }
        bandDepths.push_back(depth);
    }
    const auto [shallowest, deepest] = std::minmax_element(bandDepths.begin(), bandDepths.end());
    EXPECT_GT(*shallowest, 0);
    EXPECT_LE(*deepest - *shallowest, 12 + *shallowest / 5)
        << "haze band depths " << bandDepths[0] << ", " << bandDepths[1] << ", " << bandDepths[2]
        << ", " << bandDepths[3] << ", " << bandDepths[4];
}
// At sunrise and with the sun low, the disc stays white but the sky around keeps its colour.
TEST_F(FilmLook, ALowSunDoesNotWashOutTheFrame) {
    const struct {
        int shot;
        float time;
    } moments[] = {{2, 16.0f}, {10, 63.0f}, {11, 67.0f}};
    for (const auto& moment : moments) {
        SCOPED_TRACE(moment.time);
        RenderShotMiddle(moment.shot, moment.time);
        EXPECT_LT(NearWhiteShare(FrameTarget::Window().ReadRgb()), 0.05f);
    }
    // The sun of shot 2 is in the picture, above the sea: its disc is still white.
    RenderShotMiddle(2, 16.0f);
    const glm::ivec2 sun = WindowPixel(SunAt(SunAngleAfter(16.0f)).sunPos);
    ASSERT_TRUE(sun.x > 2 && sun.x < kWidth - 3 && sun.y > 2 && sun.y < kHeight - 3);
    const Rgb disc = MeanColor(sun.x, sun.y);
    EXPECT_GT(std::min({disc.r, disc.g, disc.b}), 0.9f);
}

// Near the eye the sun's glint breaks up on the ripples into streaks of glitter, as on a real
// sea, instead of lying on the water as one smooth highlight. A smooth highlight crosses each
// column of the picture as one bright run; glitter as several.
TEST_F(FilmLook, TheSunGlittersOnTheRipplesNearTheEye) {
    RenderShotMiddle(9, 59.0f);
    const std::vector<unsigned char> frame = FrameTarget::Window().ReadRgb();
    const int nearWater = kHeight / 3;  // the lower third of the picture
    int glintColumn = 0;
    float mostLight = 0.0f;
    for (int x = 0; x < kWidth; x += 4) {
        float light = 0.0f;
        for (int y = 0; y < nearWater; ++y) light += At(frame, x, y).Luminance();
        if (light > mostLight) {
            mostLight = light;
            glintColumn = x;
        }
    }
    int litColumns = 0, brightRuns = 0;
    for (int x = std::max(glintColumn - 60, 0); x <= std::min(glintColumn + 60, kWidth - 1);
         x += 10) {
        int runs = 0;
        bool inRun = false;
        for (int y = 0; y < nearWater; ++y) {
            const bool bright = At(frame, x, y).Luminance() > 0.6f;
            runs += bright && !inRun;
            inRun = bright;
        }
        litColumns += runs > 0;
        brightRuns += runs;
    }
    ASSERT_GT(litColumns, 0) << "the glint is in the picture";
    EXPECT_GE(brightRuns, 2 * litColumns) << "around column " << glintColumn;
}

// By moonlight the water glitters in the moon's own column of the picture, beneath it.
TEST_F(FilmLook, MoonlightOnTheWaterLiesUnderTheMoon) {
    const float angle = 3.4906585f;  // 200 degrees: the moon stands 20 degrees up over +x
    const glm::vec3 moon = SunAt(angle).moonPos;
    const glm::vec3 eye(60.0f, 3.0f, -100.0f);
    const glm::vec3 towardsMoon = glm::normalize(glm::vec3(moon.x - eye.x, 0.0f, moon.z - eye.z));
    Render(eye, eye + towardsMoon * 100.0f + glm::vec3(0.0f, 12.0f, 0.0f), angle, 0.0f,
           FrameTarget::Window(), false);
    const glm::ivec2 moonPixel = WindowPixel(moon);
    ASSERT_TRUE(moonPixel.x > 0 && moonPixel.x < kWidth && moonPixel.y < kHeight);
    const int horizon = HorizonRow();
    const std::vector<unsigned char> frame = FrameTarget::Window().ReadRgb();
    std::vector<float> columnLight(kWidth, 0.0f);
    // The water well in front of the islands on the horizon.
    for (int y = 0; y < horizon - 120; ++y) {
        for (int x = 0; x < kWidth; ++x) columnLight[x] += At(frame, x, y).Luminance();
    }
    const int brightest = static_cast<int>(
        std::max_element(columnLight.begin(), columnLight.end()) - columnLight.begin());
    EXPECT_NEAR(brightest, moonPixel.x, 60);
    const float mean = std::accumulate(columnLight.begin(), columnLight.end(), 0.0f) / kWidth;
    EXPECT_GT(columnLight[brightest], 1.3f * mean) << "a visible glitter, not a uniform sheen";
}

// The firefly glows but is no light: the sand and the stones by the well look the same at
// night whether it hovers over them or is far away.
TEST_F(FilmLook, TheFireflyLightsNothingAroundIt) {
    const glm::mat4 hovering = scene().fireflyModel;
    const glm::vec3 firefly(hovering[3]);
    const glm::vec3 ground(firefly.x + 1.5f, 0.8f, firefly.z + 0.9f);  // the sand by the well
    const glm::vec3 eye = ground + glm::vec3(1.5f, 2.0f, 1.5f);
    const auto groundLight = [&](const glm::mat4& model) {
        scene().fireflyModel = model;
        Render(eye, ground, kMidnightAngle);
        const glm::ivec2 at = WindowPixel(ground);
        return MeanColor(at.x, at.y);
    };
    const glm::mat4 away = glm::translate(glm::mat4(1.0f), glm::vec3(90.0f, 40.0f, 90.0f));
    const Rgb near = groundLight(hovering);
    const Rgb far = groundLight(away);
    scene().fireflyModel = hovering;
    EXPECT_GT(near.Luminance(), 0.02f) << "the night ground is not black";
    EXPECT_EQ(near.r, far.r);
    EXPECT_EQ(near.g, far.g);
    EXPECT_EQ(near.b, far.b);
}
