#pragma once
// Ogg Vorbis from interleaved samples in -1..1, encoded with libvorbisenc at a variable bit rate.

#include <cstdint>
#include <vector>

namespace Formats {

// `quality` is libvorbisenc's -0.1..1; a fixed `serial` gives the same bytes on every run.
std::vector<uint8_t> EncodeOggVorbis(const std::vector<float>& samples, int channels, long rate, float quality,
                                     int serial);

} // namespace Formats
