#pragma once
// The game's global resource bundle: every prototype more than one level or screen shows (materials
// from JPEG pairs, models, particle systems), the game settings and the flower-house scene, loaded once
// behind the start-up loading screen.
//
// Rules:
// - LoadResources runs on the loading worker (see DataKeeper): it uses only the file, shader, model,
//   sprite-group and particle-system services. The two panel windows, GUI objects, are made by the
//   constructor on the main thread.
// - Model prototypes are put in the GUI draw class with the sort depth the catalogue gives; particle
//   systems draw in the GUI class through the GUI camera and sort their sprites.
// - A missing model, particle system or image is not fatal (box model, default system, texture warning).
//   A missing settings or flower-house file, or a settings value the game divides by that is not above 0,
//   is logged with "PROGRAM ABORTING: " and thrown as FatalError.
// - The handles in the fields are owned by the keeper's lists; the bundle owns the settings, the panel
//   windows and its vectors.

#include "engine/render/BoundingBox.h"
#include "framework/DataKeeper.h"
#include "game/board/model/GameSettings.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {
class Camera;
class GUIManager;
class GUIWindow;
} // namespace VantoranEngine

namespace Petalwork {

using VantoranEngine::Model;
using VantoranEngine::ParticleSystem;
using VantoranEngine::ShaderUser;

// One side's basket models (left or right conveyor).
struct BasketModels {
    std::vector<Model*> baskets;       // basket_0..8
    Model* rope = nullptr;
    Model* wheels = nullptr;
    Model* sheetSingle = nullptr;
    Model* sheetDouble = nullptr;
    Model* sheetTriple = nullptr;
    std::vector<Model*> flowerSheets;  // single_flower_0, double_flower_0..1, triple_flower_0..2
    std::vector<Model*> numberSheets;  // single_number_0, double_number_0..1, triple_number_0..2
    Model* helperBasketCollect = nullptr;
    Model* progressBarLine = nullptr;
    Model* progressBar = nullptr;
};

// One stage's flowers in the flower house: a value (the prerequisite flower index, or -1) and the
// indices into the flower models, as written.
struct FlowerHouseGroup {
    int32_t value = -1;
    std::vector<int32_t> flowers;
};

class GameData : public GameFramework::DataKeeper {
public:
    static constexpr const char* gameSettingsFile = "data\\game.ini";
    static constexpr const char* scoreSettingsFile = "data\\score.ini";
    static constexpr const char* flowerHouseFile = "data\\backgrounds\\flower_house\\flower_house.ini";
    static constexpr float panelLayerBaseDepth = -3.020055f;

    // Creates the two panel windows (main thread); loads nothing.
    explicit GameData(VantoranEngine::Engine& engine);
    ~GameData() override;

    // Reads both settings files; a file error or a zero divisor is logged as fatal and thrown.
    static std::unique_ptr<GameSettings> LoadSettings(VantoranEngine::FileManager& files,
                                                      VantoranEngine::MessageManager& log);
    // Puts the order material of `index` (0 copper, 1 silver, 2 gold; clamped) on the order model.
    Model* GetOrderModel(int32_t index);

    // Interface materials.
    ShaderUser* windowMainMenuMaterial = nullptr;
    ShaderUser* profileWindowMaterial = nullptr;
    ShaderUser* windowSmallMaterial = nullptr;
    ShaderUser* windowLargeMaterial = nullptr;
    ShaderUser* windowMediumMaterial = nullptr;
    ShaderUser* buttonShortMaterial = nullptr;    // 4 frames
    ShaderUser* buttonLongMaterial = nullptr;     // 3 frames
    ShaderUser* buttonGlowMaterial = nullptr;     // 3 frames
    ShaderUser* checkBoxMaterial = nullptr;       // 6 frames
    ShaderUser* editBoxMaterial = nullptr;
    ShaderUser* sliderMaterial = nullptr;
    ShaderUser* sliderThumbMaterial = nullptr;    // 3 frames
    ShaderUser* scrollMaterial = nullptr;
    ShaderUser* scrollThumbMaterial = nullptr;    // 3 frames, a second handle of the slider thumb
    ShaderUser* scrollArrowTopMaterial = nullptr; // 3 frames
    ShaderUser* scrollArrowBottomMaterial = nullptr;
    ShaderUser* activeProfileFrameMaterial = nullptr;
    ShaderUser* highScoresFrameMaterial = nullptr;
    ShaderUser* menuButtonMaterial = nullptr;     // 3 frames

    // Main menu.
    Model* gameLogoModel = nullptr;
    Model* helperLogoModel = nullptr;
    Model* helperMainModel = nullptr;
    Model* helperProfileModel = nullptr;

    // Board.
    std::vector<ShaderUser*> cellMaterials;       // single, double, triple
    std::vector<Model*> bonusChipModels;          // bomb_volume .. bomb_star
    std::vector<Model*> iceCubeModels;            // 0..3
    Model* chipModel = nullptr;
    VantoranEngine::BoundingBox chipBox;
    Model* cellShineModel = nullptr;
    Model* cellModel = nullptr;
    Model* cellSelectedBorderModel = nullptr;
    Model* cellHotBorderModel = nullptr;
    ShaderUser* chipFlowerAtlas = nullptr;        // 8 x 4 frames
    std::array<Model*, 4> cellDestructionModels{};

