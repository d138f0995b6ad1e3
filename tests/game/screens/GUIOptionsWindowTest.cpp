// The options and the in-level menu with a real sound player: the volumes following the sliders, done,
// defaults and cancel (the cancelled volumes gone for good), the slider's sample while its thumb is held,
// and the in-level menu's full-screen box and buttons.

#include "game/screens/GUIGameLogicMenuWindow.h"
#include "game/screens/GUIOptionsWindow.h"

#include "DialogFixture.h"
#include "engine/core/Config.h"
#include "engine/core/StringUtils.h"
#include "engine/render/gui/GUISlider.h"
#include "framework/SoundPlayer.h"
#include "tools/formats/OggWriter.h"

#include <cmath>

using namespace VantoranEngine;
using Petalwork::GUIGameLogicMenuWindow;
using Petalwork::GUIOptionsWindow;

namespace {

constexpr const char* updateCommand = "g_update_video_mode";

class GUIOptionsWindowTest : public DialogFixture {
protected:
    void PrepareMoreData() override
    {
        std::vector<float> samples(22050);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = 0.3f * std::sin(static_cast<float>(i) * 0.05f);
        const std::vector<uint8_t> ogg = Formats::EncodeOggVorbis(samples, 1, 22050, 0.1f, 7);
        data.WriteFile("data/audio/menu/volume_slider.ogg", std::string(ogg.begin(), ogg.end()));
    }

    void SetUp() override
    {
        DialogFixture::SetUp();
        config = engine->config.get();
        config->Register("", updateCommand, ConfigType::Command, false, nullptr, false);
        config->Register("1", "g_high_quality", ConfigType::Bool, true, &highQuality, false);
        config->Register("0", "g_relax_mode", ConfigType::Bool, true, &relaxMode, false);
        player = std::make_unique<GameFramework::SoundPlayer>(*engine, 0.9f, 0.8f);
        ASSERT_NE(engine->soundManager, nullptr) << "the dummy audio driver gives a sound device";
        player->RegisterSound(1, 0, "audio\\menu\\volume_slider.ogg", true);
        player->SetSoundVolume(0.4f);
        player->SetMusicVolume(0.6f);
        profiles->SetCurrentProfile(profiles->CreateProfile(u"Anna"));
    }

    void TearDown() override
    {
        player.reset();
        for (const char* name : {updateCommand, "g_high_quality", "g_relax_mode"})
            config->Unregister(name);
        DialogFixture::TearDown();
    }

    std::unique_ptr<GUIOptionsWindow> MakeShownOptions()
    {
        auto options = std::make_unique<GUIOptionsWindow>(engine.get(), *gameData, layer, player.get(), profiles.get());
        options->Show();
        Frames(11, [&options] { options->Update(); });
        return options;
    }

    void ExpectVolumes(float sound, float music) const
    {
        EXPECT_NEAR(player->GetSoundVolume(), sound, 1e-4f);
        EXPECT_NEAR(player->GetMusicVolume(), music, 1e-4f);
    }

