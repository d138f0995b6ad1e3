#include "game/board/BasketResources.h"

#include "game/board/GameData.h"

namespace Petalwork {

namespace {

constexpr size_t bodiesPerOrderSize = 3;

template <typename T, size_t N>
void CopyFront(std::array<const T*, N>& to, const std::vector<T*>& from)
{
    for (size_t i = 0; i < N && i < from.size(); ++i)
        to[i] = from[i];
}

BasketSidePrototypes Side(const BasketModels& m)
{
    BasketSidePrototypes p;
    for (size_t i = 0; i < m.baskets.size(); ++i)
        p.bodies[std::min(i / bodiesPerOrderSize, p.bodies.size() - 1)].push_back(m.baskets[i]);
    p.labels = {m.sheetSingle, m.sheetDouble, m.sheetTriple};
    CopyFront(p.icons, m.flowerSheets);
    CopyFront(p.sheets, m.numberSheets);
    p.flyAway = m.helperBasketCollect;
    p.timer = {m.progressBarLine, m.progressBar};
    return p;
}

} // namespace

BasketPrototypes MakeBasketPrototypes(const GameData& data, VantoranEngine::Camera* camera)
{
    BasketPrototypes p;
    p.left = Side(data.leftBaskets);
    p.right = Side(data.rightBaskets);
    p.sparkle = data.basketParticles;
    p.camera = camera;
    return p;
}

ConveyorPrototypes MakeConveyorPrototypes(const GameData& data)
{
    ConveyorPrototypes p;
    p.belts = {data.leftBaskets.rope, data.leftBaskets.wheels, data.rightBaskets.rope, data.rightBaskets.wheels};
    p.clock = {data.clockModel, data.clockArrowModel, data.clockShadowModel};
    return p;
}

ScissorsPrototypes MakeScissorsPrototypes(const GameData& data, VantoranEngine::Camera* camera)
{
    ScissorsPrototypes p;
    p.grey = data.scissorsGreyModels.empty() ? nullptr : data.scissorsGreyModels.front();
    CopyFront(p.glows, data.scissorsGlowModels);
    CopyFront(p.scissors, data.scissorsModels);
    CopyFront(p.lines, data.scissorsLineModels);
    CopyFront(p.appear, data.scissorsAppearParticles);
    CopyFront(p.use, data.scissorsUseParticles);
    p.camera = camera;
    return p;
}

} // namespace Petalwork
