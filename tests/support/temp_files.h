#pragma once

#include <filesystem>
#include <string>

// The whole file, byte for byte; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);

// A private directory for files a test writes; removed with everything in it afterwards.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return root; }
    // Writes `contents` to `name` inside the directory and returns the file's path, with forward
    // slashes.
    std::string Write(const std::string& name, const std::string& contents) const;

  private:
    std::filesystem::path root;
};
