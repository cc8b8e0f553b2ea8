// lumenvale_capture OUTPUT_DIR [FILM_SECONDS...]
// Renders the film at the given moments (camera and sun as the film has them) into
// OUTPUT_DIR/frame_<seconds>.png and prints the mean time of a whole frame at 1920x1080.
#include <stb/stb_image_write.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/window.h"
#include "film_moment.h"
#include "gfx/camera.h"
#include "render/frame_renderer.h"
#include "render/scene.h"
#include "sequence/shot_tables.h"

namespace {

void WriteFrame(const std::filesystem::path& file) {
    std::vector<unsigned char> pixels(kWindowWidth * kWindowHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    stbi_flip_vertically_on_write(1);
    stbi_write_png(file.c_str(), kWindowWidth, kWindowHeight, 3, pixels.data(), kWindowWidth * 3);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: lumenvale_capture OUTPUT_DIR [FILM_SECONDS...]" << std::endl;
        return 2;
    }
    const std::filesystem::path outputDir = argv[1];
    std::filesystem::create_directories(outputDir);
    std::vector<float> moments;
    for (int i = 2; i < argc; ++i) moments.push_back(std::strtof(argv[i], nullptr));
    if (moments.empty()) moments = {12.0f, 40.0f, 68.0f, 100.0f};

    glfwInit();
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    GLFWwindow* window =
        glfwCreateWindow(kWindowWidth, kWindowHeight, "Lumenvale capture", nullptr, nullptr);
    if (!window) {
        std::cerr << "cannot open a window (run under xvfb-run)" << std::endl;
        return 1;
    }
    LoadGlEntryPoints(window);
    SetFixedViewport();
    try {
        Scene scene;
        glEnable(GL_DEPTH_TEST);
        FrameRenderer renderer(scene, std::cout);
        const std::vector<CameraShot> shots = MakeCameraShots();
        const std::vector<PathShot> fireflyPath = MakeFireflyPath();
        Camera camera(kWindowWidth, kWindowHeight, glm::vec3(0.0f));
        for (float moment : moments) {
            const FrameInputs frame = SetUpFilmMoment(scene, camera, shots, fireflyPath, moment);
            const SunState& sun = frame.sun;

            constexpr int kTimedFrames = 3;
            const auto start = std::chrono::steady_clock::now();
            for (int i = 0; i < kTimedFrames; ++i) {
                renderer.RenderShadowMap(sun);
                renderer.RenderScene(camera, frame);
                glFinish();
            }
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count() /
                kTimedFrames;
            char name[64];
            std::snprintf(name, sizeof name, "frame_%06.2f.png", moment);
            WriteFrame(outputDir / name);
            std::printf("%s: sun height %.2f, %.1f ms per frame\n", name, sun.sunHeight, ms);
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
        return 1;
    }
    glfwTerminate();
    return 0;
}
