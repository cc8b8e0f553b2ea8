// In the browser the window library cannot move the cursor or hide it: the page locks the
// pointer while the left button is held, and the cursor position then adds up the mouse's
// movements. Keys are latched by a callback, since the browser's library has no sticky keys.
#include <array>

#include "gfx/pointer_input.h"

namespace {

// Keys pressed since they were last read.
std::array<bool, GLFW_KEY_LAST + 1> latched{};
glm::dvec2 lastCursor(0.0);

void LatchPress(GLFWwindow* /*window*/, int key, int /*scancode*/, int action, int /*mods*/) {
    if (action == GLFW_PRESS && key >= 0 && key <= GLFW_KEY_LAST) latched[key] = true;
}

}  // namespace

void KeepShortPresses(GLFWwindow* window) {
    glfwSetKeyCallback(window, LatchPress);
}

bool KeyDown(GLFWwindow* window, int key) {
    const bool pressed = key >= 0 && key <= GLFW_KEY_LAST && latched[key];
    if (pressed) latched[key] = false;
    return pressed || glfwGetKey(window, key) == GLFW_PRESS;
}

std::optional<glm::dvec2> DragLookPosition(GLFWwindow* window, bool& firstClick, int width,
                                           int height) {
    if (glfwGetMouseButton(window, GLFW_MOUSE_BUTTON_LEFT) != GLFW_PRESS) {
        firstClick = true;
        return std::nullopt;
    }
    glm::dvec2 cursor(0.0);
    glfwGetCursorPos(window, &cursor.x, &cursor.y);
    if (firstClick) {
        lastCursor = cursor;
        firstClick = false;
    }
    const glm::dvec2 moved = cursor - lastCursor;
    lastCursor = cursor;
    return glm::dvec2(width / 2, height / 2) + moved;
}
