#pragma once
// An engine built on the game's data folder in an 800 x 600 window, with the fonts of the font list and
// the given text tables loaded as the game loads them at start, and helpers that place GUI pictures and
// models of the data. The tools that draw the data (contact sheets, benchmark) build their scenes on it.

#include "engine/core/Engine.h"
#include "engine/render/ShaderDescriptor.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace VantoranEngine {

class GUIManager;
class GUIWindow;
class Model;

// A pair's material (the colour picture and its "_alpha" opacity picture); an opaque picture has none.
ShaderDescriptor GuiMaterial(const std::string& colour, uint32_t frames = 1, bool opaque = false);

class EngineScene {
public:
    // textTables: names under "ui\texts\ru\" without the ".ini"; configName names the tool's settings file,
    // kept with the log in userFolder.
    EngineScene(const std::string& gameFolder, const std::string& userFolder, const std::string& configName,
                const std::vector<std::string>& textTables);
    ~EngineScene();

    GUIWindow* Picture(const std::string& colour, float x, float y, float w, float h, GUIWindow* parent = nullptr,
                       float u = 1, float v = 1);
    // A model of the data placed by its own coordinates (or moved by (x, y)), drawn with the GUI camera.
    Model* PlaceModel(const std::string& name, float depth, float x = 0, float y = 0);

    std::unique_ptr<Engine> engine;
    GUIManager* gui = nullptr;
    std::vector<std::unique_ptr<Model>> models;

private:
    void LoadFontsAndTexts(const std::vector<std::string>& textTables);
};

} // namespace VantoranEngine
