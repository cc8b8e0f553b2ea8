#include "app/keyboard_controls.h"

#include <gtest/gtest.h>

#include <sstream>

#include "audio/audio_manager.h"
#include "gfx/camera.h"
#include "render/day_night.h"
#include "sequence/sequence_player.h"
#include "sequence/shot_tables.h"

namespace {

class SteppedClock : public Clock {
  public:
    double Now() const override { return now; }
    double now = 50.0;
};

class KeyboardControlsTest : public testing::Test {
  protected:
    KeyboardControlsTest() : sequence(shots, audio, log), keyboard(clock, log) {
        sequence.musicStarted = true;  // as after the first frame
    }

    // One frame with these keys down.
    void Frame(const ShowKeys& keys) {
        keyboard.Handle(keys, ShowTargets{camera, sequence, dayNight, audio, autoCamera, drawSun},
                        previousFrameTime);
        keyboard.EndFrame();
        clock.now += 0.1;
    }
    static ShowKeys Only(bool ShowKeys::*key) {
        ShowKeys keys;
        keys.*key = true;
        return keys;
    }
    std::string TakeLog() {
        std::string text = log.str();
        log.str("");
        return text;
    }

    const std::vector<CameraShot> shots = MakeCameraShots();
    SteppedClock clock;
    std::ostringstream log;
    AudioManager audio;
    Camera camera{1920, 1080, glm::vec3(1.5f, 2.0f, -3.25f)};
    SequencePlayer sequence;
    DayNightCycle dayNight;
    KeyboardControls keyboard;
    bool autoCamera = true;
    bool drawSun = true;
    double previousFrameTime = 49.9;
};

}  // namespace

TEST_F(KeyboardControlsTest, HoldingAKeyActsOnceAndTheSnapshotComesBeforeTheCameraSwitch) {
    ShowKeys both;
    both.p = both.c = true;
    Frame(both);
    Frame(both);
    Frame(both);
    EXPECT_EQ(TakeLog(),
              "---- CAMERA SNAPSHOT ----\n"
              "Position: (1.5, 2, -3.25)\n"
              "Direction: (0, 0, -1)\n"
              "LookAt: 1.5, 2, -103.25\n"
              "-------------------------\n"
              "Camera switch toggled: 0\n"
              "Auto camera stopped - music stopped\n");
    EXPECT_FALSE(autoCamera);
    Frame(ShowKeys{});
    Frame(Only(&ShowKeys::c));
    EXPECT_EQ(TakeLog(), "Camera switch toggled: 1\nAuto camera started - music playing\n");
    EXPECT_TRUE(autoCamera);
    EXPECT_EQ(sequence.shotIndex, 0);
    EXPECT_EQ(sequence.fadeAlpha, 1.0f);
    EXPECT_EQ(dayNight.dayCycleStartTime, sequence.fadeStartTime)
        << "the day restarts with the film";
}

TEST_F(KeyboardControlsTest, OnTheBlackScreenCRestartsTheFilmWithoutAToggleLine) {
    sequence.sequenceComplete = sequence.waitingForRestart = true;
    sequence.shotIndex = 22;
    Frame(Only(&ShowKeys::c));
    EXPECT_EQ(TakeLog(), "Restarting camera sequence from beginning\n");
    EXPECT_TRUE(autoCamera);
    EXPECT_FALSE(sequence.waitingForRestart);
    EXPECT_EQ(sequence.shotIndex, 0);
    EXPECT_EQ(sequence.shotStartTime, 50.0f);
}

TEST_F(KeyboardControlsTest, RPausesTheSunAndResumesItWhereItStood) {
    dayNight.InitializeOnce(0.0);
    const float angle = dayNight.Advance(20.0).sunAngle;
    Frame(Only(&ShowKeys::r));
    Frame(ShowKeys{});
    EXPECT_EQ(dayNight.Advance(30.0).sunAngle, angle);
    previousFrameTime = 30.0;
    Frame(Only(&ShowKeys::r));
    EXPECT_EQ(TakeLog(), "Sun rotation toggled: 0\nSun rotation toggled: 1\n");
    EXPECT_NEAR(dayNight.Advance(30.0).sunAngle, angle, 1e-6f);
}

TEST_F(KeyboardControlsTest, NSwapsSunAndMoonAndMReportsTheMuteStateTheMusicPlayerSet) {
    Frame(Only(&ShowKeys::n));
    EXPECT_FALSE(drawSun);
    EXPECT_EQ(TakeLog(), "Sun/Moon swap toggled. Drawing sun? 0\n");

    // Without a working music player nothing can be muted, and the line says so.
    Frame(Only(&ShowKeys::m));
    EXPECT_EQ(TakeLog(), "Music unmuted\n");

    testing::internal::CaptureStdout();
    audio.Initialize();
    testing::internal::GetCapturedStdout();
    Frame(ShowKeys{});
    Frame(Only(&ShowKeys::m));
    EXPECT_TRUE(audio.muted);
    EXPECT_EQ(TakeLog(), "Music muted\n");
}

TEST_F(KeyboardControlsTest, SnapshotFollowsTheTwoDecimalFormatOnceTheDayLineHasSetIt) {
    log << std::fixed;
    log.precision(2);
    Frame(Only(&ShowKeys::p));
    EXPECT_NE(TakeLog().find("Position: (1.50, 2.00, -3.25)\n"), std::string::npos);
}
