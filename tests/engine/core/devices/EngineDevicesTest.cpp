// The engine builds the window and the input in its order, with their log lines, and tears them down in
// the reverse order.

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/devices/Controls.h"
#include "engine/core/devices/Window.h"
#include "platform/input/DirectInput.h"
#include "platform/window/WindowTest.h"

#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace VantoranEngine;

namespace {

// Where each text first appears in the log file, in the order given; npos when missing.
std::vector<size_t> Positions(const std::string& log, const std::vector<std::string>& texts)
{
    std::vector<size_t> at;
    for (const std::string& text : texts)
        at.push_back(log.find(text));
    return at;
}

TEST(EngineDevices, WindowAndInputStartAndStopInOrder)
{
    TempFolder folder;
    std::string logPath;
    {
        Engine engine(TestEngineDescriptor(folder.Path(), folder.Path()));
        ASSERT_NE(engine.window, nullptr);
        ASSERT_NE(engine.controls, nullptr);
        EXPECT_EQ(engine.window->width, 800u);
        EXPECT_FALSE(engine.window->fullscreen);

        Platform::Test::InjectKey(Platform::DIK_SPACE, true);
        engine.Update();
        EXPECT_TRUE(engine.controls->IsKeyPressed("SPACE"));
        engine.EndFrame();
        engine.Update();
        EXPECT_FALSE(engine.controls->IsKeyPressed("SPACE"));
        EXPECT_TRUE(engine.controls->IsKeyDown("SPACE"));
        engine.EndFrame();
        logPath = folder / "Brindlemoor.html";
    }
    std::ifstream file(logPath, std::ios::binary);
    ASSERT_TRUE(file.is_open());
    std::stringstream text;
    text << file.rdbuf();
    const std::vector<size_t> at =
        Positions(text.str(), {"Window creation:", "...Registering the window class...", "...Creating a device context...",
                               "Initialization of DirectInput devices...", "...Creating a DirectInput object...",
                               "DirectInput devices destroying:", "...DirectInput object...", "Window destroying:",
                               "...Releasing device context...", "...Releasing window...", "...Unregistering class..."});
    for (size_t i = 0; i < at.size(); ++i) {
        ASSERT_NE(at[i], std::string::npos) << i;
        if (i > 0) {
            EXPECT_LT(at[i - 1], at[i]) << i;
        }
    }
    Platform::Test::ResetInput();
}

} // namespace
