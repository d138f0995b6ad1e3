#include "engine/render/gui/GUITextManager.h"

#include "platform/os/CodePage.h"

#include "GuiTestSupport.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;

namespace {

// One table covering the key and text rules, lines ending in CR LF.
const std::u16string kTable =
    u"// texts of the test screen\r\n"
    u"a line before the first key\r\n"
    u"[Menu_Start]\r\n"
    u"Start game // the blank before the comment stays\r\n"
    u"  [Blank_Before]  \r\n"
    u"\r\n"
    u"\r\n"
    u"  Text after blanks\r\n"
    u"[TWO]\r\n"
    u"[THREE]\r\n"
    u"after three\r\n"
    u"[]\r\n"
    u"empty key text\r\n"
    u"[\r\n"
    u"not a key's text\r\n"
    u"x]\r\n"
    u"ignored too\r\n"
    u"[cyr]\r\n"
    u"\u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440\r\n"
    u"[item0]\r\n"
    u"Zero\r\n"
    u"[dup]\r\n"
    u"first\r\n"
    u"[DUP]\r\n"
    u"second\r\n"
    u"[last]";

std::string Utf8WithMark(const std::u16string& text)
{
    std::string out = "\xEF\xBB\xBF";
    for (char16_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Utf16LittleEndianWithMark(const std::u16string& text)
{
    std::string out = "\xFF\xFE";
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

std::string Windows1251(const std::u16string& text)
{
    std::string out;
    for (char16_t c : text) {
        unsigned char byte = '?';
        EXPECT_TRUE(Platform::WideToByte(c, byte, Platform::CodePage::Windows1251));
        out += static_cast<char>(byte);
    }
    return out;
}

class GUITextManagerTest : public GuiServices {
protected:
    ~GUITextManagerTest() override { Platform::SetCodePage(Platform::CodePage::C); }

    GUITextManager texts{&log, &memory, &files};
};

TEST_F(GUITextManagerTest, KeyedTextsInEveryEncoding)
{
    Platform::SetCodePage(Platform::CodePage::Windows1251);
    const std::pair<const char*, std::string> encodings[] = {
        {"utf-8", Utf8WithMark(kTable)},
        {"utf-16", Utf16LittleEndianWithMark(kTable)},
        {"ansi 1251", Windows1251(kTable)},
    };
    for (const auto& [encoding, bytes] : encodings) {
        SCOPED_TRACE(encoding);
        GUITextManager table(&log, &memory, &files);
        WriteData("ui/texts/ru/common.ini", bytes);
        table.LoadTexts("ui\\texts\\ru\\common.ini");
        EXPECT_TRUE(Errors().empty());
        EXPECT_EQ(table.GetLoadedFiles(), std::vector<std::string>{"ui\\texts\\ru\\common.ini"});

        EXPECT_EQ(table.GetText("MENU_START"), u"Start game ");
        EXPECT_EQ(table.GetText("menu_start"), u"Start game ");
        EXPECT_EQ(table.GetText("Blank_before"), u"  Text after blanks");
        EXPECT_EQ(table.GetText("TWO"), u"[THREE]");
        EXPECT_EQ(table.GetText("THREE"), u"UNKNOWN");
        EXPECT_EQ(table.GetText(""), u"empty key text");
        EXPECT_EQ(table.GetText("CYR"), u"\u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440");
        EXPECT_EQ(table.GetText("ITEM", 0), u"Zero");
        EXPECT_EQ(table.GetText("item0", -1), u"Zero");
        EXPECT_EQ(table.GetText("ITEM"), u"UNKNOWN");
        EXPECT_EQ(table.GetText("DUP"), u"second");
        EXPECT_EQ(table.GetText("LAST"), u"UNKNOWN");
        EXPECT_EQ(table.GetText("X"), u"UNKNOWN");
    }
}

TEST_F(GUITextManagerTest, LaterFilesReplaceTextsAndMissingFilesAreLogged)
{
    WriteData("ui/a.ini", "[greeting]\nHello\n[farewell]\nBye\n");
    WriteData("ui/b.ini", "[GREETING]\nHi again\n");
    texts.LoadTexts("ui\\a.ini");
    texts.LoadTexts("ui\\missing.ini");
    texts.LoadTexts("ui\\b.ini");

    EXPECT_EQ(texts.GetText("greeting"), u"Hi again");
    EXPECT_EQ(texts.GetText("farewell"), u"Bye");
    EXPECT_EQ(texts.GetLoadedFiles(), (std::vector<std::string>{"ui\\a.ini", "ui\\b.ini"}));
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_EQ(Errors()[0].rfind("\nError: Failed to open \"", 0), 0u);
    EXPECT_NE(Errors()[0].find("missing.ini\" file!"), std::string::npos);

    texts.AddText("Score", u"100 %");
    EXPECT_EQ(texts.GetText("SCORE"), u"100 %");
}

} // namespace
