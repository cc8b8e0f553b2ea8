#include "app/run_directory_hint.h"

std::string RunDirectoryHint(const std::filesystem::path& workingDirectory) {
    return "Searched the working directory " + workingDirectory.string() +
           "; the film runs from the folder that holds shaders/ and resources/";
}
