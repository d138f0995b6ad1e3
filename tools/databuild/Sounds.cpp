// The 67 sounds of data\audio as Ogg Vorbis (quality 0.4, 44100 Hz; effects mono, music stereo): soft,
// acoustic-like effects made with the synthesiser (peaks at -1 dBFS) and the music (peaks at -3 dBFS).
// One-shots fade in over 5 ms and out over at least 5 ms; looped sounds fold what rings past their end
// onto their start, so the wrap is seamless.
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Music.h"
#include "tools/databuild/Synth.h"
#include "tools/formats/OggWriter.h"

#include <vorbis/codec.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <future>
#include <map>
#include <stdexcept>

namespace DataBuild {

namespace {

using namespace Synth;
using I = Instrument;

// Noise through a bandpass whose centre glides exponentially from `fromHz` to `toHz`, swelling and fading
// along sin(pi u)^shape.
void Whoosh(Mix& mix, double time, double seconds, double fromHz, double toHz, double q, double gain, uint32_t seed,
            double shape = 1.5, double flutter = 0)
{
    Noise noise(seed);
    Filter filter;
    const double frames = seconds * kRate;
    mix.Render(time, static_cast<size_t>(frames), gain, 0, [&](size_t i) {
        const double u = i / frames;
        if (i % 16 == 0)
            filter.Set(fromHz * std::pow(toHz / fromHz, u), q);
        double level = std::pow(std::sin(kPi * u), shape);
        if (flutter > 0)
            level *= 0.7 + 0.3 * Sin(flutter * i / kRate);
        return level * filter.Process(noise.Next()).band;
    });
}

// A sine gliding from `fromHz` to `toHz` over `glide` seconds, decaying with `tau`.
void Glide(Mix& mix, double time, double seconds, double fromHz, double toHz, double glide, double tau, double gain,
           double attack = 0.002)
{
    double phase = 0, level = 1;
    const double factor = std::exp(-1.0 / (tau * kRate));
    mix.Render(time, static_cast<size_t>(seconds * kRate), gain, 0, [&](size_t i) {
        const double t = static_cast<double>(i) / kRate;
        const double u = std::min(1.0, t / glide);
        phase += fromHz * std::pow(toHz / fromHz, u) / kRate;
        level *= factor;
        return level * std::min(1.0, t / attack) * (Sin(phase) + 0.1 * Sin(2 * phase));
    });
}

// A short burst of filtered noise: `tau` its decay, `hz` and `q` the bandpass.
void Burst(Mix& mix, double time, double seconds, double hz, double q, double tau, double gain, uint32_t seed)
{
    Noise noise(seed);
    Filter filter;
    filter.Set(hz, q);
    double level = 1;
    const double factor = std::exp(-1.0 / (tau * kRate));
    mix.Render(time, static_cast<size_t>(seconds * kRate), gain, 0, [&](size_t i) {
        level *= factor;
        return level * std::min(1.0, i / 20.0) * filter.Process(noise.Next()).band;
    });
}

// A low thump: a sine dropping in pitch.
void Thud(Mix& mix, double time, double fromHz, double toHz, double tau, double gain)
{
    Glide(mix, time, tau * 5, fromHz, toHz, tau * 1.5, tau, gain, 0.003);
}

// Two blades meeting: a bright click and a short metallic ring.
void Snip(Mix& mix, double time, double gain, double ringHz, uint32_t seed)
{
    Burst(mix, time, 0.03, 5200, 1.2, 0.005, gain, seed);
    Burst(mix, time + 0.004, 0.06, ringHz, 12, 0.012, gain * 0.8, seed + 1);
    Burst(mix, time + 0.004, 0.05, ringHz * 1.47, 14, 0.008, gain * 0.5, seed + 2);
}

// A pencil's graphite on paper: bandpassed noise roughened by a slow random grain, shaped by sin(pi u).
void Pencil(Mix& mix, double time, double seconds, double gain, uint32_t seed, double strokesPerSecond = 0)
{
    Noise noise(seed), grain(seed * 7 + 3);
    Filter filter, rough;
    filter.Set(3200, 0.9);
    rough.Set(60, 0.7);
    const double frames = seconds * kRate;
    mix.Render(time, static_cast<size_t>(frames), gain, 0, [&](size_t i) {
        const double u = i / frames;
        double level = std::pow(std::sin(kPi * u), 0.6) * (0.6 + 6 * std::abs(rough.Process(grain.Next()).low));
        if (strokesPerSecond > 0)
            level *= 0.55 + 0.45 * Sin(strokesPerSecond * i / kRate - 0.25);
        return level * filter.Process(noise.Next()).band;
    });
}

// Notes of one instrument at `spacing` seconds apart.
void Run(Mix& mix, double time, I instrument, const std::vector<double>& notes, double spacing, double gain,
         double held = 0.3, double velocity = 0.8, double send = 0.3)
{
    for (size_t i = 0; i < notes.size(); ++i)
        mix.Note(time + spacing * static_cast<double>(i), instrument, notes[i], held, velocity, gain, 0, send);
}

// MIDI numbers: C5 = 72.
constexpr double C5 = 72, D5 = 74, E5 = 76, F5 = 77, G5 = 79, A5 = 81, B5 = 83;
constexpr double C6 = 84, D6 = 86, E6 = 88, F6 = 89, G6 = 91, A6 = 93, B6 = 95;
constexpr double C7 = 96, D7 = 98, E7 = 100, G7 = 103, A7 = 105;
constexpr double A4 = 69, B4 = 71, G4 = 67, F4 = 65, E4 = 64, C4 = 60;

// How each effect is made: into a mono mix of its length (looped effects get a tail to fold back).
using Recipe = std::function<void(Mix&)>;

const std::map<std::string, Recipe>& Recipes()
{
    static const std::map<std::string, Recipe> recipes = {
        // Menu.
        {"menu\\button_select_0", [](Mix& m) { m.Note(0, I::Wood, G5, 0.06, 0.8, 1); }},
        {"menu\\button_select_1", [](Mix& m) { m.Note(0, I::Wood, D6, 0.06, 0.8, 1); }},
        {"menu\\button_click",
         [](Mix& m) {
             m.Note(0, I::Kalimba, C6, 0.12, 1.0, 1);
             m.Note(0, I::Kalimba, C7, 0.12, 0.5, 0.12);
         }},
        {"menu\\edit_box_print",
         [](Mix& m) {
             Burst(m, 0, 0.04, 3600, 1.3, 0.006, 1, 11);
             m.Note(0, I::Wood, E7, 0.04, 0.6, 0.35);
         }},
        {"menu\\volume_slider",
         [](Mix& m) {
             // Wind chimes: pentatonic strikes at uneven times, their rings overlapping around the loop.
             const double notes[] = {C6, E6, A6, D6, G6, C7, A6, E6};
             Noise n(5);
             for (int i = 0; i < 8; ++i)
                 m.Note(i * 0.125 + 0.03 * n.Next(), I::Chime, notes[i], 0.2, 0.5 + 0.3 * n.Uniform(),
                        0.45 + 0.35 * n.Uniform(), 0, 0.5);
             m.Reverb(0.5, 0.6);
         }},

        // Level flow.
        {"game\\level_fade_in",
         [](Mix& m) {
             Whoosh(m, 0, 0.8, 300, 2800, 1.2, 0.9, 21);
             Run(m, 0.35, I::Chime, {G6, C7, E7}, 0.09, 0.35, 0.2, 0.7, 0.4);
             m.Reverb(0.4);
         }},
        {"game\\level_fade_out", [](Mix& m) { Whoosh(m, 0, 0.8, 2600, 250, 1.2, 1, 22, 1.2); }},
        {"game\\leve_begin",
         [](Mix& m) {
             Run(m, 0, I::Marimba, {G5, C6}, 0.16, 0.8);
             m.Note(0.32, I::Marimba, E6, 0.4, 1.0, 0.9, 0, 0.3);
             m.Note(0.32, I::Glockenspiel, E6, 0.4, 0.5, 0.25, 0, 0.3);
             m.Reverb(0.35);
         }},
        {"game\\leve_end",
         [](Mix& m) {
             // Re, mi ... sol - do: a happy cadence on the tonic chord.
             Run(m, 0, I::Marimba, {D6, E6, G6}, 0.15, 0.8);
             for (double note : {C6, E6, G6, C7})
                 m.Note(0.45, note == C7 ? I::Marimba : I::MusicBox, note, 0.8, 0.9, note == C7 ? 0.9 : 0.35, 0, 0.3);
             m.Note(0.45, I::Glockenspiel, C7, 0.8, 0.6, 0.25, 0, 0.4);
             m.Reverb(0.4);
         }},
        {"game\\select",
         [](Mix& m) {
             Burst(m, 0, 0.05, 4800, 0.8, 0.008, 0.8, 31);
             Burst(m, 0.025, 0.05, 6200, 0.8, 0.006, 0.5, 32);
             m.Note(0, I::Wood, C7, 0.05, 0.5, 0.25);
         }},
        {"game\\unswap",
         [](Mix& m) {
             // A boing: the pitch falls while wobbling.
             double phase = 0, level = 1;
             m.Render(0, static_cast<size_t>(0.25 * kRate), 1, 0, [&](size_t i) {
                 const double t = static_cast<double>(i) / kRate;
                 const double hz = 520 * std::pow(0.55, t / 0.25) * (1 + 0.06 * Sin(14 * t) * std::exp(-t * 6));
                 phase += hz / kRate;
                 level *= 0.99985;
                 return level * std::min(1.0, t / 0.004) * (Sin(phase) + 0.15 * Sin(2 * phase));
             });
         }},
        {"game\\score_complete",
         [](Mix& m) {
             Run(m, 0, I::Chime, {C6, E6, G6, C7}, 0.1, 0.7, 0.3, 0.8, 0.4);
             m.Note(0.4, I::Glockenspiel, E7, 0.5, 0.5, 0.3, 0, 0.4);
             m.Reverb(0.45);
         }},
        {"game\\score",
         [](Mix& m) {
             Glide(m, 0, 0.2, 380, 1100, 0.035, 0.035, 1);
             Burst(m, 0, 0.05, 2200, 0.7, 0.01, 0.25, 41);
         }},
        {"game\\score_with_bonus",
         [](Mix& m) {
             Glide(m, 0, 0.2, 400, 1150, 0.035, 0.035, 0.9);
             Run(m, 0.06, I::Chime, {E7, G7, C7 + 12}, 0.05, 0.3, 0.1, 0.6, 0.3);
             m.Reverb(0.3);
         }},
        {"game\\score_bonus_bomb",
         [](Mix& m) {
             Thud(m, 0, 95, 42, 0.08, 1);
             Noise noise(51);
             OnePole lowpass(900);
             double level = 1;
             m.Render(0, static_cast<size_t>(0.6 * kRate), 0.9, 0, [&](size_t i) {
                 level *= 0.99985;
                 return level * std::min(1.0, i / 300.0) * lowpass.Process(noise.Next());
             });
         }},
        {"game\\score_bonus_line",
         [](Mix& m) {
             Whoosh(m, 0, 0.45, 700, 6000, 2.5, 0.9, 61, 0.8);
             Glide(m, 0, 0.45, 500, 1800, 0.3, 0.15, 0.25, 0.05);
         }},
        {"game\\score_bonus_random_chip_destruction",
         [](Mix& m) {
             // A cascade down the pentatonic scale.
             Run(m, 0, I::Chime, {A7, G6 + 12, E7, D7, C7, A6, G6, E6, D6, C6}, 0.05, 0.5, 0.1, 0.7, 0.5);
             m.Reverb(0.5, 0.6);
         }},
        {"game\\chain_reaction",
         [](Mix& m) {
             Run(m, 0, I::Glockenspiel, {C6, D6, E6, F6, G6, A6, B6, C7, D7, E7}, 0.04, 0.45, 0.1, 0.7, 0.4);
             Run(m, 0.02, I::Chime, {E6, G6, C7, E7, G7}, 0.08, 0.25, 0.1, 0.6, 0.4);
             m.Reverb(0.5, 0.6);
         }},
        {"game\\time_is_ending",
         [](Mix& m) {
             // Tick-tock twice a second, a soft bell on each whole second.
             for (int i = 0; i < 4; ++i)
                 m.Note(i * 0.5, I::Wood, i % 2 ? G6 : C7, 0.05, 0.8, 0.8);
             m.Note(0, I::Bell, A5, 0.5, 0.5, 0.45, 0, 0.3);
             m.Note(1, I::Bell, A5, 0.5, 0.45, 0.45, 0, 0.3);
             m.Reverb(0.3);
         }},
        {"game\\add_life",
         [](Mix& m) {
             Run(m, 0, I::Chime, {E6, A6}, 0.12, 0.8, 0.3, 0.8, 0.4);
             m.Note(0.24, I::Bell, C7, 0.4, 0.6, 0.5, 0, 0.4);
             m.Reverb(0.4);
         }},
        {"game\\no_more_moves",
         [](Mix& m) {
             m.Note(0, I::Flute, G5, 0.18, 0.8, 1);
             m.Note(0.22, I::Flute, E5, 0.25, 0.7, 0.9);
             m.Reverb(0.3);
         }},
        {"game\\time_is_over",
         [](Mix& m) {
             Run(m, 0, I::MusicBox, {G5, E5, C5}, 0.22, 0.9, 0.3, 0.8, 0.3);
             m.Reverb(0.35);
         }},
        {"game\\game_over",
         [](Mix& m) {
             // A gentle cadence in A minor: E - D - C - B over the pad, resolving to A.
             for (double note : {A4 - 12, C5 - 12, E5 - 12})
                 m.Note(0, I::Pad, note, 1.3, 0.6, 0.22, 0, 0.3);
             Run(m, 0, I::MusicBox, {E5, D5, C5, B4}, 0.28, 0.8, 0.3, 0.7, 0.3);
             m.Note(1.12, I::MusicBox, A4, 0.8, 0.8, 0.8, 0, 0.3);
             m.Reverb(0.4);
         }},
        {"game\\flower_appear", [](Mix& m) { Glide(m, 0, 0.25, 300, 720, 0.06, 0.045, 1, 0.004); }},
        {"game\\basket_appear",
         [](Mix& m) {
             // The creak: quick filtered clicks whose rate wavers, then a chime.
             Noise noise(71);
             for (int i = 0; i < 14; ++i)
                 Burst(m, 0.012 + i * 0.016 + 0.003 * noise.Next(), 0.02, 900 + 300 * noise.Uniform(), 3, 0.004,
                       0.6 * std::sin(kPi * (i + 0.5) / 14), 72 + i);
             m.Note(0.22, I::Chime, E6, 0.2, 0.7, 0.7, 0, 0.3);
             m.Reverb(0.3);
         }},
        {"game\\flower_to_basket",
         [](Mix& m) {
             Thud(m, 0, 180, 90, 0.03, 1);
             Burst(m, 0, 0.06, 500, 0.8, 0.015, 0.4, 81);
             m.Note(0.03, I::Chime, G7, 0.1, 0.4, 0.15);
         }},
        {"game\\collect_basket",
         [](Mix& m) {
             Run(m, 0, I::Bell, {C6, E6, G6}, 0.09, 0.6, 0.3, 0.8, 0.4);
             m.Note(0.27, I::Bell, C7, 0.4, 0.9, 0.6, 0, 0.4);
             Run(m, 0.3, I::Chime, {G7, E7}, 0.07, 0.2, 0.1, 0.5, 0.4);
             m.Reverb(0.4);
         }},
        {"game\\havent_time_to_collect_basket",
         [](Mix& m) {
             // A whistle letting its air out: a falling sine with a slow wobble.
             double phase = 0;
             m.Render(0, static_cast<size_t>(0.7 * kRate), 1, 0, [&](size_t i) {
                 const double t = static_cast<double>(i) / kRate;
                 phase += 1100 * std::pow(0.42, t / 0.7) * (1 + 0.012 * Sin(6 * t)) / kRate;
                 return std::min(1.0, t / 0.03) * std::exp(-t * 2.5) * Sin(phase);
             });
             Whoosh(m, 0, 0.7, 1800, 600, 0.8, 0.25, 91, 1);
         }},
        {"game\\basket_bonus",
         [](Mix& m) {
             m.Note(0, I::Chime, B6, 0.08, 0.8, 0.7);
             m.Note(0.08, I::Chime, E7, 0.3, 0.9, 0.8, 0, 0.3);
             m.Reverb(0.3);
         }},
        {"game\\powerup_pause_activation",
         [](Mix& m) {
             // Three ticks slowing to a stop, then a hanging shimmer.
             for (double t : {0.0, 0.11, 0.26})
                 m.Note(t, I::Wood, C7, 0.05, 0.8 - t, 0.8);
             Run(m, 0.3, I::Chime, {E7, G7, E7, G7}, 0.05, 0.3, 0.1, 0.5, 0.5);
             m.Reverb(0.45, 0.6);
         }},
        {"game\\powerup_pause_deactivation",
         [](Mix& m) {
             Run(m, 0, I::Chime, {G6, C7}, 0.06, 0.35, 0.1, 0.6, 0.3);
             for (double t : {0.12, 0.25, 0.34, 0.42})
                 m.Note(t, I::Wood, C7, 0.05, 0.75, 0.8);
         }},
        {"game\\powerup_horn_appear",
         [](Mix& m) {
             // Ta-ta-taa on a soft horn: G, C, E held.
             m.Note(0, I::Horn, G4, 0.12, 0.7, 0.8, 0, 0.3);
             m.Note(0.15, I::Horn, C5, 0.12, 0.75, 0.8, 0, 0.3);
             m.Note(0.3, I::Horn, E5, 0.45, 0.9, 0.9, 0, 0.3);
             m.Reverb(0.35);
         }},
        {"game\\powerup_horn_flower_appear",
         [](Mix& m) {
             m.Note(0, I::Horn, C5, 0.08, 0.7, 0.8);
             Glide(m, 0.06, 0.12, 500, 1100, 0.03, 0.03, 0.4);
         }},
        {"game\\powerup_tornado_activation",
         [](Mix& m) {
             // Wind whirling: a bandpass swinging around a rising centre.
             Noise noise(101);
             Filter filter;
             const double frames = 1.5 * kRate;
             m.Render(0, static_cast<size_t>(frames), 1, 0, [&](size_t i) {
                 const double u = i / frames, t = static_cast<double>(i) / kRate;
                 if (i % 16 == 0)
                     filter.Set(400 * std::pow(3.0, u) * (1 + 0.45 * Sin(t * (3 + 4 * u))), 3);
                 return std::pow(std::sin(kPi * u), 1.2) * filter.Process(noise.Next()).band;
             });
         }},
        {"game\\powerup_x2_activation",
         [](Mix& m) {
             m.Note(0, I::Chime, G6, 0.2, 0.9, 0.8, 0, 0.3);
             m.Note(0.16, I::Chime, G7, 0.2, 0.8, 0.6, 0, 0.3);
             m.Note(0.32, I::Chime, G7, 0.2, 0.5, 0.25, 0, 0.3);
             m.Reverb(0.35);
         }},
        {"game\\powerup_x2_deactivation",
         [](Mix& m) {
             // A chime played backwards: it swells and stops short.
             std::vector<float> voice;
             Voice(I::Chime, G6, 0.3, 0.8, 1, voice);
             voice.resize(static_cast<size_t>(0.42 * kRate));
             std::reverse(voice.begin(), voice.end());
             m.Add(0, voice, 1);
             m.Note(0.42, I::Chime, G5, 0.05, 0.4, 0.15);
         }},
        {"game\\after_bonus", [](Mix& m) { m.Note(0, I::Chime, E6, 0.2, 0.8, 1, 0, 0.3), m.Reverb(0.25); }},
        {"game\\after_bonus_time",
         [](Mix& m) {
             // Five ticks climbing the pentatonic scale, back to the bottom at the wrap.
             const double notes[] = {C7, D7, E7, G7, C7 + 9};
             for (int i = 0; i < 5; ++i) {
                 m.Note(i * 0.1, I::Wood, notes[i] - 12, 0.05, 0.8, 0.7);
                 m.Note(i * 0.1, I::Glockenspiel, notes[i], 0.05, 0.4, 0.2);
             }
         }},
        {"game\\after_bonus_basket",
         [](Mix& m) {
             m.Note(0, I::Chime, E7, 0.08, 0.8, 0.7);
             m.Note(0.07, I::Chime, A7, 0.25, 0.9, 0.8, 0, 0.3);
             m.Reverb(0.3);
         }},
        {"game\\flower_house",
         [](Mix& m) {
             Thud(m, 0, 140, 70, 0.03, 0.8);
             Burst(m, 0, 0.08, 700, 0.7, 0.02, 0.5, 111);
             Thud(m, 0.16, 130, 65, 0.03, 0.7);
             Burst(m, 0.16, 0.08, 650, 0.7, 0.02, 0.45, 112);
             Run(m, 0.36, I::Chime, {C7, E7, G7, C7 + 12}, 0.07, 0.4, 0.1, 0.6, 0.5);
             m.Reverb(0.4);
         }},
        {"game\\cross",
         [](Mix& m) {
             Pencil(m, 0.01, 0.17, 1, 121);
             Pencil(m, 0.26, 0.18, 0.9, 122);
         }},
        {"game\\circle", [](Mix& m) { Pencil(m, 0.01, 0.76, 1, 131, 2.5); }},
        {"game\\flower_screen_appear",
         [](Mix& m) {
             Whoosh(m, 0, 0.7, 3000, 500, 1.0, 1, 141, 1.3, 22);
             Thud(m, 0.62, 120, 70, 0.03, 0.3);
         }},
        {"game\\flower_screen_disappear", [](Mix& m) { Whoosh(m, 0, 0.78, 450, 3200, 1.0, 1, 151, 1.3, 22); }},
        {"game\\basket_fly_up",
         [](Mix& m) {
             Whoosh(m, 0, 1.15, 350, 2400, 1.5, 1, 161, 1.4);
             m.Note(0.45, I::Bell, G6, 0.5, 0.7, 0.35, 0, 0.4);
             m.Reverb(0.4);
         }},
        {"game\\break_cell",
         [](Mix& m) {
             // A rip rising in pitch, then crunchy grains of leaves.
             Whoosh(m, 0, 0.12, 600, 2400, 0.9, 0.9, 171, 0.6);
             Noise noise(172);
             for (int i = 0; i < 9; ++i)
                 Burst(m, 0.06 + i * 0.022 + 0.006 * noise.Next(), 0.03, 1500 + 2000 * noise.Uniform(), 1.2, 0.005,
                       0.6 * (1 - i / 10.0), 180 + i);
         }},
        {"game\\shining",
         [](Mix& m) {
             Run(m, 0, I::Chime, {E7, B6 + 12, G7}, 0.07, 0.6, 0.1, 0.7, 0.5);
             m.Reverb(0.5, 0.6);
         }},
        {"game\\order",
         [](Mix& m) {
             // A medal fanfare: ta-ta-ta-taa on the horn, then a big bell.
             m.Note(0, I::Horn, C5, 0.1, 0.75, 0.7, 0, 0.3);
             m.Note(0.13, I::Horn, E5, 0.1, 0.75, 0.7, 0, 0.3);
             m.Note(0.26, I::Horn, G5, 0.1, 0.8, 0.7, 0, 0.3);
             m.Note(0.39, I::Horn, C6, 0.6, 0.95, 0.8, 0, 0.3);
             m.Note(0.39, I::Horn, G5, 0.6, 0.7, 0.45, 0, 0.3);
             m.Note(0.45, I::Bell, C6, 0.6, 0.9, 0.6, 0, 0.4);
             m.Reverb(0.4);
         }},
        {"game\\powerup_appear",
         [](Mix& m) {
             Run(m, 0, I::Chime, {G6, C7, E7, G7}, 0.05, 0.35, 0.1, 0.5, 0.5);
             Whoosh(m, 0, 0.3, 2000, 6000, 1, 0.2, 191);
             m.Reverb(0.4);
         }},
    };
    return recipes;
}

// Interleaved samples in -1..1.
struct Signal {
    int channels = 1;
    std::vector<float> samples;
};

std::vector<uint8_t> EncodeOgg(const Signal& signal, int serial)
{
    return Formats::EncodeOggVorbis(signal.samples, signal.channels, kRate, 0.4f, serial);
}


// The largest magnitude a decoder gives back from the first `frames` of `ogg` (the codec moves the peaks
// of noisy sounds; what it decodes past the end is padding a reader drops).
double DecodedPeak(const std::vector<uint8_t>& ogg, size_t frames)
{
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(ogg.size()));
    std::memcpy(buffer, ogg.data(), ogg.size());
    ogg_sync_wrote(&sync, static_cast<long>(ogg.size()));
    vorbis_info info;
    vorbis_info_init(&info);
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool streamOpen = false, decoding = false;
    int headers = 0;
    double peak = 0;
    ogg_page page;
    while (ogg_sync_pageout(&sync, &page) == 1) {
        if (!streamOpen) {
            ogg_stream_init(&stream, ogg_page_serialno(&page));
            streamOpen = true;
        }
        ogg_stream_pagein(&stream, &page);
        ogg_packet packet;
        while (ogg_stream_packetout(&stream, &packet) == 1) {
            if (headers < 3) {
                if (vorbis_synthesis_headerin(&info, &comment, &packet) != 0)
                    throw std::runtime_error("vorbis decoder refused our own header");
                if (++headers == 3) {
                    vorbis_synthesis_init(&dsp, &info);
                    vorbis_block_init(&dsp, &block);
                    decoding = true;
                }
                continue;
            }
            if (vorbis_synthesis(&block, &packet) == 0)
                vorbis_synthesis_blockin(&dsp, &block);
            float** pcm;
            int n;
            while ((n = vorbis_synthesis_pcmout(&dsp, &pcm)) > 0) {
                const size_t used = std::min(static_cast<size_t>(n), frames);
                for (int c = 0; c < info.channels; ++c)
                    for (size_t i = 0; i < used; ++i)
                        peak = std::max(peak, static_cast<double>(std::abs(pcm[c][i])));
                frames -= used;
                vorbis_synthesis_read(&dsp, n);
            }
        }
    }
    if (decoding) {
        vorbis_block_clear(&block);
        vorbis_dsp_clear(&dsp);
    }
    if (streamOpen)
        ogg_stream_clear(&stream);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    ogg_sync_clear(&sync);
    return peak;
}

// The effects made in families: a recipe per member.
Recipe FamilyRecipe(const std::string& name)
{
    auto member = [&](const std::string& prefix) {
        return name.starts_with(prefix) ? std::stoi(name.substr(prefix.size())) : -1;
    };
    if (const int n = member("game\\score_combo_"); n >= 1) {
        // Marimba notes climbing the pentatonic scale, one step per combo.
        static const double steps[] = {G5, A5, C6, D6, E6, G6, A6, C7};
        return [n](Mix& m) {
            m.Note(0, I::Marimba, steps[n - 1], 0.3, 0.9, 1, 0, 0.25);
            m.Reverb(0.25);
        };
    }
    if (const int n = member("game\\scissors_appear_"); n >= 0) {
        static const double chimes[] = {E6, G6, C7};
        return [n](Mix& m) {
            Snip(m, 0, 0.45, 3400 + 300 * n, 201 + n);
            Snip(m, 0.12, 0.45, 3600 + 300 * n, 211 + n);
            m.Note(0.26, I::Chime, chimes[n], 0.2, 0.8, 0.7, 0, 0.4);
            m.Reverb(0.35);
        };
    }
    if (const int n = member("game\\scissors_use_"); n >= 0) {
        return [n](Mix& m) {
            const double length = m.Frames() / static_cast<double>(kRate);
            for (int i = 0; i <= n; ++i)
                Snip(m, i * 0.07, 0.6, 2600 - 250 * n + 150 * i, 221 + 10 * n + i);
            Whoosh(m, 0.05 + 0.07 * n, length - 0.08 - 0.07 * n, 2600 + 400 * n, 300, 0.9 + 0.2 * n, 2.2 + 0.3 * n,
                   231 + n, 1.2);
        };
    }
    return {};
}

} // namespace

