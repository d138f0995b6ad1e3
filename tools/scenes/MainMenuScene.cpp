#include "tools/scenes/MainMenuScene.h"

#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUIWindow.h"
#include "tools/scenes/EngineScene.h"

#include <string>

namespace VantoranEngine {

MainMenuScene::MainMenuScene(EngineScene& scene, bool withMenu)
{
    const std::string house = "backgrounds\\flower_house\\models\\";
    float depth = -0.5f;
    for (const char* part : {"house_back", "house_beds", "house_plants", "house_light"}) {
        scene.PlaceModel(house + part + ".mlf", depth);
        depth -= 0.01f;
    }
    for (int i = 0; i < 9; ++i)
        scene.PlaceModel(house + "flower_" + std::to_string(i) + ".mlf", depth - 0.001f * i);
    if (!withMenu)
        return;
    window = scene.Picture("gui\\common\\window_main_menu.jpg", 272, 160, 256, 256);
    for (int b = 0; b < 4; ++b)
        buttons[b] = scene.gui->CreateButton({30, 170.0f - 40 * b}, {196, 32},
                                             GuiMaterial("gui\\common\\button_glow.jpg", 3), window, {0.765625f, 1});
    scene.Picture("gui\\main_menu\\profile_window.jpg", 230, 68, 340, 64, nullptr, 340.0f / 512, 1);
    scene.PlaceModel("gui\\main_menu\\models\\game_logo.mlf", -2.0f, 400, 505);
}

void MainMenuScene::AddTexts()
{
    if (!window)
        return;
    const Color white{1, 1, 1, 1};
    const char* keys[] = {"MAIN_MENU_START", "MAIN_MENU_HIGH_SCORES", "MAIN_MENU_OPTIONS", "MAIN_MENU_EXIT"};
    for (int b = 0; b < 4; ++b)
        buttons[b]->AddTextByKey({98, 8}, white, 1, 7, keys[b], -1, -1.0f);
    // The profile plate's greeting and link, at the plate's rest place below the menu.
    window->AddTextByKey({128, -67}, {1, 0.97f, 0.91f, 1}, 1, 1, "MAIN_MENU_WELCOME_BACK", -1, -1.0f);
    window->AddTextByKey({128, -90}, {0.81f, 0.91f, 0.69f, 1}, 1, 3, "MAIN_MENU_CHANGE_PROFILE", -1, -1.0f);
}

} // namespace VantoranEngine
