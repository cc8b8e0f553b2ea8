#pragma once

#include "score.h"

namespace lumenvale::music {

// The players of the piece. Each gets one MIDI channel; the percussion channel (9) is left out.
enum class Instrument {
    kStringPad,
    kViolins,
    kCellos,
    kBasses,
    kPizzicato,
    kHarp,
    kPiano,
    kFlute,
    kOboe,
    kClarinet,
    kHorns,
    kCelesta,
    kGlockenspiel,
    kTimpani,
    kChoir,
};

// A score holding one empty part per instrument, in the order of the enumeration.
Score ScoreWithOrchestra();

Part& PartFor(Score& score, Instrument instrument);

}  // namespace lumenvale::music
