// A bot plays 10,000 random swaps that make a match over every board of the default data, through the
// cell manager with a fixed frame time: every move must settle within a bounded number of frames and
// the settled board must always offer a move (a board without one is repaired by the move cycle).

#include "BoardFixtureSupport.h"

#include "engine/render/Random.h"
#include "engine/render/ServicesFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace BoardFixtures;

namespace {

constexpr int totalSwaps = 10000;
constexpr int settleFrames = 3000;

// A stage that varies with the board: kinds, stones, ice and level kind.
GameFramework::StageInfo StageFor(int board)
{
    GameFramework::StageInfo stage;
    stage.flowerKindCount = 4 + board % 4;
    stage.volumeBombsAllowed = stage.lineBombsAllowed = stage.randomDestructionAllowed = true;
    stage.powerupKinds = {1, 2, 3, 4};
    stage.powerupIntervalMin = 1.0f;
    stage.powerupIntervalMax = 3.0f;
    stage.powerupLifetime = 4.0f;
    stage.stonesAtStart = board % 3;
    stage.maxStones = 3;
    stage.stoneInterval = board % 2 ? 2.0f : 0.0f;
    stage.frozenAtStart = board % 2 ? 2 : 0;
    stage.maxFrozen = 3;
    stage.frozenInterval = board % 3 == 0 ? 3.0f : 0.0f;
    return stage;
}

// Every swap between neighbouring tile cells that makes a group.
std::vector<std::pair<CellLogic*, CellLogic*>> Moves(Board& board)
{
    std::vector<std::pair<CellLogic*, CellLogic*>> moves;
    for (const auto& link : board.connections->connections) {
        CellLogic* a = link.from;
        CellLogic* b = link.to;
        if (a == b || !ConnectionManager::Swappable(*a, *b) || a->chip->state != ChipState::Idle ||
            b->chip->state != ChipState::Idle)
            continue;
        std::swap(a->chip, b->chip);
        const bool found = board.connections->CountMatch(*a, false) + board.connections->CountMatch(*b, false) > 0;
        std::swap(a->chip, b->chip);
        if (found)
            moves.push_back({a, b});
    }
    return moves;
}

} // namespace

class BoardBotTest : public ServicesFixture {};

TEST_F(BoardBotTest, RandomSwapsOverEveryDefaultBoardAlwaysSettle)
{
    const std::filesystem::path folder = std::filesystem::path(BRINDLE_GAME_FOLDER) / "data" / "levels" / "meshes";
    VantoranEngine::FileManager game(&log, &memory, BRINDLE_GAME_FOLDER, "");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".blf")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    ASSERT_FALSE(names.empty());

    const int32_t levelKinds[] = {0, 2, 7, 9, 6, 4};
    int played = 0;
    for (size_t b = 0; b < names.size(); ++b) {
        const BoardLayout layout = BoardLayout::Load(&game, names[b]);
        const int i = static_cast<int>(b);
        Board board(layout, StageFor(i), levelKinds[b % 6], 1000u + static_cast<uint32_t>(b));
        board.dt = 1.0f / 30.0f;
        ASSERT_GT(board.Settle(settleFrames), 0) << names[b] << " never appeared";
        const int share = (totalSwaps - played) / static_cast<int>(names.size() - b);
        for (int s = 0; s < share; ++s) {
            const auto moves = Moves(board);
            ASSERT_FALSE(moves.empty()) << names[b] << ": no move after " << s << " swaps";
            const auto& move = moves[VantoranEngine::Random() % moves.size()];
            board.Click(*move.first);
            board.Click(*move.second);
            ASSERT_GT(board.Settle(settleFrames), 0) << names[b] << ": swap " << s << " never settled";
            ++played;
        }
        // Every swap removed at least its group of three.
        EXPECT_GE(board.chips->collected, 3u * static_cast<unsigned>(share)) << names[b];
    }
    EXPECT_EQ(played, totalSwaps);
}
