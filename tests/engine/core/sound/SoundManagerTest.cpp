#include "SoundFixtures.h"
#include "SoundWorld.h"

#include "engine/core/sound/Sound.h"
#include "engine/core/sound/SoundBuffer_DS7.h"
#include "platform/sound/DirectSound.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;
using namespace SoundFixtures;
using Platform::SoundTest::Operation;

namespace {

// A static stereo sound whose left samples count 1, 2, 3, ...; right samples are their negatives.
std::vector<int16_t> Counting(int frames)
{
    std::vector<int16_t> v;
    for (int i = 1; i <= frames; ++i) {
        v.push_back(int16_t(i));
        v.push_back(int16_t(-i));
    }
    return v;
}

std::vector<int16_t> Left(const std::vector<int16_t>& mixed)
{
    std::vector<int16_t> left;
    for (size_t i = 0; i < mixed.size(); i += 2)
        left.push_back(mixed[i]);
    return left;
}

std::vector<int16_t> Range(int from, int to)
{
    std::vector<int16_t> v;
    for (int i = from; i <= to; ++i)
        v.push_back(int16_t(i));
    return v;
}

struct StaticWorld : SoundWorld {
    StaticWorld()
    {
        Put("c.wav", Wav16(2, 22050, Counting(100)));
        sound = manager->CreateSound("c.wav");
    }
    Sound* sound;
};

} // namespace

TEST(Sound, StaticSoundPlaysOnceRewindsAndReadsStoppedAfterTheNextUpdate)
{
    StaticWorld w;
    EXPECT_EQ(w.sound->GetState(), Sound::Stopped);
    EXPECT_TRUE(w.sound->Play());
    EXPECT_EQ(Left(w.Frame(60)), Range(1, 60));
    EXPECT_EQ(w.sound->GetState(), Sound::Playing);
    std::vector<int16_t> rest = Left(Platform::SoundTest::AdvanceFrames(50));
    EXPECT_EQ(std::vector<int16_t>(rest.begin(), rest.begin() + 40), Range(61, 100));
    EXPECT_EQ(std::vector<int16_t>(rest.begin() + 40, rest.end()), std::vector<int16_t>(10, 0));
    EXPECT_EQ(w.sound->GetState(), Sound::Playing); // until the update sees it
    w.manager->Update(true);
    EXPECT_EQ(w.sound->GetState(), Sound::Stopped);
    w.sound->Play(); // from the start again
    EXPECT_EQ(Left(w.Frame(3)), Range(1, 3));
}

TEST(Sound, LoopsPausesResumesAndRestarts)
{
    StaticWorld w;
    w.sound->SetLooped(true);
    w.sound->Play();
    std::vector<int16_t> heard = Left(w.Frame(250));
    for (size_t i = 0; i < heard.size(); ++i)
        ASSERT_EQ(heard[i], int16_t(i % 100 + 1));
    w.sound->Pause();
    EXPECT_EQ(w.sound->GetState(), Sound::Paused);
    EXPECT_EQ(Left(w.Frame(5)), std::vector<int16_t>(5, 0));
    EXPECT_EQ(w.sound->GetState(), Sound::Paused);
    w.sound->Play(); // resumes
    EXPECT_EQ(Left(w.Frame(3)), Range(51, 53));
    w.sound->Play(); // restarts a playing sound
    EXPECT_EQ(Left(w.Frame(2)), Range(1, 2));
    w.sound->Stop();
    EXPECT_EQ(w.sound->GetState(), Sound::Stopped);
    w.sound->Play();
    EXPECT_EQ(Left(w.Frame(1)), Range(1, 1));
}

TEST(Sound, SetLoopedOnAPlayingStaticSoundKeepsItsPosition)
{
    StaticWorld w;
    w.sound->Play();
    EXPECT_EQ(Left(w.Frame(70)), Range(1, 70));
    w.sound->SetLooped(true);
    std::vector<int16_t> heard = Left(w.Frame(40));
    EXPECT_EQ(std::vector<int16_t>(heard.begin(), heard.begin() + 30), Range(71, 100));
    EXPECT_EQ(std::vector<int16_t>(heard.begin() + 30, heard.end()), Range(1, 10));
}

TEST(SoundManager, QueuedCommandsRunOnceAtTheNextFullUpdate)
{
    StaticWorld w;
    w.manager->PlaySound(w.sound, false);
    w.manager->Update(false); // the loading screen's update leaves the queue alone
    EXPECT_EQ(w.sound->GetState(), Sound::Stopped);
    EXPECT_EQ(w.manager->GetQueue().size(), 1u);
    w.manager->PlaySound(w.sound, false);
    w.manager->Update(true);
    EXPECT_TRUE(w.manager->GetQueue().empty());
    EXPECT_EQ(w.sound->GetState(), Sound::Playing);
    EXPECT_EQ(Left(w.Frame(4)), Range(1, 4)); // played twice: the second restarted it

    w.manager->QueueCommand(SoundCommand::Pause, w.sound);
    w.manager->Update(true);
    EXPECT_EQ(w.sound->GetState(), Sound::Paused);
    w.manager->QueueCommand(SoundCommand::Stop, w.sound);
    w.manager->Update(true);
    EXPECT_EQ(w.sound->GetState(), Sound::Stopped);
    w.manager->Update(true); // the queue ran once
    EXPECT_EQ(w.sound->GetState(), Sound::Stopped);
}

