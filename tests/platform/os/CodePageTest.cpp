#include "platform/os/CodePage.h"

#include <gtest/gtest.h>

using Platform::CodePage;

TEST(CodePage, EveryByteRoundTrips)
{
    for (CodePage page : {CodePage::C, CodePage::Windows1251, CodePage::Windows1252}) {
        for (unsigned b = 0; b < 256; ++b) {
            unsigned char back = 0;
            ASSERT_TRUE(Platform::WideToByte(Platform::ByteToWide(static_cast<unsigned char>(b), page), back, page));
            EXPECT_EQ(back, b) << static_cast<int>(page);
        }
    }
}

TEST(CodePage, Conversions)
{
    struct Case {
        CodePage page;
        unsigned char byte;
        char16_t unit;
    } const cases[] = {
        {CodePage::C, 0xC0, 0x00C0},          {CodePage::Windows1252, 0x80, 0x20AC},
        {CodePage::Windows1252, 0xE9, 0x00E9}, {CodePage::Windows1252, 0x81, 0x0081},
        {CodePage::Windows1251, 0xC0, 0x0410}, {CodePage::Windows1251, 0xFF, 0x044F},
        {CodePage::Windows1251, 0xA8, 0x0401}, {CodePage::Windows1251, 0x98, 0x0098},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Platform::ByteToWide(c.byte, c.page), c.unit) << int(c.byte);

    unsigned char byte = 0x55;
    EXPECT_FALSE(Platform::WideToByte(0x0410, byte, CodePage::C));
    EXPECT_FALSE(Platform::WideToByte(0x0410, byte, CodePage::Windows1252));
    EXPECT_FALSE(Platform::WideToByte(0x00E9, byte, CodePage::Windows1251));
    EXPECT_EQ(byte, 0x55);
}

TEST(CodePage, CaseAndSpaces)
{
    struct Case {
        CodePage page;
        unsigned char upper, lower;
    } const pairs[] = {
        {CodePage::C, 'A', 'a'},
        {CodePage::Windows1251, 0xC0, 0xE0},  // А а
        {CodePage::Windows1251, 0xA8, 0xB8},  // Ё ё
        {CodePage::Windows1252, 0xC9, 0xE9},  // É é
        {CodePage::Windows1252, 0x8A, 0x9A},  // Š š
        {CodePage::Windows1252, 0x9F, 0xFF},  // Ÿ ÿ
    };
    for (const Case& c : pairs) {
        EXPECT_EQ(Platform::ToLowerByte(c.upper, c.page), c.lower) << int(c.upper);
        EXPECT_EQ(Platform::ToUpperByte(c.lower, c.page), c.upper) << int(c.lower);
    }
    EXPECT_EQ(Platform::ToLowerByte(0xC0, CodePage::C), 0xC0);   // ASCII only in "C"
    EXPECT_EQ(Platform::ToUpperByte(0xDF, CodePage::Windows1252), 0xDF); // ß has no one-byte capital
    EXPECT_EQ(Platform::ToUpperByte(0xB5, CodePage::Windows1252), 0xB5);

    EXPECT_EQ(Platform::ToLowerWide(u'Ж', CodePage::Windows1251), u'ж');
    EXPECT_EQ(Platform::ToLowerWide(u'Ж', CodePage::C), u'Ж');
    EXPECT_EQ(Platform::ToUpperWide(u'ł', CodePage::Windows1252), u'Ł');

    EXPECT_TRUE(Platform::IsSpaceByte('\t', CodePage::C));
    EXPECT_FALSE(Platform::IsSpaceByte(0xA0, CodePage::C));
    EXPECT_TRUE(Platform::IsSpaceByte(0xA0, CodePage::Windows1251));
    EXPECT_FALSE(Platform::IsSpaceByte(0x85, CodePage::Windows1252));
    EXPECT_TRUE(Platform::IsSpaceWide(0x3000));
    EXPECT_FALSE(Platform::IsSpaceWide(u'x'));
}

TEST(CodePage, CurrentStateDrivesDefaults)
{
    EXPECT_EQ(Platform::GetCodePage(), CodePage::C);
    Platform::SetCodePage(CodePage::Windows1251);
    EXPECT_EQ(Platform::ByteToWide(0xC0), 0x0410);
    Platform::SetCodePage(CodePage::C);
    EXPECT_EQ(Platform::ByteToWide(0xC0), 0x00C0);
}
