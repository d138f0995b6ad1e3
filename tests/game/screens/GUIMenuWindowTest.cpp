// The menu window frame over a headless engine: the fade (also restarted mid-way and under a hidden
// parent), the frame types, the layout formulas, the factories and the dialog texts.

#include "game/screens/GUIMenuWindow.h"

#include "ScreenFixture.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIEditBox.h"
#include "engine/render/gui/GUISlider.h"

#include <vector>

using namespace VantoranEngine;
using Petalwork::GUIMenuWindow;

// Colours are stored as 8-bit channels: 3e-3 is one step of 1/255 and a little.
namespace {

class GUIMenuWindowTest : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        descriptors = {Material("gui\\common\\window_main_menu.jpg"),
                       Material("gui\\common\\window_small.jpg"),
                       Material("gui\\common\\window_large.jpg"),
                       Material("gui\\common\\button_short.jpg", 4),
                       Material("gui\\common\\button_long.jpg", 3),
                       Material("gui\\common\\button_glow.jpg", 3),
                       Material("gui\\common\\check_box.jpg", 6),
                       Material("gui\\common\\edit_box.jpg"),
                       Material("gui\\common\\slider.jpg"),
                       Material("gui\\common\\slider_toddler.jpg", 3),
                       Material("gui\\common\\scroll.jpg"),
                       Material("gui\\common\\scroll_arrow_top.jpg", 3),
                       Material("gui\\common\\scroll_arrow_bottom.jpg", 3)};
        materials.windowMainMenu = &descriptors[0];
        materials.windowSmall = &descriptors[1];
        materials.windowLarge = &descriptors[2];
        materials.buttonShort = &descriptors[3];
        materials.buttonLong = &descriptors[4];
        materials.buttonGlow = &descriptors[5];
        materials.checkBox = &descriptors[6];
        materials.editBox = &descriptors[7];
        materials.slider = &descriptors[8];
        materials.sliderThumb = &descriptors[9];
        materials.scroll = &descriptors[10];
        materials.scrollThumb = &descriptors[9];
        materials.scrollArrowTop = &descriptors[11];
        materials.scrollArrowBottom = &descriptors[12];
        layer = gui->CreateUntexturedWindow(GUIWindow::Shown, {0.0f, 0.0f}, {0.0f, 0.0f}, nullptr);
    }

    std::unique_ptr<GUIMenuWindow> Make(GUIMenuWindow::FrameType type)
    {
        return std::make_unique<GUIMenuWindow>(engine.get(), materials, layer, type);
    }

    std::vector<ShaderDescriptor> descriptors;
    GUIMenuWindow::Materials materials;
    GUIWindow* layer = nullptr;
};

// One step of a fade script and what must hold after it.
struct FadeStep {
    char action;       // 'S' Show(true), 'H' Show(false), 'U' Update after `seconds`
    float seconds;
    float alpha;
    bool isShown;
    bool frameVisible;
};

struct FadeCase {
    const char* name;
    std::vector<FadeStep> steps;
};

