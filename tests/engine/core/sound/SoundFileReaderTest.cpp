#include "SoundFixtures.h"
#include "SoundWorld.h"

#include "engine/core/Error.h"
#include "engine/core/sound/SoundBuffer_DS7.h"
#include "engine/core/sound/SoundFileReaderOGG.h"
#include "engine/core/sound/SoundFileReaderWAV.h"

#include <gtest/gtest.h>

#include <optional>

using namespace VantoranEngine;
using namespace SoundFixtures;

namespace {

std::vector<uint8_t> Bytes(size_t n, uint8_t first = 1)
{
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = uint8_t(first + i);
    return v;
}

std::string Failure(const std::string& name, const std::string& what)
{
    return "Failed to load \"data\\" + name + "\" sound file - " + what;
}

} // namespace

TEST(SoundFileReaderWAV, HeaderTable)
{
    struct Case {
        const char* label;
        std::vector<uint8_t> file;
        std::optional<std::string> error; // the FileError's text; none: accepted
        uint32_t channels = 0, bits = 0, rate = 0, size = 0;
    };
    const std::vector<uint8_t> data = Bytes(10);
    std::vector<uint8_t> notRiff = Wav({{"fmt ", FormatBody(1, 1, 8000, 8)}, {"data", data}});
    notRiff[0] = 'X';
    std::vector<uint8_t> emptyRiff = Wav({{"fmt ", FormatBody(1, 1, 8000, 8)}, {"data", data}});
    emptyRiff[4] = emptyRiff[5] = emptyRiff[6] = emptyRiff[7] = 0;
    // A valid RIFF file pads an odd chunk; the reader skips by the size alone and loses its place.
    std::vector<uint8_t> padded = Wav({{"fmt ", FormatBody(1, 1, 8000, 8)}, {"LIST", {'a', 'b', 'c', 0}, 3},
                                       {"data", data}});
    const Case cases[] = {
        {"fmt of 16", Wav({{"fmt ", FormatBody(1, 2, 22050, 16)}, {"data", data}}), {}, 2, 16, 22050, 10},
        {"fmt of 18", Wav({{"fmt ", FormatBody(1, 1, 11025, 8, 2)}, {"data", data}}), {}, 1, 8, 11025, 10},
        {"short fmt skipped",
         Wav({{"fmt ", Bytes(6)}, {"fmt ", FormatBody(1, 1, 8000, 8)}, {"data", data}}), {}, 1, 8, 8000, 10},
        {"odd chunk, no pad", Wav({{"fmt ", FormatBody(1, 1, 8000, 8)}, {"LIST", Bytes(3)}, {"data", data}}), {},
         1, 8, 8000, 10},
        {"odd chunk, padded", padded, Failure("w.wav", "no data chunk")},
        {"4 channels", Wav({{"fmt ", FormatBody(1, 4, 8000, 16)}, {"data", data}}),
         Failure("w.wav", "no format chunk")},
        {"24 bit", Wav({{"fmt ", FormatBody(1, 2, 8000, 24)}, {"data", data}}), Failure("w.wav", "no format chunk")},
        {"float", Wav({{"fmt ", FormatBody(3, 2, 8000, 16)}, {"data", data}}), Failure("w.wav", "no format chunk")},
        {"no fmt", Wav({{"data", data}, {"LIST", Bytes(4)}}), Failure("w.wav", "no format chunk")},
        {"no data", Wav({{"fmt ", FormatBody(1, 1, 8000, 8)}, {"LIST", Bytes(4)}}),
         Failure("w.wav", "no data chunk")},
        {"huge chunk size", Wav({{"fmt ", FormatBody(1, 1, 8000, 8)}, {"LIST", Bytes(4), 0xFFFFFFF8u}, {"data", data}}),
         Failure("w.wav", "no data chunk")},
        {"not RIFF", notRiff, Failure("w.wav", "no RIFF header")},
        {"RIFF size 0", emptyRiff, Failure("w.wav", "no RIFF header")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SoundWorld world(false);
        world.Put("w.wav", c.file);
        try {
            SoundFileReaderWAV reader(world.log.get(), world.memory.get(), world.files.get(), "w.wav");
            ASSERT_FALSE(c.error) << "accepted";
            EXPECT_EQ(reader.channels, c.channels);
            EXPECT_EQ(reader.bitsPerSample, c.bits);
            EXPECT_EQ(reader.samplesPerSecond, c.rate);
            EXPECT_EQ(reader.size, c.size);
            std::vector<uint8_t> out(20);
            uint32_t read = 0;
            bool end = false;
            reader.Read(out.data(), 20, read, end);
            EXPECT_EQ(read, 10u);
            EXPECT_TRUE(end);
            EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 10), data);
        } catch (const FileError& error) {
            ASSERT_TRUE(c.error) << error.message;
            EXPECT_EQ(error.message, *c.error);
        }
    }
}

