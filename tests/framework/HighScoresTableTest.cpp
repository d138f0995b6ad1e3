#include "framework/HighScoresTable.h"

#include "FrameworkTestSupport.h"

#include <gtest/gtest.h>

using FrameworkTest::Bytes;
using GameFramework::HighScoresTable;
using GameFramework::VersionedFile;

namespace {

class HighScoresTableTest : public ::testing::Test {
protected:
    std::unique_ptr<HighScoresTable> Make()
    {
        return std::make_unique<HighScoresTable>(&services.log, &services.files, services.UserRoot());
    }
    std::string Path() const { return services.UserRoot() + "/usersdata/high_scores_table.hsf"; }
    static std::vector<uint32_t> Scores(const HighScoresTable& table)
    {
        std::vector<uint32_t> scores;
        for (const auto& entry : table.GetEntries())
            scores.push_back(entry->score);
        return scores;
    }
    // A full table whose lowest score is 5000, the others above 5001.
    std::unique_ptr<HighScoresTable> Full()
    {
        auto table = Make();
        for (uint32_t i = 0; i < 9; ++i)
            table->Add(9000 - 100 * i, u"p" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
        table->Add(5000, u"last");
        return table;
    }

    FrameworkTest::FileServices services;
};

} // namespace

TEST_F(HighScoresTableTest, FirstStartWritesAnEmptyTable)
{
    auto table = Make();
    EXPECT_TRUE(table->GetEntries().empty());
    EXPECT_EQ(FrameworkTest::ReadBytes(Path()), Bytes().U32(0).U32(0).WithHeader("GFHSF", 100));
    EXPECT_EQ(FrameworkTest::ReadBytes(Path()).size(), 21u);
    EXPECT_TRUE(services.Errors().empty());
}

TEST_F(HighScoresTableTest, ATieWithTheLastEntryDoesNotStayButCountsItsOrderNumber)
{
    auto table = Full();
    EXPECT_EQ(table->Add(5000, u"tie"), nullptr);
    EXPECT_EQ(table->GetEntries().back()->name, u"last");
    EXPECT_EQ(table->GetNextOrderNumber(), 11u);
    EXPECT_EQ(Make()->GetNextOrderNumber(), 11u);

    const GameFramework::HighScoreEntry* added = table->Add(5001, u"new");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added, table->GetEntries().back().get());
    EXPECT_EQ(added->orderNumber, 11u);
    EXPECT_EQ(table->GetEntries().size(), 10u);
    EXPECT_EQ(Scores(*table).back(), 5001u);
}

TEST_F(HighScoresTableTest, BestFirstAndEqualScoresInTheOrderAdded)
{
    auto table = Make();
    table->Add(100, u"a");
    table->Add(300, u"b");
    table->Add(100, u"c");
    table->Add(0xFFFFFFFFu, u"d"); // scores compare unsigned
    std::vector<std::u16string> names;
    for (const auto& entry : table->GetEntries())
        names.push_back(entry->name);
    EXPECT_EQ(names, (std::vector<std::u16string>{u"d", u"b", u"a", u"c"}));

    Bytes body;
    body.U32(4).U32(4).Wide(u"d").U32(0xFFFFFFFFu).U32(3).Wide(u"b").U32(300).U32(1);
    body.Wide(u"a").U32(100).U32(0).Wide(u"c").U32(100).U32(2);
    EXPECT_EQ(FrameworkTest::ReadBytes(Path()), body.WithHeader("GFHSF", 100));
    EXPECT_EQ(Scores(*Make()), Scores(*table));
}

TEST_F(HighScoresTableTest, MoreThanTenEntriesLoadTheFirstTen)
{
    Bytes body;
    body.U32(40).U32(12);
    for (uint32_t i = 0; i < 12; ++i)
        body.Wide(u"x").U32(1000 - i).U32(i);
    FrameworkTest::WriteBytes(Path(), body.WithHeader("GFHSF", 100));
    auto table = Make();
    EXPECT_EQ(table->GetEntries().size(), 10u);
    EXPECT_EQ(table->GetEntries().back()->score, 991u);
    EXPECT_EQ(table->GetNextOrderNumber(), 40u);
}

TEST_F(HighScoresTableTest, DamagedFilesGiveAnEmptyTableWrittenBack)
{
    const std::vector<std::vector<uint8_t>> damaged = {
        Bytes().U32(3).U32(0xFFFFFFFFu).Wide(u"x").U32(1).U32(1).WithHeader("GFHSF", 100),
        Bytes().U32(3).U32(2).Wide(u"x").U32(1).U32(1).WithHeader("GFHSF", 100),
        Bytes().U32(3).U32(0).WithHeader("GFHSF", 99),
        {1, 2, 3},
    };
    for (const auto& bytes : damaged) {
        FrameworkTest::WriteBytes(Path(), bytes);
        const size_t errors = services.Errors().size();
        auto table = Make();
        EXPECT_TRUE(table->GetEntries().empty());
        EXPECT_EQ(services.Errors().size(), errors + 1) << "a damaged table is said so in the log";
        EXPECT_EQ(table->GetNextOrderNumber(), 0u);
        EXPECT_EQ(FrameworkTest::ReadBytes(Path()), Bytes().U32(0).U32(0).WithHeader("GFHSF", 100));
    }
}

TEST_F(HighScoresTableTest, FailedSaveKeepsThePreviousTable)
{
    auto table = Make();
    table->Add(10, u"a");
    const std::vector<uint8_t> previous = FrameworkTest::ReadBytes(Path());
    VersionedFile::InjectWriteFailure(13 + 8);
    EXPECT_NE(table->Add(20, u"b"), nullptr);
    EXPECT_EQ(table->GetEntries().size(), 2u);
    EXPECT_EQ(FrameworkTest::ReadBytes(Path()), previous);
    EXPECT_EQ(services.Errors().size(), 1u);
    VersionedFile::InjectWriteFailure(std::nullopt);
    EXPECT_TRUE(table->Save());
    EXPECT_EQ(Make()->GetEntries().size(), 2u);
}

TEST_F(HighScoresTableTest, ADamagedOrderIsPutRightOnLoading)
{
    // Entries out of order, and order numbers at and past the next one.
    Bytes body;
    body.U32(2).U32(4);
    body.Wide(u"low").U32(100).U32(0);
    body.Wide(u"high").U32(900).U32(1);
    body.Wide(u"late").U32(500).U32(7);
    body.Wide(u"early").U32(500).U32(2);
    FrameworkTest::WriteBytes(Path(), body.WithHeader("GFHSF", 100));
    auto table = Make();
    EXPECT_EQ(Scores(*table), (std::vector<uint32_t>{900, 500, 500, 100}));
    EXPECT_EQ(table->GetEntries()[1]->name, u"early");
    EXPECT_EQ(table->GetNextOrderNumber(), 8u);
    table->Add(500, u"newest");
    EXPECT_EQ(table->GetEntries()[3]->name, u"newest");
}
