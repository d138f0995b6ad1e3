// Damaged models, materials, particle systems, fonts and pictures (JPEG, TGA).

#include "DefaultData.h"
#include "FuzzRun.h"
#include "engine/render/SceneFixture.h"
#include "engine/core/Error.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Image.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/render/gui/GUIFont.h"
#include "tools/formats/ImageWriters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace VantoranEngine;
using Fuzz::Outcome;

namespace {

class RenderFilesFuzz : public SceneFixture {
protected:
    // An error entry that names the file: a missing texture of a loaded material is no refusal.
    bool LoggedError(const std::string& name = "") const
    {
        for (const LogEntry& entry : log.GetEntries())
            if (entry.kind >= LogEntry::Error && entry.text.find(name) != std::string::npos)
                return true;
        return false;
    }

    // Writes the bytes as data/<relative> and clears the log, so an error entry afterwards is the load's.
    void Put(const std::string& relative, const std::vector<uint8_t>& bytes)
    {
        Fuzz::WriteBytes(folder / ("data/" + relative), bytes);
        log.ClearEntries();
    }
};

TEST_F(RenderFilesFuzz, Models)
{
    const std::vector<std::string> names = Fuzz::DataFiles("", ".mlf", 10, 64 * 1024);
    ASSERT_FALSE(names.empty());
    Fuzz::RunCases("model", Fuzz::ReadDataFiles(names), {4000, 1000, true}, [&](const std::vector<uint8_t>& bytes) {
        Put("fuzz/m.mlf", bytes);
        std::unique_ptr<Model> model(models->LoadDetachedModel("fuzz\\m.mlf", 0));
        const bool refused = LoggedError("m.mlf");
        model->flags |= ModelFlag::active;
        if (model->animationControl) {
            // Played and looped through its frames, a quarter frame at a time.
            model->animationControl->play = 1;
            model->animationControl->loop = 1;
        }
        for (int frame = 0; frame < 12; ++frame) {
            if (model->animationControl)
                model->animationControl->Advance(0.25f / std::max(1.0f, model->animationControl->speed));
            model->Update();
        }
        model->UpdateTriangleCount();
        Ray ray;
        ray.origin = {0, 0, 50};
        ray.direction = {0, 0, -100};
        model->Pick(ray);
        return refused ? Outcome::Refused : Outcome::Loaded;
    });
}

TEST_F(RenderFilesFuzz, Materials)
{
    const std::vector<std::string> names = Fuzz::DataFiles("", ".srf", 16);
    ASSERT_FALSE(names.empty());
    Fuzz::RunCases("material", Fuzz::ReadDataFiles(names), {4000, 2000, true}, [&](const std::vector<uint8_t>& bytes) {
        Put("fuzz/m.srf", bytes);
        const ShaderDescriptor descriptor = ShaderDescriptor::Load("fuzz\\m.srf", &log, &files);
        ShaderUser* user = shaderManager->GetShader(descriptor);
        timers.Update();
        shaderManager->ReleaseShader(user);
        return Outcome::Loaded;
    });
}

TEST_F(RenderFilesFuzz, ParticleSystems)
{
    const std::vector<std::string> names = Fuzz::DataFiles("particle systems", ".psf", 10);
    ASSERT_FALSE(names.empty());
    SpriteGroupManager sprites{&log, &memory, nullptr, nullptr, nullptr};
    ParticleSystemManager particles{&log, &memory, &files, &timers, nullptr, &sprites};
    Fuzz::RunCases("particle system", Fuzz::ReadDataFiles(names), {4000, 3000, true},
                   [&](const std::vector<uint8_t>& bytes) {
                       Put("fuzz/p.psf", bytes);
                       std::unique_ptr<ParticleSystem> prototype(particles.LoadParticleSystem("fuzz\\p.psf", nullptr));
                       const bool refused = LoggedError("p.psf");
                       ParticleSystem* copy = particles.CloneParticleSystem(*prototype);
                       for (int frame = 0; frame < 5; ++frame) {
                           timers.Update();
                           particles.Update();
                       }
                       particles.DeleteParticleSystem(copy);
                       return refused ? Outcome::Refused : Outcome::Loaded;
                   });
}

TEST_F(RenderFilesFuzz, Fonts)
{
    const std::vector<std::string> names = Fuzz::DataFiles("", ".fnt", 4);
    uint32_t fonts = 0;
    ASSERT_FALSE(names.empty());
    Fuzz::RunCases("font", Fuzz::ReadDataFiles(names), {4000, 4000, true}, [&](const std::vector<uint8_t>& bytes) {
        Put("fuzz/f.fnt", bytes);
        // Every tenth as the game loads them, the glyph quads in a model of the model manager (slower);
        // the others keep the quads in the font's own arrays.
        ModelManager* modelManager = fonts++ % 10 == 0 ? models.get() : nullptr;
        GUIFont font(&log, &memory, &files, "fuzz\\f.fnt", ShaderDescriptor{}, modelManager, nullptr);
        const bool refused = LoggedError();
        const std::u16string text = u"Brindlemoor \u0416\u0401 0123";
        font.GetTextWidth(text, 16.0f);
        font.DrawText({10, 10}, Color{}, text);
        GUIFont instance(&font);
        instance.DrawText({10, 10}, Color{}, u"abc");
        return refused ? Outcome::Refused : Outcome::Loaded;
    });
}

TEST_F(RenderFilesFuzz, JpegPictures)
{
    const std::vector<std::string> names = Fuzz::DataFiles("", ".jpg", 6, 24 * 1024);
    ASSERT_FALSE(names.empty());
    Fuzz::RunCases("jpeg", Fuzz::ReadDataFiles(names), {2000, 5000}, [&](const std::vector<uint8_t>& bytes) {
        Put("fuzz/p.jpg", bytes);
        Image image;
        return image.Load(&log, &memory, &files, "data\\fuzz\\p.jpg", 2048, 2048) ? Outcome::Loaded
                                                                                  : Outcome::Refused;
    });
}

TEST_F(RenderFilesFuzz, TgaPictures)
{
    // The default data holds no TGA: the same pictures in every TGA variant the engine reads.
    std::vector<std::vector<uint8_t>> originals;
    for (const std::string& name : Fuzz::DataFiles("", ".jpg", 2, 8 * 1024)) {
        Image image;
        ASSERT_TRUE(image.Load(&log, &memory, &files, Fuzz::DataFolder() + "/" + name));
        image.Convert(32);
        Formats::Picture picture{image.width, image.height, 4, {}};
        picture.pixels.assign(image.pixels, image.pixels + image.ByteSize());
        Formats::Picture grey{image.width, image.height, 1, {}};
        for (size_t i = 0; i < picture.pixels.size(); i += 4)
            grey.pixels.push_back(picture.pixels[i]);
        Formats::Picture rgb{image.width, image.height, 3, {}};
        for (size_t i = 0; i < picture.pixels.size(); i += 4)
            rgb.pixels.insert(rgb.pixels.end(), picture.pixels.begin() + i, picture.pixels.begin() + i + 3);
        originals.push_back(Formats::EncodeTga(picture));
        originals.push_back(Formats::EncodeTga(picture, {false, true, false}));
        originals.push_back(Formats::EncodeTga(picture, {true, false, true}));
        originals.push_back(Formats::EncodeTga(rgb, {false, true, false}));
        originals.push_back(Formats::EncodeTga(grey));
        originals.push_back(Formats::EncodeTga(grey, {true, true, false}));
    }
    ASSERT_FALSE(originals.empty());
    Fuzz::RunCases("tga", originals, {3000, 6000}, [&](const std::vector<uint8_t>& bytes) {
        Put("fuzz/p.tga", bytes);
        Image image;
        return image.Load(&log, &memory, &files, "data\\fuzz\\p.tga", 2048, 2048) ? Outcome::Loaded
                                                                                  : Outcome::Refused;
    });
}

} // namespace
