#include "framework/LevelManagerBase.h"

#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"

namespace GameFramework {

using VantoranEngine::FileTextual;

LevelManagerBase::LevelManagerBase(VantoranEngine::MessageManager* log_, VantoranEngine::FileManager* files_)
    : log(log_), files(files_)
{
}

LevelManagerBase::~LevelManagerBase() = default;

void LevelManagerBase::Load()
{
    stages.clear();
    levels.clear();
    {
        const std::string path = stageListName;
        std::unique_ptr<FileTextual> list = OpenText(path);
        const int32_t stageCount = ReadCount(*list, path, "stage count");
        for (int32_t i = 0; i < stageCount; ++i) {
            // A record that would start past the end of the file means the count cannot be trusted.
            if (list->endOfFile)
                Fail(path, "it holds fewer than " + std::to_string(stageCount) + " stages");
            stages.push_back(CreateStage());
            ReadStage(*stages.back(), *list, path);
        }
    }

    uint32_t levelTotal = 0;
    levels.resize(stages.size());
    for (uint32_t i = 0; i < stages.size(); ++i) {
        const std::string path = "data\\levels\\" + StageFileName(i);
        std::unique_ptr<FileTextual> list = OpenText(path);
        const int32_t levelCount = ReadCount(*list, path, "level count");
        stages[i]->levelCount = levelCount;
        for (int32_t j = 0; j < levelCount; ++j) {
            if (list->endOfFile)
                Fail(path, "it holds fewer than " + std::to_string(levelCount) + " levels");
            std::unique_ptr<LevelInfo> level = CreateLevel();
            level->stageIndex = i;
            level->levelIndex = static_cast<uint32_t>(j);
            levels[i].push_back(std::move(level));
            ReadLevel(*levels[i].back(), *list, path);
        }
        levelTotal += static_cast<uint32_t>(levelCount);
    }
    log->LogMessage("\nLevel Manager: Found " + std::to_string(stages.size()) + " stages with " +
                    std::to_string(levelTotal) + " levels...");
}

std::string LevelManagerBase::StageFileName(uint32_t stage) const
{
    return "stage" + std::to_string(stage) + "\\levels_info.ini";
}

void LevelManagerBase::ReadStage(StageInfo& stage, FileTextual&, const std::string&)
{
    stage.levelCount = 0;
}

void LevelManagerBase::ReadLevel(LevelInfo&, FileTextual&, const std::string&)
{
}

uint32_t LevelManagerBase::GetLevelCount(uint32_t stage) const
{
    return stage < levels.size() ? static_cast<uint32_t>(levels[stage].size()) : 0;
}

const LevelInfo& LevelManagerBase::GetLevel(const LevelPosition& position) const
{
    return *levels.at(position.stage).at(position.level);
}

bool LevelManagerBase::Contains(const LevelPosition& position) const
{
    return position.level < GetLevelCount(position.stage);
}

bool LevelManagerBase::IsFinalLevel(const LevelPosition& position) const
{
    return !stages.empty() && position.stage == stages.size() - 1 &&
           position.level + 1 == GetLevelCount(position.stage);
}

LevelPosition LevelManagerBase::NextLevelPosition(const LevelPosition& position) const
{
    if (position.level + 1 < GetLevelCount(position.stage))
        return {position.stage, position.level + 1};
    if (IsFinalLevel(position) || position.stage + 1 >= stages.size())
        return position;
    return {position.stage + 1, 0};
}

std::unique_ptr<FileTextual> LevelManagerBase::OpenText(const std::string& path)
{
    try {
        return files->OpenTextual(path, false);
    } catch (const VantoranEngine::FileError& error) {
        log->LogFatalError(error.message);
    }
}

std::string LevelManagerBase::ReadWord(FileTextual& file)
{
    std::string word;
    while (file.ReadString(word, true) && word.empty()) {
    }
    return word;
}

void LevelManagerBase::Fail(const std::string& path, const std::string& what) const
{
    log->LogFatalError("Incorrect \"" + path + "\" file: " + what);
}

void LevelManagerBase::CheckRange(const std::string& path, const std::string& name, int32_t value, int32_t low,
                                  int32_t high) const
{
    if (value < low || value > high)
        Fail(path, name + " is " + std::to_string(value) + ", allowed " + std::to_string(low) + " to " +
                       std::to_string(high));
}

int32_t LevelManagerBase::ReadCount(FileTextual& file, const std::string& path, const std::string& name)
{
    const int32_t count = file.ReadInt();
    if (count < 1)
        Fail(path, name + " is " + std::to_string(count) + ", at least 1 is needed");
    return count;
}

} // namespace GameFramework