TEST(SoundFileReaderWAV, ShortFilesAndReads)
{
    SoundWorld world(false);
    // A header cut short: the file's own read error.
    world.Put("cut.wav", {'R', 'I', 'F', 'F', 1, 0});
    EXPECT_THROW(SoundFileReaderWAV(world.log.get(), world.memory.get(), world.files.get(), "cut.wav"), FileError);
    EXPECT_THROW(SoundFileReaderWAV(world.log.get(), world.memory.get(), world.files.get(), "missing.wav"),
                 FileError);

    // A data chunk that claims more than the file holds ends at the file's end.
    world.Put("long.wav", Wav({{"fmt ", FormatBody(1, 1, 8000, 8)}, {"data", Bytes(6), 100}}));
    SoundFileReaderWAV reader(world.log.get(), world.memory.get(), world.files.get(), "long.wav");
    EXPECT_EQ(reader.size, 100u);
    uint8_t out[100];
    uint32_t read = 99;
    bool end = false;
    reader.Read(out, 0, read, end);
    EXPECT_EQ(read, 0u);
    EXPECT_TRUE(end);
    reader.Read(out, 4, read, end);
    EXPECT_EQ(read, 4u);
    EXPECT_FALSE(end);
    reader.Read(out, 50, read, end);
    EXPECT_EQ(read, 2u);
    EXPECT_TRUE(end);
    reader.Rewind();
    reader.Read(out, 3, read, end);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 3), Bytes(3));
}

TEST(SoundFileReaderOGG, DecodesThroughTheEngineFileAndReportsTheEndOneCallLate)
{
    SoundWorld world(false);
    const std::vector<int16_t> tone = Tone(3000, 2, 22050);
    const std::vector<uint8_t> file = Ogg(2, 22050, tone);
    world.Put("t.ogg", file);
    SoundFileReaderOGG reader(world.log.get(), world.memory.get(), world.files.get(), "t.ogg", false);
    EXPECT_EQ(reader.channels, 2u);
    EXPECT_EQ(reader.bitsPerSample, 16u);
    EXPECT_EQ(reader.samplesPerSecond, 22050u);
    EXPECT_EQ(reader.size, 3000u * 4);
    std::vector<int16_t> out(3000 * 2);
    uint32_t read = 0;
    bool end = true;
    reader.Read(out.data(), reader.size, read, end);
    EXPECT_EQ(read, reader.size);
    EXPECT_FALSE(end);
    EXPECT_EQ(out, DecodeOgg(file));
    reader.Read(out.data(), 4, read, end);
    EXPECT_EQ(read, 0u);
    EXPECT_TRUE(end);
    reader.Rewind();
    reader.Read(out.data(), 0, read, end);
    EXPECT_TRUE(end);
    reader.Read(out.data(), 8, read, end);
    EXPECT_EQ(read, 8u);
    const std::vector<int16_t> decoded = DecodeOgg(file);
    EXPECT_EQ(std::vector<int16_t>(out.begin(), out.begin() + 4),
              std::vector<int16_t>(decoded.begin(), decoded.begin() + 4));

    world.Put("bad.ogg", Bytes(500));
    try {
        SoundFileReaderOGG bad(world.log.get(), world.memory.get(), world.files.get(), "bad.ogg", false);
        ADD_FAILURE();
    } catch (const FileError& error) {
        EXPECT_EQ(error.message, Failure("bad.ogg", "incorrect format"));
    }
}

