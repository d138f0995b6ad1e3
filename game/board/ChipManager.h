#pragma once
// ChipManager: the level's chips as the board shows them: the rules of ChipManagerLogic over board
// Chips, with their flights to baskets or off the board, trails, collection effects and the two hint
// chips that replay a possible swap.
//
// Rules:
// - A collected chip flies along a curve to the basket that reserved it (its end follows the basket),
//   or off the board to a random side and down to y -500; a stone leaving through a line end drops
//   straight to y -100. The flight's spin turns the other way when the chip flies to the right.
// - Random draws (shared generator), per flight: the side, distance and rise for an off-board flight
//   (three), then the spin (one). An exit-falling stone still draws them, so every flight draws alike.
// - Depths: a basket flight lies just over its basket; off-board flights lie under every basket, each
//   new one under the last (200 levels, then round again); a horn chip takes its depth only once clear
//   of the horn. The trail lies 0.01 under its chip.
// - `cursor` is the mouse in board units; the level sets it each frame before Update.

#include "game/board/Chip.h"
#include "game/board/model/ChipManagerLogic.h"

#include <array>
#include <map>
#include <memory>

namespace VantoranEngine {
class ParticleSystem;
class ParticleSystemManager;
}

namespace Petalwork {

class BasketReservations;
class ParticleManager;

class ChipManager : public ChipManagerLogic {
public:
    static constexpr float basketFlightRise = 150.0f;
    static constexpr float offBoardEndY = -500.0f;
    static constexpr float exitFallEndY = -100.0f;
    static constexpr float overBasket = 0.005f;
    static constexpr float trailBehind = 0.01f;

    // Trails by TrailKind (ice, bomb, horn, simple); null entries leave a chip without trail.
    using TrailPrototypes = std::array<const VantoranEngine::ParticleSystem*, 4>;

    ChipManager(const ChipContext& context, const GameSettings& settings, const GameFramework::StageInfo& stage,
                GameFramework::ScoreKeeper& score, LevelProgress& progress, PowerupManager& powerups,
                ScoreGroups& groups, SoundSink& sounds, RandomSource& random, ParticleManager* effects,
                VantoranEngine::ParticleSystemManager* systems, const TrailPrototypes& trails,
                BasketReservations* baskets);
    ~ChipManager() override;

    static Chip& Of(ChipLogic& chip) { return static_cast<Chip&>(chip); }
    static const Chip& Of(const ChipLogic& chip) { return static_cast<const Chip&>(chip); }

    // The hint chips' frame; the level runs it after Update.
    void UpdateHints(float dt);

    void SetVisible(ChipLogic& chip, bool flag) override { Of(chip).SetVisible(flag); }
    bool IsVisible(const ChipLogic& chip) const override { return Of(chip).look.visible; }
    void RefreshPicture(ChipLogic& chip) override { Of(chip).RefreshPicture(); }
    void SetBonus(ChipLogic& chip, BonusKind kind) override { Of(chip).SetBonus(kind); }
    void SetFrozen(ChipLogic& chip, bool flag) override;
    void StartSwap(ChipLogic& chip, BoardPoint target) override { Of(chip).StartSwap(target); }
    void StartUnswap(ChipLogic& chip, BoardPoint target) override { Of(chip).StartUnswap(target); }
    void StartFall(ChipLogic& chip, BoardPoint target, BoardPoint firstMarker, BoardPoint secondMarker,
                   bool leaving) override
    {
        Of(chip).StartFall(target, firstMarker, secondMarker, leaving);
    }
    bool SecondMarkerPassed(const ChipLogic& chip) const override { return Of(chip).SecondMarkerPassed(); }
    bool IsExitFall(const ChipLogic& chip) const override { return Of(chip).IsExitFall(); }
    void ShowHint(ChipLogic& a, ChipLogic& b) override;

    BoardPoint cursor;
    std::unique_ptr<Chip> hintA;
    std::unique_ptr<Chip> hintB;
    unsigned offBoardFlights = 0; // the off-board depth counter

protected:
    std::unique_ptr<ChipLogic> MakeChip(BoardPoint position, unsigned flowerKind, unsigned count, bool horn) override;
    void UpdateChip(ChipLogic& chip, bool playing, float dt) override;
    void StartChipAppear(ChipLogic& chip, float delay) override { Of(chip).StartAppear(delay); }
    void StartChipDisappear(ChipLogic& chip, float delay) override { Of(chip).StartDisappear(delay); }
    void StartWhirl(ChipLogic& chip) override { Of(chip).StartWhirl(); }
    void EndWhirl(ChipLogic& chip) override;
    void StartDoubling(ChipLogic& chip) override { Of(chip).StartDoubling(); }
    void Retire(ChipLogic& chip, float depth) override { Of(chip).Retire(depth); }
    void FindBasket(ChipLogic& chip) override;
    void StartFlight(ChipLogic& chip, TrailKind trail) override;
    void PlayEffect(BoardEffect kind, BoardPoint at, const BoardPoint* target) override;

private:
    VantoranEngine::ParticleSystem* MakeTrail(TrailKind kind, BoardPoint at, float depth);

    const ChipContext& context;
    ParticleManager* effects;
    VantoranEngine::ParticleSystemManager* systems;
    TrailPrototypes trails;
    BasketReservations* baskets;
    std::map<const ChipLogic*, BasketHandle> reserved; // from FindBasket until the flight starts
};

} // namespace Petalwork
