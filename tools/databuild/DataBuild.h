#pragma once
// The default data set of the game, generated from source. `BuildData` writes the whole tree under
// <base>/data; the tables below are what the data is made from, shared with the data audit.

#include "tools/databuild/DataTree.h"

#include <cstdint>
#include <string>
#include <vector>

namespace DataBuild {

// Writes every file; throws std::runtime_error on the first failure.
void BuildData(const std::string& baseFolder);

// The parts, in the order the game opens their files.
void WriteSettings(DataTree& tree);
void WriteCatalogue(DataTree& tree);
void WriteStoryTexts(DataTree& tree);
void WriteTextTables(DataTree& tree);
void WriteFonts(DataTree& tree);
void WriteSounds(DataTree& tree);
void WriteBoards(DataTree& tree);
void WriteTipPictures(DataTree& tree);
void WritePanel(DataTree& tree);
void WriteTally(DataTree& tree);
void WriteBaskets(DataTree& tree);
void WriteChips(DataTree& tree);
void WriteCells(DataTree& tree);
void WriteParticleSystems(DataTree& tree);
void WriteBackgrounds(DataTree& tree);
void WriteStageScreen(DataTree& tree);
void WriteComics(DataTree& tree);

// game.ini: one value per position 1-90 (positions 49, 77, 79 and 90 are integers).
struct SettingValue {
    const char* value;
    const char* meaning;
};
const std::vector<SettingValue>& GameSettings();
const std::vector<int32_t>& ScoreSettings();

// A keyed text table of ui\texts\ru, in load order ("common" first).
struct TextEntry {
    const char* key;
    const char* text; // UTF-8
};
struct TextTable {
    const char* name;
    std::vector<TextEntry> entries;
};
const std::vector<TextTable>& TextTables();

// The font list, ids in order.
struct FontSpec {
    const char* stem;
    const char* source;         // file under the DejaVu folder
    uint32_t size;              // GUI units: the glyph quad's height
    uint32_t colour;            // 0xRRGGBB of the glyphs
    float missingAdvance;
    float widthScale;
    bool lowerCaseFromCapitals; // baked without lower-case letters; the engine maps them to capitals
};
const std::vector<FontSpec>& Fonts();
const char* FontFolder();

// A sound of data\audio: folder\name.ogg.
struct SoundSpec {
    const char* name;   // "menu\button_click"
    bool music;         // stereo, streamed
    bool looped;
    float seconds;
};
const std::vector<SoundSpec>& Sounds();

} // namespace DataBuild
