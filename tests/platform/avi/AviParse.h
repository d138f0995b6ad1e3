#pragma once
// Test helper: reads an AVI 1.0 file back and checks its RIFF structure as it goes. `error` names the
// first structural fault found; the fields after it are not filled.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace AviParse {

struct Chunk {
    std::string id;
    uint32_t offset = 0;   // of the chunk's id, from the 'movi' fourcc
    std::string data;
};

struct IndexEntry {
    std::string id;
    uint32_t flags = 0;
    uint32_t offset = 0;
    uint32_t size = 0;
};

struct File {
    std::string error;
    // avih
    uint32_t microsecondsPerFrame = 0, flags = 0, totalFrames = 0, streams = 0, width = 0, height = 0;
    uint32_t suggestedBuffer = 0;
    // strh
    std::string streamType, handler;
    uint32_t scale = 0, rate = 0, length = 0;
    int16_t frameRight = 0, frameBottom = 0;
    // strf
    int32_t formatWidth = 0, formatHeight = 0;
    uint16_t bitCount = 0;
    std::string compression;   // "\0\0\0\0" for uncompressed
    uint32_t sizeImage = 0;
    std::vector<Chunk> frames;
    std::vector<IndexEntry> index;
};

inline uint32_t U32(const std::string& s, size_t at)
{
    uint32_t v = 0;
    std::memcpy(&v, s.data() + at, 4);
    return v;
}
inline uint16_t U16(const std::string& s, size_t at)
{
    uint16_t v = 0;
    std::memcpy(&v, s.data() + at, 2);
    return v;
}

inline File Parse(const std::string& bytes)
{
    File f;
    auto fail = [&](const std::string& why) {
        if (f.error.empty())
            f.error = why;
        return f;
    };
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "AVI ") != 0)
        return fail("not a RIFF AVI");
    if (U32(bytes, 4) != bytes.size() - 8)
        return fail("RIFF size " + std::to_string(U32(bytes, 4)) + " for a file of " + std::to_string(bytes.size()));
    size_t moviFourcc = 0;
    bool sawHdrl = false, sawMovi = false, sawIndex = false;
    size_t at = 12;
    while (at < bytes.size()) {
        if (at + 8 > bytes.size())
            return fail("truncated chunk header");
        const std::string id = bytes.substr(at, 4);
        const uint32_t size = U32(bytes, at + 4);
        if (at + 8 + size > bytes.size())
            return fail("chunk " + id + " runs past the end");
        const size_t data = at + 8;
        if (id == "LIST" && bytes.compare(data, 4, "hdrl") == 0) {
            sawHdrl = true;
            size_t in = data + 4;
            while (in < data + size) {
                const std::string sub = bytes.substr(in, 4);
                const uint32_t subSize = U32(bytes, in + 4);
                if (in + 8 + subSize > data + size)
                    return fail("hdrl chunk " + sub + " runs past its list");
                const size_t d = in + 8;
                if (sub == "avih") {
                    if (subSize != 56)
                        return fail("avih size");
                    f.microsecondsPerFrame = U32(bytes, d);
                    f.flags = U32(bytes, d + 12);
                    f.totalFrames = U32(bytes, d + 16);
                    f.streams = U32(bytes, d + 24);
                    f.suggestedBuffer = U32(bytes, d + 28);
                    f.width = U32(bytes, d + 32);
                    f.height = U32(bytes, d + 36);
                } else if (sub == "LIST" && bytes.compare(d, 4, "strl") == 0) {
                    size_t s = d + 4;
                    while (s < d + subSize) {
                        const std::string sid = bytes.substr(s, 4);
                        const uint32_t ssize = U32(bytes, s + 4);
                        const size_t sd = s + 8;
                        if (sid == "strh") {
                            if (ssize != 56)
                                return fail("strh size");
                            f.streamType = bytes.substr(sd, 4);
                            f.handler = bytes.substr(sd + 4, 4);
                            f.scale = U32(bytes, sd + 20);
                            f.rate = U32(bytes, sd + 24);
                            f.length = U32(bytes, sd + 32);
                            f.frameRight = int16_t(U16(bytes, sd + 52));
                            f.frameBottom = int16_t(U16(bytes, sd + 54));
                        } else if (sid == "strf") {
                            if (ssize < 40 || U32(bytes, sd) != 40)
                                return fail("strf size");
                            f.formatWidth = int32_t(U32(bytes, sd + 4));
                            f.formatHeight = int32_t(U32(bytes, sd + 8));
                            f.bitCount = U16(bytes, sd + 14);
                            f.compression = bytes.substr(sd + 16, 4);
                            f.sizeImage = U32(bytes, sd + 20);
                        }
                        s = sd + ssize + (ssize & 1);
                    }
                }
                in = d + subSize + (subSize & 1);
            }
        } else if (id == "LIST" && bytes.compare(data, 4, "movi") == 0) {
            sawMovi = true;
            moviFourcc = data;
            size_t in = data + 4;
            while (in < data + size) {
                if (in + 8 > data + size)
                    return fail("truncated movie chunk");
                Chunk c;
                c.id = bytes.substr(in, 4);
                const uint32_t cs = U32(bytes, in + 4);
                if (in + 8 + cs > data + size)
                    return fail("movie chunk runs past its list");
                c.offset = uint32_t(in - moviFourcc);
                c.data = bytes.substr(in + 8, cs);
                f.frames.push_back(c);
                in += 8 + cs + (cs & 1);
            }
            if (in != data + size)
                return fail("movie list size is not the sum of its padded chunks");
        } else if (id == "idx1") {
            sawIndex = true;
            if (size % 16 != 0)
                return fail("idx1 size");
            for (size_t e = data; e < data + size; e += 16)
                f.index.push_back({bytes.substr(e, 4), U32(bytes, e + 4), U32(bytes, e + 8), U32(bytes, e + 12)});
        }
        at = data + size + (size & 1);
    }
    if (!sawHdrl || !sawMovi || !sawIndex)
        return fail("missing hdrl, movi or idx1");
    return f;
}

} // namespace AviParse
