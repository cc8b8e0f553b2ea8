#include "app/window.h"

GLFWwindow* OpenMainWindow() {
    glfwInit();  // a failure shows up as the missing window below
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    GLFWwindow* window =
        glfwCreateWindow(kWindowWidth, kWindowHeight, "Lumenvale", nullptr, nullptr);
    if (window) {
        // Keys and the mouse are polled once per frame; at a few frames per second a tap that
        // begins and ends between two polls would otherwise be lost.
        glfwSetInputMode(window, GLFW_STICKY_KEYS, GLFW_TRUE);
        glfwSetInputMode(window, GLFW_STICKY_MOUSE_BUTTONS, GLFW_TRUE);
    }
    return window;
}

void LoadGlEntryPoints(GLFWwindow* window) {
    glfwMakeContextCurrent(window);
    gladLoadGL(glfwGetProcAddress);
}

void SetFixedViewport() {
    glViewport(0, 0, kWindowWidth, kWindowHeight);
}
