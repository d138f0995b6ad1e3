#include "SoundFixtures.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/sound/Sound.h"
#include "engine/core/sound/SoundManager.h"
#include "engine/core/sound/SoundSystem.h"
#include "platform/sound/DirectSound.h"
#include "platform/sound/SoundTest.h"

#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace VantoranEngine;

namespace {

void RunFrames(Engine& engine, int frames)
{
    for (int i = 0; i < frames; ++i) {
        engine.Update();
        engine.EndFrame();
    }
}

} // namespace

TEST(EngineSound, BuildsTheSoundServicesAndLogsTheDeviceStepsInOrder)
{
    Platform::SoundTest::Reset();
    Platform::SoundTest::SetManualClock(true);
    TempFolder folder;
    SoundFixtures::WriteFile(folder / "data/beep.wav", SoundFixtures::Wav16(1, 22050, {4000, 4000, 4000, 4000}));
    {
        Engine engine(TestEngineDescriptor(folder.Path(), folder.Path()));
        ASSERT_NE(engine.soundSystem, nullptr);
        ASSERT_NE(engine.soundManager, nullptr);
        Sound* beep = engine.soundManager->CreateSound("beep.wav");
        engine.soundManager->PlaySound(beep, false);
        RunFrames(engine, 1); // the queued play runs in the frame's sound update
        EXPECT_EQ(beep->GetState(), Sound::Playing);
        EXPECT_EQ(Platform::SoundTest::AdvanceFrames(2), (std::vector<int16_t>{4000, 4000, 4000, 4000}));
        Platform::SoundTest::AdvanceFrames(10);
        RunFrames(engine, 1);
        EXPECT_EQ(beep->GetState(), Sound::Stopped);
    }
    const std::string log = TempFolder::ReadFile(folder / "Brindlemoor.html");
    const std::string startUp = "<BR>Initialization of DirectSound Subsystem:<BR>...Creating a device...<BR>"
                                "...Set cooperative level...<BR>...Create primary buffer...<BR>"
                                "...Set primary buffer format...<BR><BR>";
    const std::string tearDown =
        "DirectSound system destroying:<BR>...Releasing primary buffer...<BR>...Releasing device...<BR>";
    const size_t start = log.find(startUp);
    const size_t end = log.find(tearDown);
    EXPECT_NE(start, std::string::npos) << log;
    EXPECT_NE(end, std::string::npos) << log;
    EXPECT_LT(start, end);
    Platform::SoundTest::Reset();
}

// No sound card: the engine runs silent, with null sound services, and every frame step runs.
TEST(EngineSound, NoDeviceMeansSilenceAndARunningEngine)
{
    Platform::SoundTest::Reset();
    const char* saved = std::getenv("SDL_AUDIODRIVER");
    const std::string previous = saved ? saved : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    TempFolder folder;
    {
        Engine engine(TestEngineDescriptor(folder.Path(), folder.Path()));
        EXPECT_EQ(engine.soundSystem, nullptr);
        EXPECT_EQ(engine.soundManager, nullptr);
        RunFrames(engine, 3);
        engine.RequestExit();
        RunFrames(engine, 1);
        EXPECT_TRUE(engine.IsExitRequested());
    }
    if (saved)
        setenv("SDL_AUDIODRIVER", previous.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
    const std::string log = TempFolder::ReadFile(folder / "Brindlemoor.html");
    EXPECT_NE(log.find("Failed to create a device"), std::string::npos);
}

// The real audio thread on SDL's dummy driver.
TEST(EngineSound, RunsOnTheDummyAudioDriver)
{
    Platform::SoundTest::Reset();
    TempFolder folder;
    Engine engine(TestEngineDescriptor(folder.Path(), folder.Path()));
    ASSERT_NE(engine.soundManager, nullptr);
    RunFrames(engine, 3);
}
