#include "game/board/GameData.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroup.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUIWindow.h"
#include "framework/TextFileWords.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace Petalwork {

namespace {

// Model flags: the 3-D drawing bits a GUI prototype drops, and the GUI quads' bits it takes.
constexpr uint32_t vertexColoursFlag = 0x20;
constexpr uint32_t sceneClassFlags = 0x40 | 0x80 | 0x200;
constexpr uint32_t guiClassFlags = 0x400 | 0x800;
constexpr float depthPerLayer = 0.01f;
constexpr float levelIconHeight = 580.0f;

constexpr float mainMenuDepth = -0.000055f;
constexpr float chipDepth = -0.010055f;
constexpr float basketDepth = -0.050055f;
constexpr float basketRopeDepth = -0.010055f;
constexpr float sheetDepth = -0.060055f;
constexpr float sheetEntryDepth = -0.070055f;
constexpr float basketCollectDepth = -0.030055f;
constexpr float effectSpriteDepth = -0.002055f;

void PutInGuiClass(Model* model)
{
    model->flags = (model->flags & ~sceneClassFlags) | guiClassFlags;
}

// A value the game divides by, or whose 0 stalls a sequence: positions of data\game.ini.
constexpr int positiveGamePositions[] = {1, 2, 15, 16, 17, 18, 28, 29, 30, 31, 32, 42, 44, 45, 56, 57, 70, 77, 85};

using SettingSlot = std::variant<float*, int32_t*>;

std::vector<SettingSlot> GameSlots(GameSettings& s)
{
    return {&s.chipFallStartSpeed, &s.chipFallAcceleration, &s.unused3, &s.unused4, &s.unused5, &s.unused6,
            &s.comboCaptionRiseSpeed, &s.comboCaptionStartAlpha, &s.comboCaptionFadePerSecond,
            &s.comboCaptionGrowthRate, &s.comboCaptionPosition.x, &s.comboCaptionPosition.y, &s.waveSpread,
            &s.layerRestoreWaveSpread, &s.waveDivisor, &s.fadeDuration, &s.crossFadeHalfDuration, &s.swapSpeed,
            &s.hintSwapBackSpeed, &s.unused20, &s.hoverZoomMaximum, &s.hoverScalePerUnit, &s.hintDelay,
            &s.moveEndDelay, &s.boardCentre.x, &s.boardCentre.y, &s.lineEffectSpeed, &s.flightStartSpeed,
            &s.flightAcceleration, &s.basketAppearAnimationSpeed, &s.basketWaitAnimationSpeed,
            &s.basketEndAnimationSpeed, &s.orderCountUpTime, &s.basketLabelDelay, &s.orderEntryDelay,
            &s.floatingTextStartAlpha, &s.floatingTextRiseSpeed, &s.floatingTextFadePerSecond,
            &s.firstBasketDelay, &s.tallyInterval, &s.hornFlowerInterval, &s.basketGlideSpeed,
            &s.hiddenPanelOffset, &s.panelSlideSpeed, &s.basketFlyAwaySpeed, &s.pausePowerupDuration,
            &s.doubleChipPowerupDuration, &s.quickBasketSecondsPerFlower, &s.quickGainThreshold,
            &s.extraBasketInterval, &s.goalCompleteDelay, &s.afterBonusEndDelay, &s.afterBonusStepInterval,
            &s.unused54, &s.unused55, &s.tallyItemSpeed, &s.tallyItemAcceleration, &s.bonusCaptionRiseSpeed,
            &s.bonusCaptionTime, &s.offBoardFlightDistance.minimum, &s.offBoardFlightDistance.maximum,
            &s.offBoardFlightRise.minimum, &s.offBoardFlightRise.maximum, &s.offBoardFlightHighestY,
            &s.tallyFlightDistance.minimum, &s.tallyFlightDistance.maximum, &s.tallyFlightRise.minimum,
            &s.tallyFlightRise.maximum, &s.tallyFlightHighestY, &s.fragmentSpeed, &s.fragmentSpeedSpread,
            &s.fragmentThrow.minimum, &s.fragmentThrow.maximum, &s.fragmentLift.minimum, &s.fragmentLift.maximum,
            &s.fragmentHighestY, &s.pointsPerExtraLife, &s.plantedBlinkInterval, &s.plantedBlinkCount,
            &s.flyingSpin.minimum, &s.flyingSpin.maximum, &s.fragmentSpin.minimum, &s.fragmentSpin.maximum,
            &s.shineWaveSpread, &s.shineHalfDuration, &s.idleShineDelay, &s.menuButtonPosition.x,
            &s.menuButtonPosition.y, &s.powerupBlinkPeriod, &s.powerupBlinkPeriods};
}

std::vector<SettingSlot> ScoreSlots(GameSettings& s)
{
    return {&s.extraBasketBonus, &s.quickGainBonus, &s.unusedScore3, &s.quickBasketBonus, &s.basketEdgeBonus,
            &s.flowerComboBonus, &s.manyFlowersBonus};
}

void ReadSettingsFile(VantoranEngine::FileManager& files, const std::string& name,
                      const std::vector<SettingSlot>& slots)
{
    std::unique_ptr<VantoranEngine::FileTextual> file = files.OpenTextual(name, false);
    for (const SettingSlot& slot : slots) {
        if (float* const* value = std::get_if<float*>(&slot))
            **value = file->ReadFloat();
        else
            *std::get<int32_t*>(slot) = file->ReadInt();
    }
}

} // namespace

