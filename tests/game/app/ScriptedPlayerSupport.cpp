#include "ScriptedPlayer.h"

#include "game/app/Game.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/StringUtils.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/Random.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/GUILevelCompleteWindowBase.h"
#include "framework/GUILoadingWindowBase.h"
#include "framework/GUIMainMenuWindowBase.h"
#include "framework/GUIStageCompleteWindowBase.h"
#include "framework/GUIWelcomeWindowBase.h"
#include "framework/Profile.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/StageInfo.h"
#include "game/board/BasketProgress.h"
#include "game/board/CellManager.h"
#include "game/board/ChipManager.h"
#include "game/board/GameLogic.h"
#include "game/board/ModelPlayer.h"
#include "game/board/Scissors.h"
#include "game/board/model/ConnectionManager.h"
#include "game/board/model/LevelProgress.h"
#include "game/screens/GUIComics.h"
#include "game/screens/GUIContinueGameLogicWindow.h"
#include "game/screens/GUIFlowerHouse.h"
#include "game/screens/GUIGameComics.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "game/screens/GUIOrderWindow.h"
#include "game/screens/GUIRelaxModeWindow.h"
#include "game/screens/GUIStartGameLogicWindow.h"
#include "game/screens/GUITipWindow.h"
#include "game/screens/GUIWelcomeWindow.h"
#include "platform/input/DirectInput.h"
#include "platform/os/Clock.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowTest.h"

#include <algorithm>
#include <array>
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

// The flowers the baskets still want, by kind: the open entries' chips still to send.
std::array<int, stoneKind + 1> Wanted(const GameLogic& level)
{
    std::array<int, stoneKind + 1> wanted{};
    for (const BasketProgress::Entry& entry : level.GetBasketProgress().GetBaskets()) {
        if (entry.basket == nullptr || entry.basket->leaving)
            continue;
        for (const BasketOrderEntry& e : entry.basket->order)
            if (e.open && e.toSend > 0 && e.flowerKind >= 0 && e.flowerKind < static_cast<int>(stoneKind))
                wanted[static_cast<size_t>(e.flowerKind)] += e.toSend;
    }
    return wanted;
}

// How much a swap's forecast resolution serves the level's goal: what the goal counts comes first, then
// the powerups picked up that help it, the bonus chips made, and the chips taken.
int GoalValue(const BoardForecast::Outcome& o, const LevelProgress& goal, const std::array<int, stoneKind + 1>& wanted)
{
    constexpr int pointsGoal = 2, stonesGoal = 3, effectsGoal = 4, frozenGoal = 5, chainsGoal = 6, layersGoal = 7;
    const auto pickedUp = [&](PowerupKind kind) { return o.powerups[static_cast<size_t>(kind)]; };
    const bool baskets = goal.goalKind == 0 || goal.goalKind == 1 || goal.goalKind == 8 || goal.goalKind == 9;
    int value = o.chips + 40 * o.bonusMade + 10 * o.effects + 5 * (o.passes - 1);
    // The tornado takes every chip on the board, thawing and taking stones too; the others help baskets
    // (the horn, the pause) or double what is taken.
    value += 300 * pickedUp(PowerupKind::Tornado) + 150 * pickedUp(PowerupKind::DoubleChip);
    if (baskets)
        value += 300 * pickedUp(PowerupKind::Horn) + 200 * pickedUp(PowerupKind::Pause);
    switch (goal.goalKind) {
    case pointsGoal: value += 10 * o.chips + 50 * o.effects + (o.passes >= 3 ? 200 : 0); break;
    case stonesGoal: value += 1000 * o.stones + 60 * o.stoneFall; break;
    case effectsGoal: value += 1000 * o.effects + 300 * o.bonusMade; break;
    case frozenGoal: value += 1000 * o.frozen; break;
    case chainsGoal: value += (o.passes >= 3 ? 2000 : 0) + 300 * o.passes + 60 * o.bonusMade + 100 * o.effects; break;
    case layersGoal: value += 1000 * o.layers; break;
    case LevelProgress::targetKindGoal:
        value += 1000 * o.kinds[static_cast<size_t>(std::clamp(goal.targetKind, 0, static_cast<int>(stoneKind)))];
        break;
    default:
        if (baskets)
            for (size_t k = 0; k < stoneKind; ++k)
                value += 100 * std::min(o.kinds[k], wanted[k]);
        break;
    }
    return value;
}

