// The game's cursor over a headless engine: built hidden with its sprite filed under entry 0 and the
// program's system cursor selected, then switching between the system cursor and the sprite when
// ui_custom_cursor changes while it is shown.

#include "game/screens/GUIGameCursor.h"

#include "ScreenFixture.h"
#include "engine/core/Config.h"
#include "engine/core/devices/Controls.h"
#include "engine/core/devices/Window.h"
#include "engine/render/gui/GUICursor.h"

using namespace VantoranEngine;
using Petalwork::GUIGameCursor;

namespace {

using GUIGameCursorTest = ScreenFixture;

TEST_F(GUIGameCursorTest, StartsHiddenWithItsSpriteAndSystemCursorSelected)
{
    const int listed = gui->cursors.count;
    GUIGameCursor cursor(engine.get());
    ASSERT_EQ(cursor.cursors.count(0), 1u);
    const GUIGameCursor::CursorEntry& entry = cursor.cursors.at(0);
    ASSERT_NE(entry.sprite, nullptr);
    EXPECT_EQ(gui->cursors.count, listed + 1);
    EXPECT_FALSE(entry.sprite->shown);
    EXPECT_FALSE(engine->controls->cursorVisible);
    EXPECT_EQ(cursor.current, &entry);
    EXPECT_NE(entry.systemCursor, nullptr);
    EXPECT_EQ(engine->window->cursor, entry.systemCursor);
    EXPECT_FALSE(cursor.Update());
}

TEST_F(GUIGameCursorTest, SwitchesBetweenTheSystemCursorAndTheSprite)
{
    GUIGameCursor cursor(engine.get());
    GUICursor* sprite = cursor.cursors.at(0).sprite;
    engine->Update();
    engine->EndFrame();
    cursor.ShowCursor();
    EXPECT_TRUE(engine->controls->cursorVisible);
    EXPECT_FALSE(sprite->shown);

    for (const bool custom : {true, false}) {
        SCOPED_TRACE(custom);
        engine->config->SetValueText("ui_custom_cursor", custom ? "1" : "0");
        engine->Update();
        EXPECT_TRUE(cursor.Update());
        engine->EndFrame();
        EXPECT_EQ(sprite->shown, custom);
        EXPECT_EQ(engine->controls->cursorVisible, !custom);
    }
}

} // namespace
