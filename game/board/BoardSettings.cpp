#include "game/board/BoardSettings.h"

#include "game/board/GameData.h"
#include "game/board/model/GameSettings.h"

#include "engine/render/BoundingBox.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderManager.h"

namespace Petalwork {

ChipSettings MakeChipSettings(const GameSettings& s)
{
    ChipSettings c;
    c.fallSpeed = s.chipFallStartSpeed;
    c.fallAcceleration = s.chipFallAcceleration;
    c.fade = s.fadeDuration;
    c.whirl = s.crossFadeHalfDuration;
    c.swapSpeed = s.swapSpeed;
    c.hintSwapBackSpeed = s.hintSwapBackSpeed;
    c.hoverZoomMaximum = s.hoverZoomMaximum;
    c.hoverScale = s.hoverScalePerUnit;
    c.flightSpeed = s.flightStartSpeed;
    c.flightAcceleration = s.flightAcceleration;
    return c;
}

CellTimings MakeCellTimings(const GameSettings& s)
{
    CellTimings t;
    t.fade = s.fadeDuration;
    t.crossFade = s.crossFadeHalfDuration;
    t.shine = s.shineHalfDuration;
    t.blinkPeriod = s.powerupBlinkPeriod;
    t.blinkCount = s.powerupBlinkPeriods;
    return t;
}

FragmentSettings MakeFragmentSettings(const GameSettings& s)
{
    FragmentSettings f;
    f.speed = s.fragmentSpeed;
    f.speedSpread = s.fragmentSpeedSpread;
    f.throwMinimum = s.fragmentThrow.minimum;
    f.throwMaximum = s.fragmentThrow.maximum;
    f.liftMinimum = s.fragmentLift.minimum;
    f.liftMaximum = s.fragmentLift.maximum;
    f.topLimit = s.fragmentHighestY;
    f.spinMinimum = s.fragmentSpin.minimum;
    f.spinMaximum = s.fragmentSpin.maximum;
    return f;
}

PopupSettings MakePopupSettings(const GameSettings& s)
{
    PopupSettings p;
    p.comboRise = s.comboCaptionRiseSpeed;
    p.comboAlpha = s.comboCaptionStartAlpha;
    p.comboFade = s.comboCaptionFadePerSecond;
    p.comboPosition = {s.comboCaptionPosition.x, s.comboCaptionPosition.y};
    p.textAlpha = s.floatingTextStartAlpha;
    p.textRise = s.floatingTextRiseSpeed;
    p.textFade = s.floatingTextFadePerSecond;
    return p;
}

ChipPrototypes MakeChipPrototypes(const GameData& data, VantoranEngine::Camera* camera)
{
    ChipPrototypes p;
    p.chip = data.chipModel;
    p.flowers = data.chipFlowerAtlas;
    for (size_t i = 0; i < data.bonusChipModels.size() && i + 1 < p.bonuses.size(); ++i)
        p.bonuses[i + 1] = data.bonusChipModels[i];
    for (size_t i = 0; i < data.iceCubeModels.size() && i < p.ice.size(); ++i)
        p.ice[i] = data.iceCubeModels[i];
    p.camera = camera;
    return p;
}

CellPrototypes MakeCellPrototypes(const GameData& data, VantoranEngine::Camera* camera)
{
    CellPrototypes p;
    p.tile = data.cellModel;
    p.shine = data.cellShineModel;
    for (size_t i = 0; i < data.cellMaterials.size() && i < p.materials.size(); ++i)
        p.materials[i] = data.cellMaterials[i];
    for (size_t i = 0; i < p.fragments.size(); ++i)
        p.fragments[i] = data.cellDestructionModels[i];
    p.powerup = data.cellBonusModel;
    p.powerupBorder = data.cellBonusBorderModel;
    for (size_t i = 0; i < data.cellBonusMaterials.size() && i < p.powerupMaterials.size(); ++i)
        p.powerupMaterials[i] = data.cellBonusMaterials[i];
    p.sparkle = data.powerupAppearParticles;
    p.camera = camera;
    return p;
}

void CellHitBox(const GameData& data, BoardPoint& minimum, BoardPoint& maximum)
{
    minimum = {};
    maximum = {};
    if (!data.cellModel)
        return;
    VantoranEngine::BoundingBox box;
    data.cellModel->ComputeBoundingBox(box, false);
    minimum = {box.min.x, box.min.y};
    maximum = {box.max.x, box.max.y};
}

} // namespace Petalwork