// What keeps the board from taking a swap, empty when it takes one (chips flying off the board do not
// hold it up); a failure says why.
std::string Unrest(const GameLogic& level)
{
    const CellManager& cells = level.GetCellManager();
    std::string what;
    auto add = [&](bool busy, const char* name) {
        if (busy)
            what += (what.empty() ? "" : ", ") + std::string(name);
    };
    add(cells.boardPhase != CellManagerLogic::Phase::Shown, "board not shown");
    add(!cells.allChipsIdle, "a chip on a cell moves");
    add(!cells.boardFullAndIdle, "a cell is empty");
    add(!cells.swapPairs.empty(), "a swap is pending");
    add(!cells.changedLines.empty(), "a move line is refilling");
    add(cells.moveEndDelay >= 0.0f, "the move is ending");
    add(level.GetChipManager().whirlActive, "the board whirls");
    add(cells.selected != nullptr, "a cell is selected");
    return what;
}

} // namespace

ScriptedPlayer::ScriptedPlayer(bool testClock_)
    : testClock(testClock_), pointer([this] { Tick(); }, [this] { return game->guiManager->GetCursorPosition(); })
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

void ScriptedPlayer::MakeGame()
{
    game = std::make_unique<Game>("Brindlemoor", "Quorvane");
    // The game seeds its random source from the clock while it is made; a seed given replaces that.
    if (seed)
        VantoranEngine::RandomSeed = *seed;
    // The test clock does not follow real time: waiting for the display's refresh would only slow the run.
    if (testClock)
        game->engine->config->SetValueText("v_vsync", "0");
}

bool ScriptedPlayer::StartWithNewProfile(const std::u16string& name)
{
    MakeGame();
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
    MakeGame();
    if (!WaitFor([&] { return game->mainMenuWindow != nullptr && game->mainMenuWindow->shown; }))
        return Fail("the main menu did not come up");
    return true;
}

bool ScriptedPlayer::StartNewGame(const std::u16string& name)
{
    MakeGame();
    if (!EnterWelcomeName(name))
        return false;
    auto* menu = dynamic_cast<GUIMainMenuWindow*>(game->mainMenuWindow.get());
    if (!ClickUntil(menu->GetStartButton(), [&] { return !menu->IsShown(); }))
        return Fail("Start on the main menu was not taken");
    return PassIntroComics();
}

bool ScriptedPlayer::EnterWelcomeName(const std::u16string& name)
{
    GUIWelcomeWindow* welcome = nullptr;
    if (!WaitFor([&] {
            welcome = dynamic_cast<GUIWelcomeWindow*>(game->welcomeWindow.get());
            return welcome != nullptr && welcome->AcceptsInput() && welcome->GetAlpha() >= 1.0f;
        }))
        return Fail("the welcome dialog did not come up");
    for (const char letter : VantoranEngine::WideToMultiByte(name)) {
        Platform::Test::InjectText(std::string(1, letter));
        Tick();
    }
    PressKey(Platform::DIK_RETURN);
    return WaitForMainMenu();
}

bool ScriptedPlayer::MainMenuReady() const
{
    const auto* menu = dynamic_cast<const GUIMainMenuWindow*>(game->mainMenuWindow.get());
    return menu != nullptr && menu->AcceptsInput() && menu->GetAlpha() >= 1.0f && menu->GetMenuAnchor() != nullptr &&
           menu->GetMenuAnchor()->animationControl && menu->GetMenuAnchor()->animationControl->play == 0;
}

bool ScriptedPlayer::WaitForMainMenu()
{
    if (!WaitFor([&] { return MainMenuReady(); }))
        return Fail("the main menu did not come up");
    return true;
}

bool ScriptedPlayer::ContinueSavedGame()
{
    if (!WaitForMainMenu())
        return false;
    auto* menu = dynamic_cast<GUIMainMenuWindow*>(game->mainMenuWindow.get());
    auto* question = dynamic_cast<GUIContinueGameLogicWindow*>(game->continueGameLogicWindow.get());
    if (question == nullptr)
        return Fail("the game has no saved-game question");
    if (!ClickUntil(menu->GetStartButton(), [&] { return question->AcceptsInput() && question->GetAlpha() >= 1.0f; }))
        return Fail("Start on the main menu did not ask about the saved game");
    if (!ClickUntil(question->GetContinueButton(), [&] { return Level() != nullptr; }))
        return Fail("Continue did not start the saved level");
    livesAtStart = Level()->lives;
    return true;
}

