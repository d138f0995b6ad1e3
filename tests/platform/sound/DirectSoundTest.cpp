#include "platform/sound/DirectSound.h"
#include "platform/sound/SoundTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <thread>

using namespace Platform;

namespace {

WAVEFORMATEX Pcm(uint16_t channels, uint16_t bits, uint32_t rate = 22050)
{
    const uint16_t block = uint16_t(channels * bits / 8);
    return {WAVE_FORMAT_PCM, channels, rate, rate * block, block, bits, 18};
}

class ManualMixer : public ::testing::Test {
protected:
    void SetUp() override
    {
        SoundTest::Reset();
        SoundTest::SetManualClock(true);
        ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
        DSBUFFERDESC desc{36, DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME, 0, 0, nullptr, DS3DALG_DEFAULT};
        ASSERT_EQ(device->CreateSoundBuffer(&desc, &primary, nullptr), DS_OK);
        const WAVEFORMATEX mix = Pcm(2, 16);
        ASSERT_EQ(primary->SetFormat(&mix), DS_OK);
    }

    void TearDown() override
    {
        primary->Release();
        device->Release();
        SoundTest::Reset();
    }

    // A buffer holding `samples` (16-bit mono unless told otherwise).
    IDirectSoundBuffer* Make(const std::vector<int16_t>& samples, uint32_t extraFlags = 0, uint16_t channels = 1)
    {
        const WAVEFORMATEX format = Pcm(channels, 16);
        DSBUFFERDESC desc{36, DSBCAPS_CTRLVOLUME | extraFlags, uint32_t(samples.size() * 2), 0, &format, 0};
        IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(device->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
        Write(buffer, 0, samples);
        return buffer;
    }

    static void Write(IDirectSoundBuffer* buffer, uint32_t offset, const std::vector<int16_t>& samples)
    {
        void *p1, *p2;
        uint32_t n1, n2;
        ASSERT_EQ(buffer->Lock(offset, uint32_t(samples.size() * 2), &p1, &n1, &p2, &n2, 0), DS_OK);
        std::memcpy(p1, samples.data(), n1);
        if (n2)
            std::memcpy(p2, reinterpret_cast<const char*>(samples.data()) + n1, n2);
        ASSERT_EQ(buffer->Unlock(p1, n1, p2, n2), DS_OK);
    }

    // The left channel of the next `frames` mixed frames.
    static std::vector<int16_t> Left(uint32_t frames)
    {
        const std::vector<int16_t> mixed = SoundTest::AdvanceFrames(frames);
        std::vector<int16_t> left;
        for (size_t i = 0; i < mixed.size(); i += 2)
            left.push_back(mixed[i]);
        return left;
    }

    static std::vector<int16_t> Ramp(int n, int start = 1)
    {
        std::vector<int16_t> v;
        for (int i = 0; i < n; ++i)
            v.push_back(int16_t(start + i * 10));
        return v;
    }

    IDirectSound* device = nullptr;
    IDirectSoundBuffer* primary = nullptr;
};

uint32_t Status(IDirectSoundBuffer* b)
{
    uint32_t s = 0;
    EXPECT_EQ(b->GetStatus(&s), DS_OK);
    return s;
}

uint32_t Cursor(IDirectSoundBuffer* b)
{
    uint32_t play = 99;
    EXPECT_EQ(b->GetCurrentPosition(&play, nullptr), DS_OK);
    return play;
}

} // namespace

TEST_F(ManualMixer, OneShotPlaysOnceThenRewindsAndStops)
{
    const std::vector<int16_t> data = Ramp(100);
    IDirectSoundBuffer* b = Make(data, DSBCAPS_STATIC);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Status(b), DSBSTATUS_PLAYING);
    std::vector<int16_t> heard = Left(130);
    EXPECT_EQ(std::vector<int16_t>(heard.begin(), heard.begin() + 100), data);
    EXPECT_EQ(std::vector<int16_t>(heard.begin() + 100, heard.end()), std::vector<int16_t>(30, 0));
    EXPECT_EQ(Status(b), 0u);
    EXPECT_EQ(Cursor(b), 0u);
    // Played again, it starts from the beginning.
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Left(3), std::vector<int16_t>(data.begin(), data.begin() + 3));
    b->Release();
}

