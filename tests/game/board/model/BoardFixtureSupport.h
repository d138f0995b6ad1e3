#pragma once
// Headless boards for the rules' tests: a board built from rows of text, stub chips that finish each
// movement after a few frames, and recorders for sounds and popups.
//
// Board text, one row per line, top row first, cells 50 units apart, y up: tokens separated by blanks,
// "." no cell, a letter a flower kind (A = 0, B = 1, ...), "S" a stone; suffixes "*" frozen, "!" a cell
// without a tile, "d" a double and "t" a triple tile, a digit the chip's bonus kind. Score events 0-5
// are worth 10, 200, 300, 500, 300 and 400 points. Cells in row-major order, then one head above each
// column; links: rows first, then columns, then each head to its column's top cell; every column is a
// move line from its head down.

#include "game/board/model/BoardLayout.h"
#include "game/board/model/CellManagerLogic.h"
#include "game/board/model/ChipManagerLogic.h"
#include "game/board/model/ConnectionManager.h"
#include "game/board/model/MoveLineManager.h"

#include "framework/ScoreKeeper.h"
#include "framework/StageInfo.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace BoardFixtures {

using namespace Petalwork;

// The engine's shared generator, seeded.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(uint32_t seed);
    uint32_t Next() override;
};

class RecordingSounds : public SoundSink {
public:
    void PlaySound(BoardSound sound) override { played.push_back(static_cast<int>(sound)); }
    int Count(int id) const;
    std::vector<int> played;
};

class RecordingGroups : public ScoreGroups {
public:
    void BeginGroup() override;
    void AddChip(const ChipLogic& chip) override;
    void EndGroup() override;
    void FinalizeGroups() override { ++finalized; }
    void ShowCombo(int n) override { combos.push_back(n); }
    void ShowBonus(BoardPoint position, const char* key, int points, bool pointsAbove) override;

    std::vector<std::vector<const ChipLogic*>> closed; // every closed group
    std::vector<const ChipLogic*> open;
    bool isOpen = false;
    int finalized = 0;
    std::vector<int> combos;
    std::vector<std::string> bonusKeys;
    std::vector<BoardPoint> bonusPositions;
};

struct StubChip : ChipLogic {
    BoardPoint target;
    BoardPoint start;
    int framesLeft = 0;
    bool outward = false;
    bool exitFall = false;
    bool secondPassed = true;
    bool visible = false;
    int flights = 0;
    TrailKind trail = TrailKind::Simple;
    bool thawed = false;
};

class StubChips : public ChipManagerLogic {
public:
    StubChips(const GameSettings& settings, const GameFramework::StageInfo& stage, GameFramework::ScoreKeeper& score,
              LevelProgress& progress, PowerupManager& powerups, ScoreGroups& groups, SoundSink& sounds,
              RandomSource& random);

    static StubChip& Of(ChipLogic& chip) { return static_cast<StubChip&>(chip); }

    void SetVisible(ChipLogic& chip, bool flag) override { Of(chip).visible = flag; }
    bool IsVisible(const ChipLogic& chip) const override { return static_cast<const StubChip&>(chip).visible; }
    void StartSwap(ChipLogic& chip, BoardPoint target) override;
    void StartUnswap(ChipLogic& chip, BoardPoint target) override;
    void StartFall(ChipLogic& chip, BoardPoint target, BoardPoint firstMarker, BoardPoint secondMarker,
                   bool leaving) override;
    bool SecondMarkerPassed(const ChipLogic& chip) const override
    {
        return static_cast<const StubChip&>(chip).secondPassed;
    }
    bool IsExitFall(const ChipLogic& chip) const override { return static_cast<const StubChip&>(chip).exitFall; }
    void ShowHint(ChipLogic& a, ChipLogic& b) override { hints.push_back({&a, &b}); }

    int framesPerMove = 3;
    std::vector<std::pair<const ChipLogic*, const ChipLogic*>> hints;
    std::vector<std::pair<BoardEffect, BoardPoint>> effects;
    std::vector<BoardPoint> effectTargets;
    std::vector<const ChipLogic*> flown; // in flight order
    int falls = 0;
    std::vector<float> appearDelays;
    std::vector<float> disappearDelays;
    std::vector<const ChipLogic*> whirled; // in the order the whirl reached them
    ScissorsLogic* scissors = nullptr;      // counts collected chips when set

protected:
    std::unique_ptr<ChipLogic> MakeChip(BoardPoint position, unsigned flowerKind, unsigned count, bool horn) override;
    void UpdateChip(ChipLogic& chip, bool playing, float dt) override;
    void StartChipAppear(ChipLogic& chip, float delay) override;
    void StartChipDisappear(ChipLogic& chip, float delay) override;
    void StartWhirl(ChipLogic& chip) override;
    void StartFlight(ChipLogic& chip, TrailKind trail) override;
    void ThawIce(ChipLogic& chip) override;
    void CountForScissors(ChipLogic&) override
    {
        if (scissors)
            scissors->CountChip(false);
    }
    void PlayEffect(BoardEffect kind, BoardPoint at, const BoardPoint* target) override;
};

// A whole headless board: settings, stage, parts, cells, links and lines.
class Board {
public:
    // `rows` as described above; `kinds` the stage's flower kinds.
    Board(const std::vector<std::string>& rows, unsigned kinds, int32_t levelKind = 2);
    // A board from a layout (for instance one of the default data's boards).
    Board(const BoardLayout& layout, const GameFramework::StageInfo& stage, int32_t levelKind, uint32_t seed);
    // The same under other settings (for instance those of the default data's game.ini).
    Board(const BoardLayout& layout, const GameFramework::StageInfo& stage, int32_t levelKind, uint32_t seed,
          const GameSettings& settings);

    // The cell at (row, column) of the text.
    CellLogic& At(int row, int column);
    ChipLogic& ChipAt(int row, int column) { return *At(row, column).chip; }
    // Runs frames of 1/60 s until every chip rests and every line settled, at most `frames`.
    int Settle(int frames = 600);
    void Frame(const BoardInput& input = {});
    // A click at a cell's centre.
    void Click(CellLogic& cell);

    GameSettings settings;
    GameFramework::StageInfo stage;
    GameFramework::ScoreKeeper score;
    RecordingSounds sounds;
    RecordingGroups groups;
    std::unique_ptr<SeededRandom> random;
    std::unique_ptr<LevelProgress> progress;
    std::unique_ptr<PowerupManager> powerups;
    BoardLayout layout;
    std::unique_ptr<StubChips> chips;
    std::unique_ptr<CellManagerLogic> cells;
    std::unique_ptr<ConnectionManager> connections;
    std::unique_ptr<MoveLineManager> lines;
    std::map<std::pair<int, int>, size_t> index; // (row, column) -> cell
    float dt = 1.0f / 60.0f;

private:
    void Build(int32_t levelKind);
};

GameSettings DefaultSettings();

} // namespace BoardFixtures
