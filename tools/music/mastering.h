#pragma once

#include <cstdint>
#include <vector>

#include "stereo_buffer.h"

namespace lumenvale::music {

// Removes the constant offset some samples carry with a gentle high-pass below hearing, so the
// signal swings around zero and fades end on zero.
void RemoveDc(StereoBuffer& buffer);

// Raises the first seconds from silence along a half cosine, so the file starts without a click.
void FadeIn(StereoBuffer& buffer, double seconds);

// Lowers the audio along a half cosine from start_seconds to silence at end_seconds and leaves
// everything after it silent.
void FadeOut(StereoBuffer& buffer, double startSeconds, double endSeconds);

// Scales both channels together so that the loudest sample sits at peak_dbfs. Silence is left
// as it is.
void NormalisePeak(StereoBuffer& buffer, double PeakDbfs);

// Interleaved 16-bit samples (left, right), rounded to the nearest step without dither so that
// the conversion is exact and repeatable; anything beyond full scale is clamped.
std::vector<std::int16_t> ToPcm16(const StereoBuffer& buffer);

}  // namespace lumenvale::music
