// The relax-mode question: its page (title without lines, picture fading with the frame), the buttons'
// layout, the answers and the write of "g_relax_mode", and a missing file being fatal.

#include "game/screens/GUIRelaxModeWindow.h"

#include "TipFixture.h"
#include "engine/core/Error.h"

using namespace VantoranEngine;
using Answer = Petalwork::GUIRelaxModeWindow::Answer;
using Petalwork::GUIRelaxModeWindow;

namespace {

class GUIRelaxModeWindowTest : public TipFixture {
protected:
    void PrepareTexts() override
    {
        WriteTipText("relax.ini", "2\nRelax_mode? 400 300 pic.jpg pic_alpha.jpg 200 250 0\n"
                                  "Second 1 1 pic.jpg pic_alpha.jpg 1 1 1 Unused\n");
    }

    void SetUp() override
    {
        TipFixture::SetUp();
        engine->config->Register("0", GUIRelaxModeWindow::relaxModeVariable, ConfigType::Bool, true, &relaxMode,
                                 false);
    }

    void TearDown() override
    {
        engine->config->Unregister(GUIRelaxModeWindow::relaxModeVariable);
        TipFixture::TearDown();
    }

    int32_t relaxMode = 0;
};

TEST_F(GUIRelaxModeWindowTest, OnlyTheFirstPageWithItsPictureFadingWithTheFrame)
{
    GUIRelaxModeWindow relax(*gameData, engine.get(), "ru");
    EXPECT_EQ(relax.GetPage().title, u"Relax mode?");
    EXPECT_TRUE(relax.GetPage().lines.empty());
    ASSERT_NE(relax.GetPicture(), nullptr);
    EXPECT_FLOAT_EQ(relax.GetPicture()->size.x, pictureWidth);
    EXPECT_FLOAT_EQ(relax.GetPicture()->position.y, 300.0f - 40.0f - pictureHeight / 2.0f);
    EXPECT_FALSE(relax.IsAnswered());
    EXPECT_EQ(relax.GetAnswer(), Answer::None);
    // Yes and no: short buttons in a centred row, 14 apart, at y 43.
    EXPECT_FLOAT_EQ(relax.GetYesButton()->position.x, 256.0f - 138.0f - 7.0f);
    EXPECT_FLOAT_EQ(relax.GetNoButton()->position.x, 256.0f + 7.0f);
    EXPECT_FLOAT_EQ(relax.GetNoButton()->position.y, 43.0f);

    relax.Show(true);
    Frames(4, [&relax] { relax.Update(); });
    Frame([&relax] { relax.Update(); }, [&] {
        EXPECT_NEAR(relax.GetPicture()->GetColor().a, relax.GetAlpha(), colourStep);
        EXPECT_GT(relax.GetAlpha(), 0.0f);
        EXPECT_LT(relax.GetAlpha(), 1.0f);
        // The title is drawn without text lines.
        const std::vector<GUITextItem> texts = Texts(relax.GetFrame());
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, u"Relax mode?");
        EXPECT_EQ(texts[0].fontId, 5);
        EXPECT_FLOAT_EQ(texts[0].position.y, 318.0f);
        EXPECT_FLOAT_EQ(texts[0].colour.a, relax.GetAlpha());
        EXPECT_EQ(Texts(relax.GetYesButton())[0].key, "RELAX_MODE_YES");
        EXPECT_EQ(Texts(relax.GetNoButton())[0].key, "RELAX_MODE_NO");
    });
}

TEST_F(GUIRelaxModeWindowTest, AnswersFadeTheFrameOutAndYesSetsRelaxMode)
{
    struct Case {
        bool yes;
        Answer answer;
        std::string relaxMode;
    };
    for (const Case& c : {Case{true, Answer::Yes, "1"}, Case{false, Answer::No, "0"}}) {
        SCOPED_TRACE(c.yes);
        engine->config->SetValueText(GUIRelaxModeWindow::relaxModeVariable, "0");
        GUIRelaxModeWindow relax(*gameData, engine.get(), "ru");
        auto update = [&relax] { relax.Update(); };
        relax.Show(true);
        Frames(11, update);
        Click(c.yes ? relax.GetYesButton() : relax.GetNoButton(), update);
        Frame(update);
        EXPECT_TRUE(relax.IsAnswered());
        EXPECT_EQ(relax.GetAnswer(), c.answer);
        EXPECT_FALSE(relax.IsShown());
        EXPECT_EQ(engine->config->GetValueText(GUIRelaxModeWindow::relaxModeVariable), c.relaxMode);
        // The other button during the fade-out changes nothing.
        Click(c.yes ? relax.GetNoButton() : relax.GetYesButton(), update);
        Frame(update);
        EXPECT_EQ(relax.GetAnswer(), c.answer);
        EXPECT_EQ(engine->config->GetValueText(GUIRelaxModeWindow::relaxModeVariable), c.relaxMode);
        Frames(11, update);
        EXPECT_FALSE(relax.IsFrameVisible());
    }
}

TEST_F(GUIRelaxModeWindowTest, MissingFileIsFatalWithItsName)
{
    try {
        GUIRelaxModeWindow relax(*gameData, engine.get(), "xx");
        FAIL() << "no error";
    } catch (const FatalError& error) {
        EXPECT_EQ(error.message.rfind("Failed to open \"", 0), 0u) << error.message;
        EXPECT_NE(error.message.find("data\\gui\\tip_window\\text\\xx\\relax.ini\" file"), std::string::npos)
            << error.message;
    }
    EXPECT_EQ(gui->buttons.count, 0);
}

} // namespace
