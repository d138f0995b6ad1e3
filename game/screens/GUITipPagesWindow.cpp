#include "game/screens/GUITipPagesWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIManager.h"
#include "game/board/GameData.h"
#include "game/screens/TipPageFile.h"

namespace Petalwork {

GUITipPagesWindow::GUITipPagesWindow(VantoranEngine::Engine* engine, const GameData& gameData)
    : GUIMenuWindow(engine, gameData, gameData.panelLayerWindow, FrameType::Tip)
{
}

GUITipPagesWindow::~GUITipPagesWindow()
{
    gui->DeleteWindow(picture);
    if (okButton != nullptr && gui->buttons.Remove(okButton))
        delete okButton;
}

void GUITipPagesWindow::CreateOkButton()
{
    okButton = CreateButton({0.0f, okButtonY}, ButtonType::Long);
    okButton->position.x = (frame->size.x - okButton->size.x) / 2.0f;
}

void GUITipPagesWindow::ShowPicture()
{
    gui->DeleteWindow(picture);
    picture = nullptr;
    if (pageIndex < pages.size())
        picture = TipPageFile::CreatePicture(*gui, frame, pages[pageIndex]);
}

void GUITipPagesWindow::Update()
{
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;

    if (pages.empty() && IsShown()) {
        state = PageState::Finished;
        Show(false);
    }
    if (okButton != nullptr && okButton->clicked && AcceptsInput() && state == PageState::Shown) {
        if (pageIndex + 1 < pages.size()) {
            state = PageState::FadingOut;
        } else {
            Show(false);
            state = PageState::Finished;
        }
    }

    if (pageIndex < pages.size()) {
        const float step = timerManager->frameTime * fadeSpeed;
        if (state == PageState::FadingOut) {
            pageAlpha -= step;
            if (pageAlpha < 0.0f) {
                pageAlpha = 0.0f;
                state = PageState::FadingIn;
                ++pageIndex;
                ShowPicture();
            }
        } else if (state == PageState::FadingIn) {
            pageAlpha += step;
            if (pageAlpha > 1.0f) {
                pageAlpha = 1.0f;
                state = PageState::Shown;
            }
        }
    }
    if (pageIndex < pages.size()) {
        const float a = hiding ? alpha : pageAlpha;
        TipPageFile::QueueTexts(frame, *fontManager, pages[pageIndex], a, alpha);
        if (picture != nullptr)
            picture->SetColor({1.0f, 1.0f, 1.0f, a});
    }
    if (okButton != nullptr)
        AddCaption(okButton, "TIP_OK");
}

} // namespace Petalwork
