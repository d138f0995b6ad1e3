#pragma once
// Particle-system files: magic "VNPSF", version 204 (453 bytes) or the older 203 (429 bytes, without
// the speed spread keys). Nothing here checks the values: tests write refused files on purpose.

#include <array>
#include <cstdint>
#include <vector>

namespace Formats {

constexpr uint32_t particleSystemVersion = 204;

struct ParticleSystemFile {
    using Keys = std::array<float, 6>;
    using Vectors = std::array<std::array<float, 3>, 6>;

    uint32_t particleCount = 100;
    float period = 1.0f;          // seconds
    uint8_t gravityEnabled = 1;
    float gravity = 1.0f;
    uint8_t floorEnabled = 1;
    float floorZ = -1.0f;
    float bounce = 0.9f;
    uint8_t killWhenSlow = 1;
    float minimumSpeedFactor = 0.4f;
    uint8_t interpolateEmission = 1;
    Keys emissionRate{10, 10, 10, 10, 10, 10}; // per second, or per key when not interpolated
    Keys lifetime{1, 1, 1, 1, 1, 1};
    Keys lifetimeSpread{};
    Vectors direction{};
    Vectors directionSpread{{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {1, 1, 1}}};
    std::array<std::array<float, 4>, 6> colour{{{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1},
                                                {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}}};
    Keys size{1, 1, 1, 1, 1, 1};  // half the sprite's side, world units
    Keys speed{1, 1, 1, 1, 1, 1}; // hundreds of world units per second
    Keys speedSpread{};           // not stored in version 203
    uint32_t emitterShape = 0;    // 0 point, 1 box, 2 point list
    std::array<float, 3> boxMin{-0.5f, -0.5f, -0.5f};
    std::array<float, 3> boxMax{0.5f, 0.5f, 0.5f};
};

std::vector<uint8_t> EncodeParticleSystem(const ParticleSystemFile& file, uint32_t version = particleSystemVersion);

} // namespace Formats
