#include "engine/render/ShaderDescriptor.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileBinary.h"
#include "engine/core/files/FileManager.h"

#include <cmath>
#include <cstring>

namespace VantoranEngine {

namespace {

uint32_t DecimalDigits(uint32_t value)
{
    uint32_t digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

bool IsSequence(uint32_t kind)
{
    return kind >= stageColourSequence && kind <= stageBothSequences;
}

bool ColourIsSequence(uint32_t kind)
{
    return kind == stageColourSequence || kind == stageBothSequences;
}

bool OpacityIsSequence(uint32_t kind)
{
    return kind == stageOpacitySequence || kind == stageBothSequences;
}

class MaterialReader {
public:
    MaterialReader(FileBinary& file) : file(file) {}
    uint32_t U32() { return file.ReadU32(); }
    float F32() { return file.ReadF32(); }
    Color Colour()
    {
        Color c;
        c.r = F32();
        c.g = F32();
        c.b = F32();
        c.a = F32();
        return c;
    }
    std::string String()
    {
        std::string text;
        file.ReadString(text);
        return text;
    }

private:
    FileBinary& file;
};

} // namespace

ShaderDescriptor::ShaderDescriptor(const ShaderDescriptor& other)
{
    *this = other;
}

ShaderDescriptor& ShaderDescriptor::operator=(const ShaderDescriptor& other)
{
    if (&other == this)
        return *this;
    flags = other.flags;
    diffuse = other.diffuse;
    ambient = other.ambient;
    specular = other.specular;
    emissive = other.emissive;
    power = other.power;
    reserved = other.reserved;
    sourceBlend = other.sourceBlend;
    destinationBlend = other.destinationBlend;
    stageCount = other.stageCount > maxShaderStages ? maxShaderStages : other.stageCount;
    for (uint32_t i = 0; i < maxShaderStages; ++i)
        stages[i] = i < stageCount ? other.stages[i] : ShaderStage{};
    UpdateHash();
    return *this;
}

ShaderDescriptor ShaderDescriptor::InitFromTextures(const std::string& colourName, const std::string& opacityName)
{
    ShaderDescriptor d;
    const bool withOpacity = !opacityName.empty();
    d.flags = withOpacity ? shaderAlphaBlend : 0;
    d.sourceBlend = withOpacity ? 4 : 0;
    d.destinationBlend = withOpacity ? 5 : 0;
    if (!colourName.empty())
        d.AddStage(stageStatic, d.flags, 1, 1, 1, 0.0f, colourName, opacityName == "32bit" ? "" : opacityName, 0);
    return d;
}

ShaderDescriptor ShaderDescriptor::InitFromTextureAtlas(float framesPerSecond, const std::string& colourName,
                                                        const std::string& opacityName)
{
    ShaderDescriptor d;
    const bool withOpacity = !opacityName.empty();
    d.flags = withOpacity ? shaderAlphaBlend : 0;
    d.sourceBlend = withOpacity ? 4 : 0;
    d.destinationBlend = withOpacity ? 5 : 0;
    const std::string opacity = ToLowerCopy(opacityName) == "32bit" ? std::string() : opacityName;
    d.AddStage(stageAtlas, 0, 8, 4, 32, framesPerSecond, colourName, opacity, 0);
    return d;
}

ShaderDescriptor ShaderDescriptor::Load(const std::string& name, MessageManager* log, FileManager* files)
{
    ShaderDescriptor d;
    try {
        std::unique_ptr<FileBinary> file = files->OpenBinary(FileManager::GetDataPath(name), false, false, true);
        MaterialReader in(*file);
        const std::string formatError = "Incorrect \"" + name + "\" file format";
        const uint32_t size = in.U32();
        char magic[5];
        file->Read(5, magic);
        if (size != file->size || std::memcmp(magic, "VNSRF", 5) != 0)
            throw FileError(formatError);
        if (in.U32() != materialFileVersion)
            throw FileError("Incorrect \"" + name + "\" format version, current is " +
                            std::to_string(materialFileVersion));
        d.flags = in.U32();
        d.diffuse = in.Colour();
        d.ambient = in.Colour();
        d.specular = in.Colour();
        d.emissive = in.Colour();
        d.power = in.F32();
        d.reserved = in.F32();
        d.sourceBlend = in.U32();
        d.destinationBlend = in.U32();
        const uint32_t count = in.U32();
        if (count > maxShaderStages)
            throw FileError(formatError);
        const std::string folder = FileManager::GetDirectory(name);
        for (uint32_t i = 0; i < count; ++i) {
            const uint32_t stageFlags = in.U32();
            const uint32_t kind = in.U32();
            uint32_t frameCount = 1;
            float rate = 0.0f;
            if (kind != stageStatic) {
                frameCount = in.U32();
                rate = in.F32();
            }
            uint32_t columns = 1;
            uint32_t rows = 1;
            if (kind == stageAtlas) {
                columns = in.U32();
                rows = in.U32();
            }
            std::string names[2] = {in.String(), in.String()};
            for (std::string& image : names)
                if (!image.empty() && FileManager::GetDirectory(image).empty() && image[0] != '\\')
                    image = folder + "\\" + image;
            // Values the animation divides by, loops over or indexes with.
            if (kind > stageBothSequences || frameCount == 0 || columns == 0 || rows == 0 || !(rate >= 0.0f) ||
                !std::isfinite(rate) || ((IsSequence(kind) || kind == stageAtlas) && frameCount > maxSequenceFrames) ||
                (ColourIsSequence(kind) && SequenceFrameName(names[0], frameCount, 0).empty()) ||
                (OpacityIsSequence(kind) && SequenceFrameName(names[1], frameCount, 0).empty()))
                throw FileError(formatError);
            const uint32_t index = d.AddStage(kind, stageFlags, columns, rows, frameCount, rate, names[0], names[1], 0);
            ShaderStage& stage = d.stages[index];
            stage.addressU = in.U32();
            stage.addressV = in.U32();
            stage.scaleU = in.F32();
            stage.scaleV = in.F32();
            stage.offsetU = in.F32();
            stage.offsetV = in.F32();
        }
    } catch (const FileError& error) {
        log->LogError(error.message);
        throw Error(error.message);
    }
    return d;
}

uint32_t ShaderDescriptor::AddStage(uint32_t kind, uint32_t stageFlags, uint32_t columns, uint32_t rows,
                                    uint32_t frameCount, float framesPerSecond, const std::string& colourName,
                                    const std::string& opacityName, uint32_t address)
{
    if (stageCount >= maxShaderStages)
        throw FatalError("Shader Stages: buffer is overflowed");
    ShaderStage& stage = stages[stageCount];
    stage = ShaderStage{};
    stage.flags = stageFlags;
    stage.kind = kind;
    stage.columns = columns;
    stage.rows = rows;
    stage.frameCount = kind == stageStatic ? 0 : frameCount;
    stage.framesPerSecond = framesPerSecond;
    stage.colourName = ToLowerCopy(colourName);
    stage.opacityName = ToLowerCopy(opacityName);
    stage.addressU = address;
    stage.addressV = address;
    ++stageCount;
    UpdateHash();
    return stageCount - 1;
}

void ShaderDescriptor::UpdateHash()
{
    uint32_t sum = 0;
    for (uint32_t i = 0; i < stageCount; ++i)
        for (const std::string* text : {&stages[i].colourName, &stages[i].opacityName})
            for (char c : *text)
                sum += static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(c)));
    hash = sum;
}

