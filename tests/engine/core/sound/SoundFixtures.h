#pragma once
// Sound files made by the tests: WAV bytes written directly, Ogg Vorbis encoded with libvorbisenc.

#include <cstdint>
#include <string>
#include <vector>

namespace SoundFixtures {

struct WavChunk {
    std::string id;
    std::vector<uint8_t> bytes;
    uint32_t declaredSize = UINT32_MAX; // UINT32_MAX: the real size
};

// A "fmt " chunk body: tag, channels, rate, bits; `extra` bytes appended (an 18-byte chunk has 2).
std::vector<uint8_t> FormatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, int extra = 0);
// "RIFF", size, "WAVE" and the chunks as given (no pad bytes).
std::vector<uint8_t> Wav(const std::vector<WavChunk>& chunks);
// A plain PCM file of 16-bit samples.
std::vector<uint8_t> Wav16(uint16_t channels, uint32_t rate, const std::vector<int16_t>& samples);

// Interleaved 16-bit samples of a tone whose pitch keeps changing, so no two stretches are alike.
std::vector<int16_t> Tone(uint32_t frames, uint16_t channels, uint32_t rate);
// Encodes interleaved samples; the file decodes to exactly frames x channels samples.
std::vector<uint8_t> Ogg(uint16_t channels, uint32_t rate, const std::vector<int16_t>& samples);
// Decodes an Ogg file's bytes with libvorbisfile as 16-bit little-endian samples.
std::vector<int16_t> DecodeOgg(const std::vector<uint8_t>& file);

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace SoundFixtures
