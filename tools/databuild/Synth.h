#pragma once
// A small synthesiser for the game's sounds: oscillators read from one sine table, struck, blown and
// plucked instruments, filtered noise, a comb-and-allpass reverb and a note-list sequencer that renders
// into a mix. Samples are floats in -1..1 at 44100 Hz; times are in seconds, pitches are MIDI note
// numbers (69 = A4 = 440 Hz). Everything is deterministic: noise comes from fixed seeds.
// Per-sample work stays small: no allocation inside sample loops, a few filters per voice at most.

#include <cstdint>
#include <string>
#include <vector>

namespace DataBuild::Synth {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// 440 * 2^((midi - 69) / 12).
double NoteHz(double midi);

// Sine of a phase given in cycles (any value; only the fraction counts).
float Sin(double cycles);

// White noise in -1..1 from a 32-bit xorshift; the same seed gives the same samples everywhere.
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
    float Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(static_cast<int32_t>(state)) * (1.0f / 2147483648.0f);
    }
    // 0..1
    double Uniform() { return 0.5 + 0.5 * Next(); }

private:
    uint32_t state;
};

// A state-variable filter (trapezoidal, stable at every cutoff); `Set` may be called every sample.
class Filter {
public:
    struct Out {
        float low, band, high;
    };
    void Set(double hz, double q);
    Out Process(float x);

private:
    double g = 0, k = 1, a1 = 0, a2 = 0, a3 = 0;
    double s1 = 0, s2 = 0;
};

// A one-pole lowpass; `hz` <= 0 passes the signal through.
class OnePole {
public:
    explicit OnePole(double hz = 0);
    float Process(float x)
    {
        z += a * (x - z);
        return static_cast<float>(z);
    }

private:
    double a = 1, z = 0;
};

// Attack, decay to sustain, release after `held` seconds; linear attack, exponential-like decay and
// release (time constants of a third of the stage).
struct Envelope {
    double attack = 0.005, decay = 0.1, sustain = 1.0, release = 0.05;
    // The level at `t` of a note held `held` seconds.
    double At(double t, double held) const;
    double Length(double held) const { return held + release; }
};

enum class Instrument {
    MusicBox,
    Marimba,
    Kalimba,
    Glockenspiel,
    Bell,     // FM bell, long inharmonic ring
    Chime,    // small bell: short, bright, partials kept low
    Pizzicato,
    PluckBass,
    SoftBass,
    Flute,
    Pad,
    Horn,
    Wood,     // hollow wooden tock
};

// One note of an instrument: `held` seconds of holding (struck and plucked sounds ring on regardless,
// damped after `held`), `velocity` 0..1. `out` is resized to the sound's whole length.
void Voice(Instrument instrument, double midi, double held, double velocity, uint32_t seed, std::vector<float>& out);

// A mix of `channels` (1 or 2) lasting `seconds`, plus `tail` seconds where sounds may ring past the end:
// a loop folds the tail back onto its start, a one-shot drops it.
class Mix {
public:
    Mix(int channels, double seconds, double tail);

    // Adds `voice` at `time`: `pan` -1 (left) .. 1 (right), `send` the share fed to the reverb.
    void Add(double time, const std::vector<float>& voice, double gain, double pan = 0, double send = 0);
    // Renders one note of an instrument and adds it.
    void Note(double time, Instrument instrument, double midi, double held, double velocity, double gain,
              double pan = 0, double send = 0);
    // Adds any sound made sample by sample: `sample(i)` for i in 0..frames-1.
    template <typename F>
    void Render(double time, size_t frames, double gain, double pan, F&& sample)
    {
        scratch.resize(frames);
        for (size_t i = 0; i < frames; ++i)
            scratch[i] = static_cast<float>(sample(i));
        Add(time, scratch, gain, pan, 0);
    }

    // Runs the reverb over everything sent to it and adds it at `wet`; `size` 0..1 scales the decay.
    void Reverb(double wet, double size = 0.5, double damping = 0.4);

    // Interleaved samples of exactly `seconds`: the tail folded onto the start (a seamless loop) ...
    std::vector<float> Loop() const;
    // ... or dropped, with a 5 ms fade in and a fade out of at least 5 ms.
    std::vector<float> OneShot() const;

    int Channels() const { return channels; }
    size_t Frames() const { return frames; }

private:
    int channels;
    size_t frames, total;
    std::vector<float> samples; // interleaved, total frames
    std::vector<float> send;    // mono
    std::vector<float> scratch;
};

// Scales `samples` so the largest magnitude is `peak`.
void Normalise(std::vector<float>& samples, double peak);

// A note list: "C5:1 D5 E5:.5 r:1 [F3 A3 C4]:3". Each token is a note (letter, '#' or 'b', octave),
// a rest 'r' or a chord in brackets, then ':' and its length in beats; a token without a length keeps
// the previous one. A trailing '!' accents a note, a trailing '\'' softens it.
struct Event {
    double beat = 0, beats = 1;
    double midi = 60;
    double velocity = 0.8;
};
std::vector<Event> Parse(const std::string& notes, double startBeat = 0);

// Plays events on an instrument: `secondsPerBeat` sets the tempo, `beatsPerBar` the accents (the first
// beat of a bar a little louder), `legato` the share of each note's length that is held.
struct Part {
    Instrument instrument;
    double gain = 1, pan = 0, send = 0.2;
    double legato = 0.9;
    double transpose = 0; // semitones
};
void Play(Mix& mix, const Part& part, const std::vector<Event>& events, double secondsPerBeat, int beatsPerBar,
          uint32_t seed);

// A chord symbol's pitch classes (0 = C): root letter, optional '#'/'b', then "m", "7", "m7", "maj7",
// "sus4", "6" or nothing (major). "C7" -> {0, 4, 7, 10}.
std::vector<int> ChordTones(const std::string& symbol);
// The chord's tones placed in the octave range [low, low + 12).
std::vector<double> Voicing(const std::string& symbol, int low);
// The root placed in [low, low + 12).
double Root(const std::string& symbol, int low);

} // namespace DataBuild::Synth
