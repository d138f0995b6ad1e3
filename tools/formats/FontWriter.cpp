#include "tools/formats/FontWriter.h"

#include "tools/formats/ByteWriter.h"

namespace Formats {

std::vector<uint8_t> EncodeFont(const std::vector<FontGlyph>& glyphs, uint32_t version)
{
    ByteWriter writer;
    writer.Header("VNFNT", version);
    writer.U32(static_cast<uint32_t>(glyphs.size()));
    for (const FontGlyph& glyph : glyphs) {
        writer.U16(static_cast<uint16_t>(glyph.code));
        writer.F32(glyph.u);
        writer.F32(glyph.v);
        writer.F32(glyph.du);
        writer.F32(glyph.dv);
        writer.F32(glyph.advance);
    }
    return writer.Finish();
}

} // namespace Formats
