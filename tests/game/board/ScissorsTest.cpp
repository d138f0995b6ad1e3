#include "BasketFixture.h"

#include "framework/ScoreKeeper.h"
#include "game/board/ModelPlayer.h"
#include "game/board/Scissors.h"

#include <gtest/gtest.h>

using Petalwork::ModelPlayer;
using Petalwork::PanelState;
using Petalwork::Scissors;
using Petalwork::ScissorsInput;

namespace {

struct RecordingCursor : Petalwork::CursorControl {
    void SetProgramCursor(int32_t resource) override { ids.push_back(resource); }
    std::vector<int32_t> ids;
};

class ScissorsTest : public BasketFixture {
protected:
    void SetUp() override
    {
        BasketFixture::SetUp();
        // Three pairs side by side on the panel, 40 units wide each.
        for (int i = 0; i < 3; ++i) {
            const float x = 500.0f + 50.0f * static_cast<float>(i);
            const std::string n = std::to_string(i);
            prototypes.scissors[i] = Prototype("scissors" + n, 6, [x](int) { return Box(x, 20, x + 40, 60); });
            prototypes.glows[i] = Prototype("glow" + n, 1, [x](int) { return Box(x, 20, x + 40, 60); });
        }
        for (int i = 0; i < 2; ++i)
            prototypes.lines[i] = Prototype("line" + std::to_string(i), 6, [](int) { return Box(0, 0, 10, 2); });
        prototypes.grey = Prototype("grey", 1, [](int) { return Box(500, 20, 540, 60); });
        for (int i = 0; i < 3; ++i) {
            prototypes.appear[i] = sparkle.get();
            prototypes.use[i] = sparkle.get();
        }
        score.SetPoints(15, 450);
        score.SetPoints(16, 900);
        score.SetPoints(17, 1800);
        context = std::make_unique<Petalwork::ScissorsContext>(
            Petalwork::ScissorsContext{*models, *systems, prototypes, settings, sounds, score, cursor});
    }

    std::unique_ptr<Scissors> Make(std::vector<int32_t> thresholds)
    {
        auto s = std::make_unique<Scissors>(*context, thresholds);
        s->slide.state = PanelState::Shown;
        s->slide.offset = 0.0f;
        return s;
    }

    void Click(Scissors& s, bool left, Petalwork::BoardPoint at)
    {
        ScissorsInput input;
        input.mouse1Pressed = left;
        input.mouse2Pressed = !left;
        input.cursor = at;
        s.Update(dt, input);
        Frame();
    }

    Petalwork::ScissorsPrototypes prototypes;
    GameFramework::ScoreKeeper score;
    RecordingCursor cursor;
    std::unique_ptr<Petalwork::ScissorsContext> context;
};

} // namespace

TEST_F(ScissorsTest, NoThresholdsShowNothing)
{
    auto s = Make({});
    for (int i = 0; i < 30; ++i)
        s->CountChip(false);
    Click(*s, true, {520, 40});
    EXPECT_FALSE(ModelPlayer::IsDrawn(s->grey));
    EXPECT_FALSE(ModelPlayer::IsDrawn(s->pairModels[0]));
    EXPECT_EQ(s->pairs, 0u);
    EXPECT_TRUE(cursor.ids.empty());
}

TEST_F(ScissorsTest, EarningAPairShowsItWithItsSoundAndEffect)
{
    auto s = Make({20, 20});
    EXPECT_TRUE(ModelPlayer::IsDrawn(s->grey));
    EXPECT_EQ(s->position.x, 520.0f);
    for (int i = 0; i < 19; ++i)
        s->CountChip(false);
    EXPECT_TRUE(ModelPlayer::IsDrawn(s->lines[0])); // progress shows
    s->CountChip(false);
    EXPECT_EQ(s->pairs, 1u);
    EXPECT_EQ(score.total, 450);
    EXPECT_EQ(sounds.calls.back(), "play 44");
    EXPECT_FALSE(ModelPlayer::IsDrawn(s->grey));
    EXPECT_TRUE(ModelPlayer::IsDrawn(s->pairModels[0]));
    EXPECT_EQ(s->appearEffects[0]->emitting, 1);
    EXPECT_FLOAT_EQ(s->appearEffects[0]->position.y, 40.0f + 22.2f);
    for (int i = 0; i < 20; ++i)
        s->CountChip(false);
    EXPECT_EQ(sounds.calls.back(), "play 45");
    EXPECT_TRUE(ModelPlayer::IsDrawn(s->pairModels[1]));
}

TEST_F(ScissorsTest, ClickingTheTopPairArmsAndDisarmsTheCursor)
{
    auto s = Make({1, 1, 1});
    s->CountChip(false);
    s->CountChip(false);
    ASSERT_EQ(s->pairs, 2u);
    Click(*s, true, {520, 40}); // the first pair is not the top one
    EXPECT_EQ(s->armedMode, 0);
    Click(*s, true, {570, 40});
    EXPECT_EQ(s->armedMode, 2);
    Click(*s, true, {570, 40});
    EXPECT_EQ(s->armedMode, 0);
    Click(*s, true, {570, 40});
    Click(*s, false, {100, 100}); // a right click anywhere disarms
    EXPECT_EQ(s->armedMode, 0);
    EXPECT_EQ(cursor.ids, (std::vector<int32_t>{109, 1000, 109, 1000}));
    s->CountChip(false);
    Click(*s, true, {620, 40});
    EXPECT_EQ(cursor.ids.back(), 110);
}

TEST_F(ScissorsTest, ACutSpendsThePairsFirstAndPlaysTheEffectOfThePairsSpent)
{
    auto s = Make({2, 2, 2});
    for (int i = 0; i < 6; ++i)
        s->CountChip(false);
    ASSERT_EQ(s->pairs, 3u);
    Click(*s, true, {620, 40});
    ASSERT_EQ(s->armedMode, 3);
    const unsigned spent = s->SpendPairs();
    for (int i = 0; i < 2; ++i) // the cut's own chips earn a new pair
        s->CountChip(false);
    s->Use({300, 300}, spent);
    EXPECT_EQ(spent, 3u);
    EXPECT_EQ(s->pairs, 1u);
    EXPECT_EQ(s->armedMode, 0);
    EXPECT_EQ(cursor.ids.back(), 1000);
    EXPECT_EQ(sounds.calls.back(), "play 49");
    EXPECT_EQ(s->useEffects[2]->emitting, 1);
    EXPECT_TRUE(s->threePairs);
}

TEST_F(ScissorsTest, PausingSlidesThePanelOutAndStopsInput)
{
    auto s = Make({1});
    s->CountChip(false);
    s->slide.state = PanelState::SlidingOut;
    for (int i = 0; i < 40; ++i)
        s->Update(dt, {});
    EXPECT_EQ(s->slide.state, PanelState::Hidden);
    EXPECT_EQ(s->slide.offset, -150.0f);
    Click(*s, true, {520 + 150, 40}); // where the pair is drawn now
    Click(*s, true, {520, 40});
    EXPECT_EQ(s->armedMode, 0); // hidden: no input
    s->slide.state = PanelState::SlidingIn;
    for (int i = 0; i < 40; ++i)
        s->Update(dt, {});
    EXPECT_EQ(s->slide.state, PanelState::Shown);
    const auto box = ModelPlayer::Box(s->pairModels[0]);
    EXPECT_FLOAT_EQ(box.worldMin.x, 500.0f);
}
