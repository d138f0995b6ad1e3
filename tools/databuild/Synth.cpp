#include "tools/databuild/Synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace DataBuild::Synth {

namespace {

constexpr int tableBits = 12;
constexpr int tableSize = 1 << tableBits;

const std::array<float, tableSize + 1>& SineTable()
{
    static const auto table = [] {
        std::array<float, tableSize + 1> t{};
        for (int i = 0; i <= tableSize; ++i)
            t[i] = static_cast<float>(std::sin(2 * kPi * i / tableSize));
        return t;
    }();
    return table;
}

// exp(-1 / (tau * rate)): the per-sample factor of a decay with time constant `tau` seconds.
double DecayFactor(double tau) { return tau <= 0 ? 0.0 : std::exp(-1.0 / (tau * kRate)); }

size_t FramesOf(double seconds) { return static_cast<size_t>(std::max(0.0, std::round(seconds * kRate))); }

// Multiplies `out` by the envelope, evaluated every 32 samples and interpolated between.
void ApplyEnvelope(std::vector<float>& out, const Envelope& envelope, double held)
{
    constexpr size_t step = 32;
    double previous = envelope.At(0, held);
    for (size_t start = 0; start < out.size(); start += step) {
        const size_t end = std::min(out.size(), start + step);
        const double next = envelope.At(static_cast<double>(start + step) / kRate, held);
        const double slope = (next - previous) / step;
        for (size_t i = start; i < end; ++i)
            out[i] *= static_cast<float>(previous + slope * static_cast<double>(i - start));
        previous = next;
    }
}

// Takes the last `seconds` of `out` down to zero along a raised cosine.
void TaperEnd(std::vector<float>& out, double seconds)
{
    const size_t n = std::min(out.size(), FramesOf(seconds));
    for (size_t i = 0; i < n; ++i) {
        const double x = static_cast<double>(i + 1) / static_cast<double>(n);
        out[out.size() - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * x));
    }
}

struct Partial {
    double ratio, amplitude, tau; // tau: decay time constant in seconds
};

// Struck bars and tines: decaying sines with a short linear attack. Each partial is a phasor turned and
// shrunk a little every sample (no table look-ups); all partials advance in one pass.
void Modal(double hz, const std::vector<Partial>& partials, double attack, double seconds, std::vector<float>& out)
{
    constexpr size_t most = 6;
    double re[most], im[most], turnRe[most], turnIm[most], amplitude[most];
    size_t count = 0;
    for (const Partial& p : partials) {
        const double f = hz * p.ratio;
        if (f >= 12000 || count == most) // soft sounds keep their partials well below the top of the band
            continue;
        const double w = 2 * kPi * f / kRate, r = DecayFactor(p.tau);
        re[count] = 1;
        im[count] = 0;
        turnRe[count] = r * std::cos(w);
        turnIm[count] = r * std::sin(w);
        amplitude[count] = p.amplitude;
        ++count;
    }
    out.resize(FramesOf(seconds));
    for (float& sample : out) {
        double sum = 0;
        for (size_t k = 0; k < count; ++k) {
            sum += amplitude[k] * im[k];
            const double nextRe = re[k] * turnRe[k] - im[k] * turnIm[k];
            im[k] = re[k] * turnIm[k] + im[k] * turnRe[k];
            re[k] = nextRe;
        }
        sample = static_cast<float>(sum);
    }
    const size_t attackFrames = std::min(out.size(), FramesOf(attack));
    for (size_t i = 0; i < attackFrames; ++i)
        out[i] *= static_cast<float>(i) / static_cast<float>(attackFrames);
    TaperEnd(out, seconds * 0.2);
}

