#pragma once
// Material files: magic "VNSRF", version 211.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Formats {

constexpr uint32_t materialVersion = 211;

struct MaterialStage {
    uint32_t flags = 0;       // 1 mip-mapped, 2 random phase, 4 no textures
    uint32_t kind = 0;        // 0 static, 1 atlas, 2 colour sequence, 3 opacity sequence, 4 both sequences
    uint32_t frameCount = 1;  // stored only for kinds other than 0
    float framesPerSecond = 0;
    uint32_t columns = 1;     // stored only for kind 1
    uint32_t rows = 1;
    std::string colourName;   // names without a folder are found beside the material file
    std::string opacityName;  // empty: no opacity image
    uint32_t addressU = 0;    // 0 clamps, anything else wraps
    uint32_t addressV = 0;
    float scaleU = 1, scaleV = 1, offsetU = 0, offsetV = 0;
};

struct MaterialFile {
    uint32_t flags = 0; // bit 0: alpha blending
    std::array<float, 4> diffuse{1, 1, 1, 1};
    std::array<float, 4> ambient{1, 1, 1, 1};
    std::array<float, 4> specular{1, 1, 1, 1};
    std::array<float, 4> emissive{0, 0, 0, 1};
    float power = 0;
    float reserved = 0;
    uint32_t sourceBlend = 0;
    uint32_t destinationBlend = 0;
    std::vector<MaterialStage> stages;
};

std::vector<uint8_t> EncodeMaterial(const MaterialFile& material, uint32_t version = materialVersion);

// A one-stage static material on an image pair, alpha-blended when an opacity name is given.
MaterialFile MakeImageMaterial(const std::string& colourName, const std::string& opacityName);

} // namespace Formats
