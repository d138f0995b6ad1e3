// Textures and materials on the render system: the texture cache, shader sharing, animation and Apply.
#include "engine/render/ShaderManager.h"

#include "SceneFixture.h"
#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/render/Image.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/Texture2D_D3D7.h"
#include "engine/render/TextureManager.h"
#include "platform/d3d7/D3D7Test.h"
#include "tools/formats/ImageWriters.h"
#include "tools/formats/MaterialWriter.h"

#include <cstdlib>

using namespace VantoranEngine;

namespace {

class MaterialTest : public SceneFixture {
protected:
    TextureManager& textures() { return *shaderManager->textureManager; }

    void WritePicture(const std::string& relative, uint32_t w, uint32_t h, std::vector<uint8_t> value)
    {
        Write(relative, Formats::EncodeTga(Formats::MakePicture(w, h, static_cast<uint32_t>(value.size()), value)));
    }
};

} // namespace

TEST_F(MaterialTest, TextureCacheKeysSharingAndRelease)
{
    WritePicture("data/ui/button.tga", 4, 4, {10, 20, 30});
    Texture2D* a = textures().LoadTexture("ui\\Button.tga", "", 0);
    Texture2D* b = textures().LoadTexture("UI\\button.TGA", "", 0);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a->name, "diffuse_data\\ui\\button.tga");
    EXPECT_EQ(a->referenceCount, 2);
    Texture2D* mipped = textures().LoadTexture("ui\\button.tga", "ui\\button.tga", textureWithOpacity | textureMipMapped);
    EXPECT_NE(mipped, a);
    EXPECT_EQ(mipped->name, "diffuse_data\\ui\\button.tga_plus_opacity_data\\ui\\button.tga_with_mip_mapping");
    EXPECT_EQ(textures().GetTextureCount(), 2u);
    textures().ReleaseTexture(a);
    EXPECT_EQ(textures().GetTextureCount(), 2u);
    textures().ReleaseTexture(b);
    EXPECT_EQ(textures().GetTextureCount(), 1u);
    textures().ReleaseTexture(nullptr);
    textures().ReleaseTexture(mipped);
    EXPECT_EQ(textures().GetTextureCount(), 0u);
}

TEST_F(MaterialTest, TextureSizesAndByteCounts)
{
    EXPECT_EQ(Texture2D_D3D7::TextureSide(300, 4096), 256u);
    EXPECT_EQ(Texture2D_D3D7::TextureSide(200, 4096), 256u);
    EXPECT_EQ(Texture2D_D3D7::TextureSide(384, 4096), 512u);
    EXPECT_EQ(Texture2D_D3D7::TextureSide(1, 4096), 1u);
    EXPECT_EQ(Texture2D_D3D7::TextureSide(5000, 2048), 2048u);

    config->settings.r_use_mip_mapping = true;
    WritePicture("data/t.tga", 256, 256, {1, 2, 3});
    Texture2D* plain = textures().LoadTexture("t.tga", "", 0);
    Texture2D* mipped = textures().LoadTexture("t.tga", "", textureMipMapped);
    EXPECT_EQ(plain->byteSize, 196608u);
    EXPECT_EQ(mipped->byteSize, 262143u);
    WritePicture("data/w.tga", 256, 64, {1, 2, 3});
    auto* wide = static_cast<Texture2D_D3D7*>(textures().LoadTexture("w.tga", "", textureMipMapped));
    EXPECT_TRUE(wide->levelImages.empty()); // the surface holds the levels
    ASSERT_TRUE(wide->ReadBackLevels());
    EXPECT_EQ(wide->levelImages.size(), 9u);
    EXPECT_EQ(wide->levelImages.back()->width, 1u);

    config->settings.r_use_mip_mapping = false;
    Texture2D* off = textures().LoadTexture("w.tga", "", textureMipMapped | textureWithOpacity);
    EXPECT_EQ(off->mipMapping, 0);
    EXPECT_NE(off->name.find("_with_mip_mapping"), std::string::npos);
}

