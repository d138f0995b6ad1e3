// A board of the default data drawn by the engine with the global bundle's prototypes and settings:
// every cell of a shipped level with its tile, a chip of a known flower on every tile cell but one,
// compared pixel by pixel with the pictures the data holds. Runs under the offscreen driver.

#include "game/board/BoardSettings.h"
#include "game/board/Cell.h"
#include "game/board/Chip.h"
#include "game/board/ChipModels.h"
#include "game/board/GameData.h"
#include "game/board/ScoreManager.h"
#include "game/board/model/BoardLayout.h"
#include "game/board/model/GameSettings.h"

#include "framework/ScoreKeeper.h"

#include "engine/core/Engine.h"
#include "engine/render/JpegCodec.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/Camera.h"
#include "engine/render/ModelManager.h"
#include "engine/render/RenderSystem.h"
#include "platform/d3d7/D3D7.h"
#include "platform/d3d7/D3D7Test.h"
#include "platform/window/WindowTest.h"
#include "EngineTestSupport.h"
#include "TempFolder.h"
#include "tests/game/board/BoardEngineFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

using namespace Petalwork;

namespace {

struct Rgb {
    int r = 0, g = 0, b = 0;
};

struct Picture {
    uint32_t width = 0, height = 0, components = 0;
    std::vector<uint8_t> pixels;

    // (u, v) in 0..1 from the image's top-left corner.
    Rgb At(float u, float v) const
    {
        const auto x = static_cast<uint32_t>(u * static_cast<float>(width));
        const auto y = static_cast<uint32_t>(v * static_cast<float>(height));
        const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * components];
        return components >= 3 ? Rgb{p[0], p[1], p[2]} : Rgb{p[0], p[0], p[0]};
    }
};

Picture ReadJpeg(const std::string& path)
{
    Picture picture;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return picture;
    std::string failure;
    VantoranEngine::JpegCodec::Decode(
        [file](uint8_t* buffer, uint32_t count) { return static_cast<uint32_t>(std::fread(buffer, 1, count, file)); },
        [&picture](uint32_t w, uint32_t h, uint32_t c) {
            picture.width = w;
            picture.height = h;
            picture.components = c;
            picture.pixels.resize(static_cast<size_t>(w) * h * c);
            return picture.pixels.data();
        },
        failure);
    std::fclose(file);
    return picture;
}

// A colour over another by opacity 0..255.
Rgb Over(Rgb top, int alpha, Rgb under)
{
    auto mix = [alpha](int a, int b) { return (a * alpha + b * (255 - alpha)) / 255; };
    return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b)};
}

void ExpectNear(Rgb actual, Rgb expected, int tolerance, const char* what)
{
    EXPECT_NEAR(actual.r, expected.r, tolerance) << what;
    EXPECT_NEAR(actual.g, expected.g, tolerance) << what;
    EXPECT_NEAR(actual.b, expected.b, tolerance) << what;
}

struct NoSounds : SoundSink {
    void PlaySound(BoardSound) override {}
};

class BoardDisplayTest : public BoardEngineFixture {
protected:
    void SetUp() override
    {
        BoardEngineFixture::SetUp();
    }

    // A point of the 800 x 600 board (y up).
    Rgb At(BoardPoint p) const
    {
        const size_t i = (static_cast<size_t>(p.y) * 800 + static_cast<size_t>(p.x)) * 4;
        return {frame[i + 2], frame[i + 1], frame[i]};
    }

};

} // namespace

