#include "support/temp_files.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

// A fresh directory under a random name, the way mkdtemp makes one, also where there is no mkdtemp.
TempDir::TempDir() {
    std::random_device entropy;
    std::uniform_int_distribution<unsigned> digit(0, 35);
    const char* const alphabet = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = "lumenvale-test-";
        for (int i = 0; i < 8; ++i) name += alphabet[digit(entropy)];
        const std::filesystem::path candidate = std::filesystem::temp_directory_path() / name;
        if (std::filesystem::create_directory(candidate)) {
            root = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot make a temporary directory");
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& contents) const {
    const std::filesystem::path file = root / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << contents;
    // With forward slashes on every platform, as the program's own paths are written.
    return file.generic_string();
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
