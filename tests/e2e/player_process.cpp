#include "e2e/player_process.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "support/temp_files.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

std::string RunCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    std::array<char, 256> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe)) output += buffer.data();
    pclose(pipe);
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    return output;
}

fs::path MakeTempDirectory(const char* prefix) {
    std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

void SendDeleteWindow(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
}

// The program under test: LUMENVALE_PLAYER may name another way to start it (the Windows build
// under Wine does so), otherwise it is the Linux build.
const char* PlayerExecutable() {
    const char* player = std::getenv("LUMENVALE_PLAYER");
    return player && *player ? player : LUMENVALE_EXECUTABLE;
}

// No sound card here: the music player must fail cleanly or play into nothing. SDL's disk driver,
// when a test chooses it, writes what the player plays into `folder`, unless the test names its
// own file.
ChildProcess::Environment PlayerEnvironment(ChildProcess::Environment environment,
                                            const fs::path& folder) {
    const auto fallBackTo = [&](const std::string& name, const std::string& value) {
        for (const auto& variable : environment)
            if (variable.first == name) return;
        if (const char* own = std::getenv(name.c_str())) {
            environment.emplace_back(name, own);
        } else {
            environment.emplace_back(name, value);
        }
    };
    fallBackTo("SDL_AUDIODRIVER", "dummy");
    fallBackTo("SDL_DISKAUDIOFILE", (folder / "audio.raw").string());
    return environment;
}

}  // namespace

PlayerProcess::PlayerProcess(const fs::path& workingDirectory,
                             const std::vector<std::string>& arguments,
                             const std::vector<std::pair<std::string, std::string>>& environment)
    : program(PlayerExecutable(), arguments, workingDirectory,
              PlayerEnvironment(environment, audioFolder.path())) {}

