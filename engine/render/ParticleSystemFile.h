#pragma once
// The particle-system file ".psf": magic "VNPSF", versions 203 and 204 (204 adds the speed spread
// keys), little-endian fields without gaps after the common 13-byte header. A version 204 file is 453
// bytes, a version 203 file 429; bytes after the last field are not read.
//
// Layout after the header: u32 particle count, f32 period, u8 gravity on, f32 gravity, u8 floor on,
// f32 floor z, f32 bounce, u8 kill when slow, f32 minimum speed factor, u8 interpolate emission, then
// six keys each of emission rate, lifetime, lifetime spread, direction (x, y, z), direction spread,
// colour (r, g, b, a), size, speed, speed spread (204 only), then u32 emitter shape and the emitter box's
// minimum and maximum corners (x, y, z each).
//
// Checks beyond the format: the particle count must be at least 1 (a system without particles would
// ask for empty vertex and index buffers) and fit the sprite buffers with 16-bit indices (at most
// maxParticleCount), and the period must be positive (not NaN); such files are refused as
// format errors, since a looping system with no positive period could never wrap its time.

#include "engine/render/ParticleSystemDescriptor.h"
#include "engine/render/Vector3.h"

#include <cstdint>
#include <string>

namespace VantoranEngine {

class FileBinary;

struct ParticleSystemFile {
    static constexpr uint32_t currentVersion = 204;
    static constexpr uint32_t oldVersion = 203;
    static constexpr uint32_t currentSize = 453;
    static constexpr uint32_t oldSize = 429;
    // Six indices per sprite must stay below 65536 for a 16-bit index buffer.
    static constexpr uint32_t maxParticleCount = 65535 / 6;

    // Reads a whole file from its start. Throws FileError "Incorrect \"<name>\" file format" for a size,
    // magic, particle count or period that is wrong, "Incorrect \"<name>\" format version, current is
    // 204" for another version, and the read's own FileError for a file that ends early.
    static ParticleSystemFile Read(FileBinary& file, const std::string& name);

    uint32_t particleCount = 100;
    ParticleSystemDescriptor descriptor;
    uint32_t emitterShape = 0; // 0 point, 1 box, 2 point list; other values act as 0
    Vector3 boxMin{-0.5f, -0.5f, -0.5f};
    Vector3 boxMax{0.5f, 0.5f, 0.5f};
};

} // namespace VantoranEngine
