#include <GLFW/glfw3.h>

#include <csignal>

#include "app/window_system.h"

bool StartWindowSystem() {
    // A window outlives whoever reads its console lines: once that reader has gone (as
    // `lumenvale | head -1` goes), a line written would end the program with SIGPIPE. The lines
    // are written to nowhere instead, and the film plays on.
    std::signal(SIGPIPE, SIG_IGN);
    return glfwInit() == GLFW_TRUE;
}
