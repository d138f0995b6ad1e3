#include "game/board/model/CellManagerLogic.h"

#include "game/board/model/ConnectionManager.h"
#include "game/board/model/MoveLineManager.h"

#include "framework/ScoreKeeper.h"
#include "framework/StageInfo.h"

#include <algorithm>
#include <cmath>

namespace Petalwork {

namespace {

float Distance(BoardPoint a, BoardPoint b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Level kinds whose every listed powerup may be placed; the others place only pause and double chip.
bool PlacesEveryPowerup(int32_t levelKind)
{
    return levelKind == 0 || levelKind == 1 || levelKind == 8;
}

bool PlacesPowerups(int32_t levelKind)
{
    return PlacesEveryPowerup(levelKind) || levelKind == 9;
}

constexpr int32_t layersGoal = 7;
constexpr int32_t chainGoal = 6;

} // namespace

CellManagerLogic::CellManagerLogic(std::vector<std::unique_ptr<CellLogic>> cells_, const BoardLayout& layout,
                                   const GameSettings& settings_, const GameFramework::StageInfo& stage_, bool relax,
                                   ChipManagerLogic& chips_, LevelProgress& progress_, PowerupManager& powerups_,
                                   ScoreGroups& groups_, SoundSink& sounds_, RandomSource& random_)
    : hintTimer(settings_.hintDelay), settings(settings_), stage(stage_), chips(chips_), progress(progress_),
      powerups(powerups_), groups(groups_), sounds(sounds_), random(random_), ownedCells(std::move(cells_))
{
    for (const auto& cell : ownedCells)
        cells.push_back(cell.get());
    centringOffset = layout.CentringOffset({settings.boardCentre.x, settings.boardCentre.y});
    if (progress.goalKind == layersGoal)
        progress.goal = layout.LayerCount();
    for (const int32_t kind : stage.powerupKinds) {
        if (!PlacesEveryPowerup(progress.goalKind) && kind != 2 && kind != 4)
            continue;
        if (relax && kind == 2)
            continue;
        if (kind >= 1 && kind <= 4)
            allowedPowerups.push_back(static_cast<PowerupKind>(kind));
    }
    powerupTimer = random.Range(stage.powerupIntervalMin, stage.powerupIntervalMax);
}

CellManagerLogic::~CellManagerLogic() = default;

void CellManagerLogic::ReleaseCells()
{
    selected = nullptr;
    cells.clear();
    ownedCells.clear();
}

int CellManagerLogic::ComboPoints(unsigned d)
{
    if (d < 3)
        return 0;
    const int k = static_cast<int>(d);
    return ((k - 3) * (k - 2) + 4) * 250;
}

void CellManagerLogic::AttachConnections(ConnectionManager& connections_)
{
    connections = &connections_;
    for (const auto& link : connections->connections) {
        if (!link.from->HasTile() || !link.to->HasTile())
            continue;
        link.from->neighbours.push_back(link.to);
        link.to->neighbours.push_back(link.from);
    }
}

void CellManagerLogic::SetUpBoard(MoveLineManager& lines_)
{
    lines = &lines_;
    for (CellLogic* cell : cells)
        MoveCell(*cell, centringOffset);
    lines->PrepareAll();
    const unsigned n = stage.flowerKindCount > 0 ? static_cast<unsigned>(stage.flowerKindCount) : 1u;
    std::vector<CellLogic*> dealt;
    for (CellLogic* cell : cells) {
        if (!cell->HasTile())
            continue;
        ChipLogic& chip = chips.CreateChip(cell->centre, random.Next() % n, false);
        cell->chip = &chip;
        chips.SetVisible(chip, true);
        dealt.push_back(cell);
    }
    for (int32_t i = 0; i < stage.stonesAtStart && !dealt.empty(); ++i) {
        const size_t pick = random.Next() % dealt.size();
        chips.ChangeKind(*dealt[pick]->chip, stoneKind, true);
        dealt.erase(dealt.begin() + static_cast<std::ptrdiff_t>(pick));
    }
    // The list is not reduced here: a chip may be picked twice.
    for (int32_t i = 0; i < stage.frozenAtStart && !dealt.empty(); ++i)
        chips.SetFrozen(*dealt[random.Next() % dealt.size()]->chip, true);
    const BoardPoint point = RandomPoint();
    StartAppear(point);
    chips.StartAppear(point);
}

BoardPoint CellManagerLogic::RandomPoint()
{
    const uint32_t r1 = random.Next();
    const uint32_t r2 = random.Next();
    return {static_cast<float>(r2 % 800), static_cast<float>(r1 % 600)};
}

float CellManagerLogic::RadiusFrom(BoardPoint point) const
{
    float largest = 0.0f;
    for (const CellLogic* cell : cells)
        largest = std::max(largest, Distance(cell->centre, point));
    return largest + 1.0f;
}

void CellManagerLogic::StartAppear(BoardPoint point)
{
    boardPhase = Phase::Appearing;
    waveCentre = point;
    waveRadius = RadiusFrom(point);
    const float divisor = settings.waveDivisor > 0.0f ? settings.waveDivisor : 1.0f;
    for (CellLogic* cell : cells)
        if (cell->HasTile())
            StartCellAppear(*cell, Distance(cell->centre, point) * settings.waveSpread / (divisor * waveRadius));
}

void CellManagerLogic::StartDisappear(BoardPoint point)
{
    DropSelection();
    boardPhase = Phase::Disappearing;
    waveCentre = point;
    waveRadius = RadiusFrom(point);
    for (CellLogic* cell : cells)
        if (cell->HasTile())
            StartCellDisappear(*cell, Distance(cell->centre, point) * settings.waveSpread / waveRadius);
}

void CellManagerLogic::Update(float dt, bool locked, const BoardInput& input)
{
    allChipsIdle = true;
    boardFullAndIdle = true;
    noMoreMoves = false;
    bool allShown = true;
    bool allGone = true;
    for (CellLogic* cell : cells) {
        if (!cell->HasTile())
            continue;
        StepCell(*cell, dt, cell == selected);
        allShown = allShown && cell->appearPhase == AppearPhase::Shown;
        allGone = allGone && cell->appearPhase == AppearPhase::Gone;
        if (!cell->chip) {
            boardFullAndIdle = false;
        } else if (cell->chip->state != ChipState::Idle) {
            allChipsIdle = false;
            boardFullAndIdle = false;
        }
    }
    if (boardPhase == Phase::Appearing && allShown)
        boardPhase = Phase::Shown;
    else if (boardPhase == Phase::Disappearing && allGone)
        boardPhase = Phase::Gone;
    HideCutHighlights();
    if (!allShown || chips.phase != ChipManagerLogic::Phase::Play || chips.whirlActive)
        return;
    RunLayerShine();
    RunTornado();
    PlacePowerups(dt);
    UpdateHover(locked, input);
    HandleInput(locked, input);
    if (!locked)
        RunIdleShine(dt, input);
    ResolveSwaps();
    ResolveLanding();
    UpdateHint(dt);
    if (allChipsIdle)
        FinishMove(dt);
    CheckMoves();
}

void CellManagerLogic::RunLayerShine()
{
    if (progress.goalKind != layersGoal || progress.idleTime <= layerShineIdleTime)
        return;
    progress.idleTime = 0.0f;
    for (CellLogic* cell : cells)
        RestartLayerAnimations(*cell);
}

void CellManagerLogic::PlacePowerups(float dt)
{
    if (!PlacesPowerups(progress.goalKind) || allowedPowerups.empty() || cells.empty())
        return;
    if (powerupTimer > 0.0f) {
        powerupTimer -= dt;
        return;
    }
    powerupTimer = random.Range(stage.powerupIntervalMin, stage.powerupIntervalMax);
    for (int i = 0; i < powerupTries; ++i) {
        CellLogic* cell = cells[random.Next() % cells.size()];
        if (cell->HasTile() && cell->powerup == PowerupKind::None) {
            SetPowerup(*cell, allowedPowerups[random.Next() % allowedPowerups.size()]);
            return;
        }
    }
}

void CellManagerLogic::RunIdleShine(float dt, const BoardInput& input)
{
    if (input.anyKey) {
        idleTimer = 0.0f;
        return;
    }
    idleTimer += dt;
    if (idleTimer <= settings.idleShineDelay)
        return;
    idleTimer = 0.0f;
    const BoardPoint point = RandomPoint();
    const float radius = RadiusFrom(point);
    const float divisor = settings.waveDivisor > 0.0f ? settings.waveDivisor : 1.0f;
    for (CellLogic* cell : cells)
        if (cell->HasTile())
            StartCellShine(*cell, Distance(cell->centre, point) * settings.shineWaveSpread / (divisor * radius));
    sounds.PlaySound(BoardSound::Shining);
}

void CellManagerLogic::HandleInput(bool locked, const BoardInput& input)
{
    if (locked) {
        DropSelection();
        return;
    }
    if (HandleScissors(input))
        return;
    if (input.mouse2Pressed)
        DropSelection();
    if (input.mouse1Pressed)
        HandleClick(input.cursor, false);
    else if (input.mouse1Down && selected)
        HandleClick(input.cursor, true);
}

void CellManagerLogic::DropSelection()
{
    if (!selected)
        return;
    DeselectCell(*selected);
    selected = nullptr;
}

void CellManagerLogic::Select(CellLogic& cell)
{
    selected = &cell;
    SelectCell(cell);
    sounds.PlaySound(BoardSound::Select);
}

bool CellManagerLogic::IsNeighbour(const CellLogic& a, const CellLogic& b) const
{
    return std::find(a.neighbours.begin(), a.neighbours.end(), &b) != a.neighbours.end();
}

void CellManagerLogic::HandleClick(BoardPoint point, bool drag)
{
    for (CellLogic* cell : cells) {
        if (!cell->HasTile() || !TileHolds(*cell, point))
            continue;
        const bool idleChip = cell->chip && cell->chip->state == ChipState::Idle;
        if (!idleChip && cell != selected)
            continue;
        if (cell->chip && (cell->chip->frozen || cell->chip->IsStone()))
            continue;
        if (!selected) {
            Select(*cell);
            return;
        }
        if (cell == selected) {
            if (drag)
                continue;
            DropSelection();
            sounds.PlaySound(BoardSound::Select);
            return;
        }
        if (!selected->chip || selected->chip->state != ChipState::Selected) {
            DropSelection();
            return;
        }
        CellLogic& from = *selected;
        if (!IsNeighbour(from, *cell)) {
            DropSelection();
            Select(*cell);
            return;
        }
        DropSelection();
        if (!from.chip || !cell->chip)
            return;
        std::swap(from.chip, cell->chip);
        const unsigned n = connections->CountMatch(*cell, false) + connections->CountMatch(from, false);
        ChipLogic& movedToFrom = *from.chip;
        ChipLogic& movedToCell = *cell->chip;
        if (n > 0) {
            if (n > flowerComboSize) {
                groups.ShowBonus(from.centre, flowerComboKey, settings.flowerComboBonus, true);
                chips.Score().total += settings.flowerComboBonus;
            }
            swapPairs.push_back({&from, cell, &movedToFrom, &movedToCell});
            from.swapPending = true;
            cell->swapPending = true;
            const BoardPoint a = movedToFrom.position;
            chips.StartSwap(movedToFrom, movedToCell.position);
            chips.StartSwap(movedToCell, a);
        } else {
            std::swap(from.chip, cell->chip);
            swapPairs.push_back({&from, cell, from.chip, cell->chip});
            const BoardPoint a = from.chip->position;
            chips.StartUnswap(*from.chip, cell->chip->position);
            chips.StartUnswap(*cell->chip, a);
            sounds.PlaySound(BoardSound::Unswap);
        }
        return;
    }
}

void CellManagerLogic::ResolveSwaps()
{
    for (size_t i = 0; i < swapPairs.size();) {
        SwapPair& pair = swapPairs[i];
        // A chip a refill pulled away no longer stands where the player put it: its cell makes no bonus.
        if (pair.chipA && pair.a->chip != pair.chipA) {
            pair.a->swapPending = false;
            pair.chipA = nullptr;
        }
        if (pair.chipB && pair.b->chip != pair.chipB) {
            pair.b->swapPending = false;
            pair.chipB = nullptr;
        }
        if (!pair.a->chip || !pair.b->chip || pair.a->chip->state != ChipState::Idle ||
            pair.b->chip->state != ChipState::Idle) {
            ++i;
            continue;
        }
        CellLogic* a = pair.a;
        CellLogic* b = pair.b;
        swapPairs.erase(swapPairs.begin() + static_cast<std::ptrdiff_t>(i));
        const bool marked = connections->MarkAll(true);
        hintTimer = settings.hintDelay;
        if (!marked) {
            nothingToResolve = true;
            a->swapPending = false;
            b->swapPending = false;
            continue;
        }
        chips.bonusEffectsThisMove = 0;
        Tail();
    }
}

void CellManagerLogic::ResolveLanding()
{
    bool any = false;
    for (size_t i = 0; i < changedLines.size();) {
        if (changedLines[i]->IsSettled()) {
            changedLines.erase(changedLines.begin() + static_cast<std::ptrdiff_t>(i));
            any = true;
        } else {
            ++i;
        }
    }
    if (!any)
        return;
    const bool marked = connections->MarkAll(true);
    hintTimer = settings.hintDelay;
    if (!marked) {
        nothingToResolve = true;
        return;
    }
    Tail();
}

void CellManagerLogic::ResolveCut(bool force)
{
    const bool marked = connections->MarkAll(true);
    hintTimer = settings.hintDelay;
    if (!marked && !force) {
        nothingToResolve = true;
        return;
    }
    chips.bonusEffectsThisMove = 0;
    Tail();
}

void CellManagerLogic::RunTornado()
{
    if (tornadoShown && tornadoAnimation == 1 && TornadoAnimationEnded(1)) {
        tornadoShown = false;
        ShowTornado(false, 1);
    }
    if (tornadoShown && tornadoAnimation == 0 && TornadoAnimationEnded(0)) {
        tornadoAnimation = 1;
        ShowTornado(true, 1);
        chips.CollectIdleChips();
        chips.bonusEffectsThisMove = 0;
        Tail();
    }
    if (powerups.tornadoPending && !tornadoShown) {
        powerups.tornadoPending = false;
        tornadoShown = true;
        tornadoAnimation = 0;
        ShowTornado(true, 0);
    }
}

void CellManagerLogic::Tail()
{
    MarkUntouchedBaskets();
    layersBroken += connections->RemoveMatched(combo > 0);
    for (const BoardSound sound : connections->soundQueue)
        sounds.PlaySound(sound);
    if (combo >= 1) {
        chips.Score().total += ComboPoints(combo);
        const int sound = std::min(13 + static_cast<int>(combo), maximumComboSound);
        sounds.PlaySound(static_cast<BoardSound>(sound));
    }
    moveEndDelay = settings.moveEndDelay;
    // A chain of eight or more counts as a seventh caption at least (its own caption adds the last one).
    if (combo >= 8)
        matchCounter = std::max(matchCounter, 6);
    ++combo;
    for (CellLogic* cell : cells)
        cell->swapPending = false;
    if (lines)
        lines->StepAll(changedLines);
}

void CellManagerLogic::FinishMove(float dt)
{
    if (moveEndDelay < 0.0f)
        return;
    moveEndDelay -= dt;
    if (moveEndDelay >= 0.0f || combo == 0)
        return;
    if (combo > 1) {
        groups.ShowCombo(static_cast<int>(combo) - 1);
        if (combo - 1 >= 2)
            ++matchCounter;
    }
    if (combo > 2) {
        sounds.PlaySound(BoardSound::ChainReaction);
        if (progress.goalKind == chainGoal && !progress.done)
            progress.Add(1);
    }
    combo = 0;
    if (layersBroken > manyLayersThreshold)
        manyLayers = true;
    layersBroken = 0;
    ClearUntouchedMarks();
    chips.AwardManyChipsBonus();
}

void CellManagerLogic::UpdateHint(float dt)
{
    hintTimer -= dt;
    if (hintTimer > 0.0f)
        return;
    hintTimer = settings.hintDelay;
    if (!connections->hintLink)
        return;
    const auto& link = connections->connections[*connections->hintLink];
    if (link.from->chip && link.to->chip)
        chips.ShowHint(*link.from->chip, *link.to->chip);
}

void CellManagerLogic::CheckMoves()
{
    if (!nothingToResolve || !chips.settled)
        return;
    for (const CellLogic* cell : cells)
        if (cell->HasTile() && (!cell->chip || cell->chip->state != ChipState::Idle))
            return;
    if (connections->HasNoMoves()) {
        moveEndDelay = 0.0f;
        combo = 0;
        if (layersBroken > manyLayersThreshold)
            manyLayers = true;
        layersBroken = 0;
        noMoreMoves = true;
        sounds.PlaySound(BoardSound::NoMoreMoves);
        RepairBoard(false);
    }
    nothingToResolve = false;
}

void CellManagerLogic::RepairBoard(bool restoreLayers)
{
    const BoardPoint point = RandomPoint();
    connections->ShuffleBoard();
    chips.StartRepairWhirl(point, *this);
    if (!connections->MarkAll(true))
        nothingToResolve = true;
    else
        Tail();
    hintTimer = settings.hintDelay;
    if (!restoreLayers)
        return;
    waveCentre = point;
    waveRadius = RadiusFrom(point);
    for (CellLogic* cell : cells)
        if (cell->HasTile())
            StartCellCrossFade(*cell, Distance(cell->centre, point) * settings.layerRestoreWaveSpread / waveRadius);
}

void CellManagerLogic::ResolveAfterWhirl()
{
    if (!connections->MarkAll(true)) {
        moveEndDelay = settings.moveEndDelay;
        // The whirl may end on a board that still has no move: the next check repairs it again.
        nothingToResolve = true;
        return;
    }
    chips.bonusEffectsThisMove = 0;
    Tail();
    ClearUntouchedMarks();
}

void CellManagerLogic::StepCell(CellLogic& cell, float dt, bool isSelected)
{
    cell.Step(dt, isSelected);
}

void CellManagerLogic::MoveCell(CellLogic& cell, BoardPoint offset)
{
    cell.centre = {cell.centre.x + offset.x, cell.centre.y + offset.y};
}

bool CellManagerLogic::TileHolds(const CellLogic& cell, BoardPoint point) const
{
    // The tile model is one board step wide.
    constexpr float half = 25.0f;
    return std::fabs(point.x - cell.centre.x) <= half && std::fabs(point.y - cell.centre.y) <= half;
}

void CellManagerLogic::SelectCell(CellLogic& cell)
{
    cell.selected = true;
    if (cell.chip)
        cell.chip->state = ChipState::Selected;
}

void CellManagerLogic::DeselectCell(CellLogic& cell)
{
    cell.selected = false;
    if (cell.chip && cell.chip->state == ChipState::Selected)
        cell.chip->state = ChipState::Idle;
}

void CellManagerLogic::SetPowerup(CellLogic& cell, PowerupKind kind)
{
    cell.SetPowerup(kind, stage.powerupLifetime);
}

void CellManagerLogic::StartCellAppear(CellLogic& cell, float delay)
{
    cell.StartAppear(delay);
}

void CellManagerLogic::StartCellDisappear(CellLogic& cell, float delay)
{
    cell.StartDisappear(delay);
}

void CellManagerLogic::StartCellCrossFade(CellLogic& cell, float delay)
{
    cell.StartCrossFade(delay);
}

void CellManagerLogic::StartCellShine(CellLogic& cell, float delay)
{
    cell.StartShine(delay);
}

void CellManagerLogic::RestartLayerAnimations(CellLogic&) {}

void CellManagerLogic::UpdateHover(bool, const BoardInput&) {}

float CellManagerLogic::CutRadius(unsigned pairs)
{
    switch (pairs) {
    case 2: return 51.0f;
    case 3: return 72.0f;
    default: return 10.0f;
    }
}

std::vector<ChipLogic*> CellManagerLogic::CutArea(const CellLogic& cell, int mode, float radius) const
{
    std::vector<ChipLogic*> area;
    ChipLogic* clicked = cell.chip;
    if (!clicked)
        return area;
    const bool stonesToo = mode >= 3;
    if (mode == 1) {
        if (!clicked->IsStone() && !clicked->frozen)
            area.push_back(clicked);
        return area;
    }
    if (stonesToo || !clicked->IsStone())
        area.push_back(clicked);
    for (const CellLogic* other : cells) {
        ChipLogic* chip = other->chip;
        if (!other->HasTile() || !chip || chip == clicked || chip->state != ChipState::Idle)
            continue;
        if ((stonesToo || !chip->IsStone()) && Distance(chip->position, cell.centre) < radius)
            area.push_back(chip);
    }
    return area;
}

bool CellManagerLogic::HandleScissors(const BoardInput& input)
{
    if (!scissors || scissors->armedMode == 0)
        return false;
    const int mode = scissors->armedMode;
    for (CellLogic* cell : cells) {
        if (!cell->HasTile() || !cell->chip || cell->chip->state != ChipState::Idle ||
            !ChipUnderCursor(*cell, input.cursor))
            continue;
        const std::vector<ChipLogic*> area = CutArea(*cell, mode, CutRadius(scissors->pairs));
        if (!input.mouse1Pressed) {
            HighlightCut(area);
            return true;
        }
        const BoardPoint at = cell->centre;
        const unsigned pairs = SpendScissors();
        std::vector<ChipLogic*> frozen;
        for (ChipLogic* chip : area) {
            chip->marked = true;
            if (mode >= 3 && chip->frozen)
                frozen.push_back(chip);
        }
        ResolveCut(true);
        // The first cut only thawed the frozen chips: they are cut again.
        if (!frozen.empty()) {
            for (ChipLogic* chip : frozen)
                if (chip->state != ChipState::Flight)
                    chip->marked = true;
            ResolveCut(true);
        }
        UseScissors(at, pairs);
        return true;
    }
    return true;
}

bool CellManagerLogic::ChipUnderCursor(const CellLogic& cell, BoardPoint point) const
{
    return TileHolds(cell, point);
}

unsigned CellManagerLogic::SpendScissors()
{
    return scissors ? scissors->Spend() : 0u;
}

void CellManagerLogic::UseScissors(BoardPoint, unsigned) {}

void CellManagerLogic::HideCutHighlights() {}

void CellManagerLogic::HighlightCut(const std::vector<ChipLogic*>&) {}

void CellManagerLogic::MarkUntouchedBaskets() {}

void CellManagerLogic::ClearUntouchedMarks() {}

bool CellManagerLogic::TornadoAnimationEnded(int) const
{
    return true;
}

void CellManagerLogic::ShowTornado(bool, int) {}

bool CellManagerLogic::BreakLayer(CellLogic& cell)
{
    return cell.BreakLayer();
}

void CellManagerLogic::PickUpPowerup(CellLogic& cell)
{
    if (cell.powerup == PowerupKind::None)
        return;
    const PowerupKind kind = cell.powerup;
    cell.SetPowerup(PowerupKind::None, 0.0f);
    powerups.Activate(kind);
    ++powerupsPickedUp;
}

void CellManagerLogic::SwapKinds(CellLogic& a, CellLogic& b)
{
    ChipLogic* x = a.chip;
    ChipLogic* y = b.chip;
    if (!x || !y)
        return;
    std::swap(x->flowerKind, y->flowerKind);
    const BonusKind bonus = x->bonus;
    const bool frozen = x->frozen;
    chips.SetBonus(*x, y->bonus);
    chips.SetBonus(*y, bonus);
    chips.SetFrozen(*x, y->frozen);
    chips.SetFrozen(*y, frozen);
    chips.RefreshPicture(*x);
    chips.RefreshPicture(*y);
    if (a.lineEnd && x->IsStone())
        x->marked = true;
    if (b.lineEnd && y->IsStone())
        y->marked = true;
}

} // namespace Petalwork
