// The data audit: builds the default data set, reads it back through the engine's own readers and checks
// the rules the game's code relies on. Checks are grouped by kind of file.
#include "tools/databuild/DataBuild.h"

#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"
#include "engine/core/sound/SoundFileReaderOGG.h"
#include "engine/render/JpegCodec.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "platform/os/CodePage.h"

#include "GameDataFixture.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace VantoranEngine;

namespace {

// The audit reads the tree the build wrote beside the game (BRINDLE_GAME_FOLDER/data).
class DataAudit : public ::testing::Test {
protected:

    std::unique_ptr<FileTextual> Open(const std::string& name)
    {
        auto file = files.OpenTextual(name, false);
        EXPECT_EQ(file->GetEncoding(), FileTextual::encodingUtf8) << name;
        return file;
    }

    std::vector<std::string> Errors() const
    {
        std::vector<std::string> errors;
        for (const auto& entry : log.GetEntries())
            if (entry.kind == LogEntry::Error || entry.kind == LogEntry::Warning)
                errors.push_back(entry.text);
        return errors;
    }

    const std::string gameFolder = BRINDLE_GAME_FOLDER;
    MessageManager log{"", "", "Test", false, false};
    MemoryManager memory{&log};
    FileManager files{&log, &memory, gameFolder, ""};
};

// Characters of a token line or keyed text; every one must have a glyph in the fonts.
std::u16string Utf16(const std::string& utf8)
{
    std::u16string out;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : 2;
        char16_t code = extra == 0 ? c : extra == 1 ? (c & 0x1F) : (c & 0x0F);
        for (int k = 1; k <= extra; ++k)
            code = static_cast<char16_t>(code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F));
        out += code;
        i += 1 + extra;
    }
    return out;
}

bool IsPowerOfTwo(uint32_t n) { return n != 0 && (n & (n - 1)) == 0; }

struct JpegInfo {
    uint32_t width = 0, height = 0, components = 0;
};

JpegInfo ReadJpeg(const std::filesystem::path& path)
{
    const std::string bytes = TempFolder::ReadFile(path.string());
    size_t at = 0;
    JpegInfo info;
    std::vector<uint8_t> pixels;
    std::string failure;
    const bool decoded = JpegCodec::Decode(
        [&](uint8_t* buffer, uint32_t count) {
            const uint32_t n = static_cast<uint32_t>(std::min<size_t>(count, bytes.size() - at));
            std::copy_n(bytes.data() + at, n, buffer);
            at += n;
            return n;
        },
        [&](uint32_t width, uint32_t height, uint32_t components) {
            info = {width, height, components};
            pixels.resize(size_t{width} * height * components);
            return pixels.data();
        },
        failure);
    EXPECT_TRUE(decoded) << path << ": " << failure;
    return info;
}

std::string ReadAll(const std::filesystem::path& path) { return TempFolder::ReadFile(path.string()); }

