#pragma once

#include <string>

// Starts the windowing library (GLFW) with what this platform needs around it; false when it
// cannot start, and GLFW's error then says why. Every program here starts GLFW through this.
bool StartWindowSystem();

// GLFW's reason for not starting, in the words to print: without a display to open (X11), which
// one was looked for and how to play the film without a screen. Other reasons stay as they are.
std::string WindowSystemFailure(const std::string& reason);
