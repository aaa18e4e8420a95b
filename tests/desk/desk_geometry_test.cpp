// Every page and form, opened from its menu command after a login on the maximised
// main window, shows each control whole: inside its visible parent (or an area that
// scrolls), no two buttons over each other, every grid with a real size, and the form
// itself on the screen. Run at the shop's desktop by scripts/desk-tests.sh;
// QV_SCREENSHOTS=<dir> keeps a picture of each form.
#include "app/main_frame.h"
#include "desk/desk_fixture.h"
#include "grid/grid_ctrl.h"
#include "res/command_ids.h"
#include "res/control_fit.h"

#include <algorithm>
#include <iostream>
#include <set>
#include <string>
#include <vector>
#include <wx/button.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/scrolwin.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

namespace {

std::string Describe(wxWindow* window) {
    wxString text = window->GetLabel();
    if (text.empty()) text = window->GetName();
    return std::string(wxString(window->GetClassInfo()->GetClassName()).utf8_str()) + " \"" +
           std::string(text.utf8_str()) + "\"";
}

// What is wrong with the layout of `window`'s shown children, each line naming where.
void CollectFaults(wxWindow* window, const std::string& where, std::vector<std::string>& faults) {
    const wxRect client(window->GetClientSize());
    // A scrolled area shows its children by scrolling; a notebook places its pages
    // itself, in coordinates that count its frame.
    const bool scrolls = dynamic_cast<wxScrollHelperBase*>(window) != nullptr ||
                         dynamic_cast<wxNotebook*>(window) != nullptr;
    std::vector<wxWindow*> buttons;
    for (wxWindow* child : window->GetChildren()) {
        if (child->IsTopLevel() || !child->IsShown()) continue;
        const wxRect rect = child->GetRect();
        const std::string what = where + " / " + Describe(child);
        if (!scrolls && !client.Contains(rect))
            faults.push_back(what + " at (" + std::to_string(rect.x) + "," +
                             std::to_string(rect.y) + " " + std::to_string(rect.width) + "x" +
                             std::to_string(rect.height) + ") lies outside its parent's " +
                             std::to_string(client.width) + "x" + std::to_string(client.height));
        if (dynamic_cast<wxButton*>(child)) buttons.push_back(child);
        // An up-down control drawn whole, its edit showing 200 whole.
        if (auto* spin = dynamic_cast<res::TemplateSpin*>(child)) {
            if (rect.width < spin->GetBestSize().x)
                faults.push_back(what + ": an up-down control cut to " +
                                 std::to_string(rect.width));
            if (wxTextCtrl* buddy = spin->GetBuddy();
                buddy && buddy->IsShown() && buddy->GetSize().x < res::NumberEditWidth(buddy))
                faults.push_back(what + ": its edit is " + std::to_string(buddy->GetSize().x) +
                                 " wide, 200 needs " + std::to_string(res::NumberEditWidth(buddy)));
        }
        if (dynamic_cast<CGridCtrl*>(child)) {
            if (rect.width < 60 || rect.height < 40)
                faults.push_back(what + ": a grid only " + std::to_string(rect.width) + "x" +
                                 std::to_string(rect.height));
            continue;
        }
        if (dynamic_cast<wxPanel*>(child) || dynamic_cast<wxNotebook*>(child))
            CollectFaults(child, what, faults);
    }
    for (size_t i = 0; i < buttons.size(); ++i)
        for (size_t j = i + 1; j < buttons.size(); ++j)
            if (buttons[i]->GetRect().Intersects(buttons[j]->GetRect()))
                faults.push_back(where + ": " + Describe(buttons[i]) + " overlaps " +
                                 Describe(buttons[j]));
}

// A form's faults, its place on the screen among them.
std::vector<std::string> FormFaults(wxWindow* form, const std::string& command) {
    std::vector<std::string> faults;
    const wxRect screen = wxDisplay(form).GetClientArea();
    const std::string where = command + ": " + Describe(form);
    if (!screen.Contains(form->GetScreenRect()))
        faults.push_back(where + " reaches beyond the screen");
    CollectFaults(form, where, faults);
    return faults;
}

// A screenshot of the form checked, under QV_SCREENSHOTS.
void Shoot(std::string command) {
    std::replace(command.begin(), command.end(), '/', '_');
    desk::Shot(command.c_str());
}

// Checks each modal dialog a command opens once the window manager has shown it and
// it keeps its size, then cancels it; the innermost first.
class ModalChecker : public wxTimer {
public:
    ModalChecker(std::string command, std::vector<std::string>& faults)
        : command_(std::move(command)), faults_(faults) {
        Start(50);
    }
    int Checked() const { return checked_; }
    void Notify() override {
        wxDialog* modal = nullptr;
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal())
                modal = dialog;
        if (!modal) return;
        if (modal != last_ || modal->GetSize() != lastSize_ || !modal->IsShownOnScreen()) {
            last_ = modal;
            lastSize_ = modal->GetSize();
            settled_ = 0;
            return;
        }
        if (++settled_ < 4) return;
        Shoot(command_);
        for (const std::string& fault : FormFaults(modal, command_))
            faults_.push_back(fault);
        ++checked_;
        last_ = nullptr;
        modal->EndModal(wxID_CANCEL);
    }

private:
    std::string command_;
    std::vector<std::string>& faults_;
    wxDialog* last_ = nullptr;
    wxSize lastSize_;
    int settled_ = 0;
    int checked_ = 0;
};

