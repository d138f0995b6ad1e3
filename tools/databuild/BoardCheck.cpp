#include "tools/databuild/BoardCheck.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace DataBuild {

namespace {

using Formats::BoardFile;
using Pair = std::pair<uint32_t, uint32_t>;

bool HasTile(const Formats::BoardCell& cell) { return cell.type != Formats::tileNone; }

// Grid steps of a coordinate from the origin; none when the value is off the grid.
std::optional<long> Steps(float value, float origin)
{
    const double steps = (value - origin) / boardPitch;
    const double rounded = std::round(steps);
    if (std::fabs(steps - rounded) > 1e-4)
        return std::nullopt;
    return static_cast<long>(rounded);
}

std::string Name(const Pair& link) { return std::to_string(link.first) + "-" + std::to_string(link.second); }

class Checker {
public:
    Checker(const BoardFile& board, const BoardDemands& demands) : board(board), demands(demands) {}

    std::vector<std::string> Run()
    {
        if (!Indices())
            return messages;
        Lines();
        Heads();
        Grid();
        Links();
        Level();
        Order();
        return messages;
    }

private:
    void Fail(int rule, const std::string& text) { messages.push_back("rule " + std::to_string(rule) + ": " + text); }

    const Formats::BoardCell& Cell(uint32_t index) const { return board.cells[index]; }

    // The tile cell at a grid position, or -1.
    long TileAt(long column, long row) const
    {
        const auto it = tiles.find({column, row});
        return it == tiles.end() ? -1 : static_cast<long>(it->second);
    }

    // Rule 1; false when an index is out of range (nothing else can be checked then).
    bool Indices()
    {
        const size_t count = board.cells.size();
        bool inRange = true;
        std::set<Pair> pairs;
        for (size_t i = 0; i < board.links.size(); ++i) {
            const auto& link = board.links[i];
            if (link.from >= count || link.to >= count) {
                Fail(1, "link " + std::to_string(i) + " names a cell beyond the " + std::to_string(count) + " cells");
                inRange = false;
                continue;
            }
            if (link.from == link.to)
                Fail(1, "link " + std::to_string(i) + " joins cell " + std::to_string(link.from) + " to itself");
            const Pair pair = std::minmax(link.from, link.to);
            if (!pairs.insert(pair).second)
                Fail(1, "two links join cells " + Name(pair));
        }
        for (size_t k = 0; k < board.lines.size(); ++k)
            for (uint32_t cell : board.lines[k])
                if (cell >= count) {
                    Fail(1, "line " + std::to_string(k) + " names a cell beyond the " + std::to_string(count) +
                                " cells");
                    inRange = false;
                }
        linked = pairs;
        return inRange;
    }

    // Rules 2, 5, 6, 7.
    void Lines()
    {
        std::vector<int> uses(board.cells.size(), 0);
        for (size_t k = 0; k < board.lines.size(); ++k) {
            const auto& line = board.lines[k];
            const std::string name = "line " + std::to_string(k);
            if (line.size() < 2) {
                Fail(2, name + " holds fewer than two cells");
                continue;
            }
            for (size_t i = 0; i < line.size(); ++i) {
                ++uses[line[i]];
                if (i > 0 && !HasTile(Cell(line[i])))
                    Fail(6, name + " runs through cell " + std::to_string(line[i]) + ", which has no tile");
                if (i == 0)
                    continue;
                const auto& upper = Cell(line[i - 1]);
                const auto& lower = Cell(line[i]);
                if (!linked.count(std::minmax(line[i - 1], line[i])))
                    Fail(2, name + ": cells " + std::to_string(line[i - 1]) + " and " + std::to_string(line[i]) +
                                " follow each other unlinked");
                if (std::fabs(upper.x - lower.x) > 1e-3f || std::fabs(upper.y - boardPitch - lower.y) > 1e-3f)
                    Fail(7, name + " does not run down its column at cell " + std::to_string(line[i]));
            }
        }
        for (size_t c = 0; c < board.cells.size(); ++c) {
            if (uses[c] > 1)
                Fail(5, "cell " + std::to_string(c) + " lies on " + std::to_string(uses[c]) + " line places");
            else if (HasTile(board.cells[c]) && uses[c] == 0)
                Fail(5, "tile cell " + std::to_string(c) + " lies on no line");
        }
    }

    // Rules 3, 4 (and 5's "not as its head").
    void Heads()
    {
        for (const auto& line : board.lines) {
            if (line.size() < 2)
                continue;
            const uint32_t head = line[0];
            if (HasTile(Cell(head)))
                Fail(3, "head cell " + std::to_string(head) + " has tile type " + std::to_string(Cell(head).type));
            size_t places = 0;
            for (const auto& other : board.lines)
                places += static_cast<size_t>(std::count(other.begin(), other.end(), head));
            if (places > 1)
                Fail(4, "head cell " + std::to_string(head) + " has another place on a line");
            for (const auto& link : board.links) {
                if (link.from != head && link.to != head)
                    continue;
                const uint32_t other = link.from == head ? link.to : link.from;
                if (other != line[1])
                    Fail(4, "head cell " + std::to_string(head) + " is linked to cell " + std::to_string(other) +
                                ", not only to its second cell");
            }
        }
    }

