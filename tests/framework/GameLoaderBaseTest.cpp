#include "TestGame.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "framework/GameLoaderBase.h"
#include "platform/os/MessageBox.h"
#include "platform/window/WindowTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using Box = std::pair<std::string, std::string>;

// Collects the message boxes of one test.
struct BoxRecorder {
    BoxRecorder()
    {
        Platform::SetMessageBoxHook([this](std::string_view caption, std::string_view text) {
            boxes.emplace_back(std::string(caption), std::string(text));
        });
    }
    ~BoxRecorder() { Platform::SetMessageBoxHook(nullptr); }
    std::vector<Box> boxes;
};

// A game whose tick counts and can end the program or fail.
class TickingGame : public TestGame {
public:
    TickingGame(const TempFolder& folder, std::function<void(TickingGame&)> onTick)
        : TestGame(folder), onTick(std::move(onTick))
    {
    }
    void Tick() override
    {
        ++ticks;
        onTick(*this);
    }
    int ticks = 0;
    std::function<void(TickingGame&)> onTick;
};

class TestLoader : public GameFramework::GameLoaderBase {
public:
    explicit TestLoader(std::function<void(TestLoader&)> create)
        : GameLoaderBase(nullptr, nullptr, "", 0), create(std::move(create))
    {
    }
    void CreateGame() override { create(*this); }
    std::function<void(TestLoader&)> create;
};

} // namespace

TEST(GameLoaderBase, AFailingStartShowsOneBoxWithTheErrorOrTheUnhandledText)
{
    struct Row {
        std::function<void()> fail;
        std::string text;
    };
    const std::vector<Row> rows = {
        {[] { throw VantoranEngine::FatalError("Failed to open \"data\\levels\\stages_info.ini\" file"); },
         "Failed to open \"data\\levels\\stages_info.ini\" file"},
        {[] { throw std::runtime_error("x"); }, "Unhandled exception!"},
        {[] { throw VantoranEngine::FileError("not fatal"); }, "Unhandled exception!"},
    };
    for (const Row& row : rows) {
        BoxRecorder recorder;
        TestLoader loader([&row](TestLoader&) { row.fail(); });
        loader.Run();
        EXPECT_EQ(recorder.boxes, std::vector<Box>{Box("Fatal Error", row.text)});
        EXPECT_EQ(loader.game, nullptr);
    }
}

TEST(GameLoaderBase, TheLoopEndsAfterTheTickThatRequestedExitAndDestroysTheGame)
{
    TempFolder folder;
    BoxRecorder recorder;
    int ticks = 0;
    TestLoader loader([&](TestLoader& self) {
        self.game = std::make_unique<TickingGame>(folder, [&ticks](TickingGame& game) {
            ticks = game.ticks;
            if (game.ticks == 3)
                game.engine->RequestExit();
        });
    });
    loader.Run();
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(loader.game, nullptr);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST(GameLoaderBase, ACloseMessageEndsTheLoopBeforeTheNextTick)
{
    TempFolder folder;
    int ticks = 0;
    TestLoader loader([&](TestLoader& self) {
        self.game = std::make_unique<TickingGame>(folder, [&ticks](TickingGame& game) {
            ticks = game.ticks;
            if (game.ticks == 1)
                Platform::Test::InjectClose();
            if (game.ticks > 100)
                game.engine->RequestExit(); // the close was lost: end anyway, and fail below
        });
    });
    loader.Run();
    EXPECT_EQ(ticks, 1);
}

TEST(GameLoaderBase, AFatalErrorDuringATickDestroysTheGameBeforeTheBox)
{
    TempFolder folder;
    BoxRecorder recorder;
    TestLoader loader([&](TestLoader& self) {
        self.game = std::make_unique<TickingGame>(folder, [](TickingGame& game) {
            game.engine->messageManager->LogFatalError("Level board missing");
        });
    });
    loader.Run();
    EXPECT_EQ(loader.game, nullptr);
    EXPECT_EQ(recorder.boxes, std::vector<Box>{Box("Fatal Error", "Level board missing")});
    // The engine saved its configuration while the game was destroyed.
    EXPECT_TRUE(std::filesystem::exists(folder.Path() + "/Quorvane/Brindlemoor/Brindlemoor.ini"));
}
