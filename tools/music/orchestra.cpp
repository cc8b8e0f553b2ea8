#include "orchestra.h"

#include <array>

#include "pitch.h"

namespace lumenvale::music {

namespace {

struct Player {
    const char* name;
    int program;
    int pan;
    int reverbSend;
    const char* lowest;
    const char* highest;
};

constexpr int kPercussionChannel = 9;

// Seating: violins and harp to the left, cellos, basses and horns to the right, bells at the edges.
constexpr std::array<Player, 15> kPlayers{{
    {"string pad", 49, 64, 80, "E1", "C7"},
    {"violins", 48, 46, 72, "G3", "C7"},
    {"cellos", 42, 84, 64, "C2", "C5"},
    {"basses", 43, 78, 50, "E1", "G3"},
    {"pizzicato", 45, 56, 60, "E1", "A5"},
    {"harp", 46, 38, 90, "C1", "G7"},
    {"piano", 0, 70, 70, "A0", "C8"},
    {"flute", 73, 54, 80, "C4", "C7"},
    {"oboe", 68, 74, 72, "Bb3", "G6"},
    {"clarinet", 71, 60, 72, "D3", "G6"},
    {"horns", 60, 90, 80, "Bb1", "F5"},
    {"celesta", 8, 34, 100, "C4", "C8"},
    {"glockenspiel", 9, 94, 100, "G5", "C8"},
    {"timpani", 47, 64, 70, "D2", "A3"},
    {"choir", 53, 64, 96, "C3", "A5"},
}};

}  // namespace

Score ScoreWithOrchestra() {
    Score score;
    int channel = 0;
    for (const Player& player : kPlayers) {
        if (channel == kPercussionChannel) ++channel;
        score.parts.push_back(Part{player.name,
                                   channel,
                                   player.program,
                                   player.pan,
                                   player.reverbSend,
                                   MidiPitch(player.lowest),
                                   MidiPitch(player.highest),
                                   {}});
        ++channel;
    }
    return score;
}

Part& PartFor(Score& score, Instrument instrument) {
    return score.parts.at(static_cast<std::size_t>(instrument));
}

}  // namespace lumenvale::music
