#include "generated_world.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "world_generator.h"

namespace {

// Generates on construction and removes its directory again when the test program ends.
struct GeneratedWorld {
    GeneratedWorld()
        : dir((std::filesystem::temp_directory_path() /
               ("lumenvale_world_test_" + std::to_string(getpid())))
                  .string()) {
        std::filesystem::remove_all(dir);
        const auto start = std::chrono::steady_clock::now();
        if (!GenerateWorld(dir)) throw std::runtime_error("world generation failed");
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    ~GeneratedWorld() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    std::string dir;
    double seconds = 0.0;
};

const GeneratedWorld& World() {
    static const GeneratedWorld world;
    return world;
}

}  // namespace

const std::string& GeneratedWorldDir() {
    return World().dir;
}

double GenerationSeconds() {
    return World().seconds;
}
