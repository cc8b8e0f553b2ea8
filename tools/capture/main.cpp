// lumenvale_capture OUTPUT_DIR [FILM_SECONDS...]
//   Renders the film at the given moments into OUTPUT_DIR/frame_<seconds>.png and prints the
//   mean time of a whole frame at 1920x1080.
// lumenvale_capture --sheet FILE [TILE_WIDTH]
//   Renders the middle of each shot into one labelled grid (PNG, or JPEG for .jpg/.jpeg), five
//   tiles to a row, each TILE_WIDTH pixels wide (default 384).
// Either form may start with --render-scale S (0.35 to 1): the 3D passes then draw at that share
// of the window and the picture is scaled up to it, as the player does when it cannot keep up.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/film_session.h"
#include "app/window.h"
#include "contact_sheet.h"
#include "film_frames.h"
#include "film_moment.h"
#include "render/render_scale.h"

namespace {

constexpr int kSheetColumns = 5;

int CaptureMoments(FilmFrames& frames, const std::filesystem::path& outputDir,
                   std::vector<float> moments) {
    std::filesystem::create_directories(outputDir);
    if (moments.empty()) moments = {12.0f, 40.0f, 68.0f, 100.0f};
    for (float moment : moments) {
        constexpr int kTimedFrames = 3;
        const RgbImage frame = frames.Render(moment, kTimedFrames);
        char name[64];
        std::snprintf(name, sizeof name, "frame_%06.2f.png", moment);
        if (!WriteImage(outputDir / name, frame)) {
            std::cerr << "cannot write " << (outputDir / name).string() << std::endl;
            return 1;
        }
        std::printf("%s: sun height %.2f, %.1f ms per frame\n", name, frames.sunHeight,
                    frames.frameMilliseconds);
    }
    return 0;
}

int CaptureSheet(FilmFrames& frames, const std::vector<float>& middles,
                 const std::filesystem::path& file, int tileWidth) {
    const int tileHeight = tileWidth * kWindowHeight / kWindowWidth;
    ContactSheet sheet(static_cast<int>(middles.size()), kSheetColumns, tileWidth, tileHeight);
    for (size_t shot = 0; shot < middles.size(); ++shot) {
        const RgbImage frame = frames.Render(middles[shot], 1);
        char label[32];
        std::snprintf(label, sizeof label, "#%zu  %.1fs", shot, middles[shot]);
        sheet.Place(static_cast<int>(shot), frame, label);
        std::printf("shot %2zu at %5.1f s: sun height %5.2f\n", shot, middles[shot],
                    frames.sunHeight);
    }
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    if (!WriteImage(file, sheet.Image())) {
        std::cerr << "cannot write " << file.string() << std::endl;
        return 1;
    }
    std::printf("%s: %d x %d\n", file.string().c_str(), sheet.Image().width, sheet.Image().height);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    float renderScale = 1.0f;
    if (argc >= 3 && std::string(argv[1]) == "--render-scale") {
        const auto scale = ParseRenderScale(argv[2]);
        if (!scale || scale->IsAdaptive()) {
            std::cerr << "--render-scale takes a share of the window from 0.35 to 1" << std::endl;
            return 2;
        }
        renderScale = scale->Current();
        argc -= 2;
        argv += 2;
    }
    const bool sheetMode = argc >= 2 && std::string(argv[1]) == "--sheet";
    const int tileWidth = sheetMode && argc >= 4 ? std::atoi(argv[3]) : 384;
    if (argc < 2 || (sheetMode && (argc < 3 || tileWidth < 16 || tileWidth > kWindowWidth))) {
        std::cerr
            << "usage: lumenvale_capture [--render-scale S] OUTPUT_DIR [FILM_SECONDS...]\n"
               "       lumenvale_capture [--render-scale S] --sheet FILE [TILE_WIDTH 16..1920]"
            << std::endl;
        return 2;
    }

    FilmSession session([](std::ostream& err) { return OpenMainWindow(err, false); },
                        Console{std::cout, std::cerr});
    if (!session.Open()) {
        std::cerr << "cannot open a window (run under xvfb-run)" << std::endl;
        return 1;
    }
    try {
        Film& film = session.BuildFilm(kWindowWidth, kWindowHeight, MakeMomentClock());
        FilmFrames frames(film, renderScale);
        if (sheetMode) return CaptureSheet(frames, film.timeline.ShotMiddles(), argv[2], tileWidth);
        std::vector<float> moments;
        for (int i = 2; i < argc; ++i) moments.push_back(std::strtof(argv[i], nullptr));
        return CaptureMoments(frames, argv[1], moments);
    } catch (const std::exception& error) {
        std::cerr << error.what() << std::endl;
        return 1;
    }
}
