#pragma once
// GUIRelaxModeWindow: the relax-mode question after a failure, with a yes and a no button. The running
// level shows it and waits until it has answered and is off screen.
//
// Rules:
// - The first page of "data\gui\tip_window\text\<language>\relax.ini" is read at construction (the page
//   count is read and not used); a missing or unreadable file is fatal. The picture is in the control
//   list, so it fades with the frame.
// - Yes sets the console variable "g_relax_mode" to "1"; no leaves it. Either answer fades the frame out
//   and sets answered. Buttons count only while the frame takes input (shown, not fading out).
// - The window owns its picture's material. Main thread only.

#include "framework/TipPage.h"
#include "game/screens/GUIMenuWindow.h"

#include <cstdint>
#include <string>

namespace VantoranEngine {
class Config;
class ShaderManager;
} // namespace VantoranEngine

namespace Petalwork {

class GameData;
class LevelManager;

class GUIRelaxModeWindow : public GUIMenuWindow {
public:
    enum class Answer : int32_t { None = 0, Yes = 1, No = 2 };

    static constexpr const char* fileName = "relax.ini";
    static constexpr const char* relaxModeVariable = "g_relax_mode";
    static constexpr float buttonGap = 14.0f;
    static constexpr float buttonY = 43.0f;

    // The texts are read under the catalogue's language code.
    GUIRelaxModeWindow(const GameData& gameData, VantoranEngine::Engine* engine, const LevelManager& catalogue);
    GUIRelaxModeWindow(const GameData& gameData, VantoranEngine::Engine* engine, const std::string& languageCode);
    ~GUIRelaxModeWindow() override;

    void Update() override;

    bool IsAnswered() const { return answered; }
    Answer GetAnswer() const { return answer; }
    const GameFramework::TipPage& GetPage() const { return page; }
    VantoranEngine::GUIWindow* GetPicture() const { return picture; }
    VantoranEngine::GUIButton* GetYesButton() const { return yesButton; }
    VantoranEngine::GUIButton* GetNoButton() const { return noButton; }

private:
    void LoadPage();
    void Answered(Answer given);

    VantoranEngine::Config* config;
    VantoranEngine::ShaderManager* shaderManager;
    GameFramework::TipPage page;
    VantoranEngine::GUIWindow* picture = nullptr; // owned through the GUI manager's list
    std::string languageCode;
    bool answered = false;
    Answer answer = Answer::None;
    VantoranEngine::GUIButton* yesButton = nullptr;
    VantoranEngine::GUIButton* noButton = nullptr;
};

} // namespace Petalwork
