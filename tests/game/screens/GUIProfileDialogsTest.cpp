// The profile dialogs on a temporary user folder: the list (rows, scroll steps, the current profile
// first and disabled, row clicks), new profile and rename with their name handling (blank, padded,
// another letter case, Cyrillic), delete and the name-conflict notice.

#include "game/screens/GUIDeleteProfileWindow.h"
#include "game/screens/GUINewProfileWindow.h"
#include "game/screens/GUIProfileNameConflictWindow.h"
#include "game/screens/GUIProfilesWindow.h"
#include "game/screens/GUIRenameProfileWindow.h"

#include "DialogFixture.h"
#include "engine/render/gui/GUIEditBox.h"
#include "engine/render/gui/GUISlider.h"

using namespace VantoranEngine;
using GameFramework::GUINewProfileWindowBase;
using GameFramework::GUIProfileNameConflictWindowBase;
using GameFramework::ProfileBase;
using Petalwork::GUIDeleteProfileWindow;
using Petalwork::GUINewProfileWindow;
using Petalwork::GUIProfileNameConflictWindow;
using Petalwork::GUIProfilesWindow;
using Petalwork::GUIRenameProfileWindow;

namespace {

class GUIProfileDialogsTest : public DialogFixture {
protected:
    // Profiles named "P01", "P02", ... with the first current.
    void MakeProfiles(int count)
    {
        for (int i = 1; i <= count; ++i) {
            const std::u16string name = u"P" + std::u16string(1, u'0' + i / 10) + std::u16string(1, u'0' + i % 10);
            profiles->CreateProfile(name);
        }
        if (count > 0)
            profiles->SetCurrentProfile(profiles->GetProfiles().front().get());
    }

    std::vector<std::u16string> ProfileNames() const
    {
        std::vector<std::u16string> names;
        for (const auto& profile : profiles->GetProfiles())
            names.push_back(profile->name);
        return names;
    }

