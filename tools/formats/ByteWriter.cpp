#include "tools/formats/ByteWriter.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace Formats {

void ByteWriter::U8(uint8_t value)
{
    bytes.push_back(value);
}

void ByteWriter::U16(uint16_t value)
{
    U8(static_cast<uint8_t>(value));
    U8(static_cast<uint8_t>(value >> 8));
}

void ByteWriter::U32(uint32_t value)
{
    U16(static_cast<uint16_t>(value));
    U16(static_cast<uint16_t>(value >> 16));
}

void ByteWriter::F32(float value)
{
    uint32_t raw = 0;
    std::memcpy(&raw, &value, sizeof(raw));
    U32(raw);
}

void ByteWriter::Bytes(const void* data, size_t count)
{
    const uint8_t* p = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + count);
}

void ByteWriter::String(std::string_view text)
{
    const size_t length = text.size() > 254 ? 254 : text.size();
    U8(static_cast<uint8_t>(length + 1));
    Bytes(text.data(), length);
    U8(0);
}

void ByteWriter::Header(std::string_view magic, uint32_t version)
{
    U32(0);
    Bytes(magic.data(), magic.size());
    U32(version);
}

std::vector<uint8_t> ByteWriter::Finish()
{
    const uint32_t size = static_cast<uint32_t>(bytes.size());
    for (int i = 0; i < 4 && static_cast<size_t>(i) < bytes.size(); ++i)
        bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(size >> (8 * i));
    return bytes;
}

bool SaveFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::error_code error;
    const std::filesystem::path native(path);
    if (native.has_parent_path())
        std::filesystem::create_directories(native.parent_path(), error);
    std::ofstream out(native, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

} // namespace Formats
