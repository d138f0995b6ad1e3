#include "SoundFixtures.h"
#include "SoundWorld.h"

#include "engine/core/sound/Sound.h"
#include "engine/core/sound/SoundBufferManager.h"
#include "engine/core/sound/SoundBuffer_DS7.h"
#include "platform/sound/DirectSound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <map>
#include <thread>

using namespace VantoranEngine;
using namespace SoundFixtures;
using Platform::SoundTest::Operation;

namespace {

constexpr uint32_t kFrameBytes = 4; // 16-bit stereo

// A streamed Ogg (22050 Hz stereo, the mix format, so the mix reproduces the samples exactly) of
// `frames` frames, and its decoded samples.
struct Music {
    std::vector<uint8_t> file;
    std::vector<int16_t> pcm;
};

const Music& MusicOf(uint32_t frames)
{
    static std::map<uint32_t, Music> cache;
    Music& m = cache[frames];
    if (m.file.empty()) {
        m.file = Ogg(2, 22050, Tone(frames, 2, 22050));
        m.pcm = DecodeOgg(m.file);
    }
    return m;
}

constexpr uint32_t kMusicFrames = 250000; // 1,000,000 bytes: 40.7 segments

// Index of the first sample where a and b differ, or -1.
long FirstDifference(const std::vector<int16_t>& a, const std::vector<int16_t>& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i)
        if (a[i] != b[i])
            return long(i);
    return a.size() == b.size() ? -1 : long(n);
}

} // namespace

TEST(SoundBuffer, VolumeFactorToHundredthsOfADecibel)
{
    const std::pair<float, int32_t> cases[] = {
        {1.0f, 0},       {0.75f, -287},   {0.5f, -693},     {0.1f, -2302},
        {0.0001f, -9210}, {0.00009f, -10000}, {0.0f, -10000}, {-1.0f, -10000},
        {2.0f, 693},     {std::numeric_limits<float>::quiet_NaN(), -10000},
        {std::numeric_limits<float>::infinity(), 10000}, {1e30f, 10000},
    };
    for (const auto& [factor, expected] : cases)
        EXPECT_EQ(SoundBuffer_DS7::VolumeToAttenuation(factor), expected) << factor;
}

TEST(SoundBuffer, VolumeScalesTheMixAndARefusedVolumeIsLogged)
{
    SoundWorld world;
    world.Put("v.wav", Wav16(2, 22050, std::vector<int16_t>(64, 10000)));
    Sound* sound = world.manager->CreateSound("v.wav");
    sound->SetLooped(true);
    // Gain 10^(mB / 2000): 0.5 gives -693, a gain of 0.45.
    for (const float factor : {1.0f, 0.5f, 0.1f, std::numeric_limits<float>::quiet_NaN()}) {
        const int32_t attenuation = SoundBuffer_DS7::VolumeToAttenuation(factor);
        const double level = attenuation <= -10000 ? 0.0 : 10000.0 * std::pow(10.0, attenuation / 2000.0);
        sound->SetVolume(factor);
        sound->Play();
        for (int16_t s : Platform::SoundTest::AdvanceFrames(8))
            EXPECT_NEAR(s, level, 2.0) << factor;
    }
    world.log->ClearEntries();
    sound->SetVolume(2.0f); // +693: refused, the previous volume stays
    EXPECT_EQ(LogLines(*world.log),
              std::vector<std::string>{"E:DirectSound Subsystem (SoundBuffer_DS7::SetVolume): An invalid parameter "
                                       "was passed to the returning function."});
    EXPECT_EQ(Platform::SoundTest::AdvanceFrames(1), (std::vector<int16_t>{0, 0}));
    EXPECT_EQ(sound->volume, 2.0f);
}

