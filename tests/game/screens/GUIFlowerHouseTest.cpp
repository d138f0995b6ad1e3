// The flower house over a headless engine with four quad flowers in a row and four stage groups: the
// scene after a rebuild, the offer (prerequisites, used-up lists, nothing to offer), planting by a
// click on a silhouette through the cursor ray, the blinking outline, the held mouse button, and
// per-stage counts from a profile file that do not fit the groups.

#include "game/screens/GUIFlowerHouse.h"

#include "ScreenFixture.h"
#include "engine/core/MessageManager.h"
#include "engine/core/devices/Controls.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/VertexBuffer.h"
#include "framework/Profile.h"
#include "framework/ProfileManager.h"
#include "framework/SoundPlayer.h"
#include "game/board/GameData.h"

#include <cstring>
#include <string>
#include <vector>

using namespace VantoranEngine;
using Petalwork::GUIFlowerHouse;

namespace {

constexpr int flowerCount = 4;
constexpr float flowerSize = 50.0f;

// GUI position of flower i's lower-left corner.
Vector2 FlowerCorner(int i)
{
    return {100.0f * static_cast<float>(i + 1), 100.0f};
}

class GUIFlowerHouseTest : public ScreenFixture {
protected:
    void PrepareData() override
    {
        WriteModel("backgrounds/flower_house/models/scene_0.mlf", QuadModel(1, 0.0f, 0.0f, 0.0f, 800.0f, 600.0f));
        WriteModel("backgrounds/flower_house/models/scene_1.mlf", QuadModel(3, 10.0f, 0.0f, 0.0f, 800.0f, 60.0f));
        for (int i = 0; i < flowerCount; ++i) {
            const Vector2 c = FlowerCorner(i);
            WriteModel("backgrounds/flower_house/models/flower_" + std::to_string(i) + ".mlf",
                       QuadModel(1, 0.0f, c.x, c.y, c.x + flowerSize, c.y + flowerSize));
        }
    }

    void SetUp() override
    {
        ScreenFixture::SetUp();
        gameData = std::make_unique<Petalwork::GameData>(*engine);
        for (const char* name : {"scene_0", "scene_1"})
            gameData->flowerHouseSceneModels.push_back(
                Prototype(std::string("backgrounds\\flower_house\\models\\") + name + ".mlf"));
        for (int i = 0; i < flowerCount; ++i) {
            gameData->flowerHouseFlowerModels.push_back(
                Prototype("backgrounds\\flower_house\\models\\flower_" + std::to_string(i) + ".mlf"));
            gameData->flowerHouseFlowerLayers.push_back(i);
        }
        // Stage 0 plants flowers 0 and 1; stage 1 flower 2 once flower 0 is planted; stage 2 nothing;
        // stage 3 flower 3 behind a prerequisite that names no flower.
        gameData->flowerHouseGroups = {{-1, {0, 1}}, {0, {2}}, {-1, {}}, {7, {3}}};
        stroke = engine->shaderManager->GetShader(Material("backgrounds\\flower_house\\flower_house_flowers_stroke.jpg"));
        gameData->flowerHouseStrokeMaterial = stroke;
        gameData->stageScreenFlowerParticles = engine->particleSystemManager->LoadParticleSystem(
            "particle systems\\stage_screen_flower_particle.psf", gui->GetCamera());
        gameData->settings = std::make_unique<Petalwork::GameSettings>();
        gameData->settings->plantedBlinkInterval = 0.1f;
        gameData->settings->plantedBlinkCount = 2;
        profiles = std::make_unique<Petalwork::ProfileManager>(*engine, nullptr, user.Path(), nullptr);
        profile = dynamic_cast<Petalwork::Profile*>(profiles->CreateProfile(u"Ann"));
        other = dynamic_cast<Petalwork::Profile*>(profiles->CreateProfile(u"Bob"));
        profiles->SetCurrentProfile(profile);
        sounds = MakeSoundPlayer({43});
        house_ = std::make_unique<GUIFlowerHouse>(profiles.get(), sounds.get(), engine.get(), gameData.get());
    }

