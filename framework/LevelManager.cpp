#include "framework/LevelManager.h"

#include "engine/core/Engine.h"
#include "engine/core/files/FileTextual.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/gui/GUIWindow.h"

#include <algorithm>
#include <cstdint>

namespace Petalwork {

using GameFramework::LevelInfo;
using GameFramework::StageInfo;
using GameFramework::TextPage;
using GameFramework::TipPage;
using VantoranEngine::FileTextual;

namespace {

constexpr int32_t maxFlowerKinds = 10;   // kind 10 is the stone
constexpr int32_t atlasFrames = 32;      // frames of the chip atlas
constexpr int32_t stoneFrame = 6;        // the stone's picture in the atlas
constexpr int32_t maxLevelKind = 10;
constexpr int32_t maxOrderSize = 3;      // icon models exist for three order entries
constexpr int32_t maxScissorsThresholds = 3;
constexpr size_t maxStageTextLines = 3;  // lines of a stage-screen text page
constexpr int powerupKinds = 4;          // horn, pause, tornado, double chip

// Kinds 0, 1, 8 and 9 fill baskets with orders.
bool HasBaskets(int32_t levelKind)
{
    return levelKind == 0 || levelKind == 1 || levelKind == 8 || levelKind == 9;
}

// Kinds 0 and 8 run on the conveyor alone; every other kind has a level clock.
bool HasClock(int32_t levelKind)
{
    return levelKind != 0 && levelKind != 8;
}

// Reads `count` lines of wide words; a file that ends early gives fewer lines (they would read empty).
TextPage ReadLines(FileTextual& file, int32_t count)
{
    TextPage lines;
    std::u16string line;
    for (int32_t i = 0; i < count && !file.endOfFile; ++i) {
        if (!file.ReadTextToken(line))
            break;
        lines.push_back(line);
    }
    return lines;
}

std::vector<TextPage> ReadPages(FileTextual& file)
{
    std::vector<TextPage> pages;
    const int32_t count = file.ReadInt();
    for (int32_t i = 0; i < count && !file.endOfFile; ++i)
        pages.push_back(ReadLines(file, file.ReadInt()));
    return pages;
}

} // namespace

LevelManager::LevelManager(VantoranEngine::MessageManager* log, VantoranEngine::FileManager* files,
                           VantoranEngine::ShaderManager* shaders_, const std::string& languageCode_)
    : LevelManagerBase(log, files), shaders(shaders_), languageCode(languageCode_)
{
    try {
        Load();
    } catch (...) {
        ReleaseTipMaterials();
        throw;
    }
}

LevelManager::LevelManager(VantoranEngine::Engine& engine, const std::string& languageCode_)
    : LevelManager(engine.messageManager.get(), engine.fileManager.get(), engine.shaderManager.get(), languageCode_)
{
}

LevelManager::~LevelManager()
{
    ReleaseTipMaterials();
}

void LevelManager::ReleaseTipMaterials()
{
    for (VantoranEngine::ShaderUser* material : tipMaterials)
        shaders->ReleaseShader(material);
    tipMaterials.clear();
}

std::string LevelManager::StageFileName(uint32_t stage) const
{
    return "stage" + std::to_string(stage) + ".ini";
}

std::unique_ptr<StageInfo> LevelManager::CreateStage()
{
    return std::make_unique<StageInfo>();
}

std::unique_ptr<LevelInfo> LevelManager::CreateLevel()
{
    return std::make_unique<LevelInfo>();
}

void LevelManager::ReadStage(StageInfo& stage, FileTextual& list, const std::string& path)
{
    stage.levelCount = 0;
    stage.background = list.ReadInt();
    stage.basketPlaces = list.ReadInt();
    stage.spawnInterval = list.ReadFloat();
    stage.orderSizeLimit = list.ReadInt();
    stage.startSpeed = list.ReadFloat();
    stage.endSpeed = list.ReadFloat();
    stage.speedPerBasket = list.ReadFloat();
    stage.placeWait = list.ReadFloat();
    stage.stonesAtStart = list.ReadInt();
    stage.maxStones = list.ReadInt();
    stage.stoneInterval = list.ReadFloat();
    stage.frozenAtStart = list.ReadInt();
    stage.maxFrozen = list.ReadInt();
    stage.frozenInterval = list.ReadFloat();

    // Each file is read completely before the next word is taken.
    const auto dataFile = [&](const char* role) {
        const std::string word = ReadWord(list);
        if (word.empty())
            Fail(path, "stage " + std::to_string(stagesRead + 1) + " names no " + role + " file");
        return "data\\levels\\" + word + ".ini";
    };
    ReadFlowerFile(stage, dataFile("flower"));
    ReadOptionsFile(stage, dataFile("options"));
    ReadThirdFile(stage, dataFile("third"));
    ReadOrdersFile(stage, dataFile("orders"));
    ReadScissorsFile(stage, dataFile("scissors"));
    CheckRange(path, "the order size limit", stage.orderSizeLimit, 1,
               std::min(maxOrderSize, stage.flowerKindCount));
    ReadStageText(stage);
}

void LevelManager::ReadFlowerFile(StageInfo& stage, const std::string& path)
{
    std::unique_ptr<FileTextual> file = OpenText(path);
    stage.flowerKindCount = file->ReadInt();
    CheckRange(path, "the flower kind count", stage.flowerKindCount, 1, maxFlowerKinds);
    for (int32_t i = 0; i < stage.flowerKindCount; ++i) {
        const int32_t frame = file->ReadInt();
        CheckRange(path, "flower frame " + std::to_string(i), frame, 0, atlasFrames - 1);
        if (frame == stoneFrame)
            Fail(path, "flower frame " + std::to_string(i) + " is the stone's frame " + std::to_string(stoneFrame));
        stage.flowerKinds.push_back(frame);
    }
}

void LevelManager::ReadOptionsFile(StageInfo& stage, const std::string& path)
{
    std::unique_ptr<FileTextual> file = OpenText(path);
    stage.powerupIntervalMin = file->ReadFloat();
    stage.powerupIntervalMax = file->ReadFloat();
    stage.powerupLifetime = file->ReadFloat();
    if (stage.powerupIntervalMin > stage.powerupIntervalMax)
        Fail(path, "the powerup interval minimum is above its maximum");
    for (int kind = 1; kind <= powerupKinds; ++kind)
        if (file->ReadInt() != 0)
            stage.powerupKinds.push_back(kind);
    stage.volumeBombsAllowed = file->ReadInt() != 0;
    stage.lineBombsAllowed = file->ReadInt() != 0;
    stage.randomDestructionAllowed = file->ReadInt() != 0;
}

void LevelManager::ReadThirdFile(StageInfo& stage, const std::string& path)
{
    std::unique_ptr<FileTextual> file = OpenText(path);
    stage.keptFloat = file->ReadFloat();
    for (int32_t& value : stage.keptInts)
        value = file->ReadInt();
}

void LevelManager::ReadOrdersFile(StageInfo& stage, const std::string& path)
{
    std::unique_ptr<FileTextual> file = OpenText(path);
    stage.silverThreshold = file->ReadInt();
    stage.goldThreshold = file->ReadInt();
}

void LevelManager::ReadScissorsFile(StageInfo& stage, const std::string& path)
{
    std::unique_ptr<FileTextual> file = OpenText(path);
    stage.scissorsThresholdCount = file->ReadInt();
    CheckRange(path, "the scissors threshold count", stage.scissorsThresholdCount, 0, maxScissorsThresholds);
    for (int32_t i = 0; i < stage.scissorsThresholdCount; ++i) {
        const int32_t threshold = file->ReadInt();
        CheckRange(path, "scissors threshold " + std::to_string(i), threshold, 1, INT32_MAX);
        stage.scissorsThresholds.push_back(threshold);
    }
}

void LevelManager::ReadStageText(StageInfo& stage)
{
    const std::string path = "data\\gui\\stage_screen\\text\\" + languageCode + "\\text" +
                             std::to_string(stagesRead) + ".ini";
    std::unique_ptr<FileTextual> file = OpenText(path);
    stage.introPages = ReadPages(*file);
    stage.outroPages = ReadPages(*file);
    // The stage screen's story scroll has room for three lines.
    for (const std::vector<TextPage>* pages : {&stage.introPages, &stage.outroPages})
        for (size_t p = 0; p < pages->size(); ++p)
            if ((*pages)[p].size() > maxStageTextLines)
                Fail(path, std::string(pages == &stage.introPages ? "intro" : "outro") + " page " +
                               std::to_string(p + 1) + " has more than " + std::to_string(maxStageTextLines) +
                               " lines");
    ++stagesRead;
}

void LevelManager::ReadLevel(LevelInfo& level, FileTextual& list, const std::string& path)
{
    level.goalCount = list.ReadInt();
    level.levelKind = list.ReadInt();
    level.levelTime = list.ReadFloat();
    level.parTime = list.ReadFloat();
    level.orderEntryMin = list.ReadInt();
    level.orderEntryMax = list.ReadInt();
    level.boardName = ReadWord(list);
    const std::string tipName = ReadWord(list);

    const std::string which = "level " + std::to_string(level.levelIndex + 1) + ": ";
    CheckRange(path, which + "the goal count", level.goalCount, 1, INT32_MAX);
    CheckRange(path, which + "the level kind", level.levelKind, 0, maxLevelKind);
    if (level.orderEntryMin > level.orderEntryMax)
        Fail(path, which + "the order entry minimum is above its maximum");
    // An order entry of no flowers could never be filled, and the basket's timer divides by its flowers.
    if (HasBaskets(level.levelKind) && level.orderEntryMin < 1)
        Fail(path, which + "the order entry minimum must be at least 1 for a level with baskets");
    if (HasClock(level.levelKind) && !(level.levelTime > 0.0f))
        Fail(path, which + "the level time must be above 0 for a level with a clock");

    if (tipName != "empty")
        ReadTips(level, tipName);
}

void LevelManager::ReadTips(LevelInfo& level, const std::string& tipName)
{
    const std::string path = "data\\gui\\tip_window\\text\\" + languageCode + "\\" + tipName + ".ini";
    std::unique_ptr<FileTextual> file = OpenText(path);
    const int32_t pageCount = file->ReadInt();
    for (int32_t i = 0; i < pageCount && !file->endOfFile; ++i) {
        TipPage page;
        file->ReadTextToken(page.title);
        page.pictureX = file->ReadFloat();
        page.pictureY = file->ReadFloat();
        const std::string colour = ReadWord(*file);
        const std::string opacity = ReadWord(*file);
        if (shaders) {
            VantoranEngine::ShaderDescriptor descriptor;
            VantoranEngine::BuildSimpleGUIShaderDescriptor(descriptor, "gui\\tip_window\\" + colour,
                                                           "gui\\tip_window\\" + opacity);
            page.material = shaders->GetShader(descriptor);
            tipMaterials.push_back(page.material);
        }
        page.textX = file->ReadFloat();
        page.textY = file->ReadFloat();
        page.lines = ReadLines(*file, file->ReadInt());
        level.tips.push_back(std::move(page));
    }
}

} // namespace Petalwork
