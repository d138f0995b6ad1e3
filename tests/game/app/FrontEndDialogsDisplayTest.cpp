// The front-end dialogs on the real game and its default data, in an offscreen window: a Cyrillic name
// typed through the window's text input into the welcome dialog, the main menu sliding in on its anchors
// with its plate on screen and out again with the plate out of sight, and the shipped credits.

#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/gui/GUIEditBox.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/board/GameData.h"
#include "game/screens/GUICreditsWindow.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "game/screens/GUIWelcomeWindow.h"
#include "platform/input/DirectInput.h"
#include "platform/os/Registry.h"
#include "platform/window/WindowTest.h"
#include "tests/engine/core/devices/DeviceFixture.h"
#include "TempFolder.h"

#include "tests/game/app/GameWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using namespace VantoranEngine;
using Petalwork::Game;

namespace {

// The window's rectangle on the GUI screen lies inside the 800 x 600 screen / wholly outside it.
bool OnScreen(const GUIWindow* window)
{
    const Vector2 corner = window->GetAbsolutePosition();
    return corner.x >= 0.0f && corner.y >= 0.0f && corner.x + window->size.x <= 800.0f &&
           corner.y + window->size.y <= 600.0f;
}
bool OffScreen(const GUIWindow* window)
{
    const Vector2 corner = window->GetAbsolutePosition();
    return corner.x >= 800.0f || corner.y >= 600.0f || corner.x + window->size.x <= 0.0f ||
           corner.y + window->size.y <= 0.0f;
}

} // namespace

TEST(FrontEndDialogs, TypedNameSlidingMenuAndCreditsOnTheDefaultData)
{
    GameWorld w;
    {
        Game game("Brindlemoor", "Quorvane");
        // The logos come first, then the start-up loading screen loads the bundle on its worker.
        Petalwork::GameData* data = game.GetGameData();
        for (int frame = 0; frame < 3000 && data != nullptr && data->settings == nullptr; ++frame)
            game.Tick();
        ASSERT_NE(data, nullptr);
        ASSERT_NE(data->windowSmallMaterial, nullptr);
        Engine* engine = game.engine.get();
        GUIWindow* layer = game.guiManager->CreateUntexturedWindow(GUIWindow::Shown, {0.0f, 0.0f}, {0.0f, 0.0f},
                                                                   nullptr);
        auto frame = [engine](const std::function<void()>& update) {
            DeviceTesting::PumpMessages();
            engine->Update();
            update();
            engine->EndFrame();
        };
        auto frames = [&frame](int count, const std::function<void()>& update) {
            for (int i = 0; i < count; ++i)
                frame(update);
        };

        {
            Petalwork::GUIWelcomeWindow welcome(engine, *data, layer, game.profiles.get());
            auto update = [&welcome] { welcome.Update(); };
            welcome.Show();
            frames(40, update);
            for (const char* letter : {"\xD0\x90", "\xD0\xBD", "\xD0\xBD", "\xD0\xB0"}) { // "Анна"
                Platform::Test::InjectText(letter);
                frames(2, update);
            }
            EXPECT_EQ(welcome.GetNameBox()->text, u"Анна");
            int32_t result = 0;
            Platform::Test::InjectKey(Platform::DIK_RETURN, true);
            frame([&] {
                welcome.Update();
                result = std::max(result, welcome.result);
            });
            Platform::Test::InjectKey(Platform::DIK_RETURN, false);
            frame(update);
            EXPECT_EQ(result, Petalwork::GUIWelcomeWindow::resultCreated);
            ASSERT_NE(game.profiles->GetCurrentProfile(), nullptr);
            EXPECT_EQ(game.profiles->GetCurrentProfile()->name, u"Анна");
        }

        {
            Petalwork::GUIMainMenuWindow menu(engine, *data, layer, game.profiles.get());
            auto update = [&menu] { menu.Update(); };
            auto slideEnds = [&] {
                for (int i = 0; i < 600 && menu.GetMenuAnchor()->animationControl &&
                                menu.GetMenuAnchor()->animationControl->play != 0;
                     ++i)
                    frame(update);
                frames(2, update);
            };
            menu.Show();
            slideEnds();
            EXPECT_TRUE(OnScreen(menu.GetFrame()));
            EXPECT_TRUE(OnScreen(menu.GetPlate()));
            EXPECT_TRUE(menu.GetPlate()->visible);
            menu.Hide();
            slideEnds();
            EXPECT_FALSE(menu.IsFrameVisible());
            // The plate stays shown while there is a player: its anchor takes it out of sight.
            EXPECT_TRUE(OffScreen(menu.GetPlate()));
        }

        Petalwork::GUICreditsWindow credits(engine, *data, "ru");
        ASSERT_EQ(credits.GetPages().size(), 2u);
        for (const auto& page : credits.GetPages()) {
            EXPECT_FALSE(page.empty());
            for (const auto& line : page)
                EXPECT_NE(game.fontManager->GetFont(line.fontId), nullptr) << line.fontId;
        }
        game.guiManager->DeleteWindow(layer);
        engine->RequestExit();
        game.Tick();
    }
    const std::string log = w.UserFile("Brindlemoor.html");
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log.substr(log.find("Error: "), 300);
}
