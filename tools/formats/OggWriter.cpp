#include "tools/formats/OggWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <stdexcept>

namespace Formats {

std::vector<uint8_t> EncodeOggVorbis(const std::vector<float>& samples, int channels, long rate, float quality,
                                    int serial)
{
    vorbis_info info;
    vorbis_info_init(&info);
    if (channels <= 0 || vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
        vorbis_info_clear(&info);
        throw std::runtime_error("vorbis encoder setup failed");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, serial);

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

    const size_t frames = samples.size() / channels;
    constexpr size_t chunk = 4096;
    for (size_t start = 0;; start += chunk) {
        const size_t n = start < frames ? std::min(chunk, frames - start) : 0;
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
            for (size_t i = 0; i < n; ++i)
                for (int c = 0; c < channels; ++c)
                    buffer[c][i] = samples[(start + i) * channels + c];
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

} // namespace Formats
