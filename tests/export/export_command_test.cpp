// `lumenvale --export` as a user runs it, its files read back by FFmpeg's own tools.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "export/export_process.h"
#include "export/media_reader.h"
#include "support/child_process.h"
#include "support/temp_files.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kMusic = "resources/audio/cin.wav";

ProgramResult ExportFilmSeconds40To42(const std::string& path) {
    return RunLumenvale(
        {"--export", path, "--from", "40", "--to", "42", "--size", "640x360", "--fps", "30"});
}

// The last line of a program's output, without its line end.
std::string LastLine(const std::string& output) {
    const std::string text = output.substr(0, output.find_last_not_of('\n') + 1);
    return text.substr(text.find_last_of('\n') + 1);
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

// Film seconds 40 to 42 at 640x360 and 30 frames per second: the streams, the music under the
// picture, and the same frames again from a second export.
TEST(ExportCommand, ShortRangeReadsBackAsAskedWithItsMusicAndTheSameFramesEveryTime) {
    const TempDir dir;
    const std::string path = (dir.path() / "film.mp4").string();
    const ProgramResult result = ExportFilmSeconds40To42(path);
    ASSERT_EQ(result.status, 0) << result.err;
    const std::string lastLine = LastLine(result.out);
    EXPECT_EQ(lastLine.rfind("Wrote " + path + ": 2.00 s, 640x360 at 30 fps, ", 0), 0u) << lastLine;
    EXPECT_TRUE(EndsWith(lastLine, " kB") || EndsWith(lastLine, " MB")) << lastLine;

    const auto streams = ProbeStreams(path);
    ExpectPictureAndSoundStreams(streams, 640, 360, 30, 60);
    for (const auto& stream : streams) {
        EXPECT_NEAR(std::stod(stream.at("duration")), 2.0, 1.0 / 30) << stream.at("codec_type");
    }

    const std::vector<float> sound = DecodeSound(path);
    ASSERT_NEAR(static_cast<double>(sound.size()) / 2, 2.0 * 44100, 44100.0 / 30);
    const double atFilmTime = Correlation(sound, DecodeSound(kMusic, 40.0, 2.0));
    EXPECT_GT(atFilmTime, 0.95);
    // Half a second off, the same music no longer matches.
    EXPECT_LT(Correlation(sound, DecodeSound(kMusic, 40.5, 2.0)), atFilmTime - 0.3);

    const std::string again = (dir.path() / "again.mp4").string();
    ASSERT_EQ(ExportFilmSeconds40To42(again).status, 0);
    const std::vector<std::uint8_t> first = DecodePictures(path);
    ASSERT_EQ(first.size(), 60u * 640 * 360 * 3);
    EXPECT_TRUE(first == DecodePictures(again)) << "two exports of the same range differ";
}

TEST(ExportCommand, InterruptedExportStillPlaysUpToItsLastFrame) {
    const TempDir dir;
    const std::string path = (dir.path() / "cut.mkv").string();
    ChildProcess program(LUMENVALE_EXECUTABLE,
                         {"--export", path, "--to", "10", "--size", "320x180", "--fps", "30"});
    // Away from a terminal a line comes every five percent: 15 frames are in.
    ASSERT_TRUE(program.WaitForOutput("  5%  ")) << program.StandardError();
    program.Signal(SIGINT);
    EXPECT_EQ(program.Wait(), 128 + SIGINT) << program.StandardError();

    const std::string lastLine = LastLine(program.StandardOutput());
    const std::string wrote = "Interrupted; the film so far is in the file. Wrote " + path + ": ";
    ASSERT_EQ(lastLine.rfind(wrote, 0), 0u) << lastLine;
    const double seconds = std::stod(lastLine.substr(wrote.size()));
    EXPECT_GE(seconds, 0.5);
    EXPECT_LT(seconds, 10.0);
    const auto streams = ProbeStreams(path);
    ASSERT_EQ(streams.size(), 2u);
    EXPECT_EQ(std::stoi(streams[0].at("nb_read_frames")), std::lround(seconds * 30));
    EXPECT_NEAR(ProbeDuration(path), seconds, 1.0 / 30);

    // Killed outright 3 s in, a Matroska export has handed all but its last second to the system.
    ChildProcess killed(LUMENVALE_EXECUTABLE,
                        {"--export", path, "--to", "4", "--size", "160x90", "--fps", "30"});
    ASSERT_TRUE(killed.WaitForOutput(" 75%  ")) << killed.StandardError();
    killed.Signal(SIGKILL);
    killed.Wait();
    const auto part = dir.path() / ("cut.partial-" + std::to_string(killed.Id()) + ".mkv");
    EXPECT_GE(DecodePictures(part.string()).size(), 30u * 160 * 90 * 3);
    // A reader of the progress lines that goes away does not stop the export.
    ChildProcess piped("/bin/bash", {"-c", "set -o pipefail; " LUMENVALE_EXECUTABLE " --export " +
                                               path + " --to 1 --size 160x90 | head -c 1"});
    EXPECT_EQ(piped.Wait(), 0) << piped.StandardError();
}

TEST(ExportCommand, WrongRequestsSayWhatIsWrongBeforeRenderingAndLeaveNoFile) {
    const TempDir dir, other;
    const std::string path = (dir.path() / "film.mp4").string();
    // The finished film would take its name: a folder there is refused.
    const std::string folder = (other.path() / "folder.mp4").string();
    fs::create_directory(folder);
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
        {{"--export", path, "--from", "1e300"},
         "lumenvale: --from is at or after the end of the film (129.03 s at 60 fps)\n",
         2},
        {{"--export", path, "--from", "1.01", "--to", "1.02", "--fps", "24"},
         "lumenvale: --from and --to hold no whole frame at 24 fps\n",
         2},
        {{"--export", (dir.path() / "no" / "such" / "dir.mp4").string(), "--to", "1"},
         "lumenvale: cannot write " + (dir.path() / "no" / "such" / "dir.mp4").string() +
             ": No such file or directory\n",
         1},
        {{"--export", folder, "--to", "1"},
         "lumenvale: cannot write " + folder + ": it is not a regular file\n",
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

TEST(ExportCommand, AnExistingFileSurvivesEveryFailingExportAndTwoAtOnceSayWhichWon) {
    const TempDir dir;
    const std::string path = dir.Write("film.mp4", "the user's own film");
    const auto onlyTheFilm = [&] {
        return std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()) == 1;
    };
    const std::vector<std::string> export1Second = {"--export", path,     "--to",  "1",
                                                    "--size",   "160x90", "--fps", "10"};
    {  // No display to render with.
        ChildProcess program(LUMENVALE_EXECUTABLE, export1Second, std::filesystem::current_path(),
                             {}, {"DISPLAY"});
        EXPECT_EQ(program.Wait(), 1) << program.StandardError();
        EXPECT_NE(program.StandardError().find("cannot open an OpenGL 3.3 context"),
                  std::string::npos);
    }
    {  // Ctrl-C during start-up.
        ChildProcess program(LUMENVALE_EXECUTABLE, export1Second);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        program.Signal(SIGINT);
        EXPECT_EQ(program.Wait(), 128 + SIGINT) << program.StandardError();
    }
    {  // The terminal closed once the film has begun: its part is kept beside the file.
        ChildProcess program(LUMENVALE_EXECUTABLE,
                             {"--export", path, "--to", "20", "--size", "160x90", "--fps", "10"});
        ASSERT_TRUE(program.WaitForOutput("  5%  ")) << program.StandardError();
        program.Signal(SIGHUP);
        EXPECT_EQ(program.Wait(), 128 + SIGHUP) << program.StandardError();
        const auto part = dir.path() / ("film.partial-" + std::to_string(program.Id()) + ".mp4");
        EXPECT_NE(program.StandardOutput().find("kept as it was. Wrote " + part.string() + ": "),
                  std::string::npos);
        EXPECT_GT(ProbeDuration(part.string()), 0.9);
        fs::remove(part);
    }
    EXPECT_EQ(ReadFile(path), "the user's own film");
    EXPECT_TRUE(onlyTheFilm());

    // Two exports to one path: each film is whole, and the later one says it replaced the other.
    ChildProcess first(LUMENVALE_EXECUTABLE, export1Second);
    ChildProcess second(LUMENVALE_EXECUTABLE, export1Second);
    EXPECT_EQ(first.Wait(), 0) << first.StandardError();
    EXPECT_EQ(second.Wait(), 0) << second.StandardError();
    const std::string replaced = "Another export wrote " + path;
    EXPECT_EQ((first.StandardOutput().find(replaced) != std::string::npos) +
                  (second.StandardOutput().find(replaced) != std::string::npos),
              1);
    EXPECT_NEAR(ProbeDuration(path), 1.0, 0.1);
    EXPECT_TRUE(onlyTheFilm());

    // The target's folder removed and made again 1 s into the film: the export stops a second on.
    const fs::path folder = dir.path() / "films";
    fs::create_directory(folder);
    const std::string lost = (folder / "film.mp4").string();
    ChildProcess program(LUMENVALE_EXECUTABLE,
                         {"--export", lost, "--to", "20", "--size", "160x90", "--fps", "10"});
    ASSERT_TRUE(program.WaitForOutput("  5%  ")) << program.StandardError();
    fs::remove_all(folder);
    fs::create_directory(folder);
    EXPECT_EQ(program.Wait(), 1);
    EXPECT_NE(program.StandardError().find("cannot put the film in place as " + lost),
              std::string::npos);
    EXPECT_EQ(program.StandardOutput().find(" 15%  "), std::string::npos);
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST(ExportCommand, HelpAndVersionPrintAndExitWithoutAWindow) {
    const ProgramResult help = RunLumenvale({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: lumenvale ", 0), 0u);
    EXPECT_NE(help.out.find("--export FILE"), std::string::npos);
    const ProgramResult version = RunLumenvale({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("lumenvale ", 0), 0u) << version.out;
    EXPECT_EQ(version.out.find_first_not_of("0123456789.", 10), version.out.size() - 1)
        << version.out;
}
