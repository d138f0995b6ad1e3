#include "game/screens/GUIHighScoresWindow.h"

#include "engine/core/StringUtils.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/HighScoresTable.h"
#include "game/board/GameData.h"
#include "game/screens/GUIWindowShown.h"

namespace Petalwork {

using VantoranEngine::GUIWindow;
using VantoranEngine::Vector2;

namespace {
const Vector2 barSize{512.0f, 32.0f};
constexpr float firstLineY = 298.0f;
constexpr float lineStep = 24.0f;
constexpr float placeX = 53.0f;
constexpr float nameX = 93.0f;
constexpr float scoreX = 373.0f;
constexpr int32_t entryFont = 1;
constexpr int32_t markedFont = 2;
} // namespace

GUIHighScoresWindow::GUIHighScoresWindow(VantoranEngine::Engine* engine, GameData& data, GUIWindow* parent,
                                         GameFramework::HighScoresTable* highScores)
    : GUIHighScoresWindowBase(engine, highScores), GUIMenuWindow(engine, data, parent, FrameType::Large)
{
    textWindow = gui->CreateUntexturedWindow(GUIWindow::Shown, {0.0f, 0.0f}, {0.0f, 0.0f}, frame);
    controls.push_back(textWindow);
    highlightBar = gui->CreateWindow(GUIWindow::Colored, {0.0f, 0.0f}, barSize, *data.highScoresFrameMaterial, frame,
                                     {1.0f, 1.0f});
    controls.push_back(highlightBar);
    closeButton = CreateButton({0.0f, 37.0f}, ButtonType::Long);
    closeButton->position.x = (frame->size.x - closeButton->size.x) / 2.0f;
}

GUIHighScoresWindow::~GUIHighScoresWindow()
{
    gui->buttons.Remove(closeButton);
    delete closeButton;
    gui->DeleteWindow(highlightBar);
    gui->DeleteWindow(textWindow);
}

void GUIHighScoresWindow::Show(Mode shownMode, const GameFramework::HighScoreEntry* entry)
{
    GUIHighScoresWindowBase::Show(shownMode, entry);
    GUIMenuWindow::Show(true);
}

void GUIHighScoresWindow::Hide()
{
    GUIHighScoresWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUIHighScoresWindow::Update()
{
    GUIHighScoresWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;
    if (AcceptsInput() && closeButton->clicked)
        result = resultClose;

    AddTitle("HIGH_SCORES_TITLE", 321.0f);
    const auto& entries = highScores->GetEntries();
    if (entries.empty())
        AddLine("HIGH_SCORES_NO_RECORDS", -1, firstLineY);
    bool marked = false;
    float y = firstLineY;
    for (size_t i = 0; i < entries.size(); ++i) {
        const bool isMarked = entries[i].get() == markedEntry;
        if (isMarked) {
            marked = true;
            highlightBar->position = {0.0f, y + 1.0f};
        }
        const int32_t font = isMarked ? markedFont : entryFont;
        const VantoranEngine::Color colour = FadeColour();
        textWindow->AddText({placeX, y}, colour, 0, font,
                            VantoranEngine::UIntToWideString(static_cast<unsigned>(i) + 1) + u".", -1.0f);
        textWindow->AddText({nameX, y}, colour, 0, font, entries[i]->name, -1.0f);
        textWindow->AddText({scoreX, y}, colour, 0, font, VantoranEngine::UIntToWideString(entries[i]->score), -1.0f);
        y -= lineStep;
    }
    SetShown(highlightBar, marked);
    AddCaption(closeButton, mode == Mode::MainMenu ? "BACK" : "OK");
}

} // namespace Petalwork
