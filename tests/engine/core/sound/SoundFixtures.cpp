#include "SoundFixtures.h"

#include "tools/formats/OggWriter.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace SoundFixtures {

namespace {

void Put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

void PutId(std::vector<uint8_t>& out, const std::string& id) { out.insert(out.end(), id.begin(), id.end()); }

} // namespace

std::vector<uint8_t> FormatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, int extra)
{
    std::vector<uint8_t> body;
    const uint16_t block = uint16_t(channels * bits / 8);
    Put16(body, tag);
    Put16(body, channels);
    Put32(body, rate);
    Put32(body, rate * block);
    Put16(body, block);
    Put16(body, bits);
    body.insert(body.end(), size_t(extra), 0);
    return body;
}

std::vector<uint8_t> Wav(const std::vector<WavChunk>& chunks)
{
    std::vector<uint8_t> body;
    PutId(body, "WAVE");
    for (const WavChunk& c : chunks) {
        PutId(body, c.id);
        Put32(body, c.declaredSize == UINT32_MAX ? uint32_t(c.bytes.size()) : c.declaredSize);
        body.insert(body.end(), c.bytes.begin(), c.bytes.end());
    }
    std::vector<uint8_t> file;
    PutId(file, "RIFF");
    Put32(file, uint32_t(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::vector<uint8_t> Wav16(uint16_t channels, uint32_t rate, const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> data;
    for (int16_t s : samples)
        Put16(data, uint16_t(s));
    return Wav({{"fmt ", FormatBody(1, channels, rate, 16)}, {"data", data}});
}

std::vector<int16_t> Tone(uint32_t frames, uint16_t channels, uint32_t rate)
{
    std::vector<int16_t> out;
    out.reserve(size_t(frames) * channels);
    double phase = 0.0;
    for (uint32_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double frequency = 220.0 + 180.0 * std::sin(t * 1.7) + 40.0 * t;
        phase += 2.0 * M_PI * frequency / rate;
        for (uint16_t c = 0; c < channels; ++c)
            out.push_back(int16_t(9000.0 * std::sin(phase + c * 0.9)));
    }
    return out;
}

std::vector<uint8_t> Ogg(uint16_t channels, uint32_t rate, const std::vector<int16_t>& samples)
{
    std::vector<float> scaled(samples.size());
    std::transform(samples.begin(), samples.end(), scaled.begin(), [](int16_t v) { return v / 32768.0f; });
    return Formats::EncodeOggVorbis(scaled, channels, long(rate), 0.1f, 1);
}

namespace {

struct Memory {
    const std::vector<uint8_t>* bytes;
    size_t position = 0;
};

size_t MemoryRead(void* destination, size_t size, size_t count, void* source)
{
    auto* m = static_cast<Memory*>(source);
    const size_t n = std::min(size * count, m->bytes->size() - m->position);
    std::memcpy(destination, m->bytes->data() + m->position, n);
    m->position += n;
    return n;
}

int MemorySeek(void* source, ogg_int64_t offset, int whence)
{
    auto* m = static_cast<Memory*>(source);
    const int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? int64_t(m->position) : int64_t(m->bytes->size());
    const int64_t target = base + offset;
    if (target < 0 || target > int64_t(m->bytes->size()))
        return -1;
    m->position = size_t(target);
    return 0;
}

long MemoryTell(void* source) { return long(static_cast<Memory*>(source)->position); }

} // namespace

std::vector<int16_t> DecodeOgg(const std::vector<uint8_t>& file)
{
    Memory memory{&file};
    OggVorbis_File vf;
    const ov_callbacks callbacks{MemoryRead, MemorySeek, nullptr, MemoryTell};
    if (ov_open_callbacks(&memory, &vf, nullptr, 0, callbacks) < 0)
        throw std::runtime_error("ov_open_callbacks");
    std::vector<int16_t> out;
    char buffer[8192];
    int bitstream = 0;
    for (;;) {
        const long n = ov_read(&vf, buffer, sizeof buffer, 0, 2, 1, &bitstream);
        if (n <= 0)
            break;
        const size_t old = out.size();
        out.resize(old + size_t(n) / 2);
        std::memcpy(out.data() + old, buffer, size_t(n));
    }
    ov_clear(&vf);
    return out;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

} // namespace SoundFixtures
