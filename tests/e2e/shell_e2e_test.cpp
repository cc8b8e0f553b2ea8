// The program as a user meets it: its window and title, the scroll wheel, closing, and a
// broken installation.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "e2e/player_process.h"
#include "support/child_process.h"

namespace fs = std::filesystem;

namespace {

// "Lumenvale <frames> FPS | <milliseconds with two decimals> ms", and nothing else.
bool IsFrameRateTitle(const std::string& title) {
    std::size_t at = 0;
    const auto literal = [&](const std::string& text) {
        if (title.compare(at, text.size(), text) != 0) return false;
        at += text.size();
        return true;
    };
    const auto digits = [&](std::size_t fewest, std::size_t most) {
        std::size_t count = 0;
        while (at < title.size() && count < most &&
               std::isdigit(static_cast<unsigned char>(title[at]))) {
            ++at;
            ++count;
        }
        return count >= fewest;
    };
    return literal("Lumenvale ") && digits(1, 9) && literal(" FPS | ") && digits(1, 9) &&
           literal(".") && digits(2, 2) && literal(" ms") && at == title.size();
}

}  // namespace

TEST(PlayerWindow, ShowsFrameRateTitleIgnoresEscapeAndExitsCleanlyOnClose) {
    PlayerProcess player(fs::current_path(), {}, WineTracesMciCalls());
    ASSERT_TRUE(player.WaitForWindow()) << player.StandardError();
    ASSERT_TRUE(player.WaitForTitleUpdates(1)) << "the title never changed after the first frame";
    EXPECT_TRUE(IsFrameRateTitle(player.Title())) << player.Title();
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
    EXPECT_EQ(*status, 0) << player.StandardError();
    EXPECT_EQ(player.StandardError().find("error"), std::string::npos) << player.StandardError();
    const std::string out = player.StandardOutput();
    EXPECT_NE(out.find("Music loaded successfully: resources/audio/cin.wav\n"
                       "Background music loaded successfully\n"),
              std::string::npos)
        << out;
    // The music player is the last to go, after the window.
    const std::string lastLine = "\nMusic stopped\n";
    EXPECT_EQ(out.rfind(lastLine), out.size() - lastLine.size()) << out;
    // Under Wine: the film's music, a plain wave file, is opened as a wave device on its own path.
    if (PlayerRunsUnderWine()) {
        const std::string err = player.StandardError();
        const std::string open = ":mciSendCommandA (00000000, MCI_OPEN, 00002200, ";
        EXPECT_NE(err.find(open), std::string::npos) << err;
        EXPECT_EQ(err.find(open), err.rfind(open)) << "one device opened";
        EXPECT_NE(err.find(":MCI_Open devType=L\"waveaudio\""), std::string::npos) << err;
        EXPECT_NE(err.find(MciOpenOf("resources/audio/cin.wav")), std::string::npos) << err;
    }
}

// The wheel reaches the camera; its steps and limits are the camera's own tests.
TEST(PlayerWindow, ScrollWheelChangesAndReportsCameraSpeed) {
    PlayerProcess player(fs::current_path());
    ASSERT_TRUE(player.WaitForWindow()) << player.StandardError();
    // Frames are running, so the window takes input (Wine drops a wheel turned before that).
    ASSERT_TRUE(player.WaitForTitleUpdates(1));
    // The first day/night line switches the console to two decimals; a slow start-up can let it
    // come before the scrolls, so either form is accepted.
    player.Scroll(1);
    ASSERT_TRUE(player.WaitForOutput("Camera speed: 12")) << player.StandardOutput();
    player.RequestClose();
    EXPECT_EQ(player.WaitForExit(), 0) << player.StandardError();
}

TEST(BrokenInstallation, WithoutMusicOrPlantSitesTheFilmStillPlays) {
    const fs::path scratch = MakeScratchRunDirectory();
    fs::remove(scratch / "resources" / "audio" / "cin.wav");
    // One triangle high above the sea: no vertex lies in the plants' height band.
    const fs::path terrain = scratch / "resources" / "models" / "islands" / "islands.obj";
    fs::remove(terrain);
    std::ofstream(terrain) << "v 0 10 0\nv 1 10 0\nv 0 10 1\nf 1 2 3\n";
    PlayerProcess player(scratch);
    const bool opened = player.WaitForWindow();
    player.RequestClose();
    const auto status = player.WaitForExit();
    fs::remove_all(scratch);
    ASSERT_TRUE(opened) << player.StandardOutput() << player.StandardError();
    EXPECT_EQ(status, 0);
    const std::string out = player.StandardOutput();
    EXPECT_NE(out.find("Generated 0 plants on terrain\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Warning: Failed to load background music\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("Music stopped"), std::string::npos) << out;
    EXPECT_NE(player.StandardError().find("Failed to load audio file: resources/audio/cin.wav\n"),
              std::string::npos)
        << player.StandardError();
}

TEST(BrokenInstallation, WithoutADisplayTheWindowFailureAndItsReasonAreReported) {
    ChildProcess player(LUMENVALE_EXECUTABLE, {}, fs::current_path(), {}, {"DISPLAY"});
    EXPECT_EQ(player.Wait(), 255);
    const std::string out = player.StandardOutput();
    const std::string err = player.StandardError();
    EXPECT_EQ(out, "Failed to create GLFW window\n");
    EXPECT_NE(err.find("GLFW: "), std::string::npos) << err;
    EXPECT_NE(err.find("DISPLAY"), std::string::npos) << err;
}
