#pragma once
// The level boards and what the catalogue's levels ask of them, shared by the builder and its audit.

#include "tools/databuild/BoardCheck.h"
#include "tools/formats/BoardWriter.h"

#include <string>
#include <vector>

namespace DataBuild {

// A board drawn as text, top row first: '.' no cell, 'o' a tile, 'd' a tile with one layer, 't' a tile
// with two, '#' a hole that heads the column part below it. Every other column part gets its head
// added just above its top tile.
struct BoardDesign {
    std::string name; // "s1_l0"
    std::vector<std::string> rows;
};
const std::vector<BoardDesign>& BoardDesigns();

// Cells centred on (400, 300) at 50-unit pitch, stored row by row from the top; links and lines as the
// board rules ask. Throws std::invalid_argument on a character outside the legend or a stray hole.
Formats::BoardFile BoardFromGrid(const std::vector<std::string>& rows);
// The shipped board of that name; throws std::invalid_argument for an unknown name.
Formats::BoardFile ShippedBoard(const std::string& name);

// One level of the catalogue, as its board must serve it.
struct LevelFacts {
    int stage = 0, level = 0;
    std::string board;
    BoardDemands demands;
};
std::vector<LevelFacts> CatalogueLevels();

} // namespace DataBuild
