#include "game/board/ScoreManager.h"

#include "engine/core/StringUtils.h"
#include "engine/render/gui/GUITextManager.h"

#include <algorithm>

namespace Petalwork {

namespace {

bool Holds(const std::vector<const ChipLogic*>& chips, const ChipLogic* chip)
{
    return std::find(chips.begin(), chips.end(), chip) != chips.end();
}

template <typename Item>
void DropExpired(std::vector<Item>& items)
{
    std::erase_if(items, [](const Item& item) {
        return item.age > ScoreManager::maximumAge || item.alpha < 0.0f;
    });
}

void Float(std::vector<ScoreManager::Text>& items, float dt, float rise, float fade)
{
    for (auto& item : items) {
        item.age += dt;
        item.position.y += rise * dt;
        item.alpha -= fade * dt;
    }
}

} // namespace

ScoreManager::ScoreManager(const VantoranEngine::GUITextManager& texts, const PopupSettings& settings)
    : texts(texts), settings(settings)
{
}

ScoreManager::~ScoreManager() = default;

void ScoreManager::BeginGroup()
{
    openGroup = std::make_unique<Group>();
}

void ScoreManager::AddChip(const ChipLogic& chip)
{
    if (openGroup)
        openGroup->chips.push_back(&chip);
}

void ScoreManager::EndGroup()
{
    if (!openGroup)
        return;
    std::unique_ptr<Group> closed = std::move(openGroup);
    for (auto& pending : groups) {
        if (pending->active)
            continue;
        const auto common = std::find_if(closed->chips.begin(), closed->chips.end(),
                                         [&](const ChipLogic* chip) { return Holds(pending->chips, chip); });
        if (common == closed->chips.end())
            continue;
        pending->sharedChip = *common;
        for (const ChipLogic* chip : closed->chips)
            if (!Holds(pending->chips, chip))
                pending->chips.push_back(chip);
        return;
    }
    if (!closed->chips.empty())
        groups.push_back(std::move(closed));
}

void ScoreManager::FinalizeGroups()
{
    for (auto& group : groups) {
        if (group->active)
            continue;
        group->active = true;
        group->age = 0.0f;
        group->points.clear();
        group->positions.clear();
        std::vector<const ChipLogic*> seen;
        for (const ChipLogic* chip : group->chips) {
            if (Holds(seen, chip))
                continue;
            seen.push_back(chip);
            group->points.push_back(chip->points);
            group->positions.push_back(chip->position);
        }
        group->chips.clear();
    }
}

void ScoreManager::ShowText(BoardPoint position, const std::u16string& text)
{
    floatingTexts.push_back({text, position, settings.textAlpha, 0.0f});
}

void ScoreManager::ShowPowerup(BoardPoint position, PowerupKind kind)
{
    const char* key = nullptr;
    switch (kind) {
    case PowerupKind::Horn: key = "POWERUP_HORN"; break;
    case PowerupKind::Pause: key = "POWERUP_PAUSE"; break;
    case PowerupKind::Tornado: key = "POWERUP_VORTEX"; break;
    case PowerupKind::DoubleChip: key = "POWERUP_DOUBLE_CHIP"; break;
    default: break;
    }
    powerupCaptions.push_back({key ? texts.GetText(key) : std::u16string(), position, settings.textAlpha, 0.0f});
}

void ScoreManager::ShowCombo(int n)
{
    if (n < 2)
        return;
    const char* key = n == 2 ? "COMBO_X" : n == 3 ? "GOOD_COMBO_X" : n == 4 ? "EXCELLENT_COMBO_X" : "PERFECT_COMBO_X";
    comboCaptions.push_back({texts.GetText(key) + VantoranEngine::IntToWideString(n + 1), settings.comboPosition,
                             settings.comboAlpha, 0.0f});
}

void ScoreManager::Update(float dt)
{
    std::erase_if(groups, [](const std::unique_ptr<Group>& group) {
        return group->active && (group->age > maximumAge || group->alpha < 0.0f);
    });
    DropExpired(comboCaptions);
    DropExpired(floatingTexts);
    DropExpired(powerupCaptions);

    for (auto& group : groups) {
        if (!group->active)
            continue;
        group->age += dt;
        for (BoardPoint& position : group->positions)
            position.y += groupRise * dt;
        group->alpha -= groupFade * dt;
    }
    Float(comboCaptions, dt, settings.comboRise, settings.comboFade);
    Float(floatingTexts, dt, settings.textRise, settings.textFade);
    Float(powerupCaptions, dt, settings.textRise, settings.textFade);
}

} // namespace Petalwork
