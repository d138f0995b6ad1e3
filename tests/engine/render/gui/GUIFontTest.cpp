#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"

#include "platform/os/CodePage.h"
#include "tools/formats/FontWriter.h"

#include "GuiTestSupport.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;

namespace {

Formats::FontGlyph Glyph(char16_t code, float advance, float u = 0.0f)
{
    return {code, u, 0.25f, 0.125f, 0.5f, advance};
}

std::vector<uint8_t> FontBytes(const std::vector<Formats::FontGlyph>& glyphs)
{
    return Formats::EncodeFont(glyphs);
}

class GUIFontTest : public GuiServices {
protected:
    std::unique_ptr<GUIFont> Load(const std::string& name)
    {
        return std::make_unique<GUIFont>(&log, &memory, &files, name, ShaderDescriptor{});
    }
};

TEST_F(GUIFontTest, ReadsGlyphRecordsFirstCodeWinning)
{
    WriteData("fonts/a.fnt", FontBytes({{u'A', 0.1f, 0.2f, 0.3f, 0.4f, 0.75f},
                                        {u'\u0416', 0.5f, 0.6f, 0.05f, 0.07f, 1.25f},
                                        {u'A', 0.9f, 0.9f, 0.9f, 0.9f, 9.0f}}));
    const auto font = Load("fonts\\a.fnt");
    EXPECT_TRUE(Errors().empty());
    ASSERT_EQ(font->GetGlyphs().size(), 2u);
    const GUIFontGlyph& a = font->GetGlyphs().at(u'A');
    EXPECT_FLOAT_EQ(a.u, 0.1f);
    EXPECT_FLOAT_EQ(a.v, 0.2f);
    EXPECT_FLOAT_EQ(a.du, 0.3f);
    EXPECT_FLOAT_EQ(a.dv, 0.4f);
    EXPECT_FLOAT_EQ(a.advance, 0.75f);
    EXPECT_TRUE(font->HasGlyph(u'\u0416'));
    EXPECT_FLOAT_EQ(font->size, 1.0f);
    EXPECT_FLOAT_EQ(font->missingAdvance, 1.0f);
    EXPECT_FLOAT_EQ(font->spacing, 1.0f);
}

// Damaged files are logged, never thrown, and leave the glyphs read before the fault.
TEST_F(GUIFontTest, DamagedFilesAreLoggedAndKeepWhatWasRead)
{
    const std::vector<uint8_t> good = FontBytes({Glyph(u'A', 1.0f), Glyph(u'B', 1.0f), Glyph(u'C', 1.0f)});
    auto sizeOff = good;
    sizeOff[0] += 1;
    auto magic = good;
    magic[8] = 'X';
    const auto version200 = Formats::EncodeFont({Glyph(u'A', 1.0f)}, 200);
    auto shortByOne = good; // the count says 3, two records follow
    shortByOne.resize(good.size() - 22);
    shortByOne[0] = static_cast<uint8_t>(shortByOne.size());
    const std::vector<uint8_t> tiny = {5, 0, 0, 0, 'V'};

    const std::string formatText = "Incorrect \"fonts\\bad.fnt\" file format";
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        std::string error;
        size_t glyphs;
    };
    const Case cases[] = {
        {"size field one byte off", sizeOff, formatText, 0},
        {"wrong magic", magic, formatText, 0},
        {"shorter than a header", tiny, formatText, 0},
        {"version 200", version200, "Incorrect \"fonts\\bad.fnt\" format version, current is 201", 0},
        {"fewer records than counted", shortByOne, "", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        log.ClearEntries();
        WriteData("fonts/bad.fnt", c.bytes);
        const auto font = Load("fonts\\bad.fnt");
        ASSERT_EQ(Errors().size(), 1u);
        if (!c.error.empty()) {
            EXPECT_EQ(Errors()[0], ErrorEntry(c.error));
        }
        EXPECT_EQ(font->GetGlyphs().size(), c.glyphs);
    }

    log.ClearEntries();
    const auto missing = Load("fonts\\none.fnt");
    ASSERT_EQ(Errors().size(), 1u);
    EXPECT_NE(Errors()[0].find("Failed to open"), std::string::npos);
    EXPECT_TRUE(missing->GetGlyphs().empty());
}

class GUIFontLayoutTest : public GUIFontTest {
protected:
    GUIFontLayoutTest()
    {
        WriteData("fonts/f.fnt", FontBytes({{u'A', 0.0f, 0.25f, 0.125f, 0.5f, 0.5f},
                                            {u'B', 0.5f, 0.75f, 0.25f, 0.125f, 2.0f}}));
        font = Load("fonts\\f.fnt");
    }
    std::unique_ptr<GUIFont> font;
};

TEST_F(GUIFontLayoutTest, QuadsFollowTheGlyphsAndSpacesTakeRoomOnly)
{
    font->size = 10.0f;
    font->spacing = 1.5f;
    font->missingAdvance = 0.25f;
    font->DrawText({100.0f, 50.0f}, {1.0f, 0.5f, 0.0f, 1.0f}, u"A B\n?B");
    ASSERT_EQ(font->glyphCount, 3u);
    EXPECT_EQ(font->GetUsedIndexCount(), 18u);

    // A at 100; the space (no glyph) adds 0.25 x 10; B follows A's 0.5 x 10 x 1.5 advance.
    const float xs[] = {100.0f, 100.0f + 7.5f + 2.5f, 100.0f + 7.5f + 2.5f + 30.0f + 2.5f + 2.5f};
    const char16_t codes[] = {u'A', u'B', u'B'};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const GUIFontGlyph& g = font->GetGlyphs().at(codes[k]);
        GUIFontVertex q[4];
        for (uint32_t i = 0; i < 4; ++i)
            q[i] = font->GetVertex(static_cast<uint32_t>(k) * 4 + i);
        const float w = g.advance * 10.0f; // the quad leaves spacing out
        const GUIFontVertex expected[4] = {{xs[k], 60.0f, 0.0f, 0xFFFF8000u, g.u, g.v + g.dv},
                                           {xs[k], 50.0f, 0.0f, 0xFFFF8000u, g.u, g.v},
                                           {xs[k] + w, 60.0f, 0.0f, 0xFFFF8000u, g.u + g.du, g.v + g.dv},
                                           {xs[k] + w, 50.0f, 0.0f, 0xFFFF8000u, g.u + g.du, g.v}};
        for (int i = 0; i < 4; ++i) {
            EXPECT_FLOAT_EQ(q[i].x, expected[i].x);
            EXPECT_FLOAT_EQ(q[i].y, expected[i].y);
            EXPECT_EQ(q[i].colour, expected[i].colour);
            EXPECT_FLOAT_EQ(q[i].u, expected[i].u);
            EXPECT_FLOAT_EQ(q[i].v, expected[i].v);
        }
    }
    std::vector<uint16_t> firstQuads;
    for (uint32_t i = 0; i < 12; ++i)
        firstQuads.push_back(font->GetIndex(i));
    EXPECT_EQ(firstQuads, (std::vector<uint16_t>{0, 1, 2, 2, 1, 3, 4, 5, 6, 6, 5, 7}));
}

