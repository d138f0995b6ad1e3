#include "framework/GUIHighScoresWindowBase.h"

namespace GameFramework {

GUIHighScoresWindowBase::GUIHighScoresWindowBase(VantoranEngine::Engine* engine, HighScoresTable* highScores)
    : engine(engine),
      highScores(highScores)
{
}

GUIHighScoresWindowBase::~GUIHighScoresWindowBase() = default;

void GUIHighScoresWindowBase::Update()
{
    result = 0;
}

void GUIHighScoresWindowBase::Show(Mode shownMode, const HighScoreEntry* entry)
{
    shown = true;
    mode = shownMode;
    markedEntry = entry;
}

void GUIHighScoresWindowBase::Hide()
{
    shown = false;
}

} // namespace GameFramework
