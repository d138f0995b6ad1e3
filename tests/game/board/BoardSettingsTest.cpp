#include "game/board/BoardSettings.h"

#include "game/board/GameData.h"
#include "game/board/model/GameSettings.h"

#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace Petalwork;

namespace {

// Settings read from a game.ini whose value at position p is p: each board value shows its position.
std::unique_ptr<GameSettings> Numbered()
{
    TempFolder folder;
    std::string text;
    for (int p = 1; p <= GameSettings::gameValueCount; ++p)
        text += std::to_string(p) + "\r\n";
    folder.WriteFile("data/game.ini", text);
    folder.WriteFile("data/score.ini", "1 2 3 4 5 6 7");
    VantoranEngine::MessageManager log("", "board-settings-test", "Board settings test", false, false);
    VantoranEngine::MemoryManager memory(&log);
    VantoranEngine::FileManager files(&log, &memory, folder.Path(), "");
    return GameData::LoadSettings(files, log);
}

} // namespace

TEST(BoardSettingsTest, EachPartTakesTheValuesOfItsPositions)
{
    const std::unique_ptr<GameSettings> s = Numbered();
    ASSERT_NE(s, nullptr);

    const ChipSettings chip = MakeChipSettings(*s);
    const float chipValues[] = {chip.fallSpeed, chip.fallAcceleration, chip.fade,          chip.whirl,
                                chip.swapSpeed, chip.hintSwapBackSpeed, chip.hoverZoomMaximum, chip.hoverScale,
                                chip.flightSpeed, chip.flightAcceleration};
    const float chipPositions[] = {1, 2, 16, 17, 18, 19, 21, 22, 28, 29};
    for (size_t i = 0; i < std::size(chipValues); ++i)
        EXPECT_EQ(chipValues[i], chipPositions[i]) << i;

    const CellTimings cell = MakeCellTimings(*s);
    EXPECT_EQ(cell.fade, 16.0f);
    EXPECT_EQ(cell.crossFade, 17.0f);
    EXPECT_EQ(cell.shine, 85.0f);
    EXPECT_EQ(cell.blinkPeriod, 89.0f);
    EXPECT_EQ(cell.blinkCount, 90);

    const FragmentSettings f = MakeFragmentSettings(*s);
    const float fragmentValues[] = {f.speed,       f.speedSpread,  f.throwMinimum, f.throwMaximum, f.liftMinimum,
                                    f.liftMaximum, f.topLimit,     f.spinMinimum,  f.spinMaximum};
    const float fragmentPositions[] = {70, 71, 72, 73, 74, 75, 76, 82, 83};
    for (size_t i = 0; i < std::size(fragmentValues); ++i)
        EXPECT_EQ(fragmentValues[i], fragmentPositions[i]) << i;

    const PopupSettings p = MakePopupSettings(*s);
    const float popupValues[] = {p.comboRise,  p.comboAlpha, p.comboFade, p.comboPosition.x, p.comboPosition.y,
                                 p.textAlpha,  p.textRise,   p.textFade};
    const float popupPositions[] = {7, 8, 9, 11, 12, 36, 37, 38};
    for (size_t i = 0; i < std::size(popupValues); ++i)
        EXPECT_EQ(popupValues[i], popupPositions[i]) << i;
}
