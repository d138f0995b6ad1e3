// The title logo over a headless engine: it rides on the path model (away at frame 5, at rest at 0
// and 10), fades in after Reset and out when it leaves, each in two thirds of a second, hides itself at
// the end of a fade-out, and runs the flower house's update also while hidden.

#include "game/screens/GUIBackgroundWindow.h"

#include "ScreenFixture.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/VertexBuffer.h"
#include "framework/Profile.h"
#include "framework/ProfileManager.h"
#include "framework/SoundPlayer.h"
#include "game/board/GameData.h"
#include "game/screens/GUIFlowerHouse.h"

#include <cstring>
#include <string>
#include <vector>

using namespace VantoranEngine;
using Petalwork::GUIBackgroundWindow;

namespace {

constexpr float restY = 505.0f;
constexpr float awayY = 800.0f;

class GUIBackgroundWindowTest : public ScreenFixture {
protected:
    void PrepareData() override
    {
        // The path: 11 frames at 10 per second, a point at rest at frames 0 and 10 and away at frame 5.
        Formats::ModelFile path = QuadModel(11, 10.0f, 0.0f, 0.0f, 0.0f, 0.0f);
        for (uint32_t f = 0; f < 11; ++f) {
            const float y = f == 5 ? awayY : (f < 5 ? restY + (awayY - restY) * static_cast<float>(f) / 5.0f
                                                    : awayY - (awayY - restY) * static_cast<float>(f - 5) / 5.0f);
            for (uint32_t v = 0; v < 4; ++v)
                path.vertices[f * 4 + v].position = {400.0f, y, 0.0f};
            path.boxes[f] = {{399.0f, y - 1.0f, 0.0f}, {401.0f, y + 1.0f, 0.0f}};
        }
        WriteModel("gui/main_menu/models/helper_logo.mlf", path);
        WriteModel("gui/main_menu/models/game_logo.MLF", QuadModel(4, 10.0f, -100.0f, -50.0f, 100.0f, 50.0f));
        WriteModel("backgrounds/flower_house/models/flower_0.mlf", QuadModel(1, 0.0f, 0.0f, 0.0f, 10.0f, 10.0f));
    }

    void SetUp() override
    {
        ScreenFixture::SetUp();
        gameData = std::make_unique<Petalwork::GameData>(*engine);
        gameData->helperLogoModel = Prototype("gui\\main_menu\\models\\helper_logo.mlf");
        gameData->gameLogoModel = Prototype("gui\\main_menu\\models\\game_logo.MLF");
        gameData->flowerHouseFlowerModels = {Prototype("backgrounds\\flower_house\\models\\flower_0.mlf")};
        gameData->flowerHouseFlowerLayers = {0};
        gameData->flowerHouseGroups = {{-1, {0}}};
        stroke = engine->shaderManager->GetShader(Material("backgrounds\\flower_house\\flower_house_flowers_stroke.jpg"));
        gameData->flowerHouseStrokeMaterial = stroke;
        gameData->stageScreenFlowerParticles =
            engine->particleSystemManager->LoadParticleSystem("particle systems\\none.psf", gui->GetCamera());
        gameData->settings = std::make_unique<Petalwork::GameSettings>();
        profiles = std::make_unique<Petalwork::ProfileManager>(*engine, nullptr, user.Path(), nullptr);
        sounds = MakeSoundPlayer({});
        house = std::make_unique<Petalwork::GUIFlowerHouse>(profiles.get(), sounds.get(), engine.get(), gameData.get());
        logo = std::make_unique<GUIBackgroundWindow>(engine.get(), house.get(), gameData.get());
    }

    void TearDown() override
    {
        logo.reset();
        house.reset();
        sounds.reset();
        for (Model* model : prototypes)
            delete model;
        delete gameData->stageScreenFlowerParticles;
        engine->shaderManager->ReleaseShader(stroke);
        gameData.reset();
        profiles.reset();
        ScreenFixture::TearDown();
    }

