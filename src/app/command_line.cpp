#include "app/command_line.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

namespace {

constexpr const char* kVersion = LUMENVALE_VERSION;

constexpr int kMinFps = 1;
constexpr int kMaxFps = 240;
// Even sides, because the video's colour planes are sampled at half the size.
constexpr int kMinSide = 16;
constexpr int kMaxSide = 8192;

CommandLineError ValueError(const std::string& message) {
    return CommandLineError{"lumenvale: " + message, false, 2};
}

// Numbers are written in decimal, an exponent allowed; the C library would also read
// hexadecimal ("0x10" as 16), which no option means.
bool IsDecimal(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789.eE+-") == std::string::npos;
}

std::optional<double> ParseNumber(const std::string& text) {
    if (!IsDecimal(text)) return std::nullopt;
    char* end = nullptr;
    // A number too small for a double reads as 0 or nearly (the range error it sets is no
    // fault); one too large reads as infinity and is refused below.
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> ParseWholeNumber(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    if (text.size() > 9) return std::nullopt;
    return std::stoi(text);
}

std::optional<CommandLineError> ReadFps(const std::string& value, CommandLineOptions& options) {
    const auto fps = ParseWholeNumber(value);
    if (!fps || *fps < kMinFps || *fps > kMaxFps) {
        return ValueError("--fps must be a whole number of frames per second from " +
                          std::to_string(kMinFps) + " to " + std::to_string(kMaxFps) + ", not '" +
                          value + "'");
    }
    options.fps = *fps;
    return std::nullopt;
}

std::optional<CommandLineError> ReadSize(const std::string& value, CommandLineOptions& options) {
    const auto x = value.find('x');
    const auto width = x == std::string::npos ? std::nullopt : ParseWholeNumber(value.substr(0, x));
    const auto height =
        x == std::string::npos ? std::nullopt : ParseWholeNumber(value.substr(x + 1));
    const auto fits = [](std::optional<int> side) {
        return side && *side >= kMinSide && *side <= kMaxSide && *side % 2 == 0;
    };
    if (!fits(width) || !fits(height)) {
        return ValueError("--size must be WIDTHxHEIGHT in even pixels from " +
                          std::to_string(kMinSide) + " to " + std::to_string(kMaxSide) +
                          ", like 1280x720, not '" + value + "'");
    }
    options.width = *width;
    options.height = *height;
    return std::nullopt;
}

std::optional<CommandLineError> ReadFilmSeconds(const std::string& name, const std::string& value,
                                                std::optional<double>& seconds) {
    const auto number = ParseNumber(value);
    if (!number || *number < 0.0) {
        return ValueError(name + " must be a film time in seconds, 0 or more, not '" + value + "'");
    }
    seconds = *number;
    return std::nullopt;
}

std::optional<CommandLineError> ReadRenderScale(const std::string& value,
                                                CommandLineOptions& options) {
    const std::optional<RenderScaleControl> scale =
        value == "auto" || IsDecimal(value) ? ParseRenderScale(value.c_str()) : std::nullopt;
    if (!scale) {
        return ValueError("--render-scale must be 'auto' or a factor from 0.35 to 1, not '" +
                          value + "'");
    }
    options.renderScale = *scale;
    return std::nullopt;
}

// The container follows the file name: Matroska for .mkv, MP4 for .mp4 (in any letter case).
std::optional<CommandLineError> ReadExportPath(const std::string& value,
                                               CommandLineOptions& options) {
    options.action = CommandLineOptions::Action::Export;
    options.exportPath = value;
    std::string extension = value.size() >= 4 ? value.substr(value.size() - 4) : "";
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension != ".mp4" && extension != ".mkv") {
        return ValueError("--export needs a file name ending in .mp4 or .mkv, not '" + value + "'");
    }
    return std::nullopt;
}

std::optional<CommandLineError> ReadWindowMode(const std::string& value,
                                               CommandLineOptions& options) {
    const std::optional<WindowMode> mode = ParseWindowMode(value);
    if (!mode) {
        return ValueError("--window must be 'fit' or WIDTHxHEIGHT in pixels from " +
                          std::to_string(kMinWindowSide) + " to " + std::to_string(kMaxWindowSide) +
                          ", like 1280x720, not '" + value + "'");
    }
    options.windowMode = *mode;
    return std::nullopt;
}

// Options that take no value and set a window mode.
bool ReadWindowFlag(const std::string& argument, CommandLineOptions& options) {
    if (argument != "--fullscreen") return false;
    options.windowMode = WindowMode{WindowMode::Kind::FullScreen, 0, 0};
    return true;
}

// The window's options show the live film; an export has no window, and a window has one mode.
std::optional<CommandLineError> CheckWindowSettings(const std::vector<std::string>& given,
                                                    const CommandLineOptions& options) {
    const auto named = [&given](const char* name) {
        return std::find(given.begin(), given.end(), name) != given.end();
    };
    if (named("--fullscreen") && named("--window")) {
        return ValueError("--fullscreen and --window cannot be combined: give one of them");
    }
    for (const char* name : {"--fullscreen", "--window"}) {
        if (named(name) && options.action == CommandLineOptions::Action::Export) {
            return ValueError(std::string(name) +
                              " only applies to playing the film, not to --export");
        }
    }
    return std::nullopt;
}

using ValueReader =
    std::function<std::optional<CommandLineError>(const std::string&, CommandLineOptions&)>;

const std::map<std::string, ValueReader>& OptionsWithValues() {
    static const std::map<std::string, ValueReader> readers = {
        {"--export", ReadExportPath},
        {"--fps", ReadFps},
        {"--size", ReadSize},
        {"--from",
         [](const std::string& value, CommandLineOptions& options) {
             return ReadFilmSeconds("--from", value, options.from);
         }},
        {"--to",
         [](const std::string& value, CommandLineOptions& options) {
             return ReadFilmSeconds("--to", value, options.to);
         }},
        {"--render-scale", ReadRenderScale},
        {"--window", ReadWindowMode},
    };
    return readers;
}

// Settings that shape an export and mean nothing to the live player.
std::optional<CommandLineError> CheckExportSettings(const std::vector<std::string>& given,
                                                    const CommandLineOptions& options) {
    if (options.action != CommandLineOptions::Action::Export) {
        for (const std::string& name : given) {
            if (name == "--fps" || name == "--size" || name == "--to") {
                return ValueError(name + " only applies to --export FILE");
            }
        }
        return std::nullopt;
    }
    // An export renders every frame at the video's full size, whatever the machine.
    for (const std::string& name : given) {
        if (name == "--render-scale") return ValueError(name + " does not apply to --export");
    }
    if (options.from && options.to && *options.from >= *options.to) {
        return ValueError("--from must come before --to");
    }
    return std::nullopt;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    CommandLineOptions& options = parsed.options;
    bool help = false;
    bool version = false;
    std::vector<std::string> given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            help = true;
            continue;
        }
        if (argument == "--version") {
            version = true;
            continue;
        }
        if (ReadWindowFlag(argument, options)) {
            given.push_back(argument);
            continue;
        }
        const auto equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const auto reader = OptionsWithValues().find(name);
        if (argument.rfind("--", 0) != 0 || reader == OptionsWithValues().end()) {
            parsed.error =
                CommandLineError{"lumenvale: unknown option '" + argument + "'", true, 2};
            return parsed;
        }
        std::string value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            parsed.error = ValueError(name + " needs a value");
            return parsed;
        }
        if (auto error = reader->second(value, options)) {
            parsed.error = error;
            return parsed;
        }
        given.push_back(name);
    }
    if (help) {
        options.action = CommandLineOptions::Action::Help;
    } else if (version) {
        options.action = CommandLineOptions::Action::Version;
    } else {
        parsed.error = CheckExportSettings(given, options);
        if (!parsed.error) parsed.error = CheckWindowSettings(given, options);
    }
    return parsed;
}

