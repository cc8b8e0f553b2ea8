// lumenvale_bench [--frames N] [--render-scale S] [--full-path] [FILM_SECONDS...]
// lumenvale_bench --film [--render-scale S|auto]
// Renders the film at fixed moments at 1920x1080 with the real renderer and prints, as medians
// over N frames: the whole frame with and without its swap, each pass on its own (glFinish
// around it), and, interleaved in the same run, the floor of this renderer (a clear and one
// bilinear-textured full-screen quad) with the ratio of each moment's frame to it. --full-path
// also times, interleaved, the same frames with every shortcut of the renderer switched off.
// --film plays the whole film through the player's frame loop, on the clock of its own frames and
// with the adaptive render scale (or the one given), with a floor frame after every eighth frame,
// and prints each shot's median frame, its scale and its ratio to the floor, then the whole film's.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/film_session.h"
#include "app/frame_loop.h"
#include "app/window.h"
#include "app/window_system.h"
#include "film_moment.h"
#include "floor_frame.h"
#include "render/frame_renderer.h"
#include "render/render_scale.h"
#include "render/render_target.h"
#include "sequence/film_timeline.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// Finishes the GL work of each pass as it ends and books its time under the pass's name.
class PassTimer : public PassObserver {
  public:
    void Start() {
        glFinish();
        last = Clock::now();
    }
    void PassEnded(const char* pass) override {
        glFinish();
        times[pass].push_back(Milliseconds(last));
        if (std::find(order.begin(), order.end(), pass) == order.end()) order.push_back(pass);
        last = Clock::now();
    }
    std::map<std::string, std::vector<double>> times;
    std::vector<std::string> order;

  private:
    Clock::time_point last;
};

struct MomentTimes {
    std::vector<double> frame, frameWithSwap, floor, floorWithSwap, fullPath;
    PassTimer passes;
};

struct Options {
    int frames = 7;
    RenderScaleControl scale = RenderScaleControl::Fixed(1.0f);
    bool compareFullPath = false;
    bool wholeFilm = false;
    std::vector<float> moments;
};

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) {
            options.frames = std::atoi(argv[++i]);
            if (options.frames < 1) return false;
        } else if (std::strcmp(argv[i], "--full-path") == 0) {
            options.compareFullPath = true;
        } else if (std::strcmp(argv[i], "--film") == 0) {
            options.wholeFilm = true;
            options.scale = RenderScaleControl::Adaptive();
        } else if (std::strcmp(argv[i], "--render-scale") == 0 && i + 1 < argc) {
            const auto scale = ParseRenderScale(argv[++i]);
            if (!scale || (scale->IsAdaptive() && !options.wholeFilm)) return false;
            options.scale = *scale;
        } else {
            char* end = nullptr;
            options.moments.push_back(std::strtof(argv[i], &end));
            if (end == argv[i] || *end != '\0') return false;
        }
    }
    // The four measured moments and the middle of the first shot.
    if (options.moments.empty()) options.moments = {4.0f, 12.0f, 40.0f, 74.0f, 100.0f};
    return true;
}

GLFWwindow* OpenBenchWindow() {
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    return glfwCreateWindow(kWindowWidth, kWindowHeight, "Lumenvale bench", nullptr, nullptr);
}

void PrintReport(const Options& options, const std::vector<MomentTimes>& times) {
    std::printf("Frame benchmark, %dx%d window, render scale %.2f, medians of %d frames (ms)\n",
                kWindowWidth, kWindowHeight, options.scale.Current(), options.frames);
    std::printf("%-18s", "moment (s)");
    for (float moment : options.moments) std::printf("%9.1f", moment);
    const auto row = [&](const char* name, const std::function<double(const MomentTimes&)>& value) {
        std::printf("\n%-18s", name);
        for (const MomentTimes& moment : times) std::printf("%9.1f", value(moment));
    };
    row("frame", [](const MomentTimes& m) { return Median(m.frame); });
    row("frame + swap", [](const MomentTimes& m) { return Median(m.frameWithSwap); });
    row("floor", [](const MomentTimes& m) { return Median(m.floor); });
    row("floor + swap", [](const MomentTimes& m) { return Median(m.floorWithSwap); });
    std::printf("\n%-18s", "ratio (with swap)");
    for (const MomentTimes& m : times)
        std::printf("%9.2f", Median(m.frameWithSwap) / Median(m.floorWithSwap));
    std::printf("\n%-18s", "ratio (no swap)");
    for (const MomentTimes& m : times) std::printf("%9.2f", Median(m.frame) / Median(m.floor));
    if (options.compareFullPath) {
        row("full path", [](const MomentTimes& m) { return Median(m.fullPath); });
        row("saved (%)", [](const MomentTimes& m) {
            return 100.0 * (1.0 - Median(m.frame) / Median(m.fullPath));
        });
    }
    // Passes in the order they first ran: a night moment skips the shadow map.
    std::vector<std::string> passes;
    for (const MomentTimes& m : times) {
        for (const std::string& pass : m.passes.order) {
            const auto at = std::find(passes.begin(), passes.end(), pass);
            if (at == passes.end()) passes.push_back(pass);
        }
    }
    std::printf("\npasses, each finished on its own:");
    for (const std::string& pass : passes) {
        row(pass.c_str(), [&](const MomentTimes& m) {
            const auto found = m.passes.times.find(pass);
            return found == m.passes.times.end() ? 0.0 : Median(found->second);
        });
    }
    std::printf("\n");
}

