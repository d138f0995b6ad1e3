// The two comics players over a headless engine: the caption files (blocks, lines, blanks, a file with
// no block, a missing file), the pages' fade-in and hold without clicks, a click that cuts a page short,
// captions queued in the page's own window, the final fade-out, and a second run of the game comics
// that holds every page again.

#include "game/screens/GUIComics.h"
#include "game/screens/GUIGameComics.h"

#include "DialogFixture.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/render/Model.h"

#include <string>

using namespace VantoranEngine;
using Petalwork::ComicsRecord;
using Petalwork::GUIComics;
using Petalwork::GUIGameComics;

namespace {

class GUIComicsTest : public DialogFixture {
protected:
    void PrepareMoreData() override
    {
        for (int n = 0; n < 4; ++n) {
            const int pages = n == 0 ? 3 : (n == 3 ? 5 : 4);
            const std::string name = "comics_" + std::to_string(n);
            WriteModel("gui/comics/models/" + name + "_back.mlf", QuadModel(1, 0.0f, -400.0f, -300.0f, 400.0f, 300.0f));
            for (int m = 0; m < pages; ++m) {
                WriteModel("gui/comics/models/" + name + "_pic_" + std::to_string(m) + ".mlf",
                           QuadModel(1, 0.0f, -100.0f, -100.0f, 100.0f, 100.0f));
                // Page 1 of every comics has no caption.
                data.WriteFile("data/gui/comics/text/ru/" + name + "_pic_" + std::to_string(m) + ".ini",
                               m == 1 ? "0" : "2\n40 560 2 First_line second\n300 100 1 Only\n");
            }
        }
    }

    void SetUp() override
    {
        DialogFixture::SetUp();
        gui->GetFontManager()->LoadFont(15, Material("ui\\fonts\\test.jpg"), "ui\\fonts\\test.fnt")->size = fontSize;
    }

    // Frames until `done`, at most `limit`; the seconds it took.
    template <typename Done>
    float Run(const std::function<void()>& update, Done done, int limit = 2000)
    {
        int frames = 0;
        while (!done() && frames < limit) {
            Frame(update);
            ++frames;
        }
        return static_cast<float>(frames) * tick;
    }
};

TEST_F(GUIComicsTest, CaptionFilesGiveBlocksOfLines)
{
    data.WriteFile("data/t/two.ini", "2\n10.5 20 2 a_b c\n-3 4 0\n");
    data.WriteFile("data/t/none.ini", "0\n");
    data.WriteFile("data/t/short.ini", "1\n1 2 3 only\n");
    const auto two = ComicsRecord::ReadTexts(*engine->fileManager, *engine->messageManager, "data\\t\\two.ini");
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0].x, 10.5f);
    EXPECT_EQ(two[0].y, 20.0f);
    EXPECT_EQ(two[0].lines, (std::vector<std::u16string>{u"a b", u"c"}));
    EXPECT_EQ(two[1].x, -3.0f);
    EXPECT_TRUE(two[1].lines.empty());
    EXPECT_TRUE(ComicsRecord::ReadTexts(*engine->fileManager, *engine->messageManager, "data\\t\\none.ini").empty());
    const auto cut = ComicsRecord::ReadTexts(*engine->fileManager, *engine->messageManager, "data\\t\\short.ini");
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].lines, std::vector<std::u16string>{u"only"});
    EXPECT_THROW(ComicsRecord::ReadTexts(*engine->fileManager, *engine->messageManager, "data\\t\\missing.ini"),
                 FatalError);
}

TEST_F(GUIComicsTest, AMissingIntroCaptionIsFatal)
{
    std::filesystem::remove(data.Path() + "/data/gui/comics/text/ru/comics_2_pic_3.ini");
    EXPECT_THROW(GUIComics("ru", gameData->panelLayerWindow, engine.get()), FatalError);
}

