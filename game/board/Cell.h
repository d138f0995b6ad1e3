#pragma once
// Cell: one place of the board with its models: the tile (frame 1 of its material is the highlight),
// up to two breakable layers, the shine, the powerup badge and ring, the sparkle, and the fragments of
// broken layers flying off the board. The rules and clocks live in CellLogic; this class makes the
// models, sounds, score and popups follow them.
//
// Rules:
// - Prototypes and services come from the level's context and outlive every cell.
// - The cell's chip is a board Chip (the chip manager owns it); the cell never deletes it.
// - Random draws (shared generator) when a layer breaks: the piece's speed factor, then per fragment its
//   side (bit 0), throw, lift and spin.

#include "game/board/Chip.h"
#include "game/board/Path.h"
#include "game/board/PathControl.h"
#include "game/board/model/CellLogic.h"
#include "game/board/model/PowerupManager.h"
#include "game/board/model/ScoreEvent.h"

#include <array>
#include <memory>
#include <vector>

namespace VantoranEngine {
class Camera;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class ShaderDescriptor;
}

namespace GameFramework {
class ScoreKeeper;
}

namespace Petalwork {

class ScoreManager;

struct CellPrototypes {
    const VantoranEngine::Model* tile = nullptr;  // cell.mlf; frame 1 of its material highlights it
    const VantoranEngine::Model* shine = nullptr; // cell.mlf wearing the shine material
    std::array<const VantoranEngine::ShaderDescriptor*, 3> materials{}; // single, double, triple
    std::array<const VantoranEngine::Model*, 4> fragments{};            // the four quarters of a layer
    const VantoranEngine::Model* powerup = nullptr;       // the badge
    const VantoranEngine::Model* powerupBorder = nullptr; // the ring
    std::array<const VantoranEngine::ShaderDescriptor*, 4> powerupMaterials{}; // horn, pause, tornado, x2
    const VantoranEngine::ParticleSystem* sparkle = nullptr;
    VantoranEngine::Camera* camera = nullptr;
};

// The game settings of the layer fragments (values 70-76, 82 and 83).
struct FragmentSettings {
    float speed = 0.0f;       // units per second
    float speedSpread = 0.0f; // added per unit of the piece's speed factor
    float throwMinimum = 0.0f, throwMaximum = 0.0f;
    float liftMinimum = 0.0f, liftMaximum = 0.0f;
    float topLimit = 0.0f;    // highest point of a throw
    float spinMinimum = 0.0f, spinMaximum = 0.0f; // radians per second
};

struct CellContext {
    VantoranEngine::ModelManager& models;
    VantoranEngine::ParticleSystemManager& particles;
    const CellPrototypes& prototypes;
    const CellTimings& timings;
    const FragmentSettings& fragments;
    SoundSink& sounds;
    GameFramework::ScoreKeeper& score;
    ScoreManager& popups;
    PowerupManager& powerups;
    float powerupLifetime = 0.0f; // the stage's, seconds
    int& powerupsPickedUp;        // the cell manager's count
};

class Cell : public CellLogic {
public:
    static constexpr float firstLayerDepth = -0.000255f;
    static constexpr float secondLayerDepth = -0.000355f;
    static constexpr float sparkleDepth = -0.002055f;
    static constexpr float fragmentEndY = -60.0f;

    Cell(const CellContext& context, BoardPoint centre, TileType fileType, uint32_t reserved);
    ~Cell() override;

    Cell(const Cell&) = delete;
    Cell& operator=(const Cell&) = delete;

    // The cell's chip as the board chip it is.
    Chip* GetChip() const { return static_cast<Chip*>(chip); }

    void Update(float dt, bool selected);
    void MoveBy(BoardPoint offset);
    // The move line took this cell as its head: the tile, layers and shine go.
    void RemoveTileModels();

    // The waves and the shine also show the models they fade.
    void StartAppear(float delay);
    void StartDisappear(float delay);
    void StartShine(float delay);

    void Select();
    void Deselect();
    bool ExchangeChips(Cell& other);
    void StartSwap(Cell& other);
    void StartUnswap(Cell& other);
    // Kind, bonus and ice change places; a stone left on a line end is marked for removal.
    void SwapKinds(Cell& other);

    bool BreakLayer();
    void RestoreLayerModels();
    void SetPowerup(PowerupKind kind);
    void PickUpPowerup();
    void RestartLayerAnimations();

    VantoranEngine::Model* tile = nullptr;
    std::vector<VantoranEngine::Model*> layers; // lower layer first
    VantoranEngine::Model* shine = nullptr;
    std::array<VantoranEngine::Model*, 2> powerupModels{};
    VantoranEngine::ParticleSystem* sparkle = nullptr;
    size_t FlyingPieces() const { return pieces.size(); }

private:
    struct Fragment {
        VantoranEngine::Model* model = nullptr;
        std::unique_ptr<Path> path;
        PathControl control;
        float spin = 0.0f; // radians per second
        float angle = 0.0f;
    };
    struct Piece {
        std::array<Fragment, 4> fragments;
        float speedFactor = 1.0f;
    };

    VantoranEngine::Model* Clone(const VantoranEngine::Model* prototype);
    void Delete(VantoranEngine::Model*& model);
    void BuildLayerModels();
    void DeleteLayerModels();
    void DeletePowerupModels();
    void PlaceAll();
    void ShowModels();
    void ApplyAlpha(float alpha);
    void ApplyColour(float r, float g, float b, float a);
    void StartFragments(const VantoranEngine::ShaderDescriptor* material, float depth);
    void StepFragments(float dt);
    void AddScore(ScoreEvent event);

    const CellContext& context;
    std::vector<std::unique_ptr<Piece>> pieces;
};

} // namespace Petalwork
