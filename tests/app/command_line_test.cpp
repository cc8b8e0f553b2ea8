#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

using Action = CommandLineOptions::Action;

ParsedCommandLine Parse(std::vector<std::string> arguments) {
    return ParseCommandLine(arguments);
}

// The one line a rejected command line prints; empty when it was accepted.
std::string ErrorOf(std::vector<std::string> arguments) {
    const ParsedCommandLine parsed = Parse(std::move(arguments));
    return parsed.error ? parsed.error->message : "";
}

}  // namespace

TEST(CommandLine, WithoutArgumentsPlaysTheFilmWithAutomaticRenderScale) {
    const ParsedCommandLine parsed = Parse({});
    ASSERT_FALSE(parsed.error);
    EXPECT_EQ(parsed.options.action, Action::Play);
    EXPECT_TRUE(parsed.options.renderScale.IsAdaptive());
}

TEST(CommandLine, ExportTakesItsSettingsInEitherSpellingAndDefaultsTheRest) {
    ParsedCommandLine parsed = Parse({"--export", "film.mkv"});
    ASSERT_FALSE(parsed.error);
    EXPECT_EQ(parsed.options.action, Action::Export);
    EXPECT_EQ(parsed.options.exportPath, "film.mkv");
    EXPECT_EQ(parsed.options.fps, 60);
    EXPECT_EQ(parsed.options.width, 1920);
    EXPECT_EQ(parsed.options.height, 1080);
    EXPECT_FALSE(parsed.options.from);
    EXPECT_FALSE(parsed.options.to);

    parsed =
        Parse({"--fps=30", "--size", "640x360", "--export=out.mp4", "--from", "40", "--to=42.5"});
    ASSERT_FALSE(parsed.error) << parsed.error->message;
    EXPECT_EQ(parsed.options.exportPath, "out.mp4");
    EXPECT_EQ(parsed.options.fps, 30);
    EXPECT_EQ(parsed.options.width, 640);
    EXPECT_EQ(parsed.options.height, 360);
    EXPECT_EQ(parsed.options.from.value_or(-1), 40.0);
    EXPECT_EQ(parsed.options.to.value_or(-1), 42.5);
}

TEST(CommandLine, HelpAndVersionWinOverEverythingElseThatIsValid) {
    EXPECT_EQ(Parse({"--export", "a.mp4", "--help"}).options.action, Action::Help);
    EXPECT_EQ(Parse({"-h"}).options.action, Action::Help);
    EXPECT_EQ(Parse({"--version"}).options.action, Action::Version);
    EXPECT_EQ(Parse({"--version", "--help"}).options.action, Action::Help);
    // Still, a wrong option next to them is reported.
    EXPECT_TRUE(Parse({"--help", "--bogus"}).error);
}

TEST(CommandLine, UnknownOptionsAndMissingValuesExitWithStatusTwo) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {"--bogus"}, {"film.mp4"}, {"-x"}, {"--export"}, {"--fps"}, {"--export", ""}}) {
        const ParsedCommandLine parsed = Parse(arguments);
        ASSERT_TRUE(parsed.error) << arguments.front();
        EXPECT_EQ(parsed.error->status, 2);
        EXPECT_EQ(parsed.error->message.find('\n'), std::string::npos);
    }
    const ParsedCommandLine unknown = Parse({"--bogus=1"});
    EXPECT_EQ(unknown.error->message, "lumenvale: unknown option '--bogus=1'");
    EXPECT_TRUE(unknown.error->showUsage);
    EXPECT_EQ(ErrorOf({"--fps"}), "lumenvale: --fps needs a value");
    EXPECT_FALSE(Parse({"--fps"}).error->showUsage);
}

TEST(CommandLine, ExportFileNameChoosesTheContainer) {
    EXPECT_EQ(ErrorOf({"--export", "Film.MKV"}), "");
    EXPECT_EQ(ErrorOf({"--export", "dir/film.mp4"}), "");
    EXPECT_EQ(ErrorOf({"--export", "film.avi"}),
              "lumenvale: --export needs a file name ending in .mp4 or .mkv, not 'film.avi'");
    EXPECT_NE(ErrorOf({"--export", "mp4"}), "");
}

TEST(CommandLine, RejectsSizesThatCannotBeEncoded) {
    const std::string expected =
        "lumenvale: --size must be WIDTHxHEIGHT in even pixels from 16 to 8192, like 1280x720, "
        "not '0x360'";
    EXPECT_EQ(ErrorOf({"--export", "a.mp4", "--size", "0x360"}), expected);
    for (const char* size : {"641x360", "640x", "x360", "640*360", "640x360x2", "-640x360",
                             "8194x16", "14x14", "640 x360", "99999999999x2"}) {
        EXPECT_NE(ErrorOf({"--export", "a.mp4", "--size", size}), "") << size;
    }
    EXPECT_EQ(ErrorOf({"--export", "a.mp4", "--size", "16x8192"}), "");
}