TEST_F(BoardDisplayTest, ShippedBoardDrawsItsTilesAndChips)
{
    // The first shipped board in name order.
    std::vector<std::filesystem::path> boards;
    for (const auto& entry : std::filesystem::directory_iterator(game + "/data/levels/meshes"))
        if (entry.path().extension() == ".blf")
            boards.push_back(entry.path());
    ASSERT_FALSE(boards.empty());
    std::sort(boards.begin(), boards.end());
    const BoardLayout board = BoardLayout::Load(engine->fileManager.get(), boards.front().stem().string());

    const GameSettings& settings = *bundle->settings;
    const ChipPrototypes chipPrototypes = MakeChipPrototypes(*bundle, gui);
    const CellPrototypes cellPrototypes = MakeCellPrototypes(*bundle, gui);
    const CellTimings timings = MakeCellTimings(settings);
    const FragmentSettings fragments = MakeFragmentSettings(settings);
    const ChipSettings chipSettings = MakeChipSettings(settings);
    NoSounds sounds;
    GameFramework::ScoreKeeper score;
    ScoreManager popups(*engine->guiManager->GetTextManager(), MakePopupSettings(settings));
    PowerupManager powerups(sounds, settings.pausePowerupDuration, settings.doubleChipPowerupDuration);
    int pickedUp = 0;
    CellContext cellContext{*engine->modelManager, *engine->particleSystemManager, cellPrototypes, timings, fragments,
                            sounds, score, popups, powerups, 5.0f, pickedUp};
    ChipCounters counters;
    ChipContext chipContext{chipSettings, sounds, counters, nullptr, engine->particleSystemManager.get(),
                            {0, 1, 2, 3, 4}, {}, {}};
    CellHitBox(*bundle, chipContext.hitMinimum, chipContext.hitMaximum);
    EXPECT_LT(chipContext.hitMinimum.x, chipContext.hitMaximum.x);

    // Declared after the contexts they use, so they go first.
    std::vector<std::unique_ptr<Cell>> cells;
    std::vector<std::unique_ptr<Chip>> chips;
    std::vector<std::unique_ptr<ChipModels>> chipModels;

    const BoardPoint offset = board.CentringOffset({settings.boardCentre.x, settings.boardCentre.y});
    int tileCells = 0;
    Cell* empty = nullptr;
    std::vector<std::pair<Cell*, unsigned>> flowerCells;
    for (const BoardCell& record : board.cells) {
        cells.push_back(std::make_unique<Cell>(cellContext, record.centre, record.fileType, record.reserved));
        Cell& cell = *cells.back();
        cell.MoveBy(offset);
        if (!cell.HasTile())
            continue;
        cell.StartAppear(0.0f);
        if (tileCells++ == 0) {
            empty = &cell; // the first tile cell keeps no chip
            continue;
        }
        const unsigned kind = static_cast<unsigned>(tileCells) % 5;
        chips.push_back(std::make_unique<Chip>(chipContext, cell.centre, kind, static_cast<unsigned>(chips.size()),
                                               false, false));
        chips.back()->SetVisible(true);
        chips.back()->SetAlpha(1.0f);
        cell.chip = chips.back().get();
        chipModels.push_back(std::make_unique<ChipModels>(*engine->modelManager, chipPrototypes, true));
        flowerCells.emplace_back(&cell, kind);
    }
    ASSERT_NE(empty, nullptr);
    ASSERT_GE(flowerCells.size(), 2u);
    // Long enough for the appear fade to end whatever its duration.
    for (int i = 0; i < 100 && empty->appearPhase != AppearPhase::Shown; ++i)
        for (auto& cell : cells)
            cell->Update(0.05f, false);
    ASSERT_EQ(empty->appearPhase, AppearPhase::Shown);
    for (size_t i = 0; i < chips.size(); ++i)
        chipModels[i]->Follow(*chips[i]);
    Frame();

    // The empty cell shows frame 0 of the tile picture (the left half of the 2 x 1 strip) over black.
    const Picture tile = ReadJpeg(game + "/data/cell/cell_tile.jpg");
    const Picture tileAlpha = ReadJpeg(game + "/data/cell/cell_tile_alpha.jpg");
    ASSERT_GT(tile.width, 0u);
    const Rgb tileCentre = Over(tile.At(0.25f, 0.5f), tileAlpha.At(0.25f, 0.5f).r, {0, 0, 0});
    ExpectNear(At(empty->centre), tileCentre, 16, "empty cell");
    EXPECT_GT(At(empty->centre).r + At(empty->centre).g + At(empty->centre).b, 30);

    // A chip shows its flower's frame of the 8 x 4 atlas over the tile.
    const Picture flowers = ReadJpeg(game + "/data/chips/flowers.jpg");
    const Picture flowersAlpha = ReadJpeg(game + "/data/chips/flowers_alpha.jpg");
    ASSERT_GT(flowers.width, 0u);
    for (size_t i = 0; i < 2; ++i) {
        const auto [cell, kind] = flowerCells[i];
        const float u = (static_cast<float>(kind % 8) + 0.5f) / 8.0f;
        const float v = (static_cast<float>(kind / 8) + 0.5f) / 4.0f;
        const Rgb expected = Over(flowers.At(u, v), flowersAlpha.At(u, v).r, tileCentre);
        ExpectNear(At(cell->centre), expected, 16, "chip");
    }

    // A hidden chip leaves its tile showing; a selected cell shows the highlighted tile.
    chips.front()->SetVisible(false);
    chipModels.front()->Follow(*chips.front());
    empty->Select();
    Frame();
    ExpectNear(At(flowerCells.front().first->centre), tileCentre, 16, "hidden chip");
    const Rgb highlighted = Over(tile.At(0.75f, 0.5f), tileAlpha.At(0.75f, 0.5f).r, {0, 0, 0});
    ExpectNear(At(empty->centre), highlighted, 16, "selected cell");
}
