// The exit dialog: yes quits, no hands back the code it was shown with (1, 2 or 3 only), and nothing
// counts while it fades out.

#include "game/screens/GUIExitWindow.h"

#include "DialogFixture.h"

using namespace VantoranEngine;
using Petalwork::GUIExitWindow;

namespace {

using GUIExitWindowTest = DialogFixture;

TEST_F(GUIExitWindowTest, YesQuitsAndNoHandsBackTheKeptCode)
{
    struct Case {
        int32_t code;
        bool yes;
        int32_t expected;
    };
    const Case cases[] = {{1, false, 1}, {2, false, 2}, {3, false, 3}, {0, false, 0}, {5, false, 0},
                          {2, true, 4},  {7, true, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.code << (c.yes ? " yes" : " no"));
        GUIExitWindow dialog(engine.get(), *gameData, layer);
        auto update = [&dialog] { dialog.Update(); };
        dialog.Show(c.code);
        Frames(11, update);
        Click(c.yes ? dialog.GetYesButton() : dialog.GetNoButton(), update);
        Frame(update, [&] { EXPECT_EQ(dialog.result, c.expected); });
        Frame(update, [&] { EXPECT_EQ(dialog.result, 0); });
    }
}

TEST_F(GUIExitWindowTest, ClicksDuringTheFadeOutCountForNothing)
{
    GUIExitWindow dialog(engine.get(), *gameData, layer);
    auto update = [&dialog] { dialog.Update(); };
    dialog.Show(2);
    Frames(11, update);
    dialog.Hide();
    Click(dialog.GetYesButton(), update);
    Frame(update, [&] {
        EXPECT_TRUE(dialog.IsFrameVisible());
        EXPECT_EQ(dialog.result, 0);
        // Still drawn: the title and three lines at 146, 121 and 96.
        ASSERT_EQ(dialog.GetFrame()->GetTextCount(), 4u);
        for (int32_t line = 0; line < 3; ++line) {
            const GUITextItem& item = dialog.GetFrame()->GetTextItem(static_cast<uint32_t>(line) + 1);
            EXPECT_EQ(item.key, "EXIT_TEXT_");
            EXPECT_EQ(item.index, line);
            EXPECT_FLOAT_EQ(item.position.y, 146.0f - 25.0f * static_cast<float>(line));
        }
    });
}

} // namespace