bool ScriptedPlayer::PassIntroComics()
{
    GUIStartGameLogicWindow* stage = StageScreen();
    if (stage == nullptr || !WaitFor([&] { return stage->GetComicsViewer() != nullptr; }, 300))
        return Fail("the intro comics did not start");
    // Each press shows the page whole, so the next frame moves on.
    for (int i = 0; i < 600 && stage->GetComicsViewer() != nullptr; ++i) {
        Platform::Test::InjectMouseButton(0, i % 2 == 0);
        Tick();
    }
    Platform::Test::InjectMouseButton(0, false);
    Tick();
    if (stage->GetComicsViewer() != nullptr)
        return Fail("the intro comics did not end");
    if (!WaitFor([&] { return StageScreenReady(); }))
        return Fail("the stage screen did not follow the intro comics");
    return true;
}

bool ScriptedPlayer::StageScreenReady() const
{
    const GUIStartGameLogicWindow* stage = StageScreen();
    return stage != nullptr && stage->IsShown() && stage->AcceptsInput() && stage->GetAlpha() >= 1.0f &&
           stage->GetCalendarModel()->animationControl && stage->GetCalendarModel()->animationControl->play == 0;
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
    if (game->engine->IsExitRequested())
        quit = true;
}

bool ScriptedPlayer::StandAt(const GameFramework::LevelPosition& at, int32_t totalScore)
{
    auto* profile = dynamic_cast<Profile*>(game->profiles->GetCurrentProfile());
    if (profile == nullptr)
        return Fail("the game has no profile of its own type");
    GameFramework::SetProfilePosition(at, *profile);
    GameFramework::UpdateBestPosition(at, false, *profile);
    for (uint32_t stage = 0; stage < at.stage && stage < profile->perStageValues.size(); ++stage)
        ++profile->perStageValues[stage];
    profile->totalScore = totalScore;
    profile->savedGame = true;
    profile->introComicPending = false;
    return profile->Save() || Fail("the profile was not saved");
}

bool ScriptedPlayer::WaitFor(const std::function<bool()>& done, int budget)
{
    for (int i = 0; i < budget && !quit; ++i) {
        if (done())
            return true;
        Tick();
    }
    return done();
}

void ScriptedPlayer::MoveTo(float x, float y)
{
    pointer.MoveTo(x, y);
}

void ScriptedPlayer::Click(const VantoranEngine::GUIWindow* window)
{
    auto centre = [window] {
        const Vector2 corner = window->GetAbsolutePosition();
        return BoardPoint{corner.x + window->size.x / 2.0f, corner.y + window->size.y / 2.0f};
    };
    // A window can still move in the frame after it looks at rest (a menu frame follows its sliding
    // anchor once more after the slide has stopped), and a slower machine takes bigger steps: the
    // pointer follows the window until it stands still under it, as a hand would, before pressing.
    BoardPoint at = centre();
    for (int step = 0; step < 10; ++step) {
        MoveTo(at.x, at.y);
        Tick();
        const BoardPoint now = centre();
        if (now.x == at.x && now.y == at.y && window->hovered)
            break;
        at = now;
    }
    Press();
}

void ScriptedPlayer::Click(BoardPoint at)
{
    MoveTo(at.x, at.y);
    Tick();
    Press();
}

void ScriptedPlayer::QuickClick(BoardPoint at)
{
    MoveTo(at.x, at.y);
    Tick();
    Platform::Test::InjectMouseButton(0, true);
    Tick();
    // The release goes with the next frame, whatever it brings.
    Platform::Test::InjectMouseButton(0, false);
}

void ScriptedPlayer::Press()
{
    Platform::Test::InjectMouseButton(0, true);
    Tick();
    Platform::Test::InjectMouseButton(0, false);
    Tick();
}

