#include "framework/MusicTrack.h"
#include "framework/SoundEntry.h"
#include "framework/SoundPlayer.h"

#include "engine/core/Config.h"
#include "engine/core/MemoryManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/sound/Sound.h"
#include "engine/core/sound/SoundManager.h"
#include "engine/core/sound/SoundSystem_DS7.h"
#include "platform/os/Clock.h"
#include "platform/sound/SoundTest.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace VantoranEngine;
using GameFramework::MusicFadeState;
using GameFramework::MusicTrack;
using GameFramework::SoundPlayer;

namespace {

// A mono 16-bit WAV of `frames` samples of a quiet square wave.
std::string Wav(uint32_t frames)
{
    auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
    std::string samples;
    for (uint32_t i = 0; i < frames; ++i)
        samples += u16(static_cast<uint16_t>((i / 20) % 2 ? 1000 : -1000));
    return "RIFF" + u32(36 + static_cast<uint32_t>(samples.size())) + "WAVE" + "fmt " + u32(16) + u16(1) + u16(1) +
           u32(22050) + u32(44100) + u16(2) + u16(16) + "data" + u32(static_cast<uint32_t>(samples.size())) + samples;
}

// The engine's sound services over a scratch folder, the mixer on its manual clock, the main timer on a
// clock the test sets.
struct PlayerWorld {
    explicit PlayerWorld(bool withSound = true)
    {
        Platform::SoundTest::Reset();
        Platform::SoundTest::SetManualClock(true);
        Platform::UseManualClock(1'000'000'000);
        folder.WriteFile("data/a.wav", Wav(22050));
        folder.WriteFile("data/b.wav", Wav(22050));
        log = std::make_unique<MessageManager>("", "player-test", "Player test", false, false);
        memory = std::make_unique<MemoryManager>(log.get());
        files = std::make_unique<FileManager>(log.get(), memory.get(), folder.Path(), "");
        config = std::make_unique<Config>(log.get(), memory.get(), files.get(), "player-test", folder.Path(), "",
                                          false, false, false);
        timers = std::make_unique<TimerManager>();
        timers->frameTime = 0.1f;
        if (withSound) {
            system = std::make_unique<SoundSystem_DS7>(log.get(), memory.get(), files.get(), nullptr, nullptr, false);
            manager = std::make_unique<SoundManager>(memory.get(), files.get(), log.get(), system.get());
        }
        player = std::make_unique<SoundPlayer>(*config, manager.get(), *timers, 1.0f, 1.0f);
    }
    ~PlayerWorld()
    {
        player.reset();
        manager.reset();
        system.reset();
        Platform::UseRealClock();
        Platform::SoundTest::Reset();
    }

    void At(float seconds) { timers->mainTimer->SetTime(seconds); }
    // The sounds the queue plays, in order, as voice numbers of the player's list; then the queue runs.
    std::vector<int> QueuedPlays()
    {
        std::vector<int> plays;
        for (const SoundCommand* command : manager->GetQueue())
            for (size_t i = 0; i < player->voices.size(); ++i)
                if (command->kind == SoundCommand::Play && player->voices[i]->sound == command->sound)
                    plays.push_back(static_cast<int>(i));
        manager->Update(true);
        return plays;
    }
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            player->Update();
    }

    TempFolder folder;
    std::unique_ptr<MessageManager> log;
    std::unique_ptr<MemoryManager> memory;
    std::unique_ptr<FileManager> files;
    std::unique_ptr<Config> config;
    std::unique_ptr<TimerManager> timers;
    std::unique_ptr<SoundSystem_DS7> system;
    std::unique_ptr<SoundManager> manager;
    std::unique_ptr<SoundPlayer> player;
};

} // namespace

TEST(SoundPlayer, RequestsWithinTwoHundredthsOfASecondOfAStartAreDropped)
{
    struct Case {
        float secondRequest;
        std::vector<int> plays;
    };
    for (const Case& c : {Case{1.0f, {0}}, Case{1.015f, {0}}, Case{1.025f, {0, 1}}, Case{0.985f, {0}}}) {
        PlayerWorld w;
        w.player->RegisterSound(2, 8, "a.wav", false);
        w.At(1.0f);
        w.player->PlaySound(8);
        w.At(c.secondRequest);
        w.player->PlaySound(8);
        EXPECT_EQ(w.QueuedPlays(), c.plays) << "second request at " << c.secondRequest;
    }
}

