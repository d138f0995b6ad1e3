// The level's tip window and the order window: the page states (OK only while a page is shown, the last
// OK fading the frame out), the picture and text layout, the order file and its failures, and an order
// file without pages that never keeps the level waiting.

#include "game/screens/GUIOrderWindow.h"
#include "game/screens/GUITipWindow.h"

#include "TipFixture.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "framework/LevelInfo.h"
#include "game/screens/TipPageFile.h"

using namespace VantoranEngine;
using Petalwork::GUIOrderWindow;
using Petalwork::GUITipPagesWindow;
using Petalwork::GUITipWindow;
using State = GUITipPagesWindow::PageState;

namespace {

class GUITipWindowTest : public TipFixture {
protected:
    void PrepareTexts() override
    {
        WriteTipText("order.ini", "// the order tips\n"
                                  "2\n"
                                  "First_page 400 300 pic.jpg pic_alpha.jpg 200 250 2 One Two_words\n"
                                  "_ 300 200 pic.jpg  pic_alpha.jpg 150 200 1\n"
                                  "\xD0\x9F\xD0\xBE\xD0\xBA\xD0\xB0\n"); // a Cyrillic line
    }

    GameFramework::LevelInfo LevelWith(size_t pageCount)
    {
        GameFramework::LevelInfo level;
        for (size_t i = 0; i < pageCount; ++i)
            level.tips.push_back(Page(u"Page " + std::u16string(1, static_cast<char16_t>(u'1' + i)), {u"One"}));
        return level;
    }

    // Frames until the page has faded in (0.5 s and one more frame).
    void UntilShown(GUITipPagesWindow& window)
    {
        Frames(11, [&window] { window.Update(); });
        ASSERT_EQ(window.GetState(), State::Shown);
    }

    void ClickOk(GUITipPagesWindow& window)
    {
        auto update = [&window] { window.Update(); };
        Click(window.GetOkButton(), update);
        Frame(update);
    }
};

TEST_F(GUITipWindowTest, LevelWithoutTipsIsFinishedFromTheStartWithoutAButton)
{
    GUITipWindow tips(*gameData, LevelWith(0), engine.get());
    EXPECT_EQ(tips.GetState(), State::Finished);
    EXPECT_TRUE(tips.IsFinished());
    EXPECT_EQ(tips.GetOkButton(), nullptr);
    EXPECT_EQ(gui->buttons.count, 0);
    EXPECT_FALSE(tips.IsShown());
}

TEST_F(GUITipWindowTest, OkStepsThroughThePagesAndTheLastFadesTheFrameOut)
{
    GUITipWindow tips(*gameData, LevelWith(2), engine.get());
    auto update = [&tips] { tips.Update(); };
    ASSERT_EQ(tips.GetState(), State::FadingIn);
    ASSERT_NE(tips.GetOkButton(), nullptr);
    EXPECT_EQ(tips.GetFrame()->GetParent(), gameData->panelLayerWindow);
    tips.Show(true);

    // OK while the page fades in does nothing.
    ClickOk(tips);
    EXPECT_EQ(tips.GetState(), State::FadingIn);
    EXPECT_EQ(tips.GetPageIndex(), 0u);
    UntilShown(tips);
    EXPECT_FLOAT_EQ(tips.GetPageAlpha(), 1.0f);

    ClickOk(tips);
    EXPECT_EQ(tips.GetState(), State::FadingOut);
    // OK during the fade-out does nothing either.
    ClickOk(tips);
    EXPECT_EQ(tips.GetState(), State::FadingOut);
    const GUIWindow* firstPicture = tips.GetPicture();
    Frames(10, update);
    EXPECT_EQ(tips.GetPageIndex(), 1u);
    EXPECT_EQ(tips.GetState(), State::FadingIn);
    EXPECT_NE(tips.GetPicture(), firstPicture);
    UntilShown(tips);
    EXPECT_TRUE(tips.IsShown());

    ClickOk(tips);
    EXPECT_EQ(tips.GetState(), State::Finished);
    EXPECT_FALSE(tips.IsShown());
    EXPECT_TRUE(tips.IsHiding());
    Frames(11, update);
    EXPECT_FALSE(tips.IsFrameVisible());
    EXPECT_FALSE(tips.IsHiding());
    EXPECT_EQ(tips.GetPageIndex(), 1u);
}

TEST_F(GUITipWindowTest, OnePageFinishesOnTheFirstOkAndFollowsTheFrameOut)
{
    GUITipWindow tips(*gameData, LevelWith(1), engine.get());
    auto update = [&tips] { tips.Update(); };
    tips.Show(true);
    UntilShown(tips);
    ClickOk(tips);
    EXPECT_EQ(tips.GetState(), State::Finished);
    // The lines and the picture take the frame's alpha from now on.
    Frame(update, [&] {
        const std::vector<GUITextItem> texts = Texts(tips.GetFrame());
        ASSERT_GE(texts.size(), 1u);
        EXPECT_FLOAT_EQ(texts[0].colour.a, tips.GetAlpha());
        EXPECT_LT(tips.GetAlpha(), 1.0f);
        EXPECT_NEAR(tips.GetPicture()->GetColor().a, tips.GetAlpha(), colourStep);
    });
}

TEST_F(GUITipWindowTest, PictureAndTextsStandOnThePagesPoints)
{
    GameFramework::LevelInfo level;
    level.tips.push_back(Page(u"Title", {u"One", u"", u"Three"}));
    GUITipWindow tips(*gameData, level, engine.get());
    auto update = [&tips] { tips.Update(); };
    tips.Show(true);
    UntilShown(tips);

    // Page points are given for a frame at (144, 40); the tip frame stands at (144, 103.5).
    const GUIWindow* picture = tips.GetPicture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetParent(), tips.GetFrame());
    EXPECT_FLOAT_EQ(picture->size.x, pictureWidth);
    EXPECT_FLOAT_EQ(picture->size.y, pictureHeight);
    EXPECT_FLOAT_EQ(picture->position.x, 400.0f - 144.0f - pictureWidth / 2.0f);
    EXPECT_FLOAT_EQ(picture->position.y, 300.0f - 40.0f - pictureHeight / 2.0f);
    EXPECT_TRUE(picture->visible);
    EXPECT_FLOAT_EQ(picture->GetColor().a, 1.0f);