bool ScriptedPlayer::ClickUntil(const VantoranEngine::GUIWindow* window, const std::function<bool()>& done,
                                int attempts)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        Click(window);
        if (WaitFor(done, 600))
            return true;
    }
    return false;
}

void ScriptedPlayer::PressKey(uint8_t directInputKey)
{
    Platform::Test::InjectKey(directInputKey, true);
    Tick();
    Platform::Test::InjectKey(directInputKey, false);
    Tick();
}

GUIStartGameLogicWindow* ScriptedPlayer::StageScreen() const
{
    return game ? dynamic_cast<GUIStartGameLogicWindow*>(game->startGameLogicWindow.get()) : nullptr;
}

GameLogic* ScriptedPlayer::Level() const
{
    return game ? dynamic_cast<GameLogic*>(game->level.get()) : nullptr;
}

bool ScriptedPlayer::ReadyToSwap() const
{
    const GameLogic* level = Level();
    return level != nullptr && Unrest(*level).empty();
}

std::optional<std::pair<CellLogic*, CellLogic*>> ScriptedPlayer::FindMove(size_t skip) const
{
    const std::vector<Move> moves = RankMoves();
    if (moves.empty())
        return std::nullopt;
    const Move& move = moves[skip % moves.size()];
    return std::make_pair(move.a, move.b);
}

BoardForecast ScriptedPlayer::Forecast() const
{
    const GameLogic& level = *Level();
    const GameFramework::StageInfo& stage = level.GetStageInfo();
    return BoardForecast(level.GetCellManager().cells, level.GetConnectionManager(), level.GetMoveLineManager(),
                         stage.volumeBombsAllowed, stage.lineBombsAllowed, stage.randomDestructionAllowed);
}

std::vector<ScriptedPlayer::Move> ScriptedPlayer::RankMoves() const
{
    const GameLogic& level = *Level();
    const BoardForecast forecast = Forecast();
    const auto wanted = Wanted(level);
    std::vector<Move> moves;
    for (const auto& link : level.GetConnectionManager().connections) {
        CellLogic* a = link.from;
        CellLogic* b = link.to;
        if (a == b || link.kind != 0 || !ConnectionManager::Swappable(*a, *b) || a->chip->state != ChipState::Idle ||
            b->chip->state != ChipState::Idle)
            continue;
        const BoardForecast::Outcome outcome = forecast.Swap(forecast.IndexOf(a), forecast.IndexOf(b));
        if (outcome.passes > 0)
            moves.push_back({a, b, GoalValue(outcome, level.GetLevelProgress(), wanted)});
    }
    std::stable_sort(moves.begin(), moves.end(), [](const Move& x, const Move& y) { return x.value > y.value; });
    return moves;
}

CellLogic* ScriptedPlayer::FindCut() const
{
    const GameLogic& level = *Level();
    const Scissors& scissors = level.GetScissors();
    if (scissors.pairs == 0 || scissors.pairs < scissors.ThresholdCount())
        return nullptr;
    const CellManager& cellManager = level.GetCellManager();
    const BoardForecast forecast = Forecast();
    const auto wanted = Wanted(level);
    const int mode = static_cast<int>(std::min(scissors.pairs, ScissorsLogic::maxPairs));
    const float radius = CellManagerLogic::CutRadius(scissors.pairs);
    const std::vector<Move> moves = RankMoves();
    int best = moves.empty() ? 0 : moves.front().value;
    CellLogic* cut = nullptr;
    for (CellLogic* cell : cellManager.cells) {
        if (!cell->HasTile() || cell->chip == nullptr || cell->chip->state != ChipState::Idle)
            continue;
        std::vector<size_t> area;
        for (const ChipLogic* chip : cellManager.CutArea(*cell, mode, radius))
            for (size_t i = 0; i < cellManager.cells.size(); ++i)
                if (cellManager.cells[i]->chip == chip)
                    area.push_back(i);
        if (area.empty())
            continue;
        const int value = GoalValue(forecast.Cut(area, mode >= 3), level.GetLevelProgress(), wanted);
        if (value > best) {
            best = value;
            cut = cell;
        }
    }
    return cut;
}

