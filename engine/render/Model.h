#pragma once
// The engine's one kind of drawable mesh: an index and a vertex buffer on the render system, a material
// (a ShaderUser), a world matrix with a box that follows it, a camera, and flags that choose how it is
// updated, sorted and drawn. It may carry vertex animation (one vertex set and one box per frame) or a
// skeleton with per-vertex bone weights, played by its AnimationControl.
//
// Models are made only by the ModelManager: read from model files (magic "VNMLF", version 201), cloned
// from a prototype (everything but the material's Shader is copied), built empty for code that fills
// the buffers itself ("self_made"), or as a box. Whoever asked for a model deletes it, after removing
// it from the manager's list when it is listed.
//
// Model files are checked while they are read: a file that could make the model read or draw outside
// its own data (no frames for an animated model, an index naming a missing vertex, a weight naming a
// missing bone, more than four weights, a strip of fewer than three indices, counts larger than the
// file, more than one vertex kind) is a format error like a bad header.
//
// Threads: the loading worker may create models; Update, Draw and Pick run on the main thread.

#include "engine/render/BoundingBox.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Ray.h"
#include "engine/render/Vector3.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {

class AnimationControl;
class Camera;
class CameraManager;
class FileManager;
class IndexBuffer;
class LightManager;
class MemoryManager;
class MessageManager;
class RenderSystem;
class ShaderDescriptor;
class ShaderManager;
class ShaderUser;
class Skeleton;
class TimerManager;
class VertexBuffer;

// Bits of Model::flags; bits not named here are carried but not interpreted.
namespace ModelFlag {
    constexpr uint32_t staticVertices = 0x1;
    constexpr uint32_t morphFrames = 0x2;
    constexpr uint32_t skinned = 0x4;
    constexpr uint32_t triangleList = 0x8;
    constexpr uint32_t vertexColours = 0x20;   // 36-byte vertices with a packed colour
    constexpr uint32_t lit = 0x40;
    constexpr uint32_t depthTest = 0x80;
    constexpr uint32_t frontToBack = 0x200;    // drawn first, nearest first
    constexpr uint32_t backToFront = 0x400;    // drawn after the frontToBack models, farthest first
    constexpr uint32_t manualDepth = 0x800;    // the owner writes depth
    constexpr uint32_t depthBiased = 0x1000;   // the camera's z-biased projection
    constexpr uint32_t cullClockwise = 0x2000;
    constexpr uint32_t twoSided = 0x4000;
    constexpr uint32_t dynamicBounds = 0x8000; // with staticVertices: bounds rebuilt from the vertices every update
    constexpr uint32_t active = 0x40000;       // updated, counted and drawn by the ModelManager
    constexpr uint32_t noDepthWrite = 0x80000;
    constexpr uint32_t defaultFlag = 0x100000; // given when the flags would otherwise be 0
} // namespace ModelFlag

// staticVertices, triangleList, lit, depthTest, frontToBack, cullClockwise, active.
constexpr uint32_t boxModelFlags = 0x422C9;
constexpr uint32_t modelFileVersion = 201;
constexpr uint32_t maxSkinWeights = 4;

struct MorphVertex {
    Vector3 position;
    Vector3 normal;
    float u = 0.0f, v = 0.0f;
};

struct SkinWeight {
    uint16_t bone = 0;
    float weight = 0.0f;
    Vector3 position; // in the bone's space
    Vector3 normal;   // in the bone's space
};

struct SkinVertex {
    uint16_t weightCount = 0;
    SkinWeight weights[maxSkinWeights];
};

// Position x, y, z; rotation quaternion x, y, z, w; scale x, y, z.
constexpr uint32_t boneKeyFloats = 10;

// The services every model is built with; the ModelManager hands its own to each model.
struct ModelServices {
    MessageManager* log = nullptr;
    MemoryManager* memory = nullptr;
    FileManager* files = nullptr;
    TimerManager* timers = nullptr;
    RenderSystem* renderSystem = nullptr;
    CameraManager* cameraManager = nullptr;
    LightManager* lightManager = nullptr;
    ShaderManager* shaderManager = nullptr;
};

