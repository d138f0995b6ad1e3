#include "engine/core/StringUtils.h"

#include "platform/os/CodePage.h"
#include "platform/os/Path.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;

TEST(StringUtils, NumberFormatting)
{
    EXPECT_EQ(IntToString(2, 5), "05");
    EXPECT_EQ(IntToString(2, 123), "123");
    EXPECT_EQ(IntToString(0, -7), "-7");
    EXPECT_EQ(IntToString(3, -7), "-007");
    EXPECT_EQ(UIntToString(3, 7u), "007");
    EXPECT_EQ(UIntToString(0, 4294967295u), "4294967295");
    EXPECT_EQ(IntToHexString(1049), "00000419");
    EXPECT_EQ(IntToHexString(-1), "FFFFFFFF");
    EXPECT_EQ(FloatToString(0.95f, 6), "0.950000");
    EXPECT_EQ(FloatToString(308.0f, 4), "308.0000");
    EXPECT_EQ(BoolToString(true), "1");
    EXPECT_EQ(BoolToString(false), "0");
    EXPECT_EQ(IntToWideString(-12), u"-12");
    EXPECT_EQ(UIntToWideString(4000000000u), u"4000000000");
}

TEST(StringUtils, TextToNumbers)
{
    struct Case {
        const char* text;
        bool asBool;
    } const cases[] = {{"1", true}, {"0", false}, {"true", false}, {"12", true}, {"", false}};
    for (const Case& c : cases)
        EXPECT_EQ(StringToBool(c.text), c.asBool) << c.text;
    EXPECT_FLOAT_EQ(StringToFloat("0.95"), 0.95f);
    EXPECT_FLOAT_EQ(StringToFloat("abc"), 0.0f);
}

TEST(StringUtils, TrimAndReplace)
{
    std::string s = "   \t ";
    TrimLeft(s);
    EXPECT_EQ(s, "");
    s = "  a b \r\n";
    TrimRight(s);
    EXPECT_EQ(s, "  a b");
    TrimLeft(s);
    EXPECT_EQ(s, "a b");
    s = "\\\\abc";
    TrimLeadingBackslashes(s);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(TrimCopyWide(u"\u3000 x y\t"), u"x y");

    struct Case {
        const char* text;
        const char* search;
        const char* replacement;
        const char* result;
    } const cases[] = {
        {"a    b", "  ", "", "ab"},
        {"a     b", "  ", "", "a b"},
        {"a   b", "  ", "", "a b"},
        {"abcb", "b", "c", "accc"},
        {"data\\\\x\\\\\\y", "\\\\", "\\", "data\\x\\y"},
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        ReplaceAll(text, c.search, c.replacement);
        EXPECT_EQ(text, c.result) << c.text;
    }
    std::string blanks = "a    b";
    RemoveAll(blanks, "  ");
    EXPECT_EQ(blanks, "ab");
    std::u16string wide = u"a_b_c";
    ReplaceAllWide(wide, u"_", u" ");
    EXPECT_EQ(wide, u"a b c");
}

TEST(StringUtils, CaseFollowsTheCodePage)
{
    std::string text = "AbC\xC0";
    EXPECT_EQ(ToLowerCopy(text), "abc\xC0");
    EXPECT_EQ(ToUpperCopy(text), "ABC\xC0");
    Platform::SetCodePage(Platform::CodePage::Windows1251);
    ToLower(text);
    EXPECT_EQ(text, "abc\xE0");
    ToUpper(text);
    EXPECT_EQ(text, "ABC\xC0");
    EXPECT_EQ(ToLowerCopyWide(u"ПРИВЕТ World"), u"привет world");
    // The C rules fold ASCII letters only, whatever the current code page.
    EXPECT_EQ(ToLowerCopy("AbC\xC0", Platform::CodePage::C), "abc\xC0");
    Platform::SetCodePage(Platform::CodePage::C);
    EXPECT_EQ(ToLowerCopyWide(u"ПРИВЕТ World"), u"ПРИВЕТ world");
}

TEST(StringUtils, NarrowWideConversions)
{
    for (Platform::CodePage page :
         {Platform::CodePage::C, Platform::CodePage::Windows1251, Platform::CodePage::Windows1252}) {
        Platform::SetCodePage(page);
        std::string all;
        for (int b = 1; b < 256; ++b)
            all += static_cast<char>(b);
        EXPECT_EQ(WideToMultiByte(MultiByteToWide(all)), all);
    }
    Platform::SetCodePage(Platform::CodePage::Windows1251);
    EXPECT_EQ(MultiByteToWide("\xCF\xF0\xE8"), u"При");
    EXPECT_EQ(WideToMultiByte(u"Aé\u0416b"), "A\xC6" "b"); // é has no 1251 byte: skipped
    Platform::SetCodePage(Platform::CodePage::C);
    EXPECT_EQ(WideToMultiByte(u"x\u0416y"), "xy");
    EXPECT_EQ(MultiByteToWide(std::string("ab\0cd", 5)), u"ab");
    EXPECT_EQ(WideToMultiByte(std::u16string(u"ab\0cd", 5)), "ab");
}

TEST(StringUtils, ApplicationDirectory)
{
    struct Case {
        const char* program;
        const char* folder;
    } const cases[] = {{"/opt/brindlemoor/game", "/opt/brindlemoor"}, {"C:\\Play\\x.exe", "C:\\Play"}};
    for (const Case& c : cases) {
        Platform::OverrideModuleFileName(c.program);
        EXPECT_EQ(GetApplicationDirectory(), c.folder);
    }
    Platform::OverrideModuleFileName("");
    EXPECT_FALSE(GetApplicationDirectory().empty());
}