TEST_F(ManualMixer, LoopingWrapsAndStopKeepsThePosition)
{
    const std::vector<int16_t> data = Ramp(50);
    IDirectSoundBuffer* b = Make(data);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(Status(b), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    const std::vector<int16_t> heard = Left(120);
    for (size_t i = 0; i < heard.size(); ++i)
        ASSERT_EQ(heard[i], data[i % 50]) << i;
    ASSERT_EQ(b->Stop(), DS_OK);
    EXPECT_EQ(Cursor(b), 20u * 2);
    EXPECT_EQ(Left(5), std::vector<int16_t>(5, 0));
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK); // resumes where it stopped
    EXPECT_EQ(Left(2), (std::vector<int16_t>{data[20], data[21]}));
    // Play on a playing buffer only changes the looping.
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Cursor(b), 22u * 2);
    Left(28);
    EXPECT_EQ(Status(b), 0u);
    b->Release();
}

TEST_F(ManualMixer, VolumeInHundredthsOfADecibelScalesSamples)
{
    struct Case {
        int32_t volume;
        int32_t result;
        double gain;
    };
    // A refused value keeps the previous volume.
    const Case cases[] = {{0, DS_OK, 1.0},
                          {-600, DS_OK, 0.501187},
                          {-2000, DS_OK, 0.1},
                          {1, DSERR_INVALIDPARAM, 0.1},
                          {-10001, DSERR_INVALIDPARAM, 0.1},
                          {693, DSERR_INVALIDPARAM, 0.1},
                          {-10000, DS_OK, 0.0}};
    IDirectSoundBuffer* b = Make(std::vector<int16_t>(8, 20000));
    for (const Case& c : cases) {
        EXPECT_EQ(b->SetVolume(c.volume), c.result) << c.volume;
        ASSERT_EQ(b->SetCurrentPosition(0), DS_OK);
        ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
        const std::vector<int16_t> mixed = SoundTest::AdvanceFrames(4);
        ASSERT_EQ(b->Stop(), DS_OK);
        for (int16_t s : mixed)
            EXPECT_NEAR(s, 20000 * c.gain, 1.0) << c.volume;
    }
    b->Release();
}

TEST_F(ManualMixer, EightBitMonoPanAndClipping)
{
    const WAVEFORMATEX format = Pcm(1, 8);
    DSBUFFERDESC desc{36, DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN, 4, 0, &format, 0};
    IDirectSoundBuffer* b = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&desc, &b, nullptr), DS_OK);
    void *p1, *p2;
    uint32_t n1, n2;
    ASSERT_EQ(b->Lock(0, 4, &p1, &n1, &p2, &n2, 0), DS_OK);
    std::memset(p1, 0xC0, 4); // +64 of 128: 16384
    ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    ASSERT_EQ(b->SetPan(2000), DS_OK); // left side down 20 dB
    IDirectSoundBuffer* second = nullptr;
    ASSERT_EQ(device->DuplicateSoundBuffer(b, &second), DS_OK);
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    std::vector<int16_t> mixed = SoundTest::AdvanceFrames(1);
    EXPECT_NEAR(mixed[0], 1638, 1);
    EXPECT_EQ(mixed[1], 16384);
    // Two copies at full right: 32768 clips to 32767.
    ASSERT_EQ(second->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    mixed = SoundTest::AdvanceFrames(1);
    EXPECT_EQ(mixed[1], 32767);
    second->Release();
    b->Release();
}

TEST_F(ManualMixer, FrequencyResamplesToTheMixRate)
{
    IDirectSoundBuffer* b = Make({0, 1000, 2000, 3000}, DSBCAPS_CTRLFREQUENCY);
    ASSERT_EQ(b->SetFrequency(11025), DS_OK);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Left(9), (std::vector<int16_t>{0, 500, 1000, 1500, 2000, 2500, 3000, 3000, 0}));
    EXPECT_EQ(b->SetFrequency(50), DSERR_INVALIDPARAM);
    b->Release();
}

