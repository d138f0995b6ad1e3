#include "game/screens/TipPageFile.h"

#include "engine/core/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/core/files/FileTextual.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/Texture2D.h"
#include "engine/render/gui/GUIFont.h"
#include "engine/render/gui/GUIFontManager.h"
#include "engine/render/gui/GUIManager.h"
#include "engine/render/gui/GUIWindow.h"
#include "game/screens/GUIWindowShown.h"

namespace Petalwork {

using GameFramework::TipPage;
using VantoranEngine::Vector2;

namespace {

// The next non-empty word.
std::string ReadWord(VantoranEngine::FileTextual& file)
{
    std::string word;
    while (file.ReadString(word, true) && word.empty()) {
    }
    return word;
}

} // namespace

std::vector<TipPage> TipPageFile::Load(VantoranEngine::Engine& engine, const std::string& languageCode,
                                       const std::string& name, size_t maxPages,
                                       std::vector<VantoranEngine::ShaderUser*>& materials)
{
    const size_t firstOwn = materials.size();
    std::vector<TipPage> pages;
    try {
        std::unique_ptr<VantoranEngine::FileTextual> file =
            engine.fileManager->OpenTextual("data\\gui\\tip_window\\text\\" + languageCode + "\\" + name, false);
        const int32_t count = file->ReadInt();
        for (int32_t i = 0; i < count && pages.size() < maxPages && !file->endOfFile; ++i) {
            TipPage page;
            file->ReadTextToken(page.title);
            page.pictureX = file->ReadFloat();
            page.pictureY = file->ReadFloat();
            const std::string colour = ReadWord(*file);
            const std::string opacity = ReadWord(*file);
            VantoranEngine::ShaderDescriptor descriptor;
            VantoranEngine::BuildSimpleGUIShaderDescriptor(descriptor, "gui\\tip_window\\" + colour,
                                                           "gui\\tip_window\\" + opacity);
            page.material = engine.shaderManager->GetShader(descriptor);
            materials.push_back(page.material);
            page.textX = file->ReadFloat();
            page.textY = file->ReadFloat();
            const int32_t lineCount = file->ReadInt();
            std::u16string line;
            for (int32_t j = 0; j < lineCount && !file->endOfFile; ++j) {
                if (!file->ReadTextToken(line))
                    break;
                page.lines.push_back(line);
            }
            pages.push_back(std::move(page));
        }
    } catch (const VantoranEngine::FileError& error) {
        for (size_t i = firstOwn; i < materials.size(); ++i)
            engine.shaderManager->ReleaseShader(materials[i]);
        materials.resize(firstOwn);
        engine.messageManager->LogFatalError(error.message);
    }
    return pages;
}

Vector2 TipPageFile::PictureSize(const VantoranEngine::ShaderUser* material)
{
    if (material == nullptr || material->shader == nullptr || material->shader->textures[0].empty())
        return {0.0f, 0.0f};
    const VantoranEngine::Texture2D* texture = material->shader->textures[0].front();
    if (texture == nullptr)
        return {0.0f, 0.0f};
    return {static_cast<float>(texture->width), static_cast<float>(texture->height)};
}

VantoranEngine::GUIWindow* TipPageFile::CreatePicture(VantoranEngine::GUIManager& gui, VantoranEngine::GUIWindow* frame,
                                                      const TipPage& page)
{
    if (page.material == nullptr)
        return nullptr;
    const Vector2 size = PictureSize(page.material);
    const Vector2 centre{page.pictureX - frame->position.x, page.pictureY + frameLift - frame->position.y};
    VantoranEngine::GUIWindow* picture =
        gui.CreateWindow(VantoranEngine::GUIWindow::Colored, {centre.x - size.x / 2.0f, centre.y - size.y / 2.0f},
                         size, *page.material, frame, {1.0f, 1.0f});
    SetShown(picture, true);
    picture->SetColor({1.0f, 1.0f, 1.0f, 0.0f});
    return picture;
}

void TipPageFile::QueueTexts(VantoranEngine::GUIWindow* frame, const VantoranEngine::GUIFontManager& fonts,
                             const TipPage& page, float lineAlpha, float titleAlpha)
{
    const VantoranEngine::GUIFont* font = fonts.GetFont(lineFont);
    const float lineHeight = font != nullptr ? font->size : 0.0f;
    const float x = page.textX - frame->position.x;
    const float top = page.textY + frameLift - frame->position.y;
    for (size_t j = 0; j < page.lines.size(); ++j) {
        if (page.lines[j].empty())
            continue;
        frame->AddText({x, top - static_cast<float>(j + 1) * lineHeight}, {1.0f, 1.0f, 1.0f, lineAlpha}, 0,
                       lineFont, page.lines[j], -1.0f);
    }
    if (!page.title.empty())
        frame->AddText({0.0f, titleY}, {1.0f, 1.0f, 1.0f, titleAlpha}, 1, titleFont, page.title, -1.0f);
}

} // namespace Petalwork
