#pragma once
// LevelManagerBase: the stage and level catalogue's loading and its records. A derived catalogue says
// what a record is and how it is read from its line of text; the base reads the stage list
// ("data\levels\stages_info.ini") and then one level list per stage, and owns every record.
//
// Rules:
// - Loading is all or nothing: a file that cannot be opened, and a value the game would divide or index
//   by that lies outside its range, end the program through the log's fatal path ("PROGRAM ABORTING: "
//   and `FatalError`) with a message naming the file. A text file that ends early reads as zeros and
//   empty words; a count that promises more records than the file holds is an error.
// - Records are read-only for everybody else once loaded; a user that keeps one beyond a call copies it.
// - Main thread, at start-up.

#include "framework/LevelInfo.h"
#include "framework/LevelPosition.h"
#include "framework/StageInfo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {
class FileManager;
class FileTextual;
class MessageManager;
} // namespace VantoranEngine

namespace GameFramework {

class LevelManagerBase {
public:
    static constexpr const char* stageListName = "data\\levels\\stages_info.ini";

    LevelManagerBase(VantoranEngine::MessageManager* log, VantoranEngine::FileManager* files);
    virtual ~LevelManagerBase();

    LevelManagerBase(const LevelManagerBase&) = delete;
    LevelManagerBase& operator=(const LevelManagerBase&) = delete;

    // Reads the whole catalogue and logs "\nLevel Manager: Found <S> stages with <T> levels...".
    virtual void Load();
    // The level list of a stage, under "data\levels\".
    virtual std::string StageFileName(uint32_t stage) const;
    virtual std::unique_ptr<StageInfo> CreateStage() = 0;
    virtual std::unique_ptr<LevelInfo> CreateLevel() = 0;
    // `path` is the name of the open file, for messages.
    virtual void ReadStage(StageInfo& stage, VantoranEngine::FileTextual& stageList, const std::string& path);
    virtual void ReadLevel(LevelInfo& level, VantoranEngine::FileTextual& levelList, const std::string& path);

    uint32_t GetStageCount() const { return static_cast<uint32_t>(stages.size()); }
    const StageInfo& GetStage(uint32_t stage) const { return *stages.at(stage); }
    // Levels of a stage; 0 for a stage outside the catalogue.
    uint32_t GetLevelCount(uint32_t stage) const;
    // The level at a position inside the catalogue (see Contains).
    const LevelInfo& GetLevel(const LevelPosition& position) const;
    bool Contains(const LevelPosition& position) const;
    // The last level of the last stage.
    bool IsFinalLevel(const LevelPosition& position) const;
    // The next level of the stage, else level 0 of the next stage; the final position gives itself.
    LevelPosition NextLevelPosition(const LevelPosition& position) const;

protected:
    // Opens a text file of the catalogue; a failure is fatal.
    std::unique_ptr<VantoranEngine::FileTextual> OpenText(const std::string& path);
    // The next non-empty word, or "" at the end of the file.
    static std::string ReadWord(VantoranEngine::FileTextual& file);
    // Ends the program through the fatal path: "Incorrect \"<path>\" file: " + what.
    [[noreturn]] void Fail(const std::string& path, const std::string& what) const;
    // Fails unless low <= value <= high.
    void CheckRange(const std::string& path, const std::string& name, int32_t value, int32_t low, int32_t high) const;

    VantoranEngine::MessageManager* log;
    VantoranEngine::FileManager* files;

private:
    // Reads the record count of a list and fails when it is below 1.
    int32_t ReadCount(VantoranEngine::FileTextual& file, const std::string& path, const std::string& name);

    std::vector<std::unique_ptr<StageInfo>> stages;
    std::vector<std::vector<std::unique_ptr<LevelInfo>>> levels; // per stage, in file order
};

} // namespace GameFramework
