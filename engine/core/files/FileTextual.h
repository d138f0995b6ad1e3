#pragma once
// FileTextual: line, word and number reading of text files, and plain text writing, over a FileBinary
// it owns.
//
// Rules:
// - Reading recognises a byte-order mark: FF FE UTF-16 little-endian, FE FF UTF-16 big-endian,
//   EF BB BF UTF-8; anything else is ANSI in the current code page, read from the first byte.
// - Lines end with CR, LF or CR LF. "//" starts a comment that runs to the end of the line. A word never
//   holds a blank; several blanks in a row, and every line end, give empty words, which the number and
//   token readers skip. The last line counts even without a line end; a final line end gives one more,
//   empty, line.
// - Reading never throws: the end of the file shows as a false result (the output is then empty) and
//   as `endOfFile`.
// - Writing puts bytes out unchanged (ANSI, CR LF line ends, no byte-order mark). `Close` writes the
//   rest and puts the file in place, throwing `FileError` on failure; the destructor does the same
//   silently, and keeps the old file when anything went wrong (see FileBinary).
// - One object, one thread.

#include <cstdint>
#include <memory>
#include <string>

namespace VantoranEngine {

class FileBinary;

class FileTextual {
public:
    enum Mode { modeRead = 0, modeWrite = 1 };
    enum Encoding { encodingAnsi = 0, encodingUtf16BigEndian = 1, encodingUtf16LittleEndian = 2, encodingUtf8 = 3 };

    FileTextual(std::unique_ptr<FileBinary> file, int mode);
    virtual ~FileTextual();

    FileTextual(const FileTextual&) = delete;
    FileTextual& operator=(const FileTextual&) = delete;

    // The next line (`word` false) or word (`word` true); false once nothing can be read any more.
    bool ReadString(std::string& out, bool word);
    bool ReadWideString(std::u16string& out, bool word);
    // The next non-empty word with every '_' turned into a blank; false at the end of the file.
    bool ReadTextToken(std::u16string& out);
    // The next non-empty word as a number; 0 when there is none or it is not a number.
    int32_t ReadInt();
    float ReadFloat();

    void WriteString(const std::string& text);
    void WriteNewLine();

    // Writes out what is buffered and ends the file (see FileBinary::Close). Later calls do nothing.
    void Close();

    int GetEncoding() const { return encoding; }

    bool endOfFile = false; // set once a read found no more bytes

private:
    static constexpr int bufferSize = 1024;

    void Init();
    void Rewind();
    uint8_t GetByte();
    char16_t GetChar();
    void PutByte(uint8_t byte);
    void FlushBuffer();
    bool ReadNarrow(std::string& out, bool word);
    bool ReadWide(std::u16string& out, bool word);
    std::u16string NarrowToWide(const std::string& text) const;
    std::string WideToNarrow(const std::u16string& text) const;

    int mode;
    int encoding = encodingAnsi;
    std::unique_ptr<FileBinary> file;
    uint8_t buffer[bufferSize] = {};
    int bufferIndex = -1;     // last byte taken from or put into the buffer; -1 when none
    uint32_t bufferFill = 0;  // valid bytes in the buffer when reading
    char replacement = '?';   // stands for a character that has no narrow form
    bool firstRead = true;    // the first read does not skip a line end
    bool hasPushedBack = false;
    char16_t pushedBack = 0;  // the character that ended the previous read
    bool closed = false;
};

} // namespace VantoranEngine
