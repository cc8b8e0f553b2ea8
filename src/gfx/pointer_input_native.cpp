#include "gfx/pointer_input.h"

void KeepShortPresses(GLFWwindow* window) {
    glfwSetInputMode(window, GLFW_STICKY_KEYS, GLFW_TRUE);
    glfwSetInputMode(window, GLFW_STICKY_MOUSE_BUTTONS, GLFW_TRUE);
}

bool KeyDown(GLFWwindow* window, int key) {
    return glfwGetKey(window, key) == GLFW_PRESS;
}

std::optional<glm::dvec2> DragLookPosition(GLFWwindow* window, bool& firstClick, int width,
                                           int height) {
    const int button = glfwGetMouseButton(window, GLFW_MOUSE_BUTTON_LEFT);
    if (button == GLFW_PRESS) {
        glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
        if (firstClick) {
            glfwSetCursorPos(window, width / 2, height / 2);
            firstClick = false;
        }
        glm::dvec2 cursor(0.0);
        glfwGetCursorPos(window, &cursor.x, &cursor.y);
        glfwSetCursorPos(window, width / 2, height / 2);
        return cursor;
    }
    if (button == GLFW_RELEASE) {
        glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
        firstClick = true;
    }
    return std::nullopt;
}
