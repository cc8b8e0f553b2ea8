// The SDL_mixer device on its own: the modes it reports, its failure text and what it leaves
// behind in the process.
#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>

#include "audio/music_backend.h"
#include "sine_wav.h"
#include "support/temp_files.h"

namespace {

void (*HandlerOf(int signal))(int) {
    struct sigaction action {};
    sigaction(signal, nullptr, &action);
    return action.sa_handler;
}

}  // namespace

TEST(MusicBackend, ReportsPlayingPausedAndStoppedAndReleasesSdlOnClose) {
    TempDir dir;
    const std::string path = dir.Write("track.wav", SineWav(0.3));
    MusicBackend backend;
    EXPECT_FALSE(backend.QueryMode().has_value());
    EXPECT_FALSE(backend.PlayFromStart());

    const MusicOpenResult opened = backend.Open(path);
    ASSERT_EQ(opened.handle, 1u) << opened.errorText;
    EXPECT_EQ(backend.QueryMode(), MusicMode::Stopped);
    EXPECT_TRUE(backend.PlayFromStart());
    EXPECT_EQ(backend.QueryMode(), MusicMode::Playing);
    EXPECT_TRUE(backend.Pause());
    EXPECT_EQ(backend.QueryMode(), MusicMode::Other);
    EXPECT_TRUE(backend.Resume());
    EXPECT_EQ(backend.QueryMode(), MusicMode::Playing);
    EXPECT_TRUE(backend.Stop());
    EXPECT_EQ(backend.QueryMode(), MusicMode::Stopped);

    backend.Close();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_FALSE(backend.QueryMode().has_value());
    EXPECT_FALSE(backend.Pause() || backend.Resume() || backend.Stop());
    EXPECT_EQ(backend.Open(path).handle, 2u);
}

TEST(MusicBackend, OpeningLeavesCtrlCAndTerminationToTheirDefaultHandlers) {
    TempDir dir;
    const auto sigint = HandlerOf(SIGINT);
    const auto sigterm = HandlerOf(SIGTERM);
    MusicBackend backend;
    ASSERT_NE(backend.Open(dir.Write("track.wav", SineWav(0.1))).handle, 0u);
    EXPECT_EQ(HandlerOf(SIGINT), sigint);
    EXPECT_EQ(HandlerOf(SIGTERM), sigterm);
}

TEST(MusicBackend, OpenFailureTextIsCutTo255Characters) {
    TempDir dir;
    MusicBackend backend;
    const MusicOpenResult failed = backend.Open((dir.path() / std::string(200, 'x')).string() +
                                                "/" + std::string(200, 'y') + ".wav");
    EXPECT_EQ(failed.handle, 0u);
    EXPECT_EQ(failed.errorText.size(), 255u) << failed.errorText;
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}
