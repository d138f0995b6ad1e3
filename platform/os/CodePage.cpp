#include "platform/os/CodePage.h"

#include <atomic>

namespace Platform {

namespace {

std::atomic<CodePage> g_codePage{CodePage::C};

// Units for the bytes 0x80..0xFF. Undefined bytes hold their own value (U+0080..U+009F).
constexpr char16_t k1251[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F, // F8
};

// 1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t k1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98
};

bool IsAsciiSpace(unsigned c)
{
    return c == 0x20 || (c >= 0x09 && c <= 0x0D);
}

// The lower-case unit of an upper-case letter in the covered blocks; the unit itself otherwise.
char16_t LowerOf(char16_t u)
{
    if (u < 0x80)
        return (u >= 'A' && u <= 'Z') ? static_cast<char16_t>(u + 0x20) : u;
    if ((u >= 0x00C0 && u <= 0x00DE && u != 0x00D7) || (u >= 0x0391 && u <= 0x03AB && u != 0x03A2) ||
        (u >= 0x0410 && u <= 0x042F))
        return static_cast<char16_t>(u + 0x20);
    if (u >= 0x0400 && u <= 0x040F)
        return static_cast<char16_t>(u + 0x50);
    if (u == 0x0130)
        return 0x0069;
    if (u == 0x0178)
        return 0x00FF;
    if (u == 0x0191)
        return 0x0192;
    const bool evenUpper = (u >= 0x0100 && u <= 0x012F) || (u >= 0x0132 && u <= 0x0137) ||
                           (u >= 0x014A && u <= 0x0177) || (u >= 0x0460 && u <= 0x0481) ||
                           (u >= 0x048A && u <= 0x04BF);
    if (evenUpper && (u % 2) == 0)
        return static_cast<char16_t>(u + 1);
    const bool oddUpper = (u >= 0x0139 && u <= 0x0148) || (u >= 0x0179 && u <= 0x017E);
    if (oddUpper && (u % 2) == 1)
        return static_cast<char16_t>(u + 1);
    return u;
}

char16_t UpperOf(char16_t u)
{
    if (u < 0x80)
        return (u >= 'a' && u <= 'z') ? static_cast<char16_t>(u - 0x20) : u;
    if ((u >= 0x00E0 && u <= 0x00FE && u != 0x00F7) || (u >= 0x03B1 && u <= 0x03CB && u != 0x03C2) ||
        (u >= 0x0430 && u <= 0x044F))
        return static_cast<char16_t>(u - 0x20);
    if (u >= 0x0450 && u <= 0x045F)
        return static_cast<char16_t>(u - 0x50);
    if (u == 0x0131)
        return 0x0049;
    if (u == 0x00FF)
        return 0x0178;
    if (u == 0x0192)
        return 0x0191;
    const bool evenUpper = (u >= 0x0100 && u <= 0x012F) || (u >= 0x0132 && u <= 0x0137) ||
                           (u >= 0x014A && u <= 0x0177) || (u >= 0x0460 && u <= 0x0481) ||
                           (u >= 0x048A && u <= 0x04BF);
    if (evenUpper && (u % 2) == 1)
        return static_cast<char16_t>(u - 1);
    const bool oddUpper = (u >= 0x0139 && u <= 0x0148) || (u >= 0x0179 && u <= 0x017E);
    if (oddUpper && (u % 2) == 0)
        return static_cast<char16_t>(u - 1);
    return u;
}

unsigned char MapByte(unsigned char byte, CodePage page, char16_t (*map)(char16_t))
{
    if (page == CodePage::C || byte < 0x80) {
        const char16_t mapped = map(byte);
        return mapped < 0x80 ? static_cast<unsigned char>(mapped) : byte;
    }
    unsigned char result = byte;
    WideToByte(map(ByteToWide(byte, page)), result, page);
    return result;
}

} // namespace

void SetCodePage(CodePage page)
{
    g_codePage.store(page);
}

CodePage GetCodePage()
{
    return g_codePage.load();
}

char16_t ByteToWide(unsigned char byte, CodePage page)
{
    if (byte < 0x80 || page == CodePage::C)
        return byte;
    if (page == CodePage::Windows1251)
        return k1251[byte - 0x80];
    return byte < 0xA0 ? k1252High[byte - 0x80] : byte;
}

bool WideToByte(char16_t unit, unsigned char& byte, CodePage page)
{
    if (unit < 0x80 || (page == CodePage::C && unit <= 0xFF)) {
        byte = static_cast<unsigned char>(unit);
        return true;
    }
    if (page == CodePage::C)
        return false;
    if (page == CodePage::Windows1252 && unit >= 0xA0 && unit <= 0xFF) {
        byte = static_cast<unsigned char>(unit);
        return true;
    }
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        if (ByteToWide(static_cast<unsigned char>(b), page) == unit) {
            byte = static_cast<unsigned char>(b);
            return true;
        }
    }
    return false;
}

unsigned char ToLowerByte(unsigned char byte, CodePage page)
{
    return MapByte(byte, page, LowerOf);
}

unsigned char ToUpperByte(unsigned char byte, CodePage page)
{
    return MapByte(byte, page, UpperOf);
}

bool IsSpaceByte(unsigned char byte, CodePage page)
{
    return IsAsciiSpace(byte) || (page != CodePage::C && byte == 0xA0);
}

char16_t ToLowerWide(char16_t unit, CodePage page)
{
    if (page == CodePage::C)
        return (unit >= 'A' && unit <= 'Z') ? static_cast<char16_t>(unit + 0x20) : unit;
    return LowerOf(unit);
}

char16_t ToUpperWide(char16_t unit, CodePage page)
{
    if (page == CodePage::C)
        return (unit >= 'a' && unit <= 'z') ? static_cast<char16_t>(unit - 0x20) : unit;
    return UpperOf(unit);
}

bool IsSpaceWide(char16_t u)
{
    return IsAsciiSpace(u) || u == 0x0085 || u == 0x00A0 || u == 0x1680 || (u >= 0x2000 && u <= 0x200A) ||
           u == 0x2028 || u == 0x2029 || u == 0x202F || u == 0x205F || u == 0x3000;
}

} // namespace Platform
