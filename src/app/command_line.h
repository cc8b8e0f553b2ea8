#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/window_mode.h"
#include "render/render_scale.h"

// What the program was asked to do, and with which settings.
struct CommandLineOptions {
    enum class Action { Play, Help, Version, Export };

    Action action = Action::Play;
    std::string exportPath;
    int fps = 60;
    int width = 1920;
    int height = 1080;
    std::optional<double> from;  // film seconds; the film's start when absent
    std::optional<double> to;    // film seconds; the end of the fade-out when absent
    RenderScaleControl renderScale = RenderScaleControl::Adaptive();
    WindowMode windowMode;  // the film's own 1920x1080 window unless --fullscreen or --window
};

// A command line that cannot be run: one line saying why, and the exit status to leave with.
struct CommandLineError {
    std::string message;
    bool showUsage = false;  // the usage line follows the message (unknown options)
    int status = 2;
};

struct ParsedCommandLine {
    CommandLineOptions options;
    std::optional<CommandLineError> error;
};

// Reads the arguments after the program name. Accepts "--name value" and "--name=value".
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// "usage: lumenvale [--help] ..." on one line.
std::string UsageLine();
// The usage line, every option and the keys of the film, as --help prints them.
std::string HelpText();
// "lumenvale " and the version, as --version prints it.
std::string VersionText();