// Frequency modulation: carrier `hz`, modulator `hz * ratio`, index decaying from `index` to `floor`
// with `indexTau`; the amplitude decays with `tau`.
void FmBell(double hz, double ratio, double index, double floor, double indexTau, double tau, double seconds,
            std::vector<float>& out)
{
    out.resize(FramesOf(seconds));
    const double carrier = hz / kRate, modulator = hz * ratio / kRate;
    const double indexFactor = DecayFactor(indexTau), levelFactor = DecayFactor(tau);
    double cPhase = 0, mPhase = 0, depth = index - floor, level = 1;
    const size_t attack = FramesOf(0.002);
    for (size_t i = 0; i < out.size(); ++i) {
        const double modulation = (floor + depth) * Sin(mPhase) / (2 * kPi);
        double s = level * Sin(cPhase + modulation);
        if (i < attack)
            s *= static_cast<double>(i) / attack;
        out[i] = static_cast<float>(s);
        cPhase += carrier;
        mPhase += modulator;
        depth *= indexFactor;
        level *= levelFactor;
    }
    TaperEnd(out, seconds * 0.2);
}

// Karplus-Strong string: a delay line of one period with an averaging loss filter, tuned by a first-order
// allpass. `brightness` is the excitation's lowpass in Hz; `tau` the decay time constant of the fundamental.
void Pluck(double hz, double held, double brightness, double tau, double release, uint32_t seed, std::vector<float>& out)
{
    const double period = static_cast<double>(kRate) / hz - 0.5; // the averager delays half a sample
    const int length = std::max(2, static_cast<int>(std::floor(period - 0.1)));
    const double fraction = period - length;
    const double c = (1 - fraction) / (1 + fraction);
    const double rho = std::exp(-1.0 / (hz * tau));

    std::vector<float> line(static_cast<size_t>(length));
    Noise noise(seed);
    OnePole soften(brightness);
    double mean = 0;
    for (float& s : line) {
        s = soften.Process(noise.Next());
        mean += s;
    }
    mean /= length;
    double energy = 0;
    for (float& s : line) {
        s -= static_cast<float>(mean);
        energy = std::max(energy, static_cast<double>(std::abs(s)));
    }
    for (float& s : line)
        s = static_cast<float>(s / std::max(energy, 1e-6));

    out.resize(FramesOf(held + release));
    double previous = 0, apIn = 0, apOut = 0;
    size_t at = 0;
    for (float& sample : out) {
        const double y = line[at];
        const double averaged = 0.5 * (y + previous);
        previous = y;
        const double tuned = c * averaged + apIn - c * apOut;
        apIn = averaged;
        apOut = tuned;
        line[at] = static_cast<float>(rho * tuned);
        at = at + 1 == line.size() ? 0 : at + 1;
        sample = static_cast<float>(y);
    }
    Envelope envelope{0.004, 0, 1, release}; // a finger, not a plectrum: the first noisy period is eased in
    ApplyEnvelope(out, envelope, held);
}

} // namespace

double NoteHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

float Sin(double cycles)
{
    const auto& table = SineTable();
    const double x = (cycles - std::floor(cycles)) * tableSize;
    const int i = std::min(static_cast<int>(x), tableSize - 1);
    const float f = static_cast<float>(x - i);
    return table[i] + f * (table[i + 1] - table[i]);
}

void Filter::Set(double hz, double q)
{
    hz = std::clamp(hz, 10.0, kRate * 0.45);
    g = std::tan(kPi * hz / kRate);
    k = 1.0 / std::max(q, 0.1);
    a1 = 1.0 / (1.0 + g * (g + k));
    a2 = g * a1;
    a3 = g * a2;
}

Filter::Out Filter::Process(float x)
{
    const double v3 = x - s2;
    const double v1 = a1 * s1 + a2 * v3;
    const double v2 = s2 + a2 * s1 + a3 * v3;
    s1 = 2 * v1 - s1;
    s2 = 2 * v2 - s2;
    return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(x - k * v1 - v2)};
}

OnePole::OnePole(double hz)
{
    if (hz > 0)
        a = 1.0 - std::exp(-2 * kPi * std::min(hz, kRate * 0.45) / kRate);
}

double Envelope::At(double t, double held) const
{
    auto holding = [&](double time) {
        if (time < attack)
            return time / attack;
        if (decay <= 0)
            return sustain;
        return sustain + (1 - sustain) * std::exp(-3.0 * (time - attack) / decay);
    };
    if (t <= held)
        return holding(t);
    if (release <= 0 || t >= held + release)
        return 0.0;
    const double u = (t - held) / release;
    return holding(held) * std::exp(-3.0 * u) * (1 - u);
}