TEST_F(MaterialTest, JpegPairBecomesATextureWithItsAlpha)
{
    Formats::Picture picture = Formats::MakePicture(8, 8, 4, {200, 100, 50, 0});
    for (uint32_t y = 0; y < 8; ++y)
        for (uint32_t x = 0; x < 8; ++x)
            picture.At(x, y)[3] = y < 4 ? 0 : 255;
    ASSERT_TRUE(Formats::WriteJpegPair(folder / "data/gui/pair.jpg", picture));
    auto* texture = static_cast<Texture2D_D3D7*>(
        textures().LoadTexture("gui\\pair.jpg", "gui\\pair_alpha.jpg", textureWithOpacity));
    ASSERT_TRUE(texture->ReadBackLevels());
    ASSERT_EQ(texture->levelImages.size(), 1u);
    const Image& level = *texture->levelImages[0];
    ASSERT_EQ(level.bitsPerPixel, 32u);
    EXPECT_NEAR(level.Pixel(1, 1)[0], 200, 6);
    EXPECT_NEAR(level.Pixel(1, 1)[2], 50, 6);
    EXPECT_NEAR(level.Pixel(1, 1)[3], 0, 12);
    EXPECT_NEAR(level.Pixel(6, 6)[3], 255, 12);
    EXPECT_NE(texture->surface, nullptr);
    EXPECT_FALSE(Logged("Warning")) << Entries();
}

TEST_F(MaterialTest, TextureWarningsAndTheCheckerboard)
{
    WritePicture("data/odd.tga", 6, 4, {1, 2, 3, 4});
    WritePicture("data/odd_alpha.tga", 8, 8, {9});
    textures().LoadTexture("odd.tga", "odd_alpha.tga", textureWithOpacity);
    EXPECT_TRUE(Logged("Warning: Texture Manager: \"data\\odd.tga\" image size should be power of two!")) << Entries();
    EXPECT_TRUE(Logged("Texture Manager: \"data\\odd.tga\" image color depth should be 24 bit")) << Entries();
    EXPECT_TRUE(Logged("Texture Manager: \"data\\odd_alpha.tga\" image size should be the same as \"data\\odd.tga\""))
        << Entries();

    log.ClearEntries();
    WritePicture("data/self.tga", 2, 2, {1, 2, 3});
    auto* self = static_cast<Texture2D_D3D7*>(textures().LoadTexture("self.tga", "self.tga", textureWithOpacity));
    ASSERT_TRUE(self->ReadBackLevels());
    EXPECT_EQ(self->levelImages[0]->Pixel(0, 0)[3], 3); // a 24-bit image gives its blue as alpha
    EXPECT_FALSE(Logged("Warning")) << Entries();

    auto* missing = static_cast<Texture2D_D3D7*>(textures().LoadTexture("none.jpg", "", 0));
    EXPECT_TRUE(Logged("Failed to open")) << Entries();
    EXPECT_EQ(missing->width, 64u);
    ASSERT_TRUE(missing->ReadBackLevels());
    EXPECT_EQ(missing->levelImages[0]->Pixel(0, 0)[0], 255);

    // A picture larger than the device's largest texture is refused from its header: the checkerboard.
    log.ClearEntries();
    ASSERT_EQ(renderSystem->maxTextureWidth, 4096u);
    std::vector<uint8_t> wide(18, 0);
    wide[2] = 2;
    wide[12] = 0x10;   // 4112 x 1
    wide[13] = 0x10;
    wide[14] = 1;
    wide[16] = 24;
    wide.resize(wide.size() + 4112 * 3, 7);
    Write("data/wide.tga", wide);
    auto* tooWide = static_cast<Texture2D_D3D7*>(textures().LoadTexture("wide.tga", "", 0));
    EXPECT_TRUE(Logged("(Picture of 4112x1 is larger than 4096x4096)")) << Entries();
    EXPECT_EQ(tooWide->width, 64u);
}

