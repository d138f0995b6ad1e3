#pragma once
// GameLogic: one running level of the game. It builds the whole board from the level's catalogue records
// and its board file, owns every in-level part, fills the score table, runs the parts in a fixed order
// each frame, gives extra lives by score, takes the board away while paused and brings it back, and runs
// the end of a won level (time, baskets and scissors into points, the bonus tally) and of a failed one
// (a spare life spent, or the board cleared and the level lost). It reports through its state.
//
// Rules:
// - Construction order: score table, the inert window, the flower screen, the board file, then the
//   parts (scissors, goal, particles, popups, powerups, baskets, chips, cells, links, move lines, tally,
//   tips), then the board is laid out, filled and repaired so it has no ready group.
// - The target kind of the goal is drawn for every level, before anything else draws.
// - A board file that cannot be read is fatal ("PROGRAM ABORTING: " and FatalError).
// - Extra lives: a score change from S to T with 0 < S < T gives one life when some multiple of the
//   points per life lies in [S, T); none when that value is not positive.
// - The background belongs to the game object: the level shows it when built and hides it when
//   destroyed, and never touches a slot that has been emptied.
// - Destruction deletes the chips before the cells (cells never touch chips when destroyed).
// - Main thread only; every clock runs on the engine's frame time.

#include "framework/GameLogicBase.h"
#include "game/board/LevelBonus.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace VantoranEngine {
class Engine;
class GUIManager;
class GUIWindow;
class Model;
class ModelManager;
} // namespace VantoranEngine

namespace Petalwork {

class BasketProgress;
class CellManager;
class ChipManager;
class ConnectionManager;
class EngineRandom;
class GameData;
class GameLogicBackground;
class GameLogicData;
class GUIOrderWindow;
class GUIRelaxModeWindow;
class GUITipWindow;
class LevelComplete;
class LevelProgress;
class LevelSoundSink;
class LoopingSoundSink;
class MoveLineManager;
class ParticleManager;
class PowerupManager;
class ProfileManager;
class ProgramCursor;
class Scissors;
class ScoreManager;
class ScorePopupGroups;
struct GameSettings;

class GameLogic : public GameFramework::GameLogicBase {
public:
    static constexpr int flowerScreenClose = 0; // frames 0-15
    static constexpr int flowerScreenOpen = 1;  // frames 15-30
    static constexpr float flowerScreenDepth = -1000.0f;
    static constexpr float tipDelay = 1.0f;
    static constexpr float scissorsTextDrop = 22.2f;
    static constexpr int32_t scissorsPairBonus = 1000;

    // Sound ids.
    static constexpr int32_t levelFadeInSound = 1;
    static constexpr int32_t levelFadeOutSound = 2;
    static constexpr int32_t levelBeginSound = 3;
    static constexpr int32_t levelEndSound = 4;
    static constexpr int32_t goalCompleteSound = 7;
    static constexpr int32_t timeIsOverSound = 25;
    static constexpr int32_t gameOverSound = 26;
    static constexpr int32_t afterBonusBasketSound = 42;
    static constexpr int32_t flowerScreenAppearSound = 52;

    // What the end of a won level reads to award the level bonuses.
    struct EndCounters {
        float levelTime = 0.0f;
        float parTime = 0.0f;
        bool thirdScissorsPair = false;
        int powerupsPickedUp = 0;
        unsigned bonusEffects = 0;
        int matchCounter = 0;
        unsigned chipsCollected = 0;
        unsigned stonesCollected = 0;
        unsigned frozenCollected = 0;
        unsigned quickGains = 0;
        unsigned quickBaskets = 0;
        bool manyLayers = false;
    };

    // `background` is the game object's slot: the level shows what it holds and never owns it. The tip
    // windows read their texts under `languageCode`. Sounds go to the sound player, or to `soundSink` when
    // one is given (tests record them there).
    GameLogic(const GameFramework::LevelInfo& level, const GameFramework::StageInfo& stage, int32_t lives,
              VantoranEngine::Engine& engine, GameFramework::SoundPlayer* soundPlayer, GameData& gameData,
              GameLogicData* levelData, ProfileManager* profiles, std::unique_ptr<GameLogicBackground>* background,
              const std::string& languageCode, LoopingSoundSink* soundSink = nullptr);
    ~GameLogic() override;

    void Update() override;