TEST(SoundBuffer, StaticUpToTheLimitStreamedBeyondAndSharing)
{
    SoundWorld world;
    // 8-bit mono: the data size in bytes is the frame count.
    const auto eightBit = [](uint32_t bytes) {
        return Wav({{"fmt ", FormatBody(1, 1, 22050, 8)}, {"data", std::vector<uint8_t>(bytes, 0x90)}});
    };
    world.Put("limit.wav", eightBit(SoundBuffer::kStaticLimit));
    world.Put("over.wav", eightBit(SoundBuffer::kStaticLimit + 1));
    SoundBufferManager& buffers = *world.manager->bufferManager;
    Platform::SoundTest::Reset();
    Platform::SoundTest::SetManualClock(true);

    SoundBuffer* a = buffers.GetBuffer("limit.wav");
    SoundBuffer* b = buffers.GetBuffer("LIMIT.WAV");
    EXPECT_FALSE(a->streamed);
    EXPECT_FALSE(b->streamed);
    EXPECT_EQ(b->name, "limit.wav");
    EXPECT_EQ(b->size, a->size);
    // One device buffer made; the second shares it.
    EXPECT_EQ(Platform::SoundTest::CreatedBufferFlags(),
              std::vector<uint32_t>{Platform::DSBCAPS_CTRLVOLUME | Platform::DSBCAPS_STATIC});

    SoundBuffer* s1 = buffers.GetBuffer("over.wav");
    SoundBuffer* s2 = buffers.GetBuffer("over.wav");
    EXPECT_TRUE(s1->streamed);
    EXPECT_TRUE(s2->streamed);
    EXPECT_NE(s1->reader, nullptr); // a stream keeps its reader
    const uint32_t streamFlags = Platform::DSBCAPS_CTRLVOLUME | Platform::DSBCAPS_CTRLPOSITIONNOTIFY |
                                 Platform::DSBCAPS_GETCURRENTPOSITION2;
    EXPECT_EQ(Platform::SoundTest::CreatedBufferFlags(),
              (std::vector<uint32_t>{Platform::DSBCAPS_CTRLVOLUME | Platform::DSBCAPS_STATIC, streamFlags,
                                     streamFlags}));
    EXPECT_EQ(Platform::SoundTest::LiveBufferCount(), 4);
    for (SoundBuffer* x : {a, b, s1, s2})
        buffers.DestroyBuffer(x);
    EXPECT_EQ(Platform::SoundTest::LiveBufferCount(), 0);
}

// A static Ogg is decoded off the main thread: whenever it is played (before the decode has begun, while
// it runs or after its samples arrived at a frame's update), and through a duplicate made before they
// arrived, the mix holds exactly the file's samples.
TEST(SoundBuffer, StaticOggDecodedInTheBackgroundPlaysItsSamples)
{
    constexpr uint32_t kFrames = 30000; // 120,000 bytes: static
    const std::vector<uint8_t> file = Ogg(2, 22050, Tone(kFrames, 2, 22050));
    const std::vector<int16_t> pcm = DecodeOgg(file);
    enum class Play { AtOnce, AfterArrival };
    struct Case {
        const char* label;
        Play when;
        bool duplicate; // play a second sound of the same file, made right after the first
    };
    const Case cases[] = {
        {"played at once", Play::AtOnce, false},
        {"played after its samples arrived", Play::AfterArrival, false},
        {"duplicate played at once", Play::AtOnce, true},
        {"duplicate played after arrival", Play::AfterArrival, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SoundWorld world;
        world.Put("s.ogg", file);
        world.log->ClearEntries();
        Sound* first = world.manager->CreateSound("s.ogg");
        Sound* second = c.duplicate ? world.manager->CreateSound("s.ogg") : nullptr;
        Sound* played = second ? second : first;
        ASSERT_FALSE(first->buffer->streamed);
        if (c.when == Play::AfterArrival) {
            // The samples reach the device at the first update after the decode ended.
            const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
            while (played->buffer->LoadPending() && std::chrono::steady_clock::now() < give_up) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                world.manager->Update(true);
            }
            ASSERT_FALSE(played->buffer->LoadPending());
        }
        world.manager->PlaySound(played, false);
        world.manager->Update(true);
        EXPECT_FALSE(played->buffer->LoadPending());
        std::vector<int16_t> heard = world.Frame(kFrames);
        EXPECT_EQ(FirstDifference(heard, pcm), -1);
        for (const std::string& line : LogLines(*world.log))
            EXPECT_FALSE(line.starts_with("E:")) << line;
    }
}