TEST_F(GUIMenuWindowTest, FadesInAndOutOverHalfASecond)
{
    const std::vector<FadeCase> cases = {
        {"fade in",
         {{'S', 0, 0.0f, true, true},
          {'U', 0.1f, 0.2f, true, true},
          {'U', 0.15f, 0.5f, true, true},
          {'U', 0.3f, 1.0f, true, true},
          {'U', 0.1f, 1.0f, true, true}}},
        {"fade out ends hidden",
         {{'S', 0, 0.0f, true, true},
          {'U', 0.6f, 1.0f, true, true},
          {'H', 0, 1.0f, false, true},
          {'U', 0.1f, 0.8f, false, true},
          {'U', 0.3f, 0.2f, false, true},
          {'U', 0.1f, 0.0f, false, false},
          {'U', 0.1f, 0.0f, false, false}}},
        {"hide in the middle of the fade-in",
         {{'S', 0, 0.0f, true, true},
          {'U', 0.1f, 0.2f, true, true},
          {'H', 0, 1.0f, false, true},
          {'U', 0.1f, 0.8f, false, true}}},
        {"show in the middle of the fade-out",
         {{'S', 0, 0.0f, true, true},
          {'U', 0.6f, 1.0f, true, true},
          {'H', 0, 1.0f, false, true},
          {'U', 0.25f, 0.5f, false, true},
          {'S', 0, 0.0f, true, true},
          {'U', 0.1f, 0.2f, true, true}}},
    };
    for (const FadeCase& fadeCase : cases) {
        SCOPED_TRACE(fadeCase.name);
        std::unique_ptr<GUIMenuWindow> window = Make(GUIMenuWindow::FrameType::Small);
        GUIButton* button = window->CreateButton({10.0f, 10.0f}, GUIMenuWindow::ButtonType::Short);
        EXPECT_FALSE(window->IsFrameVisible());
        int step = 0;
        for (const FadeStep& s : fadeCase.steps) {
            SCOPED_TRACE(step++);
            if (s.action == 'S') {
                window->Show(true);
            } else if (s.action == 'H') {
                window->Show(false);
            } else {
                SetFrameTime(s.seconds);
                window->Update();
            }
            EXPECT_NEAR(window->GetAlpha(), s.alpha, 1e-4f);
            EXPECT_EQ(window->IsShown(), s.isShown);
            EXPECT_EQ(window->IsFrameVisible(), s.frameVisible);
            EXPECT_EQ(window->AcceptsInput(), s.isShown && s.frameVisible);
            // The listed controls follow the frame's alpha (Show(false) alone changes nothing yet).
            if (s.action != 'H') {
                EXPECT_NEAR(window->GetFrame()->GetColor().a, s.alpha, 3e-3f);
                EXPECT_NEAR(button->GetColor().a, s.alpha, 3e-3f);
            }
        }
    }
}

TEST_F(GUIMenuWindowTest, AFadeOutUnderAHiddenParentEndsAtOnceWithOpaqueControls)
{
    std::unique_ptr<GUIMenuWindow> window = Make(GUIMenuWindow::FrameType::Large);
    GUIButton* button = window->CreateButton({10.0f, 10.0f}, GUIMenuWindow::ButtonType::Long);
    window->Show(true);
    SetFrameTime(0.1f);
    window->Update();
    ASSERT_NEAR(button->GetColor().a, 0.2f, 3e-3f);

    layer->flags &= ~GUIWindow::Shown;
    layer->UpdateVisibility();
    window->Show(false);
    window->Update();
    EXPECT_FALSE(window->IsShown());
    EXPECT_FALSE(window->IsHiding());
    EXPECT_EQ(window->GetFrame()->flags & GUIWindow::Shown, 0u);
    EXPECT_NEAR(button->GetColor().a, 1.0f, 3e-3f);
    EXPECT_NEAR(window->GetFrame()->GetColor().a, 1.0f, 3e-3f);

    // Shown again under a visible parent, it fades in from nothing.
    layer->flags |= GUIWindow::Shown;
    layer->UpdateVisibility();
    window->Show(true);
    EXPECT_TRUE(window->IsFrameVisible());
    EXPECT_NEAR(button->GetColor().a, 0.0f, 3e-3f);
}