TEST(SoundPlayer, AFourthRequestOnThreeVoicesRestartsTheOldest)
{
    PlayerWorld w;
    w.player->RegisterSound(3, 10, "a.wav", false);
    w.player->RegisterSound(1, 11, "b.wav", false);
    for (int i = 0; i < 4; ++i) {
        w.At(1.0f + 0.1f * static_cast<float>(i));
        w.player->PlaySound(10);
    }
    EXPECT_EQ(w.QueuedPlays(), (std::vector<int>{0, 1, 2, 0}));
    w.player->PlaySound(12); // no voices: nothing
    EXPECT_TRUE(w.manager->GetQueue().empty());
    EXPECT_EQ(w.player->GetSoundState(12), Sound::Stopped);
}

TEST(SoundPlayer, APlayingLoopedVoiceIsKeptButItsStartIsRefreshed)
{
    PlayerWorld w;
    w.player->RegisterSound(1, 22, "a.wav", true);
    EXPECT_TRUE(w.player->voices[0]->sound->looped);
    w.At(1.0f);
    w.player->PlaySound(22);
    EXPECT_EQ(w.QueuedPlays(), std::vector<int>{0});
    EXPECT_EQ(w.player->GetSoundState(22), Sound::Playing);
    w.At(2.0f);
    w.player->PlaySound(22);
    EXPECT_TRUE(w.QueuedPlays().empty());
    EXPECT_FLOAT_EQ(w.player->voices[0]->lastStart, 2.0f);
    w.player->StopSound(22);
    ASSERT_EQ(w.manager->GetQueue().size(), 1u);
    EXPECT_EQ(w.manager->GetQueue()[0]->kind, SoundCommand::Stop);
    w.manager->Update(true);
    EXPECT_EQ(w.player->GetSoundState(22), Sound::Stopped);
}

TEST(SoundPlayer, MusicFadesInOverOneOverSpeedSecondsOfFrameTime)
{
    PlayerWorld w;
    w.player->RegisterMusic(0, "a.wav", true);
    MusicTrack* track = w.player->FindMusicTrack(0);
    w.player->PlayMusic(0, 0, 0.5f);
    EXPECT_EQ(w.player->GetMusicState(0), Sound::Playing);
    EXPECT_FLOAT_EQ(track->fadeLevel, 0.0f);
    w.Ticks(19);
    EXPECT_EQ(track->fadeState, MusicFadeState::FadingIn);
    w.Ticks(1);
    EXPECT_EQ(track->fadeState, MusicFadeState::Steady);
    EXPECT_FLOAT_EQ(track->fadeLevel, 1.0f);
    EXPECT_FLOAT_EQ(track->stream->volume, 1.0f);
    // The same track again while it plays: nothing changes.
    w.player->PlayMusic(0, 0, 0.5f);
    EXPECT_FLOAT_EQ(track->fadeLevel, 1.0f);
}

TEST(SoundPlayer, AnotherTrackOnABusyChannelFadesTheOldOneOutOffTheChannel)
{
    PlayerWorld w;
    w.player->RegisterMusic(1, "a.wav", true);
    w.player->RegisterMusic(2, "b.wav", true);
    MusicTrack* first = w.player->FindMusicTrack(1);
    MusicTrack* second = w.player->FindMusicTrack(2);
    w.player->PlayMusic(1, 1, 0.5f);
    w.Ticks(20);
    w.player->PlayMusic(2, 1, 0.5f);
    EXPECT_EQ(w.player->FindMusicChannel(1), second);
    EXPECT_EQ(first->fadeState, MusicFadeState::FadingOutToStop);
    w.Ticks(9); // one second at speed 1.0
    EXPECT_EQ(first->stream->GetState(), Sound::Playing);
    w.Ticks(2);
    EXPECT_EQ(first->stream->GetState(), Sound::Stopped);
    EXPECT_EQ(second->stream->GetState(), Sound::Playing);
}

TEST(SoundPlayer, PausingAllAtOnceAlsoStopsATrackFadingOutOffItsChannel)
{
    PlayerWorld w;
    w.player->RegisterMusic(1, "a.wav", true);
    w.player->RegisterMusic(2, "b.wav", true);
    w.player->PlayMusic(1, 1, 0.5f);
    w.Ticks(20);
    w.player->PlayMusic(2, 1, 0.5f);
    w.Ticks(2);
    w.player->FadeAll(true, false, 0.5f);
    EXPECT_EQ(w.player->FindMusicTrack(1)->stream->GetState(), Sound::Stopped);
    EXPECT_EQ(w.player->GetMusicState(1), Sound::Paused);
    // Resuming with a fade brings back only the channel's track.
    w.player->FadeAll(false, true, 0.5f);
    EXPECT_EQ(w.player->GetMusicState(1), Sound::Playing);
    EXPECT_EQ(w.player->FindMusicTrack(2)->fadeState, MusicFadeState::FadingIn);
    EXPECT_EQ(w.player->FindMusicTrack(1)->stream->GetState(), Sound::Stopped);
}