    Model* Prototype(const std::string& name)
    {
        Model* model = engine->modelManager->LoadDetachedModel(name, ModelFlag::vertexColours);
        model->flags &= ~(ModelFlag::lit | ModelFlag::depthTest | ModelFlag::frontToBack);
        model->flags |= ModelFlag::backToFront | ModelFlag::manualDepth;
        prototypes.push_back(model);
        return model;
    }

    void Frame(float seconds)
    {
        engine->Update();
        SetFrameTime(seconds);
        logo->Update();
        engine->EndFrame();
    }

    bool LogoDrawn() const { return (logo->logoModel->flags & ModelFlag::active) != 0; }
    float LogoAlpha() const
    {
        uint32_t argb = 0;
        std::memcpy(&argb, logo->logoModel->vertexBuffer->vertices.data() + VertexBuffer::kColorOffset, sizeof(argb));
        return logo->logoModel->vertexBuffer->UnpackColor(argb).a;
    }
    float LogoY() const { return logo->logoModel->worldMatrix[7]; }

    std::unique_ptr<Petalwork::GameData> gameData;
    std::vector<Model*> prototypes;
    ShaderUser* stroke = nullptr;
    std::unique_ptr<Petalwork::ProfileManager> profiles;
    std::unique_ptr<GameFramework::SoundPlayer> sounds;
    std::unique_ptr<Petalwork::GUIFlowerHouse> house;
    std::unique_ptr<GUIBackgroundWindow> logo;
};

TEST_F(GUIBackgroundWindowTest, ArrivesFadingInAndLeavesFadingOutUntilHidden)
{
    EXPECT_TRUE(LogoDrawn());
    EXPECT_FLOAT_EQ(logo->logoModel->depth, house->GetDialogLayer()->depth - 0.01f);
    EXPECT_EQ(logo->pathModel->animationControl->play, 0);

    logo->Reset();
    EXPECT_EQ(logo->pathModel->animationControl->currentId, 0);
    Frame(1.0f / 3.0f);
    EXPECT_NEAR(logo->alpha, 0.5f, 1e-4f);
    EXPECT_NEAR(LogoAlpha(), 0.5f, 3e-3f);
    Frame(1.0f / 3.0f);
    // Placed on the path as the last drawn frame left it: still on its way in.
    EXPECT_GT(LogoY(), restY + 1.0f);
    Frame(0.3f);
    EXPECT_NEAR(logo->alpha, 1.0f, 1e-4f);
    Frame(0.1f);
    EXPECT_NEAR(LogoY(), restY, 1e-3f); // at rest with the path's end

    logo->Leave();
    Frame(1.0f / 3.0f);
    EXPECT_NEAR(logo->alpha, 0.5f, 1e-4f);
    EXPECT_TRUE(LogoDrawn());
    Frame(1.0f / 3.0f + 0.01f);
    EXPECT_FALSE(LogoDrawn());
    Frame(0.1f);
    EXPECT_FALSE(LogoDrawn()); // until the next Reset
    logo->Reset();
    EXPECT_TRUE(LogoDrawn());
    EXPECT_FLOAT_EQ(logo->alpha, 0.0f);
}

TEST_F(GUIBackgroundWindowTest, RemovedAtOnceAndStillRunningTheFlowerHouse)
{
    logo->Reset();
    Frame(0.1f);
    logo->Remove();
    EXPECT_FALSE(LogoDrawn());
    EXPECT_EQ(logo->pathModel->animationControl->play, 0);
    EXPECT_FLOAT_EQ(logo->alpha, 0.0f);

    house->Show();
    const Model* flower = house->GetFlowerModels()[0];
    EXPECT_EQ(flower->flags & ModelFlag::active, 0u);
    auto* profile = dynamic_cast<Petalwork::Profile*>(profiles->CreateProfile(u"Ann"));
    profile->perStageValues[0] = 1;
    profiles->SetCurrentProfile(profile);
    Frame(0.1f);
    EXPECT_NE(flower->flags & ModelFlag::active, 0u); // the house followed the new profile
}

} // namespace