TEST(SoundBuffer, SlotReuseAndNullDestroy)
{
    SoundWorld world;
    SoundBufferManager& buffers = *world.manager->bufferManager;
    std::vector<SoundBuffer*> list;
    for (int i = 0; i < 6; ++i)
        list.push_back(buffers.GetBuffer(""));
    buffers.DestroyBuffer(nullptr);
    buffers.DestroyBuffer(list[3]);
    buffers.DestroyBuffer(list[5]);
    SoundBuffer* next = buffers.GetBuffer("");
    EXPECT_EQ(buffers.GetBuffers().SlotOf(next), 5);
    EXPECT_EQ(buffers.GetBuffers().SlotOf(buffers.GetBuffer("")), 3);
    EXPECT_EQ(buffers.GetBuffers().SlotOf(buffers.GetBuffer("")), 6);
}

TEST(SoundBuffer, FailedDeviceBufferIsSilentAndWritesSucceed)
{
    SoundWorld world;
    world.Put("a.wav", Wav16(1, 22050, {5, 6, 7, 8}));
    world.log->ClearEntries();
    Platform::SoundTest::FailNext(Operation::CreateBuffer, Platform::DSERR_OUTOFMEMORY);
    Sound* sound = world.manager->CreateSound("a.wav");
    Sound* copy = world.manager->CreateSound("a.wav"); // duplicates a buffer that has no device data
    auto* buffer = static_cast<SoundBuffer_DS7*>(sound->buffer);
    EXPECT_EQ(buffer->deviceBuffer, nullptr);
    EXPECT_EQ(static_cast<SoundBuffer_DS7*>(copy->buffer)->deviceBuffer, nullptr);
    EXPECT_EQ(LogLines(*world.log), (std::vector<std::string>{"E:Sound System: DirectSound buffers overflow",
                                                              "E:Sound System: DirectSound buffers overflow"}));
    const uint8_t data[4] = {};
    EXPECT_TRUE(buffer->WriteSegment(0, data, 4));
    EXPECT_TRUE(sound->Play());
    EXPECT_EQ(sound->GetState(), Sound::Playing);
    world.Frame(16);
    EXPECT_EQ(sound->GetState(), Sound::Stopped); // nothing plays it
}

TEST(SoundBuffer, LostNotificationsAndLockFailuresAreLogged)
{
    SoundWorld world;
    world.Put("m.ogg", MusicOf(kMusicFrames).file);
    world.Put("s.wav", Wav16(1, 22050, {1, 2}));
    world.log->ClearEntries();
    Platform::SoundTest::FailNext(Operation::QueryInterface, Platform::DSERR_NOINTERFACE);
    Sound* music = world.manager->CreateSound("m.ogg");
    EXPECT_EQ(static_cast<SoundBuffer_DS7*>(music->buffer)->notify, nullptr);
    Platform::SoundTest::FailNext(Operation::Lock, Platform::DSERR_INVALIDCALL);
    world.manager->CreateSound("s.wav");
    EXPECT_EQ(LogLines(*world.log), (std::vector<std::string>{"E:Sound System: Failed to create notification event",
                                                              "E:\"s.wav\" sound file - incorrect format"}));
}

