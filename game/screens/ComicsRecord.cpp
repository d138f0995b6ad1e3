#include "game/screens/ComicsRecord.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"
#include "engine/render/Matrix4.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUIWindow.h"
#include "game/screens/GUIWindowShown.h"

#include <algorithm>

namespace Petalwork {

using VantoranEngine::GUIWindow;

namespace {
constexpr const char* opaquePicture = "32bit"; // the colour image is the whole picture
constexpr float ownFontSize = -1.0f;
} // namespace

ComicsRecord::ComicsRecord(VantoranEngine::Engine* engine, const std::string& languageCode, int32_t number,
                           int32_t pageCount, GUIWindow* parent, int32_t firstLayer,
                           const VantoranEngine::Vector2& offset)
    : gui(engine->guiManager.get())
{
    const std::string n = std::to_string(number);
    try {
        background = CreatePicture("gui\\comics\\models\\comics_" + n + "_back.mlf",
                                   "gui\\comics\\comics_" + n + "_back.jpg", parent, firstLayer, offset);
        for (int32_t m = 0; m < pageCount; ++m) {
            ComicsPage page;
            page.window = CreatePicture("gui\\comics\\models\\comics_" + n + "_pic_" + std::to_string(m) + ".mlf",
                                        "gui\\comics\\comics_" + n + ".jpg", parent, firstLayer + 1 + m, offset);
            pages.push_back(std::move(page));
            pages.back().blocks = ReadTexts(*engine->fileManager, *engine->messageManager,
                                            TextPath(languageCode, number, m));
        }
    } catch (...) {
        for (ComicsPage& page : pages)
            gui->DeleteWindow(page.window);
        if (background != nullptr)
            gui->DeleteWindow(background);
        throw;
    }
}

ComicsRecord::~ComicsRecord()
{
    for (ComicsPage& page : pages)
        gui->DeleteWindow(page.window);
    gui->DeleteWindow(background);
}

std::string ComicsRecord::TextPath(const std::string& languageCode, int32_t number, int32_t page)
{
    return "data\\gui\\comics\\text\\" + languageCode + "\\comics_" + std::to_string(number) + "_pic_" +
           std::to_string(page) + ".ini";
}

std::vector<ComicsTextBlock> ComicsRecord::ReadTexts(VantoranEngine::FileManager& files,
                                                     VantoranEngine::MessageManager& log, const std::string& path)
{
    std::vector<ComicsTextBlock> blocks;
    try {
        std::unique_ptr<VantoranEngine::FileTextual> file = files.OpenTextual(path, false);
        const int32_t blockCount = file->ReadInt();
        for (int32_t b = 0; b < blockCount && !file->endOfFile; ++b) {
            ComicsTextBlock block;
            block.x = file->ReadFloat();
            block.y = file->ReadFloat();
            const int32_t lineCount = file->ReadInt();
            std::u16string line;
            for (int32_t k = 0; k < lineCount && file->ReadTextToken(line); ++k)
                block.lines.push_back(line);
            blocks.push_back(std::move(block));
        }
    } catch (const VantoranEngine::FileError& error) {
        log.LogFatalError(error.message);
    }
    return blocks;
}

GUIWindow* ComicsRecord::CreatePicture(const std::string& model, const std::string& texture, GUIWindow* parent,
                                       int32_t layer, const VantoranEngine::Vector2& offset)
{
    GUIWindow* window = gui->CreateModelWindow({0.0f, 0.0f}, {0.0f, 0.0f}, model, parent);
    if (window->model != nullptr) {
        VantoranEngine::ShaderDescriptor material;
        VantoranEngine::BuildSimpleGUIShaderDescriptor(material, texture, opaquePicture);
        window->model->SetShaderDescriptor(material);
        VantoranEngine::Matrix4 shift;
        VantoranEngine::MakeTranslationMatrix(shift, {offset.x, offset.y, 0.0f});
        VantoranEngine::Matrix4 placed;
        VantoranEngine::MultiplyMatrices(placed, window->model->worldMatrix, shift);
        window->model->SetWorldMatrix(placed);
    }
    // A zero-size window would scale its model to nothing.
    window->placeModel = false;
    window->SetColor({1.0f, 1.0f, 1.0f, 0.0f});
    window->SetLayer(layer);
    return window;
}

void ComicsRecord::Tint(GUIWindow* window, float alpha)
{
    window->SetColor({1.0f, 1.0f, 1.0f, alpha});
}

void ComicsRecord::Rewind()
{
    backgroundAlpha = 0.0f;
    Tint(background, 0.0f);
    for (ComicsPage& page : pages) {
        page.alpha = 0.0f;
        page.hold = 0.0f;
        Tint(page.window, 0.0f);
    }
}

void ComicsRecord::SetAllShown(bool shown)
{
    SetShown(background, shown);
    for (ComicsPage& page : pages)
        SetShown(page.window, shown);
}

void ComicsRecord::FadeInBackground(float dt)
{
    if (backgroundAlpha >= 1.0f)
        return;
    Tint(background, backgroundAlpha);
    backgroundAlpha += dt;
    if (backgroundAlpha >= 1.0f) {
        backgroundAlpha = 1.0f;
        Tint(background, 1.0f);
    }
}

bool ComicsRecord::StepPage(size_t index, float dt)
{
    ComicsPage& page = pages[index];
    if (page.alpha < 1.0f) {
        Tint(page.window, page.alpha);
        page.alpha = std::min(page.alpha + dt, 1.0f);
        if (page.alpha >= 1.0f)
            Tint(page.window, 1.0f);
        return false;
    }
    page.hold += dt;
    if (page.hold < holdTime)
        return false;
    page.hold = holdTime;
    return true;
}

void ComicsRecord::SkipPage(size_t index)
{
    ComicsPage& page = pages[index];
    page.alpha = 1.0f;
    page.hold = holdTime;
    Tint(page.window, 1.0f);
}

bool ComicsRecord::StepFadeOut(float dt)
{
    backgroundAlpha -= dt;
    Tint(background, std::max(backgroundAlpha, 0.0f));
    for (ComicsPage& page : pages) {
        page.alpha -= dt;
        Tint(page.window, std::max(page.alpha, 0.0f));
    }
    return backgroundAlpha <= 0.0f;
}

void ComicsRecord::QueueTexts(VantoranEngine::GUIFontManager& fonts)
{
    const VantoranEngine::GUIFont* font = fonts.GetFont(textFont);
    const float lineHeight = font != nullptr ? font->size : 0.0f;
    for (ComicsPage& page : pages) {
        const VantoranEngine::Color colour{1.0f, 1.0f, 1.0f, std::clamp(page.alpha, 0.0f, 1.0f)};
        for (const ComicsTextBlock& block : page.blocks)
            for (size_t k = 0; k < block.lines.size(); ++k)
                page.window->AddText({block.x, block.y - static_cast<float>(k) * lineHeight}, colour, 0, textFont,
                                     block.lines[k], ownFontSize);
    }
}

} // namespace Petalwork
