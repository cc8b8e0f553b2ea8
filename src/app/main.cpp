// Lumenvale: builds the scene once, in a fixed order, then plays it frame by frame until the
// window is closed.
#include <iostream>

#include "app/clock.h"
#include "app/frame_loop.h"
#include "app/window.h"
#include "gfx/camera.h"
#include "render/scene.h"

namespace {

// Start-up, the frame loop, then shutdown.
int PlayFilm() {
    GLFWwindow* window = OpenMainWindow();
    if (!window) throw StartupFailure("Failed to create GLFW window");
    LoadGlEntryPoints(window);
    SetFixedViewport();

    // Shadow target, screen quad, programs, textures, water, models, plants, firefly, sky
    // objects and the start-up uniforms, in that order.
    Scene scene;

    Camera camera(kWindowWidth, kWindowHeight, glm::vec3(0.0f, 0.0f, 2.0f));
    g_camera = &camera;
    glfwSetScrollCallback(window, scroll_callback);

    glEnable(GL_DEPTH_TEST);

    GlfwClock clock;
    FrameLoop(window, scene, camera, clock, std::cout).Run();

    DeleteShaderPrograms(scene.programs);
    glDeleteVertexArrays(1, &scene.stars.starVAO);
    glDeleteBuffers(1, &scene.stars.starVBO);
    glDeleteVertexArrays(1, &scene.screenQuad.screenQuadVAO);
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}

}  // namespace

int main() {
    try {
        return PlayFilm();
    } catch (const StartupFailure& failure) {
        std::cout << failure.what() << std::endl;
    } catch (const ShaderFileError& error) {
        std::cerr << error.what() << std::endl;
    }
    glfwTerminate();
    return -1;
}