TEST_F(DataAudit, SettingsHoldEveryValueAndTheDivisorsAreUsable)
{
    auto game = Open("data\\game.ini");
    const std::set<int> integers = {49, 77, 79, 90};
    std::vector<float> v(91, 0.0f);
    for (int position = 1; position <= 90; ++position)
        v[position] = integers.count(position) ? static_cast<float>(game->ReadInt()) : game->ReadFloat();
    EXPECT_EQ(NextWord(*game), "") << "words after the 90th value";

    // Divisors, speeds whose zero never ends a sequence, and the modulo.
    for (int position : {1, 8, 10, 14, 15, 16, 17, 18, 19, 23, 27, 28, 30, 31, 32, 42, 44, 45, 56, 70, 77, 85, 89})
        EXPECT_GT(v[position], 0.0f) << "position " << position;
    EXPECT_LE(v[43], -100.0f);
    EXPECT_LE(v[17], v[85]);
    EXPECT_LT(v[1] + 0.1f * v[2], 500.0f);
    for (auto [low, high] : {std::pair{60, 61}, {62, 63}, {65, 66}, {67, 68}, {72, 73}, {74, 75}, {80, 81}, {82, 83}})
        EXPECT_LE(v[low], v[high]) << "positions " << low << ", " << high;

    auto score = Open("data\\score.ini");
    for (int32_t expected : DataBuild::ScoreSettings())
        EXPECT_EQ(score->ReadInt(), expected);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(DataAudit, CatalogueFollowsTheStageAndLevelRules)
{
    auto list = Open("data\\levels\\stages_info.ini");
    const int32_t stages = list->ReadInt();
    ASSERT_GE(stages, 8);
    ASSERT_LE(stages, 9);
    for (int32_t stage = 0; stage < stages; ++stage) {
        SCOPED_TRACE("stage " + std::to_string(stage));
        const int32_t background = list->ReadInt();
        const int32_t places = list->ReadInt();
        list->ReadFloat();
        const int32_t orderLimit = list->ReadInt();
        for (int i = 0; i < 4; ++i)
            list->ReadFloat();
        list->ReadInt();
        list->ReadInt();
        list->ReadFloat();
        list->ReadInt();
        list->ReadInt();
        list->ReadFloat();
        EXPECT_GE(background, 0);
        EXPECT_LE(background, 8);
        EXPECT_GE(places, 1);
        EXPECT_LE(places, 9);

        std::string words[5];
        for (std::string& word : words)
            ASSERT_FALSE((word = NextWord(*list)).empty());
        auto flowers = Open("data\\levels\\" + words[0] + ".ini");
        const int32_t n = flowers->ReadInt();
        EXPECT_GE(n, 5);
        EXPECT_LE(n, 7);
        std::set<int32_t> kinds;
        for (int32_t i = 0; i < n; ++i) {
            const int32_t frame = flowers->ReadInt();
            EXPECT_GE(frame, 0);
            EXPECT_LT(frame, 32);
            EXPECT_NE(frame, 6) << "the stone picture";
            kinds.insert(frame);
        }
        EXPECT_EQ(kinds.size(), static_cast<size_t>(n));
        EXPECT_GE(orderLimit, 1);
        EXPECT_LE(orderLimit, std::min(3, n));

        auto options = Open("data\\levels\\" + words[1] + ".ini");
        const float powerupMin = options->ReadFloat(), powerupMax = options->ReadFloat();
        EXPECT_LE(powerupMin, powerupMax);
        EXPECT_GT(options->ReadFloat(), 0.0f);
        Open("data\\levels\\" + words[2] + ".ini");
        auto orders = Open("data\\levels\\" + words[3] + ".ini");
        const int32_t silver = orders->ReadInt();
        EXPECT_GE(silver, 1);
        EXPECT_LE(silver, orders->ReadInt());
        auto scissors = Open("data\\levels\\" + words[4] + ".ini");
        const int32_t count = scissors->ReadInt();
        EXPECT_GE(count, 0);
        EXPECT_LE(count, 3);
        for (int32_t i = 0; i < count; ++i)
            EXPECT_GE(scissors->ReadInt(), 1);

        auto levels = Open("data\\levels\\stage" + std::to_string(stage) + ".ini");
        const int32_t levelCount = levels->ReadInt();
        EXPECT_GE(levelCount, 1);
        EXPECT_LE(levelCount, 5);
        for (int32_t level = 0; level < levelCount; ++level) {
            SCOPED_TRACE("level " + std::to_string(level));
            const int32_t goal = levels->ReadInt(), kind = levels->ReadInt();
            const float time = levels->ReadFloat();
            levels->ReadFloat();
            const int32_t orderMin = levels->ReadInt(), orderMax = levels->ReadInt();
            const std::string board = NextWord(*levels), tip = NextWord(*levels);
            EXPECT_FALSE(tip.empty());
            EXPECT_GE(goal, 1);
            EXPECT_GE(kind, 0);
            EXPECT_LE(kind, 10);
            EXPECT_GT(time, 0.0f);
            EXPECT_GE(orderMin, 1);
            EXPECT_LE(orderMin, orderMax);
            EXPECT_EQ(board, "s" + std::to_string(stage) + "_l" + std::to_string(level));
        }
    }
    EXPECT_TRUE(Errors().empty());
}

// The shown texts of the token files, checked for their layout limits as they are read.
class TokenTexts : public DataAudit {
protected:
    void Line(FileTextual& file, size_t widest)
    {
        std::u16string line;
        ASSERT_TRUE(file.ReadTextToken(line));
        EXPECT_LE(line.size(), widest) << std::string(line.begin(), line.end());
        shown.push_back(line);
    }
    // Page count, then per page a line count (1 to most) and the lines.
    void Pages(FileTextual& file, int32_t most, size_t widest)
    {
        const int32_t pages = file.ReadInt();
        EXPECT_GE(pages, 1);
        for (int32_t page = 0; page < pages; ++page) {
            const int32_t lines = file.ReadInt();
            EXPECT_GE(lines, 1);
            EXPECT_LE(lines, most);
            for (int32_t i = 0; i < lines; ++i)
                Line(file, widest);
        }
    }
    void TipFile(const std::string& name)
    {
        SCOPED_TRACE(name);
        auto file = Open("data\\gui\\tip_window\\text\\ru\\" + name + ".ini");
        const int32_t pages = file->ReadInt();
        EXPECT_GE(pages, 1);
        for (int32_t page = 0; page < pages; ++page) {
            Line(*file, 28);
            file->ReadFloat();
            file->ReadFloat();
            EXPECT_EQ(NextWord(*file), name + ".jpg");
            EXPECT_EQ(NextWord(*file), name + "_alpha.jpg");
            // The picture window takes the picture's size.
            const auto picture = std::filesystem::path(gameFolder) / "data" / "gui" / "tip_window" / (name + ".jpg");
            EXPECT_EQ(ReadJpeg(picture).width, 256u);
            file->ReadFloat();
            file->ReadFloat();
            const int32_t lines = file->ReadInt();
            EXPECT_GE(lines, 1);
            EXPECT_LE(lines, 4);
            for (int32_t i = 0; i < lines; ++i)
                Line(*file, 48);
        }
    }

    std::vector<std::u16string> shown;
};

TEST_F(TokenTexts, StoryTipCreditsAndComicsFilesKeepTheirLayout)
{
    for (int day = 0; day < 9; ++day) {
        SCOPED_TRACE("day " + std::to_string(day));
        auto file = Open("data\\gui\\stage_screen\\text\\ru\\text" + std::to_string(day) + ".ini");
        Pages(*file, 3, 36); // intro
        Pages(*file, 3, 36); // outro
        EXPECT_EQ(NextWord(*file), "");
    }
    for (const char* name : {"new", "game_complete"})
        Pages(*Open(std::string("data\\gui\\stage_screen\\text\\ru\\") + name + ".ini"), 3, 36);

    // Every tip a level names, and the relax and order pages.
    std::set<std::string> tips = {"relax", "order"};
    for (int stage = 0; stage < 9; ++stage) {
        auto levels = Open("data\\levels\\stage" + std::to_string(stage) + ".ini");
        const int32_t count = levels->ReadInt();
        for (int32_t level = 0; level < count; ++level) {
            for (int i = 0; i < 6; ++i)
                NextWord(*levels);
            NextWord(*levels);
            const std::string tip = NextWord(*levels);
            if (tip != "empty")
                tips.insert(tip);
        }
    }
    EXPECT_EQ(tips.size(), 19u);
    for (const std::string& tip : tips)
        TipFile(tip);

    auto credits = Open("data\\gui\\credits\\ru\\credits.ini");
    const int32_t first = credits->ReadInt(), second = credits->ReadInt();
    EXPECT_GE(first, 1);
    EXPECT_GE(second, 1);
    for (int32_t i = 0; i < first + second; ++i) {
        const int32_t font = credits->ReadInt();
        EXPECT_GE(font, 0);
        EXPECT_LT(font, 16);
        Line(*credits, 40);
    }

    const int pictures[4] = {3, 4, 4, 5};
    for (int n = 0; n < 4; ++n)
        for (int m = 0; m < pictures[n]; ++m) {
            auto comic = Open("data\\gui\\comics\\text\\ru\\comics_" + std::to_string(n) + "_pic_" + std::to_string(m) + ".ini");
            const int32_t blocks = comic->ReadInt();
            EXPECT_GE(blocks, 0);
            for (int32_t b = 0; b < blocks; ++b) {
                const float x = comic->ReadFloat(), y = comic->ReadFloat();
                EXPECT_TRUE(x > 0 && x < 800 && y > 0 && y < 600);
                const int32_t lines = comic->ReadInt();
                EXPECT_LE(lines, 3);
                for (int32_t i = 0; i < lines; ++i)
                    Line(*comic, 28);
            }
        }

    // Scene models, one group per stage with its prerequisite, flowers with layers.
    auto house = Open("data\\backgrounds\\flower_house\\flower_house.ini");
    const int32_t scene = house->ReadInt();
    for (int32_t i = 0; i < scene; ++i)
        EXPECT_FALSE(NextWord(*house).empty());
    const int32_t groups = house->ReadInt();
    EXPECT_GE(groups, 9);
    std::vector<int32_t> prerequisites, members;
    for (int32_t g = 0; g < groups; ++g) {
        const int32_t count = house->ReadInt();
        prerequisites.push_back(house->ReadInt());
        for (int32_t i = 0; i < count; ++i)
            members.push_back(house->ReadInt());
    }
    const int32_t flowers = house->ReadInt();
    for (int32_t i = 0; i < flowers; ++i) {
        EXPECT_FALSE(NextWord(*house).empty());
        house->ReadInt();
    }
    for (int32_t p : prerequisites)
        EXPECT_TRUE(p >= -1 && p < flowers) << p;
    for (int32_t m : members)
        EXPECT_TRUE(m >= 0 && m < flowers) << m;

    // Every character shown has a glyph in every font (they share one glyph set).
    for (const auto& spec : DataBuild::Fonts()) {
        if (spec.lowerCaseFromCapitals)
            continue; // the big messages show keyed texts only
        GUIFont font(&log, &memory, &files, std::string("ui\\fonts\\") + spec.stem + ".fnt", ShaderDescriptor{});
        for (const std::u16string& line : shown)
            for (char16_t c : line)
                EXPECT_TRUE(font.HasGlyph(c)) << spec.stem << " U+" << std::hex << static_cast<int>(c);
    }
    EXPECT_TRUE(Errors().empty());
}

TEST_F(DataAudit, TextTablesHoldEveryKeyAndFontsEveryCharacterShown)
{
    GUITextManager texts(&log, &memory, &files);
    for (const auto& table : DataBuild::TextTables())
        texts.LoadTexts(std::string("ui\\texts\\ru\\") + table.name + ".ini");
    EXPECT_EQ(texts.GetLoadedFiles().size(), 29u);
    std::vector<std::u16string> shown;
    size_t keys = 0;
    for (const auto& table : DataBuild::TextTables())
        for (const auto& entry : table.entries) {
            EXPECT_EQ(texts.GetText(entry.key), Utf16(entry.text)) << entry.key;
            shown.push_back(Utf16(entry.text));
            ++keys;
        }
    EXPECT_EQ(keys, 97u);
    // Asked for in mixed case by the options screen.
    EXPECT_EQ(texts.GetText("OPTIONS_HiGH_QUALITY"), Utf16("Спокойный режим (без часов)"));
    // Texts the game composes around the keyed ones.
    shown.push_back(u"0123456789 +-:%\\?×");

    // The font list, and every font drawing every character at its size.
    auto list = Open("data\\ui\\fonts\\ru.ini");
    ASSERT_EQ(list->ReadInt(), 16);
    EXPECT_EQ(list->ReadInt(), 0);
    GUIFontManager fonts(&log, &memory, &files);
    Platform::SetCodePage(Platform::CodePage::Windows1251);
    for (int32_t id = 0; id < 16; ++id) {
        const DataBuild::FontSpec& spec = DataBuild::Fonts()[id];
        SCOPED_TRACE(spec.stem);
        const std::string fontFile = NextWord(*list), colour = NextWord(*list), opacity = NextWord(*list);
        const float size = list->ReadFloat(), missing = list->ReadFloat(), scale = list->ReadFloat();
        const int32_t lowerCase = list->ReadInt();
        EXPECT_EQ(size, static_cast<float>(spec.size));
        EXPECT_GT(missing, 0.0f);
        EXPECT_GT(scale, 0.0f);
        GUIFont* font = fonts.LoadFont(id, ShaderDescriptor{}, fontFile);
        if (lowerCase != 0)
            font->AddLowerCaseGlyphs();
        for (const std::u16string& text : shown)
            for (char16_t c : text)
                EXPECT_TRUE(font->HasGlyph(c)) << "U+" << std::hex << static_cast<int>(c);

        // A colour and opacity pair of one power-of-two size, the colour in RGB.
        const auto base = std::filesystem::path(gameFolder) / "data";
        auto native = [&](std::string name) {
            std::replace(name.begin(), name.end(), '\\', '/');
            return base / name;
        };
        const JpegInfo colourInfo = ReadJpeg(native(colour)), opacityInfo = ReadJpeg(native(opacity));
        EXPECT_EQ(colourInfo.components, 3u);
        EXPECT_EQ(opacityInfo.components, 1u);
        EXPECT_EQ(colourInfo.width, opacityInfo.width);
        EXPECT_EQ(colourInfo.height, opacityInfo.height);
        EXPECT_TRUE(IsPowerOfTwo(colourInfo.width) && IsPowerOfTwo(colourInfo.height));
        // Glyph cells as high as the size, so glyphs draw 1:1 at the default mode.
        const auto& glyph = font->GetGlyphs().at(u'A');
        EXPECT_NEAR(glyph.dv * static_cast<float>(colourInfo.height), static_cast<float>(spec.size), 1.5f);
    }
    Platform::SetCodePage(Platform::CodePage::C);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(DataAudit, SoundsDecodeWithTheirChannelsAndMusicStreams)
{
    for (const auto& sound : DataBuild::Sounds()) {
        SCOPED_TRACE(sound.name);
        SoundFileReaderOGG reader(&log, &memory, &files, std::string("audio\\") + sound.name + ".ogg", sound.music);
        EXPECT_EQ(reader.channels, sound.music ? 2u : 1u);
        EXPECT_EQ(reader.samplesPerSecond, 44100u);
        EXPECT_EQ(reader.bitsPerSample, 16u);
        EXPECT_NEAR(reader.size / (reader.channels * 2.0 * 44100.0), sound.seconds, 0.01);
        if (sound.music) {
            EXPECT_GT(reader.size, 0xC0000u);
        }
    }
    EXPECT_EQ(DataBuild::Sounds().size(), 67u);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(DataAudit, ImagesAndMaterialsFollowTheImageRules)
{
    const auto base = std::filesystem::path(gameFolder) / "data";
    auto dataName = [&](const std::filesystem::path& path) {
        std::string name = std::filesystem::relative(path, base).string();
        std::replace(name.begin(), name.end(), '/', '\\');
        return name;
    };
    std::map<std::string, JpegInfo> images;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base)) {
        if (entry.path().extension() != ".jpg")
            continue;
        const JpegInfo info = ReadJpeg(entry.path());
        const std::string name = dataName(entry.path());
        EXPECT_TRUE(IsPowerOfTwo(info.width) && IsPowerOfTwo(info.height)) << name;
        EXPECT_EQ(info.components, name.ends_with("_alpha.jpg") ? 1u : 3u) << name;
        images[name] = info;
    }
    // Every material loads and names images that exist as pairs of one size.
    size_t materials = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(base)) {
        if (entry.path().extension() != ".srf")
            continue;
        const ShaderDescriptor material = ShaderDescriptor::Load(dataName(entry.path()), &log, &files);
        ++materials;
        for (uint32_t s = 0; s < material.stageCount; ++s) {
            const ShaderStage& stage = material.stages[s];
            ASSERT_TRUE(images.count(stage.colourName)) << dataName(entry.path()) << ": " << stage.colourName;
            if (stage.kind == stageAtlas) {
                // Every frame has a cell, and cells are whole texels.
                EXPECT_GE(stage.columns * stage.rows, stage.frameCount) << dataName(entry.path());
                EXPECT_EQ(images[stage.colourName].width % stage.columns, 0u) << dataName(entry.path());
                EXPECT_EQ(images[stage.colourName].height % stage.rows, 0u) << dataName(entry.path());
            }
            if (stage.opacityName.empty())
                continue;
            ASSERT_TRUE(images.count(stage.opacityName)) << stage.opacityName;
            EXPECT_EQ(images[stage.colourName].width, images[stage.opacityName].width);
            EXPECT_EQ(images[stage.colourName].height, images[stage.opacityName].height);
        }
        // Materials belong to a model or, beside it, to a particle system.
        const auto owner = std::filesystem::path(entry.path());
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(owner).replace_extension(".mlf")) ||
                    std::filesystem::exists(std::filesystem::path(owner).replace_extension(".psf")))
            << dataName(entry.path());
    }
    EXPECT_GT(materials, 0u);
    EXPECT_TRUE(Errors().empty());
}

