#pragma once

#include <ostream>

#include "gfx/pass_state.h"

// The pass state the current GL context holds, read back from GL.
PassState CurrentPassState();

// How gtest prints a state in a failed comparison.
void PrintTo(const PassState& state, std::ostream* out);