    void TearDown() override
    {
        house_.reset();
        sounds.reset();
        for (Model* model : prototypes)
            delete model;
        delete gameData->stageScreenFlowerParticles; // a prototype: not listed
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

    // One tick: input and GUI, the house, then the drawing half (which updates the models' boxes).
    void Frame(float seconds = 0.05f)
    {
        engine->Update();
        SetFrameTime(seconds);
        house_->Update();
        engine->EndFrame();
    }

    // Moves the pointer over a GUI point (window pixels are y down).
    void PointAt(const Vector2& at)
    {
        Platform::Test::InjectMouseMotion(static_cast<int>(at.x), static_cast<int>(599.0f - at.y), 0, 0);
    }
    static Vector2 OnFlower(int i)
    {
        const Vector2 c = FlowerCorner(i);
        return {c.x + flowerSize / 2.0f, c.y + flowerSize / 2.0f};
    }
    void ClickAt(const Vector2& at)
    {
        PointAt(at);
        Frame();
        Platform::Test::InjectMouseButton(0, true);
        Frame();
        Platform::Test::InjectMouseButton(0, false);
        Frame();
    }

    // The counts as the profile's file holds them after the last save.
    std::vector<int32_t> SavedCounts() const
    {
        const Petalwork::Profile saved(engine->messageManager.get(), engine->fileManager.get(), user.Path(),
                                       profile->GetFileName(), Petalwork::ProfileManager::stageCount);
        return saved.perStageValues;
    }

    void Start(const std::vector<int32_t>& counts)
    {
        profile->perStageValues = counts;
        house_->Show();
        Frame();
    }

    bool Drawn(const Model* model) const { return (model->flags & ModelFlag::active) != 0; }
    std::vector<bool> FlowersDrawn() const
    {
        std::vector<bool> drawn;
        for (const Model* flower : house_->GetFlowerModels())
            drawn.push_back(Drawn(flower));
        return drawn;
    }
    std::vector<const Model*> Waiting(std::initializer_list<int> flowers) const
    {
        std::vector<const Model*> models;
        for (int i : flowers)
            models.push_back(house_->GetFlowerModels()[static_cast<size_t>(i)]);
        return models;
    }
    std::vector<const Model*> WaitingNow() const
    {
        return {house_->GetWaitingFlowers().begin(), house_->GetWaitingFlowers().end()};
    }
    float Alpha(int flower) const
    {
        const Model* model = house_->GetFlowerModels()[static_cast<size_t>(flower)];
        return model->vertexBuffer->UnpackColor(FirstColour(*model)).a;
    }
    static uint32_t FirstColour(const Model& model);

    std::unique_ptr<Petalwork::GameData> gameData;
    std::vector<Model*> prototypes;
    ShaderUser* stroke = nullptr;
    std::unique_ptr<Petalwork::ProfileManager> profiles;
    Petalwork::Profile* profile = nullptr;
    Petalwork::Profile* other = nullptr;
    std::unique_ptr<GameFramework::SoundPlayer> sounds;
    std::unique_ptr<GUIFlowerHouse> house_;
};

TEST_F(GUIFlowerHouseTest, RebuildPlacesTheSceneAndShowsThePlantedFlowers)
{
    EXPECT_EQ(house_->GetDialogLayer()->layer, 2 + flowerCount + 1);
    EXPECT_EQ(house_->GetDialogLayer()->GetParent(), house_->GetRootWindow());
    Start({1, 1, 0, 0});
    const float d = house_->GetRootWindow()->depth;
    EXPECT_TRUE(house_->GetRootWindow()->visible);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_TRUE(Drawn(house_->GetSceneModels()[i]));
        EXPECT_FLOAT_EQ(house_->GetSceneModels()[i]->depth, d - 0.01f * static_cast<float>(i));
    }
    for (size_t i = 0; i < flowerCount; ++i) {
        EXPECT_FLOAT_EQ(house_->GetFlowerModels()[i]->depth, d - 0.01f * static_cast<float>(2 + i));
        EXPECT_FLOAT_EQ(house_->GetOutlineModels()[i]->depth, house_->GetFlowerModels()[i]->depth - 0.005f);
        EXPECT_FALSE(Drawn(house_->GetOutlineModels()[i]));
    }
    EXPECT_EQ(FlowersDrawn(), (std::vector<bool>{true, false, true, false}));

    // The scene follows the current profile, and loses its flowers with it.
    other->perStageValues = {2, 0, 0, 0, 0, 0, 0, 0, 0};
    profiles->SetCurrentProfile(other);
    Frame();
    EXPECT_EQ(FlowersDrawn(), (std::vector<bool>{true, true, false, false}));
    profiles->SetCurrentProfile(nullptr);
    Frame();
    EXPECT_EQ(FlowersDrawn(), (std::vector<bool>{false, false, false, false}));
    EXPECT_TRUE(Drawn(house_->GetSceneModels()[0]));