const std::vector<SoundSpec>& Sounds()
{
    // Music is longer than the 4.46 s above which the engine streams.
    static const std::vector<SoundSpec> sounds = {
        {"menu\\button_select_0", false, false, 0.06f},
        {"menu\\button_select_1", false, false, 0.06f},
        {"menu\\button_click", false, false, 0.12f},
        {"menu\\edit_box_print", false, false, 0.04f},
        {"menu\\volume_slider", false, true, 1.0f},
        {"music\\menu", true, true, 80.0f},
        {"music\\game0", true, true, 90.0f},
        {"music\\game1", true, true, 90.0f},
        {"game\\stage_complete", true, false, 5.0f},
        {"game\\level_fade_in", false, false, 0.8f},
        {"game\\level_fade_out", false, false, 0.8f},
        {"game\\leve_begin", false, false, 1.0f},
        {"game\\leve_end", false, false, 1.5f},
        {"game\\select", false, false, 0.1f},
        {"game\\unswap", false, false, 0.25f},
        {"game\\score_complete", false, false, 1.2f},
        {"game\\score", false, false, 0.2f},
        {"game\\score_with_bonus", false, false, 0.4f},
        {"game\\score_bonus_bomb", false, false, 0.6f},
        {"game\\score_bonus_line", false, false, 0.5f},
        {"game\\score_bonus_random_chip_destruction", false, false, 0.8f},
        {"game\\score_combo_1", false, false, 0.3f},
        {"game\\score_combo_2", false, false, 0.3f},
        {"game\\score_combo_3", false, false, 0.3f},
        {"game\\score_combo_4", false, false, 0.3f},
        {"game\\score_combo_5", false, false, 0.3f},
        {"game\\score_combo_6", false, false, 0.3f},
        {"game\\score_combo_7", false, false, 0.3f},
        {"game\\score_combo_8", false, false, 0.3f},
        {"game\\chain_reaction", false, false, 0.8f},
        {"game\\time_is_ending", false, true, 2.0f},
        {"game\\add_life", false, false, 0.7f},
        {"game\\no_more_moves", false, false, 0.6f},
        {"game\\time_is_over", false, false, 1.0f},
        {"game\\game_over", false, false, 2.0f},
        {"game\\flower_appear", false, false, 0.25f},
        {"game\\basket_appear", false, false, 0.5f},
        {"game\\flower_to_basket", false, false, 0.2f},
        {"game\\collect_basket", false, false, 0.8f},
        {"game\\havent_time_to_collect_basket", false, false, 0.7f},
        {"game\\basket_bonus", false, false, 0.5f},
        {"game\\powerup_pause_activation", false, false, 0.6f},
        {"game\\powerup_pause_deactivation", false, false, 0.5f},
        {"game\\powerup_horn_appear", false, false, 0.9f},
        {"game\\powerup_horn_flower_appear", false, false, 0.2f},
        {"game\\powerup_tornado_activation", false, false, 1.5f},
        {"game\\powerup_x2_activation", false, false, 0.6f},
        {"game\\powerup_x2_deactivation", false, false, 0.5f},
        {"game\\after_bonus", false, false, 0.4f},
        {"game\\after_bonus_time", false, true, 0.5f},
        {"game\\after_bonus_basket", false, false, 0.4f},
        {"game\\flower_house", false, false, 1.0f},
        {"game\\scissors_appear_0", false, false, 0.6f},
        {"game\\scissors_appear_1", false, false, 0.6f},
        {"game\\scissors_appear_2", false, false, 0.6f},
        {"game\\scissors_use_0", false, false, 0.6f},
        {"game\\scissors_use_1", false, false, 0.8f},
        {"game\\scissors_use_2", false, false, 1.0f},
        {"game\\cross", false, false, 0.5f},
        {"game\\circle", false, false, 0.8f},
        {"game\\flower_screen_appear", false, false, 0.8f},
        {"game\\flower_screen_disappear", false, false, 0.8f},
        {"game\\basket_fly_up", false, false, 1.2f},
        {"game\\break_cell", false, false, 0.3f},
        {"game\\shining", false, false, 0.6f},
        {"game\\order", false, false, 1.5f},
        {"game\\powerup_appear", false, false, 0.4f},
    };
    return sounds;
}


