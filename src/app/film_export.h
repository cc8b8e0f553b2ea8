#pragma once

#include "app/command_line.h"
#include "base/console.h"

// Renders the film offline, frame by frame on a fixed clock, into the video file the options
// name, and returns the process's exit status. Progress and the final line go to the console's
// `out`, failures to its `err`. Builds without the video libraries say so and fail.
int ExportFilm(const CommandLineOptions& options, const Console& console);
