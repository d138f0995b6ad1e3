#pragma once
// LevelComplete: the closing show of a won level. While the board is cleared away a carrier lifts the
// festival basket into view, the retired chips fall into it and its flowers appear one by one; the
// level bonuses earned appear one after another with rising captions; the number of bonuses becomes
// the level's record in the profile manager and, on a stage's last level, the stage's records choose a
// copper, silver or gold order; then the items fly off the bottom of the screen and the carrier takes
// the basket away. The level waits for `done`.
//
// Rules:
// - Phases after Begin: 0 the carrier rises (the basket and flowers follow it); 1 until no chip is
//   left, then the record, the order and the layout; 2 the items, the order and the leaving.
// - AddBonus keeps one item per kind, in the order awarded. The caption's opacity is its time left,
//   clamped to 0..1 when drawn.
// - Random draws (shared generator): one per decorative flower at construction (its flower kind); per
//   item its spin speed at creation and two fractions (flight distance, rise) at the layout.
// - Every prototype may be missing (null): the tally then runs with nothing drawn for it. Models without
//   animation end their animations at once.
// - The destructor removes and deletes every model, particle system and window it made.

#include "framework/LevelInfo.h"
#include "framework/StageInfo.h"
#include "game/board/LevelBonus.h"
#include "game/board/model/BoardTypes.h"
#include "game/board/model/GameSettings.h"
#include "game/board/model/RandomSource.h"
#include "game/board/model/SoundSink.h"

#include <array>
#include <memory>
#include <vector>

namespace VantoranEngine {
class Camera;
class GUIManager;
class GUIWindow;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class ShaderDescriptor;
} // namespace VantoranEngine

namespace Petalwork {

class ChipManagerLogic;
class GameData;
class ProfileManager;
struct ChipCounters;

struct LevelCompletePrototypes {
    const VantoranEngine::Model* bonus = nullptr;
    std::array<const VantoranEngine::ShaderDescriptor*, levelBonusKindCount> bonusMaterials{};
    const VantoranEngine::ParticleSystem* glow = nullptr;
    const VantoranEngine::ParticleSystem* trail = nullptr;
    const VantoranEngine::Model* panel = nullptr;   // the festival basket
    const VantoranEngine::Model* carrier = nullptr; // animations 0 rising, 1 leaving
    const VantoranEngine::ParticleSystem* carrierParticles = nullptr;
    std::vector<const VantoranEngine::Model*> flowers; // the basket's decorative flowers
    const VantoranEngine::Model* order = nullptr;
    std::array<const VantoranEngine::ShaderDescriptor*, 3> orderMaterials{}; // copper, silver, gold
    const VantoranEngine::ParticleSystem* orderParticles = nullptr;
    VantoranEngine::Camera* camera = nullptr;

    static LevelCompletePrototypes From(const GameData& data, VantoranEngine::Camera* camera);
};

struct LevelCompleteContext {
    VantoranEngine::ModelManager* models = nullptr;              // null: nothing is cloned
    VantoranEngine::ParticleSystemManager* particles = nullptr;  // null: no particle systems
    VantoranEngine::GUIManager* gui = nullptr;                   // null: captions are not queued
    VantoranEngine::GUIWindow* panelLayer = nullptr;             // the captions window's parent
    const GameSettings& settings;
    SoundSink& sounds;
    RandomSource& random;
    const ChipManagerLogic& chips;
    const ChipCounters& counters;
    ProfileManager* profiles = nullptr; // null: no records (tests)
};

class LevelComplete {
public:
    static constexpr int risingAnimation = 0;  // frames 0-20
    static constexpr int leavingAnimation = 1; // frames 20-40
    static constexpr float flowerInterval = 0.05f;
    static constexpr int captionFont = 12;
    static constexpr float flightEndY = -60.0f;
    static constexpr float orderBehind = 0.02f;
    static constexpr BoardSound flowerAppearSound = static_cast<BoardSound>(27);
    static constexpr BoardSound basketAppearSound = static_cast<BoardSound>(28);
    static constexpr BoardSound afterBonusSound = static_cast<BoardSound>(40);
    static constexpr BoardSound basketFlyUpSound = static_cast<BoardSound>(54);
    static constexpr BoardSound orderSound = static_cast<BoardSound>(57);

    enum class Order : int { Copper = 0, Silver = 1, Gold = 2 };

    LevelComplete(const LevelCompleteContext& context, const LevelCompletePrototypes& prototypes,
                  const GameFramework::StageInfo& stage, const GameFramework::LevelInfo& level);
    virtual ~LevelComplete();

    LevelComplete(const LevelComplete&) = delete;
    LevelComplete& operator=(const LevelComplete&) = delete;

    // The order for a stage whose levels earned `sum` bonuses.
    static Order ChooseOrder(int32_t sum, int32_t silverThreshold, int32_t goldThreshold);
    // The item places for `count` items (1 to 6; clamped), in award order.
    static std::vector<BoardPoint> Layout(size_t count);

    void AddBonus(LevelBonusKind kind);
    void Begin();
    void Update(float dt);

    const std::vector<std::unique_ptr<LevelBonus>>& Items() const { return items; }
    int Phase() const { return phase; }
    size_t ShownCount() const { return shownCount; }
    bool HasOrder() const { return orderChosen; }
    Order ChosenOrder() const { return order; }

    bool running = false; // set by the level with Begin
    bool done = false;
    bool closing = false; // the items are flying off: the panel counts the level as won
    bool allFlown = false;
    bool flowersOn = false;

private:
    VantoranEngine::Model* Clone(const VantoranEngine::Model* prototype, float depth);
    VantoranEngine::ParticleSystem* CloneSystem(const VantoranEngine::ParticleSystem* prototype, float depth);
    void DeleteModel(VantoranEngine::Model*& model);
    void DeleteSystem(VantoranEngine::ParticleSystem*& system);
    BoardPoint CarrierPosition() const;
    void FollowCarrier();
    void QueueCaptions();
    void StartPhaseTwo();
    void UpdatePhaseTwo(float dt);

    const LevelCompleteContext& context;
    const LevelCompletePrototypes& prototypes;
    const GameFramework::StageInfo stage;
    const GameFramework::LevelInfo level;
    VantoranEngine::GUIWindow* captions = nullptr;
    VantoranEngine::Model* panel = nullptr;
    VantoranEngine::Model* carrier = nullptr;
    VantoranEngine::ParticleSystem* carrierParticles = nullptr;
    std::vector<VantoranEngine::Model*> flowers;
    size_t nextFlower = 0;
    float flowerTimer = 0.0f;
    VantoranEngine::Model* orderModel = nullptr;
    VantoranEngine::ParticleSystem* orderParticles = nullptr;
    bool orderChosen = false;
    Order order = Order::Copper;
    bool orderShown = false;
    std::vector<std::unique_ptr<LevelBonus>> items;
    int phase = 0;
    float itemTimer = 0.0f;
    size_t shownCount = 0;
    float flightSpeedTime = 0.0f;
    bool carrierLeaving = false;
};

} // namespace Petalwork
