// The program as a user meets it: its window and title, the scroll wheel, closing, and a
// broken installation.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "e2e/player_process.h"
#include "support/temp_files.h"

namespace fs = std::filesystem;

namespace {

const std::regex kTitlePattern(R"(Lumenvale \d+ FPS \| \d+\.\d\d ms)");

std::string ReadText(const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(PlayerWindow, ShowsFrameRateTitleIgnoresEscapeAndExitsCleanlyOnClose) {
    PlayerProcess player(fs::current_path());
    ASSERT_TRUE(player.WaitForWindow()) << player.StandardError();
    ASSERT_TRUE(player.WaitForTitleUpdates(1)) << "the title never changed after the first frame";
    EXPECT_TRUE(std::regex_match(player.Title(), kTitlePattern)) << player.Title();
    // The music device opened at start-up and the film started its music on the first frame.
    EXPECT_TRUE(
        player.WaitForOutput("AudioManager initialized successfully with Windows MCI audio\n"
                             "Music loaded successfully: resources/audio/cin.wav\n"))
        << player.StandardOutput();
    EXPECT_TRUE(player.WaitForOutput("Music playback started\n")) << player.StandardOutput();

    // No key leaves the program; only closing the window does.
    player.PressKey("Escape");
    ASSERT_TRUE(player.WaitForTitleUpdates(2));
    EXPECT_FALSE(player.WaitForExit(std::chrono::seconds(0)).has_value());

    player.RequestClose();
    const auto status = player.WaitForExit();
    ASSERT_TRUE(status.has_value()) << "the program did not exit after the close request";
    EXPECT_EQ(*status, 0);
    EXPECT_EQ(player.StandardError().find("error"), std::string::npos) << player.StandardError();
}

TEST(PlayerWindow, ScrollWheelChangesAndReportsCameraSpeedWithinItsLimits) {
    PlayerProcess player(fs::current_path());
    ASSERT_TRUE(player.WaitForWindow()) << player.StandardError();
    // Frames are running, so the window takes input (Wine drops a wheel turned before that).
    ASSERT_TRUE(player.WaitForTitleUpdates(1));
    player.Scroll(1);
    ASSERT_TRUE(player.WaitForOutput("Camera speed: 12 units/sec\n"));
    player.Scroll(-6);
    ASSERT_TRUE(player.WaitForOutput("Camera speed: 0.5 units/sec\n")) << player.StandardOutput();
    player.RequestClose();
    EXPECT_EQ(player.WaitForExit(), 0);
}

TEST(BrokenInstallation, MissingShaderFileIsNamedAndStartupFails) {
    const fs::path scratch = MakeScratchRunDirectory();
    fs::remove(scratch / "shaders" / "water.frag");
    PlayerProcess player(scratch);
    const auto status = player.WaitForExit();
    fs::remove_all(scratch);
    ASSERT_TRUE(status.has_value()) << "start-up did not stop";
    EXPECT_EQ(*status, 255) << "the exit status must be -1";
    EXPECT_NE(player.StandardError().find("Failed to open shader file shaders/water.frag: "
                                          "No such file or directory"),
              std::string::npos)
        << player.StandardError();
    EXPECT_EQ(player.StandardOutput().find("Camera speed"), std::string::npos);
}

TEST(BrokenInstallation, WithoutADisplayTheWindowFailureAndItsReasonAreReported) {
    const TempDir outputs;
    const std::string command = "cd '" + fs::current_path().string() + "' && env -u DISPLAY '" +
                                LUMENVALE_EXECUTABLE + "' > '" + (outputs.path() / "out").string() +
                                "' 2> '" + (outputs.path() / "err").string() + "'";
    const int status = std::system(command.c_str());
    const std::string out = ReadText(outputs.path() / "out");
    const std::string err = ReadText(outputs.path() / "err");
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 255);
    EXPECT_EQ(out, "Failed to create GLFW window\n");
    EXPECT_NE(err.find("GLFW: "), std::string::npos) << err;
    EXPECT_NE(err.find("DISPLAY"), std::string::npos) << err;
}
