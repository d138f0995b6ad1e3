// Damaged level catalogues (the stage and level lists and the files they name) and board files. A board
// that loads is built and played for a while: the rules must cope with whatever the loader lets through.

#include "DefaultData.h"
#include "FuzzRun.h"
#include "TempFolder.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/Random.h"
#include "framework/LevelManager.h"
#include "game/board/model/BoardFixtureSupport.h"
#include "game/board/model/BoardLayout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using namespace VantoranEngine;
using Fuzz::Outcome;

namespace {

class CatalogueFuzz : public ::testing::Test {
protected:
    // A default board under the stage's rules: it must fill and come to rest, and take a few clicks.
    void PlayStage(const GameFramework::StageInfo& stage, uint32_t seed)
    {
        if (!layout)
            layout = std::make_unique<Petalwork::BoardLayout>(Petalwork::BoardLayout::Load(&gameFiles, board));
        BoardFixtures::Board played(*layout, stage, 2, seed);
        played.dt = 1.0f / 30.0f;
        EXPECT_GT(played.Settle(600), 0) << "stage " << seed << " never comes to rest";
        for (int click = 0; click < 3 && !played.connections->connections.empty(); ++click) {
            const auto& link = played.connections->connections[Random() % played.connections->connections.size()];
            played.Click(*link.from);
            played.Click(*link.to);
            played.Settle(200);
        }
    }

    TempFolder folder;
    MessageManager log{"", "", "fuzz", false, false};
    MemoryManager memory{&log};
    FileManager files{&log, &memory, folder.Path(), ""};
    FileManager gameFiles{&log, &memory, BRINDLE_GAME_FOLDER, ""};
    std::string board = "s0_l0";
    std::unique_ptr<Petalwork::BoardLayout> layout;
};

TEST_F(CatalogueFuzz, CatalogueText)
{
    // The catalogue's own files: the lists, the per-stage files and the stage and tip texts.
    std::vector<std::string> names = Fuzz::DataFiles("levels", ".ini", 1000);
    for (const char* texts : {"gui/stage_screen/text/ru", "gui/tip_window/text/ru"})
        for (const std::string& name : Fuzz::DataFiles(texts, ".ini", 1000))
            names.push_back(name);
    std::erase_if(names, [](const std::string& name) { return name.find("meshes") != std::string::npos; });
    ASSERT_FALSE(names.empty());
    // Every file also as UTF-16 in both byte orders (the text reader takes either).
    std::vector<std::vector<uint8_t>> originals = Fuzz::ReadDataFiles(names);
    for (size_t i = 0, count = names.size(); i < count; ++i)
        Fuzz::WriteBytes(folder / ("data/" + names[i]), originals[i]);
    const size_t narrowCount = names.size();
    for (size_t i = 0; i < narrowCount; ++i)
        for (const bool bigEndian : {false, true}) {
            names.push_back(names[i]);
            originals.push_back(Fuzz::Utf16(originals[i], bigEndian));
        }

    uint32_t played = 0;
    Fuzz::RunCases("catalogue", originals, {700, 1100}, [&](const std::vector<uint8_t>& bytes, size_t original) {
        const std::string path = folder / ("data/" + names[original]);
        Fuzz::WriteBytes(path, bytes);
        struct Restore {
            ~Restore() { Fuzz::WriteBytes(path, bytes); }
            const std::string& path;
            const std::vector<uint8_t>& bytes;
        } restore{path, originals[original < narrowCount ? original : (original - narrowCount) / 2]};
        Petalwork::LevelManager catalogue(&log, &files, nullptr, "ru");
        EXPECT_GT(catalogue.GetStageCount(), 0u);
        // A stage's values drive the board's rules: the stage a damaged stage file belongs to (the
        // number in "flowers3.ini", "options3.ini"; any stage for the shared files) plays a board.
        const std::string& name = names[original];
        if (name.starts_with("levels/") && !name.starts_with("levels/stage")) {
            const size_t digit = name.find_first_of("0123456789");
            uint32_t stage = digit == std::string::npos ? played : static_cast<uint32_t>(std::stoul(name.substr(digit)));
            PlayStage(catalogue.GetStage(stage % catalogue.GetStageCount()), played++);
        }
        return Outcome::Loaded;
    });
}

TEST_F(CatalogueFuzz, Boards)
{
    const std::vector<std::string> names = Fuzz::DataFiles("levels/meshes", ".blf", 1000);
    ASSERT_FALSE(names.empty());
    GameFramework::StageInfo stage;
    stage.flowerKindCount = 5;
    stage.volumeBombsAllowed = stage.lineBombsAllowed = stage.randomDestructionAllowed = true;
    stage.powerupKinds = {1, 2, 3, 4};
    stage.powerupIntervalMin = 1.0f;
    stage.powerupIntervalMax = 3.0f;
    stage.powerupLifetime = 4.0f;
    stage.stonesAtStart = 1;
    stage.maxStones = 3;
    stage.stoneInterval = 2.0f;
    stage.frozenAtStart = 1;
    stage.maxFrozen = 3;
    stage.frozenInterval = 3.0f;

    uint32_t seed = 0;
    Fuzz::RunCases("board", Fuzz::ReadDataFiles(names), {2500, 1200, true}, [&](const std::vector<uint8_t>& bytes) {
        Fuzz::WriteBytes(folder / "data/levels/meshes/fuzz.blf", bytes);
        const Petalwork::BoardLayout layout = Petalwork::BoardLayout::Load(&files, "fuzz");
        BoardFixtures::Board board(layout, stage, static_cast<int32_t>(seed % 10), 77 + seed);
        board.dt = 1.0f / 30.0f;
        // A board that loads fills and comes to rest, as a level must before the player can move.
        EXPECT_GT(board.Settle(600), 0) << "board " << seed << " never comes to rest";
        // A few clicks on neighbouring cells, as a player would try.
        for (int click = 0; click < 4 && !board.connections->connections.empty(); ++click) {
            const auto& link = board.connections->connections[Random() % board.connections->connections.size()];
            board.Click(*link.from);
            board.Click(*link.to);
            board.Settle(300);
        }
        ++seed;
        return Outcome::Loaded;
    });
}

} // namespace
