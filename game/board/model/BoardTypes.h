#pragma once
// The board's shared vocabulary: flower and bonus kinds of a chip, tile types of a cell, the chip's
// state machine and the appear phases of chips and cells, powerup kinds. The numeric values are those
// of the level board file and of the rules that name them, so keep them.
//
// This folder is the board's rules only: nothing in it includes a render, GUI or sound header.

#include <cstdint>

namespace Petalwork {

// Flower kinds are 0 .. n - 1 for a stage of n kinds; a stone is kind 10 (never matches, never swaps).
constexpr unsigned stoneKind = 10;

enum class BonusKind : int {
    None = 0,
    BombVolume = 1,
    BombHorizontal = 2,
    BombVertical = 3,
    BombCross = 4,
    RandomChipDestruction = 5,
    BombStar = 6,
};
constexpr int bonusKindCount = 7; // including None

// Tile type of a cell as the board file gives it; any other value in the file is a single tile.
enum class TileType : uint32_t {
    Single = 0,
    NoTile = 2,
    Double = 3, // one breakable layer on the tile
    Triple = 4, // two breakable layers
};

constexpr TileType TileTypeFromFile(uint32_t value)
{
    switch (value) {
    case 2: return TileType::NoTile;
    case 3: return TileType::Double;
    case 4: return TileType::Triple;
    default: return TileType::Single;
    }
}

// Breakable layers on a tile of this type.
constexpr int LayersOf(TileType type)
{
    return type == TileType::Double ? 1 : type == TileType::Triple ? 2 : 0;
}

enum class ChipState : int {
    Idle = 0,
    Selected = 1, // set each frame by the cell while selected, back to Idle after the step
    Swap = 2,
    SwapBack = 3,
    Fall = 4,
    Flight = 5,
    Whirl = 6,
    Retired = 7,
};

enum class AppearPhase : int {
    Shown = 0,
    Appearing = 1,
    Gone = 2,
    Disappearing = 3,
};

// The in-level particle effects, by their pool kind.
enum class BoardEffect : int {
    Score = 0,
    Bonus = 1,
    Bomb = 2,
    LineCentre = 3,
    Line = 4,
    DiscardCentre = 5,
    Discard = 6,
};

enum class PowerupKind : int {
    None = 0,
    Horn = 1,
    Pause = 2,
    Tornado = 3,
    DoubleChip = 4,
};

// A point on the 800 by 600 virtual screen, y up.
struct BoardPoint {
    float x = 0.0f;
    float y = 0.0f;
};

} // namespace Petalwork