    std::unique_ptr<GameSettings> settings;

    // Flower house.
    std::vector<Model*> flowerHouseSceneModels;
    std::vector<FlowerHouseGroup> flowerHouseGroups;
    std::vector<Model*> flowerHouseFlowerModels;
    std::vector<int32_t> flowerHouseFlowerLayers;
    ShaderUser* flowerHouseStrokeMaterial = nullptr;

    // The in-level panel and its overlays hang their windows under the panel layer window.
    VantoranEngine::GUIWindow* panelRootWindow = nullptr;
    VantoranEngine::GUIWindow* panelLayerWindow = nullptr;

    // Game panel.
    Model* gamePanelModel = nullptr;
    Model* progressBarModel = nullptr;
    Model* progressBarLineModel = nullptr;
    Model* iconModel = nullptr;
    Model* iconFlowersModel = nullptr;
    std::vector<ShaderUser*> goalIconMaterials;   // 11, in goal-kind order
    Model* levelIconModel = nullptr;
    std::vector<ShaderUser*> levelIconMaterials;  // 2
    Model* lifeModel = nullptr;
    Model* clockModel = nullptr;
    Model* clockShadowModel = nullptr;
    Model* clockArrowModel = nullptr;

    // Particle systems.
    std::vector<ParticleSystem*> effectParticleSystems; // score, bonus, bomb, line_center, line, discard_center, discard
    ParticleSystem* lifeGettingParticles = nullptr;
    ParticleSystem* lifeLosingParticles = nullptr;
    ParticleSystem* progressParticles = nullptr;
    ParticleSystem* basketParticles = nullptr;
    ParticleSystem* scoringSimpleParticles = nullptr;
    ParticleSystem* scoringBombParticles = nullptr;
    ParticleSystem* scoringHornParticles = nullptr;
    ParticleSystem* hornParticles = nullptr;
    ParticleSystem* powerupParticles = nullptr;
    ParticleSystem* iceParticles = nullptr;
    ParticleSystem* afterBonusParticles = nullptr;
    ParticleSystem* afterBonusFallParticles = nullptr;
    ParticleSystem* powerupAppearParticles = nullptr;
    ParticleSystem* littleBasketParticles = nullptr;
    ParticleSystem* stageScreenFlowerParticles = nullptr;
    ParticleSystem* bigBasketParticles = nullptr;
    std::vector<ParticleSystem*> scissorsAppearParticles; // 3
    std::vector<ParticleSystem*> scissorsUseParticles;    // 3
    ParticleSystem* orderParticles = nullptr;

    // Baskets and level completion.
    Model* levelCompleteBasketModel = nullptr;
    BasketModels leftBaskets;
    BasketModels rightBaskets;
    ShaderUser* smallFlowerAtlas = nullptr; // on every flower sheet
    Model* bonusModel = nullptr;
    std::vector<ShaderUser*> bonusMaterials;  // wings, dollar, bomb, flowers, baskets, powerups
    std::vector<ShaderUser*> orderMaterials;  // copper, silver, gold
    Model* orderModel = nullptr;
    std::vector<Model*> levelCompleteFlowers; // 21
    Model* basketHelperModel = nullptr;

    // Powerups on cells.
    Model* cellBonusModel = nullptr;
    Model* cellBonusBorderModel = nullptr;
    std::vector<ShaderUser*> cellBonusMaterials; // horn, pause, tornado, x2
    Model* hornAnimationModel = nullptr;
    Model* tornadoAnimationModel = nullptr;

    // Scissors.
    std::vector<Model*> scissorsGlowModels;  // 3
    std::vector<Model*> scissorsGreyModels;  // 1
    std::vector<Model*> scissorsModels;      // 3
    std::vector<Model*> scissorsLineModels;  // 2

    // Stage screen.
    Model* calendarModel = nullptr;
    Model* juneModel = nullptr;
    Model* crossModel = nullptr;
    Model* circleModel = nullptr;
    Model* buttonRightModel = nullptr;
    Model* buttonLeftModel = nullptr;
    std::vector<Model*> dayNumberModels;     // 1..30
    Model* flowerScreenModel = nullptr;
    Model* stageDialogModel = nullptr;

    std::vector<Model*> butterflyModels;     // 0..3

protected:
    void LoadResources() override;

private:
    ShaderUser* LoadMaterial(const std::string& colour, uint32_t frames = 1);
    ShaderUser* LoadPair(const std::string& colour, const std::string& opacity);
    ShaderUser* LoadAtlas(const std::string& colour, const std::string& opacity);
    Model* LoadModel(const std::string& file, float depth);
    Model* Keep(Model* model); // listed and put in the GUI class
    ParticleSystem* LoadParticles(const std::string& name);
    void LoadBaskets(const std::string& side, BasketModels& baskets);
    void LoadFlowerHouse();

    VantoranEngine::GUIManager* guiManager;
    VantoranEngine::Camera* guiCamera;
};

} // namespace Petalwork