    Frame(update, [&] {
        const std::vector<GUITextItem> texts = Texts(tips.GetFrame());
        ASSERT_EQ(texts.size(), 3u); // the empty line is skipped
        struct Expected {
            std::u16string text;
            int32_t font;
            uint32_t alignment;
            float x, y;
        };
        const Expected expected[] = {{u"One", 1, 0, 56.0f, 210.0f - 20.0f},
                                     {u"Three", 1, 0, 56.0f, 210.0f - 60.0f},
                                     {u"Title", 5, 1, 0.0f, 318.0f}};
        for (size_t i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(texts[i].text, expected[i].text);
            EXPECT_EQ(texts[i].fontId, expected[i].font);
            EXPECT_EQ(texts[i].alignment, expected[i].alignment);
            EXPECT_FLOAT_EQ(texts[i].position.x, expected[i].x);
            EXPECT_FLOAT_EQ(texts[i].position.y, expected[i].y);
        }
        const std::vector<GUITextItem> caption = Texts(tips.GetOkButton());
        ASSERT_EQ(caption.size(), 1u);
        EXPECT_EQ(caption[0].key, "TIP_OK");
    });
}

TEST_F(GUITipWindowTest, OrderFileIsReadWithBlanksAndComments)
{
    GUIOrderWindow order(*gameData, engine.get(), "ru");
    ASSERT_EQ(order.GetPages().size(), 2u);
    const GameFramework::TipPage& first = order.GetPages()[0];
    EXPECT_EQ(first.title, u"First page");
    EXPECT_FLOAT_EQ(first.pictureX, 400.0f);
    EXPECT_FLOAT_EQ(first.textY, 250.0f);
    EXPECT_EQ(first.lines, (std::vector<std::u16string>{u"One", u"Two words"}));
    const GameFramework::TipPage& second = order.GetPages()[1];
    EXPECT_EQ(second.title, u" ");
    EXPECT_FLOAT_EQ(second.pictureY, 200.0f);
    EXPECT_EQ(second.lines, (std::vector<std::u16string>{u"Пока"}));
    ASSERT_NE(second.material, nullptr);
    EXPECT_FLOAT_EQ(Petalwork::TipPageFile::PictureSize(second.material).x, pictureWidth);

    // Waiting until the level starts it; then the same paging as the tips.
    EXPECT_EQ(order.GetState(), State::Shown);
    EXPECT_FALSE(order.WasBegun());
    EXPECT_EQ(order.GetPicture(), nullptr);
    order.Begin();
    EXPECT_TRUE(order.WasBegun());
    EXPECT_TRUE(order.IsShown());
    EXPECT_EQ(order.GetState(), State::FadingIn);
    EXPECT_NE(order.GetPicture(), nullptr);
    UntilShown(order);
    ClickOk(order);
    EXPECT_EQ(order.GetState(), State::FadingOut);
}

TEST_F(GUITipWindowTest, MissingOrderFileIsFatalWithItsName)
{
    try {
        GUIOrderWindow order(*gameData, engine.get(), "xx");
        FAIL() << "no error";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.message.rfind("Failed to open \"", 0), 0u) << error.message;
        EXPECT_NE(error.message.find("data\\gui\\tip_window\\text\\xx\\order.ini\" file"), std::string::npos)
            << error.message;
    }
    EXPECT_EQ(gui->buttons.count, 0);
}

class GUIOrderWindowEmptyTest : public GUITipWindowTest {
protected:
    void PrepareTexts() override { WriteTipText("order.ini", "0\n"); }
};

// A file without pages would keep the level waiting for an OK on nothing: it is finished at once.
TEST_F(GUIOrderWindowEmptyTest, NoPagesFinishesAtOnce)
{
    GUIOrderWindow order(*gameData, engine.get(), "ru");
    EXPECT_TRUE(order.GetPages().empty());
    order.Begin();
    EXPECT_EQ(order.GetState(), State::Finished);
    EXPECT_FALSE(order.IsShown());
    EXPECT_EQ(order.GetPicture(), nullptr);

    // Shown by hand, it finishes and fades out on its own.
    GUIOrderWindow shown(*gameData, engine.get(), "ru");
    shown.Show(true);
    Frame([&shown] { shown.Update(); });
    EXPECT_EQ(shown.GetState(), State::Finished);
    EXPECT_FALSE(shown.IsShown());
    Frames(11, [&shown] { shown.Update(); });
    EXPECT_FALSE(shown.IsFrameVisible());
}

class GUIOrderWindowNegativeTest : public GUITipWindowTest {
protected:
    void PrepareTexts() override { WriteTipText("order.ini", "-3\nFirst 400 300 pic.jpg pic_alpha.jpg 1 1 0\n"); }
};

TEST_F(GUIOrderWindowNegativeTest, NegativeCountReadsAsNoPages)
{
    GUIOrderWindow order(*gameData, engine.get(), "ru");
    EXPECT_TRUE(order.GetPages().empty());
    order.Begin();
    EXPECT_TRUE(order.IsFinished());
}

} // namespace
