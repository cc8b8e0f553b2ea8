#pragma once

#include <string>
#include <vector>

// The real lumenvale executable, run to its end from the repository root with the given
// arguments: its exit status and what it wrote.
struct ProgramResult {
    int status;
    std::string out;
    std::string err;
};
ProgramResult RunLumenvale(const std::vector<std::string>& arguments);
