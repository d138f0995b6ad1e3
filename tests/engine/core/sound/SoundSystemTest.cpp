#include "SoundWorld.h"

#include "engine/core/Error.h"
#include "platform/sound/DirectSound.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;
using namespace Platform;
using Op = SoundTest::Operation;

namespace {

const std::vector<std::string> kStartUp = {
    "M:\nInitialization of DirectSound Subsystem:", "M:...Creating a device...", "M:...Set cooperative level...",
    "M:...Create primary buffer...", "M:...Set primary buffer format...", "M:"};

} // namespace

TEST(SoundSystem, StartUpAndTearDownLogTheirStepsInOrder)
{
    SoundWorld world(false);
    auto* system = new SoundSystem_DS7(world.log.get(), world.memory.get(), world.files.get(), nullptr, nullptr,
                                       false);
    EXPECT_EQ(LogLines(*world.log), kStartUp);
    EXPECT_EQ(SoundTest::CreatedBufferFlags(), std::vector<uint32_t>{0x81});
    EXPECT_EQ(SoundTest::MixRate(), 22050u);
    EXPECT_EQ(SoundTest::MixChannels(), 2u);
    EXPECT_EQ(system->listener, nullptr);
    EXPECT_FALSE(VectorsDiffer(system->listenerPosition, {0, 0, 0}));
    EXPECT_FALSE(VectorsDiffer(system->listenerFront, {0, 0, -1}));
    EXPECT_FALSE(VectorsDiffer(system->listenerTop, {0, 1, 0}));
    system->SetListenerPosition({1, 2, 3}); // stored only
    EXPECT_FALSE(VectorsDiffer(system->listenerPosition, {1, 2, 3}));

    world.log->ClearEntries();
    delete system;
    EXPECT_EQ(LogLines(*world.log),
              (std::vector<std::string>{"M:DirectSound system destroying:", "M:...Releasing primary buffer...",
                                        "M:...Releasing device..."}));
}

TEST(SoundSystem, EachStartUpFailureLogsReleasesWhatItGotAndThrowsError)
{
    struct Case {
        Op operation;
        std::vector<std::string> tail; // after the start-up lines up to the failing step
        size_t steps;
    };
    const Case cases[] = {
        {Op::CreateDevice, {"E:Failed to create a device", "M:DirectSound system destroying:"}, 2},
        {Op::CooperativeLevel,
         {"E:Failed to set cooperative level", "M:DirectSound system destroying:", "M:...Releasing device..."},
         3},
        {Op::CreateBuffer,
         {"E:Failed to create primary buffer", "M:DirectSound system destroying:", "M:...Releasing device..."},
         4},
        {Op::SetFormat,
         {"E:Failed to set primary buffer format", "M:DirectSound system destroying:",
          "M:...Releasing primary buffer...", "M:...Releasing device..."},
         5},
    };
    for (const Case& c : cases) {
        SoundWorld world(false);
        SoundTest::FailNext(c.operation, DSERR_GENERIC);
        try {
            SoundSystem_DS7 system(world.log.get(), world.memory.get(), world.files.get(), nullptr, nullptr, false);
            ADD_FAILURE() << "no Error";
        } catch (const FatalError&) {
            ADD_FAILURE() << "FatalError";
        } catch (const Error& error) {
            EXPECT_EQ(error.message, "");
        }
        std::vector<std::string> expected(kStartUp.begin(), kStartUp.begin() + long(c.steps));
        expected.insert(expected.end(), c.tail.begin(), c.tail.end());
        EXPECT_EQ(LogLines(*world.log), expected);
    }
}

TEST(SoundSystem, ThreeDimensionalListenerIsOptional)
{
    {
        SoundWorld world(false);
        SoundSystem_DS7 system(world.log.get(), world.memory.get(), world.files.get(), nullptr, nullptr, true);
        EXPECT_EQ(SoundTest::CreatedBufferFlags(), std::vector<uint32_t>{0x91});
        ASSERT_NE(system.listener, nullptr);
        EXPECT_TRUE(system.sound3D);
        system.SetListenerPosition({4, 5, 6});
        system.Refresh(); // commits the deferred values
        float committed[9];
        system.listener->GetCommitted(committed);
        EXPECT_EQ(std::vector<float>(committed, committed + 6), (std::vector<float>{4, 5, 6, 0, 0, -1}));
        world.log->ClearEntries();
    }
    SoundWorld world(false);
    SoundTest::FailNext(Op::QueryInterface, DSERR_NOINTERFACE);
    SoundSystem_DS7 system(world.log.get(), world.memory.get(), world.files.get(), nullptr, nullptr, true);
    EXPECT_EQ(system.listener, nullptr);
    EXPECT_FALSE(system.sound3D);
    std::vector<std::string> expected(kStartUp.begin(), kStartUp.end() - 1);
    expected.push_back("M:...Get the 3D listener from the primary buffer...");
    expected.push_back("E:Failed to get the 3D listener from the primary buffer");
    expected.push_back("M:");
    EXPECT_EQ(LogLines(*world.log), expected);
}

TEST(SoundSystem, ReportErrorTexts)
{
    SoundWorld world;
    world.log->ClearEntries();
    world.system->ReportError("L", DS_OK);
    EXPECT_TRUE(world.log->GetEntries().empty());
    world.system->ReportError("SoundBuffer_DS7::SetVolume", DSERR_INVALIDPARAM);
    world.system->ReportError("L", static_cast<int32_t>(0x88780096u));
    world.system->ReportError("L", static_cast<int32_t>(0x80001234u));
    world.system->ReportError("L", 1); // success codes other than 0 are reported too
    EXPECT_EQ(LogLines(*world.log),
              (std::vector<std::string>{
                  "E:DirectSound Subsystem (SoundBuffer_DS7::SetVolume): An invalid parameter was passed to the "
                  "returning function.",
                  "E:DirectSound Subsystem (L): The buffer memory has been lost and must be restored.",
                  "E:DirectSound Subsystem (L): Unknown error (Code: -2147478988)",
                  "E:DirectSound Subsystem (L): Unknown error (Code: 1)"}));
}

TEST(SoundSystem, RefreshRestoresOnlyAnExactlyLostPrimary)
{
    SoundWorld world;
    SoundTest::SetPrimaryStatus(DSBSTATUS_BUFFERLOST | DSBSTATUS_PLAYING);
    world.system->Refresh();
    EXPECT_EQ(SoundTest::RestoreCount(), 0);
    SoundTest::SetPrimaryStatus(DSBSTATUS_BUFFERLOST);
    world.system->Refresh();
    EXPECT_EQ(SoundTest::RestoreCount(), 1);
    world.log->ClearEntries();
    SoundTest::FailNext(Op::GetStatus, DSERR_GENERIC);
    world.system->Refresh();
    EXPECT_EQ(LogLines(*world.log),
              std::vector<std::string>{"E:DirectSound Subsystem (SoundSystem_DS7::Refresh): An undetermined error "
                                       "occurred inside the DirectSound subsystem."});
}
