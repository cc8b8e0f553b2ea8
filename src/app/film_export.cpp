#include "app/film_export.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "app/film.h"
#include "app/film_session.h"
#include "app/frame_loop.h"
#include "app/window.h"
#include "base/stepped_clock.h"
#include "export/export_error.h"
#include "export/export_progress.h"
#include "export/interruption.h"
#include "export/music_track.h"
#include "export/video_file_writer.h"
#include "export/video_frame_output.h"
#include "sequence/film_length.h"
#include "sequence/sequence_player.h"
#include "sequence/shot_tables.h"

namespace {

constexpr int kSilenceRate = 44100;

// A request the film cannot meet, found before anything is rendered.
struct RangeError : ExportError {
    using ExportError::ExportError;
};

// The frames between --from and --to, or the whole film with its fade-out. The film's end is
// checked before any rounding, so that no film time, however large, overflows a frame number.
FrameRange FramesToExport(const CommandLineOptions& options, std::int64_t filmFrames) {
    const double lastFrame = static_cast<double>(filmFrames);
    if (options.to && *options.to * options.fps >= lastFrame + 0.5) {
        throw RangeError("--to is after " + FilmEndText(filmFrames, options.fps));
    }
    if (options.from) {
        if (auto error = FilmStartError(*options.from, filmFrames, options.fps)) {
            throw RangeError(*error);
        }
    }
    const auto frameAt = [&](double seconds) { return std::llround(seconds * options.fps); };
    const FrameRange range{options.from ? frameAt(*options.from) : 0,
                           options.to ? frameAt(*options.to) : filmFrames};
    if (range.first >= range.end) {
        throw RangeError("--from and --to hold no whole frame at " + std::to_string(options.fps) +
                         " fps");
    }
    return range;
}

// The film's own music; without it the film is exported in silence, as it would play.
MusicTrack FilmMusic(std::ostream& err) {
    try {
        return MusicTrack::Load(Film::kMusicPath);
    } catch (const ExportError& error) {
        err << "Warning: Failed to load background music (" << error.what()
            << "); the video will be silent" << std::endl;
        return MusicTrack::Silence(kSilenceRate, 2);
    }
}

// The film is written beside its target under a name of its own, one per export, and takes the
// target's name only once it is whole: a failing export never touches a file already there, and
// two exports to one path never write into the same file.
std::string PartialPath(const std::string& path) {
    const std::filesystem::path target(path);
    return (target.parent_path() / (target.stem().string() + ".partial-" +
                                    std::to_string(getpid()) + target.extension().string()))
        .string();
}

// What tells one version of a file from another: its inode and when it was last written.
std::optional<std::pair<ino_t, std::int64_t>> Version(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return std::nullopt;
    return std::pair{status.st_ino, static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 +
                                        status.st_mtim.tv_nsec};
}

// The final line: the file, its length and its size.
void ReportFile(const std::string& path, std::int64_t frames, const CommandLineOptions& options,
                int signal, std::ostream& out) {
    std::error_code error;
    const double bytes = static_cast<double>(std::filesystem::file_size(path, error));
    char text[64];
    if (bytes < 1e6) {
        std::snprintf(text, sizeof text, ", %dx%d at %d fps, %.0f kB", options.width,
                      options.height, options.fps, bytes / 1e3);
    } else {
        std::snprintf(text, sizeof text, ", %dx%d at %d fps, %.1f MB", options.width,
                      options.height, options.fps, bytes / 1e6);
    }
    if (signal) out << "Interrupted; the film so far is in the file. ";
    out << "Wrote " << path << ": " << FilmSeconds(static_cast<double>(frames) / options.fps)
        << text << std::endl;
}

// Renders and writes the frames in a hidden window's context into the file at `partial`;
// returns the number written (fewer when interrupted).
std::int64_t RenderFilm(const CommandLineOptions& options, FrameRange range, VideoFileWriter& file,
                        const std::string& partial, const MusicTrack& music,
                        const Console& console) {
    FilmSession session([](std::ostream& err) { return OpenMainWindow(err, false); }, console);
    if (!session.Open()) throw ExportError("cannot open an OpenGL 3.3 context to render with");
    auto stepped = std::make_unique<SteppedClock>(options.fps);
    SteppedClock& clock = *stepped;
    // The picture is drawn at the video's size and proportions; the music goes into the file, so
    // the film's music player stays silent.
    Film& film = session.BuildFilm(options.width, options.height, std::move(stepped));

    ExportProgress progress(console.out, isatty(STDOUT_FILENO));
    VideoFrameOutput output(clock, options.fps, range, file, music, progress);
    std::ostream quiet(nullptr);  // the player's console lines would break the progress line
    FrameLoop loop(session.Window(), film, output, Console{quiet, console.err});
    // A file whose folder is removed (or replaced) meanwhile can never take its name: once a
    // second of film, the export makes sure it is still writing the file it began.
    const auto begun = Version(partial);
    bool inPlace = true;
    while (clock.Frame() < range.end && !InterruptingSignal() && inPlace) {
        loop.RunFrame();
        clock.Advance();
        if (clock.Frame() % options.fps != 0) continue;
        const auto now = Version(partial);
        inPlace = now && begun && now->first == begun->first;
    }
    progress.Close();
    if (!inPlace)
        throw ExportError("cannot put the film in place as " + options.exportPath + ": " + partial +
                          " was removed with its folder during the export");
    return file.FramesWritten();
}

}  // namespace

