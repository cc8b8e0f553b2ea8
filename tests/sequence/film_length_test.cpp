#include "sequence/film_length.h"

#include <gtest/gtest.h>

#include "sequence/shot_tables.h"

// The film is its 23 shots (127 s), the frame on which the last shot is found to have ended, and
// the 2 s fade-out whose first frame is still clear; a shot that does not end on a frame boundary
// ends one frame late.
TEST(FilmLength, ShotsThenTheCompletionFrameThenTheFadeOutToBlack) {
    const std::vector<CameraShot> shots = MakeCameraShots();
    // Every shot lasts whole seconds: at one frame per second nothing ends between frames.
    // Frames 0..127 play the shots (127 completes), 128 starts the fade, 130 is black.
    EXPECT_EQ(FilmFrameCount(shots, 1), 131);
    for (int fps : {24, 30, 60}) {
        const std::int64_t frames = FilmFrameCount(shots, fps);
        EXPECT_GE(frames, 129 * fps + 2) << fps;
        EXPECT_LE(frames, 129 * fps + 2 + static_cast<std::int64_t>(shots.size())) << fps;
    }
}