bool ScriptedPlayer::Cut(CellLogic& cell)
{
    Scissors& scissors = Level()->GetScissors();
    const unsigned pairs = scissors.pairs;
    const VantoranEngine::Model* top = scissors.pairModels[std::min(pairs, ScissorsLogic::maxPairs) - 1];
    const VantoranEngine::BoundingBox box = ModelPlayer::Box(top);
    QuickClick({(box.worldMin.x + box.worldMax.x) / 2.0f, (box.worldMin.y + box.worldMax.y) / 2.0f});
    Tick();
    if (scissors.armedMode == 0)
        return Fail("the click on the scissors did not arm them");
    QuickClick(cell.centre);
    Tick();
    if (scissors.pairs != 0) {
        // Not taken (the chip moved on): put the scissors down again for a later cut.
        Platform::Test::InjectMouseButton(1, true);
        Tick();
        Platform::Test::InjectMouseButton(1, false);
        Tick();
        return Fail("the cut was not made");
    }
    return true;
}

bool ScriptedPlayer::StartLevel()
{
    if (game->level != nullptr)
        return Fail("a level is still running");
    auto loading = [&] { return Level() != nullptr || game->gameLogicLoadingWindow->shown; };
    GUIStartGameLogicWindow* stageScreen = StageScreen();
    if (stageScreen != nullptr && game->startGameLogicWindow->shown) {
        // After a level that was not its stage's last the stage screen starts the next one by itself;
        // after a stage's first win it first goes through the stage change; then the player presses Start.
        if (!WaitFor([&] { return loading() || stageScreen->advancePending || StageScreenReady(); }))
            return Fail("the stage screen did not come to rest");
        if (!loading() && stageScreen->advancePending && !PassStageChange())
            return false;
        if (!loading() && !WaitFor([&] { return loading() || StageScreenReady(); }))
            return Fail("the stage screen did not come to rest after the stage change");
        if (!loading() && !ClickUntil(stageScreen->GetStartButton(), loading))
            return Fail("Start on the stage screen was not taken");
    } else if (!loading()) {
        // No stage screen up (a returning player's level started by a test): started as the stage screen
        // starts one.
        game->PrepareLevelData();
        game->gameLogicLoadingWindow->Show(game->levelData.get());
    }
    if (!WaitFor([&] { return Level() != nullptr; }))
        return Fail("the level did not load");
    livesAtStart = Level()->lives;
    return true;
}

bool ScriptedPlayer::PassStageChange()
{
    GUIStartGameLogicWindow* stageScreen = StageScreen();
    GUIFlowerHouse* house = game->flowerHouse.get();
    bool planted = false;
    bool failed = false;
    int frame = 0;
    const bool changed = WaitFor([&] {
        if (!stageScreen->advancePending || failed)
            return true;
        if (stageScreen->GetGameComics().IsActive()) {
            // A press shows the comics' page whole; the next frame moves on.
            Platform::Test::InjectMouseButton(0, ++frame % 2 == 1);
            return false;
        }
        if (!planted && house->IsOffering() && !house->IsFinished() && !house->GetWaitingFlowers().empty()) {
            failed = !PlantFlower();
            planted = true;
            return failed || !stageScreen->advancePending;
        }
        // The outro is typed out; a key shows its page whole and turns to the next.
        if (++frame % 10 == 0 && stageScreen->AcceptsInput() && !house->IsOffering())
            PressKey(Platform::DIK_SPACE);
        return !stageScreen->advancePending;
    }, 4000);
    Platform::Test::InjectMouseButton(0, false);
    Tick();
    if (failed)
        return false;
    if (!changed || stageScreen->advancePending)
        return Fail("the stage change did not come about");
    return true;
}

std::vector<BoardPoint> ScriptedPlayer::FlowerPoints(const VantoranEngine::Model* flower) const
{
    // The flower's box bounds the points worth trying; the house's own pick says which hit the flower.
    auto* model = const_cast<VantoranEngine::Model*>(flower);
    model->boundingBox.Update(true);
    const VantoranEngine::Vector3 low = model->boundingBox.worldMin;
    const VantoranEngine::Vector3 high = model->boundingBox.worldMax;
    const BoardPoint centre{(low.x + high.x) / 2.0f, (low.y + high.y) / 2.0f};
    constexpr int steps = 16;
    std::vector<BoardPoint> hits;
    for (int i = 0; i <= steps; ++i) {
        for (int j = 0; j <= steps; ++j) {
            const BoardPoint at{low.x + (high.x - low.x) * static_cast<float>(i) / steps,
                                low.y + (high.y - low.y) * static_cast<float>(j) / steps};
            if (game->flowerHouse->IsHitAt(flower, {at.x, at.y}))
                hits.push_back(at);
        }
    }
    std::sort(hits.begin(), hits.end(), [&](const BoardPoint& a, const BoardPoint& b) {
        return std::hypot(a.x - centre.x, a.y - centre.y) < std::hypot(b.x - centre.x, b.y - centre.y);
    });
    return hits;
}