TEST_F(DataAudit, IconAndCursorsAreBitmapsWithAlpha)
{
    const std::pair<const char*, uint32_t> resources[] = {
        {"icon101.bmp", 64}, {"cursor1000.bmp", 32}, {"cursor108.bmp", 32}, {"cursor109.bmp", 32}, {"cursor110.bmp", 32}};
    for (const auto& [name, side] : resources) {
        SCOPED_TRACE(name);
        const std::string bytes = ReadAll(std::filesystem::path(gameFolder) / "resources" / name);
        ASSERT_GT(bytes.size(), 122u);
        auto u32 = [&](size_t at) {
            uint32_t value = 0;
            for (int i = 3; i >= 0; --i)
                value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
            return value;
        };
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(u32(2), bytes.size());
        EXPECT_EQ(u32(18), side);
        EXPECT_EQ(u32(22), side);
        EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 32);
        EXPECT_EQ(u32(66), 0xFF000000u) << "alpha mask";
        // Shaped: some texels clear, some opaque; the hot spot (top-left) of a cursor is drawn.
        std::set<uint8_t> alphas;
        for (size_t at = u32(10) + 3; at < bytes.size(); at += 4)
            alphas.insert(static_cast<uint8_t>(bytes[at]));
        EXPECT_TRUE(alphas.count(0) && alphas.count(255));
        if (side == 32) {
            const size_t topLeft = u32(10) + (side - 2) * side * 4 + 4 + 3; // row 1 from the top, column 1
            EXPECT_GT(static_cast<uint8_t>(bytes[topLeft]), 0);
        }
    }
}

TEST_F(DataAudit, BuildingAgainGivesTheSameBytes)
{
    TempFolder second;
    DataBuild::BuildData(second.Path());
    size_t compared = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(std::filesystem::path(second.Path()) / "data")) {
        if (!entry.is_regular_file())
            continue;
        const auto relative = std::filesystem::relative(entry.path(), second.Path());
        EXPECT_EQ(ReadAll(entry.path()), ReadAll(std::filesystem::path(gameFolder) / relative)) << relative;
        ++compared;
    }
    EXPECT_GT(compared, 200u);
}

} // namespace
