// The logos window over a headless engine with its own data folder: the timing of one and of three
// logos, result 1 exactly once with the backdrop deleted, and the last logo left drawing over the
// loading picture.

#include "game/screens/GUILogosWindow.h"

#include "ScreenFixture.h"

using namespace VantoranEngine;
using Petalwork::GUILogosWindow;

namespace {

class GUILogosWindowTest : public ScreenFixture {
protected:
    // Runs the window in steps of `step` seconds; the times at which result 1 came and the last logo
    // ended.
    struct Run {
        std::vector<float> results;
        float end = -1.0f;
    };
    Run RunFor(GUILogosWindow& window, float seconds, float step)
    {
        Run run;
        SetFrameTime(step);
        for (float t = step; t <= seconds + 1e-3f; t += step) {
            window.Update();
            if (window.result == 1)
                run.results.push_back(t);
            if (run.end < 0.0f && window.GetCurrentLogo() == nullptr)
                run.end = t;
        }
        return run;
    }
};

class GUILogosWindowAllLogosTest : public GUILogosWindowTest {
protected:
    void PrepareData() override
    {
        data.WriteFile("data/ui/logos/portal_logo.jpg", "not read here");
        data.WriteFile("data/ui/logos/publisher_logo.jpg", "not read here");
    }
};

TEST_F(GUILogosWindowTest, TheOnlyLogoRaisesTheResultWhenItStartsToFadeOut)
{
    GUILogosWindow window(engine.get());
    window.Show();
    ASSERT_NE(window.GetBackdrop(), nullptr);
    EXPECT_EQ(window.GetLogoCount(), 1u);
    EXPECT_EQ(window.GetCurrentLogo()->GetParent(), window.GetBackdrop());
    EXPECT_NEAR(window.GetBackdrop()->GetColor().a, 1.0f, 3e-3f);
    EXPECT_NEAR(window.GetBackdrop()->GetColor().r, 0.0f, 3e-3f);

    SetFrameTime(0.5f);
    window.Update();
    EXPECT_TRUE(window.GetCurrentLogo()->visible);
    EXPECT_NEAR(window.GetCurrentLogo()->GetColor().a, 0.5f, 3e-3f);

    const Run run = RunFor(window, 4.0f, 0.25f);
    // Clock 0.5 before the run: result at 2.5 s, end on the first frame past 3.5 s.
    ASSERT_EQ(run.results.size(), 1u);
    EXPECT_NEAR(run.results[0] + 0.5f, 2.5f, 1e-3f);
    EXPECT_NEAR(run.end + 0.5f, 3.75f, 1e-3f);
    EXPECT_EQ(window.GetBackdrop(), nullptr);
    EXPECT_EQ(gui->windows.count, 0);
}

TEST_F(GUILogosWindowAllLogosTest, ThreeLogosRaiseTheResultWhenTheThirdStartsToFadeOut)
{
    GUILogosWindow window(engine.get());
    window.Show();
    EXPECT_EQ(window.GetLogoCount(), 3u);
    const Run run = RunFor(window, 12.0f, 0.25f);
    ASSERT_EQ(run.results.size(), 1u);
    // 3.5 + 3.5 + 2.5 s of clock; each logo ends on the first frame past its end and the next one starts
    // its clock on the frame after, so 0.25 s steps add 0.25 s per finished logo.
    EXPECT_NEAR(run.results[0], 10.0f, 1e-3f);
    EXPECT_EQ(gui->windows.count, 0);
}

TEST_F(GUILogosWindowTest, TheOrphanedLastLogoDrawsOverTheLoadingPicture)
{
    GUILogosWindow window(engine.get());
    window.Show();
    SetFrameTime(0.1f);
    while (window.result == 0)
        window.Update();
    GUIWindow* logo = window.GetCurrentLogo();
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->GetParent(), nullptr);
    EXPECT_TRUE(logo->visible);
    EXPECT_LT(logo->depth, GUIWindow::rootDepth);
    window.Update();
    EXPECT_EQ(window.result, 0); // once
}

TEST_F(GUILogosWindowTest, ASlowFrameJumpsToItsPhase)
{
    GUILogosWindow window(engine.get());
    window.Show();
    SetFrameTime(3.0f);
    window.Update();
    EXPECT_EQ(window.result, 1);
    EXPECT_NEAR(window.GetCurrentLogo()->GetColor().a, 0.5f, 3e-3f);
    SetFrameTime(0.6f);
    window.Update();
    EXPECT_EQ(window.GetCurrentLogo(), nullptr);
    EXPECT_EQ(gui->windows.count, 0);
}

} // namespace
