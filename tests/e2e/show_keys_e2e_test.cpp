// The film's own keys, pressed on the real window.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "e2e/player_process.h"

namespace fs = std::filesystem;

namespace {

// The x coordinate of the last camera snapshot in the output.
double LastSnapshotX(const std::string& output) {
    const std::string marker = "Position: (";
    const std::size_t at = output.rfind(marker);
    double x = 0.0;
    if (at != std::string::npos) x = std::stod(output.substr(at + marker.size()));
    return x;
}

}  // namespace

TEST(ShowKeys, TheFilmOpensOnItsFirstShotAndTheKeysTakeTheCameraAndTheSky) {
    PlayerProcess player(fs::current_path());
    ASSERT_TRUE(player.WaitForWindow()) << player.StandardError();
    ASSERT_TRUE(player.WaitForTitleUpdates(1));

    // The automatic camera holds the establishing shot for its first five seconds.
    player.PressKey("p");
    ASSERT_TRUE(player.WaitForOutput("-------------------------\n")) << player.StandardOutput();
    EXPECT_NE(player.StandardOutput().find("Position: (-107.548, 25.0823, -2.31768)\n"),
              std::string::npos)
        << player.StandardOutput();

    // C hands the camera over; W then flies it forward, towards the islands in the east.
    player.PressKey("c");
    ASSERT_TRUE(player.WaitForOutput(
        "Camera switch toggled: 0\nMusic stopped\nAuto camera stopped - music stopped\n"))
        << player.StandardOutput();
    player.PressKey("w", std::chrono::milliseconds(1500));
    player.PressKey("p");
    ASSERT_TRUE(player.WaitForOutput("LookAt", std::chrono::seconds(30)));
    ASSERT_TRUE(player.WaitForTitleUpdates(2));
    EXPECT_GT(LastSnapshotX(player.StandardOutput()), -107.548 + 2.0) << player.StandardOutput();

    player.PressKey("n");
    ASSERT_TRUE(player.WaitForOutput("Sun/Moon swap toggled. Drawing sun? 0\n"));
    player.PressKey("r");
    ASSERT_TRUE(player.WaitForOutput("Sun rotation toggled: 0\n"));
    player.PressKey("m");
    ASSERT_TRUE(player.WaitForOutput("Music muted\n")) << player.StandardOutput();

    // And back: C starts the film again from its first shot.
    player.PressKey("c");
    ASSERT_TRUE(player.WaitForOutput(
        "Camera switch toggled: 1\nMusic playback started\nAuto camera started - music playing\n"));

    player.RequestClose();
    EXPECT_EQ(player.WaitForExit(), 0);
}
