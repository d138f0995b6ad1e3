#include "engine/core/files/FileTextual.h"

#include "engine/core/Error.h"
#include "engine/core/StringUtils.h"
#include "engine/core/files/FileBinary.h"
#include "platform/os/CodePage.h"
#include "platform/os/Numbers.h"

namespace VantoranEngine {

namespace {

constexpr char16_t carriageReturn = 0x0D;
constexpr char16_t lineFeed = 0x0A;

// The one line and word reader, on bytes or on UTF-16 units.
template <typename Text, typename Next, typename IsSpace, typename PushBack>
bool ReadLineOrWord(Text& out, bool word, bool& firstRead, const bool& endOfFile, Next next, IsSpace isSpace,
                    PushBack pushBack)
{
    using Char = typename Text::value_type;
    out.clear();
    if (endOfFile)
        return false;

    Char ch = next();
    if (firstRead) {
        firstRead = false;
    } else if (word && isSpace(ch)) {
        ch = next(); // the one blank or line-end character that ended the previous word
    } else {
        // The line end that ended the previous read: CR, LF or CR LF.
        if (ch == Char(carriageReturn))
            ch = next();
        if (ch == Char(lineFeed))
            ch = next();
    }

    const Text comment{Char('/'), Char('/')};
    bool wordMode = word;
    while (ch != Char(carriageReturn) && ch != Char(lineFeed)) {
        if (endOfFile || (wordMode && isSpace(ch)))
            break;
        out.push_back(ch);
        if (wordMode && out == comment)
            wordMode = false; // a word that starts a comment takes the rest of its line
        ch = next();
    }
    pushBack(ch);

    const size_t cut = out.find(comment);
    if (cut != Text::npos)
        out.erase(cut);
    return true;
}

} // namespace

FileTextual::FileTextual(std::unique_ptr<FileBinary> file_, int mode_) : mode(mode_), file(std::move(file_))
{
    Init();
}

FileTextual::~FileTextual()
{
    if (mode == modeWrite && !closed) {
        // Best effort: a failure here leaves the old file in place (FileBinary keeps it).
        try {
            FlushBuffer();
        } catch (...) {
        }
    }
    // The FileBinary's own destructor commits or discards the write.
}

void FileTextual::Close()
{
    if (closed)
        return;
    closed = true;
    if (mode == modeWrite)
        FlushBuffer();
    file->Close();
}

void FileTextual::Init()
{
    bufferIndex = -1;
    bufferFill = 0;
    firstRead = true;
    endOfFile = false;
    hasPushedBack = false;
    replacement = '?';
    if (mode == modeWrite)
        return;

    const uint8_t b0 = GetByte();
    const uint8_t b1 = GetByte();
    if (b0 == 0xFF && b1 == 0xFE) {
        encoding = encodingUtf16LittleEndian;
    } else if (b0 == 0xFE && b1 == 0xFF) {
        encoding = encodingUtf16BigEndian;
    } else if (b0 == 0xEF && b1 == 0xBB && GetByte() == 0xBF) {
        encoding = encodingUtf8;
    } else {
        encoding = encodingAnsi;
        Rewind();
    }
}

void FileTextual::Rewind()
{
    file->Seek(0, 0);
    hasPushedBack = false;
    bufferIndex = -1;
    bufferFill = 0;
    firstRead = true;
    endOfFile = false;
}

uint8_t FileTextual::GetByte()
{
    if (hasPushedBack) {
        hasPushedBack = false;
        return static_cast<uint8_t>(pushedBack & 0xFF);
    }
    if (bufferIndex >= 0 && bufferIndex < bufferSize - 1) {
        ++bufferIndex;
        if (static_cast<uint32_t>(bufferIndex) < bufferFill)
            return buffer[bufferIndex];
        endOfFile = true;
        return 0;
    }
    file->Read(bufferSize, buffer, &bufferFill);
    if (bufferFill == 0) {
        endOfFile = true;
        return 0;
    }
    bufferIndex = 0;
    return buffer[0];
}

char16_t FileTextual::GetChar()
{
    if (hasPushedBack) {
        hasPushedBack = false;
        return pushedBack;
    }
    if (encoding == encodingUtf8) {
        const uint8_t b = GetByte();
        if (b < 0x80)
            return b;
        int leadingOnes = 0;
        while (leadingOnes < 8 && (b & (0x80 >> leadingOnes)))
            ++leadingOnes;
        if (leadingOnes == 2) {
            const uint8_t next = GetByte();
            return static_cast<char16_t>(((b & 0x1F) << 6) | (next & 0x3F));
        }
        if (leadingOnes == 3) {
            const uint8_t next = GetByte();
            const uint8_t following = GetByte();
            return static_cast<char16_t>(((b & 0x0F) << 12) | ((next & 0x3F) << 6) | (following & 0x3F));
        }
        return 0xFFFD; // a stray continuation byte or a lead byte of four or more
    }
    const uint8_t first = GetByte();
    const uint8_t second = GetByte();
    if (encoding == encodingUtf16BigEndian)
        return static_cast<char16_t>(first * 256 + second);
    return static_cast<char16_t>(second * 256 + first);
}

bool FileTextual::ReadNarrow(std::string& out, bool word)
{
    return ReadLineOrWord(
        out, word, firstRead, endOfFile, [this] { return static_cast<char>(GetByte()); },
        [](char c) { return Platform::IsSpaceByte(static_cast<unsigned char>(c)); },
        [this](char c) {
            hasPushedBack = true;
            pushedBack = static_cast<uint8_t>(c);
        });
}

bool FileTextual::ReadWide(std::u16string& out, bool word)
{
    return ReadLineOrWord(
        out, word, firstRead, endOfFile, [this] { return GetChar(); },
        [](char16_t c) { return Platform::IsSpaceWide(c); },
        [this](char16_t c) {
            hasPushedBack = true;
            pushedBack = c;
        });
}

std::u16string FileTextual::NarrowToWide(const std::string& text) const
{
    return MultiByteToWide(text);
}

std::string FileTextual::WideToNarrow(const std::u16string& text) const
{
    std::string narrow;
    for (char16_t unit : text) {
        unsigned char byte = 0;
        narrow.push_back(Platform::WideToByte(unit, byte) ? static_cast<char>(byte) : replacement);
    }
    return narrow;
}

bool FileTextual::ReadString(std::string& out, bool word)
{
    out.clear();
    if (endOfFile)
        return false;
    if (encoding == encodingAnsi)
        return ReadNarrow(out, word);
    std::u16string wide;
    const bool result = ReadWide(wide, word);
    out = WideToNarrow(wide);
    return result;
}

bool FileTextual::ReadWideString(std::u16string& out, bool word)
{
    out.clear();
    if (endOfFile)
        return false;
    if (encoding != encodingAnsi)
        return ReadWide(out, word);
    std::string narrow;
    const bool result = ReadNarrow(narrow, word);
    out = NarrowToWide(narrow);
    return result;
}

bool FileTextual::ReadTextToken(std::u16string& out)
{
    out.clear();
    while (out.empty()) {
        if (!ReadWideString(out, true))
            return false;
    }
    for (char16_t& c : out) {
        if (c == u'_')
            c = u' ';
    }
    return true;
}

int32_t FileTextual::ReadInt()
{
    std::string word;
    while (word.empty() && ReadString(word, true)) {
    }
    return Platform::StringToInt(word);
}

float FileTextual::ReadFloat()
{
    std::string word;
    while (word.empty() && ReadString(word, true)) {
    }
    return StringToFloat(word);
}

void FileTextual::PutByte(uint8_t byte)
{
    if (bufferIndex == bufferSize - 1) {
        file->Write(buffer, bufferSize);
        bufferIndex = -1;
    }
    buffer[++bufferIndex] = byte;
}

void FileTextual::FlushBuffer()
{
    if (bufferIndex < 0)
        return;
    const uint32_t count = static_cast<uint32_t>(bufferIndex + 1);
    bufferIndex = -1;
    file->Write(buffer, count);
}

void FileTextual::WriteString(const std::string& text)
{
    for (char c : text) {
        if (c == '\0')
            break;
        PutByte(static_cast<uint8_t>(c));
    }
}

void FileTextual::WriteNewLine()
{
    PutByte(0x0D);
    PutByte(0x0A);
}

} // namespace VantoranEngine
