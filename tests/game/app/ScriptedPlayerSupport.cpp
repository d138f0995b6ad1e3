#include "ScriptedPlayer.h"

#include "game/app/Game.h"

#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/GUILevelCompleteWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GUIStageCompleteWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/board/BasketProgress.h"
#include "game/board/CellManager.h"
#include "game/board/ChipManager.h"
#include "game/board/GameLogic.h"
#include "game/board/model/ConnectionManager.h"
#include "game/board/model/LevelProgress.h"
#include "game/screens/GUIOrderWindow.h"
#include "game/screens/GUIRelaxModeWindow.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "game/screens/GUITipWindow.h"
#include "platform/os/Clock.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowTest.h"

#include <algorithm>
#include <cmath>
#include <vector>

using namespace Petalwork;
using GameFramework::LevelState;
using VantoranEngine::Vector2;

namespace {

// Any pair of pages shown at once is paged: the OK button of the first that takes input.
bool PressPage(ScriptedPlayer& player, GUITipPagesWindow* pages)
{
    if (pages == nullptr || pages->IsFinished() || pages->GetState() != GUITipPagesWindow::PageState::Shown ||
        !pages->AcceptsInput() || pages->GetOkButton() == nullptr)
        return false;
    player.Click(pages->GetOkButton());
    return true;
}


// The line end of `cell`'s column nearest to it: a column is the cells of one x, and its chips fall
// towards that end. Null where the column has none.
const CellLogic* LineEnd(const CellLogic& cell, const std::vector<CellLogic*>& cells)
{
    const CellLogic* end = nullptr;
    for (const CellLogic* e : cells)
        if (e->lineEnd && std::fabs(e->centre.x - cell.centre.x) <= 1.0f &&
            (end == nullptr || std::fabs(e->centre.y - cell.centre.y) < std::fabs(end->centre.y - cell.centre.y)))
            end = e;
    return end;
}

// Whether `c` lies in `from`'s column between `from` (excluded) and its line end `end` (included).
bool Below(const CellLogic& c, const CellLogic& from, const CellLogic& end)
{
    if (std::fabs(c.centre.x - from.centre.x) > 1.0f || &c == &from)
        return false;
    const float low = std::min(from.centre.y, end.centre.y);
    const float high = std::max(from.centre.y, end.centre.y);
    return c.centre.y >= low - 1.0f && c.centre.y <= high + 1.0f;
}

// How much removing `group` serves the level's goal: the bonus chips it sets off and makes, the tile
// layers it breaks, the frozen chips it thaws, the stones it brings down, the chips of the target kind
// it takes; 0 for the goals any group serves alike, so the first move in link order stays the choice.
int GoalValue(const std::vector<CellLogic*>& group, const std::vector<CellLogic*>& cells, const LevelProgress& goal)
{
    constexpr int stonesGoal = 3, effectsGoal = 4, frozenGoal = 5, chainsGoal = 6, layersGoal = 7;
    int value = 0;
    switch (goal.goalKind) {
    case effectsGoal:
    case chainsGoal:
        // A bonus chip in the group goes off (an effect, and the falls of a chain); four or more make one.
        for (const CellLogic* c : group)
            value += c->chip != nullptr && c->chip->bonus != BonusKind::None ? 100 : 0;
        value += group.size() >= 4 ? 10 * static_cast<int>(group.size()) : 0;
        if (goal.goalKind == chainsGoal) {
            // A chain wants groups that fall into place: the more chips come down, the likelier one.
            for (const CellLogic* c : group) {
                const CellLogic* end = LineEnd(*c, cells);
                if (end == nullptr)
                    continue;
                value += static_cast<int>(std::count_if(cells.begin(), cells.end(), [&](const CellLogic* above) {
                    return above->HasTile() && Below(*c, *above, *end);
                }));
            }
        }
        break;
    case layersGoal:
        for (const CellLogic* c : group)
            value += c->Layers();
        break;
    case frozenGoal:
        for (const CellLogic* c : group)
            value += c->chip != nullptr && c->chip->frozen ? 1 : 0;
        break;
    case stonesGoal:
        // A stone falls by the cells emptied below it and leaves at its line end: a stone the move brings
        // down to the end counts most, then every cell of fall.
        for (const CellLogic* stone : cells) {
            if (stone->chip == nullptr || !stone->chip->IsStone())
                continue;
            const CellLogic* end = LineEnd(*stone, cells);
            if (end == nullptr)
                continue;
            const auto emptied = std::count_if(group.begin(), group.end(),
                                               [&](const CellLogic* c) { return Below(*c, *stone, *end); });
            const auto steps = std::count_if(cells.begin(), cells.end(), [&](const CellLogic* c) {
                return c->HasTile() && Below(*c, *stone, *end);
            });
            value += static_cast<int>(emptied) + (emptied > 0 && emptied >= steps ? 10 : 0);
        }
        break;
    case LevelProgress::targetKindGoal:
        for (const CellLogic* c : group)
            value += c->chip != nullptr && static_cast<int32_t>(c->chip->flowerKind) == goal.targetKind ? 1 : 0;
        break;
    default:
        break;
    }
    return value;
}

} // namespace

