#include "BoardFixtureSupport.h"

#include "engine/render/Random.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace BoardFixtures {

SeededRandom::SeededRandom(uint32_t seed)
{
    VantoranEngine::RandomSeed = seed;
}

uint32_t SeededRandom::Next()
{
    return VantoranEngine::Random();
}

int RecordingSounds::Count(int id) const
{
    int n = 0;
    for (const int s : played)
        n += s == id ? 1 : 0;
    return n;
}

void RecordingGroups::BeginGroup()
{
    open.clear();
    isOpen = true;
}

void RecordingGroups::AddChip(const ChipLogic& chip)
{
    if (isOpen)
        open.push_back(&chip);
}

void RecordingGroups::EndGroup()
{
    closed.push_back(open);
    open.clear();
    isOpen = false;
}

void RecordingGroups::ShowBonus(BoardPoint position, const char* key, int, bool)
{
    bonusKeys.emplace_back(key);
    bonusPositions.push_back(position);
}

StubChips::StubChips(const GameSettings& settings_, const GameFramework::StageInfo& stage_,
                     GameFramework::ScoreKeeper& score_, LevelProgress& progress_, PowerupManager& powerups_,
                     ScoreGroups& groups_, SoundSink& sounds_, RandomSource& random_)
    : ChipManagerLogic(settings_, stage_, score_, progress_, powerups_, groups_, sounds_, random_)
{
}

std::unique_ptr<ChipLogic> StubChips::MakeChip(BoardPoint position, unsigned flowerKind, unsigned, bool horn)
{
    auto chip = std::make_unique<StubChip>();
    chip->position = position;
    chip->flowerKind = flowerKind;
    chip->hornChip = horn;
    return chip;
}

void StubChips::StartSwap(ChipLogic& chip, BoardPoint target)
{
    StubChip& c = Of(chip);
    c.start = c.position;
    c.target = target;
    c.framesLeft = framesPerMove;
    c.state = ChipState::Swap;
}

void StubChips::StartUnswap(ChipLogic& chip, BoardPoint target)
{
    StartSwap(chip, target);
    Of(chip).outward = true;
    chip.state = ChipState::SwapBack;
}

void StubChips::StartFall(ChipLogic& chip, BoardPoint target, BoardPoint firstMarker, BoardPoint secondMarker,
                          bool leaving)
{
    StubChip& c = Of(chip);
    c.start = c.position;
    c.target = target;
    c.framesLeft = framesPerMove;
    c.state = ChipState::Fall;
    // Markers at the origin lie on no path: passed at once.
    const bool markers = firstMarker.x != 0.0f || firstMarker.y != 0.0f || secondMarker.x != 0.0f ||
                         secondMarker.y != 0.0f;
    c.secondPassed = !markers;
    c.exitFall = leaving && c.IsStone();
    ++falls;
}

void StubChips::UpdateChip(ChipLogic& chip, bool playing, float)
{
    StubChip& c = Of(chip);
    if (!playing) {
        if (c.appearPhase == AppearPhase::Appearing)
            c.appearPhase = AppearPhase::Shown;
        else if (c.appearPhase == AppearPhase::Disappearing)
            c.appearPhase = AppearPhase::Gone;
        return;
    }
    switch (c.state) {
    case ChipState::Selected: c.state = ChipState::Idle; break;
    case ChipState::Swap:
    case ChipState::Fall:
        if (--c.framesLeft <= framesPerMove / 2) {
            c.secondPassed = true;
            c.visible = true;
        }
        if (c.framesLeft <= 0) {
            c.position = c.target;
            c.state = ChipState::Idle;
        }
        break;
    case ChipState::SwapBack:
        if (--c.framesLeft > 0)
            break;
        if (c.outward) {
            c.outward = false;
            std::swap(c.start, c.target);
            c.framesLeft = framesPerMove;
        } else {
            c.position = c.target;
            c.state = ChipState::Idle;
        }
        break;
    case ChipState::Flight:
        if (--c.framesLeft <= 0)
            c.remove = true;
        break;
    case ChipState::Whirl:
        if (--c.framesLeft <= 0)
            c.state = ChipState::Idle;
        break;
    default: break;
    }
}

void StubChips::StartChipAppear(ChipLogic& chip, float delay)
{
    appearDelays.push_back(delay);
    chip.appearPhase = AppearPhase::Appearing;
    Of(chip).visible = true;
}

void StubChips::StartChipDisappear(ChipLogic& chip, float delay)
{
    disappearDelays.push_back(delay);
    chip.appearPhase = AppearPhase::Disappearing;
}

void StubChips::StartWhirl(ChipLogic& chip)
{
    whirled.push_back(&chip);
    Of(chip).framesLeft = framesPerMove;
}

void StubChips::StartFlight(ChipLogic& chip, TrailKind trail)
{
    StubChip& c = Of(chip);
    c.framesLeft = framesPerMove;
    c.trail = trail;
    ++c.flights;
    flown.push_back(&chip);
}

