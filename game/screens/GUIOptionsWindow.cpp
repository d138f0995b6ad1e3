#include "game/screens/GUIOptionsWindow.h"

#include "engine/core/Config.h"
#include "engine/core/StringUtils.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/SoundPlayer.h"

#include <cstdlib>

namespace Petalwork {

using VantoranEngine::GUIButton;

namespace {
constexpr const char* relaxModeName = "g_relax_mode";
constexpr const char* highQualityName = "g_high_quality";
constexpr int32_t standardMode = 0; // the only entry of the list: 800 x 600
constexpr int32_t standardDepth = 32;

bool IsSet(const std::string& text)
{
    return std::atoi(text.c_str()) != 0;
}
} // namespace

GUIOptionsWindow::GUIOptionsWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent,
                                   GameFramework::SoundPlayer* soundPlayer, GameFramework::ProfileManagerBase* profiles)
    : GUIOptionsWindowBase(engine, soundPlayer, profiles),
      GUIMenuWindow(engine, data, parent, FrameType::Large)
{
    soundSlider = CreateSlider({215.0f, 276.0f});
    musicSlider = CreateSlider({215.0f, 232.0f});
    fullscreenBox = CreateCheckBox({43.0f, 141.0f});
    relaxBox = CreateCheckBox({43.0f, 184.0f});
    doneButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    defaultsButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    cancelButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    LayOutThreeButtons(doneButton, defaultsButton, cancelButton, 3.0f, 42.0f);
    volumes.emplace(soundPlayer, soundSlider, musicSlider);
    BuildVideoModeList();
}

GUIOptionsWindow::~GUIOptionsWindow()
{
    for (GUIButton* button : {doneButton, defaultsButton, cancelButton}) {
        gui->buttons.Remove(button);
        delete button;
    }
    for (VantoranEngine::GUICheckBox* box : {fullscreenBox, relaxBox}) {
        gui->checkBoxes.Remove(box);
        delete box;
    }
    for (VantoranEngine::GUISlider* slider : {soundSlider, musicSlider}) {
        gui->sliders.Remove(slider);
        delete slider;
    }
}

void GUIOptionsWindow::Show()
{
    GUIOptionsWindowBase::Show();
    GUIMenuWindow::Show(true);
    volumes->Set(savedSoundVolume, savedMusicVolume);
    fullscreenBox->checked = fullscreenChoice;
    relaxBox->checked = IsSet(config->GetValueText(relaxModeName));
}

void GUIOptionsWindow::Hide()
{
    GUIOptionsWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUIOptionsWindow::Update()
{
    GUIOptionsWindowBase::Update();
    GUIMenuWindow::Update();
    volumes->Update(AcceptsInput());
    if (!IsFrameVisible())
        return;

    if (AcceptsInput()) {
        if (doneButton->clicked) {
            selectedMode = standardMode;
            fullscreenChoice = fullscreenBox->checked;
            config->SetValueText(relaxModeName, VantoranEngine::BoolToString(relaxBox->checked));
            config->SetValueText(highQualityName, "1");
            colourDepth = standardDepth;
            Apply();
            result = resultClose;
        }
        if (defaultsButton->clicked) {
            SetDefaults();
            volumes->Set(soundPlayer->GetSoundVolume(), soundPlayer->GetMusicVolume());
            fullscreenBox->checked = fullscreenChoice;
            relaxBox->checked = IsSet(config->GetDefaultText(relaxModeName));
        }
        if (cancelButton->clicked) {
            Revert();
            // The sliders go back with the volumes, so nothing pushes the cancelled values again.
            volumes->Set(savedSoundVolume, savedMusicVolume);
            result = resultClose;
        }
    }

    AddTitle("OPTIONS_TITLE", 318.0f);
    const std::pair<const char*, VantoranEngine::Vector2> labels[] = {{"OPTIONS_SOUND_VOLUME", {44.0f, 281.0f}},
                                                                      {"OPTIONS_MUSIC_VOLUME", {44.0f, 237.0f}},
                                                                      {"OPTIONS_FULLSCREEN", {82.0f, 145.0f}},
                                                                      {"OPTIONS_HiGH_QUALITY", {82.0f, 188.0f}}};
    for (const auto& [key, position] : labels)
        frame->AddTextByKey(position, FadeColour(), 0, lineFont, key, -1, -1.0f);
    AddCaption(doneButton, "OPTIONS_DONE");
    AddCaption(defaultsButton, "OPTIONS_DEFAULTS");
    AddCaption(cancelButton, "CANCEL");
}

} // namespace Petalwork
