// The browser's music file: the compressed copy's name and the check made before the page plays it.
#include "audio/music_file.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(MusicFile, CompressedCopySitsBesideTheWaveFile) {
    const struct {
        const char* wave;
        const char* copy;
    } cases[] = {
        {"resources/audio/cin.wav", "resources/audio/cin.opus"},
        {"cin.wav", "cin.opus"},
        {"dir.wav/track", "dir.wav/track.opus"},  // only the name's end counts
        {".wav", ".wav.opus"},                    // no name before the ending
        {"track.WAV", "track.WAV.opus"},
        {"", ".opus"},
    };
    for (const auto& c : cases) EXPECT_EQ(CompressedCopyPath(c.wave), c.copy) << c.wave;
}

TEST(MusicFile, OnlyAnOggStreamIsPlayed) {
    const struct {
        std::string bytes;
        const char* refusal;  // null: played
    } cases[] = {
        {std::string("OggS\0\x02", 6) + "OpusHead", nullptr},
        {"OggS", nullptr},
        {"Ogg", "not a playable Ogg file: it is too short"},
        {"", "not a playable Ogg file: it is too short"},
        {"RIFF....WAVE", "not a playable Ogg file: it does not start with OggS"},
        {"oggs", "not a playable Ogg file: it does not start with OggS"},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.bytes);
        const auto refusal = OggRefusal(in);
        if (c.refusal) {
            EXPECT_EQ(refusal.value_or("(played)"), c.refusal) << c.bytes;
        } else {
            EXPECT_FALSE(refusal) << c.bytes << ": " << *refusal;
        }
    }
}
