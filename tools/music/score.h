#pragma once

#include <string>
#include <vector>

namespace lumenvale::music {

struct Note {
    double startBeat;
    double lengthBeats;
    int pitch;     // MIDI key number
    int velocity;  // 1..127
};

// One instrument on its own MIDI channel, with the range it is written for.
struct Part {
    std::string name;
    int channel;
    int program;  // General MIDI program, counted from 0
    int pan;      // 0 left, 64 centre, 127 right
    int reverbSend;
    int lowestPitch;
    int highestPitch;
    std::vector<Note> notes;
};

// A point of the loudness curve of the whole piece (0..1), sent to every channel as expression so
// that held chords swell and fade, not only new notes.
struct DynamicPoint {
    double beat;
    double level;
};

// A span of the film the music follows; used to describe and check the rendered file.
struct Section {
    std::string name;
    double startBeat;
    double endBeat;
};

struct Score {
    double beatsPerMinute = 72.0;
    double lengthSeconds = 0.0;      // length of the rendered file
    double silentFromSeconds = 0.0;  // the tail has faded out completely by here
    std::vector<Part> parts;
    std::vector<DynamicPoint> dynamics;  // sorted by beat
    std::vector<Section> sections;

    double SecondsAt(double beat) const { return beat * 60.0 / beatsPerMinute; }
    // Linear between points, held flat before the first and after the last.
    double DynamicLevelAt(double beat) const;
    // Time at which the last note is released.
    double LastReleaseSeconds() const;
};

}  // namespace lumenvale::music
