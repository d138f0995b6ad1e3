#pragma once
// LevelManager: the game's stage and level catalogue over LevelManagerBase. A stage is one line of the
// stage list, five data files under "data\levels\" and a stage-screen text file; a level is one line of
// its stage's list and an optional tip file with its pictures.
//
// The game's class, kept beside the framework's base because it needs nothing of the game: the game
// object of the framework creates and owns it.
//
// Rules: as LevelManagerBase (all or nothing, fatal on any failure, the file named). Texts are looked up
// under the language code given at construction ("ru"). The tip pictures' materials are requested at
// load and released with the catalogue; without a material manager (tests) tips have no material.

#include "framework/LevelManagerBase.h"

#include <string>
#include <vector>

namespace VantoranEngine {
class Engine;
class ShaderManager;
class ShaderUser;
} // namespace VantoranEngine

namespace Petalwork {

class LevelManager : public GameFramework::LevelManagerBase {
public:
    // Stores the services and loads the whole catalogue.
    LevelManager(VantoranEngine::MessageManager* log, VantoranEngine::FileManager* files,
                 VantoranEngine::ShaderManager* shaders, const std::string& languageCode);
    LevelManager(VantoranEngine::Engine& engine, const std::string& languageCode);
    // Releases the tip pictures' materials, then the records.
    ~LevelManager() override;

    std::string StageFileName(uint32_t stage) const override;
    std::unique_ptr<GameFramework::StageInfo> CreateStage() override;
    std::unique_ptr<GameFramework::LevelInfo> CreateLevel() override;
    void ReadStage(GameFramework::StageInfo& stage, VantoranEngine::FileTextual& stageList,
                   const std::string& path) override;
    void ReadLevel(GameFramework::LevelInfo& level, VantoranEngine::FileTextual& levelList,
                   const std::string& path) override;

    const std::string& GetLanguageCode() const { return languageCode; }

private:
    void ReadFlowerFile(GameFramework::StageInfo& stage, const std::string& path);
    void ReadOptionsFile(GameFramework::StageInfo& stage, const std::string& path);
    void ReadThirdFile(GameFramework::StageInfo& stage, const std::string& path);
    void ReadOrdersFile(GameFramework::StageInfo& stage, const std::string& path);
    void ReadScissorsFile(GameFramework::StageInfo& stage, const std::string& path);
    void ReadStageText(GameFramework::StageInfo& stage);
    void ReadTips(GameFramework::LevelInfo& level, const std::string& tipName);
    void ReleaseTipMaterials();

    VantoranEngine::ShaderManager* shaders;
    std::string languageCode;
    uint32_t stagesRead = 0; // numbers the stage-screen text files
    std::vector<VantoranEngine::ShaderUser*> tipMaterials;
};

} // namespace Petalwork