bool ScriptedPlayer::PlantFlower()
{
    GUIFlowerHouse* house = game->flowerHouse.get();
    GUIStartGameLogicWindow* stageScreen = StageScreen();
    if (!WaitFor([&] { return house->IsOffering() && !house->GetWaitingFlowers().empty(); }, 600))
        return Fail("the flower house offered no flower");
    const VantoranEngine::Model* flower = house->GetWaitingFlowers().front();
    const std::vector<BoardPoint> points = FlowerPoints(flower);
    if (points.empty())
        return Fail("no point of the offered flower is hit by the pointer's ray");
    const size_t waiting = house->GetWaitingFlowers().size();
    auto planted = [&] { return !house->IsOffering() || house->GetWaitingFlowers().size() != waiting; };
    // The pointer stands on whole pixels: where it lands off the flower the next point is tried, and a
    // press that fell into a frame that took no input is made again.
    for (size_t tried = 0; tried < points.size() && tried < 8 && !planted(); ++tried) {
        MoveTo(points[tried].x, points[tried].y);
        Tick();
        if (!house->IsHitAt(flower, game->guiManager->GetCursorPosition()))
            continue;
        for (int press = 0; press < 3 && !planted(); ++press)
            Press();
    }
    if (!planted())
        return Fail("the click on the offered flower did not plant it");
    if (!WaitFor([&] { return house->IsFinished() || !stageScreen->advancePending ||
                              stageScreen->GetGameComics().IsActive(); }))
        return Fail("the flower house did not finish after the planting");
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

bool ScriptedPlayer::DropSelection()
{
    const GameLogic* level = Level();
    const CellLogic* selected = level != nullptr ? level->GetCellManager().selected : nullptr;
    if (selected == nullptr)
        return false;
    QuickClick(selected->centre);
    Tick();
    return true;
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
        if (!WaitFor([&] { return AnswerDialogs() || DropSelection() || ReadyToSwap() ||
                                  level->GetLevelProgress().done || level->GetState() == LevelState::Lost; }))
            return Fail("the board did not come to rest after " + std::to_string(run.moves) + " moves (" +
                        Unrest(*level) + ")");
        if (level->GetLevelProgress().done || !ReadyToSwap())
            continue;
        if (CellLogic* cut = FindCut(); cut != nullptr && misses == 0) {
            if (Cut(*cut))
                ++run.cuts;
            else
                ++misses;
            continue;
        }
        const auto move = FindMove(misses);
        if (!move) {
            // The board is shuffled when it has no move left; give it the frames to do so.
            if (!WaitFor([&] { return FindMove().has_value() || level->GetLevelProgress().done; }, 300))
                return Fail("no move on the board after " + std::to_string(run.moves) + " moves");
            continue;
        }
        const int32_t before = level->GetScoreKeeper().total;
        const int livesBefore = level->lives;
        QuickClick(move->first->centre);
        QuickClick(move->second->centre);
        ++run.moves;
        if (!WaitFor([&] { return level->GetScoreKeeper().total != before || level->GetLevelProgress().done ||
                                  level->lives < livesBefore; }, 600)) {
            if (++misses > missLimit)
                return Fail("the swap of move " + std::to_string(run.moves) + " scored nothing");
        } else if (level->GetScoreKeeper().total == before && !level->GetLevelProgress().done) {
            // The clock ran out during the clicks: the life spent dropped the selection and shuffled the
            // board, so the swap was never made (the second click selected its cell alone, which the next
            // wait drops). It is found again on the new board.
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
    return (Level() != nullptr || StartLevel()) && PassLevelDialogs() && PlayToWin(run) && CloseWonLevel();
}
