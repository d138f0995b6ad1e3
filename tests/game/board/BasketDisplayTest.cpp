// Baskets of the default data on both conveyors, drawn by the engine with the global bundle's
// prototypes: each side's basket shows its body and its order's pictures, and a filled basket flies
// sideways off its conveyor and is gone. Runs under the offscreen driver.

#include "game/board/BasketProgress.h"
#include "game/board/BasketResources.h"
#include "game/board/BoardSettings.h"
#include "game/board/GameData.h"
#include "game/board/ModelPlayer.h"
#include "game/board/ScoreManager.h"
#include "game/board/model/LevelProgress.h"

#include "framework/ScoreKeeper.h"

#include "engine/core/Engine.h"
#include "engine/render/Camera.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
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
#include <cmath>
#include <memory>

using namespace Petalwork;

namespace {

struct QuietSounds : LoopingSoundSink {
    void PlaySound(BoardSound) override {}
    void StopSound(BoardSound) override {}
    void SetSoundLooping(BoardSound, bool) override {}
};

class BasketDisplayTest : public BoardEngineFixture {
protected:
    void SetUp() override
    {
        BoardEngineFixture::SetUp();
    }

    // Brightness of a point of the 800 x 600 screen (y up); the screen is cleared to black.
    int At(float x, float y) const
    {
        const auto px = static_cast<size_t>(std::clamp(x, 0.0f, 799.0f));
        const auto py = static_cast<size_t>(std::clamp(y, 0.0f, 599.0f));
        const size_t i = (py * 800 + px) * 4;
        return frame[i] + frame[i + 1] + frame[i + 2];
    }

};

} // namespace

TEST_F(BasketDisplayTest, BothConveyorsShowTheirOrdersAndAFilledBasketFliesAway)
{
    const GameSettings& settings = *bundle->settings;
    QuietSounds sounds;
    GameFramework::ScoreKeeper score;
    ScoreManager popups(*engine->guiManager->GetTextManager(), MakePopupSettings(settings));
    PowerupManager powerups(sounds, settings.pausePowerupDuration, settings.doubleChipPowerupDuration);
    LevelProgress goal(10u, 8, 0);
    const BasketPrototypes prototypes = MakeBasketPrototypes(*bundle, gui);
    const ConveyorPrototypes panel = MakeConveyorPrototypes(*bundle);
    const BasketProgressContext context{*engine->modelManager, *engine->particleSystemManager, prototypes, panel,
                                        settings, sounds, score, popups, powerups, goal,
                                        *engine->guiManager->GetTextManager(), nullptr, nullptr, false};
    GameFramework::StageInfo stage;
    stage.flowerKinds = {0, 1, 2, 3, 4};
    stage.flowerKindCount = 5;
    stage.basketPlaces = 4;
    stage.spawnInterval = 0.1f;
    stage.orderSizeLimit = 3;
    stage.startSpeed = 60.0f;
    stage.endSpeed = 60.0f;
    GameFramework::LevelInfo level;
    level.levelKind = 8;
    level.orderEntryMin = 1;
    level.orderEntryMax = 3;
    BasketProgress progress(context, stage, level);
    progress.firstBasketDelay = 0.0f;

    // Until one basket on each side stands clear of the entries with every entry shown.
    const auto ready = [&](bool left) -> const Basket* {
        for (const auto& e : progress.GetBaskets()) {
            const Basket& b = *e.basket;
            bool open = !b.order.empty();
            for (const auto& entry : b.order)
                open = open && entry.open;
            if (b.left == left && open && b.ConveyorY() > 150.0f)
                return &b;
        }
        return nullptr;
    };
    for (int i = 0; i < 600 && !(ready(true) && ready(false)); ++i) {
        progress.Update(0.02f, false);
        Frame();
    }
    const Basket* left = ready(true);
    const Basket* right = ready(false);
    ASSERT_NE(left, nullptr);
    ASSERT_NE(right, nullptr);
    Frame();
    for (const Basket* b : {left, right}) {
        const auto body = ModelPlayer::Box(b->GetBody()).centre;
        EXPECT_GT(At(body.x, body.y), 60) << (b->left ? "left" : "right") << " body at " << body.x << "," << body.y;
        const auto icon = ModelPlayer::Box(b->GetIcons()[0]).centre;
        EXPECT_TRUE(ModelPlayer::IsDrawn(b->GetIcons()[0]));
        EXPECT_GT(At(icon.x, icon.y), 60) << "icon at " << icon.x << "," << icon.y;
    }

    // Fill the left basket: it flies away sideways and is gone.
    const auto handle = [&]() {
        for (const auto& e : progress.GetBaskets())
            if (e.basket.get() == left)
                return e.handle;
        return BasketHandle{};
    }();
    const auto order = left->order;
    for (const auto& entry : order)
        for (int i = 0; i < entry.toSend; ++i) {
            ASSERT_TRUE(progress.FindBasketFor(static_cast<unsigned>(entry.flowerKind)));
            progress.ScoreBasket(handle, static_cast<unsigned>(entry.flowerKind));
        }
    ASSERT_TRUE(left->leaving);
    EXPECT_EQ(goal.count, 1u);
    const float startX = ModelPlayer::Box(left->GetBody()).centre.x;
    float furthest = 0.0f;
    for (int i = 0; i < 600 && progress.Find(handle); ++i) {
        furthest = std::max(furthest, std::fabs(ModelPlayer::Box(left->GetBody()).centre.x - startX));
        progress.Update(0.02f, false);
        Frame();
    }
    EXPECT_FALSE(progress.Find(handle)); // deleted once its fly-away ended
    EXPECT_GT(furthest, 20.0f);
    EXPECT_NE(progress.Find(progress.GetBaskets().front().handle), nullptr);
}
