#include "tools/formats/ModelWriter.h"

#include "tools/formats/ByteWriter.h"

namespace Formats {

namespace {

void Vertex(ByteWriter& out, const ModelVertex& vertex)
{
    out.F32(vertex.u);
    out.F32(vertex.v);
    for (float f : vertex.normal)
        out.F32(f);
    for (float f : vertex.position)
        out.F32(f);
}

void Box(ByteWriter& out, const ModelBox& box)
{
    for (float f : box.min)
        out.F32(f);
    for (float f : box.max)
        out.F32(f);
}

} // namespace

std::vector<uint8_t> EncodeModel(const ModelFile& model, uint32_t version)
{
    ByteWriter out;
    out.Header("VNMLF", version);
    out.U32(model.flags);
    const bool morph = (model.flags & modelMorphFrames) != 0;
    const bool skinned = (model.flags & modelSkinned) != 0;
    if (morph || skinned) {
        out.U32(model.frameCount);
        out.F32(model.framesPerSecond);
    }
    if (skinned) {
        out.U16(static_cast<uint16_t>(model.bones.size()));
        for (const ModelBone& bone : model.bones) {
            out.U8(bone.flag);
            out.String(bone.name);
            Box(out, bone.box);
            out.U16(bone.fileWords[0]);
            out.U16(bone.fileWords[1]);
        }
        for (const ModelBoneKey& key : model.boneKeys)
            for (float f : key)
                out.F32(f);
    }
    out.U32(static_cast<uint32_t>(model.indices.size()));
    out.U32(model.vertexCount);
    const bool wide = model.indices.size() > 65535;
    for (uint32_t index : model.indices) {
        if (wide)
            out.U32(index);
        else
            out.U16(static_cast<uint16_t>(index));
    }
    if ((model.flags & modelStaticVertices) != 0 || morph) {
        for (const ModelVertex& vertex : model.vertices)
            Vertex(out, vertex);
    } else if (skinned) {
        for (const ModelSkinVertex& vertex : model.skinVertices) {
            out.F32(vertex.u);
            out.F32(vertex.v);
            out.U16(static_cast<uint16_t>(vertex.weights.size()));
            for (const ModelSkinWeight& weight : vertex.weights) {
                out.U16(weight.bone);
                out.F32(weight.weight);
                for (float f : weight.normal)
                    out.F32(f);
                for (float f : weight.position)
                    out.F32(f);
            }
        }
    }
    for (const ModelBox& box : model.boxes)
        Box(out, box);
    return out.Finish();
}

ModelFile MakeQuadModel()
{
    ModelFile model;
    model.flags = modelStaticVertices | modelTriangleList | modelActive;
    model.indices = {0, 1, 2, 2, 1, 3};
    model.vertexCount = 4;
    const float corners[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    for (const auto& corner : corners) {
        ModelVertex vertex;
        vertex.position = {corner[0], corner[1], 0};
        vertex.u = (corner[0] + 1) / 2;
        vertex.v = (corner[1] + 1) / 2;
        model.vertices.push_back(vertex);
    }
    model.boxes.push_back({{-1, -1, 0}, {1, 1, 0}});
    return model;
}

} // namespace Formats
