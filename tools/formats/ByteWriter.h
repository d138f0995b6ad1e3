#pragma once
// Little-endian byte assembly for the engine's file formats. Engine formats open with a common header:
// u32 total size, a five-character magic, u32 version; Finish() patches the size once everything is in.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace Formats {

class ByteWriter {
public:
    void U8(uint8_t value);
    void U16(uint16_t value);
    void U32(uint32_t value);
    void F32(float value);
    void Bytes(const void* data, size_t count);
    // The engine's narrow binary string: u8 count including the NUL, the characters, the NUL.
    // Texts longer than 254 characters are cut to 254.
    void String(std::string_view text);
    // u32 size placeholder, magic, version.
    void Header(std::string_view magic, uint32_t version);
    // Writes the total size into the first four bytes.
    std::vector<uint8_t> Finish();

    std::vector<uint8_t> bytes;
};

// Writes the bytes to a native path, creating missing folders; false when the file cannot be written.
bool SaveFile(const std::string& path, const std::vector<uint8_t>& bytes);

} // namespace Formats
