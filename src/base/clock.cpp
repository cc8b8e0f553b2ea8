#include "base/clock.h"

#include <GLFW/glfw3.h>

double GlfwClock::Now() const {
    return glfwGetTime();
}
