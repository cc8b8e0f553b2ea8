#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "audio/wav_header.h"

// The film's music as samples, laid under the exported picture at the film's time: the music
// starts with the film's first frame and starts over when it ends, as the player plays it. The
// samples are read from the file as they are needed, never held whole, and come at a rate the
// sound encoder takes: a file at another rate is resampled on the way.
class MusicTrack {
  public:
    // Opens a PCM or float wave file; throws ExportError saying why it cannot.
    static MusicTrack Load(const std::string& path);
    // Silence, for a film whose music cannot be read.
    static MusicTrack Silence(int sampleRate, int channels);

    int SampleRate() const { return outputRate; }
    int Channels() const { return channels; }
    // Interleaved samples in [-1, 1] of the sample frames [begin, end) of the film's sound, at
    // SampleRate().
    std::vector<float> Samples(std::int64_t begin, std::int64_t end) const;

  private:
    MusicTrack(int outputRate, int channels) : outputRate(outputRate), channels(channels) {}
    // `count` frames of the file from frame `first` on, starting over at its end.
    std::vector<float> FileFrames(std::int64_t first, std::int64_t count) const;

    int outputRate;
    int channels;
    std::string path;
    WavHeader wave;
    std::int64_t fileFrames = 0;          // 0 for silence
    std::unique_ptr<std::ifstream> file;  // read as the export goes
};

// The rate the sound encoder takes that is nearest above `rate` (the highest it takes when none
// is): a file at one of them keeps its own.
int EncoderSampleRate(int rate);