GameData::GameData(VantoranEngine::Engine& engine)
    : DataKeeper(engine), guiManager(engine.guiManager.get()), guiCamera(engine.guiManager->GetCamera())
{
    // GUI windows belong to the main thread: made here, before the worker loads the rest.
    panelRootWindow = guiManager->CreateUntexturedWindow(1, {0.0f, 0.0f}, {0.0f, 0.0f}, nullptr);
    panelLayerWindow = guiManager->CreateUntexturedWindow(1, {0.0f, 0.0f}, {0.0f, 0.0f}, panelRootWindow);
    panelLayerWindow->SetLayer(
        static_cast<int32_t>(std::trunc(std::fabs(panelLayerBaseDepth - panelLayerWindow->depth) / depthPerLayer)));
}

GameData::~GameData()
{
    if (panelLayerWindow)
        guiManager->DeleteWindow(panelLayerWindow);
    if (panelRootWindow)
        guiManager->DeleteWindow(panelRootWindow);
    settings.reset();
}

std::unique_ptr<GameSettings> GameData::LoadSettings(VantoranEngine::FileManager& files,
                                                    VantoranEngine::MessageManager& log)
{
    auto settings = std::make_unique<GameSettings>();
    try {
        std::vector<SettingSlot> gameSlots = GameSlots(*settings);
        ReadSettingsFile(files, gameSettingsFile, gameSlots);
        for (int position : positiveGamePositions) {
            const SettingSlot& slot = gameSlots[static_cast<size_t>(position - 1)];
            const float value = std::holds_alternative<float*>(slot) ? *std::get<float*>(slot)
                                                                      : static_cast<float>(*std::get<int32_t*>(slot));
            if (!(value > 0.0f))
                throw VantoranEngine::FileError("Value " + std::to_string(position) + " of \"" + gameSettingsFile +
                                                "\" must be above 0");
        }
        ReadSettingsFile(files, scoreSettingsFile, ScoreSlots(*settings));
    } catch (const VantoranEngine::FileError& error) {
        log.LogFatalError(error.message);
    }
    return settings;
}

Model* GameData::GetOrderModel(int32_t index)
{
    const size_t clamped = static_cast<size_t>(std::clamp<int32_t>(index, 0, static_cast<int32_t>(orderMaterials.size()) - 1));
    orderModel->SetShaderDescriptor(*orderMaterials[clamped]);
    return orderModel;
}

ShaderUser* GameData::LoadMaterial(const std::string& colour, uint32_t frames)
{
    std::string opacity = colour;
    opacity.insert(opacity.size() - std::string(".jpg").size(), "_alpha");
    VantoranEngine::ShaderDescriptor descriptor;
    VantoranEngine::BuildGUIShaderDescriptor(descriptor, colour, opacity, frames);
    materials.push_back(shaders->GetShader(descriptor));
    return materials.back();
}

ShaderUser* GameData::LoadPair(const std::string& colour, const std::string& opacity)
{
    materials.push_back(shaders->GetShader(VantoranEngine::ShaderDescriptor::InitFromTextures(colour, opacity)));
    return materials.back();
}

