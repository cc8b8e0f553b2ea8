#pragma once

#include <filesystem>
#include <string>

// The line that follows a missing run-time file: where the program looked, and where it should
// be started from. Users who start it from build/ otherwise see only a shader's name.
std::string RunDirectoryHint(const std::filesystem::path& workingDirectory);
