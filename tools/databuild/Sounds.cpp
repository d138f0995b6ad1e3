// The 67 sounds of data\audio as Ogg Vorbis (quality 0.4, 44100 Hz; effects mono, music stereo).
// For now each is a soft synthesised tone of the right length: bell-like one-shots with 5 ms fades,
// and loops whose partials and tremolo complete whole cycles, so the wrap is seamless.
#include "tools/databuild/DataBuild.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace DataBuild {

namespace {

constexpr int sampleRate = 44100;
constexpr double pi = 3.14159265358979323846;

// Interleaved samples in -1..1.
struct Signal {
    int channels = 1;
    std::vector<float> samples;
};

// Notes of a major pentatonic scale from C5, picked by the sound's index.
double NoteFrequency(size_t index)
{
    static const int steps[] = {0, 2, 4, 7, 9};
    const int octave = static_cast<int>((index / 5) % 2);
    return 523.25 * std::pow(2.0, (steps[index % 5] + 12 * octave) / 12.0);
}

Signal OneShot(double seconds, double frequency, double peak)
{
    Signal signal;
    const size_t count = static_cast<size_t>(seconds * sampleRate);
    signal.samples.resize(count);
    const double fade = 0.005 * sampleRate;
    const double decay = 3.0 / seconds;
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        double value = std::sin(2 * pi * frequency * t) + 0.35 * std::sin(2 * pi * 2.0 * frequency * t) * std::exp(-decay * t) +
                       0.15 * std::sin(2 * pi * 3.01 * frequency * t) * std::exp(-2 * decay * t);
        value *= std::exp(-decay * t) / 1.5;
        value *= std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(count - 1 - i) / fade});
        signal.samples[i] = static_cast<float>(value * peak);
    }
    return signal;
}

// A chord whose partials and tremolo all complete whole cycles over the length: it loops without a click.
Signal Loop(double seconds, double frequency, int channels, double peak)
{
    Signal signal;
    signal.channels = channels;
    const size_t count = static_cast<size_t>(seconds * sampleRate);
    const double length = static_cast<double>(count) / sampleRate;
    signal.samples.resize(count * channels);
    const double ratios[] = {1.0, 1.25, 1.5, 0.5};
    double partials[4];
    for (int k = 0; k < 4; ++k)
        partials[k] = std::round(frequency * ratios[k] * length) / length;
    const double tremolo = std::max(1.0, std::round(2.0 * length)) / length;
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        for (int c = 0; c < channels; ++c) {
            double value = 0;
            for (int k = 0; k < 4; ++k) {
                const double pan = channels == 1 ? 1.0 : (c == (k % 2) ? 0.8 : 0.45);
                value += pan * std::sin(2 * pi * partials[k] * t) / (k + 1.5);
            }
            value *= 0.75 + 0.25 * std::cos(2 * pi * tremolo * t);
            signal.samples[i * channels + c] = static_cast<float>(value * peak / 1.6);
        }
    }
    return signal;
}

std::vector<uint8_t> EncodeOgg(const Signal& signal, int serial)
{
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, signal.channels, sampleRate, 0.4f) != 0)
        throw std::runtime_error("vorbis encoder setup failed");
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial); // a fixed serial keeps the bytes the same on every build

    std::vector<uint8_t> out;
    ogg_page page;
    auto append = [&out](const ogg_page& p) {
        out.insert(out.end(), p.header, p.header + p.header_len);
        out.insert(out.end(), p.body, p.body + p.body_len);
    };
    ogg_packet header, commentPacket, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentPacket, &codebooks);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentPacket);
    ogg_stream_packetin(&stream, &codebooks);
    while (ogg_stream_flush(&stream, &page) != 0)
        append(page);

    const size_t frames = signal.samples.size() / signal.channels;
    constexpr size_t chunk = 4096;
    for (size_t start = 0;; start += chunk) {
        const size_t n = start < frames ? std::min(chunk, frames - start) : 0;
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i)
                for (int c = 0; c < signal.channels; ++c)
                    buffer[c][i] = signal.samples[(start + i) * signal.channels + c];
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(n));
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) == 1) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                    append(page);
            }
        }
        if (n == 0)
            break;
    }
    while (ogg_stream_flush(&stream, &page) != 0)
        append(page);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

} // namespace

const std::vector<SoundSpec>& Sounds()
{
    // Music placeholders are short but longer than the 4.46 s above which the engine streams.
    static const std::vector<SoundSpec> sounds = {
        {"menu\\button_select_0", false, false, 0.06f},
        {"menu\\button_select_1", false, false, 0.06f},
        {"menu\\button_click", false, false, 0.12f},
        {"menu\\edit_box_print", false, false, 0.04f},
        {"menu\\volume_slider", false, true, 1.0f},
        {"music\\menu", true, true, 6.0f},
        {"music\\game0", true, true, 6.0f},
        {"music\\game1", true, true, 6.0f},
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

void WriteSounds(DataTree& tree)
{
    const double effectPeak = std::pow(10.0, -1.0 / 20.0), musicPeak = std::pow(10.0, -3.0 / 20.0);
    for (size_t i = 0; i < Sounds().size(); ++i) {
        const SoundSpec& sound = Sounds()[i];
        const double frequency = NoteFrequency(i) / (sound.music ? 2.0 : 1.0);
        const double peak = sound.music ? musicPeak : effectPeak;
        Signal signal = sound.looped ? Loop(sound.seconds, frequency, sound.music ? 2 : 1, peak)
                                     : OneShot(sound.seconds, frequency, peak);
        if (sound.music && !sound.looped) {
            Signal stereo;
            stereo.channels = 2;
            for (float s : signal.samples)
                stereo.samples.insert(stereo.samples.end(), {s, s});
            signal = std::move(stereo);
        }
        tree.Write(std::string("data\\audio\\") + sound.name + ".ogg", EncodeOgg(signal, static_cast<int>(i + 1)));
    }
}

} // namespace DataBuild
