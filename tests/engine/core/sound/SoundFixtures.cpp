#include "SoundFixtures.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

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
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, long(rate), 0.1f) != 0)
        throw std::runtime_error("vorbis_encode_init_vbr");
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);

    std::vector<uint8_t> out;
    const auto emit = [&out](const ogg_page& page) {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page))
        emit(page);

    const size_t frames = samples.size() / channels;
    size_t done = 0;
    for (;;) {
        const size_t chunk = std::min<size_t>(4096, frames - done);
        if (chunk == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, int(chunk));
            for (size_t i = 0; i < chunk; ++i)
                for (uint16_t c = 0; c < channels; ++c)
                    buffer[c][i] = samples[(done + i) * channels + c] / 32768.0f;
            vorbis_analysis_wrote(&dsp, int(chunk));
            done += chunk;
        }
        bool eos = false;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page)) {
                    emit(page);
                    eos = ogg_page_eos(&page) != 0;
                }
            }
        }
        if (chunk == 0) {
            while (ogg_stream_flush(&stream, &page))
                emit(page);
            (void)eos;
            break;
        }
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
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
