#include "framework/LevelManager.h"

#include "engine/core/Error.h"
#include "FrameworkTestSupport.h"

#include <gtest/gtest.h>

#include <map>

using GameFramework::LevelPosition;
using Petalwork::LevelManager;
using VantoranEngine::FatalError;

namespace {

// A small catalogue of two stages (two levels, then one) under the base folder; `changes` replace or
// remove (empty text) files by their path under "data/".
class LevelManagerTest : public ::testing::Test {
protected:
    LevelManagerTest()
    {
        files = {
            {"levels/stages_info.ini", "2 // stages\n"
                                       "3  4 14.5 2  14 8 1 0.5  1 2 3.5  4 5 6.5  fl opt third ord sc\n"
                                       "7  2 10 1  15 9 2 0  0 0 0  0 0 0  fl2 opt2 third ord sc0\n"},
            {"levels/fl.ini", "5 0 1 3 4 5"},
            {"levels/fl2.ini", "3 9 10 11"},
            {"levels/opt.ini", "12 20 15  1 0 1 1  1 0 1"},
            {"levels/opt2.ini", "10 10 5  0 0 0 0  0 1 0"},
            {"levels/third.ini", "0.25 1 2 3 4"},
            {"levels/ord.ini", "7 13"},
            {"levels/sc.ini", "2 50 80"},
            {"levels/sc0.ini", "0"},
            {"levels/stage0.ini", "2\n3000 2 240 150 1 3 s0_l0 tip_a\n4 0 0 160 3 4 s0_l1 empty\n"},
            {"levels/stage1.ini", "1\n10 10 200.5 100 2 2 s1_l0 empty\n"},
            {"gui/stage_screen/text/ru/text0.ini", "1 2 Hello_there second\n0\n"},
            {"gui/stage_screen/text/ru/text1.ini", "0\n1 1 outro_line\n"},
            {"gui/tip_window/text/ru/tip_a.ini",
             "2\nFirst_tip 144 40 a.jpg a_alpha.jpg 300 500 2 one two\nSecond 1 2 b.jpg b_alpha.jpg 3 4 1 three\n"},
        };
    }

    void WriteTree()
    {
        std::filesystem::remove_all(services.Base() + "/data");
        for (const auto& [path, text] : files)
            if (!text.empty())
                FrameworkTest::WriteBytes(services.Base() + "/data/" + path,
                                          std::vector<uint8_t>(text.begin(), text.end()));
    }

    std::unique_ptr<LevelManager> Load()
    {
        WriteTree();
        return std::make_unique<LevelManager>(&services.log, &services.files, nullptr, "ru");
    }

    // The fatal message of a load, or "loaded".
    std::string LoadError()
    {
        try {
            Load();
        } catch (const FatalError& error) {
            return error.message;
        }
        return "loaded";
    }

    std::map<std::string, std::string> files;
    FrameworkTest::FileServices services;
};

} // namespace