ShaderUser* GameData::LoadAtlas(const std::string& colour, const std::string& opacity)
{
    materials.push_back(shaders->GetShader(VantoranEngine::ShaderDescriptor::InitFromTextureAtlas(0.0f, colour, opacity)));
    return materials.back();
}

Model* GameData::LoadModel(const std::string& file, float depth)
{
    Model* model = Keep(models->LoadDetachedModel(file, vertexColoursFlag));
    model->depth = depth;
    return model;
}

Model* GameData::Keep(Model* model)
{
    modelList.emplace_back(model);
    PutInGuiClass(model);
    return model;
}

ParticleSystem* GameData::LoadParticles(const std::string& name)
{
    ParticleSystem* system = particleSystems->LoadParticleSystem("particle systems\\" + name + ".psf", guiCamera);
    particleSystemList.emplace_back(system);
    if (system->spriteGroup) {
        system->spriteGroup->sortEnabled = 1;
        if (system->spriteGroup->model)
            PutInGuiClass(system->spriteGroup->model);
    }
    return system;
}

void GameData::LoadBaskets(const std::string& side, BasketModels& b)
{
    const std::string folder = "gui\\baskets\\models\\" + side + "\\";
    for (int n = 0; n <= 8; ++n)
        b.baskets.push_back(LoadModel(folder + "basket_" + std::to_string(n) + ".mlf", basketDepth));
    b.rope = LoadModel(folder + "rope.mlf", basketRopeDepth);
    b.wheels = LoadModel(folder + "wheels.mlf", basketRopeDepth);
    b.sheetSingle = LoadModel(folder + "sheet_single.mlf", sheetDepth);
    b.sheetDouble = LoadModel(folder + "sheet_double.mlf", sheetDepth);
    b.sheetTriple = LoadModel(folder + "sheet_triple.mlf", sheetDepth);
    for (const char* sheet : {"sheet_single_flower_0", "sheet_double_flower_0", "sheet_double_flower_1",
                              "sheet_triple_flower_0", "sheet_triple_flower_1", "sheet_triple_flower_2"})
        b.flowerSheets.push_back(LoadModel(folder + sheet + ".mlf", sheetEntryDepth));
    for (const char* sheet : {"sheet_single_number_0", "sheet_double_number_0", "sheet_double_number_1",
                              "sheet_triple_number_0", "sheet_triple_number_1", "sheet_triple_number_2"})
        b.numberSheets.push_back(LoadModel(folder + sheet + ".mlf", sheetEntryDepth));
    b.helperBasketCollect = LoadModel(folder + "helper_basket_collect.mlf", basketCollectDepth);
}

