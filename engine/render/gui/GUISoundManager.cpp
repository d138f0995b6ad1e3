#include "engine/render/gui/GUISoundManager.h"

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/core/sound/Sound.h"
#include "engine/core/sound/SoundManager.h"

#include <cmath>

namespace VantoranEngine {

GUISoundManager::GUISoundManager(TimerManager* timerManager, SoundManager* soundManager)
    : timerManager(timerManager), soundManager(soundManager)
{
}

GUISoundManager::~GUISoundManager()
{
    if (soundManager == nullptr)
        return;
    for (const auto& [event, entries] : events)
        for (const Entry& entry : entries)
            soundManager->DestroySound(entry.sound);
}

void GUISoundManager::AddSound(int32_t event, const std::string& name)
{
    if (soundManager == nullptr)
        return;
    std::vector<Entry>& entries = events[event];
    Sound* sound = soundManager->CreateSound(name);
    if (sound == nullptr)
        return;
    sound->SetVolume(volume);
    entries.push_back({sound, 0.0f});
}

void GUISoundManager::PlayEvent(int32_t event)
{
    if (soundManager == nullptr)
        return;
    const auto found = events.find(event);
    if (found == events.end() || found->second.empty())
        return;
    const float now = timerManager->mainTimer->GetTime();

    Entry* chosen = nullptr;
    for (Entry& entry : found->second) {
        if (std::fabs(entry.lastPlay - now) < repeatGuard)
            return;
        if (chosen == nullptr || entry.lastPlay < chosen->lastPlay)
            chosen = &entry;
    }
    soundManager->PlaySound(chosen->sound, false);
    chosen->lastPlay = now;
}

} // namespace VantoranEngine
