// Pausing and moving within the film on the real window, with the music it plays recorded: SDL's
// disk device on Linux, or, when LUMENVALE_MUSIC_CAPTURE names a command that records the sound
// card (the Windows build under Wine plays into a PulseAudio null sink), that command.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "audio/wav_header.h"
#include "e2e/player_process.h"
#include "support/temp_files.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr int kRate = 44100;  // the player's mixer and the film's music, two 16-bit channels

// The left and right channels' mean, from 16-bit stereo frames.
std::vector<float> MonoFrames(const std::vector<char>& bytes) {
    std::vector<float> mono(bytes.size() / 4);
    const auto* samples = reinterpret_cast<const std::int16_t*>(bytes.data());
    for (std::size_t i = 0; i < mono.size(); ++i) {
        mono[i] = (samples[2 * i] + samples[2 * i + 1]) / 65536.0f;
    }
    return mono;
}

std::vector<char> ReadBytes(const fs::path& path, std::uint64_t from = 0) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(from));
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

std::vector<float> FilmMusic() {
    const WavHeaderResult wave = ReadWavHeader("resources/audio/cin.wav");
    if (!wave.header || wave.header->sampleRate != kRate || wave.header->channels != 2) return {};
    std::vector<char> bytes = ReadBytes("resources/audio/cin.wav", wave.header->dataOffset);
    bytes.resize(std::min<std::size_t>(bytes.size(), wave.header->dataSize));
    return MonoFrames(bytes);
}

// How unlike two stretches of sound are: 0 when equal, about 1 when unrelated or one is silent.
float Mismatch(const float* a, const float* b, int length) {
    double difference = 0.0, energy = 1e-9;
    for (int i = 0; i < length; ++i) {
        difference += (a[i] - b[i]) * (a[i] - b[i]);
        energy += a[i] * a[i] + b[i] * b[i];
    }
    return static_cast<float>(difference / energy);
}

// Where in the recording, first after `from`, the music plays the second at `seconds` into the
// track: where a tenth of a second of it matches best, or -1 when nothing does. A tenth of a
// second of music can resemble another closely: an exact recording must match exactly.
long FindMusic(const std::vector<float>& recording, long from, const std::vector<float>& music,
               double seconds, float tolerance) {
    const int length = kRate / 10;
    const long at = std::lround(seconds * kRate);
    const long end = static_cast<long>(recording.size()) - length;
    for (long r = std::max(from, 0L); r < end; ++r) {
        // A look at its first 64 frames first; nearly every place fails it.
        if (Mismatch(&recording[r], &music[at], 64) > 0.5f) continue;
        if (Mismatch(&recording[r], &music[at], length) > tolerance) continue;
        long best = r;
        for (long near = r; near < std::min(r + kRate / 100, end); ++near) {
            if (Mismatch(&recording[near], &music[at], length) <
                Mismatch(&recording[best], &music[at], length)) {
                best = near;
            }
        }
        return best;
    }
    return -1;
}

// The music's position, in seconds, where the stretch that plays `seconds` at recording frame
// `found` begins: going back 5 ms at a time until the recording no longer follows the track
// within `tolerance`. The film's music has passages that sound much alike a few seconds apart:
// an exact recording must follow the track closely, or the music before a seek passes for the
// start of the stretch after it.
double StartOfStretch(const std::vector<float>& recording, long found,
                      const std::vector<float>& music, double seconds, float tolerance) {
    const long window = kRate / 100;
    long back = 0;
    const long at = std::lround(seconds * kRate);
    while (found - back - window >= 0 && at - back - window >= 0 &&
           Mismatch(&recording[found - back - window], &music[at - back - window], window) <
               tolerance) {
        back += window / 2;
    }
    return static_cast<double>(at - back) / kRate;
}

// The music's position, in seconds, where the stretch that plays `seconds` at recording frame
// `found` ends: going on 5 ms at a time while the recording follows the track.
double EndOfStretch(const std::vector<float>& recording, long found,
                    const std::vector<float>& music, double seconds, float tolerance) {
    const long window = kRate / 100;
    long on = 0;
    const long at = std::lround(seconds * kRate);
    while (found + on + window < static_cast<long>(recording.size()) &&
           at + on + window < static_cast<long>(music.size()) &&
           Mismatch(&recording[found + on], &music[at + on], window) < tolerance) {
        on += window / 2;
    }
    return static_cast<double>(at + on) / kRate;
}