    template <typename Window, typename ShowFn>
    std::unique_ptr<Window> Shown(std::unique_ptr<Window> window, ShowFn show)
    {
        show(*window);
        Frames(11, [&window] { window->Update(); });
        return window;
    }
};

TEST_F(GUIProfileDialogsTest, ListShowsTheCurrentProfileFirstAndScrollsBeyondSixRows)
{
    struct Case {
        int profiles;
        bool scroll;
        int32_t steps;
        size_t rows;
    };
    const Case cases[] = {{1, false, 0, 1}, {6, false, 0, 6}, {7, true, 2, 6}, {12, true, 7, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profiles);
        for (const std::u16string& name : ProfileNames())
            profiles->DeleteProfile(name);
        MakeProfiles(c.profiles);
        profiles->SetCurrentProfile(profiles->GetProfiles().back().get()); // the last by name is current
        auto list = Shown(std::make_unique<GUIProfilesWindow>(engine.get(), *gameData, layer, profiles.get()),
                          [](GUIProfilesWindow& w) { w.Show(); });
        auto update = [&list] { list->Update(); };
        EXPECT_EQ(list->GetScroll()->visible, c.scroll);
        if (c.scroll) {
            EXPECT_EQ(list->GetScroll()->steps, c.steps);
        }
        EXPECT_EQ(list->GetScroll()->position, 0);
        ASSERT_EQ(list->GetNames().size(), static_cast<size_t>(c.profiles));
        EXPECT_EQ(list->GetNames().front(), profiles->GetCurrentProfile()->name);
        Frame(update, [&] {
            for (size_t i = 0; i < GUIProfilesWindow::rowCount; ++i) {
                SCOPED_TRACE(i);
                GUIButton* row = list->GetRow(i);
                EXPECT_EQ(row->visible, i < c.rows);
                if (!row->visible)
                    continue;
                ASSERT_EQ(row->GetTextCount(), 1u);
                EXPECT_EQ(row->GetTextItem(0).text, list->GetNames()[i]);
                EXPECT_EQ(row->GetTextItem(0).fontId, i == 0 ? 2 : 1);
                EXPECT_EQ(row->state == GUIButton::Disabled, i == 0);
            }
            EXPECT_TRUE(list->GetSelectionFrame()->visible);
            EXPECT_FLOAT_EQ(list->GetSelectionFrame()->position.y, 284.0f);
            EXPECT_FLOAT_EQ(list->GetSelectionFrame()->position.x, 86.0f);
        });
        if (c.scroll) {
            // Scrolled one step: the rows show names 2 to 7, and the current profile has no row.
            list->GetScroll()->SetPosition(1);
            Frame(update, [&] {
                for (size_t i = 0; i < GUIProfilesWindow::rowCount; ++i)
                    EXPECT_EQ(list->GetRow(i)->GetTextItem(0).text, list->GetNames()[i + 1]);
                EXPECT_FALSE(list->GetSelectionFrame()->visible);
            });
        }
    }
}

TEST_F(GUIProfileDialogsTest, ClickedRowBecomesCurrentAndIsSaved)
{
    MakeProfiles(3);
    auto list = Shown(std::make_unique<GUIProfilesWindow>(engine.get(), *gameData, layer, profiles.get()),
                      [](GUIProfilesWindow& w) { w.Show(); });
    auto update = [&list] { list->Update(); };
    const std::u16string picked = list->GetNames()[2];
    Click(list->GetRow(2), update);
    Frame(update, [&] {
        EXPECT_EQ(profiles->GetCurrentProfile()->name, picked);
        EXPECT_EQ(list->GetRow(0)->state == GUIButton::Disabled, false);
        EXPECT_FLOAT_EQ(list->GetSelectionFrame()->position.y, 285.0f - 2 * 29.0f - 1.0f);
    });
    EXPECT_EQ(StoredCurrentName(), picked);

    // During the fade-out a row click changes nothing.
    list->Hide();
    Click(list->GetRow(1), update);
    Frame(update);
    EXPECT_EQ(profiles->GetCurrentProfile()->name, picked);
}

TEST_F(GUIProfileDialogsTest, ListButtonsGiveTheirResultsWithTheCurrentName)
{
    MakeProfiles(2);
    struct Case {
        int button; // 0 new, 1 rename, 2 delete, 3 done
        int32_t result;
        bool named;
    };
    for (const Case& c : {Case{0, 1, false}, Case{1, 2, true}, Case{2, 3, true}, Case{3, 4, false}}) {
        SCOPED_TRACE(c.button);
        auto list = Shown(std::make_unique<GUIProfilesWindow>(engine.get(), *gameData, layer, profiles.get()),
                          [](GUIProfilesWindow& w) { w.Show(); });
        GUIButton* buttons[] = {list->GetNewButton(), list->GetRenameButton(), list->GetDeleteButton(),
                                list->GetDoneButton()};
        auto update = [&list] { list->Update(); };
        Click(buttons[c.button], update);
        Frame(update, [&] {
            EXPECT_EQ(list->result, c.result);
            EXPECT_EQ(list->selectedProfileName, c.named ? u"P01" : u"");
        });
    }
}

TEST_F(GUIProfileDialogsTest, NewProfileTrimsTheNameAndRefusesOneTakenInAnyCase)
{
    profiles->SetCurrentProfile(profiles->CreateProfile(u"Anna"));
    struct Case {
        const char* name;
        std::string typed;
        int32_t result;          // 0: OK stays disabled and ENTER does nothing
        std::u16string current;  // the current profile afterwards
    };
    const Case cases[] = {
        {"blank", " ", 0, u"Anna"},
        {"padded", " x ", 2, u"x"},
        {"another case", "anna", 1, u"Anna"},
        {"taken with a trailing blank", "Anna ", 1, u"Anna"},
        {"Cyrillic", "\xD0\xAE\xD0\xBB\xD1\x8F", 2, u"Юля"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        profiles->SetCurrentProfile(profiles->FindProfile(u"Anna"));
        profiles->Save();
        const size_t before = profiles->GetProfiles().size();
        auto dialog = Shown(std::make_unique<GUINewProfileWindow>(engine.get(), *gameData, layer, profiles.get()),
                            [](GUINewProfileWindow& w) { w.Show(GUINewProfileWindowBase::Mode::Fresh); });
        auto update = [&dialog] { dialog->Update(); };
        Type(c.typed, update);
        int32_t result = 0;
        PressEnter(update, [&] { result = dialog->result; });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(profiles->GetCurrentProfile()->name, c.current);
        EXPECT_EQ(profiles->GetProfiles().size(), before + (c.result == 2 ? 1 : 0));
        EXPECT_EQ(StoredCurrentName(), c.current);
    }
}

TEST_F(GUIProfileDialogsTest, NewProfileOffersCancelWithProfilesAndExitWithout)
{
    auto dialog = std::make_unique<GUINewProfileWindow>(engine.get(), *gameData, layer, profiles.get());
    auto update = [&dialog] { dialog->Update(); };
    dialog->Show(GUINewProfileWindowBase::Mode::Fresh);
    Frames(11, update);
    EXPECT_FALSE(dialog->GetCancelButton()->visible);
    EXPECT_TRUE(dialog->GetExitButton()->visible);
    EXPECT_FLOAT_EQ(dialog->GetExitButton()->position.x, 192.0f); // right of OK, 14 apart
    Click(dialog->GetExitButton(), update);
    Frame(update, [&] { EXPECT_EQ(dialog->result, GUINewProfileWindow::resultExit); });

    profiles->CreateProfile(u"Anna");
    Type("Bo", update);
    dialog->Hide();
    Frames(11, update);
    dialog->Show(GUINewProfileWindowBase::Mode::BackFromConflict); // keeps what was typed
    Frames(11, update);
    EXPECT_EQ(dialog->GetNameBox()->text, u"Bo");
    EXPECT_TRUE(dialog->GetCancelButton()->visible);
    EXPECT_FALSE(dialog->GetExitButton()->visible);
    Click(dialog->GetCancelButton(), update);
    Frame(update, [&] { EXPECT_EQ(dialog->result, GUINewProfileWindow::resultBack); });
    EXPECT_EQ(profiles->GetProfiles().size(), 1u);
}

TEST_F(GUIProfileDialogsTest, RenameComparesTrimmedNamesSoNoTwoProfilesShareOne)
{
    struct Case {
        const char* name;
        std::string typed;
        int32_t result;
        std::vector<std::u16string> names; // afterwards, in the manager's order
    };
    const Case cases[] = {
        {"another's name with a trailing blank", "Bob ", 1, {u"Anna", u"Bob"}},
        {"another's name in another case", "bob", 1, {u"Anna", u"Bob"}},
        {"blanks only", "   ", 0, {u"Anna", u"Bob"}},
        {"padded", " Cleo ", 2, {u"Bob", u"Cleo"}},
        {"own name in another case", "ANNA", 2, {u"Anna", u"Bob"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const std::u16string& name : ProfileNames())
            profiles->DeleteProfile(name);
        profiles->CreateProfile(u"Bob");
        ProfileBase* anna = profiles->CreateProfile(u"Anna");
        profiles->SetCurrentProfile(anna);
        profiles->Save();
        auto dialog = Shown(std::make_unique<GUIRenameProfileWindow>(engine.get(), *gameData, layer, profiles.get()),
                            [](GUIRenameProfileWindow& w) { w.Show(true, u"Anna"); });
        auto update = [&dialog] { dialog->Update(); };
        EXPECT_EQ(dialog->GetNameBox()->text, u"Anna");
        dialog->GetNameBox()->SetText(u"");
        Type(c.typed, update);
        int32_t result = 0;
        PressEnter(update, [&] { result = dialog->result; });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(ProfileNames(), c.names);
        EXPECT_EQ(profiles->GetCurrentProfile(), anna); // the renamed profile stays current
        EXPECT_EQ(StoredCurrentName(), anna->name);
    }
}

TEST_F(GUIProfileDialogsTest, DeleteGivesTwoForTheLastProfileAndDeletesOnce)
{
    MakeProfiles(2);
    auto dialog = std::make_unique<GUIDeleteProfileWindow>(engine.get(), *gameData, layer, profiles.get());
    auto update = [&dialog] { dialog->Update(); };
    struct Step {
        std::u16string name;
        bool yes;
        int32_t result;
        size_t left;
    };
    for (const Step& s : {Step{u"P01", false, 1, 2}, Step{u"P01", true, 1, 1}, Step{u"P02", true, 2, 0}}) {
        dialog->Show(s.name);
        Frames(11, update);
        Click(s.yes ? dialog->GetYesButton() : dialog->GetNoButton(), update);
        Frame(update, [&] {
            EXPECT_EQ(dialog->result, s.result);
            // The name in quotes, in font 2, between the second and fourth lines.
            ASSERT_EQ(dialog->GetFrame()->GetTextCount(), 5u);
            const GUITextItem& name = dialog->GetFrame()->GetTextItem(3);
            EXPECT_EQ(name.text, u"\"" + s.name + u"\"");
            EXPECT_EQ(name.fontId, 2);
            EXPECT_FLOAT_EQ(name.position.y, 113.0f);
            EXPECT_EQ(dialog->GetFrame()->GetTextItem(4).index, 3);
        });
        EXPECT_EQ(profiles->GetProfiles().size(), s.left);
        dialog->Hide();
        // A second "yes" while it fades out does nothing more.
        Click(dialog->GetYesButton(), update);
        Frame(update, [&] { EXPECT_EQ(dialog->result, 0); });
        EXPECT_EQ(profiles->GetProfiles().size(), s.left);
        Frames(11, update);
    }
}

TEST_F(GUIProfileDialogsTest, NameConflictGoesBackByItsModeOnOkOrEnter)
{
    using Mode = GUIProfileNameConflictWindowBase::Mode;
    struct Case {
        Mode mode;
        bool enter;
        int32_t result;
    };
    for (const Case& c : {Case{Mode::NewName, false, 1}, Case{Mode::NewName, true, 1}, Case{Mode::Rename, true, 2},
                          Case{Mode::Rename, false, 2}}) {
        auto dialog = Shown(std::make_unique<GUIProfileNameConflictWindow>(engine.get(), *gameData, layer),
                            [&c](GUIProfileNameConflictWindow& w) { w.Show(c.mode); });
        auto update = [&dialog] { dialog->Update(); };
        int32_t result = 0;
        if (c.enter) {
            PressEnter(update, [&] { result = dialog->result; });
        } else {
            Click(dialog->GetOkButton(), update);
            Frame(update, [&] { result = dialog->result; });
        }
        EXPECT_EQ(result, c.result);
    }
}

} // namespace
