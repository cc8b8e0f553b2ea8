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

}  // namespace

GLFWwindow* OpenMainWindow(std::ostream& err, bool visible) {
    // A failed initialisation shows up as the missing window below; its reason is the one to give.
    std::string reason = StartWindowSystem() ? "" : LastGlfwError();
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, visible ? GLFW_TRUE : GLFW_FALSE);
    GLFWwindow* window =
        glfwCreateWindow(kWindowWidth, kWindowHeight, "Lumenvale", nullptr, nullptr);
    if (!window) {
        if (reason.empty()) reason = LastGlfwError();
        if (!reason.empty()) err << "GLFW: " << reason << std::endl;
        return nullptr;
    }
    KeepShortPresses(window);
    return window;
}

void LoadGlEntryPoints(GLFWwindow* window) {
    glfwMakeContextCurrent(window);
    gladLoadGL(glfwGetProcAddress);
}
