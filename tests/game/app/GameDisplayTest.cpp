#include "game/app/Game.h"

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/sound/Sound.h"
#include "engine/render/gui/GUISoundManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "framework/MusicTrack.h"
#include "framework/SoundEntry.h"
#include "framework/SoundPlayer.h"
#include "game/board/GameData.h"
#include "platform/os/Registry.h"
#include "platform/window/WindowTest.h"
#include "TempFolder.h"

#include "tests/game/app/GameWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>

using Petalwork::Game;

namespace {

} // namespace

TEST(Game, StartsLoadsItsBundleRunsFramesAndShutsDownCleanly)
{
    GameWorld w;
    {
        Game game("Brindlemoor", "Quorvane");
        EXPECT_EQ(game.installPath, BRINDLE_GAME_FOLDER);
        EXPECT_EQ(game.engine->GetCaption(), "Brindlemoor 1.00");
        EXPECT_EQ(game.fontCount, 16);
        EXPECT_NE(game.textManager->GetText("LOADING"), u"UNKNOWN");

        // Sounds: 14 interface sounds on 13 events, 4 tracks, 59 ids with 112 voices.
        const auto& events = game.guiSoundManager->GetEvents();
        EXPECT_EQ(events.size(), 13u);
        EXPECT_EQ(events.at(0).size(), 2u);
        ASSERT_NE(game.soundPlayer, nullptr);
        EXPECT_EQ(game.soundPlayer->tracks.size(), 4u);
        EXPECT_EQ(game.soundPlayer->voices.size(), 112u);
        std::set<int32_t> looped;
        std::map<int32_t, int> voicesPerId;
        std::map<int32_t, std::string> files;
        for (const auto& voice : game.soundPlayer->voices) {
            ++voicesPerId[voice->soundId];
            files[voice->soundId] = voice->file;
            if (voice->looped)
                looped.insert(voice->soundId);
        }
        EXPECT_EQ(voicesPerId.size(), 59u);
        EXPECT_EQ(voicesPerId[8], 4);
        EXPECT_EQ(voicesPerId[12], 2);
        EXPECT_EQ(looped, (std::set<int32_t>{0, 22, 41}));
        EXPECT_EQ(files[31], "audio\\game\\havent_time_to_collect_basket.ogg");
        EXPECT_FALSE(game.soundPlayer->FindMusicTrack(3)->stream->looped);
        EXPECT_TRUE(game.soundPlayer->FindMusicTrack(2)->stream->looped);

        // The logos come first, then the start-up loading screen loads the bundle on its worker.
        Petalwork::GameData* data = game.GetGameData();
        for (int frame = 0; frame < 3000 && data != nullptr && data->settings == nullptr; ++frame)
            game.Tick();
        ASSERT_NE(data, nullptr);
        ASSERT_NE(data->settings, nullptr);
        EXPECT_EQ(data->modelList.size(), 171u + data->flowerHouseSceneModels.size() +
                                              data->flowerHouseFlowerModels.size());
        EXPECT_EQ(data->flowerHouseGroups.size(), 9u);

        game.engine->RequestExit();
        game.Tick();
        EXPECT_TRUE(game.engine->IsExitRequested());
    }
    const std::string log = w.UserFile("Brindlemoor.html");
    EXPECT_NE(log.find("Exiting..."), std::string::npos);
    EXPECT_EQ(log.find("Error: "), std::string::npos) << log.substr(log.find("Error: "), 300);
    EXPECT_EQ(log.find("Warning: "), std::string::npos) << log.substr(log.find("Warning: "), 300);
    const std::string config = w.UserFile("Brindlemoor.ini");
    for (const char* saved : {"g_high_quality 1", "g_relax_mode 0", "d_show_statistics 0", "g_music_volume 1.000000",
                              "g_sound_volume 1.000000"})
        EXPECT_NE(config.find(saved), std::string::npos) << saved;
}