bool PlayerProcess::WaitForWindow(std::chrono::seconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (Clock::now() < deadline) {
        if (WaitForExit(std::chrono::seconds(0))) return false;
        // --all: both conditions. Without it xdotool matches either, and finds other players'
        // windows; under Wine the process also owns hidden helper windows.
        windowId = RunCommand("xdotool search --all --pid " + std::to_string(program.Id()) +
                              " --name '^Lumenvale' 2>/dev/null | head -n 1");
        if (!windowId.empty()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

std::string PlayerProcess::Title() const {
    return RunCommand("xdotool getwindowname " + windowId + " 2>/dev/null");
}

bool PlayerProcess::WaitForTitleUpdates(int updates, std::chrono::seconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::string last = Title();
    while (updates > 0 && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const std::string now = Title();
        if (now != last) {
            --updates;
            last = now;
        }
    }
    return updates == 0;
}

void PlayerProcess::PressKey(const std::string& key, std::chrono::milliseconds hold) {
    RunCommand("xdotool keydown " + key);
    std::this_thread::sleep_for(hold);
    RunCommand("xdotool keyup " + key);
}

void PlayerProcess::Scroll(int notches) {
    RunCommand("xdotool mousemove --window " + windowId + " 960 540");
    const std::string button = notches > 0 ? "4" : "5";
    for (int i = 0; i < std::abs(notches); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        RunCommand("xdotool click " + button);
    }
}

void PlayerProcess::ResizeWindow(int width, int height) {
    RunCommand("xdotool windowsize " + windowId + " " + std::to_string(width) + " " +
               std::to_string(height));
}

void PlayerProcess::MoveMouse(int x, int y) {
    RunCommand("xdotool mousemove --window " + windowId + " " + std::to_string(x) + " " +
               std::to_string(y));
}

void PlayerProcess::Click(int button) {
    RunCommand("xdotool click " + std::to_string(button));
}

std::string PlayerProcess::MouseLocation() const {
    return RunCommand("xdotool getmouselocation --shell | head -2 | cut -d= -f2 | paste -sd' '");
}

void PlayerProcess::RequestClose() {
    SendDeleteWindow(std::stoul(windowId));
}

std::optional<int> PlayerProcess::WaitForExit(std::chrono::seconds timeout) {
    return program.WaitForExit(timeout);
}

bool PlayerProcess::WaitForOutput(const std::string& text, std::chrono::seconds timeout) {
    return program.WaitForOutput(text, 0, timeout);
}

bool PlayerProcess::WaitForOutputAfter(std::size_t from, const std::string& text,
                                       std::chrono::seconds timeout) {
    return program.WaitForOutput(text, from, timeout);
}

std::string PlayerProcess::AudioOutput() const {
    return ReadFile(audioFolder.path() / "audio.raw");
}

std::string PlayerProcess::StandardOutput() const {
    return program.StandardOutput();
}

std::string PlayerProcess::StandardError() const {
    return program.StandardError();
}

// The server names its display on the descriptor it is given: the first free one.
PrivateScreen::PrivateScreen(const std::string& size)
    : server("/usr/bin/Xvfb",
             {"-displayfd", "1", "-screen", "0", size + "x24", "-nolisten", "tcp", "-noreset"}) {
    if (const char* display = std::getenv("DISPLAY")) previousDisplay = display;
    if (!server.WaitForOutput("\n", 0, std::chrono::seconds(20))) return;
    std::string number = server.StandardOutput();
    number.erase(number.find('\n'));
    setenv("DISPLAY", (":" + number).c_str(), 1);
    ready = true;
}

PrivateScreen::~PrivateScreen() {
    if (previousDisplay) {
        setenv("DISPLAY", previousDisplay->c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }
}

Screenshot TakeScreenshot() {
    Screenshot shot;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return shot;
    const Window root = DefaultRootWindow(display);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, root, &attributes);
    XImage* image =
        XGetImage(display, root, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image) {
        shot.width = attributes.width;
        shot.height = attributes.height;
        shot.rgb.reserve(static_cast<std::size_t>(shot.width) * shot.height * 3);
        for (int y = 0; y < shot.height; ++y) {
            for (int x = 0; x < shot.width; ++x) {
                const unsigned long pixel = XGetPixel(image, x, y);
                for (const int shift : {16, 8, 0}) {
                    shot.rgb.push_back(static_cast<unsigned char>((pixel >> shift) & 0xff));
                }
            }
        }
        XDestroyImage(image);
    }
    XCloseDisplay(display);
    return shot;
}

bool PlayerRunsUnderWine() {
    const char* style = std::getenv("LUMENVALE_PLAYER_PATHS");
    return style && std::string(style) == "windows";
}

const std::vector<std::pair<std::string, std::string>>& WineTracesMciCalls() {
    static const std::vector<std::pair<std::string, std::string>> environment = {
        {"WINEDEBUG", "-all,trace+mci"}};
    return environment;
}

std::string MciOpenOf(const std::string& element) {
    return ":MCI_Open lpstrElementName=L\"" + element + "\"\n";
}

std::string PathAsThePlayerWritesIt(const fs::path& path) {
    if (!PlayerRunsUnderWine()) return path.string();
    std::string windowsPath = "Z:" + path.string();
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    return windowsPath;
}

fs::path MakeScratchRunDirectory() {
    const fs::path root = fs::current_path();
    const fs::path scratch = MakeTempDirectory("lumenvale-e2e-run-");
    fs::copy(root / "shaders", scratch / "shaders", fs::copy_options::recursive);
    const fs::path resources = fs::absolute(root / "resources");
    fs::create_directories(scratch / "resources");
    for (const auto& entry : fs::recursive_directory_iterator(resources)) {
        const fs::path target = scratch / "resources" / fs::relative(entry.path(), resources);
        if (entry.is_directory()) {
            fs::create_directories(target);
        } else {
            fs::create_symlink(entry.path(), target);
        }
    }
    return scratch;
}

std::optional<std::string> SoundCardCaptureCommand() {
    const char* command = std::getenv("LUMENVALE_MUSIC_CAPTURE");
    if (!command || !*command) return std::nullopt;
    return std::string(command);
}

std::vector<std::string> SoundCards() {
    std::vector<std::string> cards;
    std::istringstream list(
        std::getenv("LUMENVALE_SOUND_CARDS") ? std::getenv("LUMENVALE_SOUND_CARDS") : "");
    for (std::string card; std::getline(list, card, ',');)
        if (!card.empty()) cards.push_back(card);
    return cards;
}

SoundCardRecording::SoundCardRecording(const std::string& command, const fs::path& file,
                                       const std::string& card) {
    // The command names the card it records as PULSE_SINK, the variable a player's sound goes by.
    const std::string shell = (card.empty() ? "" : "PULSE_SINK='" + card + "'; ") + command +
                              " > '" + file.string() + "'";
    pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        execl("/bin/sh", "sh", "-c", shell.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
}

SoundCardRecording::~SoundCardRecording() {
    kill(-pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}
