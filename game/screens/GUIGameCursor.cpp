#include "game/screens/GUIGameCursor.h"

#include "engine/core/Engine.h"
#include "engine/render/gui/GUIManager.h"

namespace Petalwork {

GUIGameCursor::GUIGameCursor(VantoranEngine::Engine* engine)
    : GUIGameCursorBase(engine)
{
    VantoranEngine::ShaderDescriptor material;
    VantoranEngine::BuildSimpleGUIShaderDescriptor(material, "ui\\cursors\\cursor.jpg", "ui\\cursors\\cursor_alpha.jpg");
    AddSystemCursor(engine->guiManager->CreateCursor(material, spriteSize));
    SelectCursor();
}

} // namespace Petalwork
