// The way into the first level on the real game and the default data, in an offscreen window, driven by
// injected mouse and keys: a first run through the welcome dialog, Start on the main menu, the intro
// comics clicked through, the stage screen with the first day circled and the stage's intro typed, and
// Start there, which hands the first level of the first stage to the level-loading screen. The profile
// file remembers that the comics was seen and where the player stands, and the log has no error line. A
// second run goes from the main menu to the stage screen without the comics, back, and out through the
// exit question.

#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/Profile.h"
#include "framework/ProfileManager.h"
#include "game/screens/GUIComics.h"
#include "game/screens/GUIExitWindow.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "game/screens/GUIWelcomeWindow.h"
#include "platform/input/DirectInput.h"
#include "platform/window/WindowTest.h"
#include "tests/engine/core/devices/DeviceFixture.h"
#include "tests/game/app/GameWorld.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

using namespace VantoranEngine;
using namespace Petalwork;

namespace {

class GameStage : public ::testing::Test {
protected:
    GameWorld world; // first: it outlives the game

    void Tick()
    {
        DeviceTesting::PumpMessages();
        game->Tick();
    }

    // Ticks until `done` holds; false after 3000 ticks.
    bool WaitFor(const std::function<bool()>& done)
    {
        for (int i = 0; i < 3000; ++i) {
            if (done())
                return true;
            Tick();
        }
        return done();
    }

    // GUI units to the window's pixels, measured with two pointer positions (the window may be full screen).
    void MoveTo(float x, float y)
    {
        if (scale.x == 0.0f) {
            Platform::Test::InjectMouseMotion(0, 0, 0, 0);
            Tick();
            origin = game->guiManager->GetCursorPosition();
            Platform::Test::InjectMouseMotion(500, 400, 0, 0);
            Tick();
            const Vector2 far = game->guiManager->GetCursorPosition();
            scale = {(far.x - origin.x) / 500.0f, (far.y - origin.y) / 400.0f};
        }
        Platform::Test::InjectMouseMotion(static_cast<int>(std::lround((x - origin.x) / scale.x)),
                                          static_cast<int>(std::lround((y - origin.y) / scale.y)), 0, 0);
    }

    void Click(const GUIWindow* window)
    {
        const Vector2 corner = window->GetAbsolutePosition();
        MoveTo(corner.x + window->size.x / 2.0f, corner.y + window->size.y / 2.0f);
        Tick();
        Platform::Test::InjectMouseButton(0, true);
        Tick();
        Platform::Test::InjectMouseButton(0, false);
        Tick();
    }

    void PressKey(uint8_t key)
    {
        Platform::Test::InjectKey(key, true);
        Tick();
        Platform::Test::InjectKey(key, false);
        Tick();
    }

