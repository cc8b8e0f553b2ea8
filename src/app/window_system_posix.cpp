#include <GLFW/glfw3.h>

#include "app/window_system.h"

bool StartWindowSystem() {
    return glfwInit() == GLFW_TRUE;
}