void Voice(Instrument instrument, double midi, double held, double velocity, uint32_t seed, std::vector<float>& out)
{
    const double hz = NoteHz(midi);
    // Higher notes ring shorter, as bars and tines do.
    const double shorter = std::pow(440.0 / hz, 0.35);
    switch (instrument) {
    case Instrument::MusicBox: {
        const double tau = 0.8 * shorter;
        Modal(hz, {{1, 1, tau}, {2, 0.18, tau * 0.4}, {5.93, 0.2, 0.05}, {3.01, 0.05, 0.1}}, 0.002, tau * 4.5, out);
        break;
    }
    case Instrument::Marimba: {
        const double tau = 0.45 * shorter;
        Modal(hz, {{1, 1, tau}, {3.93, 0.28 * velocity, 0.08}, {9.2, 0.07 * velocity, 0.025}}, 0.0025, tau * 5, out);
        break;
    }
    case Instrument::Kalimba: {
        const double tau = 0.55 * shorter;
        Modal(hz, {{1, 1, tau}, {3.01, 0.05, 0.15}, {5.95, 0.3 * velocity, 0.04}, {8.9, 0.1, 0.015}}, 0.001, tau * 5,
              out);
        break;
    }
    case Instrument::Glockenspiel: {
        const double tau = 1.0 * shorter;
        Modal(hz, {{1, 1, tau}, {2.76, 0.4, tau * 0.3}, {5.40, 0.2, 0.1}, {8.93, 0.08, 0.04}}, 0.0008, tau * 4.5,
              out);
        break;
    }
    case Instrument::Bell: {
        const double tau = 1.4 * shorter;
        FmBell(hz, 1.4, 2.2 * velocity + 0.4, 0.3, 0.5, tau, tau * 4.5, out);
        break;
    }
    case Instrument::Chime: {
        const double tau = 0.45 * shorter;
        Modal(hz, {{1, 1, tau}, {2.76, 0.25 * velocity, tau * 0.25}, {5.40, 0.08 * velocity, 0.03}, {0.5, 0.04, tau}},
              0.001, tau * 4.5, out);
        break;
    }
    case Instrument::Pizzicato:
        Pluck(hz, std::max(held, 0.05), 1800 + 2500 * velocity, 0.3 * shorter, 0.12, seed, out);
        break;
    case Instrument::PluckBass: {
        Pluck(hz, std::max(held, 0.1), 500 + 700 * velocity, 0.9, 0.18, seed, out);
        OnePole lowpass(1400);
        for (float& s : out)
            s = lowpass.Process(s);
        break;
    }
    case Instrument::SoftBass: {
        const Envelope envelope{0.012, 0.5, 0.55, 0.15};
        out.resize(FramesOf(envelope.Length(held)));
        const double increment = hz / kRate;
        double phase = 0;
        for (float& s : out) {
            s = static_cast<float>(Sin(phase) + 0.22 * Sin(2 * phase) + 0.06 * Sin(3 * phase));
            phase += increment;
        }
        ApplyEnvelope(out, envelope, held);
        break;
    }
    case Instrument::Flute: {
        const Envelope envelope{0.06, 0.25, 0.8, 0.12};
        out.resize(FramesOf(envelope.Length(held)));
        Noise noise(seed);
        Filter breath;
        breath.Set(hz * 2, 1.5);
        const double increment = hz / kRate, vibratoRate = 5.1 / kRate;
        double phase = 0, vibrato = 0.25; // vibrato starts at a trough so the pitch eases in
        for (size_t i = 0; i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double depth = 0.0045 * std::min(1.0, std::max(0.0, (t - 0.12) / 0.3));
            phase += increment * (1 + depth * Sin(vibrato));
            vibrato += vibratoRate;
            const double chiff = t < 0.04 ? 0.35 * (1 - t / 0.04) : 0.0;
            const double air = breath.Process(noise.Next()).band * (0.05 + chiff);
            out[i] = static_cast<float>(Sin(phase) + 0.16 * Sin(2 * phase) + 0.05 * Sin(3 * phase) + air);
        }
        ApplyEnvelope(out, envelope, held);
        break;
    }
    case Instrument::Pad: {
        const Envelope envelope{0.35, 0.6, 0.75, 0.8};
        out.resize(FramesOf(envelope.Length(held)));
        const double a = hz * 1.0029 / kRate, b = hz * 0.9971 / kRate; // +-5 cents
        double pa = 0, pb = 0.37;
        for (float& s : out) {
            s = static_cast<float>(0.5 * (Sin(pa) + Sin(pb)) + 0.12 * Sin(2 * pa) + 0.05 * Sin(3 * pb));
            pa += a;
            pb += b;
        }
        ApplyEnvelope(out, envelope, held);
        break;
    }
    case Instrument::Horn: {
        const Envelope envelope{0.045, 0.15, 0.75, 0.12};
        out.resize(FramesOf(envelope.Length(held)));
        const double increment = hz / kRate;
        double phase = 0;
        OnePole lowpass(2800);
        for (size_t i = 0; i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double level = envelope.At(t, held);
            const double modulation = (0.3 + 1.3 * level * velocity) * Sin(phase) / (2 * kPi);
            out[i] = lowpass.Process(static_cast<float>(level * Sin(phase + modulation)));
            phase += increment;
        }
        break;
    }
    case Instrument::Wood: {
        Modal(hz, {{1, 1, 0.022}, {2.57, 0.35, 0.01}, {4.1, 0.1, 0.005}}, 0.0007, std::max(0.04, held), out);
        Noise noise(seed);
        Filter knock;
        knock.Set(hz * 1.5, 2);
        const size_t click = std::min(out.size(), FramesOf(0.004));
        for (size_t i = 0; i < click; ++i)
            out[i] += 0.3f * knock.Process(noise.Next()).band * static_cast<float>(click - i) / click;
        break;
    }
    }
    const float gain = static_cast<float>(velocity);
    for (float& s : out)
        s *= gain;
}

