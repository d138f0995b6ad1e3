// The whole front end of the real game on the default data, in an offscreen window, driven only by
// injected mouse and key events: a first run through the welcome dialog, options changed and confirmed,
// profiles made, renamed and deleted, the high scores, the credits by the hidden hover sequence, and the
// exit question. The save files and the configuration hold what was done and the log has no error line.

#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/gui/GUIEditBox.h"
#include "engine/render/gui/GUISlider.h"
#include "framework/GUIOptionsWindowBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManager.h"
#include "framework/SoundPlayer.h"
#include "game/screens/GUICreditsWindow.h"
#include "game/screens/GUIDeleteProfileWindow.h"
#include "game/screens/GUIExitWindow.h"
#include "game/screens/GUIHighScoresWindow.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "game/screens/GUINewProfileWindow.h"
#include "game/screens/GUIOptionsWindow.h"
#include "game/screens/GUIProfilesWindow.h"
#include "game/screens/GUIRenameProfileWindow.h"
#include "game/screens/GUIWelcomeWindow.h"
#include "platform/input/DirectInput.h"
#include "platform/window/WindowTest.h"
#include "TempFolder.h"

#include "tests/game/app/GameWorld.h"
#include "tests/game/app/ScriptedPlayer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace VantoranEngine;
using namespace Petalwork;

namespace {

class FrontEnd : public ::testing::Test {
protected:
    GameWorld world; // first: it outlives the game
    ScriptedPlayer player{false};
    std::unique_ptr<Game>& game = player.game;

    std::string UserRoot() const { return world.UserRoot(); }
    void Tick() { player.Tick(); }
    bool WaitFor(const std::function<bool()>& done) { return player.WaitFor(done); }

    // Ticks until the dialog takes input and has faded in.
    bool WaitReady(const GUIMenuWindow* dialog)
    {
        return WaitFor([dialog] { return dialog->AcceptsInput() && dialog->GetAlpha() >= 1.0f; });
    }

    void MoveTo(const GUIWindow* window)
    {
        const Vector2 corner = window->GetAbsolutePosition();
        player.MoveTo(corner.x + window->size.x / 2.0f, corner.y + window->size.y / 2.0f);
    }
    void MoveTo(float x, float y) { player.MoveTo(x, y); }
    void Click(const GUIWindow* window) { player.Click(window); }
    void PressKey(uint8_t key) { player.PressKey(key); }

    void Type(const std::string& utf8)
    {
        for (size_t i = 0; i < utf8.size();) {
            size_t length = 1;
            while (i + length < utf8.size() && (static_cast<unsigned char>(utf8[i + length]) & 0xC0) == 0x80)
                ++length;
            Platform::Test::InjectText(utf8.substr(i, length));
            Tick();
            i += length;
        }
    }

    template <typename Dialog, typename Base>
    static Dialog* As(const std::unique_ptr<Base>& window)
    {
        return dynamic_cast<Dialog*>(window.get());
    }

