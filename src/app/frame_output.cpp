#include "app/frame_output.h"

void WindowOutput::Present() {
    glfwSwapBuffers(window);
    glfwPollEvents();
}
