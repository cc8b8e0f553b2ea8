#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/temp_files.h"

// The real lumenvale executable, run from the repository root with the given arguments, its
// standard output and error collected in files.
class ExportProcess {
  public:
    explicit ExportProcess(const std::vector<std::string>& arguments);
    ~ExportProcess();
    ExportProcess(const ExportProcess&) = delete;
    ExportProcess& operator=(const ExportProcess&) = delete;

    // Waits until standard output holds `text`; false if the program ended first.
    bool WaitForOutput(const std::string& text);
    void Signal(int signal);
    // The exit status once the program has ended; -1 when it did not exit by itself.
    int Wait();

    std::string StandardOutput() const;
    std::string StandardError() const;

  private:
    TempDir outputs;
    pid_t pid = -1;
    int status = -1;
};

// Runs the program to its end.
struct ProgramResult {
    int status;
    std::string out;
    std::string err;
};
ProgramResult RunLumenvale(const std::vector<std::string>& arguments);
