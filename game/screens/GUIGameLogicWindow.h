#pragma once
// GUIGameLogicWindow: the in-level panel. A bottom bar (score, goal icon with its progress bar and goal
// text, life icons), a top strip (stage caption, five level marks, the menu button), the counts on the
// basket sheets, the score popups, the time bonus, two-second messages for a lost life and a board
// without moves, and the optional statistics lines. SPACE or P asks for the pause (result 1); the menu
// button or ESCAPE for the in-level menu (result 2), which wins over a pause key in the same frame.
//
// Rules:
// - One panel for the program's life: Show attaches a level (its parts are borrowed, never called),
//   Hide detaches it, SetActive slides the panel in (true) or out (false, everything hidden at the end).
// - The panel is updated before the level each tick, so it shows the level's flags of the last frame.
// - Keys, messages, statistics, popups and the time bonus run only while the panel is active and its
//   root window visible; the score, goal and caption texts while the root is visible; the basket counts
//   and the menu caption whenever a level is attached.
// - There are five level marks: a stage with more levels shows five, and its later wins never index past
//   the fifth mark (clamped here, since the marks are the panel's fixed art). The goal count is at least 1
//   (the catalogue refuses 0); a goal of 0 would read as finished here instead of dividing by zero.
// - Models and effects missing from the bundle are skipped. Main thread only.

#include "engine/render/Matrix4.h"
#include "engine/render/Color.h"
#include "engine/render/Vector2.h"
#include "framework/GUIGameLogicWindowBase.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace VantoranEngine {
class Config;
class Controls;
class GUIButton;
class GUIFontManager;
class GUIManager;
class GUITextManager;
class GUIWindow;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace VantoranEngine

namespace Petalwork {

class BasketProgress;
class GameData;
class LevelProgress;
class ScoreManager;
struct GameSettings;

class GUIGameLogicWindow : public GameFramework::GUIGameLogicWindowBase {
public:
    // What the panel reads of the running level; every pointer may be null (that part is not shown).
    struct LevelParts {
        GameFramework::GameLogicBase* level = nullptr;
        ScoreManager* scoreManager = nullptr;
        BasketProgress* basketProgress = nullptr;
        LevelProgress* levelProgress = nullptr;
        const bool* tallyClosed = nullptr; // the bonus tally's closing flag
        const bool* lifeGained = nullptr;  // this frame
        const bool* lifeLost = nullptr;    // this frame
        const bool* noMoreMoves = nullptr; // this frame
    };

    enum class SlideMode : int32_t { Idle = 0, SlidingOut = 1, SlidingIn = 2 };

    static constexpr int32_t resultPause = 1;
    static constexpr int32_t resultMenu = 2;
    static constexpr size_t markCount = 5;
    static constexpr std::array<float, markCount> markX{479.8f, 521.2f, 562.5f, 603.9f, 645.3f};
    static constexpr float slideSpeed = 100.0f; // units per second
    static constexpr float messageTime = 2.0f;  // seconds
    static constexpr VantoranEngine::Vector2 scoreAnchor{713.0f, 28.5f};
    static constexpr VantoranEngine::Vector2 goalAnchor{399.0f, 28.0f};
    static constexpr VantoranEngine::Vector2 captionAnchor{400.0f, 580.0f};
    static constexpr VantoranEngine::Vector2 timeBonusStart{120.0f, 555.0f};
    static constexpr float timeBonusTime = 10.0f;
    static constexpr int32_t scoreGoalKind = 2;
    static constexpr int32_t targetGoalKind = 10;

    GUIGameLogicWindow(GameFramework::ProfileManagerBase* profiles, VantoranEngine::Engine* engine, GameData* gameData);
    ~GUIGameLogicWindow() override;

    void Update() override;
    // Attaches the level with the parts the panel can find in it, then slides in.
    void Show(GameFramework::GameLogicBase* level) override;
    // Attaches a level whose parts are given.
    void Attach(const LevelParts& parts);
    void Hide() override;
    void SetActive(bool active) override;

    // The goal text: "N%" (truncated) for the score goal, else "count\goal".
    static std::u16string GoalText(int32_t goalKind, uint32_t count, uint32_t goal);
    // The progress bar's blend: count / goal, 1 for a goal of 0.
    static float GoalFraction(uint32_t count, uint32_t goal);
    // The count on a basket's sheet: the shown count, or "c" (a tick) for none left.
    static std::u16string BasketCountText(int shownCount);
    // One frame of the time bonus "+N": whether it is drawn this frame (at `position` before the step);
    // once the after-bonus is done it drifts up by `rise` units per second until `timer` runs out.
    static bool StepTimeBonus(VantoranEngine::Vector2& position, float& timer, bool running, bool done, float dt,
                              float rise);
    // The x offset of life icon i of `count`: 33.3 apart for up to 3, spread over 100 for more.
    static float LifeOffset(size_t i, size_t count);

