// Lumenvale: builds the scene once, in a fixed order, then plays it frame by frame until the
// window is closed.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/clock.h"
#include "app/command_line.h"
#include "app/frame_loop.h"
#include "app/frame_output.h"
#include "app/playback_clock.h"
#include "app/run_directory_hint.h"
#include "app/window.h"
#include "audio/audio_manager.h"
#include "export/film_export.h"
#include "gfx/camera.h"
#include "gfx/console.h"
#include "render/pass_states.h"
#include "render/render_scale.h"
#include "render/scene.h"
#include "sequence/film_length.h"
#include "sequence/shot_tables.h"

namespace {

// What a playing film holds, built in this order: the scene (shadow target, screen quad,
// programs, textures, water, models, plants, firefly, sky objects and the start-up uniforms),
// then its scripted moves, its camera and its music. It lives on the heap: a browser's page
// plays it on after the start-up has returned.
struct FilmState {
    explicit FilmState(const Console& console) : scene(console), audio(console) {}

    Scene scene;
    const std::vector<CameraShot> cameraShots = MakeCameraShots();
    const std::vector<PathShot> fireflyPath = MakeFireflyPath();
    Camera camera{kWindowWidth, kWindowHeight, glm::vec3(0.0f, 0.0f, 2.0f)};
    AudioManager audio;
    std::unique_ptr<Clock> clock = MakePlaybackClock();
};

// One line for a window an option asked for; the film's own window goes without.
void TellWindowMode(GLFWwindow* window, const WindowMode& mode, std::ostream& out) {
    if (!mode.FitsPictureToWindow()) return;
    int width = 0, height = 0;
    glfwGetWindowSize(window, &width, &height);
    out << WindowModeLine(mode, width, height) << std::endl;
}

// Start-up, the frame loop, then shutdown.
int PlayFilm(const CommandLineOptions& options, const Console& console) {
    GLFWwindow* window = OpenPlayerWindow(options.windowMode, console.err);
    if (!window) throw StartupFailure("Failed to create GLFW window");
    TellWindowMode(window, options.windowMode, console.out);
    LoadGlEntryPoints(window);
    SetFixedViewport();

    auto film = std::make_unique<FilmState>(console);
    ListenToScrollWheel(window, film->camera, console.out);

    film->audio.Initialize();
    console.out << (film->audio.LoadMusic("resources/audio/cin.wav")
                        ? "Background music loaded successfully"
                        : "Warning: Failed to load background music")
                << std::endl;

    ApplyPassState(pass_states::kFrame);

    auto output = std::make_unique<WindowOutput>(window);
    auto loop = std::make_unique<FrameLoop>(
        window, Film{film->scene, film->camera, film->audio, film->cameraShots, film->fireflyPath},
        *film->clock, *output, console, options.renderScale);
    if (options.from) loop->StartFrom(*options.from);
    if (options.windowMode.FitsPictureToWindow()) loop->FitPictureToWindow();
    loop->Run();

    loop.reset();
    DeleteShaderPrograms(film->scene.programs);
    glDeleteVertexArrays(1, &film->scene.stars.starVAO);
    glDeleteBuffers(1, &film->scene.stars.starVBO);
    glDeleteVertexArrays(1, &film->scene.screenQuad.screenQuadVAO);
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;  // the music player closes its device first as the film goes
}

int PlayFilmOrFail(const CommandLineOptions& options, const Console& console) {
    try {
        return PlayFilm(options, console);
    } catch (const StartupFailure& failure) {
        console.out << failure.what() << std::endl;
    } catch (const ShaderFileError& error) {
        console.err << error.what() << std::endl;
        std::error_code unknown;
        if (error.programFileMissing)
            console.err << RunDirectoryHint(std::filesystem::current_path(unknown)) << std::endl;
    }
    glfwTerminate();
    return -1;
}

int RejectCommandLine(const CommandLineError& error, const Console& console) {
    console.err << error.message << std::endl;
    if (error.showUsage) console.err << UsageLine() << std::endl;
    return error.status;
}

}  // namespace

int main(int argc, char** argv) {
    const Console console{std::cout, std::cerr};
    const ParsedCommandLine command =
        ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (command.error) return RejectCommandLine(*command.error, console);
    switch (command.options.action) {
        case CommandLineOptions::Action::Help:
            console.out << HelpText();
            return 0;
        case CommandLineOptions::Action::Version:
            console.out << VersionText() << std::endl;
            return 0;
        case CommandLineOptions::Action::Export:
            return ExportFilm(command.options, console);
        case CommandLineOptions::Action::Play:
            break;
    }
    if (command.options.from) {
        const int fps = command.options.fps;
        if (auto error = FilmStartError(*command.options.from,
                                        FilmFrameCount(MakeCameraShots(), fps), fps)) {
            return RejectCommandLine(CommandLineError{"lumenvale: " + *error}, console);
        }
    }
    return PlayFilmOrFail(command.options, console);
}
