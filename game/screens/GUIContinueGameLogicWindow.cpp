#include "game/screens/GUIContinueGameLogicWindow.h"

#include "engine/core/StringUtils.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"

namespace Petalwork {

using VantoranEngine::GUIButton;

namespace {
constexpr float questionY = 100.0f;
constexpr int32_t questionFont = 1;
constexpr int32_t positionFont = 2;
constexpr const char* questionKey = "CONTINUE_GAME_LOGIC_TEXT_1";
} // namespace

GUIContinueGameLogicWindow::GUIContinueGameLogicWindow(VantoranEngine::Engine* engine, GameData& data,
                                                       VantoranEngine::GUIWindow* parent,
                                                       GameFramework::ProfileManagerBase* profiles)
    : GUIContinueGameLogicWindowBase(engine), GUIMenuWindow(engine, data, parent, FrameType::Small),
      profiles(profiles)
{
    continueButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    newGameButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    LayOutTwoButtons(newGameButton, continueButton, 14.0f, 43.0f);
}

GUIContinueGameLogicWindow::~GUIContinueGameLogicWindow()
{
    for (GUIButton* button : {continueButton, newGameButton}) {
        gui->buttons.Remove(button);
        delete button;
    }
}

void GUIContinueGameLogicWindow::Show()
{
    GUIContinueGameLogicWindowBase::Show();
    GUIMenuWindow::Show(true);
    positionText.clear();
    if (const GameFramework::ProfileBase* current = profiles->GetCurrentProfile()) {
        positionText = VantoranEngine::UIntToWideString(current->currentPosition.stage + 1) + u"-" +
                       VantoranEngine::UIntToWideString(current->currentPosition.level + 1);
    }
}

void GUIContinueGameLogicWindow::Hide()
{
    GUIContinueGameLogicWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUIContinueGameLogicWindow::Update()
{
    GUIContinueGameLogicWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;

    if (AcceptsInput()) {
        if (continueButton->clicked) {
            result = resultContinue;
        } else if (newGameButton->clicked) {
            result = resultNewGame;
            if (GameFramework::ProfileBase* current = profiles->GetCurrentProfile()) {
                current->Reset();
                current->currentPosition = {};
                current->Save(); // a failed save is logged; the reset profile plays on in memory
            }
        }
    }

    AddTitle("CONTINUE_GAME_LOGIC_TITLE", 180.0f);
    AddLine("CONTINUE_GAME_LOGIC_TEXT_0", -1, 140.0f);
    QueueQuestion();
    AddCaption(continueButton, "CONTINUE_GAME_LOGIC_CONTINUE");
    AddCaption(newGameButton, "CONTINUE_GAME_LOGIC_NEW");
}

void GUIContinueGameLogicWindow::QueueQuestion()
{
    const VantoranEngine::GUIFont* font1 = fontManager->GetFont(questionFont);
    const VantoranEngine::GUIFont* font2 = fontManager->GetFont(positionFont);
    auto width = [](const VantoranEngine::GUIFont* font, const std::u16string& text) {
        return font != nullptr ? font->GetTextWidth(text, -1.0f) : 0.0f;
    };
    const std::u16string question = textManager->GetText(questionKey);
    const float w1 = width(font1, question);
    const float wp = width(font2, positionText);
    const float wq = width(font1, u"?");
    const float x0 = frame->size.x / 2.0f - (w1 + wp + wq) / 2.0f;
    frame->AddTextByKey({x0, questionY}, FadeColour(), 0, questionFont, questionKey, -1, -1.0f);
    AddFrameText({x0 + w1, questionY}, 0, positionFont, positionText);
    AddFrameText({x0 + w1 + wp, questionY}, 0, questionFont, u"?");
}

} // namespace Petalwork
