// `lumenvale --export` as a user runs it, its files read back by FFmpeg's own tools.
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>

#include "export/export_process.h"
#include "export/media_reader.h"
#include "support/temp_files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kMusic = "resources/audio/cin.wav";

// Film seconds 40 to 42 at 640x360 and 30 frames per second, made once for the tests that read it.
class ShortExport : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir = new TempDir;
        result = new ProgramResult(Export(Path()));
    }
    static void TearDownTestSuite() {
        delete result;
        delete dir;
    }
    static std::string Path(const std::string& name = "film.mp4") {
        return (dir->path() / name).string();
    }
    static ProgramResult Export(const std::string& path) {
        return RunLumenvale(
            {"--export", path, "--from", "40", "--to", "42", "--size", "640x360", "--fps", "30"});
    }

    static TempDir* dir;
    static ProgramResult* result;
};
TempDir* ShortExport::dir = nullptr;
ProgramResult* ShortExport::result = nullptr;

// Normalised correlation of two interleaved sound signals over their common length.
double Correlation(const std::vector<float>& a, const std::vector<float>& b) {
    double product = 0.0, energyA = 0.0, energyB = 0.0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        product += static_cast<double>(a[i]) * b[i];
        energyA += static_cast<double>(a[i]) * a[i];
        energyB += static_cast<double>(b[i]) * b[i];
    }
    return product / std::sqrt(energyA * energyB + 1e-30);
}

}  // namespace

TEST_F(ShortExport, IsOneH264AndOneAacStreamOfTheAskedSizeRateAndLength) {
    ASSERT_EQ(result->status, 0) << result->err;
    // The last line: "Wrote <path>film.mp4: 2.00 s, 640x360 at 30 fps, <size> MB".
    const std::string& out = result->out;
    const std::size_t wrote = out.rfind("Wrote ");
    ASSERT_NE(wrote, std::string::npos) << out;
    const std::string line = out.substr(wrote);
    EXPECT_NE(line.find("film.mp4: 2.00 s, 640x360 at 30 fps, "), std::string::npos) << out;
    EXPECT_EQ(line.substr(line.size() - 4), " MB\n") << out;
    const auto streams = ProbeStreams(Path());
    ASSERT_EQ(streams.size(), 2u);
    EXPECT_EQ(streams[0].at("codec_type"), "video");
    EXPECT_EQ(streams[0].at("codec_name"), "h264");
    EXPECT_EQ(streams[0].at("width"), "640");
    EXPECT_EQ(streams[0].at("height"), "360");
    EXPECT_EQ(streams[0].at("r_frame_rate"), "30/1");
    EXPECT_EQ(streams[0].at("nb_read_frames"), "60");
    EXPECT_EQ(streams[1].at("codec_type"), "audio");
    EXPECT_EQ(streams[1].at("codec_name"), "aac");
    for (const auto& stream : streams) {
        EXPECT_NEAR(std::stod(stream.at("duration")), 2.0, 1.0 / 30) << stream.at("codec_type");
    }
}

TEST_F(ShortExport, SoundIsTheFilmMusicAtTheSameFilmTime) {
    ASSERT_EQ(result->status, 0) << result->err;
    const std::vector<float> sound = DecodeSound(Path());
    ASSERT_NEAR(static_cast<double>(sound.size()) / 2, 2.0 * 44100, 44100.0 / 30);
    const double atFilmTime = Correlation(sound, DecodeSound(kMusic, 40.0, 2.0));
    EXPECT_GT(atFilmTime, 0.95);
    // Half a second off, the same music no longer matches.
    EXPECT_LT(Correlation(sound, DecodeSound(kMusic, 40.5, 2.0)), atFilmTime - 0.3);
}

TEST_F(ShortExport, TheSameRangeExportedAgainDecodesToTheSameFrames) {
    ASSERT_EQ(result->status, 0) << result->err;
    const std::string again = Path("again.mp4");
    ASSERT_EQ(Export(again).status, 0);
    const std::vector<std::uint8_t> first = DecodePictures(Path());
    ASSERT_EQ(first.size(), 60u * 640 * 360 * 3);
    EXPECT_TRUE(first == DecodePictures(again));
}

