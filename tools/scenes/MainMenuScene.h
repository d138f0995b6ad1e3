#pragma once
// The greenhouse as the main menu's backdrop (its back wall, beds, plants, light and nine flowers) and,
// when asked, the main menu on top: the menu window with four glowing buttons, the profile plate and the
// game's logo. AddTexts writes the frame's texts (button captions, the plate's greeting and link); GUI
// texts last one frame, so it is called every frame.

namespace VantoranEngine {

class EngineScene;
class GUIButton;
class GUIWindow;

class MainMenuScene {
public:
    MainMenuScene(EngineScene& scene, bool withMenu);
    void AddTexts();

private:
    GUIWindow* window = nullptr;
    GUIButton* buttons[4] = {};
};

} // namespace VantoranEngine
