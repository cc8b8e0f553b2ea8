#pragma once

#include <string>

// The generator's output for the tests: written once per test run into a fresh temporary
// directory, so the tests check what the generator makes now, not a stale resources/ tree.
const std::string& GeneratedWorldDir();

// Wall-clock seconds the generation above took.
double GenerationSeconds();
