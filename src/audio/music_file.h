#pragma once

#include <istream>
#include <optional>
#include <string>

// The file the music device plays for the track named `path` (a wave file): the wave file itself
// natively; in the browser its compressed copy beside it, the same name ending in ".opus".
std::string PlayableTrackPath(const std::string& path);

// Why the device must not be given the file at `path`, or nothing when it may. A native device
// trusts the wave header (one claiming 0 channels or more samples than the file holds can bring
// the whole program down inside the audio library), so the header is checked first; the
// browser decodes in its own sandbox and needs only an Ogg stream.
std::optional<std::string> MusicFileRefusal(const std::string& path);

// The compressed copy made for the browser beside the wave file `path`: "a/cin.wav" is
// "a/cin.opus"; a name without ".wav" gets ".opus" added.
std::string CompressedCopyPath(const std::string& path);

// Why the stream cannot be an Ogg file (its first four bytes are not "OggS"), or nothing.
std::optional<std::string> OggRefusal(std::istream& in);