TEST(ExportCommand, InterruptedExportStillPlaysUpToItsLastFrame) {
    const TempDir dir;
    const std::string path = (dir.path() / "cut.mkv").string();
    ExportProcess program({"--export", path, "--to", "10", "--size", "320x180", "--fps", "30"});
    // Away from a terminal a line comes every five percent: 15 frames are in.
    ASSERT_TRUE(program.WaitForOutput("  5%  ")) << program.StandardError();
    program.Signal(SIGINT);
    EXPECT_EQ(program.Wait(), 128 + SIGINT) << program.StandardError();

    const std::string out = program.StandardOutput();
    const std::size_t interrupted = out.find("Interrupted");
    ASSERT_NE(interrupted, std::string::npos) << out;
    const std::size_t wrote = out.find("Wrote ", interrupted);
    ASSERT_NE(wrote, std::string::npos) << out;
    const std::size_t seconds_at = out.find(": ", wrote);
    ASSERT_NE(seconds_at, std::string::npos) << out;
    const double seconds = std::stod(out.substr(seconds_at + 2));
    EXPECT_GE(seconds, 0.5);
    EXPECT_LT(seconds, 10.0);
    const auto streams = ProbeStreams(path);
    ASSERT_EQ(streams.size(), 2u);
    EXPECT_EQ(std::stoi(streams[0].at("nb_read_frames")), std::lround(seconds * 30));
    EXPECT_NEAR(ProbeDuration(path), seconds, 1.0 / 30);
}

TEST(ExportCommand, WrongRequestsSayWhatIsWrongBeforeRenderingAndLeaveNoFile) {
    const TempDir dir;
    const std::string path = (dir.path() / "film.mp4").string();
    const struct {
        std::vector<std::string> arguments;
        std::string line;
        int status;
    } cases[] = {
        {{"--export", path, "--frobnicate"}, "lumenvale: unknown option '--frobnicate'\n", 2},
        {{"--export", path, "--from", "42", "--to", "40"},
         "lumenvale: --from must come before --to\n",
         2},
        {{"--export", path, "--size", "0x360"},
         "lumenvale: --size must be WIDTHxHEIGHT in even pixels from 16 to 8192, like 1280x720, "
         "not '0x360'\n",
         2},
        {{"--export", path, "--to", "500"},
         "lumenvale: --to is after the end of the film (129.03 s at 60 fps)\n",
         2},
        {{"--export", (dir.path() / "no" / "such" / "dir.mp4").string(), "--to", "1"},
         "lumenvale: cannot write " + (dir.path() / "no" / "such" / "dir.mp4").string() +
             ": No such file or directory\n",
         1},
    };
    for (const auto& wrong : cases) {
        const ProgramResult result = RunLumenvale(wrong.arguments);
        EXPECT_EQ(result.status, wrong.status) << wrong.line;
        EXPECT_EQ(result.err.substr(0, wrong.line.size()), wrong.line);
        EXPECT_EQ(result.out, "") << "nothing was to be rendered";
        EXPECT_TRUE(fs::is_empty(dir.path())) << wrong.line;
    }
    // An unknown option is followed by the usage line.
    EXPECT_NE(RunLumenvale({"--frobnicate"}).err.find("\nusage: lumenvale "), std::string::npos);
}

TEST(ExportCommand, HelpAndVersionPrintAndExitWithoutAWindow) {
    const ProgramResult help = RunLumenvale({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: lumenvale ", 0), 0u);
    EXPECT_NE(help.out.find("--export FILE"), std::string::npos);
    const ProgramResult version = RunLumenvale({"--version"});
    EXPECT_EQ(version.status, 0);
    int major = -1, minor = -1, patch = -1, length = 0;
    EXPECT_EQ(
        std::sscanf(version.out.c_str(), "lumenvale %d.%d.%d\n%n", &major, &minor, &patch, &length),
        3)
        << version.out;
    EXPECT_EQ(static_cast<std::size_t>(length), version.out.size()) << version.out;
    EXPECT_EQ(version.out.back(), '\n');
}
