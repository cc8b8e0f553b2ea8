#include "generated_world.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>

#include "world_generator.h"

namespace {

struct GeneratedWorld {
    std::string dir;
    double seconds = 0.0;
};

const GeneratedWorld& World() {
    static const GeneratedWorld world = [] {
        GeneratedWorld generated;
        generated.dir = (std::filesystem::temp_directory_path() /
                         ("lumenvale_world_test_" + std::to_string(getpid())))
                            .string();
        std::filesystem::remove_all(generated.dir);
        const auto start = std::chrono::steady_clock::now();
        if (!GenerateWorld(generated.dir)) throw std::runtime_error("world generation failed");
        generated.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return generated;
    }();
    return world;
}

}  // namespace

const std::string& GeneratedWorldDir() {
    return World().dir;
}

double GenerationSeconds() {
    return World().seconds;
}
