#include "framework/GUIGameLogicMenuWindowBase.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundPlayer.h"

namespace GameFramework {

GUIGameLogicMenuWindowBase::GUIGameLogicMenuWindowBase(VantoranEngine::Engine* engine, SoundPlayer* soundPlayer,
                                                       ProfileManagerBase* profiles)
    : engine(engine),
      config(engine->config.get()),
      settings(&engine->config->settings),
      soundPlayer(soundPlayer),
      profiles(profiles)
{
}

GUIGameLogicMenuWindowBase::~GUIGameLogicMenuWindowBase() = default;

void GUIGameLogicMenuWindowBase::Update()
{
    result = 0;
}

void GUIGameLogicMenuWindowBase::Show()
{
    shown = true;
    fullscreenChoice = settings->v_fullscreen;
    savedSoundVolume = soundPlayer->soundVolume;
    savedMusicVolume = soundPlayer->musicVolume;
}

void GUIGameLogicMenuWindowBase::Hide()
{
    shown = false;
    config->Save();
    if (ProfileBase* profile = profiles->GetCurrentProfile()) {
        profile->soundVolume = soundPlayer->soundVolume;
        profile->musicVolume = soundPlayer->musicVolume;
        profile->Save();
    }
}

void GUIGameLogicMenuWindowBase::ApplyFullscreen()
{
    if (fullscreenChoice == settings->v_fullscreen)
        return;
    settings->v_fullscreen = fullscreenChoice;
    config->SetCommandReady("g_update_video_mode", false);
}

} // namespace GameFramework
