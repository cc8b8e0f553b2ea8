// Composes the film's music and writes it as a 16-bit stereo WAV, then prints how loud and how
// bright each section of the film came out.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "audio_analysis.h"
#include "composition.h"
#include "film_music.h"
#include "fluid_renderer.h"
#include "wav_writer.h"

namespace {

using namespace lumenvale::music;

void PrintSections(const Score& score, const std::vector<std::int16_t>& pcm) {
    const std::vector<float> mono = MonoMix(pcm);
    const auto frame = [](double seconds) {
        return static_cast<std::size_t>(seconds * kFilmSampleRate);
    };
    std::printf("%-14s %13s %10s %10s %10s\n", "section", "seconds", "RMS dBFS", "peak dBFS",
                "centroid");
    for (const Section& section : score.sections) {
        const double from = score.SecondsAt(section.startBeat);
        const double to = score.SecondsAt(section.endBeat);
        std::printf("%-14s %6.1f-%6.1f %10.1f %10.1f %7.0f Hz\n", section.name.c_str(), from, to,
                    RmsDbfs(mono, frame(from), frame(to)), PeakDbfs(mono, frame(from), frame(to)),
                    SpectralCentroidHz(mono, frame(from), frame(to), kFilmSampleRate));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::string output = argc > 1 ? argv[1] : "resources/audio/cin.wav";
    try {
        const auto started = std::chrono::steady_clock::now();
        const Score score = ComposeFilmMusic();
        const std::vector<std::int16_t> pcm = RenderFilmMusic(score, kSoundfontPath);
        const std::filesystem::path directory = std::filesystem::path(output).parent_path();
        if (!directory.empty()) std::filesystem::create_directories(directory);
        WriteWavPcm16(output, kFilmSampleRate, kFilmChannels, pcm);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        std::printf("Wrote %s: %.1f s of music in %.1f s\n", output.c_str(),
                    static_cast<double>(pcm.size()) / kFilmChannels / kFilmSampleRate,
                    took.count());
        PrintSections(score, pcm);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lumenvale_music: %s\n", error.what());
        return 1;
    }
    return 0;
}