TEST_F(ManualMixer, LockWrapsPastTheEnd)
{
    IDirectSoundBuffer* b = Make(std::vector<int16_t>(8, 0));
    void *p1, *p2;
    uint32_t n1, n2;
    ASSERT_EQ(b->Lock(12, 8, &p1, &n1, &p2, &n2, 0), DS_OK);
    EXPECT_EQ(n1, 4u);
    EXPECT_EQ(n2, 4u);
    const int16_t tail[2] = {7, 8}, head[2] = {1, 2};
    std::memcpy(p1, tail, 4);
    std::memcpy(p2, head, 4);
    ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Left(8), (std::vector<int16_t>{1, 2, 0, 0, 0, 0, 7, 8}));
    EXPECT_EQ(b->Lock(16, 2, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(p1, nullptr);
    b->Release();
}

TEST_F(ManualMixer, NotificationsFireAsTheCursorCrossesThemAndAtTheWrap)
{
    constexpr uint32_t segment = 20; // bytes: 10 frames
    IDirectSoundBuffer* b = Make(std::vector<int16_t>(40, 1), DSBCAPS_CTRLPOSITIONNOTIFY);
    IDirectSoundNotify* notify = nullptr;
    ASSERT_EQ(b->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(&notify)), DS_OK);
    EventHandle events[4];
    DSBPOSITIONNOTIFY positions[4];
    for (uint32_t i = 0; i < 4; ++i) {
        events[i] = CreateEventA(nullptr, false, false, nullptr);
        positions[i] = {(i + 1) * segment, events[i]};
    }
    ASSERT_EQ(notify->SetNotificationPositions(4, positions), DS_OK);
    const auto signalled = [&] {
        std::vector<int> which;
        for (int i = 0; i < 4; ++i)
            if (WaitForSingleObject(events[i], 0) == WAIT_OBJECT_0)
                which.push_back(i);
        return which;
    };
    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    SoundTest::AdvanceFrames(9);
    EXPECT_EQ(signalled(), std::vector<int>{});
    SoundTest::AdvanceFrames(1);
    EXPECT_EQ(signalled(), std::vector<int>{0});
    EXPECT_EQ(signalled(), std::vector<int>{}); // auto-reset
    SoundTest::AdvanceFrames(30);               // to the wrap exactly: the last offset is the length
    EXPECT_EQ(signalled(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Cursor(b), 0u);
    SoundTest::AdvanceFrames(15);
    EXPECT_EQ(signalled(), std::vector<int>{0});
    EXPECT_EQ(notify->SetNotificationPositions(4, positions), DSERR_INVALIDCALL); // while playing
    for (EventHandle e : events)
        CloseHandle(e);
    notify->Release();
    b->Release();
}

TEST_F(ManualMixer, DuplicatesShareSampleMemoryButNotState)
{
    IDirectSoundBuffer* original = Make(Ramp(10), DSBCAPS_STATIC);
    IDirectSoundBuffer* copy = nullptr;
    ASSERT_EQ(device->DuplicateSoundBuffer(original, &copy), DS_OK);
    Write(original, 0, {555});
    ASSERT_EQ(original->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    SoundTest::AdvanceFrames(3);
    EXPECT_EQ(Status(copy), 0u);
    EXPECT_EQ(Cursor(copy), 0u);
    original->Release(); // the copy keeps the memory
    EXPECT_EQ(SoundTest::LiveBufferCount(), 1);
    ASSERT_EQ(copy->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Left(2), (std::vector<int16_t>{555, 11}));
    copy->Release();

    IDirectSoundBuffer* none = reinterpret_cast<IDirectSoundBuffer*>(0x1);
    EXPECT_EQ(device->DuplicateSoundBuffer(nullptr, &none), DSERR_INVALIDPARAM);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(device->DuplicateSoundBuffer(primary, &none), DSERR_INVALIDPARAM);
}

TEST_F(ManualMixer, CreationRefusesWhatTheDeviceCannotPlay)
{
    struct Case {
        WAVEFORMATEX format;
        uint32_t bytes;
        uint32_t flags;
        int32_t result;
    };
    const Case cases[] = {
        {Pcm(2, 16), 16, DSBCAPS_CTRLVOLUME, DS_OK},
        {Pcm(1, 16, 44100), 16, DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D, DS_OK},
        {Pcm(4, 16), 16, 0, DSERR_BADFORMAT},
        {Pcm(2, 24), 18, 0, DSERR_BADFORMAT},
        {Pcm(2, 16), 0, 0, DSERR_INVALIDPARAM},
        {Pcm(2, 16), 16, DSBCAPS_CTRL3D, DSERR_INVALIDPARAM}, // 3D needs mono
    };
    for (const Case& c : cases) {
        DSBUFFERDESC desc{36, c.flags, c.bytes, 0, &c.format, 0};
        IDirectSoundBuffer* b = nullptr;
        EXPECT_EQ(device->CreateSoundBuffer(&desc, &b, nullptr), c.result);
        EXPECT_EQ(b != nullptr, c.result == DS_OK);
        if (b)
            b->Release();
    }
    DSBUFFERDESC second{36, DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr, 0};
    IDirectSoundBuffer* b = nullptr;
    EXPECT_EQ(device->CreateSoundBuffer(&second, &b, nullptr), DSERR_ALLOCATED);
}

TEST_F(ManualMixer, InjectedFaultsAndLostBuffers)
{
    IDirectSoundBuffer* b = Make(Ramp(10));
    SoundTest::FailNext(SoundTest::Operation::Lock, DSERR_INVALIDCALL);
    void *p1, *p2;
    uint32_t n1, n2;
    EXPECT_EQ(b->Lock(0, 4, &p1, &n1, &p2, &n2, 0), DSERR_INVALIDCALL);
    EXPECT_EQ(b->Lock(0, 4, &p1, &n1, &p2, &n2, 0), DS_OK); // one call only
    EXPECT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);

    const WAVEFORMATEX format = Pcm(1, 16);
    DSBUFFERDESC desc{36, DSBCAPS_CTRLVOLUME, 8, 0, &format, 0};
    IDirectSoundBuffer* none = nullptr;
    SoundTest::FailNext(SoundTest::Operation::CreateBuffer, DSERR_OUTOFMEMORY);
    EXPECT_EQ(device->CreateSoundBuffer(&desc, &none, nullptr), DSERR_OUTOFMEMORY);
    SoundTest::FailNext(SoundTest::Operation::DuplicateBuffer, DSERR_ALLOCATED);
    EXPECT_EQ(device->DuplicateSoundBuffer(b, &none), DSERR_ALLOCATED);
    SoundTest::FailNext(SoundTest::Operation::QueryInterface, DSERR_NOINTERFACE);
    EXPECT_EQ(b->QueryInterface(IID_IDirectSound3DBuffer, reinterpret_cast<void**>(&none)), DSERR_NOINTERFACE);
    EXPECT_EQ(SoundTest::CreatedBufferFlags(),
              (std::vector<uint32_t>{DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME, DSBCAPS_CTRLVOLUME}));

    ASSERT_EQ(b->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    SoundTest::LoseBuffers();
    EXPECT_EQ(Status(b), DSBSTATUS_BUFFERLOST);
    EXPECT_EQ(b->Play(0, 0, 0), DSERR_BUFFERLOST);
    EXPECT_EQ(b->Lock(0, 4, &p1, &n1, &p2, &n2, 0), DSERR_BUFFERLOST);
    SoundTest::FailNext(SoundTest::Operation::Restore, DSERR_BUFFERLOST, 2);
    EXPECT_EQ(b->Restore(), DSERR_BUFFERLOST);
    EXPECT_EQ(b->Restore(), DSERR_BUFFERLOST);
    EXPECT_EQ(b->Restore(), DS_OK);
    EXPECT_EQ(SoundTest::RestoreCount(), 1);
    EXPECT_EQ(Status(b), 0u);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    EXPECT_EQ(Left(2), (std::vector<int16_t>{0, 0})); // the memory was lost with the buffer

    SoundTest::SetPrimaryStatus(DSBSTATUS_BUFFERLOST | DSBSTATUS_PLAYING);
    EXPECT_EQ(Status(primary), DSBSTATUS_BUFFERLOST | DSBSTATUS_PLAYING);
    EXPECT_EQ(primary->Restore(), DS_OK);
    EXPECT_EQ(Status(primary) & DSBSTATUS_BUFFERLOST, 0u);
    b->Release();
}

TEST_F(ManualMixer, ListenerValuesAreKeptAndCommitted)
{
    primary->Release();
    // The fixture's primary has no 3D control: no listener.
    device->Release();
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    DSBUFFERDESC desc{36, DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D, 0, 0, nullptr, 0};
    ASSERT_EQ(device->CreateSoundBuffer(&desc, &primary, nullptr), DS_OK);
    IDirectSound3DListener* listener = nullptr;
    ASSERT_EQ(primary->QueryInterface(IID_IDirectSound3DListener, reinterpret_cast<void**>(&listener)), DS_OK);
    listener->SetPosition(1, 2, 3, DS3D_DEFERRED);
    listener->SetOrientation(0, 0, -1, 0, 1, 0, DS3D_DEFERRED);
    float values[9];
    listener->GetCommitted(values);
    EXPECT_EQ(values[0], 0.0f);
    ASSERT_EQ(listener->CommitDeferredSettings(), DS_OK);
    listener->GetCommitted(values);
    EXPECT_EQ(std::vector<float>(values, values + 9), (std::vector<float>{1, 2, 3, 0, 0, -1, 0, 1, 0}));
    listener->Release();
}

TEST(SoundEvents, AutoAndManualReset)
{
    EventHandle automatic = CreateEventA(nullptr, false, false, nullptr);
    EventHandle manual = CreateEventA(nullptr, true, true, nullptr);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);
    SetEvent(automatic);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    std::thread signaller([automatic] { SetEvent(automatic); });
    EXPECT_EQ(WaitForSingleObject(automatic, INFINITE), WAIT_OBJECT_0);
    signaller.join();
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_TRUE(CloseHandle(automatic));
    EXPECT_TRUE(CloseHandle(manual));
    SoundTest::FailNext(SoundTest::Operation::CreateEvent, DSERR_OUTOFMEMORY);
    EXPECT_EQ(CreateEventA(nullptr, false, false, nullptr), nullptr);
    SoundTest::Reset();
}

TEST(SoundDevice, NoDeviceIsTheNoDriverFailure)
{
    SoundTest::Reset();
    IDirectSound* device = reinterpret_cast<IDirectSound*>(0x1);
    SoundTest::FailNext(SoundTest::Operation::CreateDevice, DSERR_NODRIVER);
    EXPECT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(device, nullptr);

    // An audio driver that does not exist: SDL opens nothing.
    const char* saved = std::getenv("SDL_AUDIODRIVER");
    const std::string previous = saved ? saved : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(device, nullptr);
    if (saved)
        setenv("SDL_AUDIODRIVER", previous.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
}

// The real audio thread on SDL's dummy driver: a one-shot buffer is consumed and ends by itself.
TEST(SoundDevice, AudioThreadPlaysABufferToItsEnd)
{
    SoundTest::Reset();
    IDirectSound* device = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    DSBUFFERDESC primaryDesc{36, DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr, 0};
    IDirectSoundBuffer* primary = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&primaryDesc, &primary, nullptr), DS_OK);
    const WAVEFORMATEX mix = Pcm(1, 16, 44100); // reopens the output in the new format
    ASSERT_EQ(primary->SetFormat(&mix), DS_OK);
    EXPECT_EQ(SoundTest::MixRate(), 44100u);
    EXPECT_EQ(SoundTest::MixChannels(), 1u);
    const WAVEFORMATEX format = Pcm(1, 16);
    DSBUFFERDESC desc{36, DSBCAPS_CTRLVOLUME, 2205 * 2, 0, &format, 0}; // 0.1 s
    IDirectSoundBuffer* b = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&desc, &b, nullptr), DS_OK);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    uint32_t status = DSBSTATUS_PLAYING;
    for (int i = 0; i < 1000 && (status & DSBSTATUS_PLAYING); ++i) { // waits, does not time
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(b->GetStatus(&status), DS_OK);
    }
    EXPECT_EQ(status, 0u);
    b->Release();
    primary->Release();
    device->Release();
}