TEST(CommandLine, RejectsFrameRatesOutsideOneTo240) {
    for (const char* fps : {"0", "241", "29.97", "-5", "abc", ""}) {
        EXPECT_NE(ErrorOf({"--export", "a.mp4", "--fps", fps}), "") << fps;
    }
    EXPECT_EQ(
        ErrorOf({"--export", "a.mp4", "--fps", "0"}),
        "lumenvale: --fps must be a whole number of frames per second from 1 to 240, not '0'");
    EXPECT_EQ(ErrorOf({"--export", "a.mp4", "--fps", "1"}), "");
    EXPECT_EQ(ErrorOf({"--export", "a.mp4", "--fps", "240"}), "");
}

TEST(CommandLine, RangeMustBeNonNegativeAndInOrder) {
    EXPECT_EQ(ErrorOf({"--export", "a.mp4", "--from", "42", "--to", "40"}),
              "lumenvale: --from must come before --to");
    EXPECT_NE(ErrorOf({"--export", "a.mp4", "--from", "5", "--to", "5"}), "");
    EXPECT_EQ(ErrorOf({"--export", "a.mp4", "--from", "-1"}),
              "lumenvale: --from must be a film time in seconds, 0 or more, not '-1'");
    for (const char* time : {"nan", "inf", "1e999", "4s", "", "0x10", " 5"}) {
        EXPECT_NE(ErrorOf({"--export", "a.mp4", "--to", time}), "") << time;
    }
    EXPECT_EQ(ErrorOf({"--export", "a.mp4", "--from", "0", "--to", "0.5"}), "");
    // Too small for a double is 0 or nearly, not negative.
    EXPECT_EQ(ErrorOf({"--export", "a.mp4", "--from", "1e-320"}), "");
}

TEST(CommandLine, ExportSettingsWithoutExportAreReported) {
    EXPECT_EQ(ErrorOf({"--fps", "30"}), "lumenvale: --fps only applies to --export FILE");
    EXPECT_EQ(ErrorOf({"--to", "10"}), "lumenvale: --to only applies to --export FILE");
    EXPECT_EQ(ErrorOf({"--export", "a.mp4", "--render-scale", "0.5"}),
              "lumenvale: --render-scale does not apply to --export");
}

TEST(CommandLine, RenderScaleIsAutoOrAFactorWithinItsRange) {
    EXPECT_TRUE(
        Parse({"--render-scale", "0.5", "--render-scale=auto"}).options.renderScale.IsAdaptive());
    EXPECT_FLOAT_EQ(Parse({"--render-scale=1"}).options.renderScale.Current(), 1.0f);
    for (const char* scale : {"0.34", "1.01", "0", "Auto", "half", "0x0.8p0"}) {
        EXPECT_NE(ErrorOf({"--render-scale", scale}), "") << scale;
    }
    EXPECT_EQ(ErrorOf({"--render-scale", "2"}),
              "lumenvale: --render-scale must be 'auto' or a factor from 0.35 to 1, not '2'");
}

TEST(CommandLine, HelpNamesEveryOptionAndTheKeys) {
    const std::string help = HelpText();
    EXPECT_EQ(help.rfind(UsageLine() + "\n", 0), 0u);
    for (const char* word : {"--help", "--version", "--fullscreen", "--window", "--render-scale",
                             "--export", "--fps", "--size", "--from", "--to", "  F ", "  C ",
                             "  R ", "  N ", "  M ", "  P ", "  Space ", "  Left, Right "}) {
        EXPECT_NE(help.find(word), std::string::npos) << word;
    }
    EXPECT_EQ(VersionText().rfind("lumenvale ", 0), 0u);
}

TEST(CommandLine, WindowOptionsChooseOneModeForPlaying) {
    using Kind = WindowMode::Kind;
    EXPECT_EQ(Parse({}).options.windowMode.kind, Kind::FilmSize);
    EXPECT_EQ(Parse({"--fullscreen", "--from", "3"}).options.windowMode.kind, Kind::FullScreen);
    EXPECT_EQ(Parse({"--window=fit"}).options.windowMode.kind, Kind::Fit);
    const WindowMode sized = Parse({"--window", "1366x768"}).options.windowMode;
    EXPECT_EQ(sized.kind, Kind::Size);
    EXPECT_EQ(sized.width, 1366);
    EXPECT_EQ(sized.height, 768);
    EXPECT_EQ(ErrorOf({"--window", "64x16384"}), "");
    for (const char* size : {"63x720", "1280x16385", "1280", "Fit", "1280x720x2", ""}) {
        EXPECT_NE(ErrorOf({"--window", size}), "") << size;
    }
    EXPECT_EQ(ErrorOf({"--window", "big"}),
              "lumenvale: --window must be 'fit' or WIDTHxHEIGHT in pixels from 64 to 16384, like "
              "1280x720, not 'big'");
    EXPECT_EQ(ErrorOf({"--fullscreen", "--window", "fit"}),
              "lumenvale: --fullscreen and --window cannot be combined: give one of them");
    EXPECT_EQ(ErrorOf({"--export", "a.mp4", "--fullscreen"}),
              "lumenvale: --fullscreen only applies to playing the film, not to --export");
}
