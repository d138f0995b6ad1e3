#pragma once
// GUIStartGameLogicWindow: the stage screen between the menus and a level. A June calendar with one day
// per stage (days played crossed out, the current day circled, later days dimmed), a story scroll in
// which the stage's text is typed out, and two signposts: back to the main menu (result 1) and start the
// level at the profile's current position (result 2). It plays the intro comics for a new profile, the
// stage outro and the flower house's planting between stages, the game comics once after the seventh
// stage, and the game-complete text at the end.
//
// Rules:
// - Opened after a level that was not its stage's last (mode NextLevel), or to continue a saved game,
//   the screen shows nothing and asks to start the level once, in its first update.
// - Days, keys and buttons count only while the screen is shown and not fading out: a click after Start
//   cannot move the profile to another stage than the one whose level is being prepared.
// - The models are clones of the bundle's prototypes, owned here with the two buttons, the game comics
//   and a running intro comics. The frame is a zero-size anchor under the flower house's dialog layer.
// - The new-game and game-complete texts are read by the constructor; a file that cannot be read, or a
//   page of more than three lines, is fatal.
// - Main thread only.

#include "framework/GUIStartGameLogicWindowBase.h"
#include "framework/LevelPosition.h"
#include "framework/StageInfo.h"
#include "game/screens/GUIMenuWindow.h"

#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {
class Model;
class ModelManager;
class GUIButton;
} // namespace VantoranEngine

namespace GameFramework {
class LevelManagerBase;
class ProfileBase;
class ProfileManagerBase;
class SoundPlayer;
} // namespace GameFramework

namespace Petalwork {

class GUIBackgroundWindow;
class GUIComics;
class GUIFlowerHouse;
class GUIGameComics;

class GUIStartGameLogicWindow : public GameFramework::GUIStartGameLogicWindowBase, public GUIMenuWindow {
public:
    enum class DialogMode : int32_t { NewGame = 0, StageIntro = 1, StageOutro = 2, GameComplete = 3 };
    // Set by the game object's continue handler.
    enum class ContinueMode : int32_t { None = 0, Discarded = 1, Continued = 2 };

    static constexpr int32_t resultBack = 1;
    static constexpr int32_t resultStart = 2;
    static constexpr size_t maxPageLines = 3;
    static constexpr float typingSpeed = 50.0f; // characters per second
    static constexpr int32_t crossSound = 50;   // "cross"
    static constexpr int32_t circleSound = 51;  // "circle"
    static constexpr int32_t lineFont = 14;
    static constexpr int32_t buttonFont = 7;
    static constexpr int32_t messageFont = 9;
    // The game comics follows the last level of this stage (from 0).
    static constexpr uint32_t gameComicsStage = 6;

    GUIStartGameLogicWindow(VantoranEngine::Engine* engine, GameData& data, const std::string& languageCode,
                            GameFramework::SoundPlayer* soundPlayer, const GameFramework::LevelManagerBase* levels,
                            GUIBackgroundWindow* titleLogo, VantoranEngine::GUIWindow* parent,
                            GameFramework::ProfileManagerBase* profiles, GUIFlowerHouse* flowerHouse);
    ~GUIStartGameLogicWindow() override;

    void Update() override;
    void Show(Mode shownMode) override;
    void Hide() override;

    // The calendar.
    void SetDay(int32_t day, bool newCross, bool newCircle);
    void ShowCalendar();
    void CloseCalendar();
    void SetCalendarVisible(bool on);
    void PlaceButtons();
    void ApplyFade();
    void OpenDialog();

    // Pages of a text file: a page count, then per page a line count and that many words ("_" a blank).
    // A file error or a page of more than three lines is fatal.
    static std::vector<GameFramework::TextPage> ReadPages(VantoranEngine::Engine& engine, const std::string& path);

    // Written by the game object when a level is won or a saved game is continued.
    GameFramework::LevelPosition nextPosition;
    bool advancePending = false;
    ContinueMode continueMode = ContinueMode::None;
    bool gameComplete = false;

