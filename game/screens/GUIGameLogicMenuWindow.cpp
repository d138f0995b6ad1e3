#include "game/screens/GUIGameLogicMenuWindow.h"

#include "engine/render/gui/GUIManager.h"
#include "game/board/GameData.h"

namespace Petalwork {

using VantoranEngine::GUIButton;

GUIGameLogicMenuWindow::GUIGameLogicMenuWindow(VantoranEngine::Engine* engine, GameData& data,
                                               GameFramework::SoundPlayer* soundPlayer,
                                               GameFramework::ProfileManagerBase* profiles)
    : GUIGameLogicMenuWindowBase(engine, soundPlayer, profiles),
      GUIMenuWindow(engine, data, data.panelLayerWindow, FrameType::Large)
{
    frame->position.y = frameY;
    soundSlider = CreateSlider({215.0f, 276.0f});
    musicSlider = CreateSlider({215.0f, 232.0f});
    fullscreenBox = CreateCheckBox({43.0f, 184.0f});
    leaveButton = CreateButton({0.0f, 90.0f}, ButtonType::Long);
    returnButton = CreateButton({0.0f, 42.0f}, ButtonType::Long);
    for (GUIButton* button : {leaveButton, returnButton})
        button->position.x = (frame->size.x - button->size.x) / 2.0f;
    volumes.emplace(soundPlayer, soundSlider, musicSlider);
}

GUIGameLogicMenuWindow::~GUIGameLogicMenuWindow()
{
    for (GUIButton* button : {leaveButton, returnButton}) {
        gui->buttons.Remove(button);
        delete button;
    }
    gui->checkBoxes.Remove(fullscreenBox);
    delete fullscreenBox;
    for (VantoranEngine::GUISlider* slider : {soundSlider, musicSlider}) {
        gui->sliders.Remove(slider);
        delete slider;
    }
}

void GUIGameLogicMenuWindow::Show()
{
    GUIGameLogicMenuWindowBase::Show();
    GUIMenuWindow::Show(true);
    volumes->Set(savedSoundVolume, savedMusicVolume);
    fullscreenBox->checked = fullscreenChoice;
}

void GUIGameLogicMenuWindow::Hide()
{
    GUIGameLogicMenuWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUIGameLogicMenuWindow::Update()
{
    GUIGameLogicMenuWindowBase::Update();
    GUIMenuWindow::Update();
    volumes->Update(AcceptsInput());
    if (!IsFrameVisible())
        return;

    if (AcceptsInput()) {
        if (fullscreenBox->clicked) {
            fullscreenChoice = fullscreenBox->checked;
            ApplyFullscreen(); // the display changes in the next tick, the menu stays open
        }
        if (leaveButton->clicked)
            result = resultLeave;
        if (returnButton->clicked)
            result = resultReturn;
    }

    AddTitle("GAME_LOGIC_MENU_TITLE", 318.0f);
    const std::pair<const char*, VantoranEngine::Vector2> labels[] = {{"OPTIONS_SOUND_VOLUME", {44.0f, 281.0f}},
                                                                      {"OPTIONS_MUSIC_VOLUME", {44.0f, 237.0f}},
                                                                      {"OPTIONS_FULLSCREEN", {82.0f, 188.0f}}};
    for (const auto& [key, position] : labels)
        frame->AddTextByKey(position, FadeColour(), 0, lineFont, key, -1, -1.0f);
    AddCaption(leaveButton, "GAME_LOGIC_MENU_EXIT");
    AddCaption(returnButton, "GAME_LOGIC_MENU_RETURN");
}

} // namespace Petalwork