ScriptedPlayer::ScriptedPlayer(bool testClock_) : testClock(testClock_)
{
    // A start far from 0, so every timer made later reads forward from it.
    if (testClock)
        Platform::UseManualClock(1'000'000'000'000ull);
}

ScriptedPlayer::~ScriptedPlayer()
{
    Stop();
    if (testClock)
        Platform::UseRealClock();
}

bool ScriptedPlayer::Fail(const std::string& reason)
{
    failure = reason;
    return false;
}

bool ScriptedPlayer::StartWithNewProfile(const std::u16string& name)
{
    game = std::make_unique<Game>("Brindlemoor", "Quorvane");
    // The first run ends on the welcome dialog; the player's profile is made behind it.
    if (!WaitFor([&] { return game->welcomeWindow != nullptr && game->welcomeWindow->shown; }))
        return Fail("the welcome dialog did not come up");
    GameFramework::ProfileBase* profile = game->profiles->CreateProfile(name);
    if (profile == nullptr)
        return Fail("the profile was not made");
    game->profiles->SetCurrentProfile(profile);
    game->profiles->Save();
    game->welcomeWindow->Hide();
    return true;
}

bool ScriptedPlayer::StartExisting()
{
    game = std::make_unique<Game>("Brindlemoor", "Quorvane");
    if (!WaitFor([&] { return game->mainMenuWindow != nullptr && game->mainMenuWindow->shown; }))
        return Fail("the main menu did not come up");
    return true;
}

void ScriptedPlayer::Stop()
{
    game.reset();
}

void ScriptedPlayer::Tick()
{
    if (testClock)
        Platform::AdvanceManualClock(testFrameNanoseconds);
    Platform::MSG message;
    while (Platform::PeekMessageA(&message, nullptr, 0, 0, Platform::PM_REMOVE)) {
        Platform::TranslateMessage(&message);
        Platform::DispatchMessageA(&message);
    }
    game->Tick();
    ++ticks;
}

bool ScriptedPlayer::WaitFor(const std::function<bool()>& done, int budget)
{
    for (int i = 0; i < budget; ++i) {
        if (done())
            return true;
        Tick();
    }
    return done();
}

// GUI units (y up) to the window's pixels (y down), measured by moving the pointer to two pixels.
void ScriptedPlayer::MoveTo(float x, float y)
{
    if (scaleX == 0.0f || scaleY == 0.0f) {
        Platform::Test::InjectMouseMotion(0, 0, 0, 0);
        Tick();
        const Vector2 origin = game->guiManager->GetCursorPosition();
        Platform::Test::InjectMouseMotion(500, 400, 0, 0);
        Tick();
        const Vector2 far = game->guiManager->GetCursorPosition();
        originX = origin.x;
        originY = origin.y;
        scaleX = (far.x - origin.x) / 500.0f;
        scaleY = (far.y - origin.y) / 400.0f;
    }
    Platform::Test::InjectMouseMotion(static_cast<int>(std::lround((x - originX) / scaleX)),
                                      static_cast<int>(std::lround((y - originY) / scaleY)), 0, 0);
}

void ScriptedPlayer::Click(const VantoranEngine::GUIWindow* window)
{
    const Vector2 corner = window->GetAbsolutePosition();
    Click(BoardPoint{corner.x + window->size.x / 2.0f, corner.y + window->size.y / 2.0f});
}