void GameData::LoadResources()
{
    // Interface materials; the menu button's comes right after the game logo.
    windowMainMenuMaterial = LoadMaterial("gui\\common\\window_main_menu.jpg");
    profileWindowMaterial = LoadMaterial("gui\\main_menu\\profile_window.jpg");
    const std::string common = "gui\\common\\";
    windowSmallMaterial = LoadMaterial(common + "window_small.jpg");
    windowLargeMaterial = LoadMaterial(common + "window_large.jpg");
    windowMediumMaterial = LoadMaterial(common + "window_medium.jpg");
    buttonShortMaterial = LoadMaterial(common + "button_short.jpg", 4);
    buttonLongMaterial = LoadMaterial(common + "button_long.jpg", 3);
    buttonGlowMaterial = LoadMaterial(common + "button_glow.jpg", 3);
    checkBoxMaterial = LoadMaterial(common + "check_box.jpg", 6);
    editBoxMaterial = LoadMaterial(common + "edit_box.jpg");
    sliderMaterial = LoadMaterial(common + "slider.jpg");
    sliderThumbMaterial = LoadMaterial(common + "slider_toddler.jpg", 3);
    scrollMaterial = LoadMaterial(common + "scroll.jpg");
    scrollThumbMaterial = LoadMaterial(common + "slider_toddler.jpg", 3);
    scrollArrowTopMaterial = LoadMaterial(common + "scroll_arrow_top.jpg", 3);
    scrollArrowBottomMaterial = LoadMaterial(common + "scroll_arrow_bottom.jpg", 3);
    activeProfileFrameMaterial = LoadMaterial(common + "active_profile_frame.jpg");
    highScoresFrameMaterial = LoadMaterial(common + "high_scores_frame.jpg");

    const std::string mainMenu = "gui\\main_menu\\models\\";
    gameLogoModel = LoadModel(mainMenu + "game_logo.MLF", mainMenuDepth);
    menuButtonMaterial = LoadMaterial("gui\\game_panel\\menu_button.jpg", 3);
    helperLogoModel = LoadModel(mainMenu + "helper_logo.mlf", mainMenuDepth);
    helperMainModel = LoadModel(mainMenu + "helper_main.mlf", mainMenuDepth);
    helperProfileModel = LoadModel(mainMenu + "helper_profile.mlf", mainMenuDepth);

    cellMaterials.push_back(LoadPair("cell\\cell_single.jpg", "cell\\cell_alpha.jpg"));
    cellMaterials.push_back(LoadPair("cell\\cell_double.jpg", "cell\\cell_double_alpha.jpg"));
    cellMaterials.push_back(LoadPair("cell\\cell_triple.jpg", "cell\\cell_triple_alpha.jpg"));
    for (const char* bonus : {"bomb_volume", "bomb_horizontal", "bomb_vertical", "bomb_cross",
                              "random_chip_destruction", "bomb_star"})
        bonusChipModels.push_back(LoadModel(std::string("chips\\bonuses\\models\\") + bonus + ".mlf", chipDepth));
    for (int n = 0; n <= 3; ++n)
        iceCubeModels.push_back(LoadModel("chips\\models\\ice_cube_" + std::to_string(n) + ".mlf", mainMenuDepth));
    chipModel = LoadModel("chips\\models\\chip.mlf", chipDepth);
    chipBox = chipModel->boundingBox;

    cellShineModel = LoadModel("cell\\models\\cell.mlf", -0.000655f);
    cellShineModel->SetShaderDescriptor(*LoadMaterial("cell\\cell_shine.jpg"));
    cellModel = LoadModel("cell\\models\\cell.mlf", -0.000155f);
    cellSelectedBorderModel = Keep(models->CloneDetachedModel(cellModel));
    cellSelectedBorderModel->depth = -0.004055f;
    cellSelectedBorderModel->SetShaderDescriptor(
        *LoadPair("cell\\cell_border_selected.jpg", "cell\\cell_border_selected_alpha.jpg"));
    cellHotBorderModel = Keep(models->CloneDetachedModel(cellModel));
    cellHotBorderModel->depth = -0.003055f;
    cellHotBorderModel->SetShaderDescriptor(*LoadPair("cell\\cell_border_hot.jpg", "cell\\cell_border_hot_alpha.jpg"));

    settings = LoadSettings(*files, *log);
    chipFlowerAtlas = LoadAtlas("chips\\flowers.jpg", "chips\\flowers_alpha.jpg");
    LoadFlowerHouse();

    const std::string panel = "gui\\game_panel\\models\\";
    gamePanelModel = LoadModel(panel + "game_panel.mlf", -3.020055f);
    progressBarModel = LoadModel(panel + "progress_bar.mlf", -3.030055f);
    progressBarLineModel = LoadModel(panel + "progress_bar_line.mlf", -3.040055f);
    iconModel = LoadModel(panel + "icon.mlf", -3.040055f);
    iconFlowersModel = LoadModel(panel + "icon_flowers.mlf", -3.040055f);
    iconFlowersModel->SetShaderDescriptor(*chipFlowerAtlas);
    for (const char* icon : {"basket", "basket", "dollar", "stone", "bomb", "ice", "combo", "cell", "basket",
                             "basket", "basket"})
        goalIconMaterials.push_back(LoadMaterial(std::string("gui\\game_panel\\icon_") + icon + ".jpg"));

    for (const char* effect : {"score", "bonus", "bomb", "line_center", "line", "discard_center", "discard"})
        effectParticleSystems.push_back(LoadParticles(effect));
    for (ParticleSystem* effect : effectParticleSystems)
        if (effect->spriteGroup && effect->spriteGroup->model)
            effect->spriteGroup->model->depth = effectSpriteDepth;
    lifeGettingParticles = LoadParticles("life_getting");
    lifeLosingParticles = LoadParticles("life_losing");
    progressParticles = LoadParticles("progress");
    basketParticles = LoadParticles("basket");
    scoringSimpleParticles = LoadParticles("scoring_simple");
    scoringBombParticles = LoadParticles("scoring_bomb");
    scoringHornParticles = LoadParticles("scoring_horn");
    hornParticles = LoadParticles("horn");
    powerupParticles = LoadParticles("powerup");
    iceParticles = LoadParticles("ice");
    afterBonusParticles = LoadParticles("after_bonus");
    afterBonusFallParticles = LoadParticles("after_bonus_fall");
    powerupAppearParticles = LoadParticles("powerup_appear_particle");
    littleBasketParticles = LoadParticles("little_basket_partilce");
    stageScreenFlowerParticles = LoadParticles("stage_screen_flower_particle");
    bigBasketParticles = LoadParticles("big_basket_particle");
    for (int n = 0; n <= 2; ++n)
        scissorsAppearParticles.push_back(LoadParticles("scissors_appear_" + std::to_string(n)));
    for (int n = 0; n <= 2; ++n)
        scissorsUseParticles.push_back(LoadParticles("scissors_use_" + std::to_string(n)));

    levelIconModel = LoadModel(panel + "level_icon.mlf", -2.006999f);
    VantoranEngine::Matrix4 lift;
    VantoranEngine::MakeTranslationMatrix(lift, {0.0f, levelIconHeight, 0.0f});
    levelIconModel->MultiplyWorldMatrix(lift);
    levelIconModel->baseMatrix = levelIconModel->worldMatrix;
    for (int n = 0; n <= 1; ++n) {
        const std::string stem = "gui\\game_panel\\level_icon_" + std::to_string(n);
        levelIconMaterials.push_back(LoadPair(stem + ".jpg", stem + "_alpha.jpg"));
    }
    lifeModel = LoadModel(panel + "life.mlf", chipDepth);
    levelCompleteBasketModel = LoadModel("gui\\level_complete\\basket_0\\basket_0.mlf", -2.005999f);
    LoadBaskets("left", leftBaskets);
    LoadBaskets("right", rightBaskets);

    cellBonusModel = LoadModel("cell\\bonuses\\models\\cell_bonus.mlf", -2.004999f);
    cellBonusBorderModel = LoadModel("cell\\bonuses\\models\\cell_bonus_border.mlf", -0.000699f);
    for (const char* bonus : {"horn", "pause", "tornado", "x2"})
        cellBonusMaterials.push_back(LoadMaterial(std::string("cell\\bonuses\\cell_bonus_") + bonus + ".jpg"));
    hornAnimationModel = LoadModel("cell\\bonuses\\models\\horn_anim.mlf", -2.007999f);
    tornadoAnimationModel = LoadModel("cell\\bonuses\\models\\tornado_anim.mlf", -2.005999f);

    const std::string levelComplete = "gui\\level_complete\\";
    bonusModel = LoadModel(levelComplete + "models\\bonus.mlf", -0.080055f);
    for (const char* bonus : {"wings", "dollar", "bomb", "flowers", "baskets", "powerups"})
        bonusMaterials.push_back(LoadPair(levelComplete + "bonus_" + bonus + ".jpg", levelComplete + "bonus_alpha.jpg"));
    for (const char* order : {"copper", "silver", "gold"})
        orderMaterials.push_back(LoadPair(levelComplete + "order_" + order + ".jpg", levelComplete + "order_alpha.jpg"));
    orderModel = LoadModel(levelComplete + "models\\order.mlf", -0.080055f);
    orderParticles = LoadParticles("order_particle");

    smallFlowerAtlas = LoadAtlas("gui\\baskets\\flowers_small.jpg", "gui\\baskets\\flowers_small_alpha.jpg");
    for (BasketModels* side : {&leftBaskets, &rightBaskets})
        for (Model* sheet : side->flowerSheets)
            sheet->SetShaderDescriptor(*smallFlowerAtlas);
    for (int n = 0; n <= 20; ++n)
        levelCompleteFlowers.push_back(
            LoadModel(levelComplete + "basket_0\\flower_" + std::to_string(n) + ".mlf", sheetEntryDepth));

    clockModel = LoadModel(panel + "clock.mlf", -0.010055f);
    clockShadowModel = LoadModel(panel + "clock_shadow.mlf", -0.020055f);
    clockArrowModel = LoadModel(panel + "clock_arrow.mlf", -0.030055f);
    leftBaskets.progressBarLine = LoadModel("gui\\baskets\\models\\left\\progress_bar_line.mlf", -0.090055f);
    leftBaskets.progressBar = LoadModel("gui\\baskets\\models\\left\\progress_bar.mlf", -0.080055f);
    rightBaskets.progressBarLine = LoadModel("gui\\baskets\\models\\right\\progress_bar_line.mlf", -0.090055f);
    rightBaskets.progressBar = LoadModel("gui\\baskets\\models\\right\\progress_bar.mlf", -0.080055f);

    for (int n = 0; n <= 2; ++n)
        scissorsGlowModels.push_back(LoadModel(panel + "scissors_" + std::to_string(n) + "_glow.mlf", -0.010055f));
    scissorsGreyModels.push_back(LoadModel(panel + "scissors_0_grey.mlf", -0.020055f));
    for (int n = 0; n <= 2; ++n)
        scissorsModels.push_back(LoadModel(panel + "scissors_" + std::to_string(n) + ".mlf", -0.030055f));
    for (int n = 0; n <= 1; ++n)
        scissorsLineModels.push_back(LoadModel(panel + "scissors_" + std::to_string(n) + "_line.mlf", -0.040055f));

    const std::string stage = "gui\\stage_screen\\models\\";
    calendarModel = LoadModel(stage + "calendar.mlf", -0.010055f);
    juneModel = LoadModel(stage + "june.mlf", -0.020055f);
    crossModel = LoadModel(stage + "cross.mlf", -0.040055f);
    circleModel = LoadModel(stage + "circle.mlf", -0.050055f);
    buttonRightModel = LoadModel(stage + "button_right.mlf", -0.010055f);
    buttonLeftModel = LoadModel(stage + "button_left.mlf", -0.010055f);
    for (int n = 1; n <= 30; ++n)
        dayNumberModels.push_back(LoadModel(stage + std::to_string(n) + ".mlf", -0.030055f));
    for (int n = 0; n <= 3; ++n)
        cellDestructionModels[static_cast<size_t>(n)] =
            LoadModel("cell\\models\\cell_destruction_" + std::to_string(n) + ".mlf", mainMenuDepth);
    basketHelperModel = LoadModel(levelComplete + "models\\basket_helper.mlf", -0.050055f);
    flowerScreenModel = LoadModel(stage + "flower_screen.mlf", -0.000699f);
    for (int n = 0; n <= 3; ++n)
        butterflyModels.push_back(LoadModel("backgrounds\\plants\\models\\butterfly_" + std::to_string(n) + ".mlf", 0.0f));
    stageDialogModel = LoadModel(stage + "dialog_window.mlf", -0.010055f);
}

