#include "support/gl_context.h"

#include <cstdlib>
#include <string>

#include "app/window_system.h"

namespace {
GLFWwindow* g_window = nullptr;
bool g_tried = false;
std::string g_lastError;

GLFWwindow* CreateHiddenWindow() {
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    return glfwCreateWindow(1920, 1080, "Lumenvale test", nullptr, nullptr);
}
}  // namespace

void GlTest::SetUpTestSuite() {
    if (g_tried) return;
    g_tried = true;
    glfwSetErrorCallback([](int, const char* description) { g_lastError = description; });
    if (!StartWindowSystem()) return;
    g_window = CreateHiddenWindow();
    if (!g_window) return;
    glfwMakeContextCurrent(g_window);
    if (!gladLoadGL(glfwGetProcAddress)) g_window = nullptr;
    // The process exit tears the context down; tests never destroy it.
    std::atexit([] { glfwTerminate(); });
}

void GlTest::SetUp() {
    if (!g_window) {
        GTEST_FAIL() << "no OpenGL 3.3 core context (is DISPLAY set? run under Xvfb): "
                     << g_lastError;
    }
    glViewport(0, 0, 1920, 1080);
}

GLFWwindow* GlTest::window() {
    return g_window;
}
