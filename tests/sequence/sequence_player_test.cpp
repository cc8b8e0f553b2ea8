#include "sequence/sequence_player.h"

#include <gtest/gtest.h>

#include "audio/audio_manager.h"
#include "base/stepped_clock.h"
#include "gfx/camera.h"
#include "sequence/shot_tables.h"
#include "support/console_lines.h"

namespace {

class SequencePlayerTest : public testing::Test {
  protected:
    SequencePlayerTest() { player.Start(100.0, 100.0); }

    void ExpectPose(const glm::vec3& position, const glm::vec3& lookAt) {
        EXPECT_EQ(camera.position, position);
        const glm::vec3 expected = glm::normalize(lookAt - position);
        EXPECT_NEAR(glm::length(camera.orientation - expected), 0.0f, 1e-6f);
        EXPECT_EQ(camera.up, glm::vec3(0.0f, 1.0f, 0.0f));
    }

    // Plays frames until the last shot has ended, one frame at the end of each shot.
    double PlayToTheEnd(double now) {
        for (size_t shot = 0; shot < shots.size(); ++shot) {
            now = player.shotStartTime + shots[shot].duration + 0.01;
            player.Play(camera, now);
        }
        return now;
    }

    const FilmTimeline timeline = MakeFilmTimeline();
    const std::vector<CameraShot>& shots = timeline.CameraShots();
    SteppedClock stopped{1};  // the frames below say their own times
    FilmClock filmClock{stopped};
    ConsoleLines console;
    AudioManager audio{console};  // no device: music calls do nothing audible
    SequencePlayer player{timeline, filmClock, audio, console.out};
    Camera camera{1920, 1080, glm::vec3(0.0f)};
};

}  // namespace

TEST_F(SequencePlayerTest, FadesInOverTwoSecondsWhileTheFirstShotsPlay) {
    player.Play(camera, 100.0);
    EXPECT_EQ(player.fadeAlpha, 1.0f);
    ExpectPose(shots[0].startPos, shots[0].startLookAt);
    player.Play(camera, 100.5);
    EXPECT_FLOAT_EQ(player.fadeAlpha, 0.75f);
    player.Play(camera, 102.0);
    EXPECT_EQ(player.fadeAlpha, 0.0f);
    EXPECT_EQ(player.shotIndex, 0);
}

TEST_F(SequencePlayerTest, EachShotBeginsExactlyAtItsStartAndEasesToItsEnd) {
    // Shot 1 starts on the frame at which shot 0 is found to have ended, at that frame's time.
    player.Play(camera, 105.2);
    EXPECT_EQ(player.shotIndex, 1);
    EXPECT_FLOAT_EQ(player.shotStartTime, 105.2f);
    ExpectPose(shots[1].startPos, shots[1].startLookAt);

    // Half way through the shot the eased weight is exactly a half.
    player.Play(camera, 105.2 + shots[1].duration / 2.0);
    const glm::vec3 middle = (shots[1].startPos + shots[1].endPos) * 0.5f;
    EXPECT_NEAR(glm::length(camera.position - middle), 0.0f, 1e-3f);
}

TEST_F(SequencePlayerTest, ALongStallAdvancesOneShotPerFrameNeverSkipping) {
    player.Play(camera, 500.0);
    EXPECT_EQ(player.shotIndex, 1);
    ExpectPose(shots[1].startPos, shots[1].startLookAt);
    player.Play(camera, 900.0);
    EXPECT_EQ(player.shotIndex, 2);
}

TEST_F(SequencePlayerTest, EndsWithOneLineFadesOutForTwoSecondsThenWaitsOnBlack) {
    double now = PlayToTheEnd(100.0);
    EXPECT_TRUE(player.sequenceComplete);
    EXPECT_EQ(console.out.str(), "Camera sequence completed - waiting for restart (Press C)\n");
    const glm::vec3 lastPose = camera.position;

    // The fade-out clock starts on the next frame, at 0, and grows linearly.
    player.Play(camera, now + 0.1);
    EXPECT_EQ(player.fadeAlpha, 0.0f);
    player.Play(camera, now + 1.1);
    EXPECT_FLOAT_EQ(player.fadeAlpha, 0.5f);
    EXPECT_FALSE(player.waitingForRestart);
    player.Play(camera, now + 2.1);
    EXPECT_EQ(player.fadeAlpha, 1.0f);
    EXPECT_TRUE(player.waitingForRestart);
    player.Play(camera, now + 50.0);
    EXPECT_EQ(player.fadeAlpha, 1.0f);
    EXPECT_EQ(camera.position, lastPose) << "the camera is not touched after the last shot";
    EXPECT_EQ(console.out.str(),
              "Camera sequence completed - waiting for restart (Press C)\n"
              "Sequence complete - music paused. Press C to restart.\n");
}

TEST_F(SequencePlayerTest, ARestartReplaysEveryShotFromTheFirstWithAFadeIn) {
    const double end = PlayToTheEnd(100.0);
    player.Play(camera, end + 0.1);
    player.Play(camera, end + 3.0);
    ASSERT_TRUE(player.waitingForRestart);

    player.Start(300.0, 300.0);
    EXPECT_EQ(player.fadeAlpha, 1.0f);
    player.Play(camera, 300.0);
    EXPECT_EQ(player.shotIndex, 0);
    ExpectPose(shots[0].startPos, shots[0].startLookAt);
    EXPECT_FALSE(player.sequenceComplete);
    PlayToTheEnd(300.0);
    EXPECT_TRUE(player.sequenceComplete);

    // Without music started for the run, the end of the fade prints no pause line.
    std::ostringstream quiet;
    SequencePlayer silent(timeline, filmClock, audio, quiet);
    silent.Start(0.0, 0.0);
    silent.musicStarted = false;
    silent.sequenceComplete = true;
    silent.Play(camera, 1.0);
    silent.Play(camera, 4.0);
    EXPECT_TRUE(silent.waitingForRestart);
    EXPECT_EQ(quiet.str(), "");
}

TEST_F(SequencePlayerTest, StoppingClearsTheOverlayAndTheRunButKeepsTheShot) {
    player.Play(camera, 105.5);
    player.Stop();
    EXPECT_EQ(player.fadeAlpha, 0.0f);
    EXPECT_FALSE(player.musicStarted);
    EXPECT_FALSE(player.fadeInActive);
    EXPECT_EQ(player.shotIndex, 1);
}