void GameData::LoadFlowerHouse()
{
    const std::string models = "backgrounds\\flower_house\\models\\";
    try {
        std::unique_ptr<VantoranEngine::FileTextual> file = files->OpenTextual(flowerHouseFile, false);
        std::string name;
        const int32_t sceneCount = file->ReadInt();
        // A count beyond the end of the file stops at the end: the words there read as empty or 0.
        for (int32_t i = 0; i < sceneCount && !file->endOfFile; ++i) {
            GameFramework::ReadNextWord(*file, name);
            flowerHouseSceneModels.push_back(Keep(this->models->LoadDetachedModel(models + name, vertexColoursFlag)));
        }
        const int32_t groupCount = file->ReadInt();
        for (int32_t i = 0; i < groupCount && !file->endOfFile; ++i) {
            FlowerHouseGroup group;
            const int32_t count = file->ReadInt();
            group.value = file->ReadInt();
            for (int32_t j = 0; j < count && !file->endOfFile; ++j)
                group.flowers.push_back(file->ReadInt());
            flowerHouseGroups.push_back(std::move(group));
        }
        const int32_t flowerCount = file->ReadInt();
        for (int32_t i = 0; i < flowerCount && !file->endOfFile; ++i) {
            GameFramework::ReadNextWord(*file, name);
            flowerHouseFlowerModels.push_back(Keep(this->models->LoadDetachedModel(models + name, vertexColoursFlag)));
            flowerHouseFlowerLayers.push_back(file->ReadInt());
        }
    } catch (const VantoranEngine::FileError& error) {
        log->LogFatalError(error.message);
    }
    flowerHouseStrokeMaterial = LoadMaterial("backgrounds\\flower_house\\flower_house_flowers_stroke.jpg");
}

} // namespace Petalwork
