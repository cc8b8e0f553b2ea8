// Lumenvale: builds the scene once, in a fixed order, then plays it frame by frame until the
// window is closed.
#include <iostream>

#include "app/clock.h"
#include "app/frame_loop.h"
#include "app/scene.h"
#include "app/shader_programs.h"
#include "app/window.h"
#include "gfx/camera.h"

namespace {

int FailStartup(const char* message) {
    std::cout << message << std::endl;
    glfwTerminate();
    return -1;
}

}  // namespace

// The start-up order, the frame loop, then shutdown.
int PlayFilm() {
    GLFWwindow* window = OpenMainWindow();
    if (!window) return FailStartup("Failed to create GLFW window");
    LoadGlEntryPoints(window);
    SetFixedViewport();

    Scene scene{BuildShaderPrograms()};

    Camera camera(kWindowWidth, kWindowHeight, glm::vec3(0.0f, 0.0f, 2.0f));
    g_camera = &camera;
    glfwSetScrollCallback(window, scroll_callback);

    glEnable(GL_DEPTH_TEST);

    GlfwClock clock;
    FrameLoop loop(window, scene, camera, clock);
    loop.Run();

    DeleteShaderPrograms(scene.programs);
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}

int main() {
    try {
        return PlayFilm();
    } catch (const ShaderFileError& error) {
        std::cerr << error.what() << std::endl;
        glfwTerminate();
        return -1;
    }
}
