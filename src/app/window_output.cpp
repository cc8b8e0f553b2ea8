#include "app/window_output.h"

void WindowOutput::Present() {
    glfwSwapBuffers(window);
    glfwPollEvents();
}
