#pragma once
// Base of the dialog that asks whether to continue the saved game.
// Window contract as in GUILogosWindowBase.h; Show and Hide of this base do nothing.

#include <cstdint>

namespace VantoranEngine {
class Engine;
}

namespace GameFramework {

class GUIContinueGameLogicWindowBase {
public:
    explicit GUIContinueGameLogicWindowBase(VantoranEngine::Engine* engine);
    virtual ~GUIContinueGameLogicWindowBase();

    GUIContinueGameLogicWindowBase(const GUIContinueGameLogicWindowBase&) = delete;
    GUIContinueGameLogicWindowBase& operator=(const GUIContinueGameLogicWindowBase&) = delete;

    virtual void Update();
    virtual void Show();
    virtual void Hide();

    VantoranEngine::Engine* engine;
    int32_t result = 0; // 1 continue the saved game, 2 start afresh
    bool shown = false; // between the base's Show and Hide
};

} // namespace GameFramework
