#pragma once
// The dialogs' test kit on the headless screen engine: an unloaded global bundle whose interface
// materials and main-menu anchors the fixture sets, fonts 1 to 7 with glyphs for printable ASCII and
// the Cyrillic capitals and small letters (each glyph 10 units wide at the font's 20-unit size, none for
// other characters), the flower-house layer the dialogs hang under, a profile manager on the test's
// user folder, and a frame driver with a fixed frame time and injected mouse and keys.

#include "ScreenFixture.h"
#include "engine/core/devices/Controls.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "framework/ProfileManager.h"
#include "game/board/GameData.h"
#include "platform/input/DirectInput.h"
#include "platform/os/CodePage.h"
#include "tools/formats/FontWriter.h"
#include "tests/engine/core/devices/DeviceFixture.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class DialogFixture : public ScreenFixture {
protected:
    static constexpr float glyphAdvance = 0.5f; // of the font size
    static constexpr float fontSize = 20.0f;
    static constexpr float glyphWidth = glyphAdvance * fontSize;
    static constexpr float tick = 0.05f; // seconds per test frame

    void PrepareData() override
    {
        std::vector<Formats::FontGlyph> glyphs;
        auto add = [&glyphs](char16_t code) {
            Formats::FontGlyph glyph;
            glyph.code = code;
            glyph.du = 0.01f;
            glyph.dv = 0.01f;
            glyph.advance = glyphAdvance;
            glyphs.push_back(glyph);
        };
        for (char16_t c = 0x20; c < 0x7F; ++c)
            add(c);
        for (char16_t c = 0x410; c < 0x450; ++c)
            add(c);
        const std::vector<uint8_t> bytes = Formats::EncodeFont(glyphs);
        data.WriteFile("data/ui/fonts/test.fnt", std::string(bytes.begin(), bytes.end()));
        // The anchors: 11 frames; frame f is a 20-unit square centred at (300 + 10 f, 250 - 10 f).
        WriteModel("gui/main_menu/models/helper_main.mlf", SlidingModel(300.0f, 250.0f));
        WriteModel("gui/main_menu/models/helper_profile.mlf", SlidingModel(400.0f, 150.0f));
        PrepareMoreData();
    }

    virtual void PrepareMoreData() {}

    static Formats::ModelFile SlidingModel(float x, float y)
    {
        Formats::ModelFile model = QuadModel(11, 10.0f, -10.0f, -10.0f, 10.0f, 10.0f);
        const uint32_t perFrame = model.vertexCount;
        for (uint32_t f = 0; f < model.frameCount; ++f) {
            const float dx = x + 10.0f * static_cast<float>(f);
            const float dy = y - 10.0f * static_cast<float>(f);
            for (uint32_t v = 0; v < perFrame; ++v) {
                model.vertices[f * perFrame + v].position[0] += dx;
                model.vertices[f * perFrame + v].position[1] += dy;
            }
            model.boxes[f].min[0] += dx;
            model.boxes[f].max[0] += dx;
            model.boxes[f].min[1] += dy;
            model.boxes[f].max[1] += dy;
        }
        return model;
    }

    void SetUp() override
    {
        ScreenFixture::SetUp();
        Platform::SetCodePage(Platform::CodePage::Windows1251);
        VantoranEngine::GUIFontManager* fonts = gui->GetFontManager();
        for (int32_t id = 1; id <= 7; ++id) {
            VantoranEngine::GUIFont* font = fonts->LoadFont(id, Material("ui\\fonts\\test.jpg"), "ui\\fonts\\test.fnt");
            font->size = fontSize;
        }
        gameData = std::make_unique<Petalwork::GameData>(*engine);
        FillBundle();
        layer = gui->CreateUntexturedWindow(VantoranEngine::GUIWindow::Shown, {0.0f, 0.0f}, {0.0f, 0.0f}, nullptr);
        profiles = std::make_unique<Petalwork::ProfileManager>(*engine, nullptr, user.Path(), nullptr);
    }

    void TearDown() override
    {
        profiles.reset();
        gameData.reset();
        Platform::SetCodePage(Platform::CodePage::C);
        ScreenFixture::TearDown();
    }

    // The interface materials and main-menu anchors the dialogs take from the bundle, kept in its lists.
    void FillBundle()
    {
        Petalwork::GameData& d = *gameData;
        auto material = [this, &d](const std::string& colour, uint32_t frames = 1) {
            d.materials.push_back(engine->shaderManager->GetShader(Material(colour, frames)));
            return d.materials.back();
        };
        const std::string common = "gui\\common\\";
        d.windowMainMenuMaterial = material(common + "window_main_menu.jpg");
        d.profileWindowMaterial = material("gui\\main_menu\\profile_window.jpg");
        d.windowSmallMaterial = material(common + "window_small.jpg");
        d.windowLargeMaterial = material(common + "window_large.jpg");
        d.buttonShortMaterial = material(common + "button_short.jpg", 4);
        d.buttonLongMaterial = material(common + "button_long.jpg", 3);
        d.buttonGlowMaterial = material(common + "button_glow.jpg", 3);
        d.checkBoxMaterial = material(common + "check_box.jpg", 6);
        d.editBoxMaterial = material(common + "edit_box.jpg");
        d.sliderMaterial = material(common + "slider.jpg");
        d.sliderThumbMaterial = material(common + "slider_toddler.jpg", 3);
        d.scrollMaterial = material(common + "scroll.jpg");
        d.scrollThumbMaterial = material(common + "slider_toddler.jpg", 3);
        d.scrollArrowTopMaterial = material(common + "scroll_arrow_top.jpg", 3);
        d.scrollArrowBottomMaterial = material(common + "scroll_arrow_bottom.jpg", 3);
        d.activeProfileFrameMaterial = material(common + "active_profile_frame.jpg");
        d.highScoresFrameMaterial = material(common + "high_scores_frame.jpg");
        for (auto [field, file] : {std::pair{&d.helperMainModel, "gui\\main_menu\\models\\helper_main.mlf"},
                                   std::pair{&d.helperProfileModel, "gui\\main_menu\\models\\helper_profile.mlf"}}) {
            d.modelList.emplace_back(engine->modelManager->LoadDetachedModel(file, 0x20));
            *field = d.modelList.back().get();
        }
    }

    // One frame of the game's tick: messages, the engine's input half, `update` with the fixed frame
    // time, then the drawing half (which drops the queued texts). `inspect` runs before the drawing.
    void Frame(const std::function<void()>& update, const std::function<void()>& inspect = {})
    {
        DeviceTesting::PumpMessages();
        engine->Update();
        SetFrameTime(tick);
        update();
        if (inspect)
            inspect();
        engine->EndFrame();
    }

    // Runs `count` frames.
    void Frames(int count, const std::function<void()>& update)
    {
        for (int i = 0; i < count; ++i)
            Frame(update);
    }

    // GUI point (y up) to client pixels (y down).
    static void MoveTo(float x, float y)
    {
        Platform::Test::InjectMouseMotion(static_cast<int>(x), static_cast<int>(599.0f - y), 0, 0);
    }

    // The centre of a window on the GUI screen.
    static VantoranEngine::Vector2 CentreOf(const VantoranEngine::GUIWindow* window)
    {
        const VantoranEngine::Vector2 corner = window->GetAbsolutePosition();
        return {corner.x + window->size.x / 2.0f, corner.y + window->size.y / 2.0f};
    }

    // A full click on the window's centre over three frames; `update` runs in each.
    void Click(const VantoranEngine::GUIWindow* window, const std::function<void()>& update)
    {
        const VantoranEngine::Vector2 centre = CentreOf(window);
        MoveTo(centre.x, centre.y);
        Frame(update);
        Platform::Test::InjectMouseButton(0, true);
        Frame(update);
        Platform::Test::InjectMouseButton(0, false);
    }

    // Types UTF-8 text, one character per frame, as the keyboard delivers it.
    void Type(const std::string& utf8, const std::function<void()>& update)
    {
        for (size_t i = 0; i < utf8.size();) {
            size_t length = 1;
            while (i + length < utf8.size() && (static_cast<unsigned char>(utf8[i + length]) & 0xC0) == 0x80)
                ++length;
            Platform::Test::InjectText(utf8.substr(i, length));
            Frame(update);
            i += length;
        }
    }

    // ENTER goes down in the next frame and up after it; `inspect` sees the frame it went down in.
    void PressEnter(const std::function<void()>& update, const std::function<void()>& inspect = {})
    {
        Platform::Test::InjectKey(Platform::DIK_RETURN, true);
        Frame(update, inspect);
        Platform::Test::InjectKey(Platform::DIK_RETURN, false);
        Frame(update);
    }

    // Every queued text item of a window, in order.
    static std::vector<VantoranEngine::GUITextItem> Texts(const VantoranEngine::GUIWindow* window)
    {
        std::vector<VantoranEngine::GUITextItem> items;
        for (uint32_t i = 0; i < window->GetTextCount(); ++i)
            items.push_back(window->GetTextItem(i));
        return items;
    }

    // The current profile's name as the manager file on disk remembers it ("" for none).
    std::u16string StoredCurrentName() const
    {
        Petalwork::ProfileManager reloaded(*engine, nullptr, user.Path(), nullptr);
        return reloaded.GetCurrentProfile() != nullptr ? reloaded.GetCurrentProfile()->name : u"";
    }

    std::unique_ptr<Petalwork::GameData> gameData;
    VantoranEngine::GUIWindow* layer = nullptr;
    std::unique_ptr<Petalwork::ProfileManager> profiles;
};
