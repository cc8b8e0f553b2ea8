#include <GLFW/glfw3.h>

#include <csignal>
#include <cstdlib>

#include "app/window_system.h"

bool StartWindowSystem() {
    // A window outlives whoever reads its console lines: once that reader has gone (as
    // `lumenvale | head -1` goes), a line written would end the program with SIGPIPE. The lines
    // are written to nowhere instead, and the film plays on.
    std::signal(SIGPIPE, SIG_IGN);
    return glfwInit() == GLFW_TRUE;
}

std::string WindowSystemFailure(const std::string& reason) {
    if (reason.find("X11: Failed to open display") != 0 &&
        reason.find("DISPLAY environment variable is missing") == std::string::npos)
        return reason;
    const char* display = std::getenv("DISPLAY");
    const std::string looked = !display   ? "DISPLAY is not set"
                               : *display ? "DISPLAY is " + std::string(display)
                                          : "DISPLAY is empty";
    return "X11: no display found (" + looked +
           "); without a screen, play the film under Xvfb: "
           "xvfb-run -a -s \"-screen 0 1920x1080x24\" lumenvale";
}
