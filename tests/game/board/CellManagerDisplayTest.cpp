// The running level's board as the level builds it (chip and cell managers from the level's parts over
// the global bundle): a shipped board dealt, waved in and drawn; a swap made with the mouse that is
// resolved and refilled; the tornado and the horn models playing their animations. Runs under the
// offscreen driver.

#include "game/board/BasketResources.h"
#include "game/board/CellManager.h"
#include "game/board/ChipManager.h"
#include "game/board/EngineRandom.h"
#include "game/board/GameData.h"
#include "game/board/ModelPlayer.h"
#include "game/board/Scissors.h"
#include "framework/LevelInfo.h"
#include "game/board/BoardSettings.h"
#include "game/board/ScoreManager.h"
#include "game/board/model/BoardLayout.h"
#include "game/board/model/ConnectionManager.h"
#include "game/board/model/MoveLineManager.h"

#include "framework/ScoreKeeper.h"
#include "framework/StageInfo.h"

#include "engine/core/Engine.h"
#include "engine/render/Camera.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/Random.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/gui/GUIManager.h"
#include "platform/d3d7/D3D7.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"
#include "EngineTestSupport.h"
#include "TempFolder.h"
#include "tests/game/board/BoardEngineFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace Petalwork;
using P = ModelPlayer;

namespace {

struct Silent : LoopingSoundSink {
    void PlaySound(BoardSound) override {}
    void StopSound(BoardSound) override {}
    void SetSoundLooping(BoardSound, bool) override {}
};

struct RecordedCursor : CursorControl {
    void SetProgramCursor(int32_t resource) override { last = resource; }
    int32_t last = 0;
};

struct NoGroups : ScoreGroups {
    void BeginGroup() override {}
    void AddChip(const ChipLogic&) override {}
    void EndGroup() override {}
    void FinalizeGroups() override {}
    void ShowCombo(int) override {}
    void ShowBonus(BoardPoint, const char*, int, bool) override {}
};

class CellManagerDisplayTest : public BoardEngineFixture {
protected:
    static constexpr float dt = 1.0f / 30.0f;

    void SetUp() override
    {
        BoardEngineFixture::SetUp();
        VantoranEngine::RandomSeed = 11;

        std::vector<std::filesystem::path> boards;
        for (const auto& entry : std::filesystem::directory_iterator(game + "/data/levels/meshes"))
            if (entry.path().extension() == ".blf")
                boards.push_back(entry.path());
        ASSERT_FALSE(boards.empty());
        std::sort(boards.begin(), boards.end());
        layout = BoardLayout::Load(engine->fileManager.get(), boards.front().stem().string());

        stage.flowerKindCount = 5;
        stage.flowerKinds = {0, 1, 2, 3, 4};
        stage.volumeBombsAllowed = stage.lineBombsAllowed = stage.randomDestructionAllowed = true;
        for (uint32_t id = 0; id < 6; ++id)
            score.SetPoints(id, 10);
        const GameSettings& settings = *bundle->settings;
        popups = std::make_unique<ScoreManager>(*engine->guiManager->GetTextManager(), MakePopupSettings(settings));
        powerups = std::make_unique<PowerupManager>(sounds, settings.pausePowerupDuration,
                                                    settings.doubleChipPowerupDuration);
        Build(nullptr);
    }

    // The level's board over `baskets` (may be null), dealt and repaired.
    void Build(BasketProgress* baskets)
    {
        lines.reset();
        connections.reset();
        cells.reset();
        chips.reset();
        chips = std::make_unique<ChipManager>(ChipManagerParts{*engine->modelManager, *engine->particleSystemManager,
                                                               *bundle, gui, stage, score, progress, *powerups, groups,
                                                               sounds, random, nullptr, baskets});
        cells = std::make_unique<CellManager>(CellManagerParts{*engine->modelManager, *engine->particleSystemManager,
                                                               *bundle, gui, layout, stage, false, *chips, progress,
                                                               *powerups, *popups, groups, sounds, score, random,
                                                               baskets});
        connections = std::make_unique<ConnectionManager>(*cells, *chips, groups, progress, layout, 5u, true, true,
                                                          true, random);
        cells->AttachConnections(*connections);
        lines = std::make_unique<MoveLineManager>(layout, cells->cells, *connections, *chips, stage, random);
        cells->SetUpBoard(*lines);
        connections->FixBoard(true);
    }

