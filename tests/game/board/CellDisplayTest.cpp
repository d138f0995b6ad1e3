// A cell's models over the default data: layers that break into flying fragments, a line head that
// loses its tile with its layers, the selection highlight, and a powerup's badge that blinks and goes.

#include "BoardScene.h"
#include "game/board/Cell.h"
#include "game/board/ScoreManager.h"

#include "framework/ScoreKeeper.h"

#include "engine/render/AnimationControl.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/Random.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/gui/GUITextManager.h"

#include <gtest/gtest.h>

using namespace Petalwork;
using VantoranEngine::Model;

namespace {

struct RecordingSounds : SoundSink {
    void PlaySound(BoardSound sound) override { played.push_back(sound); }
    std::vector<BoardSound> played;
};


bool Drawn(const Model* model) { return model && (model->flags & VantoranEngine::ModelFlag::active) != 0; }

class CellDisplayTest : public BoardScene {
protected:
    void SetUp() override
    {
        BoardScene::SetUp();
        VantoranEngine::RandomSeed = 5;
        score.SetPoints(static_cast<uint32_t>(ScoreEvent::LayerBroken), 50);
        score.SetPoints(static_cast<uint32_t>(ScoreEvent::PowerupPickedUp), 300);
        score.multiplier = 2;
        for (int i = 0; i < 3; ++i)
            materials[i] = VantoranEngine::ShaderDescriptor::InitFromTextures(
                std::string("cell\\cell_") + (i == 0 ? "single" : i == 1 ? "double" : "triple") + ".jpg",
                std::string("cell\\cell_") + (i == 0 ? "" : i == 1 ? "double_" : "triple_") + "alpha.jpg");
        prototypesOfCells.tile = Prototype("cell\\models\\cell.mlf", -0.000155f);
        prototypesOfCells.shine = Prototype("cell\\models\\cell.mlf", -0.000655f);
        for (int i = 0; i < 3; ++i)
            prototypesOfCells.materials[i] = &materials[i];
        for (int k = 0; k < 4; ++k)
            prototypesOfCells.fragments[k] =
                Prototype("cell\\models\\cell_destruction_" + std::to_string(k) + ".mlf", -0.000055f);
        prototypesOfCells.powerup = Prototype("cell\\bonuses\\models\\cell_bonus.mlf", -2.004999f);
        prototypesOfCells.powerupBorder = Prototype("cell\\bonuses\\models\\cell_bonus_border.mlf", -0.000699f);
        sparkle.reset(particles->LoadParticleSystem("particle systems\\powerup.psf", nullptr));
        prototypesOfCells.sparkle = sparkle.get();
        prototypesOfCells.camera = gui;
        timings.fade = 0.25f;
        timings.crossFade = 0.125f;
        timings.shine = 0.25f;
        timings.blinkPeriod = 0.5f;
        timings.blinkCount = 2;
        fragments.speed = 250.0f;
        fragments.speedSpread = 100.0f;
        fragments.throwMinimum = 20.0f;
        fragments.throwMaximum = 120.0f;
        fragments.liftMinimum = 40.0f;
        fragments.liftMaximum = 140.0f;
        fragments.topLimit = 650.0f;
        fragments.spinMinimum = 2.0f;
        fragments.spinMaximum = 6.0f;
        context.reset(new CellContext{*models, *particles, prototypesOfCells, timings, fragments, sounds, score,
                                      popups, powerups, 2.0f, pickedUp});
    }

    void TearDown() override
    {
        sparkle.reset();
        BoardScene::TearDown();
    }

    std::unique_ptr<Cell> Make(TileType type)
    {
        auto cell = std::make_unique<Cell>(*context, BoardPoint{400, 300}, type, 0);
        cell->StartAppear(0.0f);
        for (int i = 0; i < 10; ++i)
            cell->Update(0.05f, false);
        return cell;
    }

    size_t Listed() const { return models->models.count; }

    std::array<VantoranEngine::ShaderDescriptor, 3> materials;
    CellPrototypes prototypesOfCells;
    std::unique_ptr<VantoranEngine::ParticleSystem> sparkle;
    CellTimings timings;
    FragmentSettings fragments;
    RecordingSounds sounds;
    GameFramework::ScoreKeeper score;
    VantoranEngine::GUITextManager texts{&log, &memory, &files};
    ScoreManager popups{texts, PopupSettings{}};
    PowerupManager powerups{sounds, 10.0f, 15.0f};
    int pickedUp = 0;
    std::unique_ptr<CellContext> context; // made once the scene's managers exist
};

} // namespace

