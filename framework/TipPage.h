#pragma once
// TipPage: one page of a level's tip window, read with the catalogue.

#include <string>
#include <vector>

namespace VantoranEngine {
class ShaderUser;
}

namespace GameFramework {

struct TipPage {
    float pictureX = 0.0f; // centre of the picture, virtual screen units
    float pictureY = 0.0f;
    float textX = 0.0f; // anchor of the first text line
    float textY = 0.0f;
    // The picture's material, owned by the catalogue (null when the catalogue was built without a
    // material manager).
    VantoranEngine::ShaderUser* material = nullptr;
    std::u16string title;
    std::vector<std::u16string> lines;
};

} // namespace GameFramework
