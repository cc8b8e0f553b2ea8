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
    EXPECT_EQ(MidiPitch("C4"), 60);
    EXPECT_EQ(MidiPitch("A4"), 69);
    EXPECT_EQ(MidiPitch("F#3"), 54);
    EXPECT_EQ(MidiPitch("Bb1"), 34);
    EXPECT_EQ(MidiPitch("B#3"), MidiPitch("C4"));
    for (const char* bad : {"", "C", "H4", "C#", "Cx4", "C44", "c4"}) {
        EXPECT_THROW(MidiPitch(bad), std::invalid_argument) << bad;
    }
}

TEST(Theme, DegreesFollowTheModeAcrossOctaves) {
    const Key dMajor{62, Mode::kMajor};
    const Key dMinor{62, Mode::kHarmonicMinor};
    EXPECT_EQ(DegreePitch(dMajor, 0), 62);
    EXPECT_EQ(DegreePitch(dMajor, 2), 66);   // F#
    EXPECT_EQ(DegreePitch(dMinor, 2), 65);   // F
    EXPECT_EQ(DegreePitch(dMinor, 6), 73);   // the raised seventh, C#
    EXPECT_EQ(DegreePitch(dMajor, 8), 76);   // E an octave up
    EXPECT_EQ(DegreePitch(dMajor, -1), 61);  // C# below the tonic
    EXPECT_EQ(DegreePitch(dMinor, -7), 50);
}

TEST(Theme, APlayedMotifKeepsItsRhythmAndSwellsTowardItsPeak) {
    Part part{"test", 0, 0, 64, 0, 0, 127, {}};
    const Motif motif{{0, 1.0}, {4, 2.0}, {2, 0.5}};
    EXPECT_DOUBLE_EQ(PlayMotif(part, motif, Key{60, Mode::kMajor}, 3.0, 60), 6.5);
    ASSERT_EQ(part.notes.size(), 3u);
    EXPECT_DOUBLE_EQ(part.notes[1].startBeat, 4.0);
    EXPECT_EQ(part.notes[1].pitch, 67);
    EXPECT_GT(part.notes[1].velocity, part.notes[2].velocity);
    EXPECT_GT(part.notes[2].velocity, part.notes[0].velocity);
    EXPECT_LT(part.notes[0].lengthBeats, 1.0) << "re-articulated, not tied";

    const Motif excerpt = MotifExcerpt(MainTheme(), 12.0, 24.0);
    EXPECT_EQ(excerpt.front().degree, MainTheme()[8].degree);
    EXPECT_EQ(excerpt.size(), MainTheme().size() - 8);
}

TEST(Accompaniment, HeldChordsTieSharedNotesAndArpeggiosClimbFromTheBass) {
    const Progression progression{ChordOf("C2", {"E3", "G3", "C4"}),
                                  ChordOf("A1", {"E3", "A3", "C4"})};
    Part pad{"pad", 0, 0, 64, 0, 0, 127, {}};
    SustainUpper(pad, progression, Span{0.0, 3.0}, 50);
    ASSERT_EQ(pad.notes.size(), 4u);  // E3 and C4 held over, G3 then A3
    for (const Note& note : pad.notes) {
        const bool shared = note.pitch == MidiPitch("E3") || note.pitch == MidiPitch("C4");
        EXPECT_DOUBLE_EQ(note.lengthBeats, shared ? 6.0 : 3.0) << note.pitch;
    }

    Part harp{"harp", 0, 0, 64, 0, 0, 127, {}};
    Arpeggiate(harp, progression, Span{0.0, 3.0}, 0.5, 50);
    ASSERT_EQ(harp.notes.size(), 12u);
    const std::vector<int> firstBar{48, 52, 55, 60, 55, 52};
    for (std::size_t i = 0; i < firstBar.size(); ++i) {
        EXPECT_EQ(harp.notes[i].pitch, firstBar[i]);
        EXPECT_DOUBLE_EQ(harp.notes[i].startBeat + harp.notes[i].lengthBeats, 3.0);
    }
}

TEST(FilmMusic, EveryNoteIsPlayableAndOverBeforeTheMusicFades) {
    const Score score = ComposeFilmMusic();
    std::set<int> channels;
    for (const Part& part : score.parts) {
        EXPECT_NE(part.channel, 9) << part.name << " would play drums";
        EXPECT_TRUE(channels.insert(part.channel).second) << part.name << " shares a channel";
        EXPECT_FALSE(part.notes.empty()) << part.name << " never plays";
        for (const Note& note : part.notes) {
            EXPECT_GE(note.pitch, part.lowestPitch) << part.name << " at beat " << note.startBeat;
            EXPECT_LE(note.pitch, part.highestPitch) << part.name << " at beat " << note.startBeat;
            EXPECT_GE(note.velocity, 1);
            EXPECT_LE(note.velocity, 127);
            EXPECT_GT(note.lengthBeats, 0.0);
        }
    }
    EXPECT_LE(score.LastReleaseSeconds(), 127.0);
    EXPECT_LT(score.silentFromSeconds, score.lengthSeconds);
}

TEST(FilmMusic, SectionsFollowTheFilmsTurningPoints) {
    const Score score = ComposeFilmMusic();
    ASSERT_FALSE(score.sections.empty());
    EXPECT_DOUBLE_EQ(score.sections.front().startBeat, 0.0);
    for (std::size_t i = 1; i < score.sections.size(); ++i) {
        EXPECT_DOUBLE_EQ(score.sections[i].startBeat, score.sections[i - 1].endBeat);
    }
    const auto StartsAt = [&](const std::string& name) {
        for (const Section& section : score.sections) {
            if (section.name == name) return score.SecondsAt(section.startBeat);
        }
        return -1.0;
    };
    EXPECT_DOUBLE_EQ(StartsAt("sunrise"), 10.0);
    EXPECT_DOUBLE_EQ(StartsAt("noon"), 40.0);
    EXPECT_DOUBLE_EQ(StartsAt("hush"), 70.0);
    EXPECT_DOUBLE_EQ(StartsAt("firefly rise"), 75.0);
    EXPECT_DOUBLE_EQ(StartsAt("flight"), 85.0);
    EXPECT_NEAR(StartsAt("ending"), 119.0, 1.0);
    EXPECT_DOUBLE_EQ(score.SecondsAt(score.sections.back().endBeat), score.silentFromSeconds);

    EXPECT_GT(score.DynamicLevelAt(Bar(16)), score.DynamicLevelAt(0.0));
    EXPECT_LT(score.DynamicLevelAt(Bar(28)), score.DynamicLevelAt(Bar(20)));
}

}  // namespace
}  // namespace lumenvale::music
