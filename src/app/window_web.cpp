// The window is the page's canvas, opened at 1920x1080; from the first frame on the page sizes its
// drawing buffer for the size it is shown at (page_film_web.cpp). The context is WebGL2, which the
// browser's window library asks for through the link flags.
#include <emscripten/html5_webgl.h>

#include <ostream>

#include "app/window.h"
#include "app/window_system.h"
#include "gfx/pointer_input.h"

GLFWwindow* OpenMainWindow(std::ostream& err, bool visible) {
    if (!StartWindowSystem()) {
        err << "GLFW: the browser's window library did not start" << std::endl;
        return nullptr;
    }
    glfwWindowHint(GLFW_VISIBLE, visible ? GLFW_TRUE : GLFW_FALSE);
    GLFWwindow* window =
        glfwCreateWindow(kWindowWidth, kWindowHeight, "Lumenvale", nullptr, nullptr);
    if (!window) {
        err << "GLFW: this browser offers no WebGL2 context" << std::endl;
        return nullptr;
    }
    KeepShortPresses(window);
    return window;
}

namespace {

// WebGL2's own functions first: the general lookup answers some ES 3.0 names (the queries) with
// WebGL1 extension functions that a WebGL2 context does not have.
GLADapiproc WebGl2Function(const char* name) {
    if (void* function = emscripten_webgl2_get_proc_address(name)) {
        return reinterpret_cast<GLADapiproc>(function);
    }
    return glfwGetProcAddress(name);
}

}  // namespace

void LoadGlEntryPoints(GLFWwindow* window) {
    glfwMakeContextCurrent(window);
    gladLoadGLES2(WebGl2Function);
}
