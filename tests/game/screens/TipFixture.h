#pragma once
// The tip windows' test kit: the dialogs' kit with a 128 x 64 tip picture pair under "gui\tip_window\",
// tip pages that show it, and the order and relax-mode text files of the test's own language "ru".

#include "DialogFixture.h"
#include "engine/core/Config.h"
#include "framework/TipPage.h"
#include "tools/formats/ImageWriters.h"

#include <string>
#include <vector>

class TipFixture : public DialogFixture {
protected:
    static constexpr const char* bom = "\xEF\xBB\xBF";
    static constexpr float pictureWidth = 128.0f;
    static constexpr float pictureHeight = 64.0f;
    static constexpr float colourStep = 1.0f / 255.0f; // window colours are kept in bytes

    void PrepareMoreData() override
    {
        const Formats::Picture picture = Formats::MakePicture(128, 64, 4, {200, 100, 50, 255});
        ASSERT_TRUE(Formats::WriteJpegPair(data.Path() + "/data/gui/tip_window/pic.jpg", picture));
        PrepareTexts();
    }

    virtual void PrepareTexts() {}

    void WriteTipText(const std::string& name, const std::string& text) const
    {
        data.WriteFile("data/gui/tip_window/text/ru/" + name, bom + text);
    }

    void TearDown() override
    {
        for (VantoranEngine::ShaderUser* material : materials)
            engine->shaderManager->ReleaseShader(material);
        materials.clear();
        DialogFixture::TearDown();
    }

    // A page with the test picture centred at (pictureX, pictureY) and its text anchor at (textX, textY).
    GameFramework::TipPage Page(const std::u16string& title, std::vector<std::u16string> lines)
    {
        VantoranEngine::ShaderDescriptor descriptor;
        VantoranEngine::BuildSimpleGUIShaderDescriptor(descriptor, "gui\\tip_window\\pic.jpg",
                                                       "gui\\tip_window\\pic_alpha.jpg");
        materials.push_back(engine->shaderManager->GetShader(descriptor));
        GameFramework::TipPage page;
        page.title = title;
        page.lines = std::move(lines);
        page.pictureX = 400.0f;
        page.pictureY = 300.0f;
        page.textX = 200.0f;
        page.textY = 250.0f;
        page.material = materials.back();
        return page;
    }

    std::vector<VantoranEngine::ShaderUser*> materials;
};
