#include "engine/render/gui/GUIFont.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"
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
                 const std::string& name, const ShaderDescriptor& descriptor, ModelManager* modelManager,
                 Camera* camera)
    : log(log), memoryManager(memoryManager), fileManager(fileManager), modelManager(modelManager),
      descriptor(descriptor)
{
    try {
        std::unique_ptr<FileBinary> file = fileManager->OpenBinary(FileManager::GetDataPath(name), false, false, true);
        ReadGlyphs(*file, name, glyphs);
        file->Close();
    } catch (const FileError& error) {
        log->LogError(error.message);
    }
    if (modelManager != nullptr)
        BuildModel(camera);
    else
        BuildQuads();
}

GUIFont::GUIFont(const GUIFont* prototype)
    : size(prototype->size),
      missingAdvance(prototype->missingAdvance),
      spacing(prototype->spacing),
      log(prototype->log),
      memoryManager(prototype->memoryManager),
      fileManager(prototype->fileManager),
      modelManager(prototype->modelManager),
      prototype(prototype),
      glyphs(prototype->glyphs),
      descriptor(prototype->descriptor)
{
    if (prototype->model == nullptr) {
        BuildQuads();
        return;
    }
    model = modelManager->CloneModel(prototype->model, nullptr, 0);
    model->flags |= ModelFlag::active;
    SetUsedIndexCount(0);
    SetDepth(modelDepth);
}

GUIFont::~GUIFont()
{
    if (model == nullptr)
        return;
    UnlockVertexBuffer();
    modelManager->models.Remove(model);
    delete model;
}

namespace {

// Quad k of a triangle list: two triangles over vertices 4k .. 4k+3.
void FillQuadIndices(uint16_t* indices)
{
    for (uint32_t k = 0; k < GUIFont::maxGlyphs; ++k) {
        const uint16_t first = static_cast<uint16_t>(4 * k);
        const uint16_t quad[6] = {first, static_cast<uint16_t>(first + 1), static_cast<uint16_t>(first + 2),
                                  static_cast<uint16_t>(first + 2), static_cast<uint16_t>(first + 1),
                                  static_cast<uint16_t>(first + 3)};
        std::memcpy(indices + size_t{k} * 6, quad, sizeof(quad));
    }
}

} // namespace

void GUIFont::BuildQuads()
{
    vertices.assign(vertexCount, GUIFontVertex{});
    indices.resize(indexCount);
    FillQuadIndices(indices.data());
}

void GUIFont::BuildModel(Camera* camera)
{
    model = modelManager->CreateSelfMadeModel(modelFlags, vertexCount, indexCount, &descriptor, camera);
    model->name = "font_model";
    auto* modelIndices = static_cast<uint16_t*>(model->indexBuffer->Lock(0, static_cast<int32_t>(indexCount)));
    FillQuadIndices(modelIndices);
    model->indexBuffer->Unlock();
    SetUsedIndexCount(0);
    SetDepth(modelDepth);
}

void GUIFont::SetUsedIndexCount(uint32_t count)
{
    usedIndexCount = count;
    if (model == nullptr)
        return;
    model->indexBuffer->usedIndexCount = count;
    model->indexBuffer->rangeStale = 1;
    model->UpdateTriangleCount();
}

void GUIFont::SetDepth(float newDepth)
{
    depth = newDepth;
    if (model != nullptr)
        model->depth = newDepth;
}

void GUIFont::UnlockVertexBuffer()
{
    if (!vertexBufferLocked)
        return;
    vertexBufferLocked = false;
    lockedVertices = nullptr;
    if (model != nullptr)
        model->vertexBuffer->Unlock();
}

GUIFontVertex GUIFont::GetVertex(uint32_t i) const
{
    if (model == nullptr)
        return vertices.at(i);
    const VertexBuffer& buffer = *model->vertexBuffer;
    const uint8_t* bytes = buffer.vertices.data() + size_t{i} * buffer.vertexSize;
    GUIFontVertex vertex;
    std::memcpy(&vertex.x, bytes, 3 * sizeof(float));
    std::memcpy(&vertex.colour, bytes + VertexBuffer::kColorOffset, sizeof(vertex.colour));
    std::memcpy(&vertex.u, bytes + VertexBuffer::kColorOffset + 4, 2 * sizeof(float));
    return vertex;
}

uint16_t GUIFont::GetIndex(uint32_t i) const
{
    if (model == nullptr)
        return indices.at(i);
    uint16_t index = 0;
    std::memcpy(&index, model->indexBuffer->indices.data() + size_t{i} * 2, sizeof(index));
    return index;
}

void GUIFont::WriteVertex(uint32_t i, const GUIFontVertex& vertex)
{
    if (model == nullptr) {
        vertices[i] = vertex;
        return;
    }
    // The coloured layout: position, normal (left as it is), colour, texture coordinates.
    uint8_t* bytes = lockedVertices + size_t{i} * model->vertexBuffer->vertexSize;
    std::memcpy(bytes, &vertex.x, 3 * sizeof(float));
    std::memcpy(bytes + VertexBuffer::kColorOffset, &vertex.colour, sizeof(vertex.colour));
    std::memcpy(bytes + VertexBuffer::kColorOffset + 4, &vertex.u, 2 * sizeof(float));
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
    if (!vertexBufferLocked) {
        vertexBufferLocked = true;
        if (model != nullptr)
            lockedVertices = static_cast<uint8_t*>(model->vertexBuffer->Lock(0, static_cast<int32_t>(vertexCount)));
    }

    const float s = size;
    const float w = glyph.advance * s;
    const uint32_t packed = model != nullptr ? model->vertexBuffer->PackColor(colour) : PackColour(colour);
    const uint32_t first = glyphCount * 4;
    WriteVertex(first, {position.x, position.y + s, 0.0f, packed, glyph.u, glyph.v + glyph.dv});
    WriteVertex(first + 1, {position.x, position.y, 0.0f, packed, glyph.u, glyph.v});
    WriteVertex(first + 2, {position.x + w, position.y + s, 0.0f, packed, glyph.u + glyph.du, glyph.v + glyph.dv});
    WriteVertex(first + 3, {position.x + w, position.y, 0.0f, packed, glyph.u + glyph.du, glyph.v});

    ++glyphCount;
    SetUsedIndexCount(6 * glyphCount);
}

} // namespace VantoranEngine
