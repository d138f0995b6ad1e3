#include "game/screens/GUIGameComics.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Controls.h"
#include "engine/render/gui/GUIManager.h"
#include "game/screens/GUIWindowShown.h"

namespace Petalwork {

GUIGameComics::GUIGameComics(const std::string& languageCode, VantoranEngine::Engine* engine,
                             VantoranEngine::GUIWindow* parent)
    : timerManager(engine->timerManager.get()), controls(engine->controls.get()),
      fontManager(engine->guiManager->GetFontManager()),
      comics(std::make_unique<ComicsRecord>(engine, languageCode, comicsNumber, pageCount, parent, firstLayer,
                                            VantoranEngine::Vector2{0.0f, 0.0f}))
{
}

GUIGameComics::~GUIGameComics() = default;

void GUIGameComics::Start()
{
    comics->Rewind();
    pageIndex = 0;
    fadingOut = false;
    finished = false;
    active = true;
    comics->SetAllShown(true);
}

void GUIGameComics::End()
{
    active = false;
    comics->SetAllShown(false);
}

void GUIGameComics::Update()
{
    if (!active)
        return;
    const float dt = timerManager->frameTime;
    if (!fadingOut)
        comics->FadeInBackground(dt);
    if (pageIndex < comics->pages.size() && comics->StepPage(pageIndex, dt)) {
        ++pageIndex;
        if (pageIndex < comics->pages.size())
            SetShown(comics->pages[pageIndex].window, true);
        else
            fadingOut = true;
    }
    if (pageIndex < comics->pages.size() && controls->IsKeyPressed("MOUSE1"))
        comics->SkipPage(pageIndex);
    comics->QueueTexts(*fontManager);
    if (fadingOut && !finished && comics->StepFadeOut(dt))
        finished = true;
}

} // namespace Petalwork
