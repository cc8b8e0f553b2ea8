#include "fluid_renderer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace lumenvale::music {

namespace {

constexpr int kSampleRate = 44100;
constexpr int kChannelVolume = 100;
constexpr int kExpressionController = 11;
constexpr int kVolumeController = 7;
constexpr int kPanController = 10;
constexpr int kReverbController = 91;
constexpr int kChorusController = 93;
// The loudness curve is sent as expression this often; fine enough that a swell sounds smooth.
constexpr double kDynamicsStepBeats = 1.0 / 24.0;

enum class EventKind { kNoteOff, kControl, kNoteOn };  // order of events on the same frame

struct MidiEvent {
    std::int64_t frame;
    EventKind kind;
    int channel;
    int data1;
    int data2;
};

struct SettingsDeleter {
    void operator()(fluid_settings_t* settings) const { delete_fluid_settings(settings); }
};
struct SynthDeleter {
    void operator()(fluid_synth_t* synth) const { delete_fluid_synth(synth); }
};

std::unique_ptr<fluid_settings_t, SettingsDeleter> MakeSettings() {
    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings(new_fluid_settings());
    if (!settings) throw std::runtime_error("FluidSynth settings could not be created");
    fluid_settings_t* s = settings.get();
    fluid_settings_setnum(s, "synth.sample-rate", kSampleRate);
    fluid_settings_setint(s, "synth.cpu-cores", 1);
    fluid_settings_setint(s, "synth.polyphony", 256);
    fluid_settings_setnum(s, "synth.gain", 0.4);
    fluid_settings_setint(s, "synth.dynamic-sample-loading", 1);
    // A concert-hall reverb; no chorus, which would blur the strings.
    fluid_settings_setint(s, "synth.reverb.active", 1);
    fluid_settings_setnum(s, "synth.reverb.room-size", 0.72);
    fluid_settings_setnum(s, "synth.reverb.damp", 0.35);
    fluid_settings_setnum(s, "synth.reverb.width", 0.9);
    fluid_settings_setnum(s, "synth.reverb.level", 0.55);
    fluid_settings_setint(s, "synth.chorus.active", 0);
    return settings;
}

std::int64_t FrameAt(const Score& score, double beat) {
    return std::llround(score.SecondsAt(beat) * kSampleRate);
}

int ExpressionValue(double level) {
    return std::clamp(static_cast<int>(std::lround(level * 127.0)), 0, 127);
}

std::vector<MidiEvent> Schedule(const Score& score, double seconds) {
    std::vector<MidiEvent> events;
    for (const Part& part : score.parts) {
        for (const Note& note : part.notes) {
            events.push_back({FrameAt(score, note.startBeat), EventKind::kNoteOn, part.channel,
                              note.pitch, note.velocity});
            events.push_back({FrameAt(score, note.startBeat + note.lengthBeats),
                              EventKind::kNoteOff, part.channel, note.pitch, 0});
        }
    }
    int sent = ExpressionValue(score.DynamicLevelAt(0.0));
    const double lastBeat = seconds * score.beatsPerMinute / 60.0;
    for (double beat = kDynamicsStepBeats; beat < lastBeat; beat += kDynamicsStepBeats) {
        const int value = ExpressionValue(score.DynamicLevelAt(beat));
        if (value == sent) continue;
        sent = value;
        for (const Part& part : score.parts) {
            events.push_back({FrameAt(score, beat), EventKind::kControl, part.channel,
                              kExpressionController, value});
        }
    }
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
        return a.frame != b.frame ? a.frame < b.frame : a.kind < b.kind;
    });
    return events;
}

void SetUpChannels(fluid_synth_t* synth, const Score& score) {
    const int expression = ExpressionValue(score.DynamicLevelAt(0.0));
    for (const Part& part : score.parts) {
        fluid_synth_program_change(synth, part.channel, part.program);
        fluid_synth_cc(synth, part.channel, kVolumeController, kChannelVolume);
        fluid_synth_cc(synth, part.channel, kPanController, part.pan);
        fluid_synth_cc(synth, part.channel, kReverbController, part.reverbSend);
        fluid_synth_cc(synth, part.channel, kChorusController, 0);
        fluid_synth_cc(synth, part.channel, kExpressionController, expression);
    }
}

// A note struck again while it still sounds takes over the voice; the earlier note's release must
// then not cut the later one short, so a key is released only when its last note ends.
class KeyTracker {
  public:
    void press(int channel, int key) { ++counts_[index(channel, key)]; }
    bool release(int channel, int key) {
        int& count = counts_[index(channel, key)];
        if (count == 0) return false;
        return --count == 0;
    }

  private:
    static std::size_t index(int channel, int key) {
        return static_cast<std::size_t>(channel) * 128 + static_cast<std::size_t>(key);
    }
    std::array<int, 16 * 128> counts_{};
};

}  // namespace

StereoBuffer RenderScore(const Score& score, const std::string& soundfontPath, double seconds) {
    const auto settings = MakeSettings();
    const std::unique_ptr<fluid_synth_t, SynthDeleter> SynthOwner(new_fluid_synth(settings.get()));
    fluid_synth_t* synth = SynthOwner.get();
    if (!synth) throw std::runtime_error("FluidSynth synthesizer could not be created");
    if (fluid_synth_sfload(synth, soundfontPath.c_str(), 1) == FLUID_FAILED) {
        throw std::runtime_error("soundfont could not be loaded: " + soundfontPath);
    }
    SetUpChannels(synth, score);

    StereoBuffer buffer;
    buffer.sampleRate = kSampleRate;
    const auto total = static_cast<std::size_t>(std::llround(seconds * kSampleRate));
    buffer.left.assign(total, 0.0f);
    buffer.right.assign(total, 0.0f);

    std::size_t rendered = 0;
    const auto RenderUntil = [&](std::size_t frame) {
        if (frame <= rendered) return;
        fluid_synth_write_float(synth, static_cast<int>(frame - rendered), buffer.left.data(),
                                static_cast<int>(rendered), 1, buffer.right.data(),
                                static_cast<int>(rendered), 1);
        rendered = frame;
    };

    KeyTracker keys;
    for (const MidiEvent& event : Schedule(score, seconds)) {
        if (event.frame >= static_cast<std::int64_t>(total)) break;
        RenderUntil(static_cast<std::size_t>(event.frame));
        switch (event.kind) {
            case EventKind::kNoteOn:
                keys.press(event.channel, event.data1);
                fluid_synth_noteon(synth, event.channel, event.data1, event.data2);
                break;
            case EventKind::kNoteOff:
                if (keys.release(event.channel, event.data1)) {
                    fluid_synth_noteoff(synth, event.channel, event.data1);
                }
                break;
            case EventKind::kControl:
                fluid_synth_cc(synth, event.channel, event.data1, event.data2);
                break;
        }
    }
    RenderUntil(total);
    return buffer;
}

}  // namespace lumenvale::music
