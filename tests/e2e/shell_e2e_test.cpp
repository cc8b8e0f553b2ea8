// The program as a user meets it: its window and title, the scroll wheel, closing, and a
// broken installation.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <glm/glm.hpp>
#include <iterator>
#include <sstream>

#include "e2e/player_process.h"
#include "support/child_process.h"
#include "support/pixels.h"

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

// Mean colours of a 4 x 3 grid over `area` of RGB rows `width` wide.
std::vector<glm::vec3> GridMeans(const unsigned char* rgb, int width, const PixelRect& area) {
    std::vector<glm::vec3> means;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            means.push_back(
                AreaMean(rgb, width,
                         {area.x + area.width * column / 4, area.y + area.height * row / 3,
                          area.width / 4, area.height / 3}));
        }
    }
    return means;
}

}  // namespace

// Each window option on screens smaller and larger than the film, with the film paused: the
// picture in the window is the film's whole frame at the moment the player shows, region by
// region as the capture tool renders it, centred at 16:9 with black bars where the window has
// another shape. The screen is read after each step: as the window opened, after a resize, after F.
TEST(PlayerWindow, OptionsShowTheWholeFilmLetterboxedAt16By9) {
    struct Step {
        std::string action;  // "WxH" resizes the window, "f" presses F
        PixelRect picture;   // where the film shows on the screen, from the top-left
        std::vector<PixelRect> bars;
    };
    struct Row {
        std::string screen;
        std::vector<std::string> arguments;
        std::string modeLine;
        std::vector<Step> steps;
    };
    const std::vector<Row> rows = {
        {"1366x768",
         {"--fullscreen"},
         "Full screen 1366x768",
         {{"", {0, 0, 1365, 768}, {{1365, 0, 1, 768}}}}},
        {"2560x1440",
         {"--window", "1280x720"},
         "Window 1280x720",
         {{"1280x900", {0, 90, 1280, 720}, {{0, 0, 1280, 90}, {0, 810, 1280, 90}}},
          {"f", {0, 0, 2560, 1440}, {}}}},
        {"1366x768", {"--window", "fit"}, "Window 1360x765", {{"", {3, 1, 1360, 765}, {}}}},
        // Larger than the screen: held to it.
        {"1366x768",
         {"--window", "16000x9000"},
         "Window 1366x768",
         {{"", {0, 0, 1365, 768}, {{1365, 0, 1, 768}}}}},
    };
    struct Shown {
        const Step* step;
        std::string moment;  // film seconds, as the pause line gives them
        Screenshot shot;
    };
    std::vector<Shown> shown;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.screen + " " + row.arguments.back());
        PrivateScreen screen(row.screen);
        ASSERT_TRUE(screen.Ready()) << screen.Log();
        std::vector<std::string> arguments = row.arguments;
        arguments.insert(arguments.end(), {"--from", "40"});
        PlayerProcess player(fs::current_path(), arguments);
        ASSERT_TRUE(player.WaitForWindow()) << player.StandardError();
        ASSERT_TRUE(player.WaitForOutput(row.modeLine + ",")) << player.StandardOutput();
        ASSERT_TRUE(player.WaitForTitleUpdates(1));
        player.PressKey("space");
        ASSERT_TRUE(player.WaitForOutput("Film paused at ")) << player.StandardOutput();
        const std::size_t pauseLine = player.StandardOutput().find("Film paused at ");
        ASSERT_TRUE(player.WaitForOutputAfter(pauseLine, " s\n"));
        std::string moment;
        std::istringstream(player.StandardOutput().substr(pauseLine + 15)) >> moment;
        for (const Step& step : row.steps) {
            if (step.action == "f") {
                player.PressKey("f");
                ASSERT_TRUE(player.WaitForOutput("Full screen " + row.screen + "\n"))
                    << player.StandardOutput();
            } else if (!step.action.empty()) {
                player.ResizeWindow(step.picture.width, step.picture.height + 2 * step.picture.y);
            }
            // Frames go on while the film is paused: two more show the window as it is now.
            ASSERT_TRUE(player.WaitForTitleUpdates(2));
            shown.push_back({&step, moment, TakeScreenshot()});
        }
        player.RequestClose();
        EXPECT_EQ(player.WaitForExit(), 0) << player.StandardError();
    }

    // The film at each of those moments, rendered at its own size.
    TempDir frames;
    std::vector<std::string> arguments = {frames.path().string()};
    for (const Shown& moment : shown) arguments.push_back(moment.moment);
    ChildProcess capture(LUMENVALE_CAPTURE, arguments);
    ASSERT_EQ(capture.Wait(), 0) << capture.StandardError();
    for (const Shown& moment : shown) {
        SCOPED_TRACE(moment.step->action + " at " + moment.moment);
        const Screenshot& shot = moment.shot;
        ASSERT_GT(shot.width, 0);
        char name[32];
        std::snprintf(name, sizeof name, "frame_%06.2f.png", std::stof(moment.moment));
        int width = 0, height = 0, channels = 0;
        unsigned char* film =
            stbi_load((frames.path() / name).c_str(), &width, &height, &channels, 3);
        ASSERT_NE(film, nullptr) << name;
        const std::vector<glm::vec3> expected = GridMeans(film, width, {0, 0, width, height});
        stbi_image_free(film);
        const std::vector<glm::vec3> seen =
            GridMeans(shot.rgb.data(), shot.width, moment.step->picture);
        for (std::size_t region = 0; region < expected.size(); ++region) {
            EXPECT_LE(glm::length(seen[region] - expected[region]), 16.0f) << "region " << region;
        }
        for (const PixelRect& bar : moment.step->bars) {
            EXPECT_EQ(AreaMean(shot.rgb.data(), shot.width, bar), glm::vec3(0.0f)) << bar.y;
        }
    }
}

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