    DialogMode GetDialogMode() const { return dialogMode; }
    int32_t GetCurrentDay() const { return currentDay; }
    size_t GetPage() const { return page; }
    size_t GetLinesShown() const { return linesShown; }
    bool IsGameCompleteShown() const { return gameCompleteShown; }
    bool IsCrossPending() const { return crossPending; }
    bool IsCirclePending() const { return circlePending; }
    // The line being typed as far as it is drawn this frame (empty when the page is whole).
    const std::u16string& GetTypedText() const { return typedText; }
    const GUIComics* GetComicsViewer() const { return comicsViewer.get(); }
    const GUIGameComics& GetGameComics() const { return *gameComics; }
    VantoranEngine::GUIButton* GetStartButton() const { return startButton; }
    VantoranEngine::GUIButton* GetBackButton() const { return backButton; }
    VantoranEngine::Model* GetCalendarModel() const { return calendarModel; }
    VantoranEngine::Model* GetDialogModel() const { return dialogModel; }
    const std::vector<VantoranEngine::Model*>& GetDayModels() const { return dayModels; }
    const std::vector<VantoranEngine::Model*>& GetCrossModels() const { return crossModels; }
    const std::vector<VantoranEngine::Model*>& GetCircleModels() const { return circleModels; }

private:
    // Deletes what the screen owns (also after a failed construction).
    void Release();
    GameFramework::ProfileBase* CurrentProfile() const;
    uint32_t BestStage() const;
    // The last day of the game: the catalogue's last stage.
    size_t LastDay() const;
    const std::vector<GameFramework::TextPage>* Pages() const;
    VantoranEngine::Model* Clone(const VantoranEngine::Model* prototype, int first0, int last0, int first1,
                                 int last1, float depthBelowFrame);
    std::vector<VantoranEngine::Model*> CalendarModels() const;
    void UpdateGameComics();
    void UpdateStageChange();
    void UpdateMarks();
    void UpdateDayChoice();
    void UpdateDialog();
    void ShowFinalMessage();
    void QueueCaptions();

    GameData* gameData;
    VantoranEngine::ModelManager* modelManager;
    GameFramework::ProfileManagerBase* profiles;
    GUIBackgroundWindow* titleLogo;
    const GameFramework::LevelManagerBase* levels;
    std::string languageCode;
    std::unique_ptr<GUIComics> comicsViewer;
    GameFramework::SoundPlayer* soundPlayer;
    VantoranEngine::Model* startModel = nullptr;
    VantoranEngine::Model* backModel = nullptr;
    VantoranEngine::Model* dialogModel = nullptr;
    VantoranEngine::GUIButton* startButton = nullptr;
    VantoranEngine::GUIButton* backButton = nullptr;
    VantoranEngine::Model* calendarModel = nullptr;
    VantoranEngine::Model* monthModel = nullptr;
    std::vector<VantoranEngine::Model*> dayModels;
    std::vector<VantoranEngine::Model*> crossModels;
    std::vector<VantoranEngine::Model*> circleModels;
    size_t page = 0;
    size_t linesShown = 0;
    std::vector<GameFramework::TextPage> newGamePages;
    std::vector<GameFramework::TextPage> gameCompletePages;
    float typingTime = 0.0f;
    int32_t currentDay = -1;
    bool circlePending = false;
    bool crossPending = false;
    DialogMode dialogMode = DialogMode::NewGame;
    GUIFlowerHouse* flowerHouse;
    std::unique_ptr<GUIGameComics> gameComics;
    bool gameCompleteShown = false;
    std::u16string typedText;

    bool everShown = false;          // a Hide before any real Show has nothing to close
    bool passThrough = false;        // the last Show showed nothing and asks to start the level
    bool startPending = false;       // that start has not been asked yet
    bool gameComicsPlayed = false;   // for the stage change under way
};

} // namespace Petalwork