// SDL's disk driver writes the real output to a file: a playing buffer is heard there.
TEST(SoundDevice, DiskDriverOutputIsNotSilent)
{
    SoundTest::Reset();
    const char* saved = std::getenv("SDL_AUDIODRIVER");
    const std::string previous = saved ? saved : "";
    const char* root = std::getenv("BRINDLE_TEST_DATA");
    const std::string file = std::string(root ? root : "/tmp") + "/disk-audio-" + std::to_string(getpid()) + ".raw";
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    IDirectSound* device = nullptr;
    ASSERT_EQ(DirectSoundCreate(nullptr, &device, nullptr), DS_OK);
    const WAVEFORMATEX format = Pcm(1, 16);
    DSBUFFERDESC desc{36, DSBCAPS_CTRLVOLUME, 2205 * 2, 0, &format, 0};
    IDirectSoundBuffer* b = nullptr;
    ASSERT_EQ(device->CreateSoundBuffer(&desc, &b, nullptr), DS_OK);
    void *p1, *p2;
    uint32_t n1, n2;
    ASSERT_EQ(b->Lock(0, 2205 * 2, &p1, &n1, &p2, &n2, 0), DS_OK);
    std::vector<int16_t> loud(2205, 12000);
    std::memcpy(p1, loud.data(), n1);
    ASSERT_EQ(b->Unlock(p1, n1, p2, n2), DS_OK);
    ASSERT_EQ(b->Play(0, 0, 0), DS_OK);
    uint32_t status = DSBSTATUS_PLAYING;
    for (int i = 0; i < 1000 && (status & DSBSTATUS_PLAYING); ++i) { // waits, does not time
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(b->GetStatus(&status), DS_OK);
    }
    b->Release();
    device->Release();
    if (saved)
        setenv("SDL_AUDIODRIVER", previous.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");

    std::ifstream in(file, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(file);
    EXPECT_GT(bytes.size(), 0u);
    EXPECT_TRUE(std::any_of(bytes.begin(), bytes.end(), [](char c) { return c != 0; }));
}
