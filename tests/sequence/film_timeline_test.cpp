#include "sequence/film_timeline.h"

#include <gtest/gtest.h>

#include "sequence/sequence_player.h"
#include "sequence/shot_tables.h"

// The film is its 23 shots (127 s), the frame on which the last shot is found to have ended, and
// the 2 s fade-out whose first frame is still clear; a shot that does not end on a frame boundary
// ends one frame late.
TEST(FilmTimeline, FrameCountIsTheShotsThenTheCompletionFrameThenTheFade) {
    const FilmTimeline timeline(MakeCameraShots());
    // Every shot lasts whole seconds: at one frame per second nothing ends between frames.
    // Frames 0..127 play the shots (127 completes), 128 starts the fade, 130 is black.
    EXPECT_EQ(SequencePlayer::FrameCount(timeline, 1), 131);
    for (int fps : {7, 24, 25, 30, 50, 60, 144}) {
        const std::int64_t frames = SequencePlayer::FrameCount(timeline, fps);
        EXPECT_GE(frames, 129 * fps + 2) << fps;
        EXPECT_LE(frames, 129 * fps + 2 + 23) << fps;
    }
}

TEST(FilmTimeline, ShotsAtAPositionTheFirstBeforeTheStartTheLastAfterTheEnd) {
    const FilmTimeline timeline(MakeCameraShots());
    EXPECT_EQ(timeline.LastShotEnd(), 127.0);
    EXPECT_EQ(timeline.End(), 129.0);
    const struct {
        double position;
        int shot;
        double shotStart;
    } cases[] = {
        {-1.0, 0, 0.0},   {0.0, 0, 0.0},      {4.999, 0, 0.0},    {5.0, 1, 5.0},
        {75.0, 15, 75.0}, {126.9, 22, 123.0}, {130.0, 22, 123.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(timeline.ShotAtPosition(c.position).index, c.shot) << c.position;
        EXPECT_EQ(timeline.ShotAtPosition(c.position).start, c.shotStart) << c.position;
    }
}

TEST(FilmTimeline, OneMomentHalfWayThroughEachShotWhereTheCameraIsHalfWay) {
    const std::vector<CameraShot> shots = MakeCameraShots();
    const FilmTimeline timeline(shots);
    const std::vector<float> middles = timeline.ShotMiddles();
    ASSERT_EQ(middles.size(), shots.size());
    EXPECT_FLOAT_EQ(middles.front(), 2.5f);
    EXPECT_FLOAT_EQ(middles[2], 16.0f);
    EXPECT_FLOAT_EQ(middles.back(), 125.0f);
    for (size_t i = 0; i < shots.size(); ++i) {
        const CameraPose pose = timeline.NominalCameraPose(middles[i]);
        const glm::vec3 halfWay = 0.5f * (shots[i].startPos + shots[i].endPos);
        EXPECT_LT(glm::length(pose.position - halfWay), 1e-3f) << "shot " << i;
    }
    // Before the film the first shot's start, after it the last shot's end.
    EXPECT_EQ(timeline.NominalCameraPose(-3.0f).position, shots.front().startPos);
    EXPECT_EQ(timeline.NominalCameraPose(500.0f).lookAt, shots.back().endLookAt);
}
