#include "framework/LevelManager.h"

#include "engine/core/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/render/ShaderManager.h"
#include "EngineTestSupport.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using GameFramework::LevelInfo;
using Petalwork::LevelManager;

// The shipped catalogue loads whole through a running engine, tip pictures included.
TEST(LevelManagerDisplayTest, DefaultDataLoadsNineStagesOfFiveLevels)
{
    TempFolder user;
    VantoranEngine::EngineDescriptor descriptor = TestEngineDescriptor(BRINDLE_GAME_FOLDER, user.Path());
    descriptor.logEnabled = false;
    VantoranEngine::Engine engine(descriptor);

    auto levels = std::make_unique<LevelManager>(engine, "ru");
    ASSERT_EQ(levels->GetStageCount(), 9u);
    size_t tipped = 0;
    for (uint32_t s = 0; s < levels->GetStageCount(); ++s) {
        EXPECT_EQ(levels->GetStage(s).levelCount, 5) << s;
        EXPECT_FALSE(levels->GetStage(s).introPages.empty()) << s;
        for (uint32_t l = 0; l < 5; ++l) {
            const LevelInfo& level = levels->GetLevel({s, l});
            EXPECT_EQ(level.boardName, "s" + std::to_string(s) + "_l" + std::to_string(l));
            for (const auto& page : level.tips) {
                EXPECT_NE(page.material, nullptr);
                EXPECT_FALSE(page.title.empty());
                EXPECT_FALSE(page.lines.empty());
            }
            tipped += !level.tips.empty();
        }
    }
    EXPECT_GT(tipped, 0u);
    EXPECT_TRUE(levels->IsFinalLevel({8, 4}));

    bool found = false;
    for (const auto& entry : engine.messageManager->GetEntries()) {
        found |= entry.text == "\nLevel Manager: Found 9 stages with 45 levels...\n";
        EXPECT_EQ(entry.kind, VantoranEngine::LogEntry::Message) << entry.text; // every picture was found
    }
    EXPECT_TRUE(found);
    levels.reset(); // the tip materials go back before the engine ends
}
