// The level boards of data\levels\meshes, one per level, drawn from text grids and checked before
// they are written.
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Levels.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace DataBuild {

namespace {

// Day 1 plain rectangles; day 2 layer patterns; day 3 cut corners; then holes, split halves, a diamond,
// a ring and triple tiles. Days that make stones (3, 5, 7, 8, 9) keep every column open to the bottom.
const std::vector<BoardDesign> designs = {
    {"s0_l0", {"ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo"}},
    {"s0_l1", {"oooooooo", "oooooooo", "oooooooo", "oooooooo", "oooooooo", "oooooooo", "oooooooo"}},
    {"s0_l2", {"ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo"}},
    {"s0_l3", {"ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo"}},
    {"s0_l4", {"oooooooo", "oooooooo", "oooooooo", "oooooooo", "oooooooo", "oooooooo", "oooooooo"}},

    {"s1_l0", {"ooooooo", "oddoddo", "odooodo", "ooooooo", "odooodo", "oddoddo", "ooooooo"}},
    {"s1_l1", {"oooooooo", "oooooooo", "oooooooo", "oooddooo", "oooddooo", "oooooooo", "oooooooo", "oooooooo"}},
    {"s1_l2", {"ooooooo", "ooodooo", "ooodooo", "odddddo", "ooodooo", "ooodooo", "ooooooo"}},
    {"s1_l3", {"oooddooo", "oodoodoo", "odoooodo", "dooddood", "dooddood", "odoooodo", "oodoodoo", "oooddooo"}},
    {"s1_l4", {"dooooood", "oooooooo", "oooooooo", "oooooooo", "oooooooo", "oooooooo", "dooooood"}},

    {"s2_l0", {"..oooo..", ".oooooo.", "oooooooo", "oooooooo", "oooooooo", "oooooooo", "oooooooo", "oooooooo"}},
    {"s2_l1", {".oooooo.", "oooooooo", "oooooooo", "oooooooo", "oooooooo", "oooooooo", "oooooooo", ".oooooo."}},
    {"s2_l2", {"..ododo..", ".odooodo.", "odooooodo", "ooodddooo", "ooodddooo", "odooooodo", ".odooodo.",
               "..ododo.."}},
    {"s2_l3", {"ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo", ".ooooooo.", "..ooooo.."}},
    {"s2_l4", {"..ooo..", ".ooooo.", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo"}},

    {"s3_l0", {"oooooooo", "oooooooo", "oooooooo", "ooo..ooo", "ooo##ooo", "oooooooo", "oooooooo", "oooooooo"}},
    {"s3_l1", {"ooooooooo", "ooooooooo", "oo.ooo.oo", "oo#ooo#oo", "ooooooooo", "ooooooooo", "ooooooooo",
               "ooooooooo"}},
    {"s3_l2", {"oooo.oooo", "oooo.oooo", "oooo.oooo", "oooo.oooo", "oooo.oooo", "oooo.oooo", "oooo.oooo",
               "oooo.oooo"}},
    {"s3_l3", {"oooooooo", "oooooooo", "oo#oo#oo", "oooooooo", "oooooooo", "oo#oo#oo", "oooooooo", "oooooooo"}},
    {"s3_l4", {"ooooooooo", "ooo...ooo", "ooo###ooo", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo"}},

    {"s4_l0", {"..oooo..", "..oooo..", "oooooooo", "oooooooo", "oooooooo", "oooooooo", "..oooo..", "..oooo.."}},
    {"s4_l1", {"oooo.oooo", "oooo.oooo", "oooo.oooo", "oooo.oooo", "oooo.oooo", "oooo.oooo", "oooo.oooo",
               "oooo.oooo"}},
    {"s4_l2", {"ooooooooo", "ooooooooo", "ooooooooo", ".ooooooo.", ".ooooooo.", "..ooooo..", "..ooooo..",
               "...ooo..."}},
    {"s4_l3", {".oooooo.", "oooooooo", "ooddddoo", "oodttdoo", "oodttdoo", "ooddddoo", "oooooooo", ".oooooo."}},
    {"s4_l4", {"ooo...ooo", "ooo...ooo", "oooo.oooo", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo",
               "ooooooooo"}},

    {"s5_l0", {"...ooo...", "..ooooo..", ".ooooooo.", "ooooooooo", "ooooooooo", "ooooooooo", ".ooooooo.",
               "..ooooo..", "...ooo..."}},
    {"s5_l1", {"..ooooo..", ".ooooooo.", "ooooooooo", "ooo...ooo", "ooo...ooo", "ooo###ooo", "ooooooooo",
               ".ooooooo.", "..ooooo.."}},
    {"s5_l2", {"...ooo...", "..doood..", ".ooodooo.", "ooodtdooo", "dodtttdod", "ooodtdooo", ".ooodooo.",
               "..doood..", "...ooo..."}},
    {"s5_l3", {"oooooooo", "oooooooo", "oo.oo.oo", "oo.oo.oo", "oo#oo#oo", "oooooooo", "oooooooo", "oooooooo"}},
    {"s5_l4", {"oooo.oooo", "oooo.oooo", "oooo.oooo", "ooooooooo", "ooooooooo", "oooo.oooo", "oooo.oooo",
               "oooo.oooo"}},

    {"s6_l0", {".ooooooo.", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo",
               ".ooooooo."}},
    {"s6_l1", {"oooo.....", "oooo.oooo", "oooo.oooo", "oooo.oooo", "oooo.oooo", "oooo.oooo", "oooo.oooo",
               ".....oooo"}},
    {"s6_l2", {"ooo...ooo", "oooo.oooo", "ooooooooo", "ooooooooo", "ooooooooo", "oooo.oooo", "ooo...ooo"}},
    {"s6_l3", {"..ooooo..", ".ooooooo.", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo",
               ".ooooooo.", "..ooooo.."}},
    {"s6_l4", {"oooooooo", "oooooooo", "oooooooo", "oooooooo", "ooo..ooo", "ooo..ooo", "oo....oo", "oo....oo"}},

    {"s7_l0", {".ooooo.", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo", "ooooooo", ".ooooo."}},
    {"s7_l1", {"..ooooo..", ".ooodooo.", "dooodoood", "ooodtdooo", "oddtttddo", "ooodtdooo", "dooodoood",
               ".ooodooo.", "..ooooo.."}},
    {"s7_l2", {"ooooooooo", "ooooooooo", "ooooooooo", "..ooooo..", "..ooooo..", "..ooooo..", "..ooooo..",
               "..ooooo.."}},
    {"s7_l3", {"oo..o..oo", "ooo.o.ooo", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo",
               "ooooooooo"}},
    {"s7_l4", {"oooo.oooo", "oood.dooo", "ootd.dtoo", "ootd.dtoo", "oood.dooo", "oooo.oooo", "oooo.oooo",
               "oooo.oooo"}},

    {"s8_l0", {"...ooo...", "..ooooo..", ".ooooooo.", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo",
               "ooooooooo"}},
    {"s8_l1", {"..ooooo..", ".ooooooo.", "ootoootoo", "ooooooooo", "ooootoooo", "ooooooooo", "ootoootoo",
               ".ooooooo.", "..ooooo.."}},
    {"s8_l2", {"doooooood", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo", "ooooooooo",
               "ooooooooo", "doooooood"}},
    {"s8_l3", {"...ooo...", "..ooooo..", ".ooooooo.", "ooootoooo", "oootttooo", "ooootoooo", ".ooooooo.",
               "..ooooo..", "...ooo..."}},
    {"s8_l4", {".ooo.ooo.", "ooooooooo", "ooooooooo", "ooooooooo", ".ooooooo.", "..ooooo..", "...ooo...",
               "....o...."}},
};

uint32_t TileType(char c)
{
    switch (c) {
    case 'o': return Formats::tileSingle;
    case 'd': return Formats::tileDouble;
    case 't': return Formats::tileTriple;
    default: return Formats::tileNone;
    }
}

bool IsTile(char c) { return c == 'o' || c == 'd' || c == 't'; }

} // namespace

const std::vector<BoardDesign>& BoardDesigns() { return designs; }

Formats::BoardFile BoardFromGrid(const std::vector<std::string>& rows)
{
    const int height = static_cast<int>(rows.size());
    int width = 0;
    for (const std::string& row : rows)
        width = std::max(width, static_cast<int>(row.size()));
    const auto at = [&](int row, int column) {
        if (row < 0 || row >= height || column >= static_cast<int>(rows[static_cast<size_t>(row)].size()))
            return '.';
        return rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
    };

    // Grid positions (row from the top, column) of every cell: tiles and the heads above column parts.
    std::map<std::pair<int, int>, uint32_t> types;
    std::vector<std::vector<std::pair<int, int>>> columnParts;
    int top = height, bottom = -1, left = width, right = -1;
    for (int column = 0; column < width; ++column) {
        for (int row = 0; row < height; ++row) {
            const char c = at(row, column);
            if (c != '.' && c != '#' && !IsTile(c))
                throw std::invalid_argument(std::string("board grid: unknown mark '") + c + "'");
            if (c == '#' && !IsTile(at(row + 1, column)))
                throw std::invalid_argument("board grid: a hole with no tile below it in column " +
                                            std::to_string(column));
            if (!IsTile(c))
                continue;
            types[{row, column}] = TileType(c);
            top = std::min(top, row);
            bottom = std::max(bottom, row);
            left = std::min(left, column);
            right = std::max(right, column);
            if (!IsTile(at(row - 1, column))) {
                types[{row - 1, column}] = Formats::tileNone;
                columnParts.push_back({{row - 1, column}});
            }
            columnParts.back().push_back({row, column});
        }
    }
    if (bottom < 0)
        throw std::invalid_argument("board grid: no tile");

    Formats::BoardFile board;
    std::map<std::pair<int, int>, uint32_t> index;
    const float centreColumn = (left + right) / 2.0f, centreRow = (top + bottom) / 2.0f;
    for (const auto& [position, type] : types) { // map order: rows from the top, then columns
        index[position] = static_cast<uint32_t>(board.cells.size());
        board.cells.push_back({400 + (position.second - centreColumn) * boardPitch,
                               300 + (centreRow - position.first) * boardPitch, type, 0});
    }

    // Lines in the file order of their heads.
    std::sort(columnParts.begin(), columnParts.end());
    for (const auto& part : columnParts) {
        std::vector<uint32_t> line;
        for (const auto& position : part)
            line.push_back(index.at(position));
        board.lines.push_back(line);
    }
    for (const auto& line : board.lines)
        board.links.push_back({line[0], line[1], {}, 0});
    const auto tile = [&](int row, int column) { return IsTile(at(row, column)); };
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column + 1 < width; ++column)
            if (tile(row, column) && tile(row, column + 1))
                board.links.push_back({index.at({row, column}), index.at({row, column + 1}), {}, 0});
        for (int column = 0; column < width; ++column)
            if (tile(row, column) && tile(row + 1, column))
                board.links.push_back({index.at({row, column}), index.at({row + 1, column}), {}, 0});
    }
    return board;
}

Formats::BoardFile ShippedBoard(const std::string& name)
{
    for (const BoardDesign& design : designs)
        if (design.name == name)
            return BoardFromGrid(design.rows);
    throw std::invalid_argument("no board named " + name);
}

void WriteBoards(DataTree& tree)
{
    for (const LevelFacts& level : CatalogueLevels()) {
        const Formats::BoardFile board = ShippedBoard(level.board);
        const std::vector<std::string> broken = CheckBoard(board, level.demands);
        if (!broken.empty())
            throw std::runtime_error("board " + level.board + ": " + broken.front());
        tree.Write("data\\levels\\meshes\\" + level.board + ".blf", Formats::EncodeBoard(board));
    }
}

} // namespace DataBuild