    SlideMode GetSlideMode() const { return slideMode; }
    float GetSlideOffset() const { return slideOffset; }
    float GetHiddenOffset() const { return hiddenOffset; }
    uint32_t GetLevelsWon() const { return levelsWon; }
    bool IsMarkTaken() const { return markTaken; }
    float GetTimeOverTimer() const { return timeOverTimer; }
    float GetNoMovesTimer() const { return noMovesTimer; }
    float GetTimeBonusTimer() const { return timeBonusTimer; }
    VantoranEngine::Vector2 GetTimeBonusPosition() const { return timeBonusPosition; }
    const std::vector<VantoranEngine::Model*>& GetLifeIcons() const { return lifeIcons; }
    const std::vector<VantoranEngine::Model*>& GetLevelMarks() const { return levelMarks; }
    VantoranEngine::GUIButton* GetMenuButton() const { return menuButton; }
    VantoranEngine::GUIWindow* GetRoot() const { return root; }
    VantoranEngine::GUIWindow* GetScoreWindow() const { return scoreWindow; }
    VantoranEngine::GUIWindow* GetGoalWindow() const { return goalWindow; }
    VantoranEngine::GUIWindow* GetCaptionWindow() const { return captionWindow; }
    VantoranEngine::GUIWindow* GetBasketTextWindow() const { return basketTextWindow; }
    VantoranEngine::Model* GetBody() const { return body; }
    VantoranEngine::Model* GetBar() const { return bar; }
    VantoranEngine::Model* GetLine() const { return line; }
    VantoranEngine::Model* GetGoalIcon() const { return goalIcon; }
    VantoranEngine::Model* GetFlowerIcon() const { return flowerIcon; }
    VantoranEngine::ParticleSystem* GetGoalEffect() const { return goalEffect; }
    VantoranEngine::ParticleSystem* GetMarkEffect() const { return markEffect; }
    VantoranEngine::ParticleSystem* GetLifeGainedEffect() const { return lifeGainedEffect; }
    VantoranEngine::ParticleSystem* GetLifeLostEffect() const { return lifeLostEffect; }

private:
    VantoranEngine::Model* ClonePanelModel(const VantoranEngine::Model* prototype, float depth);
    void DeleteModel(VantoranEngine::Model*& model);
    VantoranEngine::ParticleSystem* CloneEffect(const VantoranEngine::ParticleSystem* prototype);
    void DeleteEffect(VantoranEngine::ParticleSystem*& effect);
    static void StopEffect(VantoranEngine::ParticleSystem* effect);
    static void StartEffectAt(VantoranEngine::ParticleSystem* effect, const VantoranEngine::Model* at);
    void SetModelDrawn(VantoranEngine::Model* model, bool drawn) const;
    void HideEverything();
    std::vector<VantoranEngine::Model*> LowerModels() const;
    size_t VisibleMarks() const;

    void StepSlide(float dt);
    void StartPendingGoalEffect();
    void QueueScoreAndGoal();
    void QueueCaption();
    void QueueBasketCounts();
    void QueueMenuCaption();
    void RebuildLivesAndMarks();
    void QueueTimeBonus(float dt);
    void QueueStatistics();
    void QueueMessages(float dt);
    void QueuePopups();
    void ReadInput();
    void QueueCentred(const std::u16string& text, int32_t fontId, float size, VantoranEngine::Vector2 centre,
                      float alpha, const VantoranEngine::Color& colour);

    VantoranEngine::Config* config;
    VantoranEngine::GUIManager* gui;
    VantoranEngine::GUIFontManager* fontManager;
    VantoranEngine::GUITextManager* textManager;
    VantoranEngine::Controls* controls;
    VantoranEngine::ModelManager* models;
    VantoranEngine::TimerManager* timers;
    VantoranEngine::ParticleSystemManager* particles;
    GameData* gameData;
    const GameSettings* settings;

    VantoranEngine::GUIButton* menuButton = nullptr;
    VantoranEngine::GUIWindow* captionWindow = nullptr;
    VantoranEngine::GUIWindow* root = nullptr;
    VantoranEngine::GUIWindow* basketTextWindow = nullptr;
    VantoranEngine::GUIWindow* scoreWindow = nullptr;
    VantoranEngine::GUIWindow* goalWindow = nullptr;

    LevelParts parts;
    bool markTaken = false;
    float timeOverTimer = 0.0f;
    float noMovesTimer = 0.0f;
    SlideMode slideMode = SlideMode::Idle;
    VantoranEngine::Model* body = nullptr;
    VantoranEngine::Model* bar = nullptr;
    VantoranEngine::Model* line = nullptr;
    VantoranEngine::Model* goalIcon = nullptr;
    VantoranEngine::Model* flowerIcon = nullptr;
    bool goalEffectPending = false;
    uint32_t levelsWon = 0;
    std::vector<VantoranEngine::Model*> levelMarks; // always five
    std::vector<VantoranEngine::Matrix4> markRest;  // their resting matrices
    std::vector<VantoranEngine::Model*> lifeIcons;
    std::vector<VantoranEngine::Matrix4> lifeRest;
    std::array<VantoranEngine::Matrix4, 5> lowerRest; // body, bar, line, goal icon, flower icon
    VantoranEngine::Vector2 timeBonusPosition = timeBonusStart;
    float timeBonusTimer = 0.0f;
    int32_t livesShown = 0;
    float hiddenOffset = 0.0f;
    float slideOffset = 0.0f;
    VantoranEngine::ParticleSystem* goalEffect = nullptr;
    VantoranEngine::ParticleSystem* lifeGainedEffect = nullptr;
    VantoranEngine::ParticleSystem* lifeLostEffect = nullptr;
    VantoranEngine::ParticleSystem* markEffect = nullptr;
};

} // namespace Petalwork