// The film's clock in the bench: it runs on the time the film's own frames take, so that the
// floor frames between them take none of the film's.
class FrameTimeClock final : public ::Clock {
  public:
    double Now() const override { return now; }
    void Add(double seconds) { now += seconds; }

  private:
    double now = 0.0;
};

// Shows each frame in the window and times it from its start to the end of its swap.
class TimedWindowOutput final : public FrameOutput {
  public:
    explicit TimedWindowOutput(GLFWwindow* window) : window(window) {}
    void Start() {
        glFinish();
        start = Clock::now();
    }
    bool WantsPicture() const override { return true; }
    void Present() override {
        glfwSwapBuffers(window);
        glFinish();
        took = Milliseconds(start);
        glfwPollEvents();
    }
    double took = 0.0;  // milliseconds

  private:
    GLFWwindow* window;
    Clock::time_point start;
};

// Plays the film from its start to its end through the player's frame loop, on the clock of its
// own frames: each frame's film time is the last one's plus the time that frame took.
void PlayWholeFilm(Film& film, FrameTimeClock& clock, FloorFrame& floor, GLFWwindow* window,
                   RenderScaleControl scale) {
    TimedWindowOutput output(window);
    std::ostream quiet(nullptr);  // the film's lines would break the tables
    FrameLoop loop(window, film, output, Console{quiet, std::cerr}, scale);
    const SequencePlayer& sequence = loop.Sequence();
    struct Shot {
        std::vector<double> frames, scales;
    };
    std::vector<Shot> perShot(film.timeline.CameraShots().size());
    std::vector<double> allFrames, floorFrames;
    std::vector<std::pair<double, float>> firstSeconds;  // film time and scale, while it settles
    bool sceneDrawnBefore = false;
    for (int frameNumber = 0; !sequence.sequenceComplete; ++frameNumber) {
        const double filmTime = sequence.FilmPosition();
        output.Start();
        loop.RunFrame();
        const double took = output.took;
        // The first frame that draws the scene compiles the driver's code paths (frames under
        // the whole fade draw none of them).
        const bool drewScene = sequence.fadeAlpha < FrameRenderer::kOpaqueFade;
        if (drewScene && sceneDrawnBefore) {
            const size_t shot = static_cast<size_t>(sequence.shotIndex);
            perShot[shot].frames.push_back(took);
            perShot[shot].scales.push_back(loop.RenderScale());
            allFrames.push_back(took);
        }
        sceneDrawnBefore = sceneDrawnBefore || drewScene;
        if (filmTime < 3.0) firstSeconds.emplace_back(filmTime, loop.RenderScale());
        clock.Add(took / 1000.0);
        if (frameNumber % 8 == 7) {
            glFinish();
            const auto floorStart = Clock::now();
            floor.Draw();
            glfwSwapBuffers(window);
            glFinish();
            floorFrames.push_back(Milliseconds(floorStart));
        }
    }
    const double floorMedian = Median(floorFrames);
    std::printf(
        "Whole film, %dx%d window, render scale %s, frame + swap (ms), floor + swap %.1f ms "
        "(median of %zu)\n",
        kWindowWidth, kWindowHeight, scale.IsAdaptive() ? "auto" : "fixed", floorMedian,
        floorFrames.size());
    std::printf("scale while settling (film s: scale):");
    for (const auto& [time, atScale] : firstSeconds) std::printf(" %.2f:%.2f", time, atScale);
    std::printf("\n%-6s%8s%9s%8s%7s\n", "shot", "frames", "median", "ratio", "scale");
    for (size_t i = 0; i < perShot.size(); ++i) {
        if (perShot[i].frames.empty()) continue;
        const double median = Median(perShot[i].frames);
        std::printf("%-6zu%8zu%9.1f%8.2f%7.2f\n", i, perShot[i].frames.size(), median,
                    median / floorMedian, Median(perShot[i].scales));
    }
    const double median = Median(allFrames);
    std::printf("%-6s%8zu%9.1f%8.2f\n", "film", allFrames.size(), median, median / floorMedian);
}

