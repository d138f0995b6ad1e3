#pragma once
// Model files: magic "VNMLF", version 201. Static, vertex-animated (one vertex set and one box per
// frame) and skinned models (bones, per-frame bone keys, up to four weights per vertex).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Formats {

constexpr uint32_t modelVersion = 201;

// Model flag bits the writer looks at.
constexpr uint32_t modelStaticVertices = 0x1;
constexpr uint32_t modelMorphFrames = 0x2;
constexpr uint32_t modelSkinned = 0x4;
constexpr uint32_t modelTriangleList = 0x8;
constexpr uint32_t modelActive = 0x40000;

struct ModelVertex {
    float u = 0, v = 0;
    std::array<float, 3> normal{0, 0, 1};
    std::array<float, 3> position{0, 0, 0};
};

struct ModelBox {
    std::array<float, 3> min{0, 0, 0};
    std::array<float, 3> max{0, 0, 0};
};

struct ModelBone {
    uint8_t flag = 0; // non-zero: left out of the model's bounds
    std::string name;
    ModelBox box;
    uint16_t fileWords[2] = {0, 0};
};

struct ModelSkinWeight {
    uint16_t bone = 0;
    float weight = 0;
    std::array<float, 3> normal{0, 0, 1};
    std::array<float, 3> position{0, 0, 0};
};

struct ModelSkinVertex {
    float u = 0, v = 0;
    std::vector<ModelSkinWeight> weights;
};

// Position x, y, z; rotation quaternion x, y, z, w; scale x, y, z.
using ModelBoneKey = std::array<float, 10>;

struct ModelFile {
    uint32_t flags = modelStaticVertices | modelTriangleList | modelActive;
    uint32_t frameCount = 1;        // stored with morph frames or a skeleton
    float framesPerSecond = 0;
    std::vector<ModelBone> bones;   // skinned only
    std::vector<ModelBoneKey> boneKeys; // frame-major: all bones of frame 0, then frame 1, ...
    std::vector<uint32_t> indices;  // stored 16-bit up to 65535 indices, else 32-bit
    uint32_t vertexCount = 0;
    std::vector<ModelVertex> vertices; // static: vertexCount; morph: frameCount × vertexCount, frame-major
    std::vector<ModelSkinVertex> skinVertices;
    std::vector<ModelBox> boxes;    // morph: one per frame; otherwise one
};

std::vector<uint8_t> EncodeModel(const ModelFile& model, uint32_t version = modelVersion);

// A unit quad in the xy plane from (-1, -1) to (1, 1), facing +z, texture (0, 0) at the lower left:
// the minimal static model (189 bytes).
ModelFile MakeQuadModel();

} // namespace Formats
