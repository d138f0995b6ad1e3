// The running level's board as the level builds it (chip and cell managers from the level's parts over
// the global bundle): a shipped board dealt, waved in and drawn; a swap made with the mouse that is
// resolved and refilled; the tornado and the horn models playing their animations. Runs under the
// offscreen driver.

#include "game/board/CellManager.h"
#include "game/board/ChipManager.h"
#include "game/board/EngineRandom.h"
#include "game/board/GameData.h"
#include "game/board/ModelPlayer.h"
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
#include "engine/render/Random.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/gui/GUIManager.h"
#include "platform/d3d7/D3D7.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"
#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

using namespace Petalwork;
using P = ModelPlayer;

namespace {

struct NoSounds : SoundSink {
    void PlaySound(BoardSound) override {}
};

struct NoGroups : ScoreGroups {
    void BeginGroup() override {}
    void AddChip(const ChipLogic&) override {}
    void EndGroup() override {}
    void FinalizeGroups() override {}
    void ShowCombo(int) override {}
    void ShowBonus(BoardPoint, const char*, int, bool) override {}
};

class CellManagerDisplayTest : public ::testing::Test {
protected:
    static constexpr float dt = 1.0f / 30.0f;

    void SetUp() override
    {
        Platform::Test::SetForceFocus(true);
        Platform::D3D7Test::Reset();
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::OpenGL);
        engine = std::make_unique<VantoranEngine::Engine>(TestEngineDescriptor(game, user.Path()));
        gui = engine->guiManager->GetCamera();
        gui->orthoWidth = 800.0f;
        gui->orthoHeight = 600.0f;
        engine->renderSystem->clearColor = {0, 0, 0, 1};
        bundle = std::make_unique<GameData>(*engine);
        bundle->Load();
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
        chips = std::make_unique<ChipManager>(ChipManagerParts{*engine->modelManager, *engine->particleSystemManager,
                                                               *bundle, gui, stage, score, progress, *powerups, groups,
                                                               sounds, random});
        cells = std::make_unique<CellManager>(CellManagerParts{*engine->modelManager, *engine->particleSystemManager,
                                                               *bundle, gui, layout, stage, false, *chips, progress,
                                                               *powerups, *popups, groups, sounds, score, random});
        connections = std::make_unique<ConnectionManager>(*cells, *chips, groups, progress, layout, 5u, true, true,
                                                          true, random);
        cells->AttachConnections(*connections);
        lines = std::make_unique<MoveLineManager>(layout, cells->cells, *connections, *chips, stage, random);
        cells->SetUpBoard(*lines);
        connections->FixBoard(true);
    }

    void TearDown() override
    {
        lines.reset();
        connections.reset();
        cells.reset();
        chips.reset();
        popups.reset();
        bundle.reset();
        engine.reset();
    }

    // One frame of the board as the level runs it, drawn.
    void Step(const BoardInput& input = {})
    {
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

    const std::string game = BRINDLE_GAME_FOLDER;
    TempFolder user;
    std::unique_ptr<VantoranEngine::Engine> engine;
    std::unique_ptr<GameData> bundle;
    VantoranEngine::Camera* gui = nullptr;
    std::vector<uint8_t> frame;

    BoardLayout layout;
    GameFramework::StageInfo stage;
    GameFramework::ScoreKeeper score;
    LevelProgress progress{1000000u, 2, 0};
    NoSounds sounds;
    NoGroups groups;
    EngineRandom random;
    std::unique_ptr<ScoreManager> popups;
    std::unique_ptr<PowerupManager> powerups;
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