// The reader of the console lines may go away, as `lumenvale | head -1` does: the film plays on,
// its lines written to nowhere, and ends as usual when its window is closed.
TEST(PlayerWindow, PlaysOnWhenTheReaderOfItsLinesGoesAway) {
    if (PlayerRunsUnderWine())
        GTEST_SKIP() << "a pipe without a reader raises no signal on Windows";
    const TempDir dir;
    const fs::path player = dir.path() / "lumenvale-read-once";
    std::ofstream(player) << "#!/bin/bash\nexec '" LUMENVALE_EXECUTABLE
                             "' \"$@\" > >(head -c 1 > /dev/null)\n";
    fs::permissions(player, fs::perms::owner_all);
    setenv("LUMENVALE_PLAYER", player.c_str(), 1);
    PlayerProcess readOnce(fs::current_path());
    unsetenv("LUMENVALE_PLAYER");
    // The start-up's lines come before the first frame, and a frame's title every second.
    ASSERT_TRUE(readOnce.WaitForWindow()) << readOnce.StandardError();
    ASSERT_TRUE(readOnce.WaitForTitleUpdates(2)) << readOnce.StandardError();
    readOnce.RequestClose();
    EXPECT_EQ(readOnce.WaitForExit(), 0) << readOnce.StandardError();
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
    const struct {
        std::vector<std::pair<std::string, std::string>> environment;
        std::vector<std::string> unset;
        const char* looked;
    } cases[] = {{{}, {"DISPLAY"}, "DISPLAY is not set"},
                 {{{"DISPLAY", ""}}, {}, "DISPLAY is empty"}};
    for (const auto& c : cases) {
        ChildProcess player(LUMENVALE_EXECUTABLE, {}, fs::current_path(), c.environment, c.unset);
        EXPECT_EQ(player.Wait(), 255);
        EXPECT_EQ(player.StandardOutput(), "Failed to create GLFW window\n");
        EXPECT_EQ(player.StandardError(),
                  "GLFW: X11: no display found (" + std::string(c.looked) +
                      "); without a screen, play the film under Xvfb: xvfb-run -a -s \"-screen 0 "
                      "1920x1080x24\" lumenvale\n");
    }
}
