// The way into the first level on the real game and the default data, in an offscreen window, driven by
// injected mouse and keys: a first run through the welcome dialog, Start on the main menu, the intro
// comics clicked through, the stage screen with the first day circled and the stage's intro typed, and
// Start there, which hands the first level of the first stage to the level-loading screen. The profile
// file remembers that the comics was seen and where the player stands. A scripted player wins the level;
// after the tally the stage screen passes straight on to level 2. A second run continues the saved game
// from the main menu at level 2. The log has no error line.

#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/GUILevelCompleteWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/Profile.h"
#include "framework/ProfileManager.h"
#include "game/board/CellManager.h"
#include "game/board/ChipManager.h"
#include "game/board/GameLogic.h"
#include "game/board/model/ConnectionManager.h"
#include "game/board/model/LevelProgress.h"
#include "game/screens/GUIComics.h"
#include "game/screens/GUIContinueGameLogicWindow.h"
#include "game/screens/GUITipWindow.h"
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
#include <optional>
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

    void ClickAt(float x, float y)
    {
        MoveTo(x, y);
        Tick();
        Platform::Test::InjectMouseButton(0, true);
        Tick();
        Platform::Test::InjectMouseButton(0, false);
        Tick();
    }

    GameLogic* Level() const { return dynamic_cast<GameLogic*>(game->level.get()); }

    // No chip moves, no move is being resolved, the board is shown.
    bool Resting() const
    {
        const GameLogic* level = Level();
        if (!level)
            return false;
        const CellManager& cells = level->GetCellManager();
        return cells.boardPhase == CellManagerLogic::Phase::Shown && cells.allChipsIdle && cells.boardFullAndIdle &&
               cells.swapPairs.empty() && cells.changedLines.empty() && cells.moveEndDelay < 0.0f &&
               level->GetChipManager().allIdle && !level->GetChipManager().whirlActive && cells.selected == nullptr;
    }

    // The first swap in link order that makes a group.
    std::optional<std::pair<CellLogic*, CellLogic*>> FindMove() const
    {
        ConnectionManager& links = Level()->GetConnectionManager();
        for (const auto& link : links.connections) {
            CellLogic* a = link.from;
            CellLogic* b = link.to;
            if (a == b || link.kind != 0 || !ConnectionManager::Swappable(*a, *b) ||
                a->chip->state != ChipState::Idle || b->chip->state != ChipState::Idle)
                continue;
            std::swap(a->chip, b->chip);
            const bool found = links.CountMatch(*a, false) + links.CountMatch(*b, false) > 0;
            std::swap(a->chip, b->chip);
            if (found)
                return std::make_pair(a, b);
        }
        return std::nullopt;
    }

    std::unique_ptr<Game> game;
    Vector2 origin;
    Vector2 scale{0, 0};
};

TEST_F(GameStage, FirstRunThroughTheIntroComicsAndTheStageScreenToTheFirstLevelWonThenContinued)
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
    ASSERT_NE(game->gameLogicLoadingWindow, nullptr);
    EXPECT_TRUE(game->gameLogicLoadingWindow->shown);
    EXPECT_TRUE(GameFramework::IsSamePosition(profile->currentPosition, {0, 0}));
    {
        ProfileManager saved(*game->engine, nullptr, world.UserRoot(), nullptr);
        auto* stored = dynamic_cast<Profile*>(saved.GetCurrentProfile());
        ASSERT_NE(stored, nullptr);
        EXPECT_EQ(stored->name, u"Mira");
        EXPECT_FALSE(stored->introComicPending);
        EXPECT_TRUE(GameFramework::IsSamePosition(stored->currentPosition, {0, 0}));
    }

    // The level: its tips paged through, then a scripted player swaps until the goal is met.
    ASSERT_TRUE(WaitFor([this] { return Level() != nullptr; }));
    GameLogic* level = Level();
    EXPECT_TRUE(GameFramework::IsSamePosition(level->GetPosition(), {0, 0}));
    GUITipWindow& tips = level->GetTipWindow();
    while (!tips.IsFinished()) {
        ASSERT_TRUE(WaitFor([&] { return tips.AcceptsInput() && tips.GetState() == GUITipWindow::PageState::Shown; }));
        Click(tips.GetOkButton());
        ASSERT_TRUE(WaitFor([&] { return tips.GetState() != GUITipWindow::PageState::Shown || tips.IsFinished(); }));
    }
    for (int moves = 0; !level->GetLevelProgress().done && moves < 400; ++moves) {
        ASSERT_TRUE(WaitFor([&] { return Resting() || level->GetLevelProgress().done; }));
        if (level->GetLevelProgress().done)
            break;
        const auto move = FindMove();
        ASSERT_TRUE(move.has_value());
        ClickAt(move->first->centre.x, move->first->centre.y);
        ClickAt(move->second->centre.x, move->second->centre.y);
    }
    ASSERT_TRUE(level->GetLevelProgress().done);
    ASSERT_TRUE(WaitFor([&] { return game->levelCompleteWindow->shown; }));
    EXPECT_TRUE(GameFramework::IsSamePosition(profile->currentPosition, {0, 1}));

    // The player's press closes the overlay; the stage screen passes straight through to level 2.
    for (int i = 0; i < 600 && !(Level() != nullptr && Level()->GetPosition().level == 1); ++i) {
        Platform::Test::InjectMouseButton(0, i % 2 == 0);
        Tick();
    }
    Platform::Test::InjectMouseButton(0, false);
    ASSERT_NE(Level(), nullptr);
    EXPECT_TRUE(GameFramework::IsSamePosition(Level()->GetPosition(), {0, 1}));
    EXPECT_FALSE(game->startGameLogicWindow->shown);
    EXPECT_EQ(stage->mode, GameFramework::GUIStartGameLogicWindowBase::Mode::NextLevel);

    game->engine->RequestExit();
    game.reset();
    std::string log = TempFolder::ReadFile(world.UserRoot() + "/Brindlemoor.html");
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log.substr(log.find("Error: "), 300);

    // A second run: Start on the main menu asks whether to continue the saved game; continuing passes the
    // stage screen straight on (no comics again) to level 2.
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
    auto* question = dynamic_cast<GUIContinueGameLogicWindow*>(game->continueGameLogicWindow.get());
    ASSERT_TRUE(WaitFor([question] { return question->AcceptsInput() && question->GetAlpha() >= 1.0f; }));
    EXPECT_EQ(question->GetPositionText(), u"1-2");
    Click(question->GetContinueButton());
    ASSERT_TRUE(WaitFor([this] { return Level() != nullptr; }));
    EXPECT_TRUE(GameFramework::IsSamePosition(Level()->GetPosition(), {0, 1}));
    stage = dynamic_cast<GUIStartGameLogicWindow*>(game->startGameLogicWindow.get());
    EXPECT_EQ(stage->GetComicsViewer(), nullptr);
    EXPECT_EQ(stage->mode, GameFramework::GUIStartGameLogicWindowBase::Mode::Continue);
    EXPECT_FALSE(stage->IsFrameVisible());
    game->engine->RequestExit();
    game.reset();
    log = TempFolder::ReadFile(world.UserRoot() + "/Brindlemoor.html");
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log.substr(log.find("Error: "), 300);
}

} // namespace
