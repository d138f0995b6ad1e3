#pragma once
// A ray (origin and direction, not necessarily normalised) or a segment (start and delta: the
// segment runs from origin to origin + direction). TransformRay lives with the matrices.

#include "engine/render/Vector3.h"

namespace VantoranEngine {

struct Ray {
    Vector3 origin;
    Vector3 direction;
};

} // namespace VantoranEngine
