#include "game/screens/GUIProfilesWindow.h"

#include "engine/render/ShaderManager.h"
#include "engine/render/gui/GUIManager.h"
#include "framework/ProfileBase.h"
#include "framework/ProfileManagerBase.h"
#include "game/board/GameData.h"
#include "game/screens/GUIWindowShown.h"

#include <algorithm>

namespace Petalwork {

using VantoranEngine::GUIButton;
using VantoranEngine::GUIWindow;
using VantoranEngine::Vector2;

namespace {
const Vector2 rowSize{340.0f, 26.0f};
constexpr float rowX = 86.0f;
constexpr float firstRowY = 285.0f;
constexpr float rowStep = 29.0f;
const Vector2 scrollPosition{441.0f, 174.0f};
const Vector2 selectionSize{340.0f, 32.0f};
const Vector2 selectionUvExtent{340.0f / 512.0f, 1.0f};
constexpr int32_t rowFont = 1;
constexpr int32_t selectedRowFont = 2;
} // namespace

GUIProfilesWindow::GUIProfilesWindow(VantoranEngine::Engine* engine, GameData& data, GUIWindow* parent,
                                     GameFramework::ProfileManagerBase* profiles)
    : GUIProfilesWindowBase(engine, profiles), GUIMenuWindow(engine, data, parent, FrameType::Large)
{
    for (size_t i = 0; i < rowCount; ++i) {
        rows[i] = gui->CreateUntexturedButton({rowX, firstRowY - rowStep * static_cast<float>(i)}, rowSize, frame);
        controls.push_back(rows[i]);
    }
    scroll = CreateScroll(scrollPosition);
    scroll->reversed = true;
    selectionFrame = gui->CreateWindow(GUIWindow::Shown | GUIWindow::Colored, {0.0f, 0.0f}, selectionSize,
                                       *data.activeProfileFrameMaterial, frame, selectionUvExtent);
    controls.push_back(selectionFrame);
    newButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    renameButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    deleteButton = CreateButton({0.0f, 0.0f}, ButtonType::Short);
    LayOutThreeButtons(newButton, renameButton, deleteButton, 3.0f, 90.0f);
    doneButton = CreateButton({0.0f, 42.0f}, ButtonType::Long);
    doneButton->position.x = (frame->size.x - doneButton->size.x) / 2.0f;
}

GUIProfilesWindow::~GUIProfilesWindow()
{
    for (GUIButton* button : rows) {
        gui->buttons.Remove(button);
        delete button;
    }
    for (GUIButton* button : {newButton, renameButton, deleteButton, doneButton}) {
        gui->buttons.Remove(button);
        delete button;
    }
    gui->scrolls.Remove(scroll);
    delete scroll;
    gui->DeleteWindow(selectionFrame);
}

void GUIProfilesWindow::Show()
{
    GUIProfilesWindowBase::Show();
    GUIMenuWindow::Show(true);
    selectedProfileName.clear();

    names.clear();
    const GameFramework::ProfileBase* current = profiles->GetCurrentProfile();
    if (current != nullptr)
        names.push_back(current->name);
    for (const auto& profile : profiles->GetProfiles())
        if (profile.get() != current)
            names.push_back(profile->name);

    for (size_t i = 0; i < rowCount; ++i)
        SetShown(rows[i], i < names.size());
    if (names.size() > rowCount) {
        SetShown(scroll, true);
        const int32_t steps = std::max(static_cast<int32_t>(names.size() - rowCount) + 1, 2);
        if (scroll->steps != steps) {
            scroll->steps = steps;
            scroll->SetPosition(scroll->position);
        }
    } else {
        SetShown(scroll, false);
    }
    scroll->SetPosition(0);
}

void GUIProfilesWindow::Hide()
{
    GUIProfilesWindowBase::Hide();
    GUIMenuWindow::Show(false);
}

void GUIProfilesWindow::Update()
{
    GUIProfilesWindowBase::Update();
    GUIMenuWindow::Update();
    if (!IsFrameVisible())
        return;

    const size_t first = static_cast<size_t>(std::max(scroll->position, 0));
    // The visible rows, each with the index of its name.
    size_t shownRows = 0;
    while (shownRows < rowCount && rows[shownRows]->visible && first + shownRows < names.size())
        ++shownRows;

    if (AcceptsInput()) {
        for (size_t i = 0; i < shownRows; ++i) {
            if (!rows[i]->clicked)
                continue;
            GameFramework::ProfileBase* picked = profiles->FindProfile(names[first + i]);
            if (picked != nullptr) {
                profiles->SetCurrentProfile(picked);
                profiles->Save(); // a failed save is logged by the manager
            }
        }
    }

    const GameFramework::ProfileBase* current = profiles->GetCurrentProfile();
    GUIButton* selectedRow = nullptr;
    for (size_t i = 0; i < shownRows; ++i) {
        const std::u16string& name = names[first + i];
        const bool selected = current != nullptr && name == current->name;
        if (selected)
            selectedRow = rows[i];
        rows[i]->SetEnabled(!selected);
        rows[i]->AddText({0.0f, 0.0f}, FadeColour(), centredBothWays,
                         rows[i]->hovered || selected ? selectedRowFont : rowFont, name, -1.0f);
    }
    if (selectedRow != nullptr) {
        selectionFrame->position = {(frame->size.x - selectionSize.x) / 2.0f, selectedRow->position.y - 1.0f};
        SetShown(selectionFrame, true);
    } else {
        SetShown(selectionFrame, false);
    }

    if (AcceptsInput()) {
        if (newButton->clicked)
            result = resultNew;
        // Rename and delete act on the current profile; without one there is nothing to act on.
        if (current != nullptr && renameButton->clicked) {
            result = resultRename;
            selectedProfileName = current->name;
        }
        if (current != nullptr && deleteButton->clicked) {
            result = resultDelete;
            selectedProfileName = current->name;
        }
        if (doneButton->clicked)
            result = resultDone;
    }

    AddTitle("PROFILES_TITLE", 318.0f);
    AddCaption(newButton, "PROFILES_NEW");
    AddCaption(renameButton, "PROFILES_RENAME");
    AddCaption(deleteButton, "PROFILES_DELETE");
    AddCaption(doneButton, "PROFILES_DONE");
}

} // namespace Petalwork
