// Damaged game settings (data\game.ini and data\score.ini): refused through the log's fatal path or
// loaded, and settings that load run a board for a while and take a few clicks.

#include "DefaultData.h"
#include "FuzzRun.h"
#include "TempFolder.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/Random.h"
#include "game/board/GameData.h"
#include "game/board/model/BoardFixtureSupport.h"
#include "game/board/model/BoardLayout.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VantoranEngine;
using Fuzz::Outcome;

TEST(GameSettingsFuzz, GameAndScoreSettings)
{
    TempFolder folder;
    MessageManager log("", "", "fuzz", false, false);
    MemoryManager memory(&log);
    FileManager files(&log, &memory, folder.Path(), "");
    FileManager gameFiles(&log, &memory, BRINDLE_GAME_FOLDER, "");
    const Petalwork::BoardLayout layout = Petalwork::BoardLayout::Load(&gameFiles, "s0_l0");
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

    const std::string names[] = {"game.ini", "score.ini"};
    std::vector<std::vector<uint8_t>> originals;
    for (const std::string& name : names) {
        originals.push_back(Fuzz::ReadBytes(Fuzz::DataFolder() + "/" + name));
        Fuzz::WriteBytes(folder / ("data/" + name), originals.back());
    }
    uint32_t played = 0;
    Fuzz::RunCases("game settings", originals, {1500, 1300}, [&](const std::vector<uint8_t>& bytes, size_t original) {
        const std::string path = folder / ("data/" + names[original]);
        Fuzz::WriteBytes(path, bytes);
        struct Restore {
            ~Restore() { Fuzz::WriteBytes(path, bytes); }
            const std::string& path;
            const std::vector<uint8_t>& bytes;
        } restore{path, originals[original]};
        const std::unique_ptr<Petalwork::GameSettings> settings = Petalwork::GameData::LoadSettings(files, log);
        BoardFixtures::Board board(layout, stage, static_cast<int32_t>(played % 10), 300 + played, *settings);
        ++played;
        board.dt = 1.0f / 30.0f;
        // Timings are the designer's to choose: a huge but finite one (a wave spread of hours) may keep
        // the board from resting within these frames, which is slow, not broken.
        board.Settle(600);
        for (int click = 0; click < 3 && !board.connections->connections.empty(); ++click) {
            const auto& link = board.connections->connections[Random() % board.connections->connections.size()];
            board.Click(*link.from);
            board.Click(*link.to);
            board.Settle(200);
        }
        return Outcome::Loaded;
    });
}