TEST_F(MaterialTest, FailedSurfaceLeavesTheTextureUnbuiltUntilTheNextBind)
{
    using namespace Platform::D3D7Test;
    WritePicture("data/f.tga", 4, 4, {1, 2, 3});
    for (Fault fault : {Fault::CreateTextureSurface, Fault::Lock}) {
        InjectFault(fault, Platform::DDERR_OUTOFMEMORY, 1);
        auto* texture = static_cast<Texture2D_D3D7*>(textures().LoadTexture("f.tga", "", 0));
        EXPECT_EQ(texture->surface, nullptr) << FaultName(fault);
        EXPECT_EQ(texture->byteSize, 0u);
        ClearFault(fault);
        renderSystem->SetTexture(0, texture); // binding builds the missing surface
        EXPECT_NE(texture->surface, nullptr) << FaultName(fault);
        renderSystem->SetTexture(0, nullptr);
        textures().ReleaseTexture(texture);
    }
}

TEST_F(MaterialTest, DeletedTextureLeavesTheStateCache)
{
    WritePicture("data/a.tga", 4, 4, {1, 2, 3});
    Texture2D* texture = textures().LoadTexture("a.tga", "", 0);
    renderSystem->SetTexture(1, texture);
    ASSERT_EQ(renderSystem->textures[1], texture);
    textures().ReleaseTexture(texture);
    EXPECT_EQ(renderSystem->textures[1], nullptr);
}

TEST_F(MaterialTest, EqualDescriptorsShareOneShaderAndKeepTheirOwnStates)
{
    WritePicture("data/a.tga", 4, 4, {1, 2, 3});
    ShaderDescriptor first = ShaderDescriptor::InitFromTextures("a.tga", "");
    ShaderDescriptor second = first;
    second.flags = shaderAlphaBlend;
    second.sourceBlend = 2;
    second.destinationBlend = 3;
    second.stages[0].addressU = 1;
    ShaderUser* a = shaderManager->GetShader(first);
    ShaderUser* b = shaderManager->GetShader(second);
    EXPECT_EQ(a->shader, b->shader);
    EXPECT_EQ(shaderManager->shaderCount, 1);
    EXPECT_EQ(textures().GetTextureCount(), 1u);

    Shader::Apply(b->shader, b);
    EXPECT_EQ(renderSystem->alphaBlend, 1);
    EXPECT_EQ(renderSystem->sourceBlend, 2);
    EXPECT_EQ(renderSystem->addressU[0], 1);
    EXPECT_EQ(renderSystem->textures[1], nullptr);
    Shader::Apply(a->shader, a);
    EXPECT_EQ(renderSystem->alphaBlend, 0);
    EXPECT_EQ(renderSystem->sourceBlend, 2); // left alone without blending
    EXPECT_EQ(renderSystem->addressU[0], 0);
    EXPECT_EQ(renderSystem->filter[0], 1);

    shaderManager->ReleaseShader(a);
    EXPECT_EQ(shaderManager->shaderCount, 1);
    shaderManager->ReleaseShader(b);
    EXPECT_EQ(shaderManager->shaderCount, 0);
    EXPECT_EQ(textures().GetTextureCount(), 0u);
    shaderManager->ReleaseShader(nullptr);
    ShaderDescriptor foreign;
    ShaderUser stranger(foreign, &log, &timers, new Shader(foreign, &log, &memory, config.get(), renderSystem.get(),
                                                           &textures()));
    EXPECT_THROW(shaderManager->ReleaseShader(&stranger), FatalError);
    EXPECT_TRUE(Logged("Shader Manager: Failed to remove shader")) << Entries();
}

