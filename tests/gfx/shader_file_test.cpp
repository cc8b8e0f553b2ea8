// Reading shader sources: every file that cannot be read to its end fails the same clear way as a
// missing one, before any GL work.
#include <gtest/gtest.h>

#include <filesystem>

#include "gfx/shader.h"
#include "support/temp_files.h"

namespace {

// The error a program built from `vertexFile` and `fragmentFile` reports.
std::string FailureOf(const std::string& vertexFile, const std::string& fragmentFile) {
    try {
        Shader(vertexFile.c_str(), fragmentFile.c_str());
    } catch (const ShaderFileError& error) {
        return error.what();
    }
    return "no error";
}

}  // namespace

TEST(ShaderFiles, AFolderOrAFileThatBreaksOffIsReportedLikeAMissingOne) {
    const TempDir dir;
    const std::string vertex = dir.Write("plain.vert", "void main() {}\n");
    const std::string folder = (dir.path() / "folder.frag").string();
    std::filesystem::create_directory(folder);
    const std::string missing = (dir.path() / "missing.frag").string();

    EXPECT_EQ(FailureOf(vertex, missing),
              "Failed to open shader file " + missing + ": No such file or directory");
    EXPECT_EQ(FailureOf(vertex, folder),
              "Failed to open shader file " + folder + ": Is a directory");
    // Opens, has no size to seek to, and fails at its first byte.
    EXPECT_EQ(FailureOf("/proc/self/mem", vertex),
              "Failed to open shader file /proc/self/mem: Input/output error");
}

TEST(ShaderFiles, ContentsComeBackByteForByte) {
    const TempDir dir;
    const std::string bytes = std::string("\xEF\xBB\xBF#version 330 core\r\n\0x", 25);
    EXPECT_EQ(get_file_contents(dir.Write("bom.vert", bytes).c_str()), bytes);
    EXPECT_EQ(get_file_contents(dir.Write("empty.frag", "").c_str()), "");
}
