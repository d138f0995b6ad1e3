#pragma once
// ModelPlayer: the few things the level's parts do to an engine model: show or hide it (the manager's
// active flag, which is also what lets its animation advance), place it at its base matrix moved by an
// offset, tint it, and play, stop or test one of its animation ranges. Every function accepts a null
// model (a part whose prototype is missing) and a model without animation.
//
// "Animation k has ended" means k is the current range and it no longer plays: a looping range never
// ends, and a hidden model's animation never advances.

#include "engine/render/BoundingBox.h"
#include "game/board/model/BasketLogic.h"

namespace VantoranEngine {
class Model;
}

namespace Petalwork {

class ModelPlayer {
public:
    static void SetDrawn(VantoranEngine::Model* model, bool drawn);
    static bool IsDrawn(const VantoranEngine::Model* model);
    // Base matrix, then a translation by (x, y, 0).
    static void Place(VantoranEngine::Model* model, float x, float y);
    static void SetColour(VantoranEngine::Model* model, const BasketColour& colour);
    // Takes the model's current matrix as its base matrix.
    static void KeepBase(VantoranEngine::Model* model);

    static void AddRange(VantoranEngine::Model* model, int id, unsigned first, unsigned last);
    // Plays range `id` from its start.
    static void Play(VantoranEngine::Model* model, int id, float speed, bool loop);
    // Makes `id` the current range at its start without playing it.
    static void Select(VantoranEngine::Model* model, int id);
    static bool IsCurrent(const VantoranEngine::Model* model, int id);
    static bool IsPlaying(const VantoranEngine::Model* model, int id);
    static bool HasEnded(const VantoranEngine::Model* model, int id);
    static bool IsLooping(const VantoranEngine::Model* model, int id);
    // Position within the current range, 0 .. 1 of its length.
    static void SetPosition(VantoranEngine::Model* model, float fraction);
    // The model's world box; an empty box at the origin without a model.
    static VantoranEngine::BoundingBox Box(const VantoranEngine::Model* model);
};

} // namespace Petalwork