bool ShaderDescriptor::Equals(const ShaderDescriptor& a, const ShaderDescriptor& b)
{
    if (a.hash != b.hash || (a.flags & ~shaderAlphaBlend) != (b.flags & ~shaderAlphaBlend) ||
        a.stageCount != b.stageCount)
        return false;
    constexpr uint32_t ignored = stageMipMapped | stageRandomPhase;
    for (uint32_t i = 0; i < a.stageCount; ++i) {
        const ShaderStage& s = a.stages[i];
        const ShaderStage& t = b.stages[i];
        if ((s.flags & ~ignored) != (t.flags & ~ignored))
            return false;
        const bool sameKind = (s.kind <= stageAtlas && t.kind <= stageAtlas) ||
                              (s.kind == t.kind && s.frameCount == t.frameCount);
        if (!sameKind || s.colourName != t.colourName || s.opacityName != t.opacityName)
            return false;
    }
    return true;
}

std::string SequenceFrameName(const std::string& name, uint32_t frameCount, uint32_t frame)
{
    const uint32_t digits = DecimalDigits(frameCount);
    const std::string extension = FileManager::GetExtension(name);
    const size_t cut = size_t{digits} + extension.size() + 1;
    if (name.size() < cut)
        return std::string();
    return name.substr(0, name.size() - cut) + UIntToString(static_cast<int>(digits), frame) + "." + extension;
}

} // namespace VantoranEngine
