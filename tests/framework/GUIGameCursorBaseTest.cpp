// The cursor base against the platform's emulated display counter.

#include "framework/GUIGameCursorBase.h"

#include "engine/core/Config.h"
#include "engine/core/devices/Controls.h"
#include "engine/core/devices/Window.h"
#include "engine/render/gui/GUIManager.h"
#include "platform/window/WindowApi.h"
#include "platform/window/WindowTest.h"

#include "HeadlessEngine.h"

#include <gtest/gtest.h>

using GameFramework::GUIGameCursorBase;

namespace {

int DisplayCount()
{
    // ShowCursor answers the new count; step back to leave it unchanged.
    Platform::ShowCursor(true);
    return Platform::ShowCursor(false);
}

class CursorBase : public ::testing::Test {
protected:
    void MakeCursor(bool withSprite)
    {
        cursor = std::make_unique<GUIGameCursorBase>(host.engine.get());
        if (withSprite) {
            sprite = host.engine->guiManager->CreateSystemCursor();
            sprite->shown = true;
            cursor->AddSystemCursor(sprite);
            cursor->SelectCursor();
        }
    }

    void SetCustom(bool on)
    {
        host.engine->config->SetValueText("ui_custom_cursor", on ? "1" : "0");
    }

    HeadlessEngine host;
    std::unique_ptr<GUIGameCursorBase> cursor;
    VantoranEngine::GUICursor* sprite = nullptr;
};

TEST_F(CursorBase, StartsHiddenWithItsVariableRegistered)
{
    Platform::Test::SetShowCursorCount(0);
    MakeCursor(true);
    EXPECT_EQ(DisplayCount(), -1);
    EXPECT_FALSE(host.engine->controls->cursorVisible);
    EXPECT_FALSE(sprite->shown); // filed hidden, and selecting while hidden shows nothing
    EXPECT_EQ(host.engine->window->cursor, cursor->cursors.at(0).systemCursor);
    EXPECT_NE(cursor->cursors.at(0).systemCursor, nullptr);
    EXPECT_EQ(host.engine->config->GetDefaultText("ui_custom_cursor"), "0");
    EXPECT_FALSE(cursor->Update());
}

struct CountCase {
    bool show;
    int start;
    int expected;
};

TEST_F(CursorBase, SystemCursorCountStaysWithinTen)
{
    MakeCursor(false);
    const CountCase cases[] = {
        {true, -10, 0}, {true, -1, 0}, {true, 0, 1}, {true, 10, 10}, {true, 9, 10},
        {false, 10, -1}, {false, 0, -1}, {false, -1, -2}, {false, -10, -10}, {false, -9, -10},
    };
    for (const CountCase& c : cases) {
        Platform::Test::SetShowCursorCount(c.start);
        if (c.show)
            cursor->ShowCursor();
        else
            cursor->HideCursor();
        EXPECT_EQ(DisplayCount(), c.expected) << (c.show ? "show from " : "hide from ") << c.start;
        EXPECT_EQ(host.engine->controls->cursorVisible, c.show);
        host.Frame(); // the input's own drive of the counter agrees with the flag
        const int after = DisplayCount();
        EXPECT_TRUE(c.show ? after >= 0 && after <= 10 : after < 0 && after >= -10) << after;
    }
}

TEST_F(CursorBase, SwitchesModeOnlyWhileShownAndInTheFrameOfTheChange)
{
    MakeCursor(true);
    host.Frame(); // any change seen at registration is consumed while hidden
    EXPECT_FALSE(cursor->Update());
    cursor->ShowCursor();
    EXPECT_TRUE(host.engine->controls->cursorVisible);
    EXPECT_FALSE(sprite->shown);

    SetCustom(true);
    host.engine->Update();
    EXPECT_TRUE(cursor->Update());
    host.engine->EndFrame();
    EXPECT_TRUE(cursor->customMode);
    EXPECT_TRUE(sprite->shown);
    EXPECT_FALSE(host.engine->controls->cursorVisible);
    EXPECT_LT(DisplayCount(), 0);

    // A change while hidden is never acted on, not even when the cursor is shown again later.
    cursor->HideCursor();
    EXPECT_FALSE(sprite->shown);
    SetCustom(false);
    host.engine->Update();
    EXPECT_FALSE(cursor->Update());
    host.engine->EndFrame();
    cursor->ShowCursor();
    host.Frame();
    EXPECT_TRUE(cursor->Update());
    EXPECT_TRUE(cursor->customMode);
    EXPECT_TRUE(sprite->shown);
}

TEST_F(CursorBase, ReleasesItsSpriteAndVariableSoASecondCursorCanRegister)
{
    MakeCursor(true);
    const int listed = host.engine->guiManager->cursors.count;
    cursor.reset();
    EXPECT_EQ(host.engine->guiManager->cursors.count, listed - 1);
    bool stored = false;
    {
        GUIGameCursorBase second(host.engine.get());
        SetCustom(true);
        host.Frame();
        stored = second.uiCustomCursor;
    }
    EXPECT_TRUE(stored);
    host.Frame();
}

} // namespace
