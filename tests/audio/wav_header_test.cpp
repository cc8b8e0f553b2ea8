// The wave header check that stands between a music file and the audio device.
#include "audio/wav_header.h"

#include <gtest/gtest.h>

#include <sstream>

#include "sine_wav.h"
#include "support/temp_files.h"

namespace {

// Byte offsets inside the 44-byte canonical header SineWav writes.
constexpr size_t kChannelsAt = 22, kRateAt = 24, kBlockAlignAt = 32, kBitsAt = 34;
constexpr size_t kDataTagAt = 36, kDataSizeAt = 40, kSamplesAt = 44;

void Put(std::string& bytes, size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

WavHeaderResult Parse(const std::string& bytes) {
    std::istringstream in(bytes);
    return ParseWavHeader(in);
}

std::string ErrorOf(const std::string& bytes) {
    const WavHeaderResult result = Parse(bytes);
    EXPECT_FALSE(result.header) << "accepted";
    return result.error;
}

}  // namespace

TEST(WavHeader, CanonicalPcmGivesItsFormatAndWhereTheSamplesAre) {
    const std::string bytes = SineWav(0.1);
    const WavHeaderResult result = Parse(bytes);
    ASSERT_TRUE(result.header) << result.error;
    const WavHeader& h = *result.header;
    EXPECT_EQ(h.formatTag, 1);
    EXPECT_EQ(h.channels, 2);
    EXPECT_EQ(h.sampleRate, 44100u);
    EXPECT_EQ(h.bitsPerSample, 16);
    EXPECT_EQ(h.blockAlign, 4);
    EXPECT_EQ(h.dataOffset, kSamplesAt);
    EXPECT_EQ(h.dataSize, bytes.size() - kSamplesAt);
    EXPECT_EQ(result.error, "");
}

TEST(WavHeader, SkipsOtherChunksWithTheirPaddingAndAcceptsExtensiblePcm) {
    std::string bytes = SineWav(0.01);
    // An odd-sized LIST chunk, padded to even, in front of the samples.
    const std::string list = std::string("LIST\x03\0\0\0abc\0", 12);
    bytes.insert(kDataTagAt, list);
    WavHeaderResult result = Parse(bytes);
    ASSERT_TRUE(result.header) << result.error;
    EXPECT_EQ(result.header->dataOffset, kSamplesAt + list.size());

    // WAVE_FORMAT_EXTENSIBLE: the same samples, a 40-byte format chunk ending in the PCM GUID.
    std::string ext = SineWav(0.01);
    Put(ext, 16, 40, 4);
    Put(ext, 20, 0xFFFE, 2);
    std::string tail(24, '\0');
    Put(tail, 0, 22, 2);  // cbSize
    Put(tail, 8, 1, 2);   // sub-format GUID starts with the PCM tag
    ext.insert(kDataTagAt, tail);
    result = Parse(ext);
    ASSERT_TRUE(result.header) << result.error;
    EXPECT_EQ(result.header->formatTag, kWavFormatPcm);
    EXPECT_EQ(result.header->dataOffset, kSamplesAt + tail.size());

    Put(ext, kDataTagAt + 8, 2, 2);  // ADPCM sub-format
    EXPECT_EQ(ErrorOf(ext), "format tag 2 is neither PCM nor float");
}

TEST(WavHeader, ChunksAfterTheSamplesMayNotContradictThem) {
    const std::string good = SineWav(0.01);
    const std::string format = good.substr(12, kDataTagAt - 12);
    const std::string data = good.substr(kDataTagAt);
    EXPECT_TRUE(Parse(good + "LIST\x02\0\0\0ab").header);
    EXPECT_EQ(ErrorOf(good + format), "the file has a second format chunk");
    EXPECT_EQ(ErrorOf(good + data), "the file has a second data chunk");
    std::string chunks = good;
    for (unsigned i = 0; i < kMaxWavChunks; ++i) chunks += std::string("junk\0\0\0\0", 8);
    EXPECT_EQ(ErrorOf(chunks), "the file has more than 4096 chunks");
}

TEST(WavHeader, SamplesAreCountedInWholeFrames) {
    std::string bytes = SineWav(0.01);
    bytes += "xy";  // two stray bytes, half a frame
    Put(bytes, kDataSizeAt, static_cast<uint32_t>(bytes.size() - kSamplesAt), 4);
    const WavHeaderResult result = Parse(bytes);
    ASSERT_TRUE(result.header) << result.error;
    EXPECT_EQ(result.header->dataSize % 4, 0u);
    EXPECT_EQ(result.header->dataSize, bytes.size() - kSamplesAt - 2);
}

TEST(WavHeader, DamagedFormatFieldsAreRefusedWithTheFieldNamed) {
    const std::string good = SineWav(0.01);
    struct Case {
        size_t at;
        uint32_t value;
        int count;
        const char* error;
    };
    const Case cases[] = {
        {20, 2, 2, "format tag 2 is neither PCM nor float"},
        {20, kWavFormatFloat, 2, "the header gives 16 bits per sample"},
        {kChannelsAt, 0, 2, "the header gives 0 channels"},
        {kChannelsAt, 65535, 2, "the header gives 65535 channels"},
        {kRateAt, 0, 4, "the header gives a sample rate of 0 Hz"},
        {kRateAt, kMinWavSampleRate - 1, 4, "the header gives a sample rate of 999 Hz"},
        {kRateAt, 4000000000u, 4, "the header gives a sample rate of 4000000000 Hz"},
        {kBitsAt, 0, 2, "the header gives 0 bits per sample"},
        {kBitsAt, 12, 2, "the header gives 12 bits per sample"},
        {kBlockAlignAt, 0, 2, "the header's block size 0 does not match its channels and bits"},
        {16, 8, 4, "the format chunk is cut short"},
    };
    for (const Case& c : cases) {
        std::string bytes = good;
        Put(bytes, c.at, c.value, c.count);
        EXPECT_EQ(ErrorOf(bytes), c.error) << "offset " << c.at << " = " << c.value;
    }
}

TEST(WavHeader, FilesThatAreNotWholeWavesAreRefused) {
    const std::string good = SineWav(0.01);
    std::string huge = good;
    Put(huge, kDataSizeAt, 0xFFFFFFF0u, 4);
    std::string empty = good.substr(0, kSamplesAt);
    Put(empty, kDataSizeAt, 0, 4);
    std::string dataFirst = good;
    dataFirst.replace(12, 4, "junk");

    EXPECT_EQ(ErrorOf(""), "not a RIFF/WAVE file");
    EXPECT_EQ(ErrorOf("RIFF\0\0\0\0AVI "), "not a RIFF/WAVE file");
    EXPECT_EQ(ErrorOf(good.substr(0, 11)), "not a RIFF/WAVE file");
    EXPECT_EQ(ErrorOf(good.substr(0, 30)), "the format chunk is cut short");
    EXPECT_EQ(ErrorOf(good.substr(0, kDataTagAt)), "there is no data chunk");
    EXPECT_EQ(ErrorOf(good.substr(0, 12)), "there is no format chunk");
    EXPECT_EQ(ErrorOf(huge), "the data chunk claims 4294967280 bytes but the file holds " +
                                 std::to_string(good.size() - kSamplesAt));
    EXPECT_EQ(ErrorOf(empty), "the data chunk holds no samples");
    EXPECT_EQ(ErrorOf(dataFirst), "the samples come before the format chunk");
}

TEST(WavHeader, ReadsFromAFileAndSaysWhenThereIsNone) {
    TempDir dir;
    const WavHeaderResult read = ReadWavHeader(dir.Write("a.wav", SineWav(0.01)));
    ASSERT_TRUE(read.header) << read.error;
    EXPECT_EQ(read.header->sampleRate, 44100u);

    const WavHeaderResult missing = ReadWavHeader((dir.path() / "none.wav").string());
    EXPECT_FALSE(missing.header);
    EXPECT_EQ(missing.error, "the file cannot be opened");
}
