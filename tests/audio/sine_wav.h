#pragma once

#include <string>

// A 440 Hz sine as a 44.1 kHz, 16-bit stereo PCM wave file's bytes.
std::string SineWav(double seconds);
