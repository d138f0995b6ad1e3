#include "engine/render/gui/GUISoundManager.h"

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/core/sound/Sound.h"
#include "engine/core/sound/SoundManager.h"
#include "engine/core/sound/SoundSystem_DS7.h"
#include "platform/sound/SoundTest.h"

#include "GuiTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace VantoranEngine;

namespace {

// The sound files are missing, so every sound is a silent placeholder: what matters is which sound
// each event queues.
class GUISoundManagerTest : public GuiServices {
protected:
    GUISoundManagerTest()
    {
        Platform::SoundTest::Reset();
        Platform::SoundTest::SetManualClock(true);
        system = std::make_unique<SoundSystem_DS7>(&log, &memory, &files, nullptr, nullptr, false);
        sounds = std::make_unique<SoundManager>(&memory, &files, &log, system.get());
        timers.mainTimer->SetPaused(true);
    }
    ~GUISoundManagerTest() override
    {
        guiSounds.reset();
        sounds.reset();
        system.reset();
        Platform::SoundTest::Reset();
    }

    void At(float seconds) { timers.mainTimer->SetTime(seconds), timers.mainTimer->SetPaused(true); }
    // The sounds queued since the last call, by their names.
    std::vector<std::string> Queued()
    {
        std::vector<std::string> names;
        for (const SoundCommand* command : sounds->GetQueue())
            names.push_back(command->sound->name);
        sounds->Update(true);
        return names;
    }

    TimerManager timers;
    std::unique_ptr<SoundSystem_DS7> system;
    std::unique_ptr<SoundManager> sounds;
    std::unique_ptr<GUISoundManager> guiSounds;
};

TEST_F(GUISoundManagerTest, SoundsOfAnEventAlternateAndRepeatsWithin10MsAreDropped)
{
    guiSounds = std::make_unique<GUISoundManager>(&timers, sounds.get());
    guiSounds->AddSound(guiSoundButtonHover, "audio\\menu\\button_select_0.wav");
    guiSounds->AddSound(guiSoundButtonHover, "audio\\menu\\button_select_1.wav");
    guiSounds->AddSound(guiSoundButtonPress, "audio\\menu\\button_click.wav");
    EXPECT_EQ(sounds->GetSounds().Count(), 3u);

    At(1.0f);
    guiSounds->PlayEvent(guiSoundButtonHover);
    EXPECT_EQ(Queued(), std::vector<std::string>{"audio\\menu\\button_select_0.wav"});
    At(1.5f);
    guiSounds->PlayEvent(guiSoundButtonHover);
    EXPECT_EQ(Queued(), std::vector<std::string>{"audio\\menu\\button_select_1.wav"});
    At(2.0f);
    guiSounds->PlayEvent(guiSoundButtonHover);
    EXPECT_EQ(Queued(), std::vector<std::string>{"audio\\menu\\button_select_0.wav"});

    // Two presses in one frame, then one 5 ms later: one click; 10 ms after the first, another.
    guiSounds->PlayEvent(guiSoundButtonPress);
    guiSounds->PlayEvent(guiSoundButtonPress);
    At(2.005f);
    guiSounds->PlayEvent(guiSoundButtonPress);
    EXPECT_EQ(Queued(), std::vector<std::string>{"audio\\menu\\button_click.wav"});
    At(2.02f);
    guiSounds->PlayEvent(guiSoundButtonPress);
    guiSounds->PlayEvent(guiSoundEditBoxTextChanged); // no sounds
    EXPECT_EQ(Queued(), std::vector<std::string>{"audio\\menu\\button_click.wav"});

    // A clock set back still counts as close: within 10 ms either way.
    At(2.015f);
    guiSounds->PlayEvent(guiSoundButtonPress);
    EXPECT_TRUE(Queued().empty());

    guiSounds.reset();
    EXPECT_EQ(sounds->GetSounds().Count(), 0u);
}

TEST_F(GUISoundManagerTest, WithoutASoundDeviceNothingIsRegisteredOrPlayed)
{
    guiSounds = std::make_unique<GUISoundManager>(&timers, nullptr);
    guiSounds->AddSound(guiSoundButtonHover, "audio\\menu\\button_select_0.wav");
    At(1.0f);
    guiSounds->PlayEvent(guiSoundButtonHover);
    EXPECT_TRUE(guiSounds->GetEvents().empty());
    EXPECT_EQ(sounds->GetSounds().Count(), 0u);
    EXPECT_TRUE(Queued().empty());
}

} // namespace