// Renders each moment round after round, with the floor and the passes, and prints the table.
void MeasureMoments(Film& film, FrameRenderer& renderer, FloorFrame& floor, GLFWwindow* window,
                    const Options& options) {
    Camera& camera = film.camera;
    OffscreenTarget offscreen;
    PictureScaler scaler(std::cerr);
    const PictureSize size = ScaledSize(kWindowWidth, kWindowHeight, options.scale.Current());
    const bool scaled = size.width != kWindowWidth || size.height != kWindowHeight;
    if (scaled) offscreen.Resize(size.width, size.height);
    const FrameTarget target = scaled ? offscreen.Target() : FrameTarget::Window();

    std::vector<MomentTimes> times(options.moments.size());
    renderer.shortcuts.holdShadowMap = false;  // each moment is a still of its own
    // Round after round over every moment, so that a busy spell of the machine weighs on
    // the film and the floor alike.
    for (int round = -1; round < options.frames; ++round) {
        for (size_t m = 0; m < options.moments.size(); ++m) {
            const FrameInputs frame = SetUpFilmMoment(film, options.moments[m]);
            const auto drawFrame = [&] {
                renderer.RenderShadowMap(frame.sun, &camera, options.scale.Current());
                renderer.RenderScene(camera, frame, target);
                if (scaled) scaler.PresentToWindow(offscreen);
            };
            MomentTimes& moment = times[m];
            const bool warmUp = round < 0;  // first use compiles the driver's code paths

            glFinish();
            auto start = Clock::now();
            floor.Draw();
            glFinish();
            const double floorOnly = Milliseconds(start);
            glfwSwapBuffers(window);
            glFinish();
            const double floorWithSwap = Milliseconds(start);

            start = Clock::now();
            drawFrame();
            glFinish();
            const double frameOnly = Milliseconds(start);
            glfwSwapBuffers(window);
            glFinish();
            const double frameWithSwap = Milliseconds(start);
            glfwPollEvents();

            if (options.compareFullPath) {
                renderer.shortcuts = RenderShortcuts::None();
                glFinish();
                start = Clock::now();
                drawFrame();
                glFinish();
                if (!warmUp) moment.fullPath.push_back(Milliseconds(start));
                renderer.shortcuts = RenderShortcuts();
                renderer.shortcuts.holdShadowMap = false;
            }

            renderer.SetPassObserver(warmUp ? nullptr : &moment.passes);
            moment.passes.Start();
            drawFrame();
            renderer.SetPassObserver(nullptr);
            if (warmUp) continue;
            moment.floor.push_back(floorOnly);
            moment.floorWithSwap.push_back(floorWithSwap);
            moment.frame.push_back(frameOnly);
            moment.frameWithSwap.push_back(frameWithSwap);
        }
    }
    PrintReport(options, times);
    offscreen.Delete();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::cerr << "usage: lumenvale_bench [--frames N] [--render-scale 0.35..1] [--full-path] "
                     "[FILM_SECONDS...]\n       lumenvale_bench --film [--render-scale "
                     "0.35..1|auto]"
                  << std::endl;
        return 2;
    }
    FilmSession session(
        [](std::ostream&) { return StartWindowSystem() ? OpenBenchWindow() : nullptr; },
        Console{std::cout, std::cerr});
    if (!session.Open()) {
        std::cerr << "cannot open a window (run under xvfb-run)" << std::endl;
        return 1;
    }
    try {
        if (options.wholeFilm) {
            auto clock = std::make_unique<FrameTimeClock>();
            FrameTimeClock& frameTime = *clock;
            Film& film = session.BuildFilm(kWindowWidth, kWindowHeight, std::move(clock));
            FloorFrame floor;
            PlayWholeFilm(film, frameTime, floor, session.Window(), options.scale);
            return 0;
        }
        std::ostringstream frameLines;  // the star line would break the tables
        Film& film = session.BuildFilm(kWindowWidth, kWindowHeight, MakeMomentClock(),
                                       options.compareFullPath);
        FloorFrame floor;
        FrameRenderer renderer(film.scene, Console{frameLines, std::cerr});
        MeasureMoments(film, renderer, floor, session.Window(), options);
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
        return 1;
    }
    return 0;
}