    // A conveyor level whose goal is one filled basket, its board waved in and its first basket open.
    bool StartBasketLevel()
    {
        progress = LevelProgress{1u, 0, 0};
        stage.basketPlaces = 3;
        stage.spawnInterval = 30.0f;
        stage.orderSizeLimit = 2;
        stage.startSpeed = stage.endSpeed = 2.0f;
        GameFramework::LevelInfo level;
        level.levelKind = 0;
        level.goalCount = 1;
        level.orderEntryMin = 1;
        level.orderEntryMax = 3;
        basketPrototypes = MakeBasketPrototypes(*bundle, gui);
        conveyorPrototypes = MakeConveyorPrototypes(*bundle);
        basketContext = std::make_unique<BasketProgressContext>(BasketProgressContext{
            *engine->modelManager, *engine->particleSystemManager, basketPrototypes, conveyorPrototypes,
            *bundle->settings, sounds, score, *popups, *powerups, progress, *engine->guiManager->GetTextManager()});
        baskets = std::make_unique<BasketProgress>(*basketContext, stage, level);
        baskets->slide.state = PanelState::Shown;
        baskets->slide.offset = 0.0f;
        baskets->firstBasketDelay = 0.0f;
        Build(baskets.get());

        // The board waves in while the first basket comes and opens its entries.
        auto open = [this] {
            if (baskets->GetBaskets().empty())
                return false;
            for (const auto& entry : baskets->GetBaskets()[0].basket->order)
                if (!entry.open)
                    return false;
            return true;
        };
        for (int frames = 0; frames < 600 && (!open() || cells->boardPhase != CellManagerLogic::Phase::Shown);
             ++frames)
            Step();
        return open();
    }

    void TearDown() override
    {
        lines.reset();
        connections.reset();
        cells.reset();
        chips.reset();
        baskets.reset();
        basketContext.reset();
        popups.reset();
        BoardEngineFixture::TearDown();
    }

    // One frame of the board as the level runs it, drawn.
    void Step(const BoardInput& input = {})
    {
        if (baskets)
            baskets->Update(dt, false);
        chips->Update(dt);
        cells->Update(dt, false, input);
        chips->UpdateHints(dt);
        chips->FollowModels();
        engine->Update();
        engine->EndFrame();
    }

    void Draw()
    {
        uint32_t width = 0, height = 0;
        ASSERT_TRUE(Platform::ReadPresentedFrame(width, height, frame));
        ASSERT_EQ(width, 800u);
        ASSERT_EQ(height, 600u);
    }

    int Brightness(BoardPoint p) const
    {
        const size_t i = (static_cast<size_t>(p.y) * 800 + static_cast<size_t>(p.x)) * 4;
        return frame[i] + frame[i + 1] + frame[i + 2];
    }

    bool Settled() const
    {
        return chips->allIdle && cells->changedLines.empty() && cells->swapPairs.empty() &&
               cells->moveEndDelay < 0.0f && cells->boardFullAndIdle;
    }

    // The chip's main model is drawn at the chip's place.
    void ExpectDrawnAt(const ChipLogic& chip, BoardPoint at)
    {
        const ChipModels* models = chips->ModelsOf(chip);
        ASSERT_NE(models, nullptr);
        ASSERT_NE(models->main, nullptr);
        EXPECT_TRUE(P::IsDrawn(models->main));
        EXPECT_NEAR(models->main->worldMatrix[3], at.x, 0.5f);
        EXPECT_NEAR(models->main->worldMatrix[7], at.y, 0.5f);
    }

    static BoardInput ClickAt(BoardPoint at)
    {
        BoardInput input;
        input.cursor = at;
        input.mouse1Pressed = true;
        input.mouse1Down = true;
        return input;
    }


    BoardLayout layout;
    GameFramework::StageInfo stage;
    GameFramework::ScoreKeeper score;
    LevelProgress progress{1000000u, 2, 0};
    Silent sounds;
    NoGroups groups;
    EngineRandom random;
    std::unique_ptr<ScoreManager> popups;
    std::unique_ptr<PowerupManager> powerups;
    BasketPrototypes basketPrototypes;
    ConveyorPrototypes conveyorPrototypes;
    std::unique_ptr<BasketProgressContext> basketContext;
    std::unique_ptr<BasketProgress> baskets; // outlives the chips flying to it
    std::unique_ptr<ChipManager> chips;
    std::unique_ptr<CellManager> cells;
    std::unique_ptr<ConnectionManager> connections;
    std::unique_ptr<MoveLineManager> lines;
};

} // namespace