TEST_F(CellDisplayTest, LayersBreakIntoFragmentsThatFlyOffAndGo)
{
    auto cell = Make(TileType::Triple);
    ASSERT_EQ(cell->layers.size(), 2u);
    EXPECT_TRUE(Drawn(cell->tile));
    EXPECT_TRUE(Drawn(cell->layers[1]));
    const size_t before = Listed();

    ASSERT_TRUE(cell->BreakLayer());
    EXPECT_EQ(cell->type, TileType::Double);
    ASSERT_EQ(cell->layers.size(), 1u);
    EXPECT_FLOAT_EQ(cell->layers[0]->depth, Cell::firstLayerDepth);
    EXPECT_EQ(cell->FlyingPieces(), 1u);
    EXPECT_EQ(Listed(), before - 1 + 4); // the upper layer went, four fragments came
    ASSERT_TRUE(cell->BreakLayer());
    EXPECT_TRUE(cell->layers.empty());
    EXPECT_FALSE(cell->BreakLayer());
    EXPECT_EQ(sounds.played, (std::vector<BoardSound>{BoardSound::BreakCell, BoardSound::BreakCell}));
    EXPECT_EQ(score.total, 2 * 50 * 2);

    for (int i = 0; i < 400 && cell->FlyingPieces() > 0; ++i)
        cell->Update(0.05f, false);
    EXPECT_EQ(cell->FlyingPieces(), 0u);
    EXPECT_EQ(Listed(), before - 2);

    // The cross-fade of a board repair brings both layers back.
    cell->StartCrossFade(0.0f);
    for (int i = 0; i < 20; ++i)
        cell->Update(0.05f, false);
    EXPECT_EQ(cell->layers.size(), 2u);
    EXPECT_EQ(Listed(), before);
}

TEST_F(CellDisplayTest, LineHeadLosesItsTileAndLayerModels)
{
    const size_t empty = Listed();
    auto head = Make(TileType::Triple);
    EXPECT_GT(Listed(), empty);
    head->RemoveTileModels();
    EXPECT_FALSE(head->HasTile());
    EXPECT_EQ(head->tile, nullptr);
    EXPECT_TRUE(head->layers.empty());
    EXPECT_EQ(Listed(), empty);
    head->StartAppear(0.0f);
    head->RestoreLayers();
    head->Update(0.05f, false);
    EXPECT_TRUE(head->layers.empty());
}

TEST_F(CellDisplayTest, SelectionHighlightsTheTile)
{
    auto cell = Make(TileType::Single);
    cell->Select();
    EXPECT_EQ(cell->tile->shaderUser->stageTime[0], 1.0f);
    cell->Deselect();
    EXPECT_EQ(cell->tile->shaderUser->stageTime[0], 0.0f);
}

TEST_F(CellDisplayTest, PowerupBadgeBlinksThenGoesAndPickingUpActivatesIt)
{
    auto cell = Make(TileType::Single);
    const size_t before = Listed();
    cell->SetPowerup(PowerupKind::Pause);
    EXPECT_EQ(Listed(), before + 2);
    EXPECT_EQ(sounds.played.back(), BoardSound::PowerupAppear);
    EXPECT_TRUE(Drawn(cell->powerupModels[0]));
    int toggles = 0;
    bool wasDrawn = true;
    for (int i = 0; i < 40 && cell->powerup != PowerupKind::None; ++i) {
        cell->Update(0.0625f, false);
        if (cell->powerupModels[0] && Drawn(cell->powerupModels[0]) != wasDrawn) {
            wasDrawn = !wasDrawn;
            ++toggles;
        }
    }
    EXPECT_EQ(cell->powerup, PowerupKind::None);
    EXPECT_GT(toggles, 0);
    EXPECT_EQ(Listed(), before);
    EXPECT_EQ(pickedUp, 0); // expiring is silent
    EXPECT_EQ(score.total, 0);

    cell->SetPowerup(PowerupKind::DoubleChip);
    cell->PickUpPowerup();
    EXPECT_EQ(pickedUp, 1);
    EXPECT_TRUE(powerups.doubleChipOn);
    EXPECT_EQ(score.total, 300 * 2);
    EXPECT_EQ(popups.powerupCaptions.size(), 1u);
    EXPECT_EQ(Listed(), before);
    cell->PickUpPowerup(); // nothing left to pick up
    EXPECT_EQ(pickedUp, 1);
}
