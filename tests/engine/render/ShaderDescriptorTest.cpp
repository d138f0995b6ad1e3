#include "engine/render/ShaderDescriptor.h"

#include "ServicesFixture.h"
#include "engine/core/Error.h"
#include "tools/formats/MaterialWriter.h"

#include <cmath>
#include <limits>

using namespace VantoranEngine;

namespace {

class ShaderDescriptorTest : public ServicesFixture {
protected:
    ShaderDescriptor LoadBytes(const std::vector<uint8_t>& bytes)
    {
        Write("data/models/x.srf", bytes);
        return ShaderDescriptor::Load("models\\x.srf", &log, &files);
    }

    bool Refused(const std::vector<uint8_t>& bytes, const std::string& text)
    {
        log.ClearEntries();
        try {
            LoadBytes(bytes);
        } catch (const FatalError&) {
            return false;
        } catch (const Error& error) {
            return error.message == text && Logged("Error: " + text + "!");
        }
        return false;
    }
};

Formats::MaterialFile TwoStages()
{
    Formats::MaterialFile file;
    file.flags = 1;
    file.diffuse = {0.5f, 0.25f, 1, 1};
    file.power = 3;
    file.reserved = 7;
    file.sourceBlend = 4;
    file.destinationBlend = 5;
    Formats::MaterialStage atlas;
    atlas.kind = 1;
    atlas.flags = 3;
    atlas.frameCount = 6;
    atlas.framesPerSecond = 12;
    atlas.columns = 3;
    atlas.rows = 2;
    atlas.colourName = "Atlas.JPG";
    atlas.opacityName = "fx\\atlas_alpha.jpg";
    atlas.addressU = 1;
    atlas.scaleU = 2;
    atlas.offsetV = 0.5f;
    Formats::MaterialStage sequence;
    sequence.kind = 2;
    sequence.frameCount = 16;
    sequence.framesPerSecond = 8;
    sequence.colourName = "smoke00.jpg";
    file.stages = {atlas, sequence};
    return file;
}

} // namespace

TEST_F(ShaderDescriptorTest, ReadsBackWhatTheWriterWrote)
{
    const ShaderDescriptor d = LoadBytes(Formats::EncodeMaterial(TwoStages()));
    EXPECT_EQ(d.flags, 1u);
    EXPECT_FLOAT_EQ(d.diffuse.g, 0.25f);
    EXPECT_FLOAT_EQ(d.power, 3);
    EXPECT_FLOAT_EQ(d.reserved, 7);
    EXPECT_EQ(d.sourceBlend, 4u);
    EXPECT_EQ(d.destinationBlend, 5u);
    ASSERT_EQ(d.stageCount, 2u);
    const ShaderStage& atlas = d.stages[0];
    EXPECT_EQ(atlas.kind, 1u);
    EXPECT_EQ(atlas.flags, 3u);
    EXPECT_EQ(atlas.frameCount, 6u);
    EXPECT_EQ(atlas.columns, 3u);
    EXPECT_EQ(atlas.rows, 2u);
    EXPECT_FLOAT_EQ(atlas.framesPerSecond, 12);
    // names without a folder are found beside the material file; every name is lower-cased
    EXPECT_EQ(atlas.colourName, "models\\atlas.jpg");
    EXPECT_EQ(atlas.opacityName, "fx\\atlas_alpha.jpg");
    EXPECT_EQ(atlas.addressU, 1u);
    EXPECT_EQ(atlas.addressV, 0u);
    EXPECT_FLOAT_EQ(atlas.scaleU, 2);
    EXPECT_FLOAT_EQ(atlas.offsetV, 0.5f);
    EXPECT_EQ(d.stages[1].colourName, "models\\smoke00.jpg");
    EXPECT_EQ(d.stages[1].opacityName, "");
    EXPECT_EQ(d.stages[1].frameCount, 16u);

    // a one-stage static pair is 153 bytes
    EXPECT_EQ(Formats::EncodeMaterial(Formats::MakeImageMaterial("x.jpg", "x_alpha.jpg")).size(), 153u);
}