// The commands of the main menu that open no page or form of their own: files,
// printing, editing, what the view shows, leaving, help, backups.
const std::set<int> kNotForms = {
    ID_FILE_NEW,        ID_FILE_OPEN,          ID_FILE_SAVE,        ID_FILE_SAVE_AS,
    ID_FILE_PRINT_MENU, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_LOGIN,
    ID_APP_EXIT,        ID_EDIT_UNDO,          ID_EDIT_CUT,         ID_EDIT_COPY,
    ID_EDIT_PASTE,      ID_VIEW_TOOLBAR,       ID_QUERY_TOOLBAR,    ID_VIEW_STATUS_BAR,
    ID_LARGE_ICONS,     ID_SMALL_ICONS,        ID_SHOW_BACKGROUND,  ID_BACKGROUND,
    ID_BROWSE_PICTURE,  ID_EXPORT_EXCEL,       ID_DATA_BACKUP,      ID_DATA_RESTORE,
    ID_HELP_TOPICS,     ID_OPERATING_TIPS,
};

void CollectCommands(wxMenu* menu, const wxString& path,
                     std::vector<std::pair<int, wxString>>& out) {
    for (wxMenuItem* item : menu->GetMenuItems()) {
        const wxString name = path + "/" + item->GetItemLabelText();
        if (item->GetSubMenu())
            CollectCommands(item->GetSubMenu(), name, out);
        else if (!item->IsSeparator())
            out.emplace_back(item->GetId(), name);
    }
}

class DeskGeometryTest : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        frame_ = LogIn();
        ASSERT_TRUE(frame_);
    }

    CMainFrame* frame_ = nullptr;
};

TEST_F(DeskGeometryTest, EveryPageAndFormShowsEachControlWhole) {
    std::vector<std::pair<int, wxString>> commands;
    wxMenuBar* bar = frame_->GetMenuBar();
    ASSERT_TRUE(bar);
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        CollectCommands(bar->GetMenu(i), bar->GetMenuLabelText(i), commands);
    std::set<int> done;
    int forms = 0;
    for (const auto& [wxId, name] : commands) {
        const int id = CommandIdFromWx(wxId);
        if (kNotForms.count(id) || !done.insert(id).second) continue;
        const std::string command(name.utf8_str());
        SCOPED_TRACE(command);
        std::vector<std::string> faults;
        const std::set<wxWindow*> before(wxTopLevelWindows.begin(), wxTopLevelWindows.end());
        {
            ModalChecker modal(command, faults);
            frame_->ExecuteCommand(id);
            forms += modal.Checked();
        }
        // A page in the lower pane: the sheet covers the pane, its page laid out inside.
        qv_test::WaitFor([] { return false; }, 300);
        if (wxWindow* sheet = frame_->m_pActiveSheet; sheet && sheet->IsShown()) {
            ++forms;
            Shoot(command);
            const wxRect pane(frame_->GetSheetPane()->GetClientSize());
            if (!pane.Contains(sheet->GetRect()))
                faults.push_back(command + ": the sheet lies outside the lower pane");
            CollectFaults(sheet, command, faults);
        }
        // A form of its own beside the main window.
        for (wxWindow* window : wxTopLevelWindows)
            if (!before.count(window) && window->IsShown()) {
                ++forms;
                Shoot(command);
                for (const std::string& fault : FormFaults(window, command))
                    faults.push_back(fault);
                window->Close(true);
            }
        frame_->CloseAllSheets();
        qv_test::WaitFor([] { return false; }, 100);
        for (const std::string& fault : faults)
            ADD_FAILURE() << fault;
    }
    EXPECT_GT(forms, 40);
    std::cout << forms << " forms checked\n";
}

} // namespace
