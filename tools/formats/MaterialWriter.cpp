#include "tools/formats/MaterialWriter.h"

#include "tools/formats/ByteWriter.h"

namespace Formats {

std::vector<uint8_t> EncodeMaterial(const MaterialFile& material, uint32_t version)
{
    ByteWriter out;
    out.Header("VNSRF", version);
    out.U32(material.flags);
    for (const auto* colour : {&material.diffuse, &material.ambient, &material.specular, &material.emissive})
        for (float c : *colour)
            out.F32(c);
    out.F32(material.power);
    out.F32(material.reserved);
    out.U32(material.sourceBlend);
    out.U32(material.destinationBlend);
    out.U32(static_cast<uint32_t>(material.stages.size()));
    for (const MaterialStage& stage : material.stages) {
        out.U32(stage.flags);
        out.U32(stage.kind);
        if (stage.kind != 0) {
            out.U32(stage.frameCount);
            out.F32(stage.framesPerSecond);
        }
        if (stage.kind == 1) {
            out.U32(stage.columns);
            out.U32(stage.rows);
        }
        out.String(stage.colourName);
        out.String(stage.opacityName);
        out.U32(stage.addressU);
        out.U32(stage.addressV);
        out.F32(stage.scaleU);
        out.F32(stage.scaleV);
        out.F32(stage.offsetU);
        out.F32(stage.offsetV);
    }
    return out.Finish();
}

MaterialFile MakeImageMaterial(const std::string& colourName, const std::string& opacityName)
{
    MaterialFile material;
    MaterialStage stage;
    stage.colourName = colourName;
    stage.opacityName = opacityName;
    if (!opacityName.empty()) {
        material.flags = 1;
        material.sourceBlend = 4;
        material.destinationBlend = 5;
        stage.flags = 1;
    }
    material.stages.push_back(stage);
    return material;
}

} // namespace Formats