void StubChips::ThawIce(ChipLogic& chip)
{
    Of(chip).thawed = true;
}

void StubChips::PlayEffect(BoardEffect kind, BoardPoint at, const BoardPoint* target)
{
    effects.push_back({kind, at});
    if (target)
        effectTargets.push_back(*target);
}

GameSettings DefaultSettings()
{
    GameSettings s;
    s.waveSpread = 0.5f;
    s.layerRestoreWaveSpread = 0.5f;
    s.waveDivisor = 1.0f;
    s.fadeDuration = 0.05f;
    s.crossFadeHalfDuration = 0.05f;
    s.hintDelay = 5.0f;
    s.moveEndDelay = 0.2f;
    s.boardCentre = {400.0f, 300.0f};
    s.idleShineDelay = 30.0f;
    s.shineHalfDuration = 0.1f;
    s.flowerComboBonus = 300;
    s.manyFlowersBonus = 700;
    return s;
}

namespace {

CellTimings Timings()
{
    CellTimings t;
    t.fade = 0.05f;
    t.crossFade = 0.05f;
    t.shine = 0.1f;
    t.blinkPeriod = 0.1f;
    t.blinkCount = 3;
    return t;
}

const CellTimings& SharedTimings()
{
    static const CellTimings timings = Timings();
    return timings;
}

struct Token {
    bool present = false;
    unsigned kind = 0;
    bool frozen = false;
    TileType tile = TileType::Single;
    int bonus = 0;
};

Token Parse(const std::string& text)
{
    Token t;
    if (text == ".")
        return t;
    t.present = true;
    t.kind = text[0] == 'S' ? stoneKind : static_cast<unsigned>(text[0] - 'A');
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '*')
            t.frozen = true;
        else if (text[i] == '!')
            t.tile = TileType::NoTile;
        else if (text[i] == 'd')
            t.tile = TileType::Double;
        else if (text[i] == 't')
            t.tile = TileType::Triple;
        else if (text[i] >= '0' && text[i] <= '9')
            t.bonus = text[i] - '0';
    }
    return t;
}

} // namespace

Board::Board(const std::vector<std::string>& rows, unsigned kinds, int32_t levelKind) : settings(DefaultSettings())
{
    stage.flowerKindCount = static_cast<int32_t>(kinds);
    stage.volumeBombsAllowed = stage.lineBombsAllowed = stage.randomDestructionAllowed = true;
    random = std::make_unique<SeededRandom>(1);
    std::vector<std::vector<Token>> grid;
    size_t columns = 0;
    for (const std::string& row : rows) {
        std::istringstream in(row);
        std::vector<Token> tokens;
        std::string word;
        while (in >> word)
            tokens.push_back(Parse(word));
        columns = std::max(columns, tokens.size());
        grid.push_back(tokens);
    }
    const float left = 400.0f - 25.0f * static_cast<float>(columns - 1);
    const float top = 300.0f + 25.0f * static_cast<float>(grid.size() - 1);
    for (size_t r = 0; r < grid.size(); ++r)
        for (size_t c = 0; c < grid[r].size(); ++c)
            if (grid[r][c].present) {
                index[{static_cast<int>(r), static_cast<int>(c)}] = layout.cells.size();
                BoardCell cell;
                cell.centre = {left + 50.0f * static_cast<float>(c), top - 50.0f * static_cast<float>(r)};
                cell.fileType = grid[r][c].tile;
                layout.cells.push_back(cell);
            }
    auto find = [this](int r, int c) -> const size_t* {
        const auto it = index.find({r, c});
        return it == index.end() ? nullptr : &it->second;
    };
    for (size_t r = 0; r < grid.size(); ++r)
        for (size_t c = 0; c + 1 < columns; ++c)
            if (const size_t* a = find(static_cast<int>(r), static_cast<int>(c)))
                if (const size_t* b = find(static_cast<int>(r), static_cast<int>(c + 1)))
                    layout.links.push_back({static_cast<uint32_t>(*a), static_cast<uint32_t>(*b), {}, {}, 0});
    for (size_t r = 0; r + 1 < grid.size(); ++r)
        for (size_t c = 0; c < columns; ++c)
            if (const size_t* a = find(static_cast<int>(r), static_cast<int>(c)))
                if (const size_t* b = find(static_cast<int>(r + 1), static_cast<int>(c)))
                    layout.links.push_back({static_cast<uint32_t>(*a), static_cast<uint32_t>(*b), {}, {}, 0});
    for (size_t c = 0; c < columns; ++c) {
        BoardLine line;
        BoardCell head;
        head.centre = {left + 50.0f * static_cast<float>(c), top + 50.0f};
        head.fileType = TileType::NoTile;
        const uint32_t headIndex = static_cast<uint32_t>(layout.cells.size());
        layout.cells.push_back(head);
        line.cells.push_back(headIndex);
        for (size_t r = 0; r < grid.size(); ++r)
            if (const size_t* a = find(static_cast<int>(r), static_cast<int>(c)))
                line.cells.push_back(static_cast<uint32_t>(*a));
        if (line.cells.size() < 2) {
            layout.cells.pop_back();
            continue;
        }
        layout.links.push_back({headIndex, line.cells[1], {}, {}, BoardLink::headKind});
        layout.cells[line.cells.back()].lineEnd = true;
        layout.lines.push_back(line);
    }
    Build(levelKind);
    lines->PrepareAll();
    cells->SetMoveLines(*lines);
    for (size_t r = 0; r < grid.size(); ++r)
        for (size_t c = 0; c < grid[r].size(); ++c) {
            const Token& t = grid[r][c];
            if (!t.present)
                continue;
            CellLogic& cell = At(static_cast<int>(r), static_cast<int>(c));
            ChipLogic& chip = chips->CreateChip(cell.centre, t.kind, false);
            if (chip.IsStone())
                ++chips->stonesOnBoard;
            chips->SetVisible(chip, true);
            chip.appearPhase = AppearPhase::Shown;
            if (t.frozen)
                chips->SetFrozen(chip, true);
            chip.bonus = static_cast<BonusKind>(t.bonus);
            cell.chip = &chip;
        }
    cells->boardPhase = CellManagerLogic::Phase::Shown;
    // As an appear wave over the board would have left it.
    chips->waveRadius = 400.0f;
}

