// The written piece and the tools it is written with.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "accompaniment.h"
#include "composition.h"
#include "film_sections.h"
#include "pitch.h"
#include "theme.h"

namespace lumenvale::music {
namespace {

TEST(Pitch, NoteNamesGiveMidiKeysAndTyposAreRejected) {
    EXPECT_EQ(midi_pitch("C4"), 60);
    EXPECT_EQ(midi_pitch("A4"), 69);
    EXPECT_EQ(midi_pitch("F#3"), 54);
    EXPECT_EQ(midi_pitch("Bb1"), 34);
    EXPECT_EQ(midi_pitch("B#3"), midi_pitch("C4"));
    for (const char* bad : {"", "C", "H4", "C#", "Cx4", "C44", "c4"}) {
        EXPECT_THROW(midi_pitch(bad), std::invalid_argument) << bad;
    }
}

TEST(Theme, DegreesFollowTheModeAcrossOctaves) {
    const Key d_major{62, Mode::kMajor};
    const Key d_minor{62, Mode::kHarmonicMinor};
    EXPECT_EQ(degree_pitch(d_major, 0), 62);
    EXPECT_EQ(degree_pitch(d_major, 2), 66);   // F#
    EXPECT_EQ(degree_pitch(d_minor, 2), 65);   // F
    EXPECT_EQ(degree_pitch(d_minor, 6), 73);   // the raised seventh, C#
    EXPECT_EQ(degree_pitch(d_major, 8), 76);   // E an octave up
    EXPECT_EQ(degree_pitch(d_major, -1), 61);  // C# below the tonic
    EXPECT_EQ(degree_pitch(d_minor, -7), 50);
}

TEST(Theme, APlayedMotifKeepsItsRhythmAndSwellsTowardItsPeak) {
    Part part{"test", 0, 0, 64, 0, 0, 127, {}};
    const Motif motif{{0, 1.0}, {4, 2.0}, {2, 0.5}};
    EXPECT_DOUBLE_EQ(play_motif(part, motif, Key{60, Mode::kMajor}, 3.0, 60), 6.5);
    ASSERT_EQ(part.notes.size(), 3u);
    EXPECT_DOUBLE_EQ(part.notes[1].start_beat, 4.0);
    EXPECT_EQ(part.notes[1].pitch, 67);
    EXPECT_GT(part.notes[1].velocity, part.notes[2].velocity);
    EXPECT_GT(part.notes[2].velocity, part.notes[0].velocity);
    EXPECT_LT(part.notes[0].length_beats, 1.0) << "re-articulated, not tied";

    const Motif excerpt = motif_excerpt(main_theme(), 12.0, 24.0);
    EXPECT_EQ(excerpt.front().degree, main_theme()[8].degree);
    EXPECT_EQ(excerpt.size(), main_theme().size() - 8);
}

TEST(Accompaniment, HeldChordsTieSharedNotesAndArpeggiosClimbFromTheBass) {
    const Progression progression{chord("C2", {"E3", "G3", "C4"}), chord("A1", {"E3", "A3", "C4"})};
    Part pad{"pad", 0, 0, 64, 0, 0, 127, {}};
    sustain_upper(pad, progression, Span{0.0, 3.0}, 50);
    ASSERT_EQ(pad.notes.size(), 4u);  // E3 and C4 held over, G3 then A3
    for (const Note& note : pad.notes) {
        const bool shared = note.pitch == midi_pitch("E3") || note.pitch == midi_pitch("C4");
        EXPECT_DOUBLE_EQ(note.length_beats, shared ? 6.0 : 3.0) << note.pitch;
    }

    Part harp{"harp", 0, 0, 64, 0, 0, 127, {}};
    arpeggiate(harp, progression, Span{0.0, 3.0}, 0.5, 50);
    ASSERT_EQ(harp.notes.size(), 12u);
    const std::vector<int> first_bar{48, 52, 55, 60, 55, 52};
    for (std::size_t i = 0; i < first_bar.size(); ++i) {
        EXPECT_EQ(harp.notes[i].pitch, first_bar[i]);
        EXPECT_DOUBLE_EQ(harp.notes[i].start_beat + harp.notes[i].length_beats, 3.0);
    }
}

TEST(FilmMusic, EveryNoteIsPlayableAndOverBeforeTheMusicFades) {
    const Score score = compose_film_music();
    std::set<int> channels;
    for (const Part& part : score.parts) {
        EXPECT_NE(part.channel, 9) << part.name << " would play drums";
        EXPECT_TRUE(channels.insert(part.channel).second) << part.name << " shares a channel";
        EXPECT_FALSE(part.notes.empty()) << part.name << " never plays";
        for (const Note& note : part.notes) {
            EXPECT_GE(note.pitch, part.lowest_pitch) << part.name << " at beat " << note.start_beat;
            EXPECT_LE(note.pitch, part.highest_pitch)
                << part.name << " at beat " << note.start_beat;
            EXPECT_GE(note.velocity, 1);
            EXPECT_LE(note.velocity, 127);
            EXPECT_GT(note.length_beats, 0.0);
        }
    }
    EXPECT_LE(score.last_release_seconds(), 127.0);
    EXPECT_LT(score.silent_from_seconds, score.length_seconds);
}

TEST(FilmMusic, SectionsFollowTheFilmsTurningPoints) {
    const Score score = compose_film_music();
    ASSERT_FALSE(score.sections.empty());
    EXPECT_DOUBLE_EQ(score.sections.front().start_beat, 0.0);
    for (std::size_t i = 1; i < score.sections.size(); ++i) {
        EXPECT_DOUBLE_EQ(score.sections[i].start_beat, score.sections[i - 1].end_beat);
    }
    const auto starts_at = [&](const std::string& name) {
        for (const Section& section : score.sections) {
            if (section.name == name) return score.seconds_at(section.start_beat);
        }
        return -1.0;
    };
    EXPECT_DOUBLE_EQ(starts_at("sunrise"), 10.0);
    EXPECT_DOUBLE_EQ(starts_at("noon"), 40.0);
    EXPECT_DOUBLE_EQ(starts_at("hush"), 70.0);
    EXPECT_DOUBLE_EQ(starts_at("firefly rise"), 75.0);
    EXPECT_DOUBLE_EQ(starts_at("flight"), 85.0);
    EXPECT_NEAR(starts_at("ending"), 119.0, 1.0);
    EXPECT_DOUBLE_EQ(score.seconds_at(score.sections.back().end_beat), score.silent_from_seconds);

    EXPECT_GT(score.dynamic_level_at(bar(16)), score.dynamic_level_at(0.0));
    EXPECT_LT(score.dynamic_level_at(bar(28)), score.dynamic_level_at(bar(20)));
}

}  // namespace
}  // namespace lumenvale::music
