#include "game/screens/GUIGameLoadingWindow.h"

#include "engine/core/Engine.h"
#include "engine/core/TimerManager.h"
#include "engine/render/Model.h"
#include "engine/render/Scalar.h"
#include "engine/render/gui/GUIManager.h"
#include "game/screens/GUIWindowShown.h"

namespace Petalwork {

using VantoranEngine::GUIWindow;

namespace {

constexpr int32_t textFont = 1;
constexpr uint32_t centredBothWays = 3;

} // namespace

GUIGameLoadingWindow::GUIGameLoadingWindow(VantoranEngine::Engine* engine)
    : GUILoadingWindowBase(engine), gui(engine->guiManager.get())
{
    VantoranEngine::ShaderDescriptor material;
    VantoranEngine::BuildSimpleGUIShaderDescriptor(material, "gui\\main_menu\\loading_screen.jpg", "32bit");
    // An 800 x 600 picture in a 1024 x 1024 texture.
    picture = gui->CreateWindow(GUIWindow::Colored, {0.0f, 0.0f}, {800.0f, 600.0f}, material, nullptr,
                                {0.78125f, 0.5859375f});
}

GUIGameLoadingWindow::~GUIGameLoadingWindow()
{
    gui->DeleteWindow(picture);
}

void GUIGameLoadingWindow::Show(GameFramework::DataKeeper* data)
{
    GUILoadingWindowBase::Show(data);
    if (picture != nullptr)
        SetShown(picture, true);
}

void GUIGameLoadingWindow::Hide()
{
    GUILoadingWindowBase::Hide();
    fadingOut = true;
    if (picture != nullptr) {
        picture->depth = hiddenPictureDepth;
        if (picture->model != nullptr)
            picture->model->depth = hiddenPictureDepth;
    }
    pictureAlpha = 1.0f;
}

void GUIGameLoadingWindow::Update()
{
    GUILoadingWindowBase::Update();
    if (picture == nullptr || !picture->visible)
        return;
    if (fadingOut) {
        pictureAlpha -= timerManager->frameTime * pictureFadeSpeed;
        picture->SetColor({1.0f, 1.0f, 1.0f, pictureAlpha});
        if (pictureAlpha < 0.0f) {
            gui->DeleteWindow(picture);
            picture = nullptr;
        }
        return;
    }
    clock += timerManager->frameTime;
    if (done) {
        textAlpha = VantoranEngine::Clamp(0.0f, 1.0f, textFadeOutEnd - clock);
        if (clock > resultTime)
            result = 1;
    } else {
        textAlpha = VantoranEngine::Clamp(0.0f, 1.0f, clock - textFadeInStart);
        if (clock > loadTime)
            RunLoading();
    }
    picture->AddTextByKey({0.0f, 0.0f}, {1.0f, 1.0f, 1.0f, textAlpha}, centredBothWays, textFont, "LOADING", -1,
                          -1.0f);
}

} // namespace Petalwork
