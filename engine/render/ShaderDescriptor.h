#pragma once
// A material (a "shader") as a plain value: blending, four colours that are stored but never sent to
// the device, and up to two texture stages, each naming a colour image and an optional opacity image
// and optionally animating through frames. Descriptors are built in code or read from material files
// (magic "VNSRF", version 211); ShaderManager turns them into ShaderUsers.
//
// Image names are stored lower-cased. Names in material files without a folder are found beside the
// material file. Stage values read from a file are checked: a stage the engine cannot animate (an
// unknown kind, no frames, an empty atlas grid, a negative or non-finite rate, a sequence name too short
// for its frame numbers) or a third stage makes the file a format error, so the material falls back to
// the default with an error in the log.

#include "engine/render/Color.h"

#include <cstdint>
#include <string>

namespace VantoranEngine {

class FileManager;
class MessageManager;

enum ShaderStageFlag : uint32_t {
    stageMipMapped = 1,   // textures with mip levels, filter 2 (else 1)
    stageRandomPhase = 2, // each user starts the animation at a random time
    stageNoTextures = 4,  // the Shader loads no textures for the stage
};

enum ShaderStageKind : uint32_t {
    stageStatic = 0,
    stageAtlas = 1,           // one texture holding a grid of frames
    stageColourSequence = 2,  // one colour image per frame, one opacity image
    stageOpacitySequence = 3, // one opacity image per frame, one colour image
    stageBothSequences = 4,
};

constexpr uint32_t shaderAlphaBlend = 1; // ShaderDescriptor::flags bit 0
constexpr uint32_t maxShaderStages = 2;
constexpr uint32_t materialFileVersion = 211;
// Most frames an animated stage may have: each frame of a sequence is an image file, and an atlas's
// stage time must stay where a float still counts single frames.
constexpr uint32_t maxSequenceFrames = 10000;

struct ShaderStage {
    uint32_t flags = 0;
    uint32_t kind = stageStatic;
    uint32_t columns = 1;
    uint32_t rows = 1;
    uint32_t frameCount = 0; // 0 for a static stage
    float framesPerSecond = 0.0f;
    std::string colourName;  // lower-cased
    std::string opacityName; // lower-cased; empty: no opacity image
    uint32_t addressU = 0;   // 0 clamps, anything else wraps
    uint32_t addressV = 0;
    float scaleU = 1.0f;
    float scaleV = 1.0f;
    float offsetU = 0.0f;
    float offsetV = 0.0f;
    uint32_t currentFrame = 0; // texture to bind: always 0 for static and atlas stages
};

class ShaderDescriptor {
public:
    ShaderDescriptor() = default;
    ShaderDescriptor(const ShaderDescriptor& other);
    ShaderDescriptor& operator=(const ShaderDescriptor& other);
    virtual ~ShaderDescriptor() = default;

    // An image pair: alpha blending with factors 4 and 5 when an opacity name is given; one static stage
    // (mip-mapped when an opacity name is given) unless the colour name is empty. The opacity name
    // "32bit" (exactly) means the colour image carries its own alpha.
    static ShaderDescriptor InitFromTextures(const std::string& colourName, const std::string& opacityName);
    // An 8 × 4 atlas of 32 frames at the given rate; "32bit" in any case means no opacity image.
    static ShaderDescriptor InitFromTextureAtlas(float framesPerSecond, const std::string& colourName,
                                                 const std::string& opacityName);
    // Reads a material file (name relative to the data folder). Every FileError is logged and thrown
    // again as an Error with the same text.
    static ShaderDescriptor Load(const std::string& name, MessageManager* log, FileManager* files);

    // Returns the new stage's index. A third stage throws FatalError "Shader Stages: buffer is overflowed".
    uint32_t AddStage(uint32_t kind, uint32_t stageFlags, uint32_t columns, uint32_t rows, uint32_t frameCount,
                      float framesPerSecond, const std::string& colourName, const std::string& opacityName,
                      uint32_t address);
    void UpdateHash();
    // Same textures: hash, flags but alpha blending, stage count, and per stage the flags but
    // mip-mapping and random phase, the kind (static and atlas alike; sequences with their frame
    // count) and both names.
    static bool Equals(const ShaderDescriptor& a, const ShaderDescriptor& b);

    uint32_t flags = 0;
    Color diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    Color ambient{1.0f, 1.0f, 1.0f, 1.0f};
    Color specular{1.0f, 1.0f, 1.0f, 1.0f};
    Color emissive{0.0f, 0.0f, 0.0f, 1.0f};
    float power = 0.0f;
    float reserved = 0.0f;
    uint32_t sourceBlend = 0;
    uint32_t destinationBlend = 0;
    uint32_t stageCount = 0;
    ShaderStage stages[maxShaderStages];
    uint32_t hash = 0;
};

// The image name of frame `frame` of a sequence stage: the name's frame digits replaced by the frame
// number, zero-padded to the width of frameCount. Empty when the name is too short to hold them.
std::string SequenceFrameName(const std::string& name, uint32_t frameCount, uint32_t frame);

} // namespace VantoranEngine
