#pragma once
// Radio buttons and their groups. The GUI manager keeps a radio-button list and a group manager and
// walks them with the other widgets, but nothing in this engine creates a radio button or a group:
// both stay empty.

#include "engine/render/gui/GUIButton.h"

#include <cstdint>
#include <map>
#include <vector>

namespace VantoranEngine {

class MemoryManager;
class MessageManager;

class GUIRadioButton : public GUICheckBox {
public:
    using GUICheckBox::GUICheckBox;
};

class GUIRadioGroupManager {
public:
    GUIRadioGroupManager(MessageManager* log, MemoryManager* memoryManager);
    virtual ~GUIRadioGroupManager();

    GUIRadioGroupManager(const GUIRadioGroupManager&) = delete;
    GUIRadioGroupManager& operator=(const GUIRadioGroupManager&) = delete;

    size_t GetGroupCount() const { return groups.size(); }

private:
    MessageManager* log;
    MemoryManager* memoryManager;
    std::map<int32_t, std::vector<GUIRadioButton*>> groups; // group id -> members, not owned
};

} // namespace VantoranEngine
