#include "game/board/model/PowerupManager.h"

#include <gtest/gtest.h>

#include <vector>

using Petalwork::BoardSound;
using Petalwork::PowerupKind;
using Petalwork::PowerupManager;

namespace {

struct RecordingSounds : Petalwork::SoundSink {
    void PlaySound(BoardSound sound) override { played.push_back(sound); }
    std::vector<BoardSound> played;
};

} // namespace

TEST(PowerupManagerTest, ActivationSetsFlagsClocksAndSounds)
{
    struct Case {
        PowerupKind kind;
        std::vector<BoardSound> sounds;
    };
    const Case cases[] = {
        {PowerupKind::Horn, {BoardSound::HornPowerupAppear}},
        {PowerupKind::Pause, {BoardSound::PausePowerupOn}},
        {PowerupKind::Tornado, {BoardSound::TornadoPowerupOn}},
        {PowerupKind::DoubleChip, {BoardSound::DoubleChipPowerupOn}},
        {PowerupKind::None, {}},
        {static_cast<PowerupKind>(9), {}},
    };
    for (const Case& c : cases) {
        RecordingSounds sounds;
        PowerupManager powerups(sounds, 10.0f, 15.0f);
        powerups.Activate(c.kind);
        EXPECT_EQ(sounds.played, c.sounds) << static_cast<int>(c.kind);
        EXPECT_EQ(powerups.hornPending, c.kind == PowerupKind::Horn);
        EXPECT_EQ(powerups.tornadoPending, c.kind == PowerupKind::Tornado);
        EXPECT_EQ(powerups.pauseOn, c.kind == PowerupKind::Pause);
        EXPECT_FLOAT_EQ(powerups.pauseTime, c.kind == PowerupKind::Pause ? 10.0f : 0.0f);
        EXPECT_EQ(powerups.doubleChipOn, c.kind == PowerupKind::DoubleChip);
        EXPECT_EQ(powerups.doubleChipJustStarted, c.kind == PowerupKind::DoubleChip);
        EXPECT_FLOAT_EQ(powerups.doubleChipTime, c.kind == PowerupKind::DoubleChip ? 15.0f : 0.0f);
    }
}

TEST(PowerupManagerTest, DoubleChipReactivationRestartsTheClockWithOneEndSound)
{
    RecordingSounds sounds;
    PowerupManager powerups(sounds, 10.0f, 1.0f);
    powerups.Activate(PowerupKind::DoubleChip);
    for (int i = 0; i < 6; ++i)
        powerups.Update(0.1f);
    powerups.Activate(PowerupKind::DoubleChip);
    EXPECT_FLOAT_EQ(powerups.doubleChipTime, 1.0f);
    int framesOn = 0;
    for (int i = 0; i < 30; ++i) {
        powerups.Update(0.1f);
        framesOn += powerups.doubleChipOn ? 1 : 0;
    }
    EXPECT_FALSE(powerups.doubleChipOn);
    // Ten frames run the full second down, the eleventh finds the clock out.
    EXPECT_EQ(framesOn, 10);
    EXPECT_EQ(sounds.played, (std::vector<BoardSound>{BoardSound::DoubleChipPowerupOn,
                                                      BoardSound::DoubleChipPowerupOn,
                                                      BoardSound::DoubleChipPowerupOff}));
}

TEST(PowerupManagerTest, PauseOfNoDurationEndsOnTheNextUpdate)
{
    RecordingSounds sounds;
    PowerupManager powerups(sounds, 0.0f, 15.0f);
    powerups.Activate(PowerupKind::Pause);
    EXPECT_TRUE(powerups.pauseOn);
    powerups.Update(0.016f);
    EXPECT_FALSE(powerups.pauseOn);
    EXPECT_EQ(sounds.played, (std::vector<BoardSound>{BoardSound::PausePowerupOn, BoardSound::PausePowerupOff}));
}

TEST(PowerupManagerTest, ClocksStandStillWithoutUpdates)
{
    RecordingSounds sounds;
    PowerupManager powerups(sounds, 2.0f, 15.0f);
    powerups.Activate(PowerupKind::Pause);
    powerups.Update(0.5f);
    // A paused level does not update its powerups: whatever time passes, the clock stays.
    EXPECT_FLOAT_EQ(powerups.pauseTime, 1.5f);
    EXPECT_TRUE(powerups.pauseOn);
    powerups.Update(0.1f);
    EXPECT_FLOAT_EQ(powerups.pauseTime, 1.4f);
}