    // Rule 8; also files the tiles by grid position for the later rules.
    void Grid()
    {
        if (board.cells.empty())
            return;
        const float x0 = board.cells[0].x, y0 = board.cells[0].y;
        float left = 400, right = 400, bottom = 300, top = 300;
        bool anyTile = false;
        for (size_t c = 0; c < board.cells.size(); ++c) {
            const auto& cell = board.cells[c];
            const auto column = Steps(cell.x, x0), row = Steps(cell.y, y0);
            if (!column || !row) {
                Fail(8, "cell " + std::to_string(c) + " at (" + std::to_string(cell.x) + ", " + std::to_string(cell.y) +
                            ") is off the 50-unit grid");
                continue;
            }
            if (!HasTile(cell))
                continue;
            tiles[{*column, *row}] = static_cast<uint32_t>(c);
            if (!anyTile) {
                left = right = cell.x;
                bottom = top = cell.y;
                anyTile = true;
            }
            left = std::min(left, cell.x);
            right = std::max(right, cell.x);
            bottom = std::min(bottom, cell.y);
            top = std::max(top, cell.y);
        }
        const long columns = std::lround((right - left) / boardPitch) + 1;
        const long rows = std::lround((top - bottom) / boardPitch) + 1;
        if (columns > boardMostCells || rows > boardMostCells)
            Fail(8, "the tiles span " + std::to_string(columns) + " x " + std::to_string(rows) + " cells (at most 9 x 9)");
        if (std::fabs((left + right) / 2 - 400) > 1e-3f || std::fabs((bottom + top) / 2 - 300) > 1e-3f)
            Fail(8, "the tiles are not centred on (400, 300)");
        origin = {x0, y0};
    }

    // Rule 9.
    void Links()
    {
        std::vector<Pair> expected;
        for (uint32_t c = 0; c < board.cells.size(); ++c)
            for (const auto& line : board.lines)
                if (line.size() >= 2 && line[0] == c)
                    expected.push_back({c, line[1]});
        std::map<long, std::vector<std::pair<long, uint32_t>>> rows; // row -> (column, cell)
        for (const auto& [position, cell] : tiles)
            rows[position.second].push_back({position.first, cell});
        for (auto row = rows.rbegin(); row != rows.rend(); ++row) { // highest row first
            for (const auto& [column, cell] : row->second)
                if (const long right = TileAt(column + 1, row->first); right >= 0)
                    expected.push_back({cell, static_cast<uint32_t>(right)});
            for (const auto& [column, cell] : row->second)
                if (const long below = TileAt(column, row->first - 1); below >= 0)
                    expected.push_back({cell, static_cast<uint32_t>(below)});
        }

        std::vector<Pair> actual;
        for (size_t i = 0; i < board.links.size(); ++i) {
            const auto& link = board.links[i];
            actual.push_back({link.from, link.to});
            if (link.kind != 0)
                Fail(9, "link " + std::to_string(i) + " has kind " + std::to_string(link.kind) + " (0 expected)");
            if (std::any_of(link.curve.begin(), link.curve.end(), [](float v) { return v != 0.0f; }))
                Fail(9, "link " + std::to_string(i) + " has curve offsets");
        }
        if (actual == expected)
            return;
        const std::set<Pair> want(expected.begin(), expected.end()), have(actual.begin(), actual.end());
        for (const Pair& pair : expected)
            if (!have.count(pair))
                Fail(9, "missing link " + Name(pair));
        for (const Pair& pair : actual)
            if (!want.count(pair))
                Fail(9, "link " + Name(pair) + " joins no head to its line nor two neighbouring tiles top-down or "
                                             "left to right");
        if (want == have)
            Fail(9, "the links are not in row order");
    }

    // Rules 10, 11.
    void Level()
    {
        if (demands.flowerKinds < 5)
            Fail(10, "the level has " + std::to_string(demands.flowerKinds) + " flower kinds (at least 5)");
        if (demands.kind != layerLevelKind)
            return;
        const uint32_t layers = LayerCount(board);
        if (layers == 0)
            Fail(11, "a layer level's board has no layers");
        if (static_cast<long>(layers) != demands.goal)
            Fail(11, "the level's goal is " + std::to_string(demands.goal) + ", the board has " +
                         std::to_string(layers) + " layers");
    }

    // Rule 12.
    void Order()
    {
        for (size_t c = 1; c < board.cells.size(); ++c) {
            const auto& before = board.cells[c - 1];
            const auto& cell = board.cells[c];
            if (!(before.y > cell.y || (before.y == cell.y && before.x < cell.x)))
                Fail(12, "cell " + std::to_string(c) + " breaks the row order from the top");
        }
        for (size_t k = 0; k < board.lines.size(); ++k) {
            const auto& line = board.lines[k];
            if (line.size() < 2)
                continue;
            const auto& end = Cell(line.back());
            const auto columnSteps = Steps(end.x, origin.first), rowSteps = Steps(end.y, origin.second);
            if (!columnSteps || !rowSteps)
                continue;
            const long column = *columnSteps, row = *rowSteps;
            if (TileAt(column, row - 1) >= 0)
                Fail(12, "line " + std::to_string(k) + " ends above the tile of cell " +
                             std::to_string(TileAt(column, row - 1)));
            else if (demands.stones)
                for (const auto& [position, cell] : tiles)
                    if (position.first == column && position.second < row) {
                        Fail(12, "stones cannot leave at the end of line " + std::to_string(k) + ": cell " +
                                     std::to_string(cell) + " lies below it");
                        break;
                    }
        }
    }

    const BoardFile& board;
    const BoardDemands& demands;
    std::vector<std::string> messages;
    std::set<Pair> linked;
    std::map<std::pair<long, long>, uint32_t> tiles; // (column, row up) -> tile cell
    std::pair<float, float> origin{0, 0};
};

} // namespace

uint32_t LayerCount(const Formats::BoardFile& board)
{
    uint32_t layers = 0;
    for (const auto& cell : board.cells)
        layers += cell.type == Formats::tileDouble ? 1 : cell.type == Formats::tileTriple ? 2 : 0;
    return layers;
}

std::vector<std::string> CheckBoard(const Formats::BoardFile& board, const BoardDemands& demands)
{
    return Checker(board, demands).Run();
}

} // namespace DataBuild
