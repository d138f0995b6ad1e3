// The sound events widgets raise: hover on entering (not on the first frame, not while pressed), press
// when a press starts, the edit box's change event only for accepted edits.

#include "engine/core/Timer.h"
#include "engine/core/TimerManager.h"
#include "engine/core/sound/Sound.h"
#include "engine/core/sound/SoundManager.h"
#include "engine/core/sound/SoundSystem_DS7.h"
#include "engine/render/gui/GUIButton.h"
#include "engine/render/gui/GUIEditBox.h"
#include "engine/render/gui/GUISoundManager.h"
#include "platform/sound/SoundTest.h"

#include "GUIWidgetFixture.h"

#include <gtest/gtest.h>

using namespace VantoranEngine;

namespace {

// Every event has one silent sound named after its id; the main timer moves one second per frame, so
// no play is dropped as a repeat.
class GUISoundEventsTest : public GUIWidgetFixture {
protected:
    void SetUp() override
    {
        GUIWidgetFixture::SetUp();
        Platform::SoundTest::Reset();
        Platform::SoundTest::SetManualClock(true);
        system = std::make_unique<SoundSystem_DS7>(log.get(), memory.get(), files.get(), nullptr, nullptr, false);
        sounds = std::make_unique<SoundManager>(memory.get(), files.get(), log.get(), system.get());
        guiSounds = std::make_unique<GUISoundManager>(timers.get(), sounds.get());
        for (int32_t event = 0; event <= 12; ++event)
            guiSounds->AddSound(event, std::to_string(event));
        services.soundManager = guiSounds.get();
    }
    void TearDown() override
    {
        guiSounds.reset();
        sounds.reset();
        system.reset();
        Platform::SoundTest::Reset();
        GUIWidgetFixture::TearDown();
    }

    // The events played in this frame.
    std::vector<std::string> Played()
    {
        std::vector<std::string> names;
        for (const SoundCommand* command : sounds->GetQueue())
            names.push_back(command->sound->name);
        sounds->Update(true);
        clock += 1.0f;
        timers->mainTimer->SetTime(clock);
        timers->mainTimer->SetPaused(true);
        return names;
    }
    using Events = std::vector<std::string>;

    float clock = 10.0f;
    std::unique_ptr<SoundSystem_DS7> system;
    std::unique_ptr<SoundManager> sounds;
    std::unique_ptr<GUISoundManager> guiSounds;
};

TEST_F(GUISoundEventsTest, ButtonsSoundOnEnteringAndOnPressing)
{
    Played();
    GUIButton button(services, GUIWindow::Shown, {0, 0}, {10, 10}, nullptr);
    GUICheckBox box(services, GUIWindow::Shown, {20, 0}, {10, 10}, nullptr);
    const struct {
        Vector2 cursor;
        bool down;
        Events events;
    } frames[] = {
        {{5, 5}, false, {}},            // under the cursor from the first frame: no hover sound
        {{50, 5}, false, {}},
        {{5, 5}, false, {"0"}},
        {{5, 5}, true, {"1"}},
        {{50, 5}, true, {}},
        {{5, 5}, true, {}},             // back over it while pressed
        {{25, 5}, false, {"2"}},        // released outside; entering the check box
        {{25, 5}, true, {"3"}},
    };
    for (size_t i = 0; i < std::size(frames); ++i) {
        button.Update(frames[i].cursor, frames[i].down);
        box.Update(frames[i].cursor, frames[i].down);
        EXPECT_EQ(Played(), frames[i].events) << "frame " << i;
    }
}

TEST_F(GUISoundEventsTest, EditBoxesSoundForAcceptedEditsOnly)
{
    GUIEditBox box(services, GUIWindow::Shown, {0, 0}, {100, 20}, nullptr, 1, Color{1, 1, 1, 1}, {0, 0}, 100.0f,
                   2);
    Played();
    const struct {
        bool isChar;
        uint16_t code;
        Events events;
    } keys[] = {
        {true, u'a', {"12"}},  {true, u'\u0416', {}}, {true, u'b', {"12"}},
        {true, u'c', {}}, // full
        {false, GUIEditBox::keyInsert, {}},
        {false, GUIEditBox::keyBackspace, {"12"}}, // the b under the caret of the full box
        {false, GUIEditBox::keyHome, {}},           {false, GUIEditBox::keyDelete, {"12"}},
        {false, GUIEditBox::keyBackspace, {}},      {false, GUIEditBox::keyDelete, {}}, // nothing left
    };
    for (size_t i = 0; i < std::size(keys); ++i) {
        window->keyEventPending = true;
        window->keyEventIsChar = keys[i].isChar;
        window->keyEventCode = keys[i].code;
        box.Update({-1, -1}, false);
        box.Render();
        EXPECT_EQ(Played(), keys[i].events) << "key " << i;
    }
    EXPECT_EQ(box.text, u"");
}

} // namespace
