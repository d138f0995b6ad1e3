#include "game/screens/DialogMaterials.h"

#include "engine/render/ShaderManager.h"
#include "game/board/GameData.h"

namespace Petalwork {

GUIMenuWindow::Materials DialogMaterials(const GameData& data)
{
    GUIMenuWindow::Materials materials;
    materials.windowMainMenu = data.windowMainMenuMaterial;
    materials.windowSmall = data.windowSmallMaterial;
    materials.windowLarge = data.windowLargeMaterial;
    materials.buttonShort = data.buttonShortMaterial;
    materials.buttonLong = data.buttonLongMaterial;
    materials.buttonGlow = data.buttonGlowMaterial;
    materials.checkBox = data.checkBoxMaterial;
    materials.editBox = data.editBoxMaterial;
    materials.slider = data.sliderMaterial;
    materials.sliderThumb = data.sliderThumbMaterial;
    materials.scroll = data.scrollMaterial;
    materials.scrollThumb = data.scrollThumbMaterial;
    materials.scrollArrowTop = data.scrollArrowTopMaterial;
    materials.scrollArrowBottom = data.scrollArrowBottomMaterial;
    return materials;
}

} // namespace Petalwork