TEST_F(CellManagerDisplayTest, AShippedBoardIsDealtDrawnAndResolvesASwapMadeWithTheMouse)
{
    for (int i = 0; i < 300 && (cells->boardPhase != CellManagerLogic::Phase::Shown ||
                                chips->phase != ChipManagerLogic::Phase::Play);
         ++i)
        Step();
    ASSERT_EQ(cells->boardPhase, CellManagerLogic::Phase::Shown);
    ASSERT_EQ(chips->phase, ChipManagerLogic::Phase::Play);
    Step();
    Draw();

    // Every tile cell holds a drawn chip at its centre; a chip darkens or lightens its tile.
    CellLogic* sample = nullptr;
    for (CellLogic* cell : cells->cells) {
        if (!cell->HasTile())
            continue;
        ASSERT_NE(cell->chip, nullptr);
        ExpectDrawnAt(*cell->chip, cell->centre);
        sample = sample ? sample : cell;
    }
    ASSERT_NE(sample, nullptr);
    const int withChip = Brightness(sample->centre);
    chips->SetVisible(*sample->chip, false);
    Step();
    Draw();
    EXPECT_GT(std::abs(Brightness(sample->centre) - withChip), 20);
    chips->SetVisible(*sample->chip, true);

    // A move the board offers, made with two clicks: the selection marker shows on the first cell.
    ASSERT_FALSE(connections->HasNoMoves());
    ASSERT_TRUE(connections->hintLink);
    const auto& link = connections->connections[*connections->hintLink];
    Step(ClickAt(link.from->centre));
    ASSERT_EQ(cells->selected, link.from);
    const VantoranEngine::Model* marker = cells->GetMarkers().selection;
    ASSERT_NE(marker, nullptr);
    EXPECT_TRUE(P::IsDrawn(marker));
    EXPECT_NEAR(marker->worldMatrix[3], link.from->centre.x, 0.5f);
    EXPECT_NEAR(marker->worldMatrix[7], link.from->centre.y, 0.5f);
    Step(ClickAt(link.to->centre));
    EXPECT_EQ(cells->selected, nullptr);
    EXPECT_FALSE(P::IsDrawn(marker));
    EXPECT_EQ(cells->swapPairs.size(), 1u);

    int frames = 0;
    while (frames < 900 && (chips->collected == 0 || !Settled())) {
        Step();
        ++frames;
    }
    ASSERT_LT(frames, 900) << "the swap never settled";
    EXPECT_GE(chips->collected, 3u);
    EXPECT_GT(score.total, 0);
    // Refilled: every tile cell holds a chip again, drawn where it rests.
    for (CellLogic* cell : cells->cells) {
        if (!cell->HasTile())
            continue;
        ASSERT_NE(cell->chip, nullptr);
        EXPECT_EQ(cell->chip->state, ChipState::Idle);
        ExpectDrawnAt(*cell->chip, cell->centre);
    }
}

TEST_F(CellManagerDisplayTest, TheTornadoTakesTheIdleChipsBetweenItsTwoAnimationsAndTheHornPlaysOut)
{
    for (int i = 0; i < 300 && (cells->boardPhase != CellManagerLogic::Phase::Shown ||
                                chips->phase != ChipManagerLogic::Phase::Play);
         ++i)
        Step();
    const VantoranEngine::Model* tornado = cells->GetTornado();
    ASSERT_NE(tornado, nullptr);
    EXPECT_FALSE(P::IsDrawn(tornado));
    powerups->tornadoPending = true;
    Step();
    EXPECT_TRUE(P::IsDrawn(tornado));
    EXPECT_TRUE(P::IsPlaying(tornado, 0));
    EXPECT_EQ(chips->collected, 0u);
    int frames = 0;
    while (frames < 600 && chips->collected == 0) {
        Step();
        ++frames;
    }
    ASSERT_LT(frames, 600) << "the tornado never turned";
    EXPECT_TRUE(P::IsCurrent(tornado, 1));
    EXPECT_GT(chips->collected, 10u);
    while (frames < 1200 && P::IsDrawn(tornado)) {
        Step();
        ++frames;
    }
    EXPECT_FALSE(P::IsDrawn(tornado));

    // The horn with no basket to fill: its entry plays out, the blowing loop finds no target and stops,
    // the exit plays and the horn goes.
    chips->ShowHorn(true);
    chips->StartHornAnimation(0, false);
    Step();
    EXPECT_TRUE(chips->HornShown());
    EXPECT_FALSE(chips->HornAnimationEnded(0));
    int hornFrames = 1;
    while (hornFrames < 300 && chips->HornShown()) {
        Step();
        ++hornFrames;
    }
    EXPECT_FALSE(chips->HornShown());
    EXPECT_GT(hornFrames, 2);
}

