// The game's dialogs on the real game object and its default data, in an offscreen window: once the
// start-up screens are through, the factories have made every front-end and in-level dialog under its
// layer, and the game shuts down with them and a clean log.

#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/render/gui/GUIWindow.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "framework/GUIOptionsWindowBase.h"
#include "game/board/GameData.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/screens/GUIContinueGameLogicWindow.h"
#include "game/screens/GUICreditsWindow.h"
#include "game/screens/GUIDeleteProfileWindow.h"
#include "game/screens/GUIExitWindow.h"
#include "game/screens/GUIFlowerHouse.h"
#include "game/screens/GUIGameLogicExitWindow.h"
#include "game/screens/GUIGameLogicMenuWindow.h"
#include "game/screens/GUIHighScoresWindow.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "game/screens/GUINewProfileWindow.h"
#include "game/screens/GUIProfileNameConflictWindow.h"
#include "game/screens/GUIOptionsWindow.h"
#include "game/screens/GUIProfilesWindow.h"
#include "game/screens/GUIRenameProfileWindow.h"
#include "game/screens/GUIWelcomeWindow.h"
#include "platform/os/Registry.h"
#include "platform/window/WindowTest.h"
#include "tests/engine/core/devices/DeviceFixture.h"
#include "TempFolder.h"

#include "tests/game/app/GameWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <utility>

using namespace VantoranEngine;
using namespace Petalwork;

namespace {

class GameDialogs : public ::testing::Test {
protected:
    GameWorld world; // first: it outlives the game

    std::string UserRoot() const { return world.UserRoot(); }

    // One pass of the main loop: the messages, then a tick.
    void Tick()
    {
        DeviceTesting::PumpMessages();
        game->Tick();
    }

    // Ticks until `done` holds; false after 3000 ticks (about 50 s at the display's pace).
    bool WaitFor(const std::function<bool()>& done)
    {
        for (int i = 0; i < 3000; ++i) {
            if (done())
                return true;
            Tick();
        }
        return done();
    }

    template <typename Dialog, typename Base>
    static Dialog* As(const std::unique_ptr<Base>& window)
    {
        return dynamic_cast<Dialog*>(window.get());
    }

    std::unique_ptr<Game> game;
};

TEST_F(GameDialogs, FactoriesMakeEveryDialogUnderItsLayer)
{
    game = std::make_unique<Game>("Brindlemoor", "Quorvane");
    // The logos, the start-up loading, then the first run's welcome dialog: the dialogs exist by then.
    ASSERT_TRUE(WaitFor([this] { return game->welcomeWindow && game->welcomeWindow->shown; }));

    ASSERT_NE(game->flowerHouse, nullptr);
    GUIWindow* dialogs = game->flowerHouse->GetDialogLayer();
    GUIWindow* panel = game->GetGameData()->panelLayerWindow;
    const std::pair<const GUIMenuWindow*, GUIWindow*> expected[] = {
        {As<GUIWelcomeWindow>(game->welcomeWindow), dialogs},
        {As<GUIExitWindow>(game->exitWindow), dialogs},
        {As<GUIMainMenuWindow>(game->mainMenuWindow), dialogs},
        {As<GUIProfilesWindow>(game->profilesWindow), dialogs},
        {As<GUINewProfileWindow>(game->newProfileWindow), dialogs},
        {As<GUIRenameProfileWindow>(game->renameProfileWindow), dialogs},
        {As<GUIDeleteProfileWindow>(game->deleteProfileWindow), dialogs},
        {As<GUIProfileNameConflictWindow>(game->profileNameConflictWindow), dialogs},
        {As<GUIContinueGameLogicWindow>(game->continueGameLogicWindow), dialogs},
        {As<GUIHighScoresWindow>(game->highScoresWindow), dialogs},
        {As<GUIOptionsWindow>(game->optionsWindow), dialogs},
        {As<GUIGameLogicMenuWindow>(game->gameLogicMenuWindow), panel},
        {As<GUIGameLogicExitWindow>(game->gameLogicExitWindow), panel},
        {game->creditsWindow.get(), panel},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        ASSERT_NE(expected[i].first, nullptr);
        EXPECT_EQ(expected[i].first->GetFrame()->GetParent(), expected[i].second);
    }

    game->engine->RequestExit();
    Tick();
    game.reset();
    const std::string log = TempFolder::ReadFile(UserRoot() + "/Brindlemoor.html");
    EXPECT_NE(log.find("Exiting..."), std::string::npos);
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log.substr(log.find("Error: "), 300);
}

} // namespace
