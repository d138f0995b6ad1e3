#pragma once
// GUIFlowerHouse: the garden scene behind the menus and the stage screen, with every flower the current
// profile has planted (one flower list per stage), and the planting of the next flower of each stage at
// the end of a stage: silhouettes on offer, hover by the cursor ray, a click plants one flower (the
// profile counts and saves it, a sound, a particle burst, a blinking outline), and the house reports
// finished once the blinking is over and the mouse button is up.
//
// Rules:
// - The profile's per-stage counts come from a user-writable file: only stages that have a flower
//   group are read, each count is clamped to its group's list, and flower or prerequisite indices
//   outside the flower list count as flowers never shown.
// - Every model is a clone owned by the house, listed with the model manager; the two windows and the
//   planting effect are owned too.
// - The dialog layer is the parent of every front-end dialog's frame and of the stage screen.
// - Update does its work only while the root window is visible; the title-logo window runs it every
//   frame.
// - Main thread only; the shared random generator sets each clone's starting time.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace VantoranEngine {
class Controls;
class Engine;
class GUIManager;
class GUIWindow;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
struct Color;
struct Vector2;
} // namespace VantoranEngine

namespace GameFramework {
class SoundPlayer;
}

namespace Petalwork {

class GameData;
class Profile;
class ProfileManager;

class GUIFlowerHouse {
public:
    static constexpr int plantingSound = 43; // "flower_house"

    GUIFlowerHouse(ProfileManager* profiles, GameFramework::SoundPlayer* soundPlayer, VantoranEngine::Engine* engine,
                   GameData* gameData);
    virtual ~GUIFlowerHouse();

    GUIFlowerHouse(const GUIFlowerHouse&) = delete;
    GUIFlowerHouse& operator=(const GUIFlowerHouse&) = delete;

    // Shows the root window, takes the current profile and rebuilds the scene.
    void Show();
    // Hides the root window, the scene and the flowers.
    void Hide();
    // Places the scene and shows the flowers the shown profile has planted.
    void Rebuild();
    // Offers the next flower of each stage as a silhouette; finished at once when there is none.
    void Offer();
    // Back to the idle scene: nothing waiting, the flags cleared.
    void Reset();
    // Once per frame, only while the root window is visible.
    void Update();

    bool IsOffering() const { return offering; }
    bool IsFinished() const { return finished; }
    VantoranEngine::GUIWindow* GetRootWindow() const { return root; }
    VantoranEngine::GUIWindow* GetDialogLayer() const { return dialogLayer; }
    const std::vector<VantoranEngine::Model*>& GetSceneModels() const { return sceneModels; }
    const std::vector<VantoranEngine::Model*>& GetFlowerModels() const { return flowerModels; }
    const std::vector<VantoranEngine::Model*>& GetOutlineModels() const { return outlineModels; }
    const std::vector<VantoranEngine::Model*>& GetWaitingFlowers() const { return waitingFlowers; }
    VantoranEngine::ParticleSystem* GetPlantingEffect() const { return plantingEffect; }
    // Whether the ray through `cursor` (GUI units) hits `model`: the test a click on a silhouette takes.
    bool IsHitAt(const VantoranEngine::Model* model, const VantoranEngine::Vector2& cursor) const;

private:
    // The flower index at position n of stage i's list; -1 when there is none or it is out of range.
    int FlowerAt(size_t stage, int position) const;
    // The stages whose counts are read: those of the profile that have a flower group.
    size_t StageCount(const Profile& profile) const;
    // Stage i's count, clamped to its list.
    int PlantedCount(const Profile& profile, size_t stage) const;
    bool IsFlowerShown(int flower) const;
    bool HitByCursor(const VantoranEngine::Model* model) const;
    void Plant(Profile& profile, size_t stage, size_t waitingIndex);
    void UpdateBlinking();
    VantoranEngine::Model* Clone(const VantoranEngine::Model* prototype);
    void DeleteModel(VantoranEngine::Model*& model);
    Profile* CurrentProfile() const;

    GameData* gameData;
    ProfileManager* profiles;
    GameFramework::SoundPlayer* soundPlayer;
    VantoranEngine::Engine* engine;
    VantoranEngine::TimerManager* timerManager;
    VantoranEngine::ParticleSystemManager* particleManager;
    VantoranEngine::ModelManager* modelManager;
    VantoranEngine::GUIManager* gui;
    VantoranEngine::Controls* controls;
    VantoranEngine::ParticleSystem* plantingEffect = nullptr; // owned, listed with its manager
    Profile* shownProfile = nullptr; // the profile the scene was built for
    VantoranEngine::GUIWindow* root = nullptr;        // owned through the GUI manager's list
    VantoranEngine::GUIWindow* dialogLayer = nullptr; // owned through the GUI manager's list
    bool offering = false;
    bool finished = false;
    bool blinkDone = false;
    std::vector<VantoranEngine::Model*> sceneModels;
    std::vector<VantoranEngine::Model*> flowerModels;
    std::vector<VantoranEngine::Model*> outlineModels;
    std::vector<VantoranEngine::Model*> waitingFlowers;
    std::vector<VantoranEngine::Model*> waitingOutlines; // index-aligned with waitingFlowers
    VantoranEngine::Model* plantedFlower = nullptr;
    VantoranEngine::Model* plantedOutline = nullptr;
    float blinkTimer = 0.0f; // seconds to the next outline toggle
    int blinkCount = 0;      // toggles left
};

} // namespace Petalwork
