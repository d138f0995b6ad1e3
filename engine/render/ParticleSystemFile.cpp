#include "engine/render/ParticleSystemFile.h"

#include "engine/core/Error.h"
#include "engine/core/files/FileBinary.h"

#include <cstring>

namespace VantoranEngine {

namespace {

class FieldReader {
public:
    explicit FieldReader(FileBinary& file) : file(file) {}

    uint32_t U32() { return file.ReadU32(); }
    uint8_t U8() { return file.ReadU8(); }
    float F32() { return file.ReadF32(); }
    Vector3 Vector()
    {
        Vector3 v;
        v.x = F32();
        v.y = F32();
        v.z = F32();
        return v;
    }
    void Keys(ParticleSystemDescriptor::Keys<float>& keys)
    {
        for (float& key : keys)
            key = F32();
    }
    void Keys(ParticleSystemDescriptor::Keys<Vector3>& keys)
    {
        for (Vector3& key : keys)
            key = Vector();
    }
    void Keys(ParticleSystemDescriptor::Keys<Color>& keys)
    {
        for (Color& key : keys) {
            key.r = F32();
            key.g = F32();
            key.b = F32();
            key.a = F32();
        }
    }

private:
    FileBinary& file;
};

} // namespace

ParticleSystemFile ParticleSystemFile::Read(FileBinary& file, const std::string& name)
{
    const std::string formatError = "Incorrect \"" + name + "\" file format";
    FieldReader in(file);
    ParticleSystemFile result;
    const uint32_t size = in.U32();
    char magic[5];
    file.Read(5, magic);
    if (size != file.size || std::memcmp(magic, "VNPSF", 5) != 0)
        throw FileError(formatError);
    const uint32_t version = in.U32();
    if (version != currentVersion && version != oldVersion)
        throw FileError("Incorrect \"" + name + "\" format version, current is " + std::to_string(currentVersion));

    result.particleCount = in.U32();
    if (result.particleCount == 0 || result.particleCount > maxParticleCount)
        throw FileError(formatError);
    ParticleSystemDescriptor& d = result.descriptor;
    d.period = in.F32();
    if (!(d.period > 0.0f))
        throw FileError(formatError);
    d.gravityEnabled = in.U8();
    d.gravity = in.F32();
    d.floorEnabled = in.U8();
    d.floorZ = in.F32();
    d.bounce = in.F32();
    d.killWhenSlow = in.U8();
    d.minimumSpeedFactor = in.F32();
    d.interpolateEmission = in.U8();
    in.Keys(d.emissionRate);
    in.Keys(d.lifetime);
    in.Keys(d.lifetimeSpread);
    in.Keys(d.direction);
    in.Keys(d.directionSpread);
    in.Keys(d.colour);
    in.Keys(d.size);
    in.Keys(d.speed);
    if (version == currentVersion)
        in.Keys(d.speedSpread);
    else
        d.speedSpread.fill(0.0f);
    result.emitterShape = in.U32();
    result.boxMin = in.Vector();
    result.boxMax = in.Vector();
    return result;
}

} // namespace VantoranEngine