// The seconds of a line such as "Film position: 47.30 s", the last one that begins with `text`.
double SecondsAfter(const std::string& output, const std::string& text) {
    const std::size_t at = output.rfind(text);
    return at == std::string::npos ? NAN : std::atof(output.c_str() + at + text.size());
}

// Presses `key` and returns the seconds of the `line` it prints. Xvfb now and then loses a key
// under load: a press that nothing answers in 20 s (a frame takes under 4 s) is made again.
double PressFor(PlayerProcess& player, const std::string& key, const std::string& line) {
    // A few frames first: a key let go and pressed again within one frame reads as one press (the
    // keys are polled), and a lost press costs a retry's whole wait.
    player.WaitForTitleUpdates(2, std::chrono::seconds(2));
    const std::size_t before = player.StandardOutput().size();
    bool answered = false;
    for (int attempt = 0; attempt < 3 && !answered; ++attempt) {
        player.PressKey(key);
        answered = player.WaitForOutputAfter(before, line, std::chrono::seconds(20));
    }
    EXPECT_TRUE(answered) << key << "\n" << player.StandardOutput();
    return SecondsAfter(player.StandardOutput(), line);
}

}  // namespace

TEST(FilmTransport, PausesAndSeeksWithTheMusicAtTheFilmTimeItShows) {
    const std::vector<float> music = FilmMusic();
    ASSERT_GT(music.size(), 100u * kRate);
    TempDir dir;
    const fs::path recorded = dir.path() / "music.raw";
    const std::optional<std::string> capture = SoundCardCaptureCommand();
    PlayerProcess player(fs::current_path(), {"--from", "20"},
                         {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", recorded.string()}});
    ASSERT_TRUE(player.WaitForWindow()) << player.StandardError();
    std::optional<SoundCardRecording> recording;
    if (capture) recording.emplace(*capture, recorded);
    ASSERT_TRUE(player.WaitForOutput("Film starts at 20.00 s\n")) << player.StandardOutput();
    ASSERT_TRUE(player.WaitForTitleUpdates(3));

    // Each action and the film time its line shows, which the music must play from.
    struct Shown {
        std::string action;
        double seconds;
    };
    const auto press = [&player](const std::string& key, const std::string& line) {
        return PressFor(player, key, line);
    };
    std::vector<Shown> shown;
    const auto seek = [&](double step) {
        const char* key = std::abs(step) == 30 ? (step > 0 ? "shift+Right" : "shift+Left")
                                               : (step > 0 ? "Right" : "Left");
        const double before = shown.empty() ? 20.0 : shown.back().seconds;
        shown.push_back({key, press(key, "Film position: ")});
        // The step, and the film played between the two lines.
        EXPECT_GT(shown.back().seconds - before - step, 0.0) << key;
        EXPECT_LT(shown.back().seconds - before - step, 10.0) << key;
    };
    seek(5);
    std::this_thread::sleep_for(500ms);
    const double pausedAt = press("space", "Film paused at ");
    std::this_thread::sleep_for(3s);
    EXPECT_EQ(press("space", "Film resumed at "), pausedAt);
    shown.push_back({"resume", pausedAt});
    // Never the same arrow twice running: Xvfb sometimes drops a key's second press.
    for (const double step : {-5, 30, -30, 5}) {
        std::this_thread::sleep_for(1500ms);
        seek(step);
    }
    std::this_thread::sleep_for(1500ms);
    player.RequestClose();
    EXPECT_EQ(player.WaitForExit(), 0) << player.StandardError();
    recording.reset();
    const std::string output = player.StandardOutput();
    EXPECT_NE(output.find("Music paused\nFilm paused at "), std::string::npos) << output;
    EXPECT_NE(output.find("Music resumed from pause\nFilm resumed at "), std::string::npos);

    const std::vector<float> heard = MonoFrames(ReadBytes(recorded));
    // SDL's disk device records exactly what was mixed, and each action's music must begin at
    // the film time its line shows, within 50 ms. A sound card recorded through its null sink
    // (Wine's) drops and repeats bits of sound when the machine is loaded, which can hide where
    // a stretch of music begins: there the offsets are printed, not checked.
    const bool soundCard = capture.has_value();
    long searchFrom = 0;
    for (const Shown& action : shown) {
        // Music a little after the action, and where that stretch of music began.
        const long found =
            FindMusic(heard, searchFrom, music, action.seconds + 0.3, soundCard ? 0.05f : 1e-4f);
        if (soundCard && found < 0) {
            std::printf("%-12s film %7.2f s  music not found\n", action.action.c_str(),
                        action.seconds);
            continue;
        }
        ASSERT_GE(found, 0) << "no music from " << action.seconds << " s after " << action.action;
        const double start =
            StartOfStretch(heard, found, music, action.seconds + 0.3, soundCard ? 0.3f : 0.02f);
        if (!soundCard) {
            EXPECT_NEAR(start, action.seconds, 0.05) << action.action;
        }
        std::printf("%-12s film %7.2f s  music from %7.3f s  offset %+5.0f ms\n",
                    action.action.c_str(), action.seconds, start, (start - action.seconds) * 1000);
        searchFrom = found;
    }
}

// The music sounds from the film's time whatever brought it back: an unmute (the film went on
// while muted) or a replay from the black screen at the end. A pause follows each, and the stretch
// of music the action began must have played what the film showed 0.6 s before the pause, and
// end at the time the pause shows. SDL's disk device keeps time by sleeping between blocks of
// 46 ms, which a loaded machine stretches (by a fifth, seen here): the music may end up to 0.4 s
// short of the pause, never ahead of it. The faults were whole seconds.
TEST(FilmTransport, TheMusicComesBackAtTheFilmTimeAfterUnmuteAndReplay) {
    if (SoundCardCaptureCommand()) GTEST_SKIP() << "needs the exact recording of SDL's disk device";
    const std::vector<float> music = FilmMusic();
    ASSERT_GT(music.size(), 100u * kRate);
    TempDir dir;
    const fs::path recorded = dir.path() / "music.raw";
    PlayerProcess player(fs::current_path(), {"--from", "114"},
                         {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", recorded.string()}});
    ASSERT_TRUE(player.WaitForWindow()) << player.StandardError();
    ASSERT_TRUE(player.WaitForOutput("Film starts at 114.00 s\n")) << player.StandardOutput();
    ASSERT_TRUE(player.WaitForTitleUpdates(3));

    // What brought the music back, and the film time of the pause that followed.
    std::vector<std::pair<std::string, double>> pauses;
    const auto pauseAfter = [&](const std::string& action) {
        std::this_thread::sleep_for(1s);
        pauses.emplace_back(action, PressFor(player, "space", "Film paused at "));
        PressFor(player, "space", "Film resumed at ");
    };
    PressFor(player, "m", "Music muted\nMusic muted\n");
    std::this_thread::sleep_for(3s);
    PressFor(player, "m", "Music unmuted\nMusic unmuted\n");
    pauseAfter("unmute");
    ASSERT_TRUE(player.WaitForOutput("Sequence complete - music paused", std::chrono::seconds(60)));
    PressFor(player, "c", "Restarting camera sequence from beginning\n");
    pauseAfter("replay");
    player.RequestClose();
    EXPECT_EQ(player.WaitForExit(), 0) << player.StandardError();
    const std::string output = player.StandardOutput();

    const std::vector<float> heard = MonoFrames(ReadBytes(recorded));
    long searchFrom = 0;
    for (const auto& [action, pausedAt] : pauses) {
        const long found = FindMusic(heard, searchFrom, music, pausedAt - 0.6, 1e-4f);
        ASSERT_GE(found, 0) << "no music before the pause at " << pausedAt << " s after " << action
                            << "\n"
                            << output;
        const double end = EndOfStretch(heard, found, music, pausedAt - 0.6, 0.02f);
        EXPECT_GT(end, pausedAt - 0.4) << action;
        EXPECT_LT(end, pausedAt + 0.1) << action;
        std::printf("%-8s paused at %7.2f s  music until %7.3f s  offset %+5.0f ms\n",
                    action.c_str(), pausedAt, end, (end - pausedAt) * 1000);
        searchFrom = found + kRate;  // past the pause: the next may play the same music
    }
}