TEST(SoundManager, SlotsAreReusedMostRecentlyFreedFirstAndVisibleReadOnly)
{
    SoundWorld w;
    std::vector<Sound*> sounds;
    for (int i = 0; i < 5; ++i)
        sounds.push_back(w.manager->CreateSound(""));
    EXPECT_EQ(w.manager->GetSlotCount(), 5u);
    w.manager->DestroySound(nullptr);
    w.manager->DestroySound(sounds[2]);
    w.manager->DestroySound(sounds[4]);
    EXPECT_EQ(w.manager->GetSlotCount(), 5u);
    Sound* a = w.manager->CreateSound("");
    Sound* b = w.manager->CreateSound("");
    Sound* c = w.manager->CreateSound("");
    const HandleTable<Sound>& table = w.manager->GetSounds();
    EXPECT_EQ(table.SlotOf(a), 4);
    EXPECT_EQ(table.SlotOf(b), 2);
    EXPECT_EQ(table.SlotOf(c), 5);
    EXPECT_EQ(w.manager->GetSlotCount(), 6u);
    std::vector<Sound*> order;
    for (Sound* s : table)
        order.push_back(s);
    EXPECT_EQ(order, (std::vector<Sound*>{sounds[0], sounds[1], sounds[3], a, b, c}));
}

TEST(SoundManager, LostBuffersAreRestored)
{
    StaticWorld w;
    w.Put("m.ogg", Ogg(2, 22050, Tone(220000, 2, 22050)));
    Sound* music = w.manager->CreateSound("m.ogg");
    Sound* paused = w.manager->CreateSound("m.ogg");
    w.sound->SetLooped(true);
    w.sound->Play();
    music->Play();
    paused->Play();
    paused->Pause();
    w.Frame(30000);

    Platform::SoundTest::LoseBuffers();
    Platform::SoundTest::FailNext(Operation::Restore, Platform::DSERR_BUFFERLOST, 3); // one per sound, once
    w.manager->Update(true);
    EXPECT_EQ(Platform::SoundTest::RestoreCount(), 0);
    w.manager->Update(true);
    EXPECT_EQ(Platform::SoundTest::RestoreCount(), 3);
    EXPECT_EQ(w.sound->GetState(), Sound::Stopped); // static: reloaded, stopped by the loss
    EXPECT_EQ(music->GetState(), Sound::Playing);    // stream: restarted in its state
    EXPECT_EQ(paused->GetState(), Sound::Paused);
    EXPECT_EQ(static_cast<SoundBuffer_DS7*>(music->buffer)->bytesPlayed, 0u);
    music->Stop();
    w.sound->SetLooped(false);
    w.sound->Play();
    EXPECT_EQ(Left(w.Frame(3)), Range(1, 3)); // the data was written again
}

// A play request in the frame after a non-looping stream stopped itself starts the stream over.
TEST(SoundManager, PlayRightAfterAStreamStoppedItselfIsHonoured)
{
    SoundWorld w;
    const std::vector<uint8_t> file = Ogg(2, 22050, Tone(200000, 2, 22050));
    const std::vector<int16_t> pcm = DecodeOgg(file);
    w.Put("m.ogg", file);
    Sound* music = w.manager->CreateSound("m.ogg");
    auto* buffer = static_cast<SoundBuffer_DS7*>(music->buffer);
    music->Play();
    while (!buffer->stoppedAtEnd)
        w.Frame(1000);
    EXPECT_EQ(music->GetState(), Sound::Playing); // the sound sees the stop only at its next update
    w.manager->PlaySound(music, false);
    w.manager->Update(true); // the next frame's update
    std::vector<int16_t> heard;
    for (int i = 0; i < 20; ++i) {
        const std::vector<int16_t> mixed = w.Frame(1000);
        heard.insert(heard.end(), mixed.begin(), mixed.end());
    }
    EXPECT_EQ(music->GetState(), Sound::Playing);
    EXPECT_EQ(heard, std::vector<int16_t>(pcm.begin(), pcm.begin() + long(heard.size())));
}

TEST(SoundManager, DestroyingASoundDropsItsQueuedCommands)
{
    StaticWorld w;
    Sound* other = w.manager->CreateSound("c.wav");
    w.manager->PlaySound(w.sound, false);
    w.manager->PlaySound(other, false);
    w.manager->QueueCommand(SoundCommand::Stop, w.sound);
    w.manager->DestroySound(w.sound);
    ASSERT_EQ(w.manager->GetQueue().size(), 1u);
    EXPECT_EQ(w.manager->GetQueue()[0]->sound, other);
    w.manager->Update(true);
    EXPECT_EQ(other->GetState(), Sound::Playing);
}

TEST(SoundManager, DuplicateOfALoopingStreamLoops)
{
    SoundWorld w;
    w.Put("m.ogg", Ogg(2, 22050, Tone(200000, 2, 22050)));
    Sound* music = w.manager->CreateSound("m.ogg");
    music->SetLooped(true);
    Sound* copy = w.system->DuplicateSound(music);
    EXPECT_NE(copy->buffer, music->buffer); // a stream of its own
    EXPECT_TRUE(copy->looped);
    EXPECT_TRUE(copy->buffer->streamLooped);
    delete copy;
}