TEST_F(ShaderDescriptorTest, DamagedFilesAreRefusedWithTheirLogTexts)
{
    const std::string format = "Incorrect \"models\\x.srf\" file format";
    const std::vector<uint8_t> good = Formats::EncodeMaterial(TwoStages());

    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_TRUE(Refused(longer, format)) << Entries();
    std::vector<uint8_t> magic = good;
    magic[6] = 'X';
    EXPECT_TRUE(Refused(magic, format)) << Entries();
    EXPECT_TRUE(Refused(Formats::EncodeMaterial(TwoStages(), 210),
                        "Incorrect \"models\\x.srf\" format version, current is 211"))
        << Entries();
    // a truncated file whose size field still matches
    Formats::ByteWriter cut;
    cut.Bytes(good.data(), 120);
    EXPECT_FALSE(Refused(cut.Finish(), format));
    EXPECT_TRUE(Logged("Failed to read")) << Entries();

    log.ClearEntries();
    EXPECT_THROW(ShaderDescriptor::Load("models\\none.srf", &log, &files), Error);
    EXPECT_TRUE(Logged("Failed to open")) << Entries();
}

TEST_F(ShaderDescriptorTest, StageValuesTheAnimationCannotUseAreFormatErrors)
{
    const std::string format = "Incorrect \"models\\x.srf\" file format";
    struct Case {
        const char* what;
        void (*change)(Formats::MaterialFile&);
    };
    const Case cases[] = {
        {"unknown kind", [](Formats::MaterialFile& f) { f.stages[0].kind = 5; }},
        {"atlas without frames", [](Formats::MaterialFile& f) { f.stages[0].frameCount = 0; }},
        {"sequence without frames", [](Formats::MaterialFile& f) { f.stages[1].frameCount = 0; }},
        {"no columns", [](Formats::MaterialFile& f) { f.stages[0].columns = 0; }},
        {"no rows", [](Formats::MaterialFile& f) { f.stages[0].rows = 0; }},
        {"negative rate", [](Formats::MaterialFile& f) { f.stages[0].framesPerSecond = -1; }},
        {"endless rate", [](Formats::MaterialFile& f) { f.stages[1].framesPerSecond = std::numeric_limits<float>::infinity(); }},
        {"no rate", [](Formats::MaterialFile& f) { f.stages[1].framesPerSecond = std::nanf(""); }},
        {"name too short for its frames", [](Formats::MaterialFile& f) { f.stages[1].colourName = "\\.j"; }},
        {"third stage", [](Formats::MaterialFile& f) { f.stages.push_back(f.stages[0]); }},
        {"frames past the limit", [](Formats::MaterialFile& f) { f.stages[1].frameCount = 4000000000u; }},
        {"atlas frames past the limit", [](Formats::MaterialFile& f) {
             f.stages[0].frameCount = 4000000000u;
             f.stages[0].framesPerSecond = 1e9f;
         }},
    };
    for (const Case& c : cases) {
        Formats::MaterialFile file = TwoStages();
        c.change(file);
        EXPECT_TRUE(Refused(Formats::EncodeMaterial(file), format)) << c.what << ": " << Entries();
    }
}

TEST_F(ShaderDescriptorTest, BitFlippedFilesNeverCrash)
{
    const std::vector<uint8_t> good = Formats::EncodeMaterial(TwoStages());
    for (size_t i = 0; i < good.size(); ++i)
        for (int bit : {0, 5, 7}) {
            std::vector<uint8_t> bytes = good;
            bytes[i] ^= static_cast<uint8_t>(1u << bit);
            try {
                const ShaderDescriptor d = LoadBytes(bytes);
                EXPECT_LE(d.stageCount, 2u);
            } catch (const FatalError&) {
                ADD_FAILURE() << "fatal at byte " << i;
            } catch (const Error&) {
            }
        }
}

