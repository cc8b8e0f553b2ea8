#pragma once

// Starts the windowing library (GLFW) with what this platform needs around it; false when it
// cannot start, and GLFW's error then says why. Every program here starts GLFW through this.
bool StartWindowSystem();
