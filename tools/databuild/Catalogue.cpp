// The stage and level catalogue of data\levels: nine days of June, five levels each.
#include "tools/databuild/DataBuild.h"
#include "tools/databuild/Levels.h"

#include <sstream>

namespace DataBuild {

namespace {

// One line of stages_info.ini: background, basket places, spawn interval, order size limit, start speed,
// end speed, speed per basket, place wait, stones at start, most stones, stone interval, frozen at start,
// most frozen, frozen interval, then the five data file words.
const char* const stageLines[] = {
    "0  3 14.0 1  14.0  8.0  1.0  0.0   0 0  0.0   0 0  0.0   flowers0 options0 third orders scissors0",
    "1  3 13.0 2  15.0  8.0  1.2  8.0   0 0  0.0   0 0  0.0   flowers1 options1 third orders scissors1",
    "2  4 12.0 2  16.0  9.0  1.2  7.0   3 5 12.0   0 0  0.0   flowers2 options2 third orders scissors2",
    "3  4 12.0 2  16.0  9.0  1.5  7.0   0 0  0.0   4 6 14.0   flowers3 options3 third orders scissors2",
    "4  4 11.0 3  17.0  9.0  1.5  6.0   2 4 16.0   0 0  0.0   flowers4 options4 third orders scissors3",
    "5  6 11.0 3  17.0 10.0  1.2  6.0   0 0  0.0   3 5 16.0   flowers5 options5 third orders scissors3",
    "6  4 11.0 3  18.0 10.0  1.5  6.0   2 4 16.0   3 5 16.0   flowers6 options6 third orders scissors3",
    "7  6 10.0 3  18.0 10.0  1.4  5.0   3 6 14.0   3 6 14.0   flowers7 options7 third orders scissors3",
    "8  6 10.0 3  19.0 11.0  1.4  5.0   3 6 14.0   4 6 14.0   flowers8 options8 third orders scissors3",
};

// Flower kinds (count, then chip atlas frames; frame 6 is the stone) and options (powerup interval
// min, max, lifetime; horn, pause, tornado, double allowed; volume, line, random bonuses allowed).
const char* const flowerFiles[] = {
    "5 0 1 3 4 5", "5 0 2 3 7 5", "6 0 1 3 4 5 7", "6 9 10 2 11 14 13", "6 0 1 2 3 4 5",
    "6 9 12 2 8 4 15", "7 0 1 2 3 4 5 7", "7 9 10 14 11 13 12 2", "7 0 1 2 3 4 5 7",
};
const char* const optionFiles[] = {
    "14 22 15  0 1 0 1  1 1 0", "12 20 15  1 1 0 1  1 1 1", "12 18 14  1 1 0 1  1 1 1",
    "12 18 14  1 1 0 1  1 1 1", "10 16 14  1 1 1 1  1 1 1", "10 16 14  1 1 1 1  1 1 1",
    "10 16 12  1 1 1 1  1 1 1", "9 15 12  1 1 1 1  1 1 1",  "9 15 12  1 1 1 1  1 1 1",
};
const char* const scissorsFiles[] = {"0", "1 60", "2 50 80", "3 50 80 110"};

// Levels: goal, kind, level time, par time (seconds), order entry min, max, tip ("empty": none); the
// board of level l of stage s is "s<s>_l<l>". Layer levels (kind 7) take their goal from the board.
constexpr int boardLayers = 0;
struct LevelLine {
    int goal, kind, time, par, orderMin, orderMax;
    const char* tip;
};
const LevelLine levelLines[9][5] = {
    {{3000, 2, 240, 150, 1, 3, "tip_swap"}, {4, 0, 300, 160, 3, 4, "tip_baskets"},
     {6000, 2, 240, 150, 1, 3, "tip_bonus"}, {4, 1, 300, 200, 3, 4, "tip_places"},
     {6, 0, 300, 220, 3, 5, "tip_powerups"}},
    {{boardLayers, 7, 240, 150, 1, 3, "tip_layers"}, {5, 0, 300, 200, 3, 5, "tip_horn"},
     {8000, 2, 240, 160, 1, 3, "tip_scissors"}, {boardLayers, 7, 270, 180, 1, 3, "empty"},
     {5, 1, 300, 200, 3, 5, "tip_timer"}},
    {{10, 3, 240, 160, 1, 3, "tip_stones"}, {6, 0, 300, 220, 3, 5, "empty"},
     {boardLayers, 7, 270, 180, 1, 3, "empty"}, {15, 3, 270, 180, 1, 3, "empty"},
     {6, 9, 300, 220, 3, 5, "tip_two_columns"}},
    {{10, 5, 240, 160, 1, 3, "tip_frozen"}, {6, 8, 300, 220, 3, 5, "tip_two_conveyors"},
     {12000, 2, 240, 160, 1, 3, "empty"}, {16, 5, 270, 180, 1, 3, "empty"},
     {8, 8, 320, 240, 3, 6, "empty"}},
    {{10, 4, 240, 170, 1, 3, "tip_effects"}, {7, 0, 300, 230, 3, 6, "tip_tornado"},
     {14, 3, 270, 180, 1, 3, "empty"}, {15, 4, 270, 180, 1, 3, "empty"},
     {7, 1, 320, 240, 3, 6, "empty"}},
    {{6, 6, 240, 170, 1, 3, "tip_chains"}, {8, 9, 320, 240, 3, 6, "empty"},
     {boardLayers, 7, 300, 200, 1, 3, "empty"}, {10, 6, 270, 190, 1, 3, "empty"},
     {9, 8, 330, 250, 3, 6, "empty"}},
    {{25, 10, 240, 170, 1, 3, "tip_target"}, {8, 0, 330, 250, 3, 6, "empty"},
     {18, 5, 270, 190, 1, 3, "empty"}, {30, 10, 270, 190, 1, 3, "empty"},
     {9, 8, 330, 250, 3, 6, "empty"}},
    {{8, 9, 330, 240, 3, 6, "empty"}, {boardLayers, 7, 300, 200, 1, 3, "empty"},
     {18, 3, 270, 190, 1, 3, "empty"}, {12, 6, 300, 210, 1, 3, "empty"},
     {10, 8, 340, 260, 3, 6, "empty"}},
    {{10, 8, 340, 260, 3, 6, "empty"}, {18, 4, 270, 190, 1, 3, "empty"},
     {35, 10, 300, 210, 1, 3, "empty"}, {22, 5, 300, 210, 1, 3, "empty"},
     {12, 0, 360, 280, 3, 6, "empty"}},
};

// Single blanks between words: a reader that takes every word, empty ones included, sees the same.
std::string Words(const std::string& line)
{
    std::string out;
    for (char c : line)
        if (c != ' ' || (!out.empty() && out.back() != ' '))
            out += c;
    return out;
}

std::vector<std::string> Lines(std::initializer_list<const char*> head, const char* const* begin, const char* const* end)
{
    std::vector<std::string> lines(head.begin(), head.end());
    for (auto it = begin; it != end; ++it)
        lines.push_back(Words(*it));
    return lines;
}

// The numbers of a table line, up to its first word that is not one.
std::vector<float> Numbers(const char* line)
{
    std::istringstream in(line);
    std::vector<float> values;
    float value = 0;
    while (in >> value)
        values.push_back(value);
    return values;
}

std::string BoardName(int stage, int level) { return "s" + std::to_string(stage) + "_l" + std::to_string(level); }

} // namespace

std::vector<LevelFacts> CatalogueLevels()
{
    std::vector<LevelFacts> levels;
    for (int stage = 0; stage < 9; ++stage) {
        const std::vector<float> stageValues = Numbers(stageLines[stage]);
        // Stones at start, most stones, stone interval (seconds; 0 never).
        const bool stones = stageValues.at(8) > 0 || (stageValues.at(9) > 0 && stageValues.at(10) > 0);
        const int flowerKinds = static_cast<int>(Numbers(flowerFiles[stage]).at(0));
        for (int level = 0; level < 5; ++level) {
            const LevelLine& line = levelLines[stage][level];
            LevelFacts facts{stage, level, BoardName(stage, level), {line.kind, line.goal, flowerKinds, stones}};
            if (line.goal == boardLayers)
                facts.demands.goal = static_cast<int>(LayerCount(ShippedBoard(facts.board)));
            levels.push_back(facts);
        }
    }
    return levels;
}

void WriteCatalogue(DataTree& tree)
{
    tree.WriteText("data\\levels\\stages_info.ini",
                   Lines({"9", "// bg P spawn E start end perBasket placeWait st0 stMax stInt fr0 frMax frInt "
                               "flower options third orders scissors"},
                         std::begin(stageLines), std::end(stageLines)));

    const std::vector<LevelFacts> levels = CatalogueLevels();
    for (int stage = 0; stage < 9; ++stage) {
        const std::string index = std::to_string(stage);
        std::vector<std::string> lines = {"5", "// goal kind time par orderMin orderMax board tip"};
        for (int level = 0; level < 5; ++level) {
            const LevelLine& line = levelLines[stage][level];
            const LevelFacts& facts = levels[static_cast<size_t>(stage * 5 + level)];
            std::string text;
            for (int value : {facts.demands.goal, line.kind, line.time, line.par, line.orderMin, line.orderMax})
                text += std::to_string(value) + " ";
            lines.push_back(text + facts.board + " " + line.tip);
        }
        tree.WriteText("data\\levels\\stage" + index + ".ini", lines);
        tree.WriteText("data\\levels\\flowers" + index + ".ini", {Words(flowerFiles[stage])});
        tree.WriteText("data\\levels\\options" + index + ".ini", {Words(optionFiles[stage])});
    }
    tree.WriteText("data\\levels\\third.ini", {"0 0 0 0 0"});
    tree.WriteText("data\\levels\\orders.ini", {"7 13 // silver and gold: level bonuses of the whole day"});
    for (int i = 0; i < 4; ++i)
        tree.WriteText("data\\levels\\scissors" + std::to_string(i) + ".ini", {scissorsFiles[i]});
}

} // namespace DataBuild
