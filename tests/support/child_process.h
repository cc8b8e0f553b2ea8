#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_files.h"

// A program the test runs as its child, in a working directory of the test's choosing, with its
// standard output and standard error collected in files that the test reads while it runs.
class ChildProcess {
  public:
    using Environment = std::vector<std::pair<std::string, std::string>>;

    // `environment` is set on top of the test's own; the variables in `unset` are removed.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& workingDirectory = std::filesystem::current_path(),
                 const Environment& environment = {}, const std::vector<std::string>& unset = {});
    // A program still running is killed.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The exit status (128 + the signal's number when a signal ended it), or nothing when the
    // program still runs after `timeout`.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    // Waits as long as the program runs.
    int Wait();
    // Waits until standard output holds `text` after its first `from` bytes; false when the
    // program ended without writing it or `timeout` passed.
    bool WaitForOutput(const std::string& text, std::size_t from = 0,
                       std::chrono::milliseconds timeout = std::chrono::minutes(5));
    void Signal(int signal);
    pid_t Id() const { return pid; }

    // What the program has written so far, line ends as "\n" (a Windows program writes "\r\n").
    std::string StandardOutput() const;
    std::string StandardError() const;
    // A private folder for files the program is told to write.
    const std::filesystem::path& Folder() const { return outputs.path(); }

  private:
    TempDir outputs;
    pid_t pid = -1;
    std::optional<int> exitStatus;
};
