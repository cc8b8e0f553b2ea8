#include <ostream>
#include <string>

#include "app/window.h"
#include "app/window_system.h"
#include "gfx/pointer_input.h"

namespace {

// The windowing library's description of its latest error, if any.
std::string LastGlfwError() {
    const char* description = nullptr;
    glfwGetError(&description);
    return description ? description : "";
}

// Starts the windowing library and asks for the film's context; a failed start shows up as the
// missing window, and its reason is then the one to give.
std::string StartWithContextHints(bool visible) {
    std::string reason = StartWindowSystem() ? "" : LastGlfwError();
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, visible ? GLFW_TRUE : GLFW_FALSE);
    return reason;
}

GLFWwindow* CreateFilmWindow(int width, int height, GLFWmonitor* monitor, std::string reason,
                             std::ostream& err) {
    GLFWwindow* window = glfwCreateWindow(width, height, "Lumenvale", monitor, nullptr);
    if (!window) {
        if (reason.empty()) reason = LastGlfwError();
        if (!reason.empty()) err << "GLFW: " << WindowSystemFailure(reason) << std::endl;
        return nullptr;
    }
    KeepShortPresses(window);
    return window;
}

// The largest 16:9 window, frame included, inside the primary monitor's work area (the screen
// less the desktop's panels).
PixelRect FittingPlace(GLFWwindow* window) {
    PixelRect work{0, 0, kWindowWidth, kWindowHeight};
    if (GLFWmonitor* monitor = glfwGetPrimaryMonitor()) {
        glfwGetMonitorWorkarea(monitor, &work.x, &work.y, &work.width, &work.height);
    }
    PixelRect frame;
    glfwGetWindowFrameSize(window, &frame.x, &frame.y, &frame.width, &frame.height);
    return LargestFilmWindowIn(work, frame);
}

}  // namespace

GLFWwindow* OpenMainWindow(std::ostream& err, bool visible) {
    std::string reason = StartWithContextHints(visible);
    return CreateFilmWindow(kWindowWidth, kWindowHeight, nullptr, reason, err);
}

GLFWwindow* OpenPlayerWindow(const WindowMode& mode, std::ostream& err) {
    switch (mode.kind) {
        case WindowMode::Kind::FilmSize:
            return OpenMainWindow(err);
        case WindowMode::Kind::Size: {
            std::string reason = StartWithContextHints(true);
            GLFWmonitor* monitor = glfwGetPrimaryMonitor();
            const GLFWvidmode* screen = monitor ? glfwGetVideoMode(monitor) : nullptr;
            const ScreenHold held = HoldToScreen(
                mode.width, mode.height, screen ? screen->width : 0, screen ? screen->height : 0);
            if (!held.line.empty()) err << held.line << std::endl;
            return CreateFilmWindow(held.width, held.height, nullptr, reason, err);
        }
        case WindowMode::Kind::FullScreen: {
            std::string reason = StartWithContextHints(true);
            GLFWmonitor* monitor = glfwGetPrimaryMonitor();
            const GLFWvidmode* screen = monitor ? glfwGetVideoMode(monitor) : nullptr;
            if (!screen) {
                err << "GLFW: "
                    << (reason.empty() ? "no monitor to show the film full screen on"
                                       : WindowSystemFailure(reason))
                    << std::endl;
                return nullptr;
            }
            // The monitor's own mode: no mode change, the desktop's full-screen window.
            glfwWindowHint(GLFW_RED_BITS, screen->redBits);
            glfwWindowHint(GLFW_GREEN_BITS, screen->greenBits);
            glfwWindowHint(GLFW_BLUE_BITS, screen->blueBits);
            glfwWindowHint(GLFW_REFRESH_RATE, screen->refreshRate);
            return CreateFilmWindow(screen->width, screen->height, monitor, reason, err);
        }
        case WindowMode::Kind::Fit: {
            // Hidden until placed: its frame is known only once it exists.
            GLFWwindow* window = CreateFilmWindow(kWindowWidth, kWindowHeight, nullptr,
                                                  StartWithContextHints(false), err);
            if (!window) return nullptr;
            const PixelRect place = FittingPlace(window);
            glfwSetWindowSize(window, place.width, place.height);
            glfwSetWindowPos(window, place.x, place.y);
            glfwShowWindow(window);
            return window;
        }
    }
    return nullptr;
}

void LoadGlEntryPoints(GLFWwindow* window) {
    glfwMakeContextCurrent(window);
    gladLoadGL(glfwGetProcAddress);
}

bool IsFullScreen(GLFWwindow* window) {
    return glfwGetWindowMonitor(window) != nullptr;
}

std::optional<std::string> ToggleFullScreen(GLFWwindow* window, PixelRect& windowed) {
    if (IsFullScreen(window)) {
        if (windowed.width == 0) windowed = FittingPlace(window);
        glfwSetWindowMonitor(window, nullptr, windowed.x, windowed.y, windowed.width,
                             windowed.height, GLFW_DONT_CARE);
        return "Window " + std::to_string(windowed.width) + "x" + std::to_string(windowed.height);
    }
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* screen = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (!screen) return std::nullopt;
    glfwGetWindowPos(window, &windowed.x, &windowed.y);
    glfwGetWindowSize(window, &windowed.width, &windowed.height);
    glfwSetWindowMonitor(window, monitor, 0, 0, screen->width, screen->height, screen->refreshRate);
    return "Full screen " + std::to_string(screen->width) + "x" + std::to_string(screen->height);
}