TEST_F(MaterialTest, AtlasAndSequenceAnimation)
{
    ShaderUser* atlas = shaderManager->GetShader(ShaderDescriptor::InitFromTextureAtlas(1, "", ""));
    atlas->Advance(0.0f);
    const ShaderStage& cell = atlas->stages[0];
    EXPECT_FLOAT_EQ(cell.scaleU, 0.99f / 8);
    EXPECT_FLOAT_EQ(cell.scaleV, 0.99f / 4);
    EXPECT_FLOAT_EQ(cell.offsetU, 0.005f / 8);
    EXPECT_FLOAT_EQ(cell.offsetV, 3.005f / 4);
    atlas->Advance(9.5f);
    EXPECT_FLOAT_EQ(cell.offsetU, 1.005f / 8);
    EXPECT_FLOAT_EQ(cell.offsetV, 2.005f / 4);
    atlas->stageTime[0] = 0;
    atlas->Advance(32.0f); // exactly the frame count: the last cell
    EXPECT_FLOAT_EQ(cell.offsetU, 7.005f / 8);
    EXPECT_FLOAT_EQ(cell.offsetV, 0.005f / 4);

    ShaderDescriptor sequence;
    sequence.AddStage(stageColourSequence, stageNoTextures, 1, 1, 8, 1, "s0.jpg", "", 0);
    ShaderUser* user = shaderManager->GetShader(sequence);
    user->Advance(3.7f);
    EXPECT_EQ(user->stages[0].currentFrame, 3u);
    user->Advance(5.0f);
    EXPECT_NEAR(user->stageTime[0], 0.7f, 1e-5);
    EXPECT_EQ(user->stages[0].currentFrame, 0u);
    Shader::Apply(user->shader, user); // a no-textures stage binds no texture
    EXPECT_EQ(renderSystem->textures[0], nullptr);
    shaderManager->ReleaseShader(user);
    shaderManager->ReleaseShader(atlas);

    // A stage made in code with more frames than a float counts: a time of 2^32 is still the last cell.
    ShaderDescriptor huge;
    huge.AddStage(stageAtlas, stageNoTextures, 8, 4, 0xFFFFFFFFu, 4294967296.0f, "a.jpg", "", 0);
    ShaderUser* fast = shaderManager->GetShader(huge);
    fast->Advance(1.0f);
    EXPECT_FLOAT_EQ(fast->stages[0].offsetU, 7.005f / 8);
    EXPECT_FLOAT_EQ(fast->stages[0].offsetV, 0.005f / 4);
    shaderManager->ReleaseShader(fast);
}

TEST_F(MaterialTest, RandomPhaseGivesEachUserItsOwnStart)
{
    ShaderDescriptor random;
    random.AddStage(stageAtlas, stageRandomPhase | stageNoTextures, 8, 4, 32, 1, "a.jpg", "", 0);
    ShaderUser* a = shaderManager->GetShader(random);
    ShaderUser* b = shaderManager->GetShader(*a);
    EXPECT_NE(a->stageTime[0], b->stageTime[0]);
    EXPECT_LT(a->stageTime[0], 32.0f);
    shaderManager->ReleaseShader(a);
    shaderManager->ReleaseShader(b);
}

TEST_F(MaterialTest, MaterialFileFindsImagesBesideIt)
{
    WritePicture("data/models/x.tga", 4, 4, {1, 2, 3});
    Write("data/models/x.srf", Formats::EncodeMaterial(Formats::MakeImageMaterial("x.tga", "")));
    ShaderUser* user = shaderManager->GetShaderFromFile("models\\x.srf");
    ASSERT_EQ(user->stageCount, 1u);
    EXPECT_EQ(user->stages[0].colourName, "models\\x.tga");
    EXPECT_FALSE(Logged("Error")) << Entries();
    shaderManager->ReleaseShader(user);

    Formats::MaterialFile bad = Formats::MakeImageMaterial("x.tga", "");
    bad.stages[0].kind = 1;
    bad.stages[0].frameCount = 0;
    Write("data/models/bad.srf", Formats::EncodeMaterial(bad));
    ShaderUser* fallback = shaderManager->GetShaderFromFile("models\\bad.srf");
    EXPECT_EQ(fallback->stageCount, 0u);
    EXPECT_TRUE(Logged("Error: Incorrect \"models\\bad.srf\" file format!")) << Entries();
    shaderManager->ReleaseShader(fallback);
}