Mix::Mix(int channels, double seconds, double tail)
    : channels(channels), frames(FramesOf(seconds)), total(FramesOf(seconds) + FramesOf(tail)),
      samples(total * static_cast<size_t>(channels)), send(total)
{
    if (channels != 1 && channels != 2)
        throw std::runtime_error("a mix has one or two channels");
}

void Mix::Add(double time, const std::vector<float>& voice, double gain, double pan, double sendShare)
{
    const long long first = std::llround(time * kRate);
    const size_t skip = first < 0 ? static_cast<size_t>(-first) : 0;
    const size_t start = first < 0 ? 0 : static_cast<size_t>(first);
    if (start >= total || skip >= voice.size())
        return;
    const size_t n = std::min(voice.size() - skip, total - start);
    const float* in = voice.data() + skip;
    if (channels == 1) {
        const float g = static_cast<float>(gain);
        for (size_t i = 0; i < n; ++i)
            samples[start + i] += g * in[i];
    } else {
        const double angle = (std::clamp(pan, -1.0, 1.0) + 1) * kPi / 4;
        const float left = static_cast<float>(gain * std::cos(angle) * std::sqrt(2.0));
        const float right = static_cast<float>(gain * std::sin(angle) * std::sqrt(2.0));
        float* out = samples.data() + 2 * start;
        for (size_t i = 0; i < n; ++i) {
            out[2 * i] += left * in[i];
            out[2 * i + 1] += right * in[i];
        }
    }
    if (sendShare > 0) {
        const float g = static_cast<float>(gain * sendShare);
        for (size_t i = 0; i < n; ++i)
            send[start + i] += g * in[i];
    }
}

void Mix::Note(double time, Instrument instrument, double midi, double held, double velocity, double gain, double pan,
               double sendShare)
{
    Voice(instrument, midi, held, velocity, static_cast<uint32_t>(midi * 977 + time * 7919) + 1, scratch);
    Add(time, scratch, gain, pan, sendShare);
}

