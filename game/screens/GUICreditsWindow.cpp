#include "game/screens/GUICreditsWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "game/board/GameData.h"

#include <algorithm>

namespace Petalwork {

GUICreditsWindow::GUICreditsWindow(VantoranEngine::Engine* engine, GameData& data, const std::string& languageCode)
    : GUIMenuWindow(engine, data, data.panelLayerWindow, FrameType::Tip)
{
    okButton = CreateButton({0.0f, 40.0f}, ButtonType::Long);
    okButton->position.x = (frame->size.x - okButton->size.x) / 2.0f;
    try {
        Load(languageCode);
    } catch (...) {
        gui->buttons.Remove(okButton);
        delete okButton;
        throw;
    }
}

GUICreditsWindow::~GUICreditsWindow()
{
    gui->buttons.Remove(okButton);
    delete okButton;
}

void GUICreditsWindow::Load(const std::string& languageCode)
{
    pages.assign(pageCount, {});
    try {
        std::unique_ptr<VantoranEngine::FileTextual> file =
            engine->fileManager->OpenTextual("data\\gui\\credits\\" + languageCode + "\\credits.ini", false);
        int32_t counts[pageCount];
        for (int32_t& count : counts)
            count = std::max(file->ReadInt(), 0);
        for (size_t page = 0; page < pageCount; ++page) {
            for (int32_t i = 0; i < counts[page] && !file->endOfFile; ++i) {
                Line line;
                line.fontId = file->ReadInt();
                file->ReadTextToken(line.text);
                pages[page].push_back(std::move(line));
            }
        }
    } catch (const VantoranEngine::FileError& error) {
        engine->messageManager->LogFatalError(error.message);
    }
}

void GUICreditsWindow::Start()
{
    Show(true);
    pageIndex = 0;
    pageState = PageState::FadingIn;
}

void GUICreditsWindow::Finish()
{
    Show(false);
    pageState = PageState::Shown;
}

void GUICreditsWindow::Update()
{
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;

    if (AcceptsInput() && okButton->clicked && pageState == PageState::Shown)
        pageState = pageIndex == 0 ? PageState::FadingOut : PageState::Ended;
    const float step = timerManager->frameTime * fadeSpeed;
    if (pageState == PageState::FadingOut) {
        pageAlpha -= step;
        if (pageAlpha < 0.0f) {
            pageAlpha = 0.0f;
            ++pageIndex;
            pageState = PageState::FadingIn;
        }
    } else if (pageState == PageState::FadingIn) {
        pageAlpha += step;
        if (pageAlpha > 1.0f) {
            pageAlpha = 1.0f;
            pageState = PageState::Shown;
        }
    }

    QueueLines();
    AddTitle("CREDITS_TITLE", 318.0f);
    AddCaption(okButton, "TIP_OK");
}

void GUICreditsWindow::QueueLines()
{
    if (pageIndex >= pages.size())
        return;
    const VantoranEngine::Color colour{1.0f, 1.0f, 1.0f, hiding ? alpha : pageAlpha};
    float y = topY;
    for (const Line& line : pages[pageIndex]) {
        const VantoranEngine::GUIFont* font = fontManager->GetFont(line.fontId);
        y -= font != nullptr ? font->size : 0.0f;
        if (line.text.empty())
            continue;
        const float width = font != nullptr ? font->GetTextWidth(line.text, -1.0f) : 0.0f;
        frame->AddText({centreX - width / 2.0f, y}, colour, 0, line.fontId, line.text, -1.0f);
    }
}

} // namespace Petalwork
