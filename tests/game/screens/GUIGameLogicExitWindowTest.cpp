// The leave-level question: OK leaves, cancel goes back and wins a click in the same frame; nothing
// counts while it fades out.

#include "game/screens/GUIGameLogicExitWindow.h"

#include "DialogFixture.h"

using namespace VantoranEngine;
using Petalwork::GUIGameLogicExitWindow;

namespace {

using GUIGameLogicExitWindowTest = DialogFixture;

TEST_F(GUIGameLogicExitWindowTest, OkLeavesAndCancelWins)
{
    struct Case {
        bool ok, cancel, hiding;
        int32_t result;
    };
    const Case cases[] = {{true, false, false, 2}, {false, true, false, 1}, {true, true, false, 1},
                          {true, false, true, 0}};
    for (const Case& c : cases) {
        GUIGameLogicExitWindow dialog(engine.get(), *gameData);
        EXPECT_EQ(dialog.GetFrame()->GetParent(), gameData->panelLayerWindow);
        auto update = [&dialog] { dialog.Update(); };
        dialog.Show();
        Frames(11, update);
        if (c.hiding)
            dialog.Hide();
        Frame([&] {
            dialog.GetOkButton()->clicked = c.ok;
            dialog.GetCancelButton()->clicked = c.cancel;
            dialog.Update();
        }, [&] { EXPECT_EQ(dialog.result, c.result); });
    }
}

} // namespace
