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
// - Built from the level's parts (ChipManagerParts), the manager makes its chips' models from the global
//   bundle's prototypes and keeps them in line with the chips (FollowModels, after the board's frame); the
//   horn is the bundle's horn model with animations 0 (frames 0-5), 1 (5-7, looped) and 2 (7-12) and its
//   particles; collected chips fly to the level's baskets and count towards the scissors.
// - Without prototypes (headless) chips have no models and the horn runs by the rules' own clock.

#include "game/board/Chip.h"
#include "game/board/ChipModels.h"
#include "game/board/model/ChipManagerLogic.h"

#include <array>
#include <map>
#include <memory>
#include <unordered_map>

namespace VantoranEngine {
class Camera;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
}

namespace Petalwork {

class BasketProgress;
class BasketReservations;
class GameData;
class ParticleManager;
class ScissorsLogic;

// What the running level hands its chip manager; every reference outlives the manager.
struct ChipManagerParts {
    VantoranEngine::ModelManager& models;
    VantoranEngine::ParticleSystemManager& particles;
    const GameData& data;                    // prototypes, trails and the game settings
    VantoranEngine::Camera* camera;          // the GUI camera the board is drawn with
    const GameFramework::StageInfo& stage;
    GameFramework::ScoreKeeper& score;
    LevelProgress& progress;
    PowerupManager& powerups;
    ScoreGroups& groups;
    SoundSink& sounds;
    RandomSource& random;
    ParticleManager* effects = nullptr;      // the collection effects
    BasketProgress* baskets = nullptr;       // null: every chip flies off the board
    ScissorsLogic* scissors = nullptr;       // null: collected chips count for no scissors
};

class ChipManager : public ChipManagerLogic, private HornShape {
public:
    static constexpr float basketFlightRise = 150.0f;
    static constexpr float offBoardEndY = -500.0f;
    static constexpr float exitFallEndY = -100.0f;
    static constexpr float overBasket = 0.005f;
    static constexpr float trailBehind = 0.01f;
    static constexpr float hornStopSpeed = 1000.0f; // a stopped blowing loop runs out at once

    // Trails by TrailKind (ice, bomb, horn, simple); null entries leave a chip without trail.
    using TrailPrototypes = std::array<const VantoranEngine::ParticleSystem*, 4>;

    ChipManager(const ChipContext& context, const GameSettings& settings, const GameFramework::StageInfo& stage,
                GameFramework::ScoreKeeper& score, LevelProgress& progress, PowerupManager& powerups,
                ScoreGroups& groups, SoundSink& sounds, RandomSource& random, ParticleManager* effects,
                VantoranEngine::ParticleSystemManager* systems, const TrailPrototypes& trails,
                BasketReservations* baskets);
    // The running level's chip manager: models, trails, horn, baskets and scissors from `parts`.
    explicit ChipManager(const ChipManagerParts& parts);
    ~ChipManager() override;

    static Chip& Of(ChipLogic& chip) { return static_cast<Chip&>(chip); }
    static const Chip& Of(const ChipLogic& chip) { return static_cast<const Chip&>(chip); }

    // The hint chips' frame; the level runs it after Update.
    void UpdateHints(float dt);
    // Puts every chip's models (hint chips included) where its look says; the level runs it once per
    // frame after the board's updates.
    void FollowModels();
    // The models of a chip; null when it has none.
    const ChipModels* ModelsOf(const ChipLogic& chip) const;

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
    bool HornShown() const override;
    void ShowHorn(bool shown) override;
    void StartHornAnimation(int animation, bool loop) override;
    bool HornAnimationEnded(int animation) const override;
    bool HornLooping() const override;
    void StopHornLoop() override;

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
    void CountForScissors(ChipLogic& chip) override;
    void ChipDeleted(ChipLogic& chip) override;

private:
    // The context, settings and prototypes a manager built from the level's parts keeps for its chips.
    struct Own {
        ChipSettings settings;
        ChipCounters counters;
        ChipPrototypes prototypes;
        std::unique_ptr<ChipContext> context;
    };

    static std::unique_ptr<Own> MakeOwn(const ChipManagerParts& parts, const HornShape* horn);
    bool Overlaps(BoardPoint minimum, BoardPoint maximum) const override;
    VantoranEngine::ParticleSystem* MakeTrail(TrailKind kind, BoardPoint at, float depth);
    void MakeHorn(const ChipManagerParts& parts);

    std::unique_ptr<Own> own; // before `context`, which may refer into it
    const ChipContext& context;
    ParticleManager* effects;
    VantoranEngine::ParticleSystemManager* systems;
    TrailPrototypes trails;
    BasketReservations* baskets;
    ScissorsLogic* scissors = nullptr;
    std::map<const ChipLogic*, BasketHandle> reserved; // from FindBasket until the flight starts
    VantoranEngine::ModelManager* modelManager = nullptr;
    std::unordered_map<const ChipLogic*, std::unique_ptr<ChipModels>> chipModels;
    std::unique_ptr<ChipModels> hintModelsA;
    std::unique_ptr<ChipModels> hintModelsB;
    VantoranEngine::Model* horn = nullptr;              // owned clone
    VantoranEngine::ParticleSystem* hornParticles = nullptr; // owned clone
    float hornSpeed = 1.0f;
};

} // namespace Petalwork