class Model {
public:
    // Reads a model file (name relative to the data folder) and its material, the same name with the
    // extension "srf" (the default material when that cannot be used). Every file error is logged and
    // thrown again as an Error with the same text. A null camera is the default camera.
    Model(const ModelServices& services, const std::string& fileName, Camera* camera, uint32_t extraFlags);
    // A deep copy sharing the prototype's Shader. Camera: the given one, else the prototype's, else the
    // default. Extra flags may add vertex colours and drawing flags; animation kinds the prototype has no
    // data for are not added.
    Model(const Model& prototype, Camera* camera, uint32_t extraFlags);
    // Empty buffers for the caller to fill; a null descriptor is the default (untextured) material.
    Model(const ModelServices& services, uint32_t flags, uint32_t vertexCount, uint32_t indexCount,
          const ShaderDescriptor* descriptor, Camera* camera);
    // A lit, untextured box between the two corners; frontToBack unless only backToFront is asked for.
    Model(const ModelServices& services, const Vector3& min, const Vector3& max, Camera* camera, uint32_t extraFlags);
    // Gives the materials back. The model must be out of every list.
    virtual ~Model();

    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    void SetWorldMatrix(const Matrix4& matrix);
    // Applies m after the current placement.
    void MultiplyWorldMatrix(const Matrix4& m);
    void RestoreBaseMatrix();
    // With keepDescriptor the descriptor is only kept in ownDescriptor; otherwise the material changes
    // (the new one is taken before the old is given back, so an equal material keeps its textures).
    void SetShaderDescriptor(const ShaderDescriptor& descriptor);
    // The box around the used indices' vertices, untransformed; worldSpace moves the points by
    // worldMatrix first.
    void ComputeBoundingBox(BoundingBox& box, bool worldSpace) const;
    // From the used indices: count - 2 for a strip (0 below 3), count / 3 for a list.
    void UpdateTriangleCount();

    // Animation, bounds, culling, depth and deformation of one frame; nothing unless active.
    void Update();
    // Between the render system's BeginScene and EndScene; nothing unless active and visible.
    void Draw();
    // Whether the segment (origin .. origin + direction, world space) passes its box and then, as a ray,
    // meets one of its triangles.
    bool Pick(const Ray& segment) const;

    ModelServices services;
    std::string name;
    uint32_t flags = 0;
    uint32_t triangleStrip = 0;
    std::unique_ptr<IndexBuffer> indexBuffer;
    std::unique_ptr<VertexBuffer> vertexBuffer;
    std::unique_ptr<AnimationControl> animationControl;
    ShaderUser* shaderUser = nullptr;
    ShaderUser* extraShaderUser = nullptr;
    std::unique_ptr<ShaderDescriptor> ownDescriptor;
    uint8_t keepDescriptor = 0;
    std::vector<SkinVertex> skinVertices;
    std::vector<MorphVertex> morphVertices; // frame-major
    std::unique_ptr<Skeleton> skeleton;
    std::vector<float> boneKeys;            // boneKeyFloats per bone per frame, frame-major
    Camera* camera = nullptr;
    Matrix4 worldMatrix;
    Matrix4 baseMatrix;
    std::vector<BoundingBox> frameBoxes;    // morphFrames: one per frame
    BoundingBox boundingBox;
    uint32_t triangleCount = 0;
    uint32_t drawnTriangleCount = 0;
    float depth = 0.0f;
    uint8_t deformVertices = 1;

private:
    void ReadFile(const std::string& fileName, uint32_t extraFlags);
    void CreateAnimation(uint32_t frameCount, float framesPerSecond);
    Camera* CameraOrDefault(Camera* given) const;
    Vector3 StoredPosition(uint32_t index) const;
    uint32_t StoredIndex(uint32_t slot) const;
    void DeformMorph(uint32_t current, uint32_t next, float blend);
    void DeformSkin();
};

} // namespace VantoranEngine
