#pragma once
// CellLogic: what the board's rules know of one cell: its tile and layers, place, neighbours, chip,
// flags, and the clocks of its fades, shine and powerup. The cell on the board (game/board/Cell) is
// built on it and turns each frame's Step result into model changes, sounds and score.
//
// Rules:
// - A cell without a tile (NoTile) has no layers and ignores appear, disappear, cross-fade, shine and
//   powerups.
// - The current type drops 4 -> 3 -> 0 as layers break and returns to the file type on RestoreLayers.
// - Clocks run by the frame time given to Step. A powerup expires on the first step that brings its
//   time to 0 or below (a lifetime of 0 expires at once), silently; in its last blinkCount x blinkPeriod
//   seconds it blinks.
// - The cell does not own its chip or its neighbours.

#include "game/board/model/BoardTypes.h"
#include "game/board/model/ChipLogic.h"

#include <optional>
#include <vector>

namespace Petalwork {

// Durations in seconds, from the game settings (values 16, 17, 85, 89 and 90).
struct CellTimings {
    float fade = 0.0f;         // appear and disappear
    float crossFade = 0.0f;    // each half of the layer restore; also the shine's start threshold
    float shine = 0.0f;        // each half of the shine
    float blinkPeriod = 0.0f;
    int blinkCount = 0;
};

// What one Step asks of the presentation.
struct CellStepResult {
    std::optional<float> alpha;      // tile, layer and powerup models
    bool faded = false;              // disappear ended: every model black and fully transparent
    std::optional<float> shineAlpha;
    bool shineEnded = false;         // hide the shine model
    bool restoreLayers = false;      // RestoreLayers ran: rebuild the layer models
    bool powerupExpired = false;     // the powerup went: delete its models
    bool blink = false;              // toggle both powerup models' visibility
};

class CellLogic {
public:
    CellLogic(BoardPoint centre, TileType fileType, uint32_t reserved, const CellTimings& timings);
    virtual ~CellLogic() = default;

    bool HasTile() const { return type != TileType::NoTile; }
    int Layers() const { return LayersOf(type); }

    // Types 3 and 4 lose their top layer (true); other types never break (false).
    bool BreakLayer();
    // Back to the file type's layers when neither type is NoTile (true).
    bool RestoreLayers();
    // The move line took the tile of its head.
    void RemoveTile();

    void StartAppear(float delay);
    void StartDisappear(float delay);
    void StartCrossFade(float delay);
    void StartShine(float delay);
    // Lifetime in seconds (the stage's powerup lifetime); kind None removes it. False for NoTile.
    bool SetPowerup(PowerupKind kind, float lifetime);

    // One frame. `selected`: a chip on the cell stays in state Selected.
    CellStepResult Step(float dt, bool selected);

    BoardPoint centre;
    TileType fileType;
    TileType type;
    uint32_t reserved;
    bool lineEnd = false;
    std::vector<CellLogic*> neighbours;
    ChipLogic* chip = nullptr;
    bool swapPending = false;
    bool selected = false;
    bool visited = false;

    AppearPhase appearPhase = AppearPhase::Shown;
    float phaseTimer = 0.0f;

    bool crossFadeRunning = false;
    float crossFadeTimer = 0.0f;
    float fadeOutLeft = 0.0f;
    float fadeInLeft = 0.0f;

    bool shineRunning = false;
    float shineTimer = 0.0f;
    float shineFadeIn = 0.0f;
    float shineFadeOut = 0.0f;

    PowerupKind powerup = PowerupKind::None;
    float powerupTimeLeft = 0.0f;
    float blinkTimer = 0.0f;

private:
    void StepFade(float dt, CellStepResult& result);
    void StepShine(float dt, CellStepResult& result);
    void StepPowerup(float dt, CellStepResult& result);
    void StepCrossFade(float dt, CellStepResult& result);

    CellTimings timings;
};

} // namespace Petalwork