TEST_F(CellManagerDisplayTest, ArmedScissorsHighlightTheChipUnderTheMouseAndCutItOnAClick)
{
    const ScissorsPrototypes prototypes = MakeScissorsPrototypes(*bundle, gui);
    RecordedCursor cursor;
    const ScissorsContext context{*engine->modelManager, *engine->particleSystemManager, prototypes, *bundle->settings,
                                  sounds, score, cursor};
    Scissors scissors(context, {30, 40, 50});
    cells->SetScissors(&scissors);
    chips->SetScissors(&scissors);
    for (int i = 0; i < 300 && (cells->boardPhase != CellManagerLogic::Phase::Shown ||
                                chips->phase != ChipManagerLogic::Phase::Play);
         ++i)
        Step();
    CellLogic* target = nullptr;
    for (CellLogic* cell : cells->cells)
        if (cell->HasTile() && cell->chip && !cell->chip->IsStone() && !cell->chip->frozen) {
            target = cell;
            break;
        }
    ASSERT_NE(target, nullptr);
    const ChipLogic* chip = target->chip;
    scissors.Award(1);
    scissors.armedMode = 1;

    // Hovering: the ring over the chip, no hover marker, nothing cut.
    BoardInput hover;
    hover.cursor = target->centre;
    Step(hover);
    const VantoranEngine::Model* ring = cells->GetCutHighlights()[0];
    ASSERT_NE(ring, nullptr);
    EXPECT_TRUE(P::IsDrawn(ring));
    EXPECT_NEAR(ring->worldMatrix[3], target->centre.x, 0.5f);
    EXPECT_NEAR(ring->worldMatrix[7], target->centre.y, 0.5f);
    EXPECT_FALSE(P::IsDrawn(cells->GetCutHighlights()[1]));
    EXPECT_FALSE(P::IsDrawn(cells->GetMarkers().hover));
    EXPECT_EQ(chips->collected, 0u);

    // The click cuts the chip: the pair is spent, the cursor is the game's again, the use effect plays,
    // and the chip counts towards the next pair.
    Step(ClickAt(target->centre));
    EXPECT_EQ(chips->collected, 1u);
    EXPECT_NE(target->chip, chip);
    EXPECT_EQ(scissors.pairs, 0u);
    EXPECT_EQ(scissors.armedMode, 0);
    EXPECT_EQ(scissors.chipCount, 1u);
    EXPECT_EQ(cursor.last, CursorControl::gameCursor);
    ASSERT_NE(scissors.useEffects[0], nullptr);
    EXPECT_TRUE(scissors.useEffects[0]->emitting);
    EXPECT_FALSE(P::IsDrawn(ring));
}

TEST_F(CellManagerDisplayTest, TornadoFlowersFillTheLevelsBasketUntilTheGoalIsReached)
{
    ASSERT_TRUE(StartBasketLevel()) << "the basket never opened";
    int frames = 0;

    // Tornadoes take every idle chip until the basket has what it wants: the flowers fly into it, it is
    // scored and counts towards the goal. The baskets are marked untouched while the chips are removed and
    // the marks go when the move ends.
    bool marked = false;
    for (int tornado = 0; tornado < 6 && !progress.done; ++tornado) {
        powerups->tornadoPending = true;
        const unsigned before = chips->collected;
        while (frames < 6000 && !progress.done &&
               (chips->collected == before || cells->tornadoShown || !Settled())) {
            Step();
            ++frames;
            for (const auto& entry : baskets->GetBaskets())
                marked = marked || entry.basket->untouchedMark;
        }
    }
    EXPECT_TRUE(progress.done);
    EXPECT_EQ(progress.count, 1u);
    EXPECT_TRUE(marked);
    for (int i = 0; i < 300 && !Settled(); ++i)
        Step();
    for (const auto& entry : baskets->GetBaskets())
        EXPECT_FALSE(entry.basket->untouchedMark);
}

TEST_F(CellManagerDisplayTest, TheHornBlowsAFlowerForTheBasketInFrontOfTheHorn)
{
    ASSERT_TRUE(StartBasketLevel()) << "the basket never opened";

    // The horn blows a flower of a wanted kind out of its mouth, drawn in front of the horn.
    powerups->hornPending = true;
    const ChipLogic* hornChip = nullptr;
    for (int i = 0; i < 300 && !hornChip; ++i) {
        Step();
        for (const auto& chip : chips->chips)
            if (chip->hornChip)
                hornChip = chip.get();
    }
    ASSERT_NE(hornChip, nullptr);
    EXPECT_TRUE(chips->HornShown());
    EXPECT_EQ(hornChip->state, ChipState::Flight);
    EXPECT_FLOAT_EQ(ChipManager::Of(*hornChip).look.depth,
                    bundle->hornAnimationModel->depth - ChipManager::overHorn);
}
