#include "TestGame.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "framework/DataKeeper.h"
#include "framework/GUILoadingWindowBase.h"
#include "platform/os/Clock.h"
#include "platform/os/Thread.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

// A bundle whose load runs the test's step and notes the thread it ran on.
class StepBundle : public GameFramework::DataKeeper {
public:
    StepBundle(VantoranEngine::Engine& engine, std::function<void(StepBundle&)> step)
        : DataKeeper(engine), step(std::move(step))
    {
    }
    std::thread::id loadedOn;

protected:
    void LoadResources() override
    {
        loadedOn = std::this_thread::get_id();
        step(*this);
    }

private:
    std::function<void(StepBundle&)> step;
};

struct LoadingWorld {
    LoadingWorld() : game(folder), window(game.engine.get()) {}
    TempFolder folder;
    TestGame game;
    GameFramework::GUILoadingWindowBase window;
};

} // namespace

TEST(GUILoadingWindowBase, LoadsOnAWorkerWhileTheMainThreadWaits)
{
    for (uint32_t milliseconds : {0u, 120u}) {
        LoadingWorld w;
        StepBundle bundle(*w.game.engine, [milliseconds](StepBundle&) { Platform::Sleep(milliseconds); });
        w.window.Show(&bundle);
        EXPECT_TRUE(w.window.shown);
        w.window.RunLoading();
        EXPECT_TRUE(w.window.done);
        EXPECT_NE(bundle.loadedOn, std::this_thread::get_id());
        w.window.Hide();
        EXPECT_FALSE(w.window.done);
        EXPECT_FALSE(w.window.shown);
        EXPECT_EQ(w.window.bundle, nullptr);
    }
}

TEST(GUILoadingWindowBase, WithoutAThreadTheBundleLoadsOnTheMainThread)
{
    LoadingWorld w;
    StepBundle bundle(*w.game.engine, [](StepBundle&) {});
    w.window.Show(&bundle);
    Platform::Thread::InjectStartFailure(true);
    w.window.RunLoading();
    Platform::Thread::InjectStartFailure(false);
    EXPECT_TRUE(w.window.done);
    EXPECT_EQ(bundle.loadedOn, std::this_thread::get_id());
}

TEST(GUILoadingWindowBase, AFatalErrorOnTheWorkerIsThrownAgainOnTheMainThread)
{
    LoadingWorld w;
    StepBundle bundle(*w.game.engine, [](StepBundle& self) {
        self.log->LogFatalError("Failed to open \"data\\game.ini\" file");
    });
    w.window.Show(&bundle);
    try {
        w.window.RunLoading();
        FAIL() << "no error came back";
    } catch (const VantoranEngine::FatalError& error) {
        EXPECT_EQ(error.message, "Failed to open \"data\\game.ini\" file");
    }
    EXPECT_FALSE(w.window.done);
}

TEST(DataKeeper, ReleasesEveryMaterialOnceAndDeletesItsModels)
{
    LoadingWorld w;
    VantoranEngine::ShaderManager& shaders = *w.game.engine->shaderManager;
    const size_t usersBefore = shaders.GetUserCount();
    const int shadersBefore = shaders.shaderCount;
    {
        StepBundle bundle(*w.game.engine, [](StepBundle& self) {
            const auto pair = VantoranEngine::ShaderDescriptor::InitFromTextures("a.jpg", "a_alpha.jpg");
            self.materials.push_back(self.shaders->GetShader(pair));
            self.materials.push_back(self.shaders->GetShader(pair)); // a second handle of one material
            self.modelList.emplace_back(self.models->LoadDetachedModel("missing.mlf", 0)); // a box
        });
        bundle.Load();
        EXPECT_GE(shaders.GetUserCount(), usersBefore + 2); // the box model brings its own material too
        EXPECT_GE(shaders.shaderCount, shadersBefore + 1);
        ASSERT_EQ(bundle.modelList.size(), 1u);
    }
    EXPECT_EQ(shaders.GetUserCount(), usersBefore);
    EXPECT_EQ(shaders.shaderCount, shadersBefore);
}
