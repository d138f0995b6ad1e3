// Edit boxes: typing, the character limit, Backspace and Delete, insert and overwrite, horizontal
// scrolling, the caret's blink, and a box without its font. Every glyph of the test font is one unit wide.

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/render/gui/GUIEditBox.h"

#include "GUIWidgetFixture.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;

namespace {

class GUIEditBoxTest : public GUIWidgetFixture {
protected:
    std::unique_ptr<GUIEditBox> Make(int32_t maxLength, float widthLimit, int32_t fontId = 1)
    {
        return std::make_unique<GUIEditBox>(services, GUIWindow::Shown, Vector2{0, 0}, Vector2{100, 20}, nullptr,
                                            fontId, Color{1, 1, 1, 1}, Vector2{2, 3}, widthLimit, maxLength);
    }

    // One frame with the key record holding a typed character or a key-down.
    void Event(GUIEditBox& box, bool isChar, uint16_t code)
    {
        window->keyEventPending = true;
        window->keyEventIsChar = isChar;
        window->keyEventCode = code;
        box.Update({-1, -1}, false);
        window->keyEventPending = false;
        box.Render();
    }
    void Type(GUIEditBox& box, const std::u16string& typed)
    {
        for (char16_t c : typed)
            Event(box, true, c);
    }
    void Key(GUIEditBox& box, uint16_t code, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            Event(box, false, code);
    }
};

TEST_F(GUIEditBoxTest, AFullBoxKeepsTheCaretOnItsLastCharacterAndBackspaceDeletesIt)
{
    auto box = Make(10, 100.0f);
    Type(*box, u"0123456789");
    EXPECT_EQ(box->text, u"0123456789");
    EXPECT_EQ(box->caret, 9);
    Type(*box, u"x");
    EXPECT_EQ(box->text, u"0123456789");

    // The character under the caret goes and the caret stays, now at the end.
    Key(*box, GUIEditBox::keyBackspace);
    EXPECT_EQ(box->text, u"012345678");
    EXPECT_EQ(box->caret, 9);
    // At the end the one before goes.
    Key(*box, GUIEditBox::keyBackspace);
    EXPECT_EQ(box->text, u"01234567");
    EXPECT_EQ(box->caret, 8);
}

TEST_F(GUIEditBoxTest, BackspaceByCaretPosition)
{
    struct Case {
        int leftPresses;   // from the end of "abcd"
        std::u16string text;
        int32_t caret;
    };
    const Case cases[] = {
        {0, u"abc", 3},   // at the end: the character before
        {1, u"abc", 3},   // on the last character: that character, the caret stays
        {2, u"acd", 1},   // inside: the character before
        {4, u"abcd", 0},  // at the start: nothing
    };
    for (const Case& c : cases) {
        auto box = Make(10, 100.0f);
        Type(*box, u"abcd");
        Key(*box, GUIEditBox::keyLeft, c.leftPresses);
        Key(*box, GUIEditBox::keyBackspace);
        EXPECT_EQ(box->text, c.text) << c.leftPresses;
        EXPECT_EQ(box->caret, c.caret) << c.leftPresses;
    }
}

TEST_F(GUIEditBoxTest, DeleteInsertAndOverwrite)
{
    auto box = Make(8, 100.0f);
    box->SetText(u"abcdef");
    EXPECT_EQ(box->caret, 6);
    Key(*box, GUIEditBox::keyDelete);
    EXPECT_EQ(box->text, u"abcdef");
    Key(*box, GUIEditBox::keyLeft, 3);
    Key(*box, GUIEditBox::keyDelete);
    EXPECT_EQ(box->text, u"abcef");
    EXPECT_EQ(box->caret, 3);

    Key(*box, GUIEditBox::keyInsert);
    EXPECT_TRUE(box->overwrite);
    Key(*box, GUIEditBox::keyHome);
    Type(*box, u"xy");
    EXPECT_EQ(box->text, u"xycef");
    Key(*box, GUIEditBox::keyEnd);
    EXPECT_EQ(box->caret, 5);
    Type(*box, u"12345"); // full: the caret stays on the last character, which is overwritten
    EXPECT_EQ(box->text, u"xycef125");

    box->SetText(u"0123456789ab");
    EXPECT_EQ(box->text, u"0123456789ab"); // never cut
    EXPECT_EQ(box->caret, 7);
}

TEST_F(GUIEditBoxTest, CharactersWithoutGlyphAreIgnoredAndSpacesTaken)
{
    auto box = Make(20, 100.0f);
    Type(*box, u"a b\u0416C!");
    EXPECT_EQ(box->text, u"a b");
    EXPECT_EQ(box->caret, 3);
}

TEST_F(GUIEditBoxTest, KeysNeedAnActiveBoxAndNoInputHold)
{
    auto box = Make(20, 100.0f);
    box->active = false;
    Type(*box, u"a");
    box->active = true;
    controls->inputHold = true;
    Type(*box, u"b");
    controls->inputHold = false;
    Type(*box, u"c");
    EXPECT_EQ(box->text, u"c");
}

TEST_F(GUIEditBoxTest, ScrollsByFiveCharactersAtTheEdges)
{
    auto box = Make(255, 6.0f);
    box->SetText(u"abcdefghijklmnopqrst");
    EXPECT_EQ(box->firstVisible, 15); // the end and the caret fit
    Key(*box, GUIEditBox::keyHome);
    EXPECT_EQ(box->firstVisible, 0);
    EXPECT_EQ(box->GetShownText(), u"abcdef");
    Key(*box, GUIEditBox::keyRight, 4);
    EXPECT_EQ(box->firstVisible, 0);
    Key(*box, GUIEditBox::keyRight);
    EXPECT_EQ(box->firstVisible, 5);
    Key(*box, GUIEditBox::keyRight, 6);
    EXPECT_EQ(box->caret, 11);
    EXPECT_EQ(box->firstVisible, 10);
    EXPECT_EQ(box->GetShownText(), u"klmnop");
    Key(*box, GUIEditBox::keyLeft);
    EXPECT_EQ(box->caret, 10);
    EXPECT_EQ(box->firstVisible, 5);
    Key(*box, GUIEditBox::keyRight, 20);
    EXPECT_EQ(box->caret, 20);
    EXPECT_EQ(box->firstVisible, 15);

    Key(*box, GUIEditBox::keyHome);
    Key(*box, GUIEditBox::keyRight, 6);
    Key(*box, GUIEditBox::keyLeft); // caret 5 on the first shown character
    EXPECT_EQ(box->firstVisible, 0);
}

TEST_F(GUIEditBoxTest, TheCaretBlinksAndIsHiddenForAnInactiveBox)
{
    auto box = Make(20, 100.0f);
    box->SetText(u"ab");
    const struct {
        float time;
        bool active;
        uint32_t items;
    } cases[] = {{0.1f, true, 2}, {0.5f, true, 1}, {0.9f, true, 2}, {0.1f, false, 1}};
    for (const auto& c : cases) {
        timers->mainTimer->SetTime(c.time);
        box->active = c.active;
        box->Update({-1, -1}, false);
        EXPECT_EQ(box->GetTextCount(), c.items) << c.time;
        if (c.items == 2) {
            EXPECT_EQ(box->GetTextItem(1).text, u"_");
            EXPECT_FLOAT_EQ(box->GetTextItem(1).position.x, 4.0f);
            EXPECT_FLOAT_EQ(box->GetTextItem(1).position.y, 3.0f);
        }
        box->Render();
    }
}

TEST_F(GUIEditBoxTest, ABoxWithoutItsFontIsSkippedWithAnError)
{
    auto box = Make(10, 100.0f, 7);
    EXPECT_EQ(Errors(), std::vector<std::string>{"\nError: GUI Edit Box: no font with id 7!\n\n"});
    Type(*box, u"abc");
    Key(*box, GUIEditBox::keyEnd);
    box->SetText(u"hello");
    EXPECT_EQ(box->GetTextCount(), 0u);
    EXPECT_EQ(box->text, u"hello");
}

} // namespace
