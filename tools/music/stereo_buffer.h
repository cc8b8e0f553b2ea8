#pragma once

#include <cstddef>
#include <vector>

namespace lumenvale::music {

// Rendered audio before it is written: two channels of floats, full scale at +-1.
struct StereoBuffer {
    int sampleRate = 44100;
    std::vector<float> left;
    std::vector<float> right;

    std::size_t Frames() const { return left.size(); }
};

}  // namespace lumenvale::music