void ScriptedPlayer::Click(BoardPoint at)
{
    MoveTo(at.x, at.y);
    Tick();
    Platform::Test::InjectMouseButton(0, true);
    Tick();
    Platform::Test::InjectMouseButton(0, false);
    Tick();
}

GameLogic* ScriptedPlayer::Level() const
{
    return game ? dynamic_cast<GameLogic*>(game->level.get()) : nullptr;
}

bool ScriptedPlayer::Resting() const
{
    const GameLogic* level = Level();
    if (!level)
        return false;
    const CellManager& cells = level->GetCellManager();
    return cells.boardPhase == CellManagerLogic::Phase::Shown && cells.allChipsIdle && cells.boardFullAndIdle &&
           cells.swapPairs.empty() && cells.changedLines.empty() && cells.moveEndDelay < 0.0f &&
           level->GetChipManager().allIdle && !level->GetChipManager().whirlActive && cells.selected == nullptr;
}

std::optional<std::pair<CellLogic*, CellLogic*>> ScriptedPlayer::FindMove(size_t skip) const
{
    ConnectionManager& links = Level()->GetConnectionManager();
    const std::vector<CellLogic*>& cells = Level()->GetCellManager().cells;
    const LevelProgress& goal = Level()->GetLevelProgress();
    struct Move {
        CellLogic* a;
        CellLogic* b;
        int value;
    };
    std::vector<Move> moves;
    for (const auto& link : links.connections) {
        CellLogic* a = link.from;
        CellLogic* b = link.to;
        if (a == b || link.kind != 0 || !ConnectionManager::Swappable(*a, *b) || a->chip->state != ChipState::Idle ||
            b->chip->state != ChipState::Idle)
            continue;
        std::swap(a->chip, b->chip);
        std::vector<CellLogic*> group;
        if (links.CountMatch(*a, false) > 0)
            group = links.group;
        if (links.CountMatch(*b, false) > 0)
            group.insert(group.end(), links.group.begin(), links.group.end());
        std::sort(group.begin(), group.end());
        group.erase(std::unique(group.begin(), group.end()), group.end());
        const int value = group.empty() ? 0 : GoalValue(group, cells, goal);
        std::swap(a->chip, b->chip);
        for (CellLogic* c : cells)
            c->visited = false;
        if (!group.empty())
            moves.push_back({a, b, value});
    }
    if (moves.empty())
        return std::nullopt;
    std::stable_sort(moves.begin(), moves.end(), [](const Move& x, const Move& y) { return x.value > y.value; });
    const Move& move = moves[skip % moves.size()];
    return std::make_pair(move.a, move.b);
}

bool ScriptedPlayer::StartLevel()
{
    if (game->level != nullptr)
        return Fail("a level is still running");
    auto loading = [&] { return Level() != nullptr || game->gameLogicLoadingWindow->shown; };
    auto* stageScreen = dynamic_cast<GUIStartGameLogicWindow*>(game->startGameLogicWindow.get());
    if (stageScreen != nullptr && game->startGameLogicWindow->shown) {
        // After a level that was not its stage's last the stage screen starts the next one by itself;
        // between stages the player presses Start, which also pages through what the screen tells.
        int frame = 0;
        WaitFor([&] {
            if (loading())
                return true;
            if (++frame % 10 == 0 && stageScreen->AcceptsInput() && stageScreen->GetStartButton() != nullptr)
                Click(stageScreen->GetStartButton());
            return loading();
        }, 1500);
        if (!loading()) {
            // The planting between stages wants a click on a flower in the garden, which this player
            // does not aim at: the stage change is made as the screen makes it once the flower is in.
            GameFramework::ProfileBase* profile = game->profiles->GetCurrentProfile();
            if (stageScreen->advancePending) {
                const GameFramework::LevelPosition next = stageScreen->nextPosition;
                const bool final = GameFramework::IsSamePosition(next, profile->currentPosition);
                GameFramework::SetProfilePosition(next, *profile);
                GameFramework::UpdateBestPosition(next, final, *profile);
                stageScreen->advancePending = false;
                profile->Save();
            }
            stageScreen->Hide();
        }
    }
    if (!loading()) {
        game->PrepareLevelData();
        game->gameLogicLoadingWindow->Show(game->levelData.get());
    }
    if (!WaitFor([&] { return Level() != nullptr; }))
        return Fail("the level did not load");
    livesAtStart = Level()->lives;
    return true;
}

