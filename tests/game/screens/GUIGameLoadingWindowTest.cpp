// The start-up loading screen over a headless engine with a bundle that loads at once: the timing of
// "LOADING", the load and the result, and the picture's fade-out after Hide.

#include "game/screens/GUIGameLoadingWindow.h"

#include "ScreenFixture.h"
#include "framework/DataKeeper.h"
#include "engine/render/Model.h"

using namespace VantoranEngine;
using Petalwork::GUIGameLoadingWindow;

namespace {

class CountingBundle : public GameFramework::DataKeeper {
public:
    using DataKeeper::DataKeeper;
    int loads = 0;

protected:
    void LoadResources() override { ++loads; }
};

class GUIGameLoadingWindowTest : public ScreenFixture {
protected:
    // The alpha of the "LOADING" text queued in this frame.
    static float TextAlpha(const GUIWindow* picture)
    {
        EXPECT_EQ(picture->GetTextCount(), 1u);
        if (picture->GetTextCount() == 0)
            return -1.0f;
        const GUITextItem& text = picture->GetTextItem(0);
        EXPECT_EQ(text.key, "LOADING");
        EXPECT_EQ(text.fontId, 1);
        EXPECT_EQ(text.alignment, 3u);
        return text.colour.a;
    }
};

TEST_F(GUIGameLoadingWindowTest, TextFadesInLoadsAt235AndReportsAt365)
{
    CountingBundle bundle(*engine);
    GUIGameLoadingWindow window(engine.get());
    GUIWindow* picture = window.GetPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->visible);
    window.Show(&bundle);
    EXPECT_TRUE(picture->visible);

    // Steps of 0.1 s: the clock after step k is k / 10.
    struct Row {
        int step;
        float textAlpha;
        int loads;
        int result;
    };
    const Row rows[] = {
        {10, 0.0f, 0, 0}, {17, 0.5f, 0, 0}, {23, 1.0f, 0, 0}, {24, 1.0f, 1, 0}, // the load at 2.4 > 2.35
        {25, 1.0f, 1, 0}, {30, 0.5f, 1, 0}, {35, 0.0f, 1, 0}, {36, 0.0f, 1, 0}, {37, 0.0f, 1, 1},
    };
    SetFrameTime(0.1f);
    int step = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.step);
        int result = 0;
        while (step < row.step) {
            ++step;
            window.Update();
            result = window.result;
            if (step < row.step)
                picture->Render(); // drops the frame's texts
        }
        EXPECT_NEAR(TextAlpha(picture), row.textAlpha, 1e-3f);
        EXPECT_EQ(bundle.loads, row.loads);
        EXPECT_EQ(result, row.result);
        picture->Render();
    }
}

TEST_F(GUIGameLoadingWindowTest, HiddenPictureFadesOutOverTheMenuAndIsDeleted)
{
    CountingBundle bundle(*engine);
    GUIGameLoadingWindow window(engine.get());
    window.Show(&bundle);
    SetFrameTime(0.1f);
    while (window.result == 0)
        window.Update();
    window.Hide();
    GUIWindow* picture = window.GetPicture();
    EXPECT_FLOAT_EQ(picture->depth, -1000.0f);
    EXPECT_FLOAT_EQ(picture->model->depth, -1000.0f);
    SetFrameTime(0.25f);
    window.Update();
    EXPECT_NEAR(picture->GetColor().a, 0.875f, 3e-3f);
    EXPECT_EQ(window.result, 0);
    for (int i = 0; i < 7; ++i)
        window.Update();
    EXPECT_NE(window.GetPicture(), nullptr); // alpha exactly 0 after 2 s, not yet below
    window.Update();
    EXPECT_EQ(window.GetPicture(), nullptr);
    EXPECT_EQ(gui->windows.count, 0);
    EXPECT_EQ(bundle.loads, 1);
}

} // namespace