TEST(SoundPlayer, PauseResumeAndStopFollowTheTrackState)
{
    PlayerWorld w;
    w.player->RegisterMusic(0, "a.wav", true);
    MusicTrack* track = w.player->FindMusicTrack(0);
    w.player->PlayMusic(0, 0, 1.0f);
    w.Ticks(10);
    w.player->FadeMusic(0, true, true, 1.0f);
    EXPECT_EQ(track->fadeState, MusicFadeState::FadingOutToPause);
    w.Ticks(11);
    EXPECT_EQ(w.player->GetMusicState(0), Sound::Paused);
    w.player->FadeMusic(0, false, false, 1.0f);
    EXPECT_EQ(w.player->GetMusicState(0), Sound::Playing);
    EXPECT_FLOAT_EQ(track->fadeLevel, 1.0f);
    w.player->FadeMusic(0, true, false, 1.0f);
    w.player->StopMusic(0, 0.1f); // a paused track stops at once, whatever the speed
    EXPECT_EQ(w.player->GetMusicState(0), Sound::Stopped);
    w.player->FadeMusic(0, false, true, 1.0f); // a stopped track is not resumed
    EXPECT_EQ(w.player->GetMusicState(0), Sound::Stopped);
    EXPECT_EQ(w.player->GetMusicState(5), Sound::Stopped); // no track on the channel
}

TEST(SoundPlayer, VolumesAreClampedStoredAndAppliedToSoundsButNotStreams)
{
    PlayerWorld w;
    w.player->RegisterSound(2, 1, "a.wav", false);
    w.player->RegisterMusic(0, "b.wav", true);
    w.player->SetSoundVolume(-0.2f);
    EXPECT_FLOAT_EQ(w.player->soundVolume, 0.0f);
    EXPECT_FLOAT_EQ(w.player->voices[1]->sound->volume, 0.0f);
    EXPECT_FLOAT_EQ(w.player->FindMusicTrack(0)->stream->volume, 1.0f);
    w.player->SetMusicVolume(1.5f);
    EXPECT_FLOAT_EQ(w.player->musicVolume, 1.0f);
    w.player->SetMusicVolume(0.25f);
    EXPECT_FLOAT_EQ(w.player->FindMusicTrack(0)->stream->volume, 0.25f);
    EXPECT_EQ(w.config->GetValueText("g_music_volume"), "0.250000");
    EXPECT_FLOAT_EQ(w.player->GetDefaultMusicVolume(), 1.0f);
}

TEST(SoundPlayer, WithoutASoundDeviceEverythingIsSilentAndNothingIsStored)
{
    PlayerWorld w(false);
    w.player->RegisterSound(3, 8, "a.wav", false);
    w.player->RegisterMusic(0, "a.wav", true);
    EXPECT_TRUE(w.player->voices.empty());
    EXPECT_TRUE(w.player->tracks.empty());
    w.player->PlaySound(8);
    w.player->PlayMusic(0, 0, 0.5f);
    w.player->FadeAll(true, false, 0.5f);
    w.player->Update();
    EXPECT_EQ(w.player->GetSoundState(8), Sound::Stopped);
    EXPECT_EQ(w.player->GetMusicState(0), Sound::Stopped);
    const float before = w.player->musicVolume;
    w.player->SetMusicVolume(0.3f);
    EXPECT_FLOAT_EQ(w.player->musicVolume, before);
}

TEST(SoundPlayer, TheVolumeVariablesAreUnregisteredWithThePlayer)
{
    PlayerWorld w;
    w.player->SetSoundVolume(0.5f);
    w.player.reset();
    EXPECT_EQ(w.config->GetValueText("g_sound_volume"), "0.500000"); // the kept text
    float storage = 0.0f;
    w.config->Register("1.000000", "g_sound_volume", ConfigType::Float, true, &storage, false);
    EXPECT_FLOAT_EQ(storage, 0.5f);
    w.config->Unregister("g_sound_volume");
}