    house_->Hide();
    EXPECT_FALSE(house_->GetRootWindow()->visible);
    EXPECT_FALSE(Drawn(house_->GetSceneModels()[0]));
}

TEST_F(GUIFlowerHouseTest, OfferFollowsPrerequisitesAndUsedUpLists)
{
    struct Row {
        std::vector<int32_t> counts;
        std::vector<int> waiting;
    };
    const std::vector<Row> rows = {
        {{0, 0, 0, 0}, {0}},       // flower 2 waits for flower 0; the bad prerequisite never holds
        {{1, 0, 0, 0}, {1, 2}},
        {{2, 0, 0, 0}, {2}},       // stage 0 used up
        {{2, 1, 0, 0}, {}},
        // Counts from a profile file that do not fit: negative, beyond the list, fewer or more stages
        // than groups.
        {{-3, 5}, {0}},
        {{7, -1, 0, 0, 0, 0, 0, 0, 0}, {2}},
        {{}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::PrintToString(row.counts));
        house_->Reset();
        Start(row.counts);
        house_->Offer();
        std::vector<const Model*> expected;
        for (int i : row.waiting)
            expected.push_back(house_->GetFlowerModels()[static_cast<size_t>(i)]);
        EXPECT_EQ(WaitingNow(), expected);
        EXPECT_TRUE(house_->IsOffering());
        EXPECT_EQ(house_->IsFinished(), row.waiting.empty());
        for (int i : row.waiting) {
            EXPECT_TRUE(Drawn(house_->GetFlowerModels()[static_cast<size_t>(i)]));
            EXPECT_TRUE(Drawn(house_->GetOutlineModels()[static_cast<size_t>(i)]));
        }
    }
}

TEST_F(GUIFlowerHouseTest, AClickPlantsOneFlowerThatBlinksAndTheHouseFinishesWithTheButtonUp)
{
    Start({1, 0, 0, 0});
    house_->Offer();
    ASSERT_EQ(WaitingNow(), Waiting({1, 2}));

    // Hover lights a silhouette up; a click beside every flower changes nothing.
    PointAt(OnFlower(1));
    Frame();
    EXPECT_NEAR(Alpha(1), 1.0f, 3e-3f);
    EXPECT_NEAR(Alpha(2), 0.5f, 3e-3f);
    ClickAt({5.0f, 500.0f});
    EXPECT_EQ(profile->perStageValues, (std::vector<int32_t>{1, 0, 0, 0}));
    EXPECT_EQ(SavedCounts()[1], 0);
    EXPECT_FALSE(Played(*sounds, 43));

    // A click on flower 2 plants it for stage 1, saves and plays the sound; the burst sits on it.
    PointAt(OnFlower(2));
    Frame();
    Platform::Test::InjectMouseButton(0, true);
    Frame();
    EXPECT_EQ(profile->perStageValues, (std::vector<int32_t>{1, 1, 0, 0}));
    EXPECT_EQ(SavedCounts(), (std::vector<int32_t>{1, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(Played(*sounds, 43));
    EXPECT_EQ(WaitingNow(), Waiting({1}));
    EXPECT_EQ(house_->GetPlantingEffect()->emitting, 1);
    EXPECT_NEAR(house_->GetPlantingEffect()->position.x, OnFlower(2).x, 1e-3f);
    EXPECT_NEAR(house_->GetPlantingEffect()->position.y, OnFlower(2).y, 1e-3f);

    // The outline toggles 2 x 2 + 1 times every 0.1 s (shown at even counts) and ends hidden; the
    // button still held keeps the house from finishing.
    const Model* outline = house_->GetOutlineModels()[2];
    std::vector<bool> shown;
    for (int i = 0; i < 6; ++i) {
        Frame(0.11f);
        shown.push_back(Drawn(outline));
    }
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true, false, false, false}));
    EXPECT_TRUE(Drawn(house_->GetFlowerModels()[2]));
    EXPECT_NEAR(Alpha(2), 1.0f, 3e-3f);
    EXPECT_FALSE(house_->IsFinished());
    Platform::Test::InjectMouseButton(0, false);
    Frame();
    EXPECT_TRUE(house_->IsFinished());

    // Reset takes the remaining silhouette away.
    house_->Reset();
    EXPECT_FALSE(house_->IsOffering());
    EXPECT_FALSE(Drawn(house_->GetFlowerModels()[1]));
    EXPECT_FALSE(Drawn(house_->GetOutlineModels()[1]));
    EXPECT_TRUE(WaitingNow().empty());
}

uint32_t GUIFlowerHouseTest::FirstColour(const Model& model)
{
    uint32_t argb = 0;
    std::memcpy(&argb, model.vertexBuffer->vertices.data() + VertexBuffer::kColorOffset, sizeof(argb));
    return argb;
}

} // namespace
