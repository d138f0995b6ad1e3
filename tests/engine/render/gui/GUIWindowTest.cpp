// Windows: hit tests, visibility through the parent chain, flags, depths by tier and layer, orphaning,
// the text queue, and the GUI material builder.

#include "GUIWidgetFixture.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;

namespace {

class GUIWindowTest : public GUIWidgetFixture {
protected:
    std::unique_ptr<GUIWindow> Make(uint32_t flags, Vector2 position, Vector2 size, GUIWindow* parent = nullptr)
    {
        return std::make_unique<GUIWindow>(services, flags, position, size, parent);
    }
};

TEST_F(GUIWindowTest, HitTestIsStrictlyInsideTheAbsoluteRectangle)
{
    auto parent = Make(GUIWindow::Shown, {100, 100}, {300, 300});
    auto child = Make(GUIWindow::Shown, {10, 20}, {50, 40}, parent.get());
    const struct {
        Vector2 cursor;
        bool inside;
    } cases[] = {
        {{110.5f, 120.5f}, true}, {{110.0f, 130.0f}, false}, {{160.0f, 130.0f}, false},
        {{135.0f, 160.0f}, false}, {{159.9f, 159.9f}, true}, {{35.0f, 45.0f}, false},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(child->Update(c.cursor, false));
        EXPECT_EQ(child->hovered, c.inside) << c.cursor.x << "," << c.cursor.y;
    }
    child->flags &= ~GUIWindow::Shown;
    child->UpdateVisibility();
    EXPECT_FALSE(child->Update({120, 130}, false));
    EXPECT_FALSE(child->hovered);
}

TEST_F(GUIWindowTest, VisibilityFollowsTheParentChain)
{
    auto parent = Make(0, {0, 0}, {100, 100});
    auto child = Make(GUIWindow::Shown, {0, 0}, {10, 10}, parent.get());
    auto grandchild = Make(GUIWindow::Shown, {0, 0}, {10, 10}, child.get());
    EXPECT_FALSE(child->visible);
    EXPECT_FALSE(grandchild->visible);
    parent->SetFlags(GUIWindow::Shown);
    EXPECT_TRUE(parent->visible);
    EXPECT_TRUE(grandchild->visible);
    parent->flags &= ~GUIWindow::Shown;
    parent->UpdateVisibility();
    EXPECT_FALSE(grandchild->visible);
}

TEST_F(GUIWindowTest, SetFlagsWithABitAlreadySetDoesNothing)
{
    auto window = Make(GUIWindow::Shown, {0, 0}, {10, 10});
    window->SetFlags(GUIWindow::Shown | GUIWindow::Tier10);
    EXPECT_EQ(window->flags, GUIWindow::Shown);
    EXPECT_FLOAT_EQ(window->depth, -15.0f);
    window->SetFlags(GUIWindow::Tier10);
    EXPECT_FLOAT_EQ(window->depth, -10.0f);
}

TEST_F(GUIWindowTest, DepthsFollowTiersLayersAndParents)
{
    const struct {
        uint32_t flags;
        float depth;
    } roots[] = {{GUIWindow::Tier10, -10.0f}, {GUIWindow::Tier20, -20.0f}, {GUIWindow::Tier30, -30.0f}, {0, -15.0f}};
    for (const auto& r : roots)
        EXPECT_FLOAT_EQ(Make(r.flags | GUIWindow::Shown, {}, {})->depth, r.depth);

    auto root = Make(GUIWindow::Shown, {}, {});
    auto tiered = Make(GUIWindow::Shown | GUIWindow::Tier20, {}, {}, root.get());
    EXPECT_EQ(tiered->flags & GUIWindow::TierBits, 0u);
    EXPECT_FLOAT_EQ(tiered->depth, -15.01f);
    auto grandchild = Make(GUIWindow::Shown, {}, {}, tiered.get());
    EXPECT_FLOAT_EQ(grandchild->depth, -15.02f);
    tiered->SetLayer(3);
    EXPECT_FLOAT_EQ(tiered->depth, -15.03f);
    EXPECT_FLOAT_EQ(grandchild->depth, -15.04f);

    auto other = Make(GUIWindow::Shown | GUIWindow::Tier10, {}, {});
    tiered->SetParent(other.get());
    EXPECT_FLOAT_EQ(tiered->depth, -10.03f);
    EXPECT_FLOAT_EQ(grandchild->depth, -10.04f);
    EXPECT_TRUE(root->GetChildren().empty());
    ASSERT_EQ(other->GetChildren().size(), 1u);
    EXPECT_EQ(other->GetChildren()[0], tiered.get());
}

TEST_F(GUIWindowTest, DeletingAParentLeavesItsChildrenAsRootWindows)
{
    auto parent = Make(GUIWindow::Shown | GUIWindow::Tier10, {50, 50}, {100, 100});
    auto shown = Make(GUIWindow::Shown, {5, 5}, {10, 10}, parent.get());
    auto hidden = Make(0, {5, 5}, {10, 10}, parent.get());
    EXPECT_FLOAT_EQ(shown->GetAbsolutePosition().x, 55.0f);
    parent.reset();
    EXPECT_EQ(shown->GetParent(), nullptr);
    EXPECT_TRUE(shown->visible);
    EXPECT_FLOAT_EQ(shown->depth, -15.0f);
    EXPECT_FLOAT_EQ(shown->GetAbsolutePosition().x, 5.0f);
    EXPECT_FALSE(hidden->visible);
}

TEST_F(GUIWindowTest, QueuedTextsDrawOnceAndAreDroppedWhenHidden)
{
    auto window = Make(GUIWindow::Shown, {100, 100}, {200, 50});
    const Color white{1, 1, 1, 1};
    window->AddText({0, 0}, white, 0, 1, u"", -1.0f);
    EXPECT_EQ(window->GetTextCount(), 0u);
    window->AddText({0, 0}, white, 0, 1, u"abc", -1.0f);
    texts->AddText("GREETING", u"hello");
    window->AddTextByKey({0, 10}, white, 0, 1, "greeting", -1, 5.0f);
    EXPECT_EQ(window->GetTextCount(), 2u);
    EXPECT_TRUE(window->Render());
    EXPECT_EQ(GlyphsDrawn(), 8u);
    EXPECT_FLOAT_EQ(fonts->GetFont(1)->size, 1.0f); // the item's size applied only while drawing
    EXPECT_EQ(window->GetTextCount(), 0u);
    fonts->FinishFrame();

    window->AddText({0, 0}, white, 0, 1, u"abc", -1.0f);
    window->flags &= ~GUIWindow::Shown;
    window->UpdateVisibility();
    EXPECT_FALSE(window->Render());
    window->SetFlags(GUIWindow::Shown);
    EXPECT_TRUE(window->Render());
    EXPECT_EQ(GlyphsDrawn(), 0u);
}

TEST_F(GUIWindowTest, ATextWithoutFontIsSkippedWithOneError)
{
    auto window = Make(GUIWindow::Shown, {0, 0}, {200, 50});
    const Color white{1, 1, 1, 1};
    for (int frame = 0; frame < 2; ++frame) {
        window->AddText({0, 0}, white, 0, 4, u"abc", 2.0f);
        window->AddTextByKey({0, 0}, white, 0, 4, "none", -1, -1.0f);
        window->AddText({0, 0}, white, 0, 1, u"ab", -1.0f);
        EXPECT_TRUE(window->Render());
        EXPECT_EQ(GlyphsDrawn(), 2u);
        fonts->FinishFrame();
    }
    EXPECT_EQ(Errors(), std::vector<std::string>{"\nError: GUI Window: no font with id 4 for a text!\n\n"});
}

TEST(GUIShaderDescriptor, FrameGridsBlendingAndOpacityNames)
{
    const struct {
        uint32_t frames;
        uint32_t kind, columns, rows;
    } grids[] = {{0, stageStatic, 1, 1}, {1, stageStatic, 1, 1}, {2, stageAtlas, 1, 1}, {3, stageAtlas, 2, 2},
                 {4, stageAtlas, 2, 2},  {5, stageAtlas, 4, 2},  {8, stageAtlas, 4, 2}};
    for (const auto& g : grids) {
        ShaderDescriptor d;
        BuildGUIShaderDescriptor(d, "gui\\button.jpg", "gui\\button_alpha.jpg", g.frames);
        ASSERT_EQ(d.stageCount, 1u) << g.frames;
        EXPECT_EQ(d.stages[0].kind, g.kind) << g.frames;
        EXPECT_EQ(d.stages[0].columns, g.columns) << g.frames;
        EXPECT_EQ(d.stages[0].rows, g.rows) << g.frames;
        EXPECT_EQ(d.stages[0].frameCount, g.kind == stageStatic ? 0u : g.frames);
        EXPECT_EQ(d.stages[0].framesPerSecond, 0.0f);
        EXPECT_EQ(d.stages[0].opacityName, "gui\\button_alpha.jpg");
        EXPECT_EQ(d.flags & shaderAlphaBlend, shaderAlphaBlend);
        EXPECT_EQ(d.sourceBlend, 4u);
        EXPECT_EQ(d.destinationBlend, 5u);
    }
    ShaderDescriptor own;
    BuildSimpleGUIShaderDescriptor(own, "gui\\panel.tga", "gui\\panel_32bit");
    EXPECT_EQ(own.flags & shaderAlphaBlend, shaderAlphaBlend);
    ASSERT_EQ(own.stageCount, 1u);
    EXPECT_TRUE(own.stages[0].opacityName.empty());

    ShaderDescriptor opaque;
    BuildSimpleGUIShaderDescriptor(opaque, "gui\\panel.jpg", "");
    EXPECT_EQ(opaque.flags & shaderAlphaBlend, 0u);
    EXPECT_EQ(opaque.stageCount, 1u);

    ShaderDescriptor bare;
    BuildGUIShaderDescriptor(bare, "", "gui\\a_alpha.jpg", 4);
    EXPECT_EQ(bare.stageCount, 0u);
    EXPECT_EQ(bare.flags & shaderAlphaBlend, shaderAlphaBlend);
}

} // namespace
