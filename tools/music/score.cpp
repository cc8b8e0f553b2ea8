#include "score.h"

#include <algorithm>

namespace lumenvale::music {

double Score::dynamic_level_at(double beat) const {
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

double Score::last_release_seconds() const {
    double last_beat = 0.0;
    for (const Part& part : parts) {
        for (const Note& note : part.notes) {
            last_beat = std::max(last_beat, note.start_beat + note.length_beats);
        }
    }
    return seconds_at(last_beat);
}

}  // namespace lumenvale::music