// The mixed output of a streamed Ogg equals its decoded samples, whatever the frame sizes: a long frame
// early on must not refill a segment twice (which would skip music) nor leave one stale.
TEST(SoundStreaming, PlaysContinuouslyUnderAnyFrameSizes)
{
    const Music& music = MusicOf(kMusicFrames);
    struct Case {
        const char* label;
        std::vector<uint32_t> frames; // frame sizes in frames; the last one repeats
    };
    const Case cases[] = {
        {"steady", {735}},
        {"slow first frame", {9000, 735}},     // 36000 bytes: one and a half segments
        {"slow second frame", {735, 14000, 512}},
        {"very slow first frame", {30000, 1024}}, // five segments
        {"uneven", {100, 7000, 3, 6145, 2000, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SoundWorld world;
        world.Put("m.ogg", music.file);
        Sound* sound = world.manager->CreateSound("m.ogg");
        ASSERT_TRUE(sound->buffer->streamed);
        world.manager->PlaySound(sound, false);
        world.manager->Update(true);
        std::vector<int16_t> heard;
        size_t step = 0;
        while (heard.size() < music.pcm.size()) {
            const uint32_t frames = c.frames[std::min(step++, c.frames.size() - 1)];
            const std::vector<int16_t> mixed = world.Frame(frames);
            heard.insert(heard.end(), mixed.begin(), mixed.end());
        }
        heard.resize(music.pcm.size());
        EXPECT_EQ(FirstDifference(heard, music.pcm), -1);
    }
}

TEST(SoundStreaming, NonLoopingStreamEndsInSilenceAndStopsItself)
{
    const Music& music = MusicOf(kMusicFrames);
    SoundWorld world;
    world.Put("m.ogg", music.file);
    Sound* sound = world.manager->CreateSound("m.ogg");
    auto* buffer = static_cast<SoundBuffer_DS7*>(sound->buffer);
    sound->Play();
    std::vector<int16_t> heard;
    while (sound->GetState() == Sound::Playing && heard.size() < music.pcm.size() * 3) {
        const std::vector<int16_t> mixed = world.Frame(1000);
        heard.insert(heard.end(), mixed.begin(), mixed.end());
    }
    EXPECT_EQ(sound->GetState(), Sound::Stopped);
    ASSERT_GT(heard.size(), music.pcm.size());
    EXPECT_EQ(FirstDifference(std::vector<int16_t>(heard.begin(), heard.begin() + long(music.pcm.size())), music.pcm),
              -1);
    // Silence after the data, and more than one segment of it before the stop.
    const std::vector<int16_t> tail(heard.begin() + long(music.pcm.size()), heard.end());
    EXPECT_EQ(tail, std::vector<int16_t>(tail.size(), 0));
    EXPECT_GT(tail.size() * 2, size_t(SoundBuffer::kSegmentBytes));
    EXPECT_EQ(buffer->bytesPlayed, 0u); // cleared by the stop
}

TEST(SoundStreaming, LoopingStreamWrapsIntoItsStartAndSurvivesACounterPast32Bits)
{
    const Music& music = MusicOf(kMusicFrames);
    SoundWorld world;
    world.Put("m.ogg", music.file);
    Sound* sound = world.manager->CreateSound("m.ogg");
    auto* buffer = static_cast<SoundBuffer_DS7*>(sound->buffer);
    sound->SetLooped(true);
    sound->Play();
    std::vector<int16_t> heard;
    bool jumped = false;
    while (heard.size() < music.pcm.size() * 2 + 20000) {
        // Hours of play in one step: a whole number of device buffers, so nothing audible changes, but the
        // counter passes 2^32.
        if (!jumped && heard.size() > music.pcm.size() / 2) {
            buffer->bytesPlayed += uint64_t(5462) * SoundBuffer::kStreamBytes;
            ASSERT_GT(buffer->bytesPlayed, uint64_t(1) << 32);
            jumped = true;
        }
        const std::vector<int16_t> mixed = world.Frame(1500);
        heard.insert(heard.end(), mixed.begin(), mixed.end());
    }
    for (size_t i = 0; i < heard.size(); ++i)
        ASSERT_EQ(heard[i], music.pcm[i % music.pcm.size()]) << "sample " << i;
    EXPECT_EQ(sound->GetState(), Sound::Playing);
}

TEST(SoundStreaming, CorruptOggNeverHangs)
{
    std::vector<uint8_t> file = MusicOf(kMusicFrames).file;
    for (size_t i = file.size() / 3; i < file.size() / 3 + 4000; ++i)
        file[i] = uint8_t(i * 7);
    SoundWorld world;
    world.Put("m.ogg", file);
    Sound* sound = world.manager->CreateSound("m.ogg");
    sound->SetLooped(true);
    sound->Play();
    for (int i = 0; i < 400; ++i)
        world.Frame(2000);
    EXPECT_EQ(sound->GetState(), Sound::Playing);
}
