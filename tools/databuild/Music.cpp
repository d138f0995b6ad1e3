// The music, written as note lists: each piece is a little tune in sections (phrases that come back and
// vary), a chord chart the accompaniment is drawn from, and a mix of a few soft instruments. The looped
// pieces fill their length with whole bars; the tempo is nudged (under 1 %) so they do.
#include "tools/databuild/Music.h"

#include "tools/databuild/Synth.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace DataBuild {

namespace {

using namespace Synth;
using I = Instrument;

// A chord held over a stretch of beats.
struct Span {
    double beat, beats;
    std::string chord;
};

// "F | Dm | Em A7": bars separated by '|', one chord per bar or two (each half of the bar).
std::vector<Span> Chart(const std::string& text, int beatsPerBar, double startBeat)
{
    std::vector<Span> spans;
    std::stringstream bars(text);
    std::string bar;
    double beat = startBeat;
    while (std::getline(bars, bar, '|')) {
        std::stringstream words(bar);
        std::vector<std::string> chords;
        for (std::string chord; words >> chord;)
            chords.push_back(chord);
        if (chords.empty())
            continue;
        const double each = static_cast<double>(beatsPerBar) / static_cast<double>(chords.size());
        for (const std::string& chord : chords) {
            spans.push_back({beat, each, chord});
            beat += each;
        }
    }
    return spans;
}

// Moves each note of a major key `steps` scale degrees (negative: down): a parallel harmony line.
std::vector<Event> Diatonic(std::vector<Event> events, int key, int steps, double velocityScale)
{
    static const int scale[] = {0, 2, 4, 5, 7, 9, 11};
    for (Event& e : events) {
        const int midi = static_cast<int>(std::lround(e.midi));
        const int relative = ((midi - key) % 12 + 12) % 12;
        const int* found = std::find(std::begin(scale), std::end(scale), relative);
        if (found == std::end(scale))
            continue; // a chromatic note keeps its pitch
        const int degree = static_cast<int>(found - scale) + steps;
        const int octave = static_cast<int>(std::floor(degree / 7.0));
        e.midi = midi - relative + scale[((degree % 7) + 7) % 7] + 12 * octave;
        e.velocity *= velocityScale;
    }
    return events;
}

std::vector<Event> Join(std::vector<Event> a, const std::vector<Event>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Loops a mix seamlessly: reverb, then the tail folded back onto the start.
std::vector<float> Finish(Mix& mix, double wet, double size)
{
    mix.Reverb(wet, size, 0.45);
    return mix.Loop();
}

} // namespace

std::vector<float> MenuWaltz(double seconds)
{
    // F major, 3/4: 3 bars of introduction, then A A' B A'' and a coda of 8 bars each (43 bars).
    constexpr int beatsPerBar = 3, bars = 43;
    const double beat = seconds / (bars * beatsPerBar); // ~96.75 beats a minute
    const std::string a = "F | F | Dm | Dm | Gm | C7 | F | C7 |";
    const std::string closed = "F | F | Dm | Dm | Gm | C7 | F | F |";
    const std::string chart = "F | Bb | C7 |" + a + closed + "Bb | Bb | F | F | Gm | C7 | F | C7 |" + closed +
                              "Bb | C7 | F | Dm | Gm | C7 | F | F";
    const std::string tune[] = {
        "C5:1 F5 A5 | C6:2 A5:1 | D5:1 F5 A5 | D6:2 C6:1 | Bb5:1 A5 G5 | G5:2 E5:1 | F5:2 A5:1 | G5:2 r:1",
        "C5:1 F5 A5 | C6:2 A5:1 | D5:1 F5 A5 | D6:2 C6:1 | Bb5:1 D6 Bb5 | A5:1 G5 E5 | F5:3 | r:3",
        "D5:2 F5:1 | Bb5:2 A5:1 | A5:1 G5 F5 | C6:3 | Bb5:1 A5 G5 | E5:1 G5 Bb5 | A5:2 F5:1 | G5:2 r:1",
        "C5:1 F5 A5 | C6:1 D6:.5 C6 A5:1 | D5:1 F5 A5 | D6:1 E6:.5 D6 C6:1 | Bb5:1 D6 Bb5 | A5:1 G5 E5 | F5:3 | r:3",
        "D6:2 Bb5:1 | C6:2 Bb5:1 | A5:2 C6:1 | F5:1 A5 D6 | Bb5:1 G5 E5 | G5:2 E5:1 | F5:3 | r:3",
    };
    std::vector<Event> melody, harmony;
    for (int section = 0; section < 5; ++section) {
        const std::vector<Event> phrase = Parse(tune[section], (3 + 8 * section) * beatsPerBar);
        melody = Join(melody, phrase);
        if (section >= 3) // the last time round a second music box follows a third below
            harmony = Join(harmony, Diatonic(phrase, 65, -2, 0.7));
    }

    Mix mix(2, seconds, 8);
    Play(mix, {I::MusicBox, 0.5, 0.2, 0.35, 1.0}, melody, beat, beatsPerBar, 1);
    Play(mix, {I::MusicBox, 0.3, -0.25, 0.35, 1.0}, harmony, beat, beatsPerBar, 2);

    // Oom-pah-pah: the plucked bass on the first beat (root, or the fifth when the chord repeats), chord
    // tones plucked lightly on the other two; a soft pad holds each bar.
    std::vector<Event> bass, pah, pad;
    std::string previous;
    for (const Span& span : Chart(chart, beatsPerBar, 0)) {
        const double root = Root(span.chord, 41);
        const std::vector<int> tones = ChordTones(span.chord);
        const double fifth = root + ((tones[2] - tones[0]) % 12 + 12) % 12;
        bass.push_back({span.beat, 1, span.chord == previous ? (fifth >= 53 ? fifth - 12 : fifth) : root, 0.9});
        for (double pitch : Voicing(span.chord, 57)) {
            pah.push_back({span.beat + 1, 0.8, pitch, 0.55});
            pah.push_back({span.beat + 2, 0.8, pitch, 0.5});
        }
        for (double pitch : Voicing(span.chord, 53))
            pad.push_back({span.beat, span.beats, pitch, 0.6});
        previous = span.chord;
    }
    Play(mix, {I::PluckBass, 0.55, 0, 0.12, 0.9}, bass, beat, beatsPerBar, 3);
    Play(mix, {I::Pizzicato, 0.14, -0.3, 0.25, 0.5}, pah, beat, beatsPerBar, 4);
    Play(mix, {I::Pad, 0.08, 0.35, 0.3, 1.0}, pad, beat, beatsPerBar, 5);
    return Finish(mix, 0.55, 0.55);
}

std::vector<float> PastoralMusic(double seconds)
{
    // G major, 2/4: 2 bars of introduction, then a a' b b' a a' c c' a a' (8 bars each; 82 bars).
    constexpr int beatsPerBar = 2, bars = 82;
    const double beat = seconds / (bars * beatsPerBar); // ~109.3 beats a minute
    const std::string a1 = "G | G | C | G | G | Em | A7 | D7 |", a2 = "G | G | C | G | C | D7 | G | G |";
    const std::string b1 = "C | C | G | G | Am | D7 | G | G |", b2 = "C | C | G | Em | Am | D7 | G | D7 |";
    const std::string c1 = "Em | Em | C | C | G | G | A7 | D7 |", c2 = "Em | Em | C | C | G | D7 | G | G |";
    const std::string chart = "G | G |" + a1 + a2 + b1 + b2 + a1 + a2 + c1 + c2 + a1 + a2;

    const std::string flute[] = {
        // a, a'
        "D5:.5 G5 A5 B5 | D6:1 B5:1 | C6:.5 B5 A5 G5 | B5:1 G5:1 | D5:.5 G5 A5 B5 | G5:1 E5:1 | E5:.5 F#5 G5 A5 | A5:2",
        "D5:.5 G5 A5 B5 | D6:1 B5:1 | E6:.5 D6 C6 E6 | D6:1 B5:1 | C6:.5 B5 A5 C6 | B5:.5 A5 G5 F#5 | G5:2 | r:1 D5:1",
        // b, b'
        "E5:1 G5:1 | C6:1.5 B5:.5 | B5:1 D5:1 | G5:2 | A5:.5 B5 C6 A5 | F#5:1 A5:1 | G5:1.5 A5:.5 | B5:2",
        "E6:1 C6:1 | G5:1.5 E5:.5 | D5:.5 G5 B5 D6 | E6:1 B5:1 | C6:.5 B5 A5 G5 | F#5:1 A5:1 | G5:2 | F#5:1 A5:1",
    };
    // In c the marimba sings and the flute answers in c'.
    const std::string marimbaTune =
        "B5:.5 G5 E5 G5 | B5:.5 E6 D6 B5 | C6:.5 G5 E5 G5 | C6:.5 E6 D6 C6 | B5:.5 G5 D5 G5 | B5:.5 D6 C6 B5 | "
        "A5:.5 C#6 E6 C#6 | D6:1 A5:.5 F#5";
    const std::string fluteAnswer = "B5:1.5 A5:.5 | G5:1 E5:1 | E6:1.5 D6:.5 | C6:1 G5:1 | B5:.5 A5 G5 B5 | A5:1 F#5:1 | G5:2 | r:2";

    auto at = [&](int bar) { return static_cast<double>(bar * beatsPerBar); };
    std::vector<Event> lead, sung;
    const int aBars[] = {2, 34, 66};
    for (int start : aBars) {
        lead = Join(lead, Parse(flute[0], at(start)));
        lead = Join(lead, Parse(flute[1], at(start + 8)));
    }
    lead = Join(lead, Parse(flute[2], at(18)));
    lead = Join(lead, Parse(flute[3], at(26)));
    lead = Join(lead, Parse(fluteAnswer, at(58)));
    sung = Parse(marimbaTune, at(50));
    // The last a a' gets the marimba a third below the flute.
    std::vector<Event> thirds = Diatonic(Join(Parse(flute[0], at(66)), Parse(flute[1], at(74))), 67, -2, 0.6);

    Mix mix(2, seconds, 8);
    Play(mix, {I::Flute, 0.42, 0.15, 0.35, 0.92}, lead, beat, beatsPerBar, 11);
    Play(mix, {I::Marimba, 0.4, -0.15, 0.3, 1.0}, sung, beat, beatsPerBar, 12);
    Play(mix, {I::Marimba, 0.32, -0.3, 0.3, 1.0}, thirds, beat, beatsPerBar, 13);

    // Oom-pah on the soft bass; marimba dyads on the off-beats (resting while the marimba sings).
    std::vector<Event> bass, offbeats;
    for (const Span& span : Chart(chart, beatsPerBar, 0)) {
        const double root = Root(span.chord, 40);
        const std::vector<int> tones = ChordTones(span.chord);
        const double fifth = root + ((tones[2] - tones[0]) % 12 + 12) % 12;
        bass.push_back({span.beat, 1, root, 0.9});
        bass.push_back({span.beat + 1, 1, fifth >= 52 ? fifth - 12 : fifth, 0.7});
        if (span.beat >= at(50) && span.beat < at(58))
            continue;
        const std::vector<double> chord = Voicing(span.chord, 62);
        for (double offbeat : {0.5, 1.5})
            for (size_t k = 0; k < 2; ++k)
                offbeats.push_back({span.beat + offbeat, 0.5, chord[k + (offbeat > 1 ? 1 : 0)], 0.5});
    }
    Play(mix, {I::SoftBass, 0.5, 0, 0.1, 0.8}, bass, beat, beatsPerBar, 14);
    Play(mix, {I::Marimba, 0.2, -0.35, 0.25, 1.0}, offbeats, beat, beatsPerBar, 15);
    return Finish(mix, 0.5, 0.5);
}

std::vector<float> PizzicatoMusic(double seconds)
{
    // D major, 4/4 at 104 beats a minute: 3 bars of introduction, A A' B A'' (8 bars each) and 4 of coda.
    constexpr int beatsPerBar = 4, bars = 39;
    const double beat = seconds / (bars * beatsPerBar);
    const std::string a1 = "D | G | D | A7 | D | G | Em A7 | D |", a2 = "D | G | D | A7 | Bm | G | A7 | D |";
    const std::string b = "G | A7 | F#m | Bm | G | D | Em | A7 |";
    const std::string chart = "D | D | A7 |" + a1 + a2 + b + a1 + "G | A7 | D | D";

    const std::string glockA = "F#5:1 A5 D6 A5 | B5:1.5 A5:.5 G5:2 | F#5:1 A5 D6 F#6 | E6:3 r:1 | "
                               "F#5:1 A5 D6 A5 | B5:1 D6 G6 D6 | E6:1 G5 C#6 E6 | D6:3 r:1";
    const std::string glockA2 = "F#5:1 A5 D6 A5 | B5:1.5 A5:.5 G5:2 | F#5:1 A5 D6 F#6 | E6:2 C#6:1 A5:1 | "
                                "B5:1 D6 F#6 D6 | B5:1 G5 B5 D6 | C#6:1 E6 A5 C#6 | D6:2 r:2";
    const std::string pizzB = "B4:1 D5 G5 B5 | A5:2 G5:1 E5:1 | F#5:1 A5 C#6 A5 | B5:2 F#5:2 | "
                              "G5:1 B5 D6 B5 | A5:1 F#5 D5 F#5 | G5:1 E5 B5 G5 | A5:2 C#5:1 E5:1";
    const std::string coda = "D6:1 B5 G5 B5 | A5:1 C#6 E6 C#6 | D6:2 A5:1 F#5:1 | D5:4";

    auto at = [&](int bar) { return static_cast<double>(bar * beatsPerBar); };
    std::vector<Event> glock = Join(Join(Parse(glockA, at(3)), Parse(glockA2, at(11))), Parse(glockA, at(27)));
    glock = Join(glock, Parse(coda, at(35)));
    std::vector<Event> pizzMelody = Parse(pizzB, at(19));
    // A'' doubles the bells with pizzicato an octave down; B gets the bells a sixth above, softly.
    pizzMelody = Join(pizzMelody, Diatonic(Parse(glockA, at(27)), 62, -7, 0.8));
    std::vector<Event> sixths = Diatonic(Parse(pizzB, at(19)), 62, 5, 0.45);

    Mix mix(2, seconds, 8);
    Play(mix, {I::Glockenspiel, 0.3, 0.25, 0.35, 1.0}, glock, beat, beatsPerBar, 21);
    Play(mix, {I::Glockenspiel, 0.24, 0.3, 0.35, 1.0}, sixths, beat, beatsPerBar, 22);
    Play(mix, {I::Pizzicato, 0.75, -0.2, 0.3, 0.6}, pizzMelody, beat, beatsPerBar, 23);

    // Cellos pluck root and fifth on 1 and 3, violas the chord on 2 and 4.
    std::vector<Event> cellos, violas;
    for (const Span& span : Chart(chart, beatsPerBar, 0)) {
        const double root = Root(span.chord, 38);
        const std::vector<int> tones = ChordTones(span.chord);
        const double fifth = root + ((tones[2] - tones[0]) % 12 + 12) % 12;
        cellos.push_back({span.beat, 1, root, 0.9});
        if (span.beats > 2)
            cellos.push_back({span.beat + 2, 1, fifth, 0.7});
        const std::vector<double> chord = Voicing(span.chord, 60);
        for (double offset = 1; offset < span.beats; offset += 2)
            for (double pitch : chord)
                violas.push_back({span.beat + offset, 0.5, pitch, 0.55});
    }
    Play(mix, {I::Pizzicato, 0.6, 0, 0.15, 0.8}, cellos, beat, beatsPerBar, 24);
    Play(mix, {I::Pizzicato, 0.16, -0.35, 0.25, 0.6}, violas, beat, beatsPerBar, 25);
    return Finish(mix, 0.5, 0.5);
}

std::vector<float> StageJingle(double seconds)
{
    // C major at 132 beats a minute: a triplet run up to a held tonic over I - IV - V7 - I, chimes on top.
    const double beat = 60.0 / 132;
    constexpr int beatsPerBar = 4;
    Mix mix(2, seconds, 0);
    const std::vector<Event> tune = Parse("G4:.333' C5' E5' G5:1 E5:.5 G5 A5 B5 C6:4!");
    Play(mix, {I::Glockenspiel, 0.45, 0.2, 0.4, 1.0}, tune, beat, beatsPerBar, 31);
    Play(mix, {I::Horn, 0.3, -0.15, 0.3, 0.85}, tune, beat, beatsPerBar, 32);
    std::vector<Event> bass, chords;
    for (const Span& span : Chart("C | C | F | G7 | C", 1, 0)) {
        const double length = span.beat >= 4 ? 4 : 1;
        bass.push_back({span.beat, length, Root(span.chord, 36), 0.9});
        for (double pitch : Voicing(span.chord, 60))
            chords.push_back({span.beat, length, pitch, 0.7});
    }
    Play(mix, {I::PluckBass, 0.55, 0, 0.15, 0.9}, bass, beat, beatsPerBar, 33);
    Play(mix, {I::Pad, 0.12, 0, 0.3, 0.95}, chords, beat, beatsPerBar, 34);
    Play(mix, {I::Pizzicato, 0.18, -0.3, 0.3, 0.5}, chords, beat, beatsPerBar, 35);
    mix.Note(4 * beat, I::Bell, 72, 2, 0.8, 0.3, 0, 0.4);
    // Chimes sparkling across the field over the last chord.
    const double sparkle[] = {84, 91, 88, 96, 91, 100};
    for (int k = 0; k < 6; ++k)
        mix.Note(4 * beat + 0.09 * k, I::Chime, sparkle[k], 0.2, 0.6, 0.22, k % 2 ? 0.6 : -0.6, 0.5);
    mix.Reverb(0.5, 0.55, 0.45);
    return mix.OneShot();
}

} // namespace DataBuild
