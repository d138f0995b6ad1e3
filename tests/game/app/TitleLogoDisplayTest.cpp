// The title logo on the real game and its default data, in an offscreen window: once a first player has
// entered the menus and the logo has flown in and faded in, its golden lettering is on screen where the
// logo stands, above the menu frame, and it goes when the logo is removed. The menu, its plate and the
// logo are centred on the 800-unit screen.

#include "game/app/Game.h"

#include "engine/core/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/gui/GUIWindow.h"
#include "game/screens/GUIBackgroundWindow.h"
#include "game/screens/GUIGameLoadingWindow.h"
#include "game/screens/GUIMainMenuWindow.h"
#include "game/screens/GUIWelcomeWindow.h"
#include "platform/d3d7/D3D7.h"
#include "platform/input/DirectInput.h"

#include "tests/game/app/GameWorld.h"
#include "tests/game/app/ScriptedPlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

using namespace VantoranEngine;
using namespace Petalwork;

namespace {

constexpr float screenWidth = 800.0f, screenHeight = 600.0f;

class TitleLogo : public ::testing::Test {
protected:
    void Tick() { player.Tick(); }
    bool WaitFor(const std::function<bool()>& done) { return player.WaitFor(done); }

    // The last presented frame, as the window shows it: the 800 x 600 screen scaled uniformly and centred.
    void ReadFrame()
    {
        ASSERT_TRUE(Platform::ReadPresentedFrame(width, height, frame));
        scale = std::min(static_cast<float>(width) / screenWidth, static_cast<float>(height) / screenHeight);
        left = (static_cast<float>(width) - screenWidth * scale) / 2.0f;
        bottom = (static_cast<float>(height) - screenHeight * scale) / 2.0f;
        ASSERT_GT(scale, 0.0f);
    }

    // Pixels of the logo's golden lettering (pale yellow to amber, never grey, blue or green) within
    // [x0, x1] x [y0, y1] of the GUI screen (y up), as a fraction of the pixels looked at.
    double GoldenShare(float x0, float y0, float x1, float y1) const
    {
        int golden = 0, total = 0;
        for (float y = y0; y <= y1; y += 1.0f)
            for (float x = x0; x <= x1; x += 1.0f) {
                const auto column = static_cast<size_t>(left + x * scale);
                const auto row = static_cast<size_t>(bottom + y * scale); // rows are stored bottom first
                const size_t i = (row * width + column) * 4;
                const int b = frame[i], g = frame[i + 1], r = frame[i + 2];
                golden += r > 200 && g > 140 && r - b > 90 ? 1 : 0;
                ++total;
            }
        return total ? static_cast<double>(golden) / total : 0.0;
    }

    GameWorld world; // first: it outlives the game
    ScriptedPlayer player{false};
    std::unique_ptr<Game>& game = player.game;
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> frame;
    float scale = 0.0f, left = 0.0f, bottom = 0.0f; // the screen scaled and centred in the frame
};

float CentreX(const GUIWindow* window) { return window->GetAbsolutePosition().x + window->size.x / 2.0f; }

TEST_F(TitleLogo, LetteringShowsAboveTheMenuOnceTheMenusAreEnteredAndGoesWhenRemoved)
{
    game = std::make_unique<Game>("Brindlemoor", "Quorvane");

    // First run: the logos, the loading, the welcome dialog; a name and Enter lead to the main menu.
    ASSERT_TRUE(WaitFor([this] { return game->welcomeWindow && game->welcomeWindow->shown; }));
    auto* welcome = dynamic_cast<GUIWelcomeWindow*>(game->welcomeWindow.get());
    ASSERT_NE(welcome, nullptr);
    ASSERT_TRUE(WaitFor([welcome] { return welcome->AcceptsInput() && welcome->GetAlpha() >= 1.0f; }));
    for (const char* letter : {"A", "n", "n", "a"}) {
        Platform::Test::InjectText(letter);
        Tick();
    }
    Platform::Test::InjectKey(Platform::DIK_RETURN, true);
    Tick();
    Platform::Test::InjectKey(Platform::DIK_RETURN, false);
    Tick();

    auto* menu = dynamic_cast<GUIMainMenuWindow*>(game->mainMenuWindow.get());
    ASSERT_NE(menu, nullptr);
    GUIBackgroundWindow* logo = game->titleLogo.get();
    ASSERT_NE(logo, nullptr);
    const auto still = [](const Model* model) {
        return model->animationControl == nullptr || model->animationControl->play == 0;
    };
    // Settled: the menu in place, the logo arrived and faded in, the loading picture faded out over them.
    auto* loading = dynamic_cast<GUIGameLoadingWindow*>(game->loadingWindow.get());
    ASSERT_NE(loading, nullptr);
    ASSERT_TRUE(WaitFor([&] {
        return menu->AcceptsInput() && menu->GetAlpha() >= 1.0f && still(menu->GetMenuAnchor()) &&
               still(logo->pathModel) && logo->alpha >= 1.0f && loading->GetPicture() == nullptr;
    }));
    Tick();
    ASSERT_TRUE(logo->IsLogoShown());

    // The logo stands centred above the menu frame; the menu and its plate are centred too.
    const BoundingBox& logoBox = logo->logoModel->boundingBox;
    EXPECT_NEAR(logo->logoModel->worldMatrix[3], screenWidth / 2.0f, 1.0f);
    EXPECT_NEAR(CentreX(menu->GetFrame()), screenWidth / 2.0f, 1.0f);
    EXPECT_NEAR(CentreX(menu->GetPlate()), screenWidth / 2.0f, 1.0f);
    const float frameTop = menu->GetFrame()->GetAbsolutePosition().y + menu->GetFrame()->size.y;
    EXPECT_GE(logoBox.worldMin.y, frameTop);
    EXPECT_LE(logoBox.worldMax.y, screenHeight);
    EXPECT_GE(logoBox.worldMin.x, 0.0f);
    EXPECT_LE(logoBox.worldMax.x, screenWidth);

    // The lettering: a band across the word's middle, inside the logo's picture.
    const float x = logo->logoModel->worldMatrix[3], y = logo->logoModel->worldMatrix[7];
    ReadFrame();
    const double shown = GoldenShare(x - 170.0f, y - 15.0f, x + 170.0f, y + 25.0f);
    EXPECT_GT(shown, 0.2);

    logo->Remove();
    Tick();
    Tick();
    ReadFrame();
    EXPECT_LT(GoldenShare(x - 170.0f, y - 15.0f, x + 170.0f, y + 25.0f), 0.01) << "shown: " << shown;

    game->engine->RequestExit();
    Tick();
}

} // namespace
