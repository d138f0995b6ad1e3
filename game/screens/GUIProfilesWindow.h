#pragma once
// The profile list: up to six rows of names (the current profile first, drawn in the second font over a
// selection frame and not clickable), a scroll bar when there are more, and new, rename, delete and done
// buttons. A clicked row makes its profile current and saves the manager file.
//
// Rules:
// - The names are taken in Show; the list does not follow profile changes made while it is shown.
// - Clicks count only while the list is shown and not fading out; texts are queued while it is drawn.
// - Main thread only.

#include "framework/GUIProfilesWindowBase.h"
#include "game/screens/GUIMenuWindow.h"

#include <array>
#include <string>
#include <vector>

namespace Petalwork {

class GameData;

class GUIProfilesWindow : public GameFramework::GUIProfilesWindowBase, public GUIMenuWindow {
public:
    static constexpr int32_t resultNew = 1;
    static constexpr int32_t resultRename = 2;
    static constexpr int32_t resultDelete = 3;
    static constexpr int32_t resultDone = 4;
    static constexpr size_t rowCount = 6;

    GUIProfilesWindow(VantoranEngine::Engine* engine, GameData& data, VantoranEngine::GUIWindow* parent,
                      GameFramework::ProfileManagerBase* profiles);
    ~GUIProfilesWindow() override;

    void Update() override;
    void Show() override;
    void Hide() override;

    VantoranEngine::GUIButton* GetRow(size_t i) const { return rows[i]; }
    VantoranEngine::GUIScroll* GetScroll() const { return scroll; }
    VantoranEngine::GUIWindow* GetSelectionFrame() const { return selectionFrame; }
    VantoranEngine::GUIButton* GetNewButton() const { return newButton; }
    VantoranEngine::GUIButton* GetRenameButton() const { return renameButton; }
    VantoranEngine::GUIButton* GetDeleteButton() const { return deleteButton; }
    VantoranEngine::GUIButton* GetDoneButton() const { return doneButton; }
    const std::vector<std::u16string>& GetNames() const { return names; }

private:
    std::array<VantoranEngine::GUIButton*, rowCount> rows{};
    VantoranEngine::GUIScroll* scroll = nullptr;
    VantoranEngine::GUIWindow* selectionFrame = nullptr;
    VantoranEngine::GUIButton* newButton = nullptr;
    VantoranEngine::GUIButton* renameButton = nullptr;
    VantoranEngine::GUIButton* deleteButton = nullptr;
    VantoranEngine::GUIButton* doneButton = nullptr;
    std::vector<std::u16string> names; // the current profile's first
};

} // namespace Petalwork
