// The game's dialogs on the real game object and its default data, in an offscreen window: the factories
// make every front-end and in-level dialog under its layer, the hidden hover sequence of the main menu
// opens the credits through the game object, their end brings the menu back, and the game shuts down
// with its dialogs and a clean log. Driven by injected mouse events only.

#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "framework/GUILogosWindowBase.h"
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

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <utility>

using namespace VantoranEngine;
using namespace Petalwork;

namespace {

class FrontEnd : public ::testing::Test {
protected:
    FrontEnd()
    {
        ::setenv("XDG_DATA_HOME", folder.Path().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (folder.Path() + "/config").c_str(), 1);
        Platform::RegistryTest::Reset();
        Platform::RegistryTest::InjectValue(Platform::RegistryRoot::LocalMachine, "SOFTWARE\\Quorvane\\Brindlemoor",
                                            "InstallPath", Platform::RegistryType::String,
                                            std::string(BRINDLE_GAME_FOLDER) + '\0');
        Platform::Test::SetForceFocus(true);
    }
    ~FrontEnd() override
    {
        Platform::Test::SetForceFocus(false);
        Platform::RegistryTest::Reset();
        Platform::Test::ResetInput();
    }

    std::string UserRoot() const { return folder.Path() + "/Quorvane/Brindlemoor"; }

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

    void MoveTo(const GUIWindow* window)
    {
        const Vector2 corner = window->GetAbsolutePosition();
        MoveTo(corner.x + window->size.x / 2.0f, corner.y + window->size.y / 2.0f);
    }
    // GUI units (800 x 600, y up) to the pixels of the game's window (y down): the mapping is measured by
    // moving the pointer to two known pixels, as the window may be full screen at the display's size.
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
        MoveTo(window);
        Tick();
        Platform::Test::InjectMouseButton(0, true);
        Tick();
        Platform::Test::InjectMouseButton(0, false);
        Tick();
    }

    template <typename Dialog, typename Base>
    static Dialog* As(const std::unique_ptr<Base>& window)
    {
        return dynamic_cast<Dialog*>(window.get());
    }

    bool MenuSettled()
    {
        auto* menu = As<GUIMainMenuWindow>(game->mainMenuWindow);
        return WaitFor([menu] {
            return menu->AcceptsInput() && menu->GetAlpha() >= 1.0f && menu->GetMenuAnchor()->animationControl &&
                   menu->GetMenuAnchor()->animationControl->play == 0;
        });
    }

    TempFolder folder;
    std::unique_ptr<Game> game;
    Vector2 origin;         // GUI position of pixel (0, 0)
    Vector2 scale{0, 0};    // GUI units per pixel; 0 until measured
};

TEST_F(FrontEnd, FactoriesMakeTheDialogsAndTheHoverSequenceRunsTheCreditsThroughTheGame)
{
    game = std::make_unique<Game>("Brindlemoor", "Quorvane");
    // The start-up screens stay out of the way: once the logos ended they would make the dialogs again.
    game->logosWindow->Hide();
    for (int i = 0; i < 5; ++i)
        Tick();
    ASSERT_NE(game->GetGameData()->windowSmallMaterial, nullptr); // the bundle is loaded
    game->profiles->SetCurrentProfile(game->profiles->CreateProfile(u"Anna"));
    game->CreateWindows();

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

    auto* menu = As<GUIMainMenuWindow>(game->mainMenuWindow);
    game->ShowMenuBackground(); // as the end of the start-up loading does
    game->mainMenuWindow->Show();
    ASSERT_TRUE(MenuSettled()) << "menu shown " << menu->IsShown() << " visible " << menu->IsFrameVisible();
    for (int round = 0; round < 3; ++round) {
        for (const GUIWindow* button : {static_cast<const GUIWindow*>(menu->GetStartButton()),
                                        static_cast<const GUIWindow*>(menu->GetHighScoresButton()),
                                        static_cast<const GUIWindow*>(menu->GetOptionsButton()),
                                        static_cast<const GUIWindow*>(menu->GetExitButton())}) {
            MoveTo(button);
            for (int i = 0; i < 3; ++i)
                Tick();
        }
    }
    GUICreditsWindow* credits = game->creditsWindow.get();
    ASSERT_TRUE(WaitFor([credits] { return credits->IsShown(); }))
        << "rounds " << menu->GetHoverCount() << " step " << menu->GetSequenceStep();
    ASSERT_TRUE(WaitFor([credits] { return credits->GetPageState() == GUICreditsWindow::PageState::Shown; }));
    EXPECT_FALSE(menu->IsShown());
    MoveTo(40.0f, 560.0f); // off the menu's buttons
    Click(credits->GetOkButton());
    ASSERT_TRUE(WaitFor([credits] {
        return credits->GetPageIndex() == 1 && credits->GetPageState() == GUICreditsWindow::PageState::Shown;
    }));
    Click(credits->GetOkButton());
    ASSERT_TRUE(MenuSettled());
    EXPECT_FALSE(credits->IsShown());

    game->engine->RequestExit();
    Tick();
    game.reset();
    const std::string log = TempFolder::ReadFile(UserRoot() + "/Brindlemoor.html");
    EXPECT_NE(log.find("Exiting..."), std::string::npos);
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log.substr(log.find("Error: "), 300);
}

} // namespace