namespace {

// A decoder that only ever reports damaged data.
class DamagedOGG : public SoundFileReaderOGG {
public:
    using SoundFileReaderOGG::SoundFileReaderOGG;
    int calls = 0;

protected:
    long Decode(char*, int) override
    {
        ++calls;
        return -3;
    }
};

} // namespace

TEST(SoundFileReaderOGG, EndlessDecoderErrorsEndTheReadWithALoggedError)
{
    SoundWorld world(false);
    world.Put("t.ogg", Ogg(1, 22050, Tone(500, 1, 22050)));
    DamagedOGG reader(world.log.get(), world.memory.get(), world.files.get(), "t.ogg", false);
    std::vector<uint8_t> out(1000);
    uint32_t read = 1;
    bool end = false;
    reader.Read(out.data(), 1000, read, end);
    EXPECT_EQ(read, 0u);
    EXPECT_TRUE(end);
    EXPECT_EQ(reader.calls, SoundFileReaderOGG::kMaxDecodeErrors);
    EXPECT_TRUE(LogHasError(*world.log, Failure("t.ogg", "incorrect format")));
    reader.Rewind();
    reader.Read(out.data(), 1000, read, end); // gave up for good
    EXPECT_EQ(reader.calls, SoundFileReaderOGG::kMaxDecodeErrors);
    EXPECT_TRUE(end);
}

TEST(SoundFileReaderEMP, EightBytesOfSilence)
{
    SoundFileReaderEMP reader(nullptr, nullptr, nullptr);
    EXPECT_EQ(reader.size, 8u);
    EXPECT_EQ(reader.channels, 1u);
    EXPECT_EQ(reader.bitsPerSample, 8u);
    EXPECT_EQ(reader.samplesPerSecond, 22050u);
    uint8_t out[16] = {};
    uint32_t read = 0;
    bool end = true;
    reader.Read(out, 5, read, end);
    EXPECT_EQ(read, 5u);
    EXPECT_FALSE(end);
    reader.Read(out + 5, 11, read, end);
    EXPECT_EQ(read, 3u);
    EXPECT_TRUE(end);
    EXPECT_EQ(std::vector<uint8_t>(out, out + 8), std::vector<uint8_t>(8, 0x80));
}

// Reader choice by name, through a buffer: the silent reader stands in for whatever cannot be read.
TEST(SoundFileReader, ChoiceByNameFallsBackToSilence)
{
    struct Case {
        std::string name;
        std::string error; // empty: none
        uint32_t size;
    };
    SoundWorld world;
    world.Put("ok.wav", Wav16(1, 22050, {1, 2, 3}));
    const Case cases[] = {
        {"ok.wav", "", 6},
        {"OK.WAV", "", 6},
        {"", "", 8},
        // A folder's dot is no extension: this is a WAV name, and the file is missing.
        {"music.old\\theme.wav", "Failed to open \"*music.old\\theme.wav\" file", 8},
        {"theme.old.wav", "Failed to load \"theme.old.wav\" sound file - unknown type", 8},
        {"absent.ogg", "Failed to open \"*absent.ogg\" file", 8}, // * : the folders the file layer adds
        {"x.mp3", "Failed to load \"x.mp3\" sound file - unknown type", 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        world.log->ClearEntries();
        SoundBuffer* buffer = world.system->CreateSoundBuffer(c.name);
        EXPECT_EQ(buffer->size, c.size);
        EXPECT_EQ(buffer->reader, nullptr); // static: dropped after loading
        const std::vector<std::string> lines = LogLines(*world.log);
        if (c.error.empty()) {
            EXPECT_EQ(lines, std::vector<std::string>{});
        } else if (const size_t star = c.error.find('*'); star != std::string::npos) {
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_TRUE(lines[0].starts_with("E:" + c.error.substr(0, star))) << lines[0];
            EXPECT_TRUE(lines[0].ends_with(c.error.substr(star + 1))) << lines[0];
        } else {
            EXPECT_EQ(lines, std::vector<std::string>{"E:" + c.error});
        }
        delete buffer;
    }
}
