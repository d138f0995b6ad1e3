// The rules' popups through the level's score popups: bonus texts by key with their points a line above
// or below, groups and combo captions passed on.

#include "game/board/ScoreManager.h"
#include "game/board/ScorePopupGroups.h"

#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace Petalwork;

TEST(ScorePopupGroupsTest, BonusTextsTakeTheirPointsALineAboveOrBelowAndGroupsPassOn)
{
    TempFolder folder;
    VantoranEngine::MessageManager log{"", "", "popup-groups-test", false, false};
    VantoranEngine::MemoryManager memory{&log};
    VantoranEngine::FileManager files{&log, &memory, folder.Path(), ""};
    VantoranEngine::GUITextManager texts{&log, &memory, &files};
    texts.AddText("FLOWER_COMBO_BONUS", u"Flower combo");
    ScoreManager popups{texts, PopupSettings{}};
    ScorePopupGroups groups{popups, texts, 12.0f};

    groups.ShowBonus({100.0f, 200.0f}, "FLOWER_COMBO_BONUS", 750, true);
    groups.ShowBonus({300.0f, 400.0f}, "FLOWER_COMBO_BONUS", 5, false);
    ASSERT_EQ(popups.floatingTexts.size(), 4u);
    EXPECT_EQ(popups.floatingTexts[0].text, u"Flower combo");
    EXPECT_EQ(popups.floatingTexts[1].text, u"+750");
    EXPECT_FLOAT_EQ(popups.floatingTexts[1].position.y, 212.0f);
    EXPECT_FLOAT_EQ(popups.floatingTexts[1].position.x, 100.0f);
    EXPECT_EQ(popups.floatingTexts[3].text, u"+5");
    EXPECT_FLOAT_EQ(popups.floatingTexts[3].position.y, 388.0f);

    ChipLogic chip;
    chip.points = 10;
    groups.BeginGroup();
    groups.AddChip(chip);
    groups.EndGroup();
    groups.FinalizeGroups();
    ASSERT_EQ(popups.groups.size(), 1u);
    EXPECT_TRUE(popups.groups[0]->active);
    groups.ShowCombo(3);
    EXPECT_EQ(popups.comboCaptions.size(), 1u);
}
