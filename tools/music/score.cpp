#include "score.h"

#include <algorithm>

namespace lumenvale::music {

double Score::DynamicLevelAt(double beat) const {
    if (dynamics.empty()) return 1.0;
    if (beat <= dynamics.front().beat) return dynamics.front().level;
    if (beat >= dynamics.back().beat) return dynamics.back().level;
    const auto after =
        std::upper_bound(dynamics.begin(), dynamics.end(), beat,
                         [](double b, const DynamicPoint& point) { return b < point.beat; });
    const auto before = after - 1;
    const double t = (beat - before->beat) / (after->beat - before->beat);
    return before->level + t * (after->level - before->level);
}

double Score::LastReleaseSeconds() const {
    double lastBeat = 0.0;
    for (const Part& part : parts) {
        for (const Note& note : part.notes) {
            lastBeat = std::max(lastBeat, note.startBeat + note.lengthBeats);
        }
    }
    return SecondsAt(lastBeat);
}

}  // namespace lumenvale::music
