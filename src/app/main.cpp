// Lumenvale: builds the scene once, in a fixed order, then plays it frame by frame until the
// window is closed.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/film.h"
#include "app/film_export.h"
#include "app/film_session.h"
#include "app/frame_loop.h"
#include "app/playback_clock.h"
#include "app/run_directory_hint.h"
#include "app/window.h"
#include "app/window_output.h"
#include "base/console.h"
#include "render/pass_states.h"
#include "render/render_scale.h"
#include "sequence/film_length.h"
#include "sequence/sequence_player.h"
#include "sequence/shot_tables.h"

namespace {

// One line for a window an option asked for; the film's own window goes without.
void TellWindowMode(GLFWwindow* window, const WindowMode& mode, std::ostream& out) {
    if (!mode.FitsPictureToWindow()) return;
    int width = 0, height = 0;
    glfwGetWindowSize(window, &width, &height);
    out << WindowModeLine(mode, width, height) << std::endl;
}

// The player's window at the size the options ask for; null after saying why.
GLFWwindow* OpenFilmWindow(const WindowMode& mode, const Console& console) {
    GLFWwindow* window = OpenPlayerWindow(mode, console.err);
    if (window) TellWindowMode(window, mode, console.out);
    return window;
}

// The music player on its device, with the film's music loaded.
void StartMusicPlayer(AudioManager& audio, std::ostream& out) {
    audio.Initialize();
    out << (audio.LoadMusic(Film::kMusicPath) ? "Background music loaded successfully"
                                              : "Warning: Failed to load background music")
        << std::endl;
}

// Start-up, the frame loop, then shutdown.
int PlayFilm(const CommandLineOptions& options, const Console& console) {
    // On the heap: a browser's page plays the film on after the start-up has returned.
    auto session = std::make_unique<FilmSession>(
        [&](std::ostream&) { return OpenFilmWindow(options.windowMode, console); }, console);
    if (!session->Open()) throw StartupFailure("Failed to create GLFW window");
    GLFWwindow* window = session->Window();
    Film& film = session->BuildFilm(kWindowWidth, kWindowHeight, MakePlaybackClock());
    ListenToScrollWheel(window, film.camera, console.out);
    StartMusicPlayer(film.audio, console.out);
    ApplyPassState(pass_states::kFrame);
    auto output = std::make_unique<WindowOutput>(window);
    auto loop = std::make_unique<FrameLoop>(window, film, *output, console, options.renderScale);
    if (options.from) loop->StartFrom(*options.from);
    if (options.windowMode.FitsPictureToWindow()) loop->FitPictureToWindow();

    loop->Run();

    loop.reset();
    session.reset();
    return 0;
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
                                        SequencePlayer::FrameCount(MakeFilmTimeline(), fps), fps)) {
            return RejectCommandLine(CommandLineError{"lumenvale: " + *error}, console);
        }
    }
    return PlayFilmOrFail(command.options, console);
}
