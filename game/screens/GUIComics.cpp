#include "game/screens/GUIComics.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/core/devices/Controls.h"
#include "engine/render/gui/GUIManager.h"
#include "game/screens/GUIWindowShown.h"

namespace Petalwork {

namespace {
const VantoranEngine::Vector2 screenCentre{400.0f, 300.0f};
}

GUIComics::GUIComics(const std::string& languageCode, VantoranEngine::GUIWindow* parent,
                     VantoranEngine::Engine* engine)
    : timerManager(engine->timerManager.get()), controls(engine->controls.get()),
      fontManager(engine->guiManager->GetFontManager())
{
    int32_t layer = firstLayer;
    for (size_t n = 0; n < comicsCount; ++n) {
        comics[n] = std::make_unique<ComicsRecord>(engine, languageCode, static_cast<int32_t>(n), pageCounts[n],
                                                   parent, layer, screenCentre);
        layer += 1 + pageCounts[n];
    }
    SetShown(comics[0]->background, true);
    SetShown(comics[0]->pages[0].window, true);
}

GUIComics::~GUIComics() = default;

void GUIComics::Update()
{
    const float dt = timerManager->frameTime;
    if (!fadingOut && comicsIndex < comicsCount)
        comics[comicsIndex]->FadeInBackground(dt);

    if (comicsIndex < comicsCount && pageIndex < comics[comicsIndex]->pages.size() &&
        comics[comicsIndex]->StepPage(pageIndex, dt)) {
        ++pageIndex;
        if (pageIndex >= comics[comicsIndex]->pages.size()) {
            ++comicsIndex;
            pageIndex = 0;
            if (comicsIndex < comicsCount)
                SetShown(comics[comicsIndex]->background, true);
        }
        if (comicsIndex < comicsCount)
            SetShown(comics[comicsIndex]->pages[pageIndex].window, true);
    }

    if (comicsIndex < comicsCount && controls->IsKeyPressed("MOUSE1"))
        comics[comicsIndex]->SkipPage(pageIndex);

    for (const std::unique_ptr<ComicsRecord>& record : comics)
        if (record->background->visible)
            record->QueueTexts(*fontManager);

    if (comicsIndex >= comicsCount && !fadingOut) {
        fadingOut = true;
        for (size_t n = 0; n + 1 < comicsCount; ++n)
            comics[n]->SetAllShown(false);
    }
    if (fadingOut && !finished && comics.back()->StepFadeOut(dt))
        finished = true;
}

} // namespace Petalwork
