// The film's own keys, pressed on the real window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <glm/glm.hpp>
#include <string>

#include "e2e/player_process.h"

namespace fs = std::filesystem;

namespace {

// The position of the last camera snapshot in the output, as printed.
std::string LastSnapshotPosition(const std::string& output) {
    const std::string marker = "Position: (";
    const std::size_t at = output.rfind(marker);
    if (at == std::string::npos) return "";
    const std::size_t from = at + marker.size();
    const std::size_t to = output.find(')', from);
    return to == std::string::npos ? "" : output.substr(from, to - from);
}

// The three coordinates of a printed position.
glm::vec3 Coordinates(const std::string& position) {
    glm::vec3 xyz(NAN);
    std::sscanf(position.c_str(), "%f, %f, %f", &xyz.x, &xyz.y, &xyz.z);
    return xyz;
}

// Presses P and waits for the snapshot it prints; returns its position.
std::string TakeSnapshot(PlayerProcess& player) {
    const std::size_t before = player.StandardOutput().size();
    player.PressKey("p");
    if (!player.WaitForOutputAfter(before, "LookAt", std::chrono::seconds(30))) return "none";
    return LastSnapshotPosition(player.StandardOutput());
}

}  // namespace

TEST(ShowKeys, TheFilmOpensOnItsFirstShotAndTheKeysTakeTheCameraAndTheSky) {
    // Its x, to two decimals: the day line may have switched the format by then.
    const double establishingShotX = -107.548;
    PlayerProcess player(fs::current_path());
    ASSERT_TRUE(player.WaitForWindow()) << player.StandardError();
    ASSERT_TRUE(player.WaitForTitleUpdates(1));

    // The automatic camera holds the establishing shot for its first five seconds.
    EXPECT_NEAR(std::stod(TakeSnapshot(player)), establishingShotX, 0.006)
        << player.StandardOutput();

    // A tap of W and a click made while the film runs are not replayed when C hands the camera
    // over: it stays where the film left it, and the pointer where the viewer put it.
    player.MoveMouse(100, 100);
    const std::string pointer = player.MouseLocation();
    player.PressKey("w");
    player.Click(1);
    const std::size_t beforeStop = player.StandardOutput().size();
    player.PressKey("p+c");
    ASSERT_TRUE(player.WaitForOutputAfter(
        beforeStop,
        "Camera switch toggled: 0\nMusic stopped\nAuto camera stopped - music stopped\n"))
        << player.StandardOutput();
    const std::string handedOver = LastSnapshotPosition(player.StandardOutput());
    ASSERT_TRUE(player.WaitForTitleUpdates(2));
    // The same pose, printed with two decimals once the day line has switched the format.
    const glm::vec3 offset = Coordinates(TakeSnapshot(player)) - Coordinates(handedOver);
    EXPECT_LE(glm::length(offset), 0.01f) << player.StandardOutput();
    EXPECT_EQ(player.MouseLocation(), pointer);

    // W then flies it forward, towards the islands in the east.
    player.PressKey("w", std::chrono::milliseconds(1500));
    EXPECT_GT(std::stod(TakeSnapshot(player)), std::stod(handedOver) + 2.0)
        << player.StandardOutput();

    player.PressKey("n");
    ASSERT_TRUE(player.WaitForOutput("Sun/Moon swap toggled. Drawing sun? 0\n"));
    player.PressKey("r");
    ASSERT_TRUE(player.WaitForOutput("Sun rotation toggled: 0\n"));
    player.PressKey("m");
    ASSERT_TRUE(player.WaitForOutput("Music muted\nMusic muted\n")) << player.StandardOutput();

    // C starts the film again from its first shot, silent while muted; M then starts its music
    // from the beginning.
    player.PressKey("c");
    ASSERT_TRUE(
        player.WaitForOutput("Camera switch toggled: 1\nAuto camera started - music playing\n"))
        << player.StandardOutput();
    EXPECT_NEAR(std::stod(TakeSnapshot(player)), establishingShotX, 0.006);
    player.PressKey("m");
    ASSERT_TRUE(player.WaitForOutput("Music playback started\nMusic unmuted\nMusic unmuted\n"))
        << player.StandardOutput();

    player.RequestClose();
    EXPECT_EQ(player.WaitForExit(), 0);
}