TEST_F(GUIComicsTest, IntroPagesFadeInHoldThreeSecondsAndTheLastComicsFadesOut)
{
    GUIComics comics("ru", gameData->panelLayerWindow, engine.get());
    auto update = [&comics] { comics.Update(); };
    // The windows place their own models, on rising layers from 3; only comics 0's back and page 0 show.
    const ComicsRecord& first = comics.GetComics(0);
    EXPECT_FALSE(first.background->placeModel);
    EXPECT_EQ(first.background->layer, 3);
    EXPECT_EQ(first.pages[2].window->layer, 6);
    EXPECT_EQ(comics.GetComics(1).background->layer, 7);
    EXPECT_EQ(comics.GetComics(2).pages[3].window->layer, 16);
    EXPECT_EQ(first.background->model->worldMatrix[3], 400.0f);
    EXPECT_EQ(first.background->model->worldMatrix[7], 300.0f);
    EXPECT_TRUE(first.background->visible);
    EXPECT_TRUE(first.pages[0].window->visible);
    EXPECT_FALSE(first.pages[1].window->visible);
    EXPECT_FALSE(comics.GetComics(1).background->visible);

    // Page 0: a second of fade-in, three of hold.
    const float firstPage = Run(update, [&] { return comics.GetPageIndex() == 1; });
    EXPECT_NEAR(firstPage, 4.0f, 2.5f * tick);
    EXPECT_EQ(first.pages[0].alpha, 1.0f);
    EXPECT_TRUE(first.pages[0].window->visible); // stays under the next one
    EXPECT_TRUE(first.pages[1].window->visible);

    // Captions sit in the page's own window, one font height apart, at the page's alpha.
    Frame(update, [&] {
        const auto texts = Texts(first.pages[0].window);
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[0].text, u"First line");
        EXPECT_EQ(texts[0].position.x, 40.0f);
        EXPECT_EQ(texts[0].position.y, 560.0f);
        EXPECT_EQ(texts[1].position.y, 560.0f - fontSize);
        EXPECT_EQ(texts[2].text, u"Only");
        EXPECT_EQ(texts[0].fontId, 15);
        EXPECT_EQ(texts[0].colour.a, 1.0f);
        EXPECT_EQ(Texts(first.pages[1].window).size(), 0u); // no caption on page 1
    });

    // The other ten pages take 40 s more; then the last comics fades out in a second.
    const float rest = Run(update, [&] { return comics.IsFadingOut(); });
    EXPECT_NEAR(firstPage + tick + rest, 44.0f, 12.0f * tick);
    EXPECT_FALSE(first.background->visible);
    EXPECT_FALSE(comics.GetComics(1).pages[0].window->visible);
    EXPECT_TRUE(comics.GetComics(2).background->visible);
    EXPECT_FALSE(comics.IsFinished());
    const float fade = Run(update, [&] { return comics.IsFinished(); });
    EXPECT_NEAR(fade, 1.0f, 1.5f * tick);
}

TEST_F(GUIComicsTest, AClickShowsThePageWholeAndMovesOnAtTheNextFrame)
{
    GUIComics comics("ru", gameData->panelLayerWindow, engine.get());
    auto update = [&comics] { comics.Update(); };
    Frames(3, update);
    ASSERT_LT(comics.GetComics(0).pages[0].alpha, 1.0f);
    Platform::Test::InjectMouseButton(0, true);
    Frame(update);
    Platform::Test::InjectMouseButton(0, false);
    EXPECT_EQ(comics.GetComics(0).pages[0].alpha, 1.0f);
    EXPECT_EQ(comics.GetPageIndex(), 0u);
    Frame(update);
    EXPECT_EQ(comics.GetPageIndex(), 1u);
    EXPECT_LT(comics.GetComics(0).pages[1].alpha, 1.0f);
}

TEST_F(GUIComicsTest, TheGameComicsRunsAgainWithEveryHold)
{
    GUIGameComics comics("ru", engine.get(), gameData->panelLayerWindow);
    auto update = [&comics] { comics.Update(); };
    EXPECT_EQ(comics.GetComics().background->layer, 100001);
    EXPECT_EQ(comics.GetComics().pages[4].window->layer, 100006);
    EXPECT_EQ(comics.GetComics().background->model->worldMatrix[3], 0.0f); // authored in screen units
    Frames(5, update);
    EXPECT_EQ(comics.GetComics().backgroundAlpha, 0.0f); // inactive: nothing moves

    float runs[2] = {};
    for (float& seconds : runs) {
        comics.Start();
        EXPECT_TRUE(comics.IsActive());
        EXPECT_TRUE(comics.GetComics().pages[4].window->visible);
        seconds = Run(update, [&] { return comics.IsFinished(); });
        comics.End();
        EXPECT_FALSE(comics.IsActive());
        EXPECT_FALSE(comics.GetComics().background->visible);
    }
    // Five pages of 4 s and a fade-out of 1 s, both times.
    EXPECT_NEAR(runs[0], 21.0f, 8.0f * tick);
    EXPECT_NEAR(runs[1], runs[0], 2.0f * tick);
}

} // namespace
