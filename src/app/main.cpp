// Lumenvale: builds the scene once, in a fixed order, then plays it frame by frame until the
// window is closed.
#include <cstring>
#include <iostream>

#include "app/clock.h"
#include "app/frame_loop.h"
#include "app/window.h"
#include "audio/audio_manager.h"
#include "gfx/camera.h"
#include "render/render_scale.h"
#include "render/scene.h"
#include "sequence/shot_tables.h"

namespace {

// The one option: "--render-scale auto" (the default) or "--render-scale S" with S in [0.5, 1].
std::optional<RenderScaleControl> ReadOptions(int argc, char** argv) {
    if (argc == 1) return RenderScaleControl::Adaptive();
    if (argc == 3 && std::strcmp(argv[1], "--render-scale") == 0) return ParseRenderScale(argv[2]);
    return std::nullopt;
}

// Start-up, the frame loop, then shutdown.
int PlayFilm(RenderScaleControl renderScale) {
    GLFWwindow* window = OpenMainWindow();
    if (!window) throw StartupFailure("Failed to create GLFW window");
    LoadGlEntryPoints(window);
    SetFixedViewport();

    // Shadow target, screen quad, programs, textures, water, models, plants, firefly, sky
    // objects and the start-up uniforms, in that order.
    Scene scene;

    const std::vector<CameraShot> cameraShots = MakeCameraShots();
    const std::vector<PathShot> fireflyPath = MakeFireflyPath();

    Camera camera(kWindowWidth, kWindowHeight, glm::vec3(0.0f, 0.0f, 2.0f));
    g_camera = &camera;
    glfwSetScrollCallback(window, scroll_callback);

    AudioManager audio;
    audio.Initialize();
    std::cout << (audio.LoadMusic("resources/audio/cin.wav")
                      ? "Background music loaded successfully"
                      : "Warning: Failed to load background music")
              << std::endl;

    glEnable(GL_DEPTH_TEST);

    GlfwClock clock;
    FrameLoop(window, Film{scene, camera, audio, cameraShots, fireflyPath}, clock, std::cout,
              renderScale)
        .Run();

    DeleteShaderPrograms(scene.programs);
    glDeleteVertexArrays(1, &scene.stars.starVAO);
    glDeleteBuffers(1, &scene.stars.starVBO);
    glDeleteVertexArrays(1, &scene.screenQuad.screenQuadVAO);
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;  // the music player closes its device first as the locals go, in reverse order
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<RenderScaleControl> renderScale = ReadOptions(argc, argv);
    if (!renderScale) {
        std::cerr << "usage: lumenvale [--render-scale auto|S]  (S from 0.5 to 1)" << std::endl;
        return 2;
    }
    try {
        return PlayFilm(*renderScale);
    } catch (const StartupFailure& failure) {
        std::cout << failure.what() << std::endl;
    } catch (const ShaderFileError& error) {
        std::cerr << error.what() << std::endl;
    }
    glfwTerminate();
    return -1;
}
