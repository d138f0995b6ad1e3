#include "tools/formats/ParticleWriter.h"

#include "tools/formats/ByteWriter.h"

#include <type_traits>

namespace Formats {

std::vector<uint8_t> EncodeParticleSystem(const ParticleSystemFile& file, uint32_t version)
{
    ByteWriter out;
    const auto keys = [&out](const auto& values) {
        for (const auto& value : values) {
            if constexpr (std::is_same_v<std::decay_t<decltype(value)>, float>) {
                out.F32(value);
            } else {
                for (float component : value)
                    out.F32(component);
            }
        }
    };
    out.Header("VNPSF", version);
    out.U32(file.particleCount);
    out.F32(file.period);
    out.U8(file.gravityEnabled);
    out.F32(file.gravity);
    out.U8(file.floorEnabled);
    out.F32(file.floorZ);
    out.F32(file.bounce);
    out.U8(file.killWhenSlow);
    out.F32(file.minimumSpeedFactor);
    out.U8(file.interpolateEmission);
    keys(file.emissionRate);
    keys(file.lifetime);
    keys(file.lifetimeSpread);
    keys(file.direction);
    keys(file.directionSpread);
    keys(file.colour);
    keys(file.size);
    keys(file.speed);
    if (version != 203)
        keys(file.speedSpread);
    out.U32(file.emitterShape);
    keys(file.boxMin);
    keys(file.boxMax);
    return out.Finish();
}

} // namespace Formats