void Mix::Reverb(double wet, double size, double damping)
{
    // Four damped combs in parallel, then two allpasses per channel with slightly different lengths.
    constexpr size_t combLengths[] = {1116, 1188, 1277, 1356};
    constexpr size_t allpassLengths[2][2] = {{556, 441}, {579, 464}};
    const double feedback = 0.7 + 0.28 * std::clamp(size, 0.0, 1.0);
    struct Comb {
        std::vector<float> line;
        size_t at = 0;
        float store = 0;
    };
    struct Allpass {
        std::vector<float> line;
        size_t at = 0;
    };
    Comb combs[4];
    for (int c = 0; c < 4; ++c)
        combs[c].line.assign(combLengths[c], 0.0f);
    Allpass allpasses[2][2];
    for (int ch = 0; ch < 2; ++ch)
        for (int a = 0; a < 2; ++a)
            allpasses[ch][a].line.assign(allpassLengths[ch][a], 0.0f);

    const float fb = static_cast<float>(feedback), damp = static_cast<float>(damping), keep = 1 - damp;
    const float gain = static_cast<float>(wet * 0.25);
    for (size_t i = 0; i < total; ++i) {
        const float in = send[i];
        float sum = 0;
        for (Comb& comb : combs) {
            const float out = comb.line[comb.at];
            comb.store = out * keep + comb.store * damp;
            comb.line[comb.at] = in + comb.store * fb;
            comb.at = comb.at + 1 == comb.line.size() ? 0 : comb.at + 1;
            sum += out;
        }
        float channelOut[2];
        for (int ch = 0; ch < channels; ++ch) {
            float x = sum;
            for (Allpass& allpass : allpasses[ch]) {
                const float delayed = allpass.line[allpass.at];
                allpass.line[allpass.at] = x + delayed * 0.5f;
                x = delayed - x;
                allpass.at = allpass.at + 1 == allpass.line.size() ? 0 : allpass.at + 1;
            }
            channelOut[ch] = x;
        }
        if (channels == 1)
            samples[i] += gain * channelOut[0];
        else {
            samples[2 * i] += gain * channelOut[0];
            samples[2 * i + 1] += gain * channelOut[1];
        }
    }
}

std::vector<float> Mix::Loop() const
{
    const size_t width = static_cast<size_t>(channels);
    std::vector<float> out(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(frames * width));
    for (size_t i = frames; i < total; ++i)
        for (size_t c = 0; c < width; ++c)
            out[((i - frames) % frames) * width + c] += samples[i * width + c];
    return out;
}

std::vector<float> Mix::OneShot() const
{
    const size_t width = static_cast<size_t>(channels);
    std::vector<float> out(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(frames * width));
    const size_t in = std::min(frames, FramesOf(0.005));
    const size_t tail = std::min(frames, std::max(FramesOf(0.005), std::min(FramesOf(0.12), frames / 8)));
    for (size_t i = 0; i < frames; ++i) {
        double g = 1;
        if (i < in)
            g = 0.5 - 0.5 * std::cos(kPi * static_cast<double>(i) / in);
        if (i + tail >= frames)
            g *= 0.5 - 0.5 * std::cos(kPi * static_cast<double>(frames - 1 - i) / tail);
        for (size_t c = 0; c < width; ++c)
            out[i * width + c] *= static_cast<float>(g);
    }
    return out;
}

void Normalise(std::vector<float>& samples, double peak)
{
    float largest = 0;
    for (float s : samples)
        largest = std::max(largest, std::abs(s));
    if (largest <= 0)
        return;
    const float scale = static_cast<float>(peak / largest);
    for (float& s : samples)
        s *= scale;
}

namespace {

// Reads a note name at `at` ("C5", "F#4", "Bb3"); returns its MIDI number.
double ReadPitch(const std::string& text, size_t& at)
{
    static const int letters[] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text.at(at))));
    if (letter < 'A' || letter > 'G')
        throw std::runtime_error("bad note in \"" + text + "\"");
    int pitch = letters[letter - 'A'];
    ++at;
    while (at < text.size() && (text[at] == '#' || text[at] == 'b')) {
        pitch += text[at] == '#' ? 1 : -1;
        ++at;
    }
    int octave = 0;
    bool digits = false;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        octave = octave * 10 + (text[at] - '0');
        digits = true;
        ++at;
    }
    if (!digits)
        throw std::runtime_error("note without an octave in \"" + text + "\"");
    return 12.0 * (octave + 1) + pitch;
}

} // namespace