namespace {

// The Ogg Vorbis bytes of sound `i` of the table.
std::vector<uint8_t> MakeSound(size_t i)
{
    const double effectPeak = std::pow(10.0, -1.0 / 20.0), musicPeak = std::pow(10.0, -3.0 / 20.0);
    const SoundSpec& sound = Sounds()[i];
    const std::string name = sound.name;
    Signal signal;
    signal.channels = sound.music ? 2 : 1;
    if (name == "music\\menu")
        signal.samples = MenuWaltz(sound.seconds);
    else if (name == "music\\game0")
        signal.samples = PastoralMusic(sound.seconds);
    else if (name == "music\\game1")
        signal.samples = PizzicatoMusic(sound.seconds);
    else if (name == "game\\stage_complete")
        signal.samples = StageJingle(sound.seconds);
    else {
        Recipe recipe = Recipes().count(name) ? Recipes().at(name) : FamilyRecipe(name);
        if (!recipe)
            throw std::runtime_error("no recipe for the sound " + name);
        Mix mix(1, sound.seconds, sound.looped ? 6.0 : 0.0);
        recipe(mix);
        signal.samples = sound.looped ? mix.Loop() : mix.OneShot();
    }
    if (sound.looped) { // the wrap falls 10 ms before the first strike, never on an attack
        const std::ptrdiff_t shift = 441 * signal.channels;
        std::rotate(signal.samples.rbegin(), signal.samples.rbegin() + shift, signal.samples.rend());
    }
    Normalise(signal.samples, sound.music ? musicPeak : effectPeak);
    std::vector<uint8_t> ogg = EncodeOgg(signal, static_cast<int>(i + 1));
    if (sound.music)
        return ogg;
    // The codec moves the peaks of noisy sounds, and not in proportion to the level: scale by what the
    // decoder gave back last time, encode again, and keep the closest of a few tries.
    const size_t frames = signal.samples.size();
    double decoded = DecodedPeak(ogg, frames), scale = 1;
    double miss = std::abs(20 * std::log10(decoded / effectPeak));
    Signal tried = signal;
    for (int pass = 0; pass < 4 && miss > 0.25; ++pass) {
        scale *= effectPeak / decoded;
        for (size_t k = 0; k < frames; ++k)
            tried.samples[k] = static_cast<float>(signal.samples[k] * scale);
        std::vector<uint8_t> again = EncodeOgg(tried, static_cast<int>(i + 1));
        decoded = DecodedPeak(again, frames);
        const double missAgain = std::abs(20 * std::log10(decoded / effectPeak));
        if (missAgain < miss) {
            miss = missAgain;
            ogg = std::move(again);
        }
    }
    return ogg;
}

} // namespace

void WriteSounds(DataTree& tree)
{
    // The music takes most of the time (synthesis and encoding): each piece is made on its own thread while
    // this one makes the effects. Every sound depends on nothing but its own recipe, so the bytes are the
    // same whatever the order.
    std::vector<std::future<std::vector<uint8_t>>> music(Sounds().size());
    for (size_t i = 0; i < Sounds().size(); ++i)
        if (Sounds()[i].music)
            music[i] = std::async(std::launch::async, MakeSound, i);
    std::vector<std::vector<uint8_t>> made(Sounds().size());
    for (size_t i = 0; i < Sounds().size(); ++i)
        if (!Sounds()[i].music)
            made[i] = MakeSound(i);
    for (size_t i = 0; i < Sounds().size(); ++i)
        tree.Write(std::string("data\\audio\\") + Sounds()[i].name + ".ogg", music[i].valid() ? music[i].get() : made[i]);
}

} // namespace DataBuild