TEST(ShaderDescriptor, BuildersFollowTheOpacityName)
{
    const ShaderDescriptor pair = ShaderDescriptor::InitFromTextures("ui\\A.jpg", "32bit");
    EXPECT_EQ(pair.flags, 1u);
    EXPECT_EQ(pair.sourceBlend, 4u);
    EXPECT_EQ(pair.destinationBlend, 5u);
    ASSERT_EQ(pair.stageCount, 1u);
    EXPECT_EQ(pair.stages[0].flags, 1u);
    EXPECT_EQ(pair.stages[0].colourName, "ui\\a.jpg");
    EXPECT_EQ(pair.stages[0].opacityName, "");
    EXPECT_EQ(pair.stages[0].frameCount, 0u);

    EXPECT_EQ(ShaderDescriptor::InitFromTextures("a.jpg", "32BIT").stages[0].opacityName, "32bit");
    EXPECT_EQ(ShaderDescriptor::InitFromTextures("", "b.jpg").stageCount, 0u);
    const ShaderDescriptor lone = ShaderDescriptor::InitFromTextures("a.jpg", "");
    EXPECT_EQ(lone.flags, 0u);
    EXPECT_EQ(lone.stages[0].flags, 0u);

    const ShaderDescriptor atlas = ShaderDescriptor::InitFromTextureAtlas(10, "a.jpg", "32BIT");
    EXPECT_EQ(atlas.stages[0].kind, 1u);
    EXPECT_EQ(atlas.stages[0].columns, 8u);
    EXPECT_EQ(atlas.stages[0].rows, 4u);
    EXPECT_EQ(atlas.stages[0].frameCount, 32u);
    EXPECT_EQ(atlas.stages[0].opacityName, "");
    EXPECT_EQ(ShaderDescriptor::InitFromTextureAtlas(0, "", "").stageCount, 1u);

    ShaderDescriptor full = pair;
    full.AddStage(0, 0, 1, 1, 1, 0, "b.jpg", "", 0);
    try {
        full.AddStage(0, 0, 1, 1, 1, 0, "c.jpg", "", 0);
        ADD_FAILURE() << "a third stage was taken";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.message, "Shader Stages: buffer is overflowed");
    }
}

TEST(ShaderDescriptor, EqualityAndHashTable)
{
    auto one = [](uint32_t kind, uint32_t frames, const char* colour, const char* opacity, uint32_t stageFlags) {
        ShaderDescriptor d;
        d.AddStage(kind, stageFlags, 1, 1, frames, 0, colour, opacity, 0);
        return d;
    };
    const ShaderDescriptor base = one(0, 1, "a.jpg", "b.jpg", 0);
    ShaderDescriptor recoloured = base;
    recoloured.diffuse = {0, 0, 0, 0};
    recoloured.flags = 1;
    recoloured.sourceBlend = 9;
    recoloured.stages[0].addressU = 1;
    struct Case {
        const char* what;
        ShaderDescriptor other;
        bool equal;
    };
    const Case cases[] = {
        {"colours, blending and address modes", recoloured, true},
        {"static and atlas", one(1, 32, "a.jpg", "b.jpg", 0), true},
        {"mip-mapping and random phase", one(0, 1, "a.jpg", "b.jpg", 3), true},
        {"no-textures flag", one(0, 1, "a.jpg", "b.jpg", 4), false},
        {"other name, same hash", one(0, 1, "b.jpg", "a.jpg", 0), false},
        {"other opacity", one(0, 1, "a.jpg", "", 0), false},
        {"stage count", ShaderDescriptor(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShaderDescriptor::Equals(base, c.other), c.equal) << c.what;
    EXPECT_FALSE(ShaderDescriptor::Equals(one(2, 8, "s00.jpg", "", 0), one(2, 16, "s00.jpg", "", 0)));
    EXPECT_TRUE(ShaderDescriptor::Equals(one(2, 8, "s00.jpg", "", 0), one(2, 8, "s00.jpg", "", 0)));

    // signed bytes: "\xE9" counts as -23
    EXPECT_EQ(one(0, 1, "\xE9", "", 0).hash, static_cast<uint32_t>(-23));
    EXPECT_EQ(ShaderDescriptor().hash, 0u);
    EXPECT_EQ(one(0, 1, "ab", "c", 0).hash, static_cast<uint32_t>('a' + 'b' + 'c'));
}

TEST(ShaderDescriptor, SequenceFrameNames)
{
    EXPECT_EQ(SequenceFrameName("fx\\smoke00.jpg", 16, 0), "fx\\smoke00.jpg");
    EXPECT_EQ(SequenceFrameName("fx\\smoke00.jpg", 16, 15), "fx\\smoke15.jpg");
    EXPECT_EQ(SequenceFrameName("f0.jpg", 8, 7), "f7.jpg");
    EXPECT_EQ(SequenceFrameName("0.jpg", 100, 1), "");
}