bool ScriptedPlayer::PassLevelDialogs()
{
    GameLogic* level = Level();
    GUITipWindow& tips = level->GetTipWindow();
    while (!tips.IsFinished()) {
        if (!WaitFor([&] { return tips.IsFinished() || PressPage(*this, &tips); }))
            return Fail("the level's tips did not take the OK button");
    }
    return true;
}

bool ScriptedPlayer::AnswerDialogs()
{
    GameLogic* level = Level();
    if (level == nullptr)
        return false;
    if (GUIRelaxModeWindow* relax = level->GetRelaxModeWindow();
        relax != nullptr && relax->AcceptsInput() && !relax->IsAnswered() && relax->GetNoButton() != nullptr) {
        Click(relax->GetNoButton());
        return true;
    }
    return PressPage(*this, level->GetOrderWindow()) || PressPage(*this, &level->GetTipWindow());
}

bool ScriptedPlayer::PlayToWin(LevelRun& run)
{
    GameLogic* level = Level();
    size_t misses = 0; // swaps in a row that scored nothing
    while (!level->GetLevelProgress().done) {
        if (run.moves >= moveLimit)
            return Fail("no win after " + std::to_string(run.moves) + " moves");
        if (level->GetState() != LevelState::Playing && level->GetState() != LevelState::Paused)
            return Fail("the level ended unwon after " + std::to_string(run.moves) + " moves");
        if (!WaitFor([&] { return AnswerDialogs() || Resting() || level->GetLevelProgress().done ||
                                  level->GetState() == LevelState::Lost; }))
            return Fail("the board did not come to rest after " + std::to_string(run.moves) + " moves");
        if (level->GetLevelProgress().done || !Resting())
            continue;
        const auto move = FindMove(misses);
        if (!move) {
            // The board is shuffled when it has no move left; give it the frames to do so.
            if (!WaitFor([&] { return FindMove().has_value() || level->GetLevelProgress().done; }, 300))
                return Fail("no move on the board after " + std::to_string(run.moves) + " moves");
            continue;
        }
        const int32_t before = level->GetScoreKeeper().total;
        const int livesBefore = level->lives;
        Click(move->first->centre);
        Click(move->second->centre);
        ++run.moves;
        if (!WaitFor([&] { return level->GetScoreKeeper().total != before || level->GetLevelProgress().done ||
                                  level->lives < livesBefore; }, 600)) {
            if (++misses > missLimit)
                return Fail("the swap of move " + std::to_string(run.moves) + " scored nothing");
        } else if (level->GetScoreKeeper().total == before && !level->GetLevelProgress().done) {
            // The clock ran out during the clicks: the life spent dropped the selection and shuffled the
            // board, so the swap was never made. It is found again on the new board.
            --run.moves;
        } else {
            misses = 0;
        }
    }
    // The end sequence and the tally, the order tips where the level shows them.
    if (!WaitFor([&] {
            AnswerDialogs();
            return level->GetState() == LevelState::Won;
        }))
        return Fail("the goal was reached but the level was not won");
    run.score = level->GetScoreKeeper().total;
    run.gameSeconds = level->levelTime;
    run.livesLost = std::max(0, livesAtStart - level->lives);
    run.stage = level->GetPosition().stage;
    run.level = level->GetPosition().level;
    return true;
}

bool ScriptedPlayer::CloseWonLevel()
{
    // Each overlay takes a press once it has been shown for a moment; pressing now and then reaches both.
    int frame = 0;
    if (!WaitFor([&] {
            if (game->level == nullptr)
                return true;
            if (++frame % 8 == 0) {
                const bool overlay = (game->levelCompleteWindow && game->levelCompleteWindow->shown) ||
                                     (game->stageCompleteWindow && game->stageCompleteWindow->shown);
                if (overlay)
                    Click(BoardPoint{400.0f, 300.0f});
            }
            return game->level == nullptr;
        }))
        return Fail("the won level was not closed");
    return true;
}

bool ScriptedPlayer::PlayLevel(LevelRun& run)
{
    return StartLevel() && PassLevelDialogs() && PlayToWin(run) && CloseWonLevel();
}
