#include "game/screens/GUIRelaxModeWindow.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/LevelManager.h"
#include "game/board/GameData.h"
#include "game/screens/TipPageFile.h"

#include <vector>

namespace Petalwork {

GUIRelaxModeWindow::GUIRelaxModeWindow(const GameData& gameData, VantoranEngine::Engine* engine,
                                       const LevelManager& catalogue)
    : GUIRelaxModeWindow(gameData, engine, catalogue.GetLanguageCode())
{
}

GUIRelaxModeWindow::GUIRelaxModeWindow(const GameData& gameData, VantoranEngine::Engine* engine,
                                       const std::string& languageCode_)
    : GUIMenuWindow(engine, gameData, gameData.panelLayerWindow, FrameType::Tip), config(engine->config.get()),
      shaderManager(engine->shaderManager.get()), languageCode(languageCode_)
{
    LoadPage();
    yesButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    noButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    LayOutTwoButtons(yesButton, noButton, buttonGap, buttonY);
}

GUIRelaxModeWindow::~GUIRelaxModeWindow()
{
    for (VantoranEngine::GUIButton* button : {yesButton, noButton})
        if (gui->buttons.Remove(button))
            delete button;
    gui->DeleteWindow(picture);
    if (page.material != nullptr)
        shaderManager->ReleaseShader(page.material);
}

void GUIRelaxModeWindow::LoadPage()
{
    std::vector<VantoranEngine::ShaderUser*> materials;
    std::vector<GameFramework::TipPage> pages = TipPageFile::Load(*engine, languageCode, fileName, 1, materials);
    if (pages.empty())
        return; // no question to illustrate: the buttons still answer it
    page = std::move(pages.front());
    picture = TipPageFile::CreatePicture(*gui, frame, page);
    if (picture != nullptr)
        controls.push_back(picture);
}

void GUIRelaxModeWindow::Update()
{
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;

    TipPageFile::QueueTexts(frame, *fontManager, page, alpha, alpha);
    if (AcceptsInput()) {
        if (yesButton->clicked) {
            config->SetValueText(relaxModeVariable, "1");
            Answered(Answer::Yes);
        } else if (noButton->clicked) {
            Answered(Answer::No);
        }
    }
    AddCaption(yesButton, "RELAX_MODE_YES");
    AddCaption(noButton, "RELAX_MODE_NO");
}

void GUIRelaxModeWindow::Answered(Answer given)
{
    Show(false);
    answer = given;
    answered = true;
}

} // namespace Petalwork
