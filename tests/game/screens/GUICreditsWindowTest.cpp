// The credits: the file's two pages, line heights from each line's font (a missing font takes none),
// the paging by OK with its cross-fade, the end state, and a missing file being fatal.

#include "game/screens/GUICreditsWindow.h"

#include "DialogFixture.h"
#include "engine/core/Error.h"

using namespace VantoranEngine;
using Petalwork::GUICreditsWindow;

namespace {

class GUICreditsWindowTest : public DialogFixture {
protected:
    void PrepareMoreData() override
    {
        data.WriteFile("data/gui/credits/ru/credits.ini",
                       "\xEF\xBB\xBF" "3 2\n"
                       "3 Big_title\n"
                       "1 _\n"
                       "9 Lost\n"
                       "2 Small\n"
                       "1 \xD0\xA1\xD0\xBF\xD0\xB0\xD1\x81\xD0\xB8\xD0\xB1\xD0\xBE\n"); // a two-page file of 5 lines
    }

    void SetUp() override
    {
        DialogFixture::SetUp();
        gui->GetFontManager()->GetFont(3)->size = 30.0f;
    }
};

TEST_F(GUICreditsWindowTest, PagesAreReadAndLinesDropByTheirFontsHeights)
{
    GUICreditsWindow credits(engine.get(), *gameData, "ru");
    ASSERT_EQ(credits.GetPages().size(), 2u);
    ASSERT_EQ(credits.GetPages()[0].size(), 3u);
    ASSERT_EQ(credits.GetPages()[1].size(), 2u);
    EXPECT_EQ(credits.GetPages()[0][0].text, u"Big title");
    EXPECT_EQ(credits.GetPages()[1][1].text, u"Спасибо");
    EXPECT_EQ(credits.GetFrame()->GetParent(), gameData->panelLayerWindow);

    credits.Start();
    Frame([&credits] { credits.Update(); }, [&] {
        const std::vector<GUITextItem> texts = Texts(credits.GetFrame());
        ASSERT_EQ(texts.size(), 4u); // three lines and the title
        struct Expected {
            std::u16string text;
            int32_t font;
            float x, y;
        };
        const Expected expected[] = {{u"Big title", 3, 256.0f - 9 * 15.0f / 2.0f, 282.0f},
                                     {u" ", 1, 251.0f, 262.0f},
                                     {u"Lost", 9, 256.0f, 262.0f}}; // no font 9: no height, no width
        for (size_t i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(texts[i].text, expected[i].text);
            EXPECT_EQ(texts[i].fontId, expected[i].font);
            EXPECT_FLOAT_EQ(texts[i].position.x, expected[i].x);
            EXPECT_FLOAT_EQ(texts[i].position.y, expected[i].y);
            EXPECT_NEAR(texts[i].colour.a, credits.GetPageAlpha(), 3e-3f);
        }
        EXPECT_EQ(texts[3].key, "CREDITS_TITLE");
    });
}

TEST_F(GUICreditsWindowTest, OkCrossFadesToTheSecondPageThenEnds)
{
    GUICreditsWindow credits(engine.get(), *gameData, "ru");
    auto update = [&credits] { credits.Update(); };
    using State = GUICreditsWindow::PageState;
    credits.Start();
    EXPECT_EQ(credits.GetPageState(), State::FadingIn);
    // OK while the page fades in does nothing.
    Click(credits.GetOkButton(), update);
    Frame(update);
    EXPECT_EQ(credits.GetPageState(), State::FadingIn);
    Frames(8, update);
    EXPECT_EQ(credits.GetPageState(), State::Shown);
    EXPECT_FLOAT_EQ(credits.GetPageAlpha(), 1.0f);

    Click(credits.GetOkButton(), update);
    Frame(update);
    EXPECT_EQ(credits.GetPageState(), State::FadingOut);
    Frames(10, update);
    EXPECT_EQ(credits.GetPageIndex(), 1u);
    Frames(11, update);
    EXPECT_EQ(credits.GetPageState(), State::Shown);
    Frame(update, [&] {
        const std::vector<GUITextItem> texts = Texts(credits.GetFrame());
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[0].text, u"Small");
        EXPECT_FLOAT_EQ(texts[0].position.y, 292.0f);
        EXPECT_FLOAT_EQ(texts[1].position.y, 272.0f);
    });

    Click(credits.GetOkButton(), update);
    Frame(update);
    EXPECT_EQ(credits.GetPageState(), State::Ended);

    // The game object ends it; OK during the fade-out starts nothing again.
    credits.Finish();
    EXPECT_EQ(credits.GetPageState(), State::Shown);
    Click(credits.GetOkButton(), update);
    Frame(update);
    EXPECT_EQ(credits.GetPageState(), State::Shown);
    Frames(10, update);
    EXPECT_FALSE(credits.IsFrameVisible());
}

TEST_F(GUICreditsWindowTest, MissingFileIsFatal)
{
    EXPECT_THROW(GUICreditsWindow(engine.get(), *gameData, "xx"), FatalError);
    EXPECT_EQ(gui->buttons.count, 0); // nothing of it stays behind
}

} // namespace