TEST_F(LevelManagerTest, ReadsEveryFieldFromItsPlace)
{
    auto levels = Load();
    ASSERT_EQ(levels->GetStageCount(), 2u);
    const GameFramework::StageInfo& s0 = levels->GetStage(0);
    EXPECT_EQ(s0.levelCount, 2);
    EXPECT_EQ(s0.background, 3);
    EXPECT_EQ(s0.basketPlaces, 4);
    EXPECT_EQ(s0.spawnInterval, 14.5f);
    EXPECT_EQ(s0.orderSizeLimit, 2);
    EXPECT_EQ(s0.startSpeed, 14.0f);
    EXPECT_EQ(s0.endSpeed, 8.0f);
    EXPECT_EQ(s0.speedPerBasket, 1.0f);
    EXPECT_EQ(s0.placeWait, 0.5f);
    EXPECT_EQ(s0.stonesAtStart, 1);
    EXPECT_EQ(s0.maxStones, 2);
    EXPECT_EQ(s0.stoneInterval, 3.5f);
    EXPECT_EQ(s0.frozenAtStart, 4);
    EXPECT_EQ(s0.maxFrozen, 5);
    EXPECT_EQ(s0.frozenInterval, 6.5f);
    EXPECT_EQ(s0.flowerKindCount, 5);
    EXPECT_EQ(s0.flowerKinds, (std::vector<int32_t>{0, 1, 3, 4, 5}));
    EXPECT_EQ(s0.powerupIntervalMin, 12.0f);
    EXPECT_EQ(s0.powerupIntervalMax, 20.0f);
    EXPECT_EQ(s0.powerupLifetime, 15.0f);
    EXPECT_EQ(s0.powerupKinds, (std::vector<int32_t>{1, 3, 4}));
    EXPECT_TRUE(s0.volumeBombsAllowed);
    EXPECT_FALSE(s0.lineBombsAllowed);
    EXPECT_TRUE(s0.randomDestructionAllowed);
    EXPECT_EQ(s0.keptFloat, 0.25f);
    EXPECT_EQ(s0.keptInts[3], 4);
    EXPECT_EQ(s0.silverThreshold, 7);
    EXPECT_EQ(s0.goldThreshold, 13);
    EXPECT_EQ(s0.scissorsThresholds, (std::vector<int32_t>{50, 80}));
    ASSERT_EQ(s0.introPages.size(), 1u);
    EXPECT_EQ(s0.introPages[0], (GameFramework::TextPage{u"Hello there", u"second"}));
    EXPECT_TRUE(s0.outroPages.empty());

    const GameFramework::StageInfo& s1 = levels->GetStage(1);
    EXPECT_TRUE(s1.powerupKinds.empty());
    EXPECT_TRUE(s1.scissorsThresholds.empty());
    EXPECT_TRUE(s1.introPages.empty());
    ASSERT_EQ(s1.outroPages.size(), 1u);
    EXPECT_EQ(s1.outroPages[0], GameFramework::TextPage{u"outro line"});

    // Par time is the fourth value, the order entry limits the fifth and sixth.
    const GameFramework::LevelInfo& l = levels->GetLevel({1, 0});
    EXPECT_EQ(l.stageIndex, 1u);
    EXPECT_EQ(l.levelIndex, 0u);
    EXPECT_EQ(l.goalCount, 10);
    EXPECT_EQ(l.levelKind, 10);
    EXPECT_EQ(l.levelTime, 200.5f);
    EXPECT_EQ(l.parTime, 100.0f);
    EXPECT_EQ(l.orderEntryMin, 2);
    EXPECT_EQ(l.orderEntryMax, 2);
    EXPECT_EQ(l.boardName, "s1_l0");
    EXPECT_TRUE(l.tips.empty());

    const GameFramework::LevelInfo& tipped = levels->GetLevel({0, 0});
    ASSERT_EQ(tipped.tips.size(), 2u);
    EXPECT_EQ(tipped.tips[0].title, u"First tip");
    EXPECT_EQ(tipped.tips[0].pictureX, 144.0f);
    EXPECT_EQ(tipped.tips[0].pictureY, 40.0f);
    EXPECT_EQ(tipped.tips[0].textX, 300.0f);
    EXPECT_EQ(tipped.tips[0].textY, 500.0f);
    EXPECT_EQ(tipped.tips[0].lines, (std::vector<std::u16string>{u"one", u"two"}));
    EXPECT_EQ(tipped.tips[1].lines, std::vector<std::u16string>{u"three"});
    EXPECT_EQ(tipped.tips[1].material, nullptr);

    const auto entries = services.log.GetEntries();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.back().text, "\nLevel Manager: Found 2 stages with 3 levels...\n");
}

TEST_F(LevelManagerTest, ByteOrderMarksCommentsAndShortTextFilesAreAccepted)
{
    // UTF-16 little-endian with its mark reads like ANSI.
    std::string wide = "\xFF\xFE";
    for (char c : std::string("1 1 wide_line\n0\n"))
        wide += std::string{c, '\0'};
    files["gui/stage_screen/text/ru/text0.ini"] = wide;
    // A tip file that ends early gives what it has, without an error.
    files["gui/tip_window/text/ru/tip_a.ini"] = "3 Only_title 1 2 a.jpg a_alpha.jpg 3 4 5 x";
    files["levels/stage1.ini"] = "1 // one level\n10 10 200 100 // times\n 2 2 s1_l0 // board\n empty\n";
    auto levels = Load();
    EXPECT_EQ(levels->GetStage(0).introPages[0], GameFramework::TextPage{u"wide line"});
    ASSERT_EQ(levels->GetLevel({0, 0}).tips.size(), 1u);
    EXPECT_EQ(levels->GetLevel({0, 0}).tips[0].lines, std::vector<std::u16string>{u"x"});
    EXPECT_EQ(levels->GetLevel({1, 0}).boardName, "s1_l0");
}

