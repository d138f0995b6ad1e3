#include "game/board/GameData.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Model.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUIWindow.h"
#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using Petalwork::GameData;
using VantoranEngine::Model;

namespace {

std::string NumberedSettings(int count)
{
    std::string text;
    for (int p = 1; p <= count; ++p)
        text += std::to_string(p) + " ";
    return text;
}

// An installation with only the files whose absence is fatal.
struct BundleWorld {
    explicit BundleWorld(const std::string& flowerHouse = "0  9  0 -1  0 -1  0 -1  0 -1  0 -1  0 -1  0 -1  0 -1  0 -1  0")
    {
        folder.WriteFile("data/game.ini", NumberedSettings(90));
        folder.WriteFile("data/score.ini", NumberedSettings(7));
        if (!flowerHouse.empty())
            folder.WriteFile("data/backgrounds/flower_house/flower_house.ini", flowerHouse);
        engine = std::make_unique<VantoranEngine::Engine>(TestEngineDescriptor(folder.Path(), folder.Path()));
        bundle = std::make_unique<GameData>(*engine);
    }
    TempFolder folder;
    std::unique_ptr<VantoranEngine::Engine> engine;
    std::unique_ptr<GameData> bundle;
};

bool InGuiClass(const Model* model)
{
    return (model->flags & (0x40 | 0x80 | 0x200)) == 0 && (model->flags & (0x400 | 0x800)) == (0x400 | 0x800);
}

} // namespace

TEST(GameData, AnEmptyDataFolderLoadsEveryPrototypeAsAFallback)
{
    BundleWorld w;
    w.bundle->Load();
    GameData& d = *w.bundle;
    EXPECT_EQ(d.cellMaterials.size(), 3u);
    EXPECT_EQ(d.bonusChipModels.size(), 6u);
    EXPECT_EQ(d.iceCubeModels.size(), 4u);
    EXPECT_EQ(d.goalIconMaterials.size(), 11u);
    EXPECT_EQ(d.effectParticleSystems.size(), 7u);
    EXPECT_EQ(d.scissorsAppearParticles.size(), 3u);
    EXPECT_EQ(d.scissorsUseParticles.size(), 3u);
    EXPECT_EQ(d.levelIconMaterials.size(), 2u);
    EXPECT_EQ(d.cellBonusMaterials.size(), 4u);
    EXPECT_EQ(d.bonusMaterials.size(), 6u);
    EXPECT_EQ(d.orderMaterials.size(), 3u);
    EXPECT_EQ(d.leftBaskets.baskets.size(), 9u);
    EXPECT_EQ(d.rightBaskets.baskets.size(), 9u);
    EXPECT_EQ(d.leftBaskets.flowerSheets.size(), 6u);
    EXPECT_EQ(d.rightBaskets.numberSheets.size(), 6u);
    EXPECT_EQ(d.levelCompleteFlowers.size(), 21u);
    EXPECT_EQ(d.dayNumberModels.size(), 30u);
    EXPECT_EQ(d.butterflyModels.size(), 4u);
    EXPECT_EQ(d.flowerHouseGroups.size(), 9u);
    EXPECT_EQ(d.scissorsGlowModels.size() + d.scissorsGreyModels.size() + d.scissorsModels.size() +
                  d.scissorsLineModels.size(),
              9u);
    // 168 model files, cell.mlf a second time, its two border copies.
    EXPECT_EQ(d.modelList.size(), 171u);
    EXPECT_EQ(d.particleSystemList.size(), 30u);
    for (const auto& model : d.modelList)
        EXPECT_TRUE(InGuiClass(model.get()));
    for (Model* m : {d.chipModel, d.gameLogoModel, d.stageDialogModel, d.cellDestructionModels[3],
                     d.rightBaskets.progressBar, d.levelIconModel})
        ASSERT_NE(m, nullptr);
    EXPECT_FLOAT_EQ(d.chipModel->depth, -0.010055f);
    EXPECT_FLOAT_EQ(d.gamePanelModel->depth, -3.020055f);
    EXPECT_FLOAT_EQ(d.cellHotBorderModel->depth, -0.003055f);
    EXPECT_FLOAT_EQ(d.levelIconModel->worldMatrix[7], d.levelIconModel->baseMatrix[7]);
    EXPECT_FLOAT_EQ(d.effectParticleSystems[6]->spriteGroup->model->depth, -0.002055f);
    EXPECT_TRUE(d.effectParticleSystems[0]->spriteGroup->sortEnabled);
    ASSERT_NE(d.settings, nullptr);
    EXPECT_EQ(d.settings->powerupBlinkPeriods, 90);
}

TEST(GameData, ThePanelLayerSitsUnderItsRootWindow)
{
    BundleWorld w;
    ASSERT_NE(w.bundle->panelRootWindow, nullptr);
    ASSERT_NE(w.bundle->panelLayerWindow, nullptr);
    EXPECT_EQ(w.bundle->panelLayerWindow->GetParent(), w.bundle->panelRootWindow);
    const auto windows = w.engine->guiManager->windows.count;
    w.bundle.reset();
    EXPECT_EQ(w.engine->guiManager->windows.count, windows - 2);
}

TEST(GameData, TheOrderModelWearsTheAskedOrder)
{
    BundleWorld w;
    w.bundle->Load();
    Model* order = w.bundle->GetOrderModel(2);
    EXPECT_EQ(order, w.bundle->orderModel);
    EXPECT_TRUE(VantoranEngine::ShaderDescriptor::Equals(*order->shaderUser, *w.bundle->orderMaterials[2]));
    w.bundle->GetOrderModel(0);
    EXPECT_TRUE(VantoranEngine::ShaderDescriptor::Equals(*order->shaderUser, *w.bundle->orderMaterials[0]));
}

TEST(GameData, TheFlowerHouseKeepsItsListsAsWritten)
{
    BundleWorld w("1 back.mlf  2  2 -1 0 0  1 0 1  2 a.mlf 3 b.mlf 4");
    w.bundle->Load();
    EXPECT_EQ(w.bundle->flowerHouseSceneModels.size(), 1u);
    ASSERT_EQ(w.bundle->flowerHouseGroups.size(), 2u);
    EXPECT_EQ(w.bundle->flowerHouseGroups[0].flowers, (std::vector<int32_t>{0, 0}));
    EXPECT_EQ(w.bundle->flowerHouseGroups[1].value, 0);
    EXPECT_EQ(w.bundle->flowerHouseFlowerLayers, (std::vector<int32_t>{3, 4}));
}

TEST(GameData, AMissingFlowerHouseFileIsFatal)
{
    BundleWorld w("");
    try {
        w.bundle->Load();
        FAIL() << "the missing file went unnoticed";
    } catch (const VantoranEngine::FatalError& error) {
        EXPECT_NE(error.message.find("flower_house.ini"), std::string::npos) << error.message;
    }
}
