#pragma once
// The file-defined settings of a particle system, copied whole when a system is cloned.
//
// Units: times in seconds, speeds in hundreds of world units per second, positions in world units with
// +z up for gravity and the floor. Six-element arrays are keys spaced evenly over a span: key i applies
// at i/5 of the emission period (emission keys) or of a particle's lifetime (life keys); key 5 is only
// ever the target of an interpolation from key 4. The defaults are those of the default system.

#include "engine/render/Color.h"
#include "engine/render/Vector3.h"

#include <array>
#include <cstdint>

namespace VantoranEngine {

struct ParticleSystemDescriptor {
    static constexpr int keyCount = 6;
    template <typename T>
    using Keys = std::array<T, keyCount>;

    float period = 1.0f;             // length of one emission period, > 0
    uint8_t gravityEnabled = 1;      // accelerate along -z
    float gravity = 1.0f;
    uint8_t floorEnabled = 1;        // bounce on the plane z = floorZ
    float floorZ = -1.0f;
    float bounce = 0.9f;             // speed factor multiplier at each floor contact
    uint8_t killWhenSlow = 1;        // a particle whose speed factor falls below the minimum dies
    float minimumSpeedFactor = 0.4f;
    uint8_t interpolateEmission = 1; // 1: rates per second, interpolated; 0: counts added on entering a key

    // Emission keys.
    Keys<float> emissionRate{10.0f, 10.0f, 10.0f, 10.0f, 10.0f, 10.0f};
    Keys<float> lifetime{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    Keys<float> lifetimeSpread{};    // +- around lifetime
    // Life keys.
    Keys<Vector3> direction{};
    Keys<Vector3> directionSpread{Vector3{1, 1, 1}, Vector3{1, 1, 1}, Vector3{1, 1, 1},
                                  Vector3{1, 1, 1}, Vector3{1, 1, 1}, Vector3{1, 1, 1}};
    Keys<Color> colour{Color{1, 1, 1, 1}, Color{1, 1, 1, 1}, Color{1, 1, 1, 1},
                       Color{1, 1, 1, 1}, Color{1, 1, 1, 1}, Color{1, 1, 1, 1}};
    Keys<float> size{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f}; // half the sprite quad's side
    Keys<float> speed{1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    Keys<float> speedSpread{};
};

} // namespace VantoranEngine
