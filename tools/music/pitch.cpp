#include "pitch.h"

#include <stdexcept>
#include <string>

namespace lumenvale::music {

namespace {

int SemitoneOfLetter(char letter) {
    switch (letter) {
        case 'C':
            return 0;
        case 'D':
            return 2;
        case 'E':
            return 4;
        case 'F':
            return 5;
        case 'G':
            return 7;
        case 'A':
            return 9;
        case 'B':
            return 11;
        default:
            return -1;
    }
}

}  // namespace

int MidiPitch(std::string_view name) {
    const auto invalid = [&] {
        return std::invalid_argument("not a note name: " + std::string(name));
    };
    if (name.size() < 2) throw invalid();
    int semitone = SemitoneOfLetter(name[0]);
    if (semitone < 0) throw invalid();

    std::size_t next = 1;
    if (name[next] == '#') {
        ++semitone;
        ++next;
    } else if (name[next] == 'b') {
        --semitone;
        ++next;
    }
    if (next + 1 != name.size() || name[next] < '0' || name[next] > '9') throw invalid();
    const int octave = name[next] - '0';
    return (octave + 1) * 12 + semitone;
}

}  // namespace lumenvale::music
