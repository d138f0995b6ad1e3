#include "engine/render/Skeleton.h"

namespace VantoranEngine {

Skeleton::Skeleton(MessageManager* logManager, MemoryManager* memoryManager, uint16_t count)
    : log(logManager), memory(memoryManager), boneCount(count), bones(count)
{
    for (Bone& bone : bones)
        bone.scale = {0.0f, 0.0f, 0.0f};
}

void Skeleton::Update()
{
    for (Bone& bone : bones) {
        bone.rotationMatrix = QuaternionToMatrix(MultiplyQuaternions(bone.baseRotation, bone.rotation));
        Matrix4 translation;
        MakeTranslationMatrix(translation, bone.position + bone.baseOffset);
        Matrix4 scale;
        scale[0] = bone.scale.x;
        scale[5] = bone.scale.y;
        scale[10] = bone.scale.z;
        MultiplyMatrices(bone.transformMatrix, translation, bone.rotationMatrix);
        MultiplyMatrices(bone.transformMatrix, bone.transformMatrix, scale);
        bone.box.transform = bone.transformMatrix;
        bone.box.Update(true);
    }
}

Quaternion MultiplyQuaternions(const Quaternion& a, const Quaternion& b)
{
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y, a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w, a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

Matrix4 QuaternionToMatrix(const Quaternion& q)
{
    const float s = 2.0f / (q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    Matrix4 m;
    m[0] = 1 - s * (q.y * q.y + q.z * q.z);
    m[1] = s * (q.x * q.y - q.w * q.z);
    m[2] = s * (q.x * q.z + q.w * q.y);
    m[4] = s * (q.x * q.y + q.w * q.z);
    m[5] = 1 - s * (q.x * q.x + q.z * q.z);
    m[6] = s * (q.y * q.z - q.w * q.x);
    m[8] = s * (q.x * q.z - q.w * q.y);
    m[9] = s * (q.y * q.z + q.w * q.x);
    m[10] = 1 - s * (q.x * q.x + q.y * q.y);
    return m;
}

} // namespace VantoranEngine