std::vector<Event> Parse(const std::string& notes, double startBeat)
{
    std::vector<Event> events;
    double beat = startBeat, length = 1;
    size_t at = 0;
    auto skipSpace = [&] {
        while (at < notes.size() && (std::isspace(static_cast<unsigned char>(notes[at])) || notes[at] == '|'))
            ++at;
    };
    for (skipSpace(); at < notes.size(); skipSpace()) {
        std::vector<double> pitches;
        if (notes[at] == 'r') {
            ++at;
        } else if (notes[at] == '[') {
            ++at;
            for (skipSpace(); at < notes.size() && notes[at] != ']'; skipSpace())
                pitches.push_back(ReadPitch(notes, at));
            ++at;
        } else {
            pitches.push_back(ReadPitch(notes, at));
        }
        if (at < notes.size() && notes[at] == ':') {
            ++at;
            const size_t begin = at;
            while (at < notes.size() && (std::isdigit(static_cast<unsigned char>(notes[at])) || notes[at] == '.'))
                ++at;
            length = std::stod(notes.substr(begin, at - begin));
        }
        double velocity = 0.8;
        for (; at < notes.size() && (notes[at] == '!' || notes[at] == '\''); ++at)
            velocity = notes[at] == '!' ? 1.0 : 0.6;
        for (double pitch : pitches)
            events.push_back({beat, length, pitch, velocity});
        beat += length;
    }
    return events;
}

void Play(Mix& mix, const Part& part, const std::vector<Event>& events, double secondsPerBeat, int beatsPerBar,
          uint32_t seed)
{
    Noise noise(seed);
    for (const Event& e : events) {
        const double inBar = std::fmod(e.beat, beatsPerBar);
        const double accent = inBar < 0.01 ? 1.0 : std::abs(inBar - std::round(inBar)) < 0.01 ? 0.9 : 0.82;
        const double velocity = std::clamp(e.velocity * accent * (0.96 + 0.08 * noise.Uniform()), 0.05, 1.0);
        const double time = e.beat * secondsPerBeat + 0.003 * noise.Next(); // a player's few milliseconds
        mix.Note(std::max(0.0, time), part.instrument, e.midi + part.transpose, e.beats * secondsPerBeat * part.legato,
                 velocity, part.gain, part.pan, part.send);
    }
}

std::vector<int> ChordTones(const std::string& symbol)
{
    static const int letters[] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    if (symbol.empty() || symbol[0] < 'A' || symbol[0] > 'G')
        throw std::runtime_error("bad chord \"" + symbol + "\"");
    int root = letters[symbol[0] - 'A'];
    size_t at = 1;
    for (; at < symbol.size() && (symbol[at] == '#' || symbol[at] == 'b'); ++at)
        root += symbol[at] == '#' ? 1 : -1;
    root = (root + 12) % 12;
    const std::string quality = symbol.substr(at);
    std::vector<int> intervals;
    if (quality.empty())
        intervals = {0, 4, 7};
    else if (quality == "m")
        intervals = {0, 3, 7};
    else if (quality == "7")
        intervals = {0, 4, 7, 10};
    else if (quality == "m7")
        intervals = {0, 3, 7, 10};
    else if (quality == "maj7")
        intervals = {0, 4, 7, 11};
    else if (quality == "sus4")
        intervals = {0, 5, 7};
    else if (quality == "6")
        intervals = {0, 4, 7, 9};
    else
        throw std::runtime_error("unknown chord \"" + symbol + "\"");
    for (int& i : intervals)
        i = (root + i) % 12;
    return intervals;
}

std::vector<double> Voicing(const std::string& symbol, int low)
{
    std::vector<double> notes;
    for (int pc : ChordTones(symbol))
        notes.push_back(low + ((pc - low) % 12 + 12) % 12);
    std::sort(notes.begin(), notes.end());
    return notes;
}

double Root(const std::string& symbol, int low)
{
    const int pc = ChordTones(symbol).front();
    return low + ((pc - low) % 12 + 12) % 12;
}

} // namespace DataBuild::Synth
