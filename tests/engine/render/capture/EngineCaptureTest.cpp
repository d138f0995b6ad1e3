// The engine serves the screen capture at the end of every frame, after Print Screen has fired
// "sc_take_screenshot", and saves under the configuration (user-data) folder.

#include "engine/core/Config.h"
#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/render/ScreenCapture.h"
#include "platform/input/DirectInput.h"
#include "platform/window/WindowTest.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using namespace VantoranEngine;

namespace {

EngineDescriptor Descriptor(const TempFolder& data, const TempFolder& user)
{
    EngineDescriptor d;
    d.title = "Brindlemoor";
    d.version = 100;
    d.baseDirectory = data.Path();
    d.configName = "Brindlemoor";
    d.configDirectory = user.Path();
    d.videoMode = "800x600x32";
    return d;
}

} // namespace

TEST(EngineCapture, PrintScreenIsServedInTheSameFrame)
{
    TempFolder data;
    TempFolder user;
    Engine engine(Descriptor(data, user));
    ASSERT_NE(engine.screenCapture, nullptr);
    EXPECT_EQ(engine.screenCapture->GetFolder(), user.Path() + "\\ScreenCaptures");

    Platform::Test::InjectKey(Platform::DIK_SYSRQ, true);
    engine.Update();
    engine.EndFrame();
    EXPECT_TRUE(engine.config->IsCommandReady("sc_take_screenshot"));   // fired and re-armed this frame
    bool grabFailed = false;
    for (const LogEntry& entry : engine.messageManager->GetEntries())
        grabFailed |= entry.text.find("Failed to print image from screen") != std::string::npos;
    EXPECT_TRUE(grabFailed);   // nothing has been presented yet
    EXPECT_FALSE(std::filesystem::exists(user / "ScreenCaptures"));
}
