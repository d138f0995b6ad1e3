// The in-level panel over a running level of the default data under the offscreen driver: the panel
// finds the level's parts, and a screenshot of a level in play shows the board, both conveyors and the
// panel (each region differs from the frame without it).

#include "game/screens/GUIGameLogicWindow.h"

#include "game/board/BasketProgress.h"
#include "game/board/CellManager.h"
#include "game/board/GameData.h"
#include "game/board/GameLogic.h"
#include "game/board/model/LevelProgress.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/Image.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUIWindow.h"
#include "framework/LevelManager.h"
#include "framework/Profile.h"
#include "framework/ProfileManager.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"
#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

using namespace Petalwork;

namespace {

class GUIGameLogicWindowDisplayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Platform::Test::SetForceFocus(true);
        Platform::D3D7Test::Reset();
        Platform::D3D7Test::SetBackend(Platform::D3D7Test::Backend::OpenGL);
        engine = std::make_unique<VantoranEngine::Engine>(TestEngineDescriptor(BRINDLE_GAME_FOLDER, user.Path()));
        engine->guiManager->GetCamera()->orthoWidth = 800.0f;
        engine->guiManager->GetCamera()->orthoHeight = 600.0f;
        engine->config->Register("0", "g_relax_mode", VantoranEngine::ConfigType::Bool, true, &relaxStorage, false);
        data = std::make_unique<GameData>(*engine);
        data->Load();
        levels = std::make_unique<LevelManager>(*engine, "ru");
        profiles = std::make_unique<ProfileManager>(*engine, nullptr, profileFolder.Path(), levels.get());
        GameFramework::ProfileBase* profile = profiles->CreateProfile(u"Player");
        static_cast<Profile*>(profile)->relaxQuestionPending = false;
        profiles->SetCurrentProfile(profile);
        panel = std::make_unique<GUIGameLogicWindow>(profiles.get(), engine.get(), data.get());
    }

    void TearDown() override
    {
        panel.reset();
        level.reset();
        profiles.reset();
        levels.reset();
        data.reset();
        engine->config->Unregister("g_relax_mode");
        engine.reset();
        Platform::D3D7Test::Reset();
        Platform::Test::SetForceFocus(false);
    }

    // A tick as the game runs it: the panel before the level.
    void Frame()
    {
        engine->Update();
        engine->timerManager->frameTime = 0.05f;
        panel->Update();
        if (level)
            level->Update();
        engine->EndFrame();
    }

    // The next frame is saved as "picture<n>.tga"; returns it.
    VantoranEngine::Image Shot(int n)
    {
        engine->config->SetCommandReady("sc_take_screenshot", false);
        Frame();
        VantoranEngine::Image image;
        const std::string name = "picture00" + std::to_string(n) + ".tga";
        EXPECT_TRUE(image.Load(engine->messageManager.get(), engine->memoryManager.get(), engine->fileManager.get(),
                               user / std::string("ScreenCaptures/") + name));
        return image;
    }

    // Mean absolute difference of two shots over a GUI rectangle (y up), per channel.
    static double Difference(const VantoranEngine::Image& a, const VantoranEngine::Image& b, float x0, float y0,
                             float x1, float y1)
    {
        const float sx = static_cast<float>(a.width) / 800.0f;
        const float sy = static_cast<float>(a.height) / 600.0f;
        double sum = 0.0;
        int count = 0;
        for (uint32_t y = static_cast<uint32_t>(y0 * sy); y < static_cast<uint32_t>(y1 * sy); ++y)
            for (uint32_t x = static_cast<uint32_t>(x0 * sx); x < static_cast<uint32_t>(x1 * sx); ++x) {
                for (int c = 0; c < 3; ++c)
                    sum += std::abs(static_cast<int>(a.Pixel(x, y)[c]) - static_cast<int>(b.Pixel(x, y)[c]));
                count += 3;
            }
        return count > 0 ? sum / count : 0.0;
    }

    TempFolder user;
    TempFolder profileFolder;
    bool relaxStorage = false;
    std::unique_ptr<VantoranEngine::Engine> engine;
    std::unique_ptr<GameData> data;
    std::unique_ptr<LevelManager> levels;
    std::unique_ptr<ProfileManager> profiles;
    std::unique_ptr<GameLogic> level;
    std::unique_ptr<GUIGameLogicWindow> panel;
};

TEST_F(GUIGameLogicWindowDisplayTest, ALevelInPlayShowsTheBoardBothConveyorsAndThePanel)
{
    const VantoranEngine::Image empty = Shot(0);

    // A level of two conveyors without tips.
    const GameFramework::LevelPosition position{3, 4};
    ASSERT_EQ(levels->GetLevel(position).levelKind, 8);
    level = std::make_unique<GameLogic>(levels->GetLevel(position), levels->GetStage(position.stage), 2, *engine,
                                        nullptr, *data, nullptr, profiles.get(), nullptr, "ru");
    panel->Show(level.get());
    for (int i = 0; i < 600 && level->GetBasketProgress().GetBaskets().size() < 2; ++i)
        Frame();
    for (int i = 0; i < 60; ++i)
        Frame();
    ASSERT_EQ(level->GetState(), GameFramework::LevelState::Playing);
    ASSERT_GE(level->GetBasketProgress().GetBaskets().size(), 2u);
    EXPECT_EQ(panel->GetSlideOffset(), 0.0f);
    EXPECT_TRUE(panel->GetRoot()->visible);
    EXPECT_EQ(panel->GetLifeIcons().size(), 2u);
    EXPECT_EQ(panel->GetLevelsWon(), 4u);
    const VantoranEngine::Image withPanel = Shot(1);

    // The panel's goal text reads the level's goal.
    bool goalQueued = false;
    engine->Update();
    engine->timerManager->frameTime = 0.05f;
    panel->Update();
    for (uint32_t i = 0; i < panel->GetGoalWindow()->GetTextCount(); ++i)
        goalQueued = goalQueued || panel->GetGoalWindow()->GetTextItem(i).text ==
                                       GUIGameLogicWindow::GoalText(8, level->GetLevelProgress().count,
                                                                    level->GetLevelProgress().goal);
    EXPECT_TRUE(goalQueued);
    level->Update();
    engine->EndFrame();

    panel->Hide();
    const VantoranEngine::Image withoutPanel = Shot(2);
    ASSERT_EQ(withPanel.width, empty.width);

    // The board in the middle and both conveyors at the edges are drawn over the empty frame.
    EXPECT_GT(Difference(withPanel, empty, 250.0f, 200.0f, 550.0f, 400.0f), 10.0);
    EXPECT_GT(Difference(withPanel, empty, 0.0f, 100.0f, 100.0f, 500.0f), 10.0);
    EXPECT_GT(Difference(withPanel, empty, 700.0f, 100.0f, 800.0f, 500.0f), 10.0);
    // The panel's bottom bar and top strip go with it.
    EXPECT_GT(Difference(withPanel, withoutPanel, 200.0f, 0.0f, 600.0f, 40.0f), 5.0);
    EXPECT_GT(Difference(withPanel, withoutPanel, 450.0f, 565.0f, 680.0f, 595.0f), 5.0);
    std::string errors;
    for (const auto& entry : engine->messageManager->GetEntries())
        if (entry.text.find("Error") != std::string::npos)
            errors += entry.text + "\n";
    EXPECT_EQ(errors, "");
}

} // namespace
