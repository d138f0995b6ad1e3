// The high-score window: the lines of the table, the marked entry in font 2 over the highlight bar, the
// empty table's notice and the caption by mode.

#include "game/screens/GUIHighScoresWindow.h"

#include "DialogFixture.h"
#include "engine/core/StringUtils.h"
#include "framework/HighScoresTable.h"

using namespace VantoranEngine;
using GameFramework::GUIHighScoresWindowBase;
using GameFramework::HighScoreEntry;
using GameFramework::HighScoresTable;
using Petalwork::GUIHighScoresWindow;

namespace {

using GUIHighScoresWindowTest = DialogFixture;

TEST_F(GUIHighScoresWindowTest, LinesAndTheMarkedEntry)
{
    struct Case {
        const char* name;
        int entries;
        int mark;      // the row to mark, -1 none, -2 an entry that is not in the table
        GUIHighScoresWindowBase::Mode mode;
    };
    const Case cases[] = {
        {"empty", 0, -1, GUIHighScoresWindowBase::Mode::MainMenu},
        {"three, from the menu", 3, -1, GUIHighScoresWindowBase::Mode::MainMenu},
        {"ten, the fifth marked", 10, 4, GUIHighScoresWindowBase::Mode::GameEnded},
        {"ten, the last marked", 10, 9, GUIHighScoresWindowBase::Mode::GameEnded},
        {"a mark no longer in the table", 10, -2, GUIHighScoresWindowBase::Mode::GameEnded},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        HighScoresTable table(*engine, folder.Path());
        for (int i = 0; i < c.entries; ++i)
            table.Add(static_cast<uint32_t>(1000 - 10 * i), u"N" + std::u16string(1, u'a' + i));
        const HighScoreEntry outsider;
        const HighScoreEntry* mark = c.mark >= 0 ? table.GetEntries()[static_cast<size_t>(c.mark)].get()
                                                 : c.mark == -2 ? &outsider : nullptr;
        GUIHighScoresWindow window(engine.get(), *gameData, layer, &table);
        auto update = [&window] { window.Update(); };
        window.Show(c.mode, mark);
        Frames(11, update);
        Frame(update, [&] {
            const std::vector<GUITextItem> frameTexts = Texts(window.GetFrame());
            ASSERT_EQ(frameTexts.size(), c.entries == 0 ? 2u : 1u);
            EXPECT_EQ(frameTexts[0].key, "HIGH_SCORES_TITLE");
            EXPECT_FLOAT_EQ(frameTexts[0].position.y, 321.0f);
            if (c.entries == 0) {
                EXPECT_EQ(frameTexts[1].key, "HIGH_SCORES_NO_RECORDS");
                EXPECT_FLOAT_EQ(frameTexts[1].position.y, 298.0f);
            }
            const std::vector<GUITextItem> lines = Texts(window.GetTextWindow());
            ASSERT_EQ(lines.size(), static_cast<size_t>(3 * c.entries));
            for (int i = 0; i < c.entries; ++i) {
                SCOPED_TRACE(i);
                const float y = 298.0f - 24.0f * static_cast<float>(i);
                const int32_t font = i == c.mark ? 2 : 1;
                const std::u16string expected[] = {VantoranEngine::UIntToWideString(static_cast<unsigned>(i) + 1) + u".",
                                                   u"N" + std::u16string(1, static_cast<char16_t>(u'a' + i))};
                const float xs[] = {53.0f, 93.0f, 373.0f};
                for (int k = 0; k < 3; ++k) {
                    const GUITextItem& item = lines[static_cast<size_t>(3 * i + k)];
                    if (k < 2) {
                        EXPECT_EQ(item.text, expected[k]);
                    }
                    EXPECT_FLOAT_EQ(item.position.x, xs[k]);
                    EXPECT_FLOAT_EQ(item.position.y, y);
                    EXPECT_EQ(item.fontId, font);
                }
                EXPECT_EQ(lines[static_cast<size_t>(3 * i + 2)].text,
                          VantoranEngine::UIntToWideString(static_cast<unsigned>(1000 - 10 * i)));
            }
            EXPECT_EQ(window.GetHighlightBar()->visible, c.mark >= 0);
            if (c.mark >= 0) {
                EXPECT_FLOAT_EQ(window.GetHighlightBar()->position.y, 298.0f - 24.0f * static_cast<float>(c.mark) + 1.0f);
            }
            ASSERT_EQ(window.GetCloseButton()->GetTextCount(), 1u);
            EXPECT_EQ(window.GetCloseButton()->GetTextItem(0).key,
                      c.mode == GUIHighScoresWindowBase::Mode::MainMenu ? "BACK" : "OK");
        });
        Click(window.GetCloseButton(), update);
        Frame(update, [&] { EXPECT_EQ(window.result, GUIHighScoresWindow::resultClose); });
    }
}

} // namespace
