#include "tools/scenes/EngineScene.h"

#include "engine/core/EngineDescriptor.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"
#include "engine/render/Camera.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUITextManager.h"
#include "engine/render/gui/GUIWindow.h"

#include <stdexcept>

namespace VantoranEngine {

EngineScene::EngineScene(const std::string& gameFolder, const std::string& userFolder, const std::string& configName,
                         const std::vector<std::string>& textTables)
{
    EngineDescriptor d;
    d.title = "Brindlemoor";
    d.version = 100;
    d.baseDirectory = gameFolder;
    d.configName = configName;
    d.configDirectory = userFolder;
    d.logDirectory = userFolder;
    d.logEnabled = true;
    d.logReopen = false;
    d.videoMode = "800x600x32";
    d.fullscreenDefault = false;
    engine = std::make_unique<Engine>(d);
    gui = engine->guiManager.get();
    gui->GetCamera()->orthoWidth = 800.0f;
    gui->GetCamera()->orthoHeight = 600.0f;
    LoadFontsAndTexts(textTables);
}

EngineScene::~EngineScene()
{
    models.clear();
    engine.reset();
}

// Fonts as the font list names them, and the text tables.
void EngineScene::LoadFontsAndTexts(const std::vector<std::string>& textTables)
{
    FileManager& files = *engine->fileManager;
    auto list = files.OpenTextual("data\\ui\\fonts\\ru.ini", false);
    if (!list)
        throw std::runtime_error("no font list");
    const int32_t count = list->ReadInt();
    list->ReadInt();
    auto word = [&list] {
        std::string w;
        while (list->ReadString(w, true))
            if (!w.empty())
                return w;
        return std::string();
    };
    for (int32_t id = 0; id < count; ++id) {
        const std::string file = word(), colour = word(), opacity = word();
        const float size = list->ReadFloat(), missing = list->ReadFloat(), spacing = list->ReadFloat();
        const int32_t lowerCase = list->ReadInt();
        ShaderDescriptor material;
        BuildGUIShaderDescriptor(material, colour, opacity, 1);
        GUIFont* font = gui->GetFontManager()->LoadFont(id, material, file);
        font->size = size;
        font->missingAdvance = missing;
        font->spacing = spacing;
        if (lowerCase != 0)
            font->AddLowerCaseGlyphs();
    }
    for (const std::string& table : textTables)
        gui->GetTextManager()->LoadTexts("ui\\texts\\ru\\" + table + ".ini");
}

ShaderDescriptor GuiMaterial(const std::string& colour, uint32_t frames, bool opaque)
{
    ShaderDescriptor material;
    BuildGUIShaderDescriptor(material, colour, opaque ? "32bit" : colour.substr(0, colour.size() - 4) + "_alpha.jpg",
                             frames);
    return material;
}

GUIWindow* EngineScene::Picture(const std::string& colour, float x, float y, float w, float h, GUIWindow* parent,
                                float u, float v)
{
    return gui->CreateWindow(GUIWindow::Shown, {x, y}, {w, h}, GuiMaterial(colour), parent, {u, v});
}

Model* EngineScene::PlaceModel(const std::string& name, float depth, float x, float y)
{
    Model* model = engine->modelManager->LoadModel(name, gui->GetCamera(), 32);
    Matrix4 at;
    MakeTranslationMatrix(at, {x, y, 0});
    model->SetWorldMatrix(at);
    model->depth = depth;
    models.emplace_back(model);
    return model;
}

} // namespace VantoranEngine
