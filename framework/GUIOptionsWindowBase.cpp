#include "framework/GUIOptionsWindowBase.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/StringUtils.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "framework/SoundPlayer.h"

#include <algorithm>

namespace GameFramework {

namespace {
constexpr const char* videoModeName = "v_mode";
constexpr const char* updateVideoModeCommand = "g_update_video_mode";
}

GUIOptionsWindowBase::GUIOptionsWindowBase(VantoranEngine::Engine* engine, SoundPlayer* soundPlayer,
                                           ProfileManagerBase* profiles)
    : engine(engine),
      config(engine->config.get()),
      settings(&engine->config->settings),
      soundPlayer(soundPlayer),
      profiles(profiles)
{
}

GUIOptionsWindowBase::~GUIOptionsWindowBase() = default;

void GUIOptionsWindowBase::Update()
{
    result = 0;
}

void GUIOptionsWindowBase::Show()
{
    shown = true;
    uint32_t width = 0, height = 0, bits = 0;
    VantoranEngine::Config::ParseVideoMode(settings->v_mode, &width, &height, &bits);
    if (!FindVideoMode(static_cast<int32_t>(width), static_cast<int32_t>(height), selectedMode))
        selectedMode = FindDefaultVideoMode();
    colourDepth = static_cast<int32_t>(bits);
    fullscreenChoice = settings->v_fullscreen;
    savedSoundVolume = soundPlayer->soundVolume;
    savedMusicVolume = soundPlayer->musicVolume;
}

void GUIOptionsWindowBase::Hide()
{
    shown = false;
}

void GUIOptionsWindowBase::Apply()
{
    bool modeChanged = false;
    if (selectedMode >= 0 && static_cast<size_t>(selectedMode) < modes.size()) {
        const std::string text = modes[selectedMode]->text + "x" + VantoranEngine::IntToString(0, colourDepth);
        if (VantoranEngine::ToLowerCopy(settings->v_mode) != text) {
            settings->v_mode = text;
            modeChanged = true;
        }
    }
    if (fullscreenChoice != settings->v_fullscreen) {
        settings->v_fullscreen = fullscreenChoice;
        config->SetCommandReady(updateVideoModeCommand, false);
    } else if (modeChanged) {
        config->SetCommandReady(updateVideoModeCommand, false);
    }
    config->Save();
    if (ProfileBase* profile = profiles->GetCurrentProfile()) {
        profile->soundVolume = soundPlayer->soundVolume;
        profile->musicVolume = soundPlayer->musicVolume;
        profile->Save();
    }
}

void GUIOptionsWindowBase::SetDefaults()
{
    selectedMode = FindDefaultVideoMode();
    uint32_t bits = 0;
    VantoranEngine::Config::ParseVideoMode(config->GetDefaultText(videoModeName), nullptr, nullptr, &bits);
    colourDepth = static_cast<int32_t>(bits);
    fullscreenChoice = true;
    soundPlayer->SetSoundVolume(soundPlayer->GetDefaultSoundVolume());
    soundPlayer->SetMusicVolume(soundPlayer->GetDefaultMusicVolume());
}

void GUIOptionsWindowBase::Revert()
{
    soundPlayer->SetSoundVolume(savedSoundVolume);
    soundPlayer->SetMusicVolume(savedMusicVolume);
}

void GUIOptionsWindowBase::BuildVideoModeList()
{
    const VideoMode standard;
    int32_t index = 0;
    if (!FindVideoMode(standard.width, standard.height, index))
        modes.push_back(std::make_unique<VideoMode>());
    std::stable_sort(modes.begin(), modes.end(), [](const auto& a, const auto& b) {
        return a->width != b->width ? a->width < b->width : a->height < b->height;
    });
}

bool GUIOptionsWindowBase::FindVideoMode(int32_t width, int32_t height, int32_t& index) const
{
    for (size_t i = 0; i < modes.size(); ++i) {
        if (modes[i]->width == width && modes[i]->height == height) {
            index = static_cast<int32_t>(i);
            return true;
        }
    }
    return false;
}

int32_t GUIOptionsWindowBase::FindDefaultVideoMode() const
{
    uint32_t width = 0, height = 0;
    VantoranEngine::Config::ParseVideoMode(config->GetDefaultText(videoModeName), &width, &height, nullptr);
    int32_t index = 0;
    FindVideoMode(static_cast<int32_t>(width), static_cast<int32_t>(height), index);
    return index;
}

} // namespace GameFramework