std::string UsageLine() {
    return "usage: lumenvale [--help] [--version] [--fullscreen | --window WxH|fit] "
           "[--render-scale auto|S] [--from S] [--export FILE [--fps N] [--size WxH] [--to S]]";
}

std::string HelpText() {
    return UsageLine() +
           "\n"
           "\n"
           "Without options, plays the film in a 1920x1080 window with its music.\n"
           "\n"
           "Options:\n"
           "  --help              show this text and exit\n"
           "  --version           show the version and exit\n"
           "  --fullscreen        play full screen on the main monitor\n"
           "  --window WxH        play in a window of that size, the film letterboxed at 16:9\n"
           "  --window fit        play in the largest 16:9 window that fits the screen\n"
           "  --render-scale S    render the picture at S times the window size (0.35 to 1),\n"
           "                      or 'auto' to keep the frame rate up (the default)\n"
           "  --from S            film time in seconds to start at (default 0), also when\n"
           "                      exporting\n"
           "  --export FILE       render the film offline into a video file with its music:\n"
           "                      H.264 and AAC in MP4, or in Matroska when FILE ends in .mkv\n"
           "  --fps N             frames per second of the video (default 60)\n"
           "  --size WxH          size of the video in pixels (default 1920x1080)\n"
           "  --to S              film time in seconds to end at (default: the end of the film,\n"
           "                      fade-out included)\n"
           "\n"
           "Keys while the film plays:\n"
           "  C                   stop the automatic camera and fly yourself; again to restart\n"
           "  W A S D             fly forward, left, back, right (automatic camera off)\n"
           "  Space, Left Ctrl    fly up, down\n"
           "  left mouse + drag   look around\n"
           "  scroll wheel        flying speed\n"
           "  R                   pause or resume the sun\n"
           "  N                   the moon instead of the sun, and back\n"
           "  M                   mute or unmute the music\n"
           "  P                   print the camera's position and view\n"
           "  Space               pause or resume the film (automatic camera on)\n"
           "  Left, Right         5 s back or forward in the film; with Shift, 30 s\n"
           "  F                   full screen, and back to the window\n"
           "\n"
           "Close the window to quit.\n";
}

std::string VersionText() {
    return std::string("lumenvale ") + kVersion;
}
