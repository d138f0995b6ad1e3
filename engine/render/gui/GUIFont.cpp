#include "engine/render/gui/GUIFont.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FileManager.h"
#include "platform/os/CodePage.h"

#include <cstring>
#include <memory>
#include <utility>

namespace VantoranEngine {

namespace {

constexpr uint32_t headerSize = 13;
constexpr uint32_t glyphRecordSize = 22;

// A colour component as the vertex buffer stores it: clamped to 0..1, rounded to 0..255.
uint32_t PackComponent(float value)
{
    if (!(value > 0.0f))
        return 0;
    if (value >= 1.0f)
        return 255;
    return static_cast<uint32_t>(value * 255.0f + 0.5f);
}

uint32_t PackColour(const Color& colour)
{
    return PackComponent(colour.a) << 24 | PackComponent(colour.r) << 16 | PackComponent(colour.g) << 8 |
           PackComponent(colour.b);
}

uint32_t ReadU32(const uint8_t* bytes)
{
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

float ReadF32(const uint8_t* bytes)
{
    const uint32_t raw = ReadU32(bytes);
    float value = 0.0f;
    std::memcpy(&value, &raw, sizeof(value));
    return value;
}

} // namespace

GUIFont::GUIFont(MessageManager* log, MemoryManager* memoryManager, FileManager* fileManager,
                 const std::string& name, const ShaderDescriptor& descriptor)
    : log(log), memoryManager(memoryManager), fileManager(fileManager), descriptor(descriptor)
{
    BuildQuads();
    try {
        std::unique_ptr<FileBinary> file = fileManager->OpenBinary(FileManager::GetDataPath(name), false, false, true);
        ReadGlyphs(*file, name, glyphs);
        file->Close();
    } catch (const FileError& error) {
        log->LogError(error.message);
    }
}

GUIFont::GUIFont(const GUIFont* prototype)
    : size(prototype->size),
      missingAdvance(prototype->missingAdvance),
      spacing(prototype->spacing),
      log(prototype->log),
      memoryManager(prototype->memoryManager),
      fileManager(prototype->fileManager),
      prototype(prototype),
      glyphs(prototype->glyphs),
      descriptor(prototype->descriptor)
{
    BuildQuads();
}

GUIFont::~GUIFont() = default;

void GUIFont::BuildQuads()
{
    vertices.assign(vertexCount, GUIFontVertex{});
    indices.resize(indexCount);
    for (uint32_t k = 0; k < maxGlyphs; ++k) {
        const uint16_t first = static_cast<uint16_t>(4 * k);
        const uint16_t quad[6] = {first, static_cast<uint16_t>(first + 1), static_cast<uint16_t>(first + 2),
                                  static_cast<uint16_t>(first + 2), static_cast<uint16_t>(first + 1),
                                  static_cast<uint16_t>(first + 3)};
        std::memcpy(&indices[size_t{k} * 6], quad, sizeof(quad));
    }
}

void GUIFont::ReadGlyphs(FileBinary& file, const std::string& name, GlyphTable& glyphs)
{
    const std::string formatError = "Incorrect \"" + name + "\" file format";
    uint8_t header[headerSize] = {};
    if (file.size < headerSize)
        throw FileError(formatError);
    file.Read(headerSize, header);
    if (std::memcmp(header + 4, "VNFNT", 5) != 0 || ReadU32(header) != file.size)
        throw FileError(formatError);
    if (ReadU32(header + 9) != fileVersion)
        throw FileError("Incorrect \"" + name + "\" format version, current is " + std::to_string(fileVersion));

    uint8_t countBytes[4] = {};
    file.Read(sizeof(countBytes), countBytes);
    const uint32_t count = ReadU32(countBytes);
    for (uint32_t i = 0; i < count; ++i) {
        uint8_t record[glyphRecordSize] = {};
        file.Read(glyphRecordSize, record);
        GUIFontGlyph glyph;
        glyph.code = static_cast<char16_t>(record[0] | record[1] << 8);
        glyph.u = ReadF32(record + 2);
        glyph.v = ReadF32(record + 6);
        glyph.du = ReadF32(record + 10);
        glyph.dv = ReadF32(record + 14);
        glyph.advance = ReadF32(record + 18);
        glyphs.emplace(glyph.code, glyph);
    }
}

void GUIFont::TakeSettingsFromPrototype()
{
    if (prototype == nullptr)
        return;
    size = prototype->size;
    missingAdvance = prototype->missingAdvance;
    spacing = prototype->spacing;
}

void GUIFont::DrawText(const Vector2& position, const Color& colour, const std::u16string& text)
{
    TakeSettingsFromPrototype();
    float x = 0.0f;
    for (char16_t c : text) {
        AddGlyphQuad({position.x + x, position.y}, colour, c);
        const auto glyph = glyphs.find(c);
        x += glyph != glyphs.end() ? glyph->second.advance * size * spacing : missingAdvance * size;
    }
}

float GUIFont::GetTextWidth(const std::u16string& text, float textSize) const
{
    const float s = textSize >= 0.0f ? textSize : size;
    float width = 0.0f;
    for (char16_t c : text) {
        const auto glyph = glyphs.find(c);
        width += glyph != glyphs.end() ? glyph->second.advance * s * spacing : missingAdvance * s;
    }
    return width;
}

bool GUIFont::HasGlyph(char16_t code) const
{
    return glyphs.count(code) != 0;
}

void GUIFont::AddLowerCaseGlyphs()
{
    std::vector<std::pair<char16_t, char16_t>> pairs;
    for (const auto& [code, glyph] : glyphs) {
        const char16_t lower = Platform::ToLowerWide(code);
        if (lower != code && glyphs.count(lower) == 0)
            pairs.emplace_back(code, lower);
    }
    for (const auto& [code, lower] : pairs) {
        GUIFontGlyph glyph = glyphs[code];
        glyph.code = lower;
        glyphs.emplace(lower, glyph);
    }
}

void GUIFont::AddGlyphQuad(const Vector2& position, const Color& colour, char16_t code)
{
    if (glyphCount == maxGlyphs || code == u'\n' || Platform::IsSpaceWide(code))
        return;
    const auto found = glyphs.find(code);
    if (found == glyphs.end())
        return;
    const GUIFontGlyph& glyph = found->second;
    vertexBufferLocked = true;

    const float s = size;
    const float w = glyph.advance * s;
    const uint32_t packed = PackColour(colour);
    GUIFontVertex* quad = &vertices[size_t{glyphCount} * 4];
    quad[0] = {position.x, position.y + s, 0.0f, packed, glyph.u, glyph.v + glyph.dv};
    quad[1] = {position.x, position.y, 0.0f, packed, glyph.u, glyph.v};
    quad[2] = {position.x + w, position.y + s, 0.0f, packed, glyph.u + glyph.du, glyph.v + glyph.dv};
    quad[3] = {position.x + w, position.y, 0.0f, packed, glyph.u + glyph.du, glyph.v};

    ++glyphCount;
    usedIndexCount = 6 * glyphCount;
    indicesChanged = true;
}

} // namespace VantoranEngine