TEST_F(GUIFontLayoutTest, TextWidthCountsEveryCharacter)
{
    font->size = 10.0f;
    font->spacing = 2.0f;
    font->missingAdvance = 0.5f;
    // A: 0.5 x s x 2, B: 2 x s x 2, line feed and space: 0.5 x s each.
    EXPECT_FLOAT_EQ(font->GetTextWidth(u"AB\n ", -1.0f), 10.0f + 40.0f + 5.0f + 5.0f);
    EXPECT_FLOAT_EQ(font->GetTextWidth(u"AB\n ", 4.0f), 4.0f + 16.0f + 2.0f + 2.0f);
    EXPECT_FLOAT_EQ(font->GetTextWidth(u"", -1.0f), 0.0f);
}

TEST_F(GUIFontLayoutTest, AFrameHoldsAtMost1024QuadsButThePenKeepsMoving)
{
    font->DrawText({0.0f, 0.0f}, {1, 1, 1, 1}, std::u16string(1100, u'A'));
    EXPECT_EQ(font->glyphCount, GUIFont::maxGlyphs);
    EXPECT_EQ(font->GetUsedIndexCount(), 6u * 1024u);
    EXPECT_FLOAT_EQ(font->GetVertex(GUIFont::vertexCount - 1).x, 1023 * 0.5f + 0.5f);
}

TEST_F(GUIFontLayoutTest, LowerCaseGlyphsBorrowTheCapitals)
{
    WriteData("fonts/abc.fnt", FontBytes({Glyph(u'A', 1.0f, 0.1f), Glyph(u'B', 1.0f, 0.2f), Glyph(u'C', 1.0f, 0.3f),
                                          Glyph(u'a', 1.0f, 0.9f), Glyph(u'\u0416', 1.0f, 0.4f)}));
    Platform::SetCodePage(Platform::CodePage::Windows1251);
    const auto abc = Load("fonts\\abc.fnt");
    abc->AddLowerCaseGlyphs();
    Platform::SetCodePage(Platform::CodePage::C);
    EXPECT_FLOAT_EQ(abc->GetGlyphs().at(u'a').u, 0.9f);
    EXPECT_FLOAT_EQ(abc->GetGlyphs().at(u'b').u, 0.2f);
    EXPECT_FLOAT_EQ(abc->GetGlyphs().at(u'c').u, 0.3f);
    EXPECT_EQ(abc->GetGlyphs().at(u'c').code, u'c');
    EXPECT_FLOAT_EQ(abc->GetGlyphs().at(u'\u0436').u, 0.4f);
    EXPECT_EQ(abc->GetGlyphs().size(), 8u);
}