TEST_F(GUIMenuWindowTest, FrameTypesPlaceTheFrameUnderItsParent)
{
    struct Row {
        GUIMenuWindow::FrameType type;
        Vector2 position;
        Vector2 size;
    };
    const Row rows[] = {
        {GUIMenuWindow::FrameType::MainMenu, {272.0f, 160.0f}, {256.0f, 256.0f}},
        {GUIMenuWindow::FrameType::Small, {215.0f, 160.0f}, {370.0f, 256.0f}},
        {GUIMenuWindow::FrameType::Large, {144.0f, 40.0f}, {512.0f, 393.0f}},
        {GUIMenuWindow::FrameType::Anchor, {0.0f, 0.0f}, {0.0f, 0.0f}},
        {GUIMenuWindow::FrameType::Tip, {144.0f, 103.5f}, {512.0f, 393.0f}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(static_cast<int>(row.type));
        std::unique_ptr<GUIMenuWindow> window = Make(row.type);
        GUIWindow* frame = window->GetFrame();
        EXPECT_EQ(frame->GetParent(), layer);
        EXPECT_FLOAT_EQ(frame->position.x, row.position.x);
        EXPECT_FLOAT_EQ(frame->position.y, row.position.y);
        EXPECT_FLOAT_EQ(frame->size.x, row.size.x);
        EXPECT_FLOAT_EQ(frame->size.y, row.size.y);
        EXPECT_NE(frame->flags & GUIWindow::Colored, 0u);
        EXPECT_FALSE(frame->visible);
        ASSERT_EQ(window->GetControls().size(), 1u);
        EXPECT_EQ(window->GetControls()[0], frame);
    }
    EXPECT_EQ(gui->windows.count, 1); // every frame left the GUI with its window
}

TEST_F(GUIMenuWindowTest, LayoutsCentreRowsOnTheFrameWithTheFirstButtonsWidth)
{
    // Small frame: W = 370; short buttons are 138 wide, long ones 419.
    struct Row {
        GUIMenuWindow::FrameType type;
        GUIMenuWindow::ButtonType buttons;
        int count;
        float gap;
        std::vector<float> xs;
    };
    const std::vector<Row> rows = {
        {GUIMenuWindow::FrameType::Small, GUIMenuWindow::ButtonType::Short, 2, 20.0f, {37.0f, 195.0f}},
        {GUIMenuWindow::FrameType::Small, GUIMenuWindow::ButtonType::Short, 3, 10.0f, {-32.0f, 116.0f, 264.0f}},
        {GUIMenuWindow::FrameType::Large, GUIMenuWindow::ButtonType::Glow, 2, 0.0f, {60.0f, 256.0f}},
        {GUIMenuWindow::FrameType::Large, GUIMenuWindow::ButtonType::Short, 3, 4.0f, {45.0f, 187.0f, 329.0f}},
    };
    for (const Row& row : rows) {
        std::unique_ptr<GUIMenuWindow> window = Make(row.type);
        std::vector<GUIWindow*> buttons;
        for (int i = 0; i < row.count; ++i)
            buttons.push_back(window->CreateButton({0.0f, 0.0f}, row.buttons));
        if (row.count == 2)
            window->LayOutTwoButtons(buttons[0], buttons[1], row.gap, 33.0f);
        else
            window->LayOutThreeButtons(buttons[0], buttons[1], buttons[2], row.gap, 33.0f);
        for (int i = 0; i < row.count; ++i) {
            SCOPED_TRACE(i);
            EXPECT_FLOAT_EQ(buttons[i]->position.x, row.xs[i]);
            EXPECT_FLOAT_EQ(buttons[i]->position.y, 33.0f);
        }
    }
}

TEST_F(GUIMenuWindowTest, FactoriesMakeFadingChildrenOfTheFrameExceptTextButtons)
{
    std::unique_ptr<GUIMenuWindow> window = Make(GUIMenuWindow::FrameType::Large);
    GUIButton* shortButton = window->CreateButton({1.0f, 2.0f}, GUIMenuWindow::ButtonType::Short);
    GUIButton* longButton = window->CreateButton({0.0f, 0.0f}, GUIMenuWindow::ButtonType::Long);
    GUIButton* glowButton = window->CreateButton({0.0f, 0.0f}, GUIMenuWindow::ButtonType::Glow);
    GUICheckBox* box = window->CreateCheckBox({0.0f, 0.0f});
    GUIEditBox* edit = window->CreateEditBox({0.0f, 0.0f});
    GUISlider* slider = window->CreateSlider({0.0f, 0.0f});
    GUIScroll* scroll = window->CreateScroll({0.0f, 0.0f});
    GUIButton* text = window->CreateTextButton("NO_SUCH_KEY", {5.0f, 6.0f});

    const std::vector<GUIWindow*> listed = {window->GetFrame(), shortButton, longButton, glowButton, box, edit,
                                            slider, scroll};
    EXPECT_EQ(window->GetControls(), listed);
    for (size_t i = 1; i < listed.size(); ++i)
        EXPECT_EQ(listed[i]->GetParent(), window->GetFrame());
    EXPECT_EQ(text->GetParent(), window->GetFrame());

    struct Size {
        GUIWindow* control;
        float w, h;
    };
    for (const Size& s : {Size{shortButton, 138, 46}, Size{longButton, 419, 46}, Size{glowButton, 196, 32},
                          Size{box, 32, 32}, Size{edit, 304, 41}, Size{slider, 256, 32}, Size{scroll, 32, 128}}) {
        EXPECT_FLOAT_EQ(s.control->size.x, s.w);
        EXPECT_FLOAT_EQ(s.control->size.y, s.h);
    }
    EXPECT_FLOAT_EQ(slider->trackStart.x, -2.0f);
    EXPECT_FLOAT_EQ(slider->trackEnd.x, 225.0f);
    EXPECT_EQ(slider->steps, 1001);
    EXPECT_FLOAT_EQ(slider->thumbSize.x, 32.0f);
    EXPECT_FLOAT_EQ(scroll->trackStart.y, -1.0f);
    EXPECT_FLOAT_EQ(scroll->trackEnd.y, 98.0f);
    ASSERT_NE(scroll->GetBackArrow(), nullptr);
    ASSERT_NE(scroll->GetForwardArrow(), nullptr);
    EXPECT_FLOAT_EQ(scroll->GetBackArrow()->position.y, 132.0f);
    EXPECT_FLOAT_EQ(scroll->GetForwardArrow()->position.y, -36.0f);
    // No font 1 here: the text button keeps its margins only.
    EXPECT_FLOAT_EQ(text->size.x, 4.0f);
    EXPECT_FLOAT_EQ(text->size.y, 2.0f);

    // The fade leaves the text button alone.
    window->Show(true);
    SetFrameTime(0.1f);
    window->Update();
    EXPECT_NEAR(edit->GetColor().a, 0.2f, 3e-3f);
    EXPECT_NEAR(text->GetColor().a, 1.0f, 3e-3f);

    for (GUIButton* button : {shortButton, longButton, glowButton, text}) {
        gui->buttons.Remove(button);
        delete button;
    }
    gui->checkBoxes.Remove(box);
    delete box;
    gui->editBoxes.Remove(edit);
    delete edit;
    gui->sliders.Remove(slider);
    delete slider;
    gui->scrolls.Remove(scroll);
    delete scroll;
}

TEST_F(GUIMenuWindowTest, DialogTextsFollowTheConventionsAtTheFramesAlpha)
{
    std::unique_ptr<GUIMenuWindow> window = Make(GUIMenuWindow::FrameType::Small);
    GUIButton* button = window->CreateButton({0.0f, 0.0f}, GUIMenuWindow::ButtonType::Short);
    window->Show(true);
    SetFrameTime(0.2f);
    window->Update();
    window->AddTitle("EXIT_TITLE", 210.0f);
    window->AddLine("EXIT_TEXT_", 2, 150.0f);
    window->AddCaption(button, "EXIT_YES");
    window->AddFrameText({3.0f, 4.0f}, 0, 9, u"12");

    GUIWindow* frame = window->GetFrame();
    ASSERT_EQ(frame->GetTextCount(), 3u);
    const GUITextItem& title = frame->GetTextItem(0);
    EXPECT_EQ(title.key, "EXIT_TITLE");
    EXPECT_TRUE(title.byKey);
    EXPECT_EQ(title.index, -1);
    EXPECT_EQ(title.fontId, 5);
    EXPECT_EQ(title.alignment, 1u);
    EXPECT_FLOAT_EQ(title.position.x, 0.0f);
    EXPECT_FLOAT_EQ(title.position.y, 210.0f);
    EXPECT_FLOAT_EQ(title.size, -1.0f);
    EXPECT_NEAR(title.colour.a, 0.4f, 1e-4f);
    const GUITextItem& line = frame->GetTextItem(1);
    EXPECT_EQ(line.key, "EXIT_TEXT_");
    EXPECT_EQ(line.index, 2);
    EXPECT_EQ(line.fontId, 1);
    EXPECT_EQ(line.alignment, 1u);
    const GUITextItem& plain = frame->GetTextItem(2);
    EXPECT_FALSE(plain.byKey);
    EXPECT_EQ(plain.text, u"12");
    EXPECT_EQ(plain.fontId, 9);
    EXPECT_NEAR(plain.colour.a, 0.4f, 1e-4f);
    ASSERT_EQ(button->GetTextCount(), 1u);
    EXPECT_EQ(button->GetTextItem(0).fontId, 6);
    EXPECT_EQ(button->GetTextItem(0).alignment, 3u);
    EXPECT_EQ(button->GetTextItem(0).key, "EXIT_YES");

    gui->buttons.Remove(button);
    delete button;
}

} // namespace
