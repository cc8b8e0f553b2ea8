#pragma once

#include "app/command_line.h"

// Renders the film offline, frame by frame on a fixed clock, into the video file the options
// name, and returns the process's exit status. Builds without the video libraries say so and
// fail.
int ExportFilm(const CommandLineOptions& options);