// Every value the game divides or indexes by is checked, and the message names the file.
TEST_F(LevelManagerTest, BadValuesEndTheProgramNamingTheFile)
{
    const struct {
        const char* file;
        const char* text;
        const char* message;
    } cases[] = {
        {"levels/stages_info.ini", "0", "stages_info.ini\" file: stage count is 0, at least 1 is needed"},
        {"levels/stages_info.ini", "3\n3 4 14.5 2 14 8 1 0.5 1 2 3.5 4 5 6.5 fl opt third ord sc\n",
         "stages_info.ini\" file: stage 2 names no flower file"},
        {"levels/stage1.ini", "0", "stage1.ini\" file: level count is 0, at least 1 is needed"},
        {"levels/stage1.ini", "2\n10 10 200 100 2 2 b empty\n",
         "stage1.ini\" file: level 2: the goal count is 0, allowed 1 to 2147483647"},
        {"levels/stage1.ini", "2\n10 10 200 100 2 2 b empty", "stage1.ini\" file: it holds fewer than 2 levels"},
        {"levels/fl.ini", "0", "fl.ini\" file: the flower kind count is 0, allowed 1 to 10"},
        {"levels/fl.ini", "11 0 1 2 3 4 5 7 8 9 10 11", "fl.ini\" file: the flower kind count is 11, allowed 1 to 10"},
        {"levels/fl.ini", "2 0 32", "fl.ini\" file: flower frame 1 is 32, allowed 0 to 31"},
        {"levels/fl.ini", "2 -1 3", "fl.ini\" file: flower frame 0 is -1, allowed 0 to 31"},
        {"levels/fl.ini", "2 0 6", "fl.ini\" file: flower frame 1 is the stone's frame 6"},
        {"levels/fl.ini", "1 0", "stages_info.ini\" file: the order size limit is 2, allowed 1 to 1"},
        {"levels/opt.ini", "21 20 15 1 0 1 1 1 0 1", "opt.ini\" file: the powerup interval minimum is above its maximum"},
        {"levels/sc.ini", "4 1 1 1 1", "sc.ini\" file: the scissors threshold count is 4, allowed 0 to 3"},
        {"levels/sc.ini", "-1", "sc.ini\" file: the scissors threshold count is -1, allowed 0 to 3"},
        {"levels/sc.ini", "2 50 0", "sc.ini\" file: scissors threshold 1 is 0, allowed 1 to 2147483647"},
        {"levels/stage1.ini", "1\n0 10 200 100 2 2 b empty\n",
         "stage1.ini\" file: level 1: the goal count is 0, allowed 1 to 2147483647"},
        {"levels/stage1.ini", "1\n5 11 200 100 2 2 b empty\n",
         "stage1.ini\" file: level 1: the level kind is 11, allowed 0 to 10"},
        {"levels/stage1.ini", "1\n5 -1 200 100 2 2 b empty\n",
         "stage1.ini\" file: level 1: the level kind is -1, allowed 0 to 10"},
        {"levels/stage1.ini", "1\n5 2 200 100 3 2 b empty\n",
         "stage1.ini\" file: level 1: the order entry minimum is above its maximum"},
        {"levels/stage1.ini", "1\n5 9 200 100 0 2 b empty\n",
         "stage1.ini\" file: level 1: the order entry minimum must be at least 1 for a level with baskets"},
        {"levels/stage1.ini", "1\n5 2 0 100 2 2 b empty\n",
         "stage1.ini\" file: level 1: the level time must be above 0 for a level with a clock"},
        {"levels/sc0.ini", "", "levels\\sc0.ini\" file"},
        {"gui/stage_screen/text/ru/text1.ini", "", "stage_screen\\text\\ru\\text1.ini\" file"},
        {"gui/stage_screen/text/ru/text0.ini", "1 4 a b c d\n0\n", "text0.ini\" file: intro page 1 has more than 3 lines"},
        {"gui/stage_screen/text/ru/text1.ini", "0\n2 3 a b c 4 a b c d\n",
         "text1.ini\" file: outro page 2 has more than 3 lines"},
        {"gui/tip_window/text/ru/tip_a.ini", "", "tip_window\\text\\ru\\tip_a.ini\" file"},
    };
    for (const auto& c : cases) {
        const std::string saved = files[c.file];
        files[c.file] = c.text;
        const std::string message = LoadError();
        EXPECT_NE(message.find(c.message), std::string::npos) << c.file << ": " << message;
        files[c.file] = saved;
    }
    EXPECT_EQ(LoadError(), "loaded");
    // Conveyor levels run without a clock, so their time may be 0 (level 2 of stage 0).
    const auto entries = services.log.GetEntries();
    size_t fatal = 0;
    for (const auto& entry : entries)
        fatal += entry.kind == VantoranEngine::LogEntry::Fatal && entry.text.rfind("PROGRAM ABORTING: ", 0) == 0;
    EXPECT_EQ(fatal, std::size(cases));
}

TEST_F(LevelManagerTest, PositionsWalkTheCatalogue)
{
    auto levels = Load();
    const struct {
        LevelPosition at;
        bool contained, final;
        LevelPosition next;
    } cases[] = {
        {{0, 0}, true, false, {0, 1}},
        {{0, 1}, true, false, {1, 0}},
        {{1, 0}, true, true, {1, 0}},
        {{0, 2}, false, false, {1, 0}},
        {{2, 0}, false, false, {2, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(levels->Contains(c.at), c.contained) << c.at.stage << "-" << c.at.level;
        EXPECT_EQ(levels->IsFinalLevel(c.at), c.final) << c.at.stage << "-" << c.at.level;
        EXPECT_TRUE(GameFramework::IsSamePosition(levels->NextLevelPosition(c.at), c.next))
            << c.at.stage << "-" << c.at.level;
    }
}
