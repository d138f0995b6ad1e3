#include "game/screens/GUIOrderWindow.h"

#include "engine/core/Engine.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/LevelManager.h"
#include "game/screens/TipPageFile.h"

#include <limits>

namespace Petalwork {

GUIOrderWindow::GUIOrderWindow(const GameData& gameData, VantoranEngine::Engine* engine,
                               const LevelManager& catalogue)
    : GUIOrderWindow(gameData, engine, catalogue.GetLanguageCode())
{
}

GUIOrderWindow::GUIOrderWindow(const GameData& gameData, VantoranEngine::Engine* engine,
                               const std::string& languageCode_)
    : GUITipPagesWindow(engine, gameData), shaderManager(engine->shaderManager.get()),
      languageCode(languageCode_)
{
    LoadPages();
    CreateOkButton();
}

GUIOrderWindow::~GUIOrderWindow()
{
    // The picture window draws with a page material: it goes first.
    gui->DeleteWindow(picture);
    picture = nullptr;
    for (VantoranEngine::ShaderUser* material : materials)
        shaderManager->ReleaseShader(material);
}

void GUIOrderWindow::LoadPages()
{
    pages = TipPageFile::Load(*engine, languageCode, fileName, std::numeric_limits<size_t>::max(), materials);
}

void GUIOrderWindow::Begin()
{
    begun = true;
    pageIndex = 0;
    pageAlpha = 0.0f;
    if (pages.empty()) {
        state = PageState::Finished;
        return;
    }
    Show(true);
    state = PageState::FadingIn;
    ShowPicture();
}

} // namespace Petalwork
