#pragma once

#include <functional>

#include "app/window.h"

// Calls `frame` once for each frame the window shows, until it is closed. A native window is
// driven by a loop here; a browser's page asks for its frames itself, so there the film goes on
// after this call has left its caller: `frame` and everything it reaches must live on the heap.
void DriveFrames(GLFWwindow* window, std::function<void()> frame);