class GUIFontManagerTest : public GuiServices {
protected:
    GUIFontManagerTest()
    {
        WriteData("fonts/f.fnt", FontBytes({Glyph(u'A', 0.5f), Glyph(u'B', 1.0f)}));
        font = fonts.LoadFont(1, ShaderDescriptor::InitFromTextures("fonts\\f.jpg", "fonts\\f_alpha.jpg"), "fonts\\f.fnt");
    }
    GUIFontManager fonts{&log, &memory, &files};
    GUIFont* font = nullptr;
};

TEST_F(GUIFontManagerTest, ATakenIdKeepsItsFirstFont)
{
    WriteData("fonts/g.fnt", FontBytes({Glyph(u'Z', 1.0f)}));
    EXPECT_EQ(fonts.LoadFont(1, ShaderDescriptor{}, "fonts\\g.fnt"), font);
    EXPECT_EQ(font->GetShaderDescriptor().stages[0].colourName, "fonts\\f.jpg");
    EXPECT_EQ(fonts.GetFont(1), font);
    EXPECT_TRUE(font->HasGlyph(u'A'));
    EXPECT_EQ(fonts.GetFont(2), nullptr);
    EXPECT_EQ(fonts.GetFontInstance(2, -10.0f), nullptr);
}

TEST_F(GUIFontManagerTest, InstancesAreSharedByDepthAndDroppedAfterAnEmptyFrame)
{
    GUITextFrame first{true, {0, 0}, 100, 20, -10.0f};
    GUITextFrame sameDepth{true, {200, 0}, 100, 20, -10.00005f};
    GUITextFrame deeper{true, {0, 300}, 100, 20, -10.01f};
    fonts.DrawTextItem(1, u"AB", 0, first, {1, 2}, {1, 1, 1, 1});
    fonts.DrawTextItem(1, u"A", 0, sameDepth, {1, 2}, {1, 1, 1, 1});
    fonts.DrawTextItem(1, u"B", 0, deeper, {1, 2}, {1, 1, 1, 1});
    ASSERT_EQ(fonts.GetInstances().size(), 2u);
    GUIFont* shared = fonts.GetInstances()[0].get();
    EXPECT_EQ(shared->GetPrototype(), font);
    EXPECT_EQ(shared->GetShaderDescriptor().stages[0].opacityName, "fonts\\f_alpha.jpg");
    EXPECT_FLOAT_EQ(shared->GetDepth(), -10.005f);
    EXPECT_EQ(shared->glyphCount, 3u);
    EXPECT_FLOAT_EQ(fonts.GetInstances()[1]->GetDepth(), -10.015f);

    fonts.FinishFrame();
    ASSERT_EQ(fonts.GetInstances().size(), 2u);
    EXPECT_EQ(shared->glyphCount, 0u);
    EXPECT_EQ(shared->GetUsedIndexCount(), 18u); // drawn this frame with what was written

    fonts.DrawTextItem(1, u"A", 0, first, {1, 2}, {1, 1, 1, 1});
    fonts.FinishFrame();
    ASSERT_EQ(fonts.GetInstances().size(), 1u);
    EXPECT_EQ(fonts.GetInstances()[0].get(), shared);
    EXPECT_EQ(shared->GetUsedIndexCount(), 6u);

    fonts.FinishFrame();
    EXPECT_TRUE(fonts.GetInstances().empty());
    EXPECT_EQ(font->GetUsedIndexCount(), 0u);
}

TEST_F(GUIFontManagerTest, TextItemsAlignInsideTheirWindow)
{
    font->size = 10.0f;
    const GUITextFrame window{true, {100, 200}, 80, 30, -10.0f};
    struct Case {
        uint32_t alignment;
        float x, y;
    };
    // "AB" is (0.5 + 1) x 10 = 15 wide.
    const Case cases[] = {{0, 100 + 4, 200 + 6},
                          {GUIFontManager::centreHorizontally, 100 + 32.5f, 200 + 6},
                          {GUIFontManager::centreVertically, 100 + 4, 200 + 10},
                          {GUIFontManager::centreHorizontally | GUIFontManager::centreVertically, 132.5f, 210}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment);
        fonts.DrawTextItem(1, u"AB", c.alignment, window, {4, 6}, {1, 1, 1, 1});
        const GUIFont& instance = *fonts.GetInstances()[0];
        EXPECT_FLOAT_EQ(instance.GetVertex(1).x, c.x); // lower-left corner of the first quad
        EXPECT_FLOAT_EQ(instance.GetVertex(1).y, c.y);
        EXPECT_FLOAT_EQ(instance.size, 10.0f);
        fonts.FinishFrame();
    }

    GUITextFrame hidden = window;
    hidden.visible = false;
    fonts.DrawTextItem(1, u"AB", 0, hidden, {4, 6}, {1, 1, 1, 1});
    fonts.DrawTextItem(7, u"AB", 0, window, {4, 6}, {1, 1, 1, 1});
    EXPECT_EQ(fonts.GetInstances().size(), 1u); // the previous frame's instance only
    EXPECT_EQ(fonts.GetInstances()[0]->glyphCount, 0u);
}

} // namespace
