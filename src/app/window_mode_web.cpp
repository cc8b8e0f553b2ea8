// The page is the browser's window: it has one size, and the page itself takes it full screen.
#include "app/window.h"

GLFWwindow* OpenPlayerWindow(const WindowMode& /*mode*/, std::ostream& err) {
    return OpenMainWindow(err);
}

bool IsFullScreen(GLFWwindow* /*window*/) {
    return false;
}

std::optional<std::string> ToggleFullScreen(GLFWwindow* /*window*/, PixelRect& /*windowed*/) {
    return std::nullopt;
}