    bool MenuSettled() { return player.WaitForMainMenu(); }
};

TEST_F(FrontEnd, FirstRunProfilesOptionsHighScoresCreditsAndExitWithMouseAndKeys)
{
    game = std::make_unique<Game>("Brindlemoor", "Quorvane");

    // First run: the logos, the loading, then the welcome dialog asks for a name.
    ASSERT_TRUE(WaitFor([this] { return game->welcomeWindow && game->welcomeWindow->shown; }));
    auto* welcome = As<GUIWelcomeWindow>(game->welcomeWindow);
    ASSERT_NE(welcome, nullptr);
    ASSERT_TRUE(WaitReady(welcome));
    Type(" \xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0 "); // " Анна "
    PressKey(Platform::DIK_RETURN);
    auto* menu = As<GUIMainMenuWindow>(game->mainMenuWindow);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(MenuSettled());
    ASSERT_NE(game->profiles->GetCurrentProfile(), nullptr);
    EXPECT_EQ(game->profiles->GetCurrentProfile()->name, u"Анна");

    // Options: the sound slider's left end, relax mode on, done.
    Click(menu->GetOptionsButton());
    auto* options = As<GUIOptionsWindow>(game->optionsWindow);
    ASSERT_TRUE(WaitReady(options));
    const Vector2 slider = options->GetSoundSlider()->GetAbsolutePosition();
    MoveTo(slider.x + 20.0f, slider.y + 16.0f);
    Tick();
    Platform::Test::InjectMouseButton(0, true);
    Tick();
    Platform::Test::InjectMouseButton(0, false);
    Tick();
    const int32_t soundStep = options->GetSoundSlider()->position;
    EXPECT_LT(soundStep, 200);
    const bool relaxBefore = options->GetRelaxBox()->checked;
    Click(options->GetRelaxBox());
    EXPECT_NE(options->GetRelaxBox()->checked, relaxBefore);
    Click(options->GetDoneButton());
    ASSERT_TRUE(MenuSettled());
    EXPECT_NEAR(game->soundPlayer->GetSoundVolume(), static_cast<float>(soundStep) / 1000.0f, 1e-4f);

    // Profiles: a new one, renamed, then deleted; the first player is current again.
    Click(menu->GetChangeProfileButton());
    auto* list = As<GUIProfilesWindow>(game->profilesWindow);
    ASSERT_TRUE(WaitReady(list));
    Click(list->GetNewButton());
    auto* newProfile = As<GUINewProfileWindow>(game->newProfileWindow);
    ASSERT_TRUE(WaitReady(newProfile));
    Type("Bob");
    PressKey(Platform::DIK_RETURN);
    ASSERT_TRUE(WaitReady(list));
    EXPECT_EQ(game->profiles->GetCurrentProfile()->name, u"Bob");
    Click(list->GetRenameButton());
    auto* rename = As<GUIRenameProfileWindow>(game->renameProfileWindow);
    ASSERT_TRUE(WaitReady(rename));
    EXPECT_EQ(rename->GetNameBox()->text, u"Bob");
    for (int i = 0; i < 3; ++i)
        PressKey(Platform::DIK_BACK);
    Type("Rob");
    Click(rename->GetOkButton());
    ASSERT_TRUE(WaitReady(list));
    EXPECT_EQ(game->profiles->GetCurrentProfile()->name, u"Rob");
    Click(list->GetDeleteButton());
    auto* erase = As<GUIDeleteProfileWindow>(game->deleteProfileWindow);
    ASSERT_TRUE(WaitReady(erase));
    Click(erase->GetYesButton());
    ASSERT_TRUE(WaitReady(list));
    ASSERT_EQ(game->profiles->GetProfiles().size(), 1u);
    EXPECT_EQ(game->profiles->GetCurrentProfile()->name, u"Анна");
    Click(list->GetDoneButton());
    ASSERT_TRUE(MenuSettled());

    // High scores and back.
    Click(menu->GetHighScoresButton());
    auto* scores = As<GUIHighScoresWindow>(game->highScoresWindow);
    ASSERT_TRUE(WaitReady(scores));
    Click(scores->GetCloseButton());
    ASSERT_TRUE(MenuSettled());

    // The credits: start, high scores, options, exit, three rounds under the cursor; OK twice.
    for (int round = 0; round < 3; ++round) {
        for (const GUIWindow* button : {static_cast<const GUIWindow*>(menu->GetStartButton()),
                                        static_cast<const GUIWindow*>(menu->GetHighScoresButton()),
                                        static_cast<const GUIWindow*>(menu->GetOptionsButton()),
                                        static_cast<const GUIWindow*>(menu->GetExitButton())}) {
            MoveTo(button);
            Tick();
            Tick();
        }
    }
    GUICreditsWindow* credits = game->creditsWindow.get();
    ASSERT_NE(credits, nullptr);
    ASSERT_TRUE(WaitFor([credits] { return credits->GetPageState() == GUICreditsWindow::PageState::Shown; }));
    MoveTo(40.0f, 560.0f); // off the buttons, so the menu's sequence is not started again
    Click(credits->GetOkButton());
    ASSERT_TRUE(WaitFor([credits] {
        return credits->GetPageIndex() == 1 && credits->GetPageState() == GUICreditsWindow::PageState::Shown;
    }));
    Click(credits->GetOkButton());
    ASSERT_TRUE(MenuSettled());
    EXPECT_FALSE(credits->IsShown());

    // What the files on disk hold now.
    {
        ProfileManager saved(*game->engine, nullptr, UserRoot(), nullptr);
        ASSERT_EQ(saved.GetProfiles().size(), 1u);
        ASSERT_NE(saved.GetCurrentProfile(), nullptr);
        EXPECT_EQ(saved.GetCurrentProfile()->name, u"Анна");
        EXPECT_NEAR(saved.GetCurrentProfile()->soundVolume, static_cast<float>(soundStep) / 1000.0f, 1e-4f);
    }

    // Exit: the question, then yes.
    Click(menu->GetExitButton());
    auto* exit = As<GUIExitWindow>(game->exitWindow);
    ASSERT_TRUE(WaitReady(exit));
    Click(exit->GetYesButton());
    EXPECT_TRUE(WaitFor([this] { return game->engine->IsExitRequested(); }));
    game.reset();

    const std::string config = TempFolder::ReadFile(UserRoot() + "/Brindlemoor.ini");
    EXPECT_NE(config.find(std::string("g_relax_mode ") + (relaxBefore ? "0" : "1")), std::string::npos);
    EXPECT_NE(config.find("g_high_quality 1"), std::string::npos);
    const std::string log = TempFolder::ReadFile(UserRoot() + "/Brindlemoor.html");
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log.substr(log.find("Error: "), 300);
}

} // namespace