    std::unique_ptr<Game> game;
    Vector2 origin;
    Vector2 scale{0, 0};
};

TEST_F(GameStage, FirstRunThroughTheIntroComicsAndTheStageScreenToTheFirstLevel)
{
    game = std::make_unique<Game>("Brindlemoor", "Quorvane");

    ASSERT_TRUE(WaitFor([this] { return game->welcomeWindow && game->welcomeWindow->shown; }));
    auto* welcome = dynamic_cast<GUIWelcomeWindow*>(game->welcomeWindow.get());
    ASSERT_TRUE(WaitFor([welcome] { return welcome->AcceptsInput() && welcome->GetAlpha() >= 1.0f; }));
    for (const char* letter : {"M", "i", "r", "a"}) {
        Platform::Test::InjectText(letter);
        Tick();
    }
    PressKey(Platform::DIK_RETURN);
    auto* menu = dynamic_cast<GUIMainMenuWindow*>(game->mainMenuWindow.get());
    ASSERT_TRUE(WaitFor([menu] {
        return menu->AcceptsInput() && menu->GetAlpha() >= 1.0f && menu->GetMenuAnchor()->animationControl &&
               menu->GetMenuAnchor()->animationControl->play == 0;
    }));
    auto* profile = dynamic_cast<Profile*>(game->profiles->GetCurrentProfile());
    ASSERT_NE(profile, nullptr);
    EXPECT_TRUE(profile->introComicPending);

    // Start: a new profile sees the intro comics first; each click moves on a page.
    Click(menu->GetStartButton());
    auto* stage = dynamic_cast<GUIStartGameLogicWindow*>(game->startGameLogicWindow.get());
    ASSERT_NE(stage, nullptr);
    ASSERT_TRUE(WaitFor([stage] { return stage->GetComicsViewer() != nullptr; }));
    EXPECT_FALSE(profile->introComicPending);
    EXPECT_FALSE(menu->IsShown());
    for (int i = 0; i < 600 && stage->GetComicsViewer() != nullptr; ++i) {
        Platform::Test::InjectMouseButton(0, i % 2 == 0);
        Tick();
    }
    Platform::Test::InjectMouseButton(0, false);
    ASSERT_EQ(stage->GetComicsViewer(), nullptr);

    // The stage screen: day 1 circled, the first stage's intro typed out; a key shows it whole.
    ASSERT_TRUE(WaitFor([stage] {
        return stage->IsShown() && stage->GetAlpha() >= 1.0f && stage->GetCalendarModel()->animationControl &&
               stage->GetCalendarModel()->animationControl->play == 0;
    }));
    EXPECT_EQ(stage->GetDialogMode(), GUIStartGameLogicWindow::DialogMode::StageIntro);
    EXPECT_EQ(stage->GetCurrentDay(), 0);
    EXPECT_TRUE(stage->GetCircleModels()[0]->flags & ModelFlag::active);
    EXPECT_FALSE(stage->GetCrossModels()[0]->flags & ModelFlag::active);
    PressKey(Platform::DIK_SPACE);
    EXPECT_GT(stage->GetLinesShown(), 0u);

    // Start: the first level of the first stage goes to the level-loading screen.
    Click(stage->GetStartButton());
    ASSERT_TRUE(WaitFor([this] { return !game->startGameLogicWindow->shown; }));
    if (game->gameLogicLoadingWindow) {
        EXPECT_TRUE(game->gameLogicLoadingWindow->shown);
    }
    EXPECT_TRUE(GameFramework::IsSamePosition(profile->currentPosition, {0, 0}));
    {
        ProfileManager saved(*game->engine, nullptr, world.UserRoot(), nullptr);
        auto* stored = dynamic_cast<Profile*>(saved.GetCurrentProfile());
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(stored->name, u"Mira");
        EXPECT_FALSE(stored->introComicPending);
        EXPECT_TRUE(GameFramework::IsSamePosition(stored->currentPosition, {0, 0}));
    }

    game->engine->RequestExit();
    game.reset();
    std::string log = TempFolder::ReadFile(world.UserRoot() + "/Brindlemoor.html");
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log.substr(log.find("Error: "), 300);

    // A second run: the main menu; Start goes straight to the stage screen (the comics has been seen),
    // with the new-game text on day 1; back to the menu and out through the exit question.
    game = std::make_unique<Game>("Brindlemoor", "Quorvane");
    menu = nullptr;
    ASSERT_TRUE(WaitFor([this] { return game->mainMenuWindow && game->mainMenuWindow->shown; }));
    menu = dynamic_cast<GUIMainMenuWindow*>(game->mainMenuWindow.get());
    ASSERT_TRUE(WaitFor([menu] {
        return menu->AcceptsInput() && menu->GetAlpha() >= 1.0f && menu->GetMenuAnchor()->animationControl &&
               menu->GetMenuAnchor()->animationControl->play == 0;
    }));
    EXPECT_EQ(game->profiles->GetCurrentProfile()->name, u"Mira");
    Click(menu->GetStartButton());
    stage = dynamic_cast<GUIStartGameLogicWindow*>(game->startGameLogicWindow.get());
    ASSERT_TRUE(WaitFor([stage] { return stage->IsShown() && stage->GetAlpha() >= 1.0f; }));
    EXPECT_EQ(stage->GetComicsViewer(), nullptr);
    EXPECT_EQ(stage->GetDialogMode(), GUIStartGameLogicWindow::DialogMode::NewGame);
    EXPECT_EQ(stage->GetCurrentDay(), 0);
    ASSERT_TRUE(WaitFor([stage] {
        return stage->GetCalendarModel()->animationControl && stage->GetCalendarModel()->animationControl->play == 0;
    }));
    Click(stage->GetBackButton());
    ASSERT_TRUE(WaitFor([menu] {
        return menu->AcceptsInput() && menu->GetAlpha() >= 1.0f && menu->GetMenuAnchor()->animationControl &&
               menu->GetMenuAnchor()->animationControl->play == 0;
    }));
    EXPECT_FALSE(game->startGameLogicWindow->shown);
    Click(menu->GetExitButton());
    auto* exit = dynamic_cast<GUIExitWindow*>(game->exitWindow.get());
    ASSERT_TRUE(WaitFor([exit] { return exit->AcceptsInput() && exit->GetAlpha() >= 1.0f; }));
    Click(exit->GetYesButton());
    EXPECT_TRUE(WaitFor([this] { return game->engine->IsExitRequested(); }));
    game.reset();
    log = TempFolder::ReadFile(world.UserRoot() + "/Brindlemoor.html");
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log.substr(log.find("Error: "), 300);
}

} // namespace
