// A whole level on the real game: the game object starts stage 1 level 1 through the level flow (the
// way the stage screen starts a level), a scripted player finds valid swaps on the board and makes them
// with injected mouse clicks until the level is won, the tally runs, the profile holds the result and
// the log has no error line.

#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "framework/GameLogicBase.h"
#include "framework/LevelManagerBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManager.h"
#include "game/board/BasketProgress.h"
#include "game/board/CellManager.h"
#include "game/board/ChipManager.h"
#include "game/board/GameLogic.h"
#include "game/board/GameLogicBackground.h"
#include "game/board/LevelComplete.h"
#include "game/board/model/ConnectionManager.h"
#include "game/board/model/LevelProgress.h"
#include "game/screens/GUITipWindow.h"
#include "platform/window/WindowTest.h"
#include "tests/engine/core/devices/DeviceFixture.h"
#include "tests/game/app/GameWorld.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

using namespace Petalwork;
using GameFramework::LevelState;
using VantoranEngine::Vector2;

namespace {

class LevelPlay : public ::testing::Test {
protected:
    GameWorld world; // first: it outlives the game

    void Tick()
    {
        DeviceTesting::PumpMessages();
        game->Tick();
    }

    bool WaitFor(const std::function<bool()>& done, int ticks = 3000)
    {
        for (int i = 0; i < ticks; ++i) {
            if (done())
                return true;
            Tick();
        }
        return done();
    }

    // GUI units (y up) to the window's pixels (y down), measured by moving the pointer to two pixels.
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

    void Click(const VantoranEngine::GUIWindow* window)
    {
        const Vector2 corner = window->GetAbsolutePosition();
        Click(BoardPoint{corner.x + window->size.x / 2.0f, corner.y + window->size.y / 2.0f});
    }

    void Click(BoardPoint at)
    {
        MoveTo(at.x, at.y);
        Tick();
        Platform::Test::InjectMouseButton(0, true);
        Tick();
        Platform::Test::InjectMouseButton(0, false);
        Tick();
    }

    GameLogic* Level() const { return dynamic_cast<GameLogic*>(game->level.get()); }

    // The board rests: no chip moves, no move is being resolved, the board is shown.
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

    // The first swap in link order that makes a group, found on the board model.
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
    Vector2 scale;
};

} // namespace

TEST_F(LevelPlay, AScriptedPlayerWinsStageOneLevelOneThroughTheMouse)
{
    game = std::make_unique<Game>("Brindlemoor", "Quorvane");
    // The first run ends on the welcome dialog; the player's profile is made behind it.
    ASSERT_TRUE(WaitFor([&] { return game->welcomeWindow != nullptr && game->welcomeWindow->shown; }));
    GameFramework::ProfileBase* profile = game->profiles->CreateProfile(u"Bot");
    ASSERT_NE(profile, nullptr);
    game->profiles->SetCurrentProfile(profile);
    game->profiles->Save();
    game->welcomeWindow->Hide();

    // The stage screen's start: the level's bundle is prepared and the level loading screen shown.
    game->PrepareLevelData();
    game->gameLogicLoadingWindow->Show(game->levelData.get());
    ASSERT_TRUE(WaitFor([&] { return Level() != nullptr; }));
    GameLogic* level = Level();
    EXPECT_EQ(level->GetPosition().stage, 0u);
    EXPECT_EQ(level->GetPosition().level, 0u);
    ASSERT_NE(game->levelBackground, nullptr);
    EXPECT_TRUE(game->levelBackground->IsVisible());

    // The level's tips hold the board until the player has paged through them.
    GUITipWindow& tips = level->GetTipWindow();
    ASSERT_FALSE(tips.IsFinished());
    while (!tips.IsFinished()) {
        ASSERT_TRUE(WaitFor([&] { return tips.AcceptsInput() && tips.GetState() == GUITipWindow::PageState::Shown; }));
        ASSERT_NE(tips.GetOkButton(), nullptr);
        Click(tips.GetOkButton());
        ASSERT_TRUE(WaitFor([&] { return tips.GetState() != GUITipWindow::PageState::Shown || tips.IsFinished(); }));
    }

    int moves = 0;
    while (!level->GetLevelProgress().done && moves < 400) {
        ASSERT_TRUE(WaitFor([&] { return Resting() || level->GetLevelProgress().done; })) << "after " << moves;
        if (level->GetLevelProgress().done)
            break;
        const auto move = FindMove();
        ASSERT_TRUE(move.has_value()) << "no move after " << moves;
        const int32_t before = level->GetScoreKeeper().total;
        Click(move->first->centre);
        Click(move->second->centre);
        ++moves;
        ASSERT_TRUE(WaitFor([&] { return level->GetScoreKeeper().total > before; }, 600))
            << "the swap scored nothing, move " << moves;
    }
    ASSERT_TRUE(level->GetLevelProgress().done);

    // The end sequence and the tally; the game object acts on the won state and keeps the level.
    ASSERT_TRUE(WaitFor([&] { return level->tallyRunning; }));
    ASSERT_TRUE(WaitFor([&] { return level->GetState() == LevelState::Won; }));
    Tick();
    EXPECT_FALSE(level->IsChanged());
    EXPECT_TRUE(level->GetLevelComplete().done);
    const auto& items = level->GetLevelComplete().Items();
    EXPECT_EQ(static_cast<ProfileManager*>(game->profiles.get())->GetLevelRecord({0, 0}),
              static_cast<int32_t>(items.size()));
    EXPECT_EQ(profile->currentPosition.level, 1u);
    EXPECT_GE(profile->totalScore, 3000);

    // The next level of the stage keeps the background, butterflies and all; a level of another stage
    // gets its own.
    GameLogicBackground* background = game->levelBackground.get();
    const auto& levels = *game->levels;
    std::unique_ptr<GameFramework::GameLogicBase> next = game->CreateGameLogic(levels.GetStage(0), levels.GetLevel({0, 1}), 0);
    EXPECT_EQ(game->levelBackground.get(), background);
    EXPECT_TRUE(background->IsVisible());
    next.reset();
    next = game->CreateGameLogic(levels.GetStage(1), levels.GetLevel({1, 0}), 0);
    ASSERT_NE(game->levelBackground, nullptr);
    EXPECT_EQ(game->levelBackground->level.stageIndex, 1u);
    next.reset();

    const std::string logPath = world.UserRoot() + "/Brindlemoor.html";
    game.reset();
    const std::string log = TempFolder::ReadFile(logPath);
    EXPECT_NE(log.find("Loading level 1-1..."), std::string::npos);
    EXPECT_NE(log.find("Level resources loaded in"), std::string::npos);
    const size_t error = log.find("Error: ");
    EXPECT_EQ(error, std::string::npos) << log.substr(error == std::string::npos ? 0 : error, 300);
}
