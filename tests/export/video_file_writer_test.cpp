#include "export/video_file_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "export/export_error.h"
#include "export/media_reader.h"
#include "support/temp_files.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kWriterFps = 25;
constexpr int kRate = 44100;

// A picture as OpenGL reads it back: the bottom rows first. The bottom half is blue, the top half
// red, with a grey level that counts the frames.
std::vector<std::uint8_t> Picture(int frame) {
    std::vector<std::uint8_t> rgb(kWidth * kHeight * 3);
    for (int row = 0; row < kHeight; ++row) {
        const bool bottom = row < kHeight / 2;
        for (int x = 0; x < kWidth; ++x) {
            std::uint8_t* p = &rgb[(row * kWidth + x) * 3];
            p[0] = bottom ? 20 : 220;
            p[1] = static_cast<std::uint8_t>(40 + 10 * frame);
            p[2] = bottom ? 220 : 20;
        }
    }
    return rgb;
}

std::vector<float> Tone(int sampleFrames) {
    std::vector<float> samples(sampleFrames * 2);
    for (int i = 0; i < sampleFrames; ++i) {
        samples[2 * i] = samples[2 * i + 1] =
            0.5f * std::sin(2.0f * 3.14159265f * 440.0f * i / kRate);
    }
    return samples;
}

// Writes `frames` pictures with their share of the tone, in uneven pieces as the film gives them.
void WriteClip(const std::string& path, int frames) {
    VideoFileWriter file(path, VideoFormat{kWidth, kHeight, kWriterFps}, AudioFormat{kRate, 2},
                         path);
    const std::vector<float> tone = Tone(frames * kRate / kWriterFps);
    for (int frame = 0; frame < frames; ++frame) {
        file.WriteFrame(Picture(frame).data());
        const int begin = frame * kRate / kWriterFps;
        const int end = (frame + 1) * kRate / kWriterFps;
        file.WriteSound(tone.data() + 2 * begin, end - begin);
    }
    file.Finish();
}

}  // namespace

TEST(VideoFileWriter, MakesOneH264AndOneAacStreamOfTheGivenShapeInMp4AndMatroska) {
    const TempDir dir;
    for (const std::string name : {"clip.mp4", "clip.MKV"}) {
        const std::string path = (dir.path() / name).string();
        WriteClip(path, 20);
        SCOPED_TRACE(name);
        ExpectPictureAndSoundStreams(ProbeStreams(path), kWidth, kHeight, kWriterFps, 20);
        EXPECT_NEAR(ProbeDuration(path), 0.8, 1.0 / kWriterFps) << name;
    }
    const std::string mkv = CommandOutput(
        "ffprobe -v error -show_entries format=format_name "
        "-of default=nw=1:nk=1 '" +
        (dir.path() / "clip.MKV").string() + "'");
    EXPECT_EQ(mkv.rfind("matroska", 0), 0u) << mkv;
}

TEST(VideoFileWriter, PicturesComeOutUprightInTheirColoursAndTheToneAtItsPlace) {
    const TempDir dir;
    const std::string path = (dir.path() / "clip.mp4").string();
    WriteClip(path, 10);
    const std::vector<std::uint8_t> pictures = DecodePictures(path);
    ASSERT_EQ(pictures.size(), 10u * kWidth * kHeight * 3);
    for (int frame : {0, 9}) {
        const std::uint8_t* top = &pictures[(frame * kWidth * kHeight + 5 * kWidth + 30) * 3];
        const std::uint8_t* bottom = &pictures[(frame * kWidth * kHeight + 40 * kWidth + 30) * 3];
        EXPECT_NEAR(top[0], 220, 6) << frame;
        EXPECT_NEAR(top[2], 20, 6) << frame;
        EXPECT_NEAR(bottom[0], 20, 6) << frame;
        EXPECT_NEAR(bottom[2], 220, 6) << frame;
        EXPECT_NEAR(top[1], 40 + 10 * frame, 6) << frame;
    }

    const std::vector<float> sound = DecodeSound(path);
    const std::vector<float> tone = Tone(10 * kRate / kWriterFps);
    ASSERT_NEAR(static_cast<double>(sound.size()), tone.size(), 2.0 * kRate / kWriterFps);
    EXPECT_GT(Correlation(sound, tone), 0.95);
}

TEST(VideoFileWriter, APathThatCannotBeWrittenFailsAtOnceAndLeavesNoFile) {
    const TempDir dir;
    const std::filesystem::path path = dir.path() / "missing" / "clip.mp4";
    try {
        VideoFileWriter file(path.string(), VideoFormat{kWidth, kHeight, kWriterFps},
                             AudioFormat{kRate, 2}, path.string());
        FAIL() << "an unwritable path was accepted";
    } catch (const ExportError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("cannot write " + path.string() + ": ", 0), 0u)
            << error.what();
    }
    EXPECT_FALSE(std::filesystem::exists(path.parent_path()));
}