Board::Board(const BoardLayout& layout_, const GameFramework::StageInfo& stage_, int32_t levelKind, uint32_t seed)
    : Board(layout_, stage_, levelKind, seed, DefaultSettings())
{
}

Board::Board(const BoardLayout& layout_, const GameFramework::StageInfo& stage_, int32_t levelKind, uint32_t seed,
             const GameSettings& settings_)
    : settings(settings_), stage(stage_), layout(layout_)
{
    random = std::make_unique<SeededRandom>(seed);
    Build(levelKind);
    cells->SetUpBoard(*lines);
    connections->FixBoard(true);
}

void Board::Build(int32_t levelKind)
{
    constexpr int32_t eventPoints[6] = {10, 200, 300, 500, 300, 400};
    progress = std::make_unique<LevelProgress>(1000000u, levelKind, 0);
    powerups = std::make_unique<PowerupManager>(sounds, 10.0f, 10.0f);
    for (uint32_t id = 0; id < 6; ++id)
        score.SetPoints(id, eventPoints[id]);
    chips = std::make_unique<StubChips>(settings, stage, score, *progress, *powerups, groups, sounds, *random);
    std::vector<std::unique_ptr<CellLogic>> built;
    for (const BoardCell& c : layout.cells) {
        auto cell = std::make_unique<CellLogic>(c.centre, c.fileType, c.reserved, SharedTimings());
        cell->lineEnd = c.lineEnd;
        built.push_back(std::move(cell));
    }
    cells = std::make_unique<CellManagerLogic>(std::move(built), layout, settings, stage, false, *chips, *progress,
                                               *powerups, groups, sounds, *random);
    connections = std::make_unique<ConnectionManager>(*cells, *chips, groups, *progress, layout,
                                                      static_cast<unsigned>(stage.flowerKindCount),
                                                      stage.volumeBombsAllowed, stage.lineBombsAllowed,
                                                      stage.randomDestructionAllowed, *random);
    cells->AttachConnections(*connections);
    lines = std::make_unique<MoveLineManager>(layout, cells->cells, *connections, *chips, stage, *random);
}

CellLogic& Board::At(int row, int column)
{
    const auto it = index.find({row, column});
    if (it == index.end())
        throw std::out_of_range("no cell there");
    return *cells->cells[it->second];
}

void Board::Frame(const BoardInput& input)
{
    chips->Update(dt);
    cells->Update(dt, false, input);
}

int Board::Settle(int frames)
{
    for (int i = 0; i < frames; ++i) {
        Frame();
        if (chips->allIdle && cells->changedLines.empty() && cells->swapPairs.empty() && cells->moveEndDelay < 0.0f &&
            !chips->whirlActive && cells->boardFullAndIdle)
            return i + 1;
    }
    if (std::getenv("BOARD_DEBUG"))
        std::fprintf(stderr, "idle %d lines %zu pairs %zu delay %f whirl %d full %d phase %d nothing %d\n",
                     chips->allIdle, cells->changedLines.size(), cells->swapPairs.size(), cells->moveEndDelay,
                     chips->whirlActive, cells->boardFullAndIdle, static_cast<int>(cells->boardPhase),
                     cells->nothingToResolve);
    return -1;
}

void Board::Click(CellLogic& cell)
{
    BoardInput input;
    input.cursor = cell.centre;
    input.mouse1Pressed = true;
    Frame(input);
}

} // namespace BoardFixtures