int ExportFilm(const CommandLineOptions& options, const Console& console) {
    CatchInterruptions();
    const std::string& path = options.exportPath;
    const std::string partial = PartialPath(path);
    const auto versionBefore = Version(path);
    bool fileCreated = false;
    try {
        // The finished film takes the target's name: a device or a folder there must not be
        // replaced, and is refused before anything is rendered.
        std::error_code unknown;
        const auto target = std::filesystem::status(path, unknown).type();
        if (target != std::filesystem::file_type::not_found &&
            target != std::filesystem::file_type::regular)
            throw ExportError("cannot write " + path + ": it is not a regular file");
        const FrameRange range =
            FramesToExport(options, SequencePlayer::FrameCount(MakeFilmTimeline(), options.fps));
        const MusicTrack music = FilmMusic(console.err);
        std::optional<VideoFileWriter> file;
        file.emplace(partial, VideoFormat{options.width, options.height, options.fps},
                     AudioFormat{music.SampleRate(), music.Channels()}, path);
        fileCreated = true;
        const std::int64_t frames = RenderFilm(options, range, *file, partial, music, console);
        const int signal = InterruptingSignal();
        if (frames == 0) {
            file.reset();
            std::filesystem::remove(partial);
            console.err << "lumenvale: interrupted before the first frame; no file written"
                        << std::endl;
            return 128 + signal;
        }
        file->Finish();
        file.reset();  // closed before it takes the target's name
        // Part of a film never replaces a file already there, which may be the whole film.
        if (signal && Version(path)) {
            console.out << "Interrupted; " << path << " was there before and is kept as it was. ";
            ReportFile(partial, frames, options, 0, console.out);
            return 128 + signal;
        }
        const bool replacesAnother = Version(path) && Version(path) != versionBefore;
        std::error_code error;
        std::filesystem::rename(partial, path, error);
        if (error)
            throw ExportError("cannot put the film in place as " + path + ": " + error.message());
        ReportFile(path, frames, options, signal, console.out);
        if (replacesAnother)
            console.out << "Another export wrote " << path
                        << " while this one ran; this film has replaced it." << std::endl;
        return signal ? 128 + signal : 0;
    } catch (const RangeError& error) {
        console.err << "lumenvale: " << error.what() << std::endl;
        return 2;
    } catch (const std::exception& error) {
        console.err << "lumenvale: " << error.what() << std::endl;
    }
    std::error_code ignored;
    if (fileCreated) std::filesystem::remove(partial, ignored);
    return 1;
}