    Config* config = nullptr;
    bool highQuality = true;
    bool relaxMode = false;
    std::unique_ptr<GameFramework::SoundPlayer> player;
};

TEST_F(GUIOptionsWindowTest, SlidersMoveTheVolumesAndCancelPutsBothBackForGood)
{
    std::unique_ptr<GUIOptionsWindow> options = MakeShownOptions();
    auto update = [&options] { options->Update(); };
    EXPECT_EQ(options->GetSoundSlider()->position, 400);
    EXPECT_EQ(options->GetMusicSlider()->position, 600);
    options->GetSoundSlider()->SetPosition(250);
    options->GetMusicSlider()->SetPosition(900);
    Frame(update);
    ExpectVolumes(0.25f, 0.9f);

    Click(options->GetCancelButton(), update);
    Frame(update, [&] { EXPECT_EQ(options->result, GUIOptionsWindow::resultClose); });
    options->Hide();
    Frames(12, update); // the whole fade-out
    ExpectVolumes(0.4f, 0.6f);
    EXPECT_EQ(options->GetSoundSlider()->position, 400);
    EXPECT_EQ(options->GetMusicSlider()->position, 600);
    EXPECT_EQ(config->GetValueText("g_sound_volume").substr(0, 4), "0.40");
    EXPECT_EQ(profiles->GetCurrentProfile()->soundVolume, 0.5f); // the profile never saw the change
}

TEST_F(GUIOptionsWindowTest, DefaultsSetTheControlsAndVolumesAndCancelUndoesThem)
{
    config->SetValueText("g_relax_mode", "1");
    std::unique_ptr<GUIOptionsWindow> options = MakeShownOptions();
    auto update = [&options] { options->Update(); };
    EXPECT_TRUE(options->GetRelaxBox()->checked);
    Click(options->GetDefaultsButton(), update);
    Frame(update, [&] { EXPECT_EQ(options->result, 0); });
    ExpectVolumes(0.8f, 0.9f);
    EXPECT_EQ(options->GetSoundSlider()->position, 800);
    EXPECT_EQ(options->GetMusicSlider()->position, 900);
    EXPECT_TRUE(options->GetFullscreenBox()->checked);
    EXPECT_FALSE(options->GetRelaxBox()->checked);
    EXPECT_TRUE(options->IsShown());

    Click(options->GetCancelButton(), update);
    Frame(update);
    options->Hide();
    Frames(12, update);
    ExpectVolumes(0.4f, 0.6f);
    EXPECT_EQ(config->GetValueText("g_relax_mode"), "1");
    EXPECT_TRUE(config->IsCommandReady(updateCommand));
}

TEST_F(GUIOptionsWindowTest, DoneAppliesTheChoicesAndStoresTheVolumesInTheProfile)
{
    config->SetValueText("g_high_quality", "0");
    std::unique_ptr<GUIOptionsWindow> options = MakeShownOptions();
    auto update = [&options] { options->Update(); };
    options->GetSoundSlider()->SetPosition(250);
    options->GetRelaxBox()->checked = true;
    options->GetFullscreenBox()->checked = false;
    Click(options->GetDoneButton(), update);
    Frame(update, [&] { EXPECT_EQ(options->result, GUIOptionsWindow::resultClose); });
    EXPECT_EQ(config->GetValueText("g_high_quality"), "1");
    EXPECT_EQ(config->GetValueText("g_relax_mode"), "1");
    EXPECT_EQ(ToLowerCopy(config->GetValueText("v_mode")), "800x600x32");
    EXPECT_EQ(config->GetValueText("v_fullscreen"), "0");

    // A cancel click in the same fade-out changes nothing any more.
    options->Hide();
    Click(options->GetCancelButton(), update);
    Frames(12, update);
    ExpectVolumes(0.25f, 0.6f);
    Petalwork::ProfileManager reloaded(*engine, nullptr, user.Path(), nullptr);
    ASSERT_NE(reloaded.GetCurrentProfile(), nullptr);
    EXPECT_FLOAT_EQ(reloaded.GetCurrentProfile()->soundVolume, 0.25f);
    EXPECT_FLOAT_EQ(reloaded.GetCurrentProfile()->musicVolume, 0.6f);
}

TEST_F(GUIOptionsWindowTest, HeldSoundThumbKeepsTheSamplePlayingUntilReleased)
{
    std::unique_ptr<GUIOptionsWindow> options = MakeShownOptions();
    auto update = [&options] { options->Update(); };
    const Vector2 track = CentreOf(options->GetSoundSlider());
    MoveTo(track.x, track.y);
    Frame(update);
    Platform::Test::InjectMouseButton(0, true);
    Frames(3, update);
    EXPECT_TRUE(options->GetSoundSlider()->GetThumb()->pressed);
    EXPECT_EQ(player->GetSoundState(0), 0);
    Platform::Test::InjectMouseButton(0, false);
    Frames(2, update);
    EXPECT_NE(player->GetSoundState(0), 0);
}

TEST_F(GUIOptionsWindowTest, InLevelMenuAppliesFullScreenAtOnceAndReturnWins)
{
    GUIGameLogicMenuWindow menu(engine.get(), *gameData, player.get(), profiles.get());
    auto update = [&menu] { menu.Update(); };
    EXPECT_FLOAT_EQ(menu.GetFrame()->position.y, 120.0f);
    EXPECT_EQ(menu.GetFrame()->GetParent(), gameData->panelLayerWindow);
    menu.Show();
    Frames(11, update);
    EXPECT_EQ(menu.GetSoundSlider()->position, 400);
    const bool wasFullscreen = menu.GetFullscreenBox()->checked;

    Click(menu.GetFullscreenBox(), update);
    Frame(update);
    EXPECT_NE(menu.GetFullscreenBox()->checked, wasFullscreen);
    EXPECT_FALSE(config->IsCommandReady(updateCommand));
    config->SetCommandReady(updateCommand, true);
    Frames(3, update);
    EXPECT_TRUE(config->IsCommandReady(updateCommand)); // fired once
    EXPECT_TRUE(menu.IsShown());

    struct Case {
        bool leave, back;
        int32_t result;
    };
    for (const Case& c : {Case{true, false, 2}, Case{false, true, 1}, Case{true, true, 1}}) {
        Frame([&] {
            menu.GetLeaveButton()->clicked = c.leave;
            menu.GetReturnButton()->clicked = c.back;
            menu.Update();
        }, [&] { EXPECT_EQ(menu.result, c.result); });
    }

    // Hiding stores the volumes the player left in the profile.
    menu.GetMusicSlider()->SetPosition(150);
    Frame(update);
    menu.Hide();
    EXPECT_FLOAT_EQ(profiles->GetCurrentProfile()->musicVolume, 0.15f);
}

} // namespace
