#include "game/screens/GUILogosWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/core/files/FileManager.h"
#include "engine/render/Model.h"
#include "engine/render/gui/GUIManager.h"
#include "game/screens/GUIWindowShown.h"

namespace Petalwork {

using VantoranEngine::GUIWindow;
using VantoranEngine::ShaderDescriptor;
using VantoranEngine::Vector2;

namespace {

const Vector2 screenSize{800.0f, 600.0f};
// An 800 x 600 picture in a 1024 x 1024 texture.
const Vector2 pictureExtent{0.78125f, 0.5859375f};
// The last logo, orphaned by the backdrop's deletion, draws one layer over the start-up loading
// picture, which is a root window at the same root depth.
constexpr float orphanedLogoDepth = GUIWindow::rootDepth - GUIWindow::layerDepthStep;

} // namespace

GUILogosWindow::GUILogosWindow(VantoranEngine::Engine* engine)
    : GUILogosWindowBase(engine), files(engine->fileManager.get()), gui(engine->guiManager.get())
{
}

GUILogosWindow::~GUILogosWindow()
{
    for (const std::unique_ptr<Logo>& logo : logos)
        DeleteLogoWindow(*logo);
    gui->DeleteWindow(backdrop);
}

GUIWindow* GUILogosWindow::GetCurrentLogo() const
{
    return current != nullptr ? current->window : nullptr;
}

void GUILogosWindow::Show()
{
    GUILogosWindowBase::Show();
    ShaderDescriptor plain;
    VantoranEngine::MakeDefaultShaderDescriptor(plain);
    backdrop = gui->CreateWindow(GUIWindow::Shown | GUIWindow::Colored, {0.0f, 0.0f}, screenSize, plain, nullptr,
                                 {1.0f, 1.0f});
    backdrop->SetColor({0.0f, 0.0f, 0.0f, 1.0f});
    if (files->Exists("data\\ui\\logos\\portal_logo.jpg"))
        AddLogo("ui\\logos\\portal_logo.jpg", fadeInTime, holdTime, fadeOutTime);
    if (files->Exists("data\\ui\\logos\\publisher_logo.jpg"))
        AddLogo("ui\\logos\\publisher_logo.jpg", fadeInTime, holdTime, fadeOutTime);
    AddLogo("ui\\logos\\zeb_logo.jpg", fadeInTime, holdTime, fadeOutTime);
    current = logos.front().get();
}

void GUILogosWindow::AddLogo(const std::string& image, float fadeIn, float hold, float fadeOut)
{
    auto logo = std::make_unique<Logo>();
    logo->fadeIn = fadeIn;
    logo->hold = hold;
    logo->fadeOut = fadeOut;
    logo->end = fadeIn + hold + fadeOut;
    ShaderDescriptor picture;
    VantoranEngine::BuildSimpleGUIShaderDescriptor(picture, image, "32bit");
    logo->window = gui->CreateWindow(GUIWindow::Colored, {0.0f, 0.0f}, screenSize, picture, backdrop, pictureExtent);
    logos.push_back(std::move(logo));
}

void GUILogosWindow::Update()
{
    GUILogosWindowBase::Update();
    if (current == nullptr)
        return;
    GUIWindow* window = current->window;
    if ((window->flags & GUIWindow::Shown) == 0)
        SetShown(window, true);
    current->clock += timers->frameTime;

    float alpha = 1.0f;
    if (current->clock < current->fadeIn) {
        alpha = current->clock / current->fadeIn;
    } else if (current->clock >= current->fadeIn + current->hold) {
        if (logos.size() == 1 && backdrop != nullptr) {
            gui->DeleteWindow(backdrop);
            backdrop = nullptr;
            window->depth = orphanedLogoDepth;
            if (window->model != nullptr)
                window->model->depth = orphanedLogoDepth;
            result = 1;
        }
        alpha = (current->end - current->clock) / current->fadeOut;
    }
    window->SetColor({1.0f, 1.0f, 1.0f, alpha});

    if (current->end < current->clock) {
        DeleteLogoWindow(*current);
        current = nullptr;
        logos.pop_front();
        if (!logos.empty())
            current = logos.front().get();
    }
}

void GUILogosWindow::DeleteLogoWindow(Logo& logo)
{
    gui->DeleteWindow(logo.window);
    logo.window = nullptr;
}

} // namespace Petalwork
