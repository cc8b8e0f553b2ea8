// The plain wave file a device is given in place of the user's: its header, and samples of any
// format as 16-bit integers, read in any pieces.
#include "audio/plain_wave.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>
#include <vector>

#include "support/temp_files.h"
#include "support/wave_file.h"

namespace {

std::int16_t Sample(const std::vector<unsigned char>& bytes, std::size_t at) {
    return static_cast<std::int16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::int16_t To16(const WavHeader& from, const void* sample) {
    unsigned char out[2];
    SamplesTo16Bit(from, static_cast<const unsigned char*>(sample), 1, out);
    return static_cast<std::int16_t>(out[0] | out[1] << 8);
}

}  // namespace

TEST(PlainWave, EveryFormatIsReadAsTheSameSixteenBitToneWhateverThePieces) {
    struct Case {
        const char* name;
        std::uint16_t tag, bits;
        bool stays;  // given to the device as it is
    };
    const Case cases[] = {{"pcm8", 1, 8, true},      {"pcm16", 1, 16, true},
                          {"pcm24", 1, 24, false},   {"pcm32", 1, 32, false},
                          {"float32", 3, 32, false}, {"float64", 3, 64, false}};
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // An odd chunk before the samples and one after them, which the plain file leaves out.
        const std::string bytes = WaveWhere([&](WaveSpec& w) {
            w.tag = c.tag, w.bits = c.bits, w.rate = 8000;
            w.before = std::string("LIST\x03\0\0\0abc\0", 12), w.after = "junk";
        });
        std::istringstream in(bytes);
        const WavHeaderResult checked = ParseWavHeader(in);
        ASSERT_TRUE(checked.header) << checked.error;
        PlainWaveFile plain;
        const std::string path = dir.Write(std::string(c.name) + ".wav", bytes);
        ASSERT_TRUE(plain.Open(path, *checked.header));
        // Only a file that already is its plain file, integer samples behind the 44-byte header,
        // is given to a device as it is.
        EXPECT_FALSE(IsPlainWaveFile(path, *checked.header)) << "its chunks are not plain";

        std::vector<unsigned char> whole(plain.Size() + 10);
        ASSERT_EQ(plain.Read(0, whole.data(), whole.size()), plain.Size());
        whole.resize(plain.Size());
        // The plain file is a wave file of its own, holding 16-bit samples unless they were 8-bit.
        std::istringstream again(std::string(whole.begin(), whole.end()));
        const WavHeaderResult reread = ParseWavHeader(again);
        ASSERT_TRUE(reread.header) << reread.error;
        EXPECT_EQ(reread.header->formatTag, kWavFormatPcm);
        EXPECT_EQ(reread.header->bitsPerSample, c.stays ? c.bits : 16);
        EXPECT_EQ(reread.header->sampleRate, 8000u);
        EXPECT_EQ(reread.header->dataOffset, kPlainWaveHeaderBytes);
        EXPECT_EQ(reread.header->dataSize, 8000u * 2 * reread.header->bitsPerSample / 8);

        // Read in pieces that cut through the header and through samples, it is the same.
        std::vector<unsigned char> pieces(whole.size());
        for (std::size_t at = 0; at < pieces.size(); at += 7)
            plain.Read(at, pieces.data() + at, std::min<std::size_t>(7, pieces.size() - at));
        EXPECT_EQ(pieces, whole);
        EXPECT_EQ(plain.Read(plain.Size(), pieces.data(), 1), 0u);
        // Written plainly, with no other chunk, the same samples are.
        const std::string canonical =
            WaveWhere([&](WaveSpec& w) { w.tag = c.tag, w.bits = c.bits, w.rate = 8000; });
        std::istringstream canonicalIn(canonical);
        const WavHeaderResult canonicalHeader = ParseWavHeader(canonicalIn);
        ASSERT_TRUE(canonicalHeader.header) << canonicalHeader.error;
        EXPECT_EQ(IsPlainWaveFile(dir.Write(std::string(c.name) + "_plain.wav", canonical),
                                  *canonicalHeader.header),
                  c.stays);

        if (c.stays) {
            EXPECT_EQ(std::memcmp(whole.data() + kPlainWaveHeaderBytes,
                                  bytes.data() + checked.header->dataOffset,
                                  whole.size() - kPlainWaveHeaderBytes),
                      0);
            continue;
        }
        int worst = 0;
        for (std::uint32_t frame = 0; frame < 8000; ++frame) {
            const long expected = std::lround(ToneAt(frame, 8000) * 32767);
            for (int channel = 0; channel < 2; ++channel) {
                const std::size_t at = kPlainWaveHeaderBytes + 4 * frame + 2 * channel;
                worst = std::max(worst, static_cast<int>(std::abs(Sample(whole, at) - expected)));
            }
        }
        EXPECT_LE(worst, 1);
    }
}

// A device that walks the chunks itself is given the file as it is wherever it reads the same
// samples from it as from the plain file; padding, a partial frame or another byte rate differ.
TEST(PlainWave, AFileIsGivenAsItIsWhereverTheDeviceReadsTheSameSamples) {
    std::string longFormat = Wave({}), otherByteRate = longFormat;
    longFormat.replace(16, 1, "\x12").insert(36, 2, '\0')[4] += 2;  // 18 bytes, extra size 0
    otherByteRate[28] += 4;
    const std::pair<std::string, bool> cases[] = {
        {WaveWhere([](WaveSpec& w) { w.bits = 8, w.before = std::string("fact\4\0\0\0abcd", 12); }),
         true},
        {WaveWhere([](WaveSpec& w) { w.extensible = true, w.after = "LIST\0\0\0\0"; }), true},
        {longFormat, true},
        {WaveWhere([](WaveSpec& w) { w.dataSize = 44100 * 4 - 2; }), false},
        {otherByteRate, false},
    };
    TempDir dir;
    for (const auto& [bytes, plain] : cases) {
        std::istringstream in(bytes);
        const WavHeaderResult checked = ParseWavHeader(in);
        ASSERT_TRUE(checked.header) << checked.error;
        EXPECT_EQ(IsPlainWaveFile(dir.Write("music.wav", bytes), *checked.header), plain)
            << bytes.size();
    }
}

TEST(PlainWave, SamplesAtTheirLimitsKeepTheirSignAndNanIsSilence) {
    WavHeader float32{kWavFormatFloat, 1, 8000, 32, 4};
    WavHeader float64{kWavFormatFloat, 1, 8000, 64, 8};
    WavHeader pcm8{kWavFormatPcm, 1, 8000, 8, 1};
    WavHeader pcm32{kWavFormatPcm, 1, 8000, 32, 4};
    const float loud = 4.0f, quiet = -4.0f, nan = std::nanf("");
    const double loudest = 1e300;
    const unsigned char lowest8 = 0, highest8 = 255;
    const std::int32_t lowest32 = -2147483647 - 1, highest32 = 2147483647;
    struct Case {
        const WavHeader& format;
        const void* sample;
        std::int16_t expected;
    };
    const Case cases[] = {{float32, &loud, 32767},    {float32, &quiet, -32767},
                          {float32, &nan, 0},         {float64, &loudest, 32767},
                          {pcm8, &lowest8, -32768},   {pcm8, &highest8, 32512},
                          {pcm32, &lowest32, -32768}, {pcm32, &highest32, 32767}};
    for (const Case& c : cases) EXPECT_EQ(To16(c.format, c.sample), c.expected);
}