    // 1 when a score change from `seen` to `total` earns a life with `pointsPerLife` points per life.
    static int32_t ExtraLives(int32_t seen, int32_t total, int32_t pointsPerLife);
    // The level bonuses earned, in the order they are tested.
    static std::vector<LevelBonusKind> AwardedBonuses(const EndCounters& counters);
    // The relax-mode offer: the profile's best position is this level, the game is not completed, the
    // stage index is 2, the level is its stage's last, and "g_relax_mode" reads "0".
    static bool RelaxOffer(const GameFramework::LevelPosition& best, bool gameCompleted,
                           const GameFramework::LevelPosition& position, int32_t levelCount,
                           const std::string& relaxVariable);
    // The order tips follow the last level of stage index 1.
    static bool HasOrderTips(const GameFramework::LevelPosition& position, int32_t levelCount);

    // Read by the in-level panel and the game object.
    ScoreManager& GetScoreManager() const { return *scoreManager; }
    BasketProgress& GetBasketProgress() const { return *basketProgress; }
    LevelProgress& GetLevelProgress() const { return *levelProgress; }
    LevelComplete& GetLevelComplete() const { return *levelComplete; }
    Scissors& GetScissors() const { return *scissors; }
    CellManager& GetCellManager() const { return *cellManager; }
    ChipManager& GetChipManager() const { return *chipManager; }
    ConnectionManager& GetConnectionManager() const { return *connectionManager; }
    MoveLineManager& GetMoveLineManager() const { return *moveLineManager; }
    PowerupManager& GetPowerupManager() const { return *powerupManager; }
    VantoranEngine::Model* GetFlowerScreen() const { return flowerScreen; }
    GUITipWindow& GetTipWindow() const { return *tipWindow; }
    GUIRelaxModeWindow* GetRelaxModeWindow() const { return relaxWindow.get(); }
    GUIOrderWindow* GetOrderWindow() const { return orderWindow.get(); }
    EndCounters GetEndCounters() const;
    bool IsRelaxMode() const { return relaxMode; }

    bool lifeGainedThisFrame = false;
    bool lifeLostThisFrame = false;
    float levelTime = 0.0f;
    int endPhase = 0;
    float endCountdown = 0.0f;
    float tipTimer = 0.0f;
    bool tallyRunning = false;
    bool relaxOffer = false;

private:
    struct Parts;

    void BuildBoard(const std::string& boardName);
    void RunParts(float dt);
    void GiveExtraLives();
    void PlayFrame(float dt);
    void PauseFrame();
    void BringBoardBack();
    void TakeBoardAway(bool chipsToo);
    void EndSequence(float dt);
    void FailurePath();
    // The relax-mode question of a profile that has not been asked yet; true when the frame ends here.
    bool AskRelaxQuestion();
    void SaveRelaxQuestion();
    void StartTally();
    void PlaySound(int32_t id);
    bool TipFinished() const;

    VantoranEngine::ModelManager* models;
    VantoranEngine::GUIManager* gui;
    GameData& gameData;
    const GameSettings& settings;
    GameLogicData* levelData;
    ProfileManager* profiles;
    std::unique_ptr<GameLogicBackground>* background;
    bool relaxMode = false;

    std::unique_ptr<Parts> parts; // prototypes, contexts and adapters the parts keep references to
    std::unique_ptr<LevelSoundSink> ownSounds;
    LoopingSoundSink* sounds = nullptr; // the player's sink or the one given
    std::unique_ptr<EngineRandom> random;
    std::unique_ptr<ProgramCursor> cursor;
    VantoranEngine::GUIWindow* inertWindow = nullptr;
    VantoranEngine::Model* flowerScreen = nullptr;

    std::unique_ptr<Scissors> scissors;
    std::unique_ptr<LevelProgress> levelProgress;
    std::unique_ptr<ParticleManager> particleManager;
    std::unique_ptr<ScoreManager> scoreManager;
    std::unique_ptr<ScorePopupGroups> popups;
    std::unique_ptr<PowerupManager> powerupManager;
    std::unique_ptr<BasketProgress> basketProgress;
    std::unique_ptr<ChipManager> chipManager;
    std::unique_ptr<CellManager> cellManager;
    std::unique_ptr<ConnectionManager> connectionManager;
    std::unique_ptr<MoveLineManager> moveLineManager;
    std::unique_ptr<LevelComplete> levelComplete;
    std::unique_ptr<GUITipWindow> tipWindow;
    std::unique_ptr<GUIRelaxModeWindow> relaxWindow; // when the relax question may be asked
    std::unique_ptr<GUIOrderWindow> orderWindow;     // after the last level of the second stage

    bool firstFrame = true;
    bool goalSoundPlayed = false;
    bool scissorsBonusGiven = false;
    bool relaxAnswerTaken = false;
    bool relaxLossPending = false;
    int32_t scoreSeen = 0;
};

} // namespace Petalwork
