#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// What FFmpeg's own command-line tools, as an independent reader, find in a media file.

// One stream as ffprobe describes it ("codec_type", "codec_name", "width", "height",
// "r_frame_rate", "duration", "nb_read_frames", ...), in the file's order.
using StreamFacts = std::map<std::string, std::string>;
std::vector<StreamFacts> ProbeStreams(const std::string& path);
// The container's duration in seconds, as ffprobe reports it; negative when unreadable.
double ProbeDuration(const std::string& path);

// Every picture decoded to top-down RGB rows, one after another.
std::vector<std::uint8_t> DecodePictures(const std::string& path);
// The sound decoded to interleaved stereo floats at 44.1 kHz, `seconds` of it from `start`
// (all of it when `seconds` is 0).
std::vector<float> DecodeSound(const std::string& path, double start = 0.0, double seconds = 0.0);

// Standard output of a shell command.
std::string CommandOutput(const std::string& command);
