// Buttons and check boxes: press, click and hover over frames, disabling, frame choice; sliders and
// scroll bars: dragging, ends, reversal, arrows with repeat, disabling.

#include "engine/core/TimerManager.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUISlider.h"

#include "GUIWidgetFixture.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;

namespace {

constexpr Vector2 inside{150, 120};
constexpr Vector2 outside{10, 10};

struct Step {
    Vector2 cursor;
    bool mouseDown;
    int32_t state;
    bool clicked;
};

class GUIButtonTest : public GUIWidgetFixture {
protected:
    template <typename T>
    std::unique_ptr<T> Make()
    {
        return std::make_unique<T>(services, GUIWindow::Shown, Vector2{100, 100}, Vector2{100, 40}, nullptr);
    }

    static void Run(GUIButton& button, const std::vector<Step>& steps, const char* what)
    {
        for (size_t i = 0; i < steps.size(); ++i) {
            EXPECT_TRUE(button.Update(steps[i].cursor, steps[i].mouseDown));
            EXPECT_EQ(button.state, steps[i].state) << what << " frame " << i;
            EXPECT_EQ(button.clicked, steps[i].clicked) << what << " frame " << i;
        }
    }
};

TEST_F(GUIButtonTest, PressesAndClicksOverFrames)
{
    const struct {
        const char* what;
        std::vector<Step> steps;
    } cases[] = {
        {"click",
         {{outside, false, 0, false}, {inside, false, 1, false}, {inside, true, 2, false},
          {inside, false, 1, true}, {inside, false, 1, false}}},
        {"press inside, release outside",
         {{inside, true, 2, false}, {outside, true, 0, false}, {outside, false, 0, false},
          {inside, false, 1, false}}},
        {"press outside, move in held, release inside",
         {{outside, true, 0, false}, {inside, true, 2, false}, {inside, false, 1, true}}},
        {"leave while held and come back",
         {{inside, true, 2, false}, {outside, true, 0, false}, {inside, true, 2, false}, {inside, false, 1, true}}},
    };
    for (const auto& c : cases)
        Run(*Make<GUIButton>(), c.steps, c.what);
}

TEST_F(GUIButtonTest, DisabledButtonsIgnoreInputUntilShownAgain)
{
    auto button = Make<GUIButton>();
    button->SetEnabled(false);
    EXPECT_EQ(button->GetState(), GUIButton::Disabled);
    EXPECT_FALSE(button->Update(inside, true));
    EXPECT_FALSE(button->Update(inside, false));
    EXPECT_FALSE(button->clicked);
    EXPECT_EQ(button->state, GUIButton::Disabled);
    button->SetEnabled(false);
    EXPECT_EQ(button->state, GUIButton::Disabled);

    button->flags &= ~GUIWindow::Shown;
    button->UpdateVisibility();
    button->SetFlags(GUIWindow::Shown);
    EXPECT_EQ(button->state, GUIButton::Normal);
    Run(*button, {{inside, true, 2, false}, {inside, false, 1, true}}, "re-shown");

    // A press in progress does not survive hiding: showing again needs a new press to click.
    Run(*button, {{inside, true, 2, false}}, "pressed");
    button->flags &= ~GUIWindow::Shown;
    button->UpdateVisibility();
    EXPECT_FALSE(button->Update(inside, false));
    button->SetFlags(GUIWindow::Shown);
    Run(*button, {{inside, false, 1, false}}, "shown after the release");
}

TEST_F(GUIButtonTest, CheckBoxesToggleOncePerClickAndChooseTheirFrame)
{
    auto box = Make<GUICheckBox>();
    EXPECT_EQ(box->hoverSound, 2);
    EXPECT_EQ(box->pressSound, 3);
    const std::pair<Vector2, bool> frames[] = {{inside, true}, {inside, true}, {inside, false}, {inside, false}};
    for (const auto& [cursor, down] : frames)
        box->Update(cursor, down);
    EXPECT_TRUE(box->checked);
    box->Update(inside, true);
    box->Update(outside, false);
    EXPECT_TRUE(box->checked);

    const int32_t expected[2][4] = {{0, 1, 2, 6}, {3, 4, 5, 7}};
    for (int checked = 0; checked < 2; ++checked)
        for (int32_t state = 0; state < 4; ++state) {
            box->checked = checked != 0;
            box->state = state;
            EXPECT_EQ(box->GetState(), expected[checked][state]) << checked << " " << state;
        }
}

class GUISliderTest : public GUIWidgetFixture {
protected:
    // Slider at (100, 100), track from (10, 10) to (210, 10), thumb 20 × 20: the thumb's hit area is
    // x 100..320, y 100..120 and position 0 lies at cursor x 120.
    std::unique_ptr<GUISlider> MakeSlider()
    {
        auto slider = std::make_unique<GUISlider>(services, GUIWindow::Shown, Vector2{100, 100}, Vector2{240, 40},
                                                  nullptr, Vector2{10, 10}, Vector2{210, 10}, 1001, false);
        slider->SetThumbModel({20, 20}, nullptr);
        return slider;
    }
};

TEST_F(GUISliderTest, PressingOnTheTrackJumpsAndDrags)
{
    auto slider = MakeSlider();
    EXPECT_EQ(slider->position, 0);
    const struct {
        float x;
        int32_t position;
    } drag[] = {{220.0f, 500}, {221.0f, 505}, {120.2f, 1}, {105.0f, 0}, {330.0f, 1000}, {170.0f, 250}};
    for (const auto& d : drag) {
        slider->Update({d.x, 110}, true);
        EXPECT_EQ(slider->position, d.position) << d.x;
    }
    slider->Update({300, 110}, false);
    slider->Update({200, 110}, false);
    EXPECT_EQ(slider->position, 250);

    slider->reversed = true;
    slider->Update({170, 110}, true);
    EXPECT_EQ(slider->position, 750);
}

TEST_F(GUISliderTest, PositionsAreClampedAndShortTracksDivideByOne)
{
    auto slider = MakeSlider();
    slider->SetPosition(-3);
    EXPECT_EQ(slider->position, 0);
    slider->SetPosition(1001);
    EXPECT_EQ(slider->position, 1000);

    GUISlider flat(services, GUIWindow::Shown, {0, 0}, {100, 100}, nullptr, {0, 0}, {0.5f, 0}, 11, false);
    flat.SetThumbModel({10, 10}, nullptr);
    flat.Update({5.3f, 5}, true); // t = (5.3 - 5) / 1
    EXPECT_EQ(flat.position, 3);
    EXPECT_EQ(GUISlider(services, 0, {}, {}, nullptr, {}, {}, 0, false).steps, 2);
}

TEST_F(GUISliderTest, DisabledSlidersIgnoreDragsUntilShownAgain)
{
    auto slider = MakeSlider();
    slider->SetEnabled(false);
    EXPECT_EQ(slider->state, GUISlider::Disabled);
    EXPECT_EQ(slider->GetThumb()->state, GUIButton::Disabled);
    EXPECT_FALSE(slider->Update({220, 110}, true));
    EXPECT_EQ(slider->position, 0);

    slider->flags &= ~GUIWindow::Shown;
    slider->UpdateVisibility();
    slider->SetFlags(GUIWindow::Shown);
    EXPECT_EQ(slider->state, GUISlider::Normal);
    EXPECT_EQ(slider->GetThumb()->state, GUIButton::Normal);
    EXPECT_TRUE(slider->Update({220, 110}, true));
    EXPECT_EQ(slider->position, 500);
}

class GUIScrollTest : public GUIWidgetFixture {
protected:
    // A scroll bar of 100 steps at position 50: the forward arrow at the top, the back arrow at the bottom.
    std::unique_ptr<GUIScroll> MakeScroll()
    {
        auto scroll = std::make_unique<GUIScroll>(services, GUIWindow::Shown, Vector2{0, 0}, Vector2{20, 200},
                                                  nullptr, Vector2{0, 20}, Vector2{0, 180});
        EXPECT_EQ(scroll->steps, 2);
        EXPECT_TRUE(scroll->vertical);
        scroll->steps = 100;
        scroll->SetPosition(50);
        scroll->SetDecreaseButton({0, 180}, {20, 20});
        scroll->SetIncreaseButton({0, 0}, {20, 20});
        timers->frameTime = 0.1f;
        return scroll;
    }
    static constexpr Vector2 top{10, 190};
    static constexpr Vector2 bottom{10, 10};
};

TEST_F(GUIScrollTest, HeldArrowsStepAtOnceThenEveryInterval)
{
    auto scroll = MakeScroll();
    for (int frame = 0; frame < 5; ++frame)
        scroll->Update(top, true);
    EXPECT_EQ(scroll->position, 54);
    scroll->Update(top, false);
    scroll->Update(top, true);
    EXPECT_EQ(scroll->position, 55);
    scroll->Update(top, false);
    scroll->Update(bottom, true);
    EXPECT_EQ(scroll->position, 54);
    EXPECT_EQ(scroll->GetThumb()->layer, 2);
    EXPECT_EQ(scroll->GetThumb()->pressSound, 9);
    EXPECT_EQ(scroll->GetForwardArrow()->pressSound, 11);

    scroll->SetPosition(99);
    scroll->Update(bottom, false);
    for (int frame = 0; frame < 3; ++frame)
        scroll->Update(top, true);
    EXPECT_EQ(scroll->position, 99);
}

TEST_F(GUIScrollTest, BothArrowsHeldLeaveThePositionAndDisabledBarsIgnoreArrows)
{
    auto scroll = MakeScroll();
    scroll->SetIncreaseButton({0, 180}, {20, 20});
    for (int frame = 0; frame < 4; ++frame)
        scroll->Update(top, true);
    EXPECT_EQ(scroll->position, 50);

    scroll->Update(top, false);
    scroll->SetEnabled(false);
    EXPECT_EQ(scroll->GetForwardArrow()->state, GUIButton::Disabled);
    for (int frame = 0; frame < 4; ++frame)
        EXPECT_FALSE(scroll->Update(top, true));
    EXPECT_EQ(scroll->position, 50);
    EXPECT_FLOAT_EQ(scroll->repeatTime, 0.0f);
}

} // namespace
