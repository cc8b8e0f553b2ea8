#include "app/frame_driver.h"

void DriveFrames(GLFWwindow* window, std::function<void()> frame) {
    while (!glfwWindowShouldClose(window)) frame();
}
