#include <GLFW/glfw3.h>
#include <windows.h>

#include "app/window_system.h"

bool StartWindowSystem() {
    // GLFW loads the game-controller library on start and frees it on glfwTerminate. Wine's copy
    // runs a device thread that may still be leaving the library's code when the last reference
    // goes, and the program then dies on closing. A reference of our own, never released, keeps
    // the library mapped until the process ends; on Windows itself it only costs the mapping.
    LoadLibraryA("xinput1_4.dll");
    return glfwInit() == GLFW_TRUE;
}

std::string WindowSystemFailure(const std::string& reason) {
    return reason;
}
