#pragma once
// GUICursor: the mouse cursor mapped into GUI space (800 × 600 of the GUI camera, y up), optionally
// drawn as a textured square that hangs down and to the right of the cursor point.
//
// Rules:
// - Update reads the system cursor in the main window's client pixels; the cursor moves even when
//   hidden. A window of zero size leaves the position unchanged.
// - Owners set `shown`; it starts false.
// - Main thread only.

#include "engine/render/ShaderDescriptor.h"
#include "engine/render/Vector2.h"
#include "engine/render/gui/GUIWindow.h"

namespace VantoranEngine {

class GUICursor {
public:
    // Model flags of the textured square: drawn, GUI draw order, static vertices.
    static constexpr uint32_t modelFlags = 0x48C11;
    static constexpr float modelDepth = -30.1f;

    // A cursor without model (the system cursor).
    explicit GUICursor(const GUIServices& services);
    // A textured square of `size` GUI units whose top-left corner is the cursor point.
    GUICursor(const GUIServices& services, const ShaderDescriptor& descriptor, float size);
    virtual ~GUICursor();

    GUICursor(const GUICursor&) = delete;
    GUICursor& operator=(const GUICursor&) = delete;

    void Update();
    void Render();

    Model* model = nullptr; // owned; null for the system cursor
    bool shown = false;
    Vector2 position;       // GUI space

private:
    GUIServices services;
};

} // namespace VantoranEngine
