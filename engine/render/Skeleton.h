#pragma once
// A flat skeleton: bones that each place themselves directly in model space from their keys (no bone
// refers to another). Model::Update writes each bone's rotation, position and scale, then
// Skeleton::Update builds the matrices and moves the bones' boxes.

#include "engine/render/BoundingBox.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Quaternion.h"
#include "engine/render/Vector3.h"

#include <cstdint>
#include <string>
#include <vector>

namespace VantoranEngine {

class MessageManager;
class MemoryManager;

struct Bone {
    uint8_t flag = 0; // non-zero: left out of the model's bounds
    std::string name;
    BoundingBox box;  // in the bone's own space, from the model file
    uint16_t fileWords[2] = {0, 0}; // stored with the bone, read by nothing
    Quaternion rotation;
    Quaternion baseRotation; // identity
    Vector3 position;
    Vector3 baseOffset;      // zero
    Vector3 scale;
    Matrix4 rotationMatrix;
    Matrix4 transformMatrix; // translation × rotation × scale
};

class Skeleton {
public:
    Skeleton(MessageManager* log, MemoryManager* memory, uint16_t boneCount);
    Skeleton(const Skeleton& other) = default;
    Skeleton& operator=(const Skeleton&) = delete;
    virtual ~Skeleton() = default;

    void Update();

    MessageManager* log;
    MemoryManager* memory;
    uint16_t boneCount;
    std::vector<Bone> bones;
};

// The Hamilton product a × b of quaternions stored x, y, z, w.
Quaternion MultiplyQuaternions(const Quaternion& a, const Quaternion& b);
// The rotation matrix of q with s = 2 / |q|², so q need not be of unit length.
Matrix4 QuaternionToMatrix(const Quaternion& q);

} // namespace VantoranEngine
