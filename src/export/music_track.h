#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The film's music as samples, laid under the exported picture at the film's time: the music
// starts with the film's first frame and starts over when it ends, as the player plays it.
class MusicTrack {
  public:
    // Reads a PCM wave file; throws ExportError saying why it cannot.
    static MusicTrack Load(const std::string& path);
    // Silence, for a film whose music cannot be read.
    static MusicTrack Silence(int sampleRate, int channels);

    int SampleRate() const { return sampleRate; }
    int Channels() const { return channels; }
    // Interleaved samples in [-1, 1] of the sample frames [begin, end) of the film's sound.
    std::vector<float> Samples(std::int64_t begin, std::int64_t end) const;

  private:
    MusicTrack(int sampleRate, int channels, std::vector<float> samples);

    int sampleRate;
    int channels;
    std::vector<float> samples;  // interleaved
};
