#include "app/item_pick_dlg.h"

#include "app/main_frame.h"
#include "app/owner_notice.h"
#include "platform/modal_grab.h"
#include "res/item_pick_template.h"

#include <algorithm>
#include <wx/app.h>
#include <wx/listctrl.h>

using namespace res::item_pick;

namespace {

wxWindow* PickTarget() {
    CMainFrame* frame = CMainFrame::Get();
    return frame ? frame->m_hPickTarget.get() : nullptr;
}

} // namespace

CItemPickDlg::CItemPickDlg(wxWindow* parent)
    : wxDialog(parent ? parent : wxTheApp->GetTopWindow(), wxID_ANY, wxEmptyString,
               wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxSTAY_ON_TOP | wxFRAME_TOOL_WINDOW) {
    res::BuildDialog(this, res::ItemPickTemplate());
    platform::ExemptFromModalGrab(this); // chosen from while a record dialog runs modally
    m_list = res::Control<wxListCtrl>(this, kList);
    m_list->SetWindowStyleFlag(wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
    m_list->InsertColumn(0, wxString::FromUTF8("序号"), wxLIST_FORMAT_LEFT, 100);

    // The list hands the mouse events of its rows to itself first; a click chooses
    // once the list has marked the row under it.
    m_list->Bind(wxEVT_LEFT_UP, &CItemPickDlg::OnListClick, this);
    m_list->Bind(wxEVT_LEFT_DCLICK, &CItemPickDlg::OnListClick, this);
    m_list->Bind(wxEVT_RIGHT_DOWN, &CItemPickDlg::OnListRightDown, this);
    m_list->Bind(wxEVT_MOTION, &CItemPickDlg::OnListMouse, this);
    Bind(wxEVT_CHAR_HOOK, &CItemPickDlg::OnCharHook, this);
    // The close box closes without a choice, as the right button does: the owner
    // destroys the list. Only hidden, it would keep the input grab it may hold, and
    // the owner's modal form would take no more clicks or keys.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) {
        Hide();
        PostOwnerNotice(PickTarget(), COwnerNoticeEvent::kText, kClose, m_strChoice);
    });

    CentreOnScreen();
    ShowWithoutActivating();
}

void CItemPickDlg::AddItem(const wxString& text) {
    wxString row = text;
    m_list->InsertItem(m_list->GetItemCount(), row.Trim(true));
}

void CItemPickDlg::DeleteAllItems() {
    m_list->DeleteAllItems();
}

void CItemPickDlg::EnterList() {
    const long count = m_list->GetItemCount();
    if (count == 0) return;
    const long row = std::min(m_list->GetTopItem() + 1, count - 1);
    const long both = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
    m_list->SetItemState(row, both, both);
    m_list->EnsureVisible(row);
    Raise();
    m_list->SetFocus();
    m_bFilterPrimed = true;
}

// Takes the marked row (row 0 when none is marked), posts it and hides the list.
void CItemPickDlg::PostChoice() {
    if (m_list->GetItemCount() == 0) return;
    long row = m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
    if (row < 0) row = 0;
    m_strChoice = m_list->GetItemText(row);
    PostOwnerNotice(PickTarget(), COwnerNoticeEvent::kText, kChosen, m_strChoice);
    PostOwnerNotice(PickTarget(), 0, kClose);
    Hide();
}

bool CItemPickDlg::IsListFocused() const {
    const wxWindow* focus = wxWindow::FindFocus();
    return focus && (focus == m_list || focus->GetParent() == m_list);
}

void CItemPickDlg::OnListClick(wxMouseEvent& event) {
    event.Skip();
    m_bFilterPrimed = true;
    PostChoice();
}

// Enter in the list chooses, but not as the first input the list sees; a window
// with nothing marked takes row 0.
void CItemPickDlg::OnCharHook(wxKeyEvent& event) {
    const bool primed = m_bFilterPrimed;
    m_bFilterPrimed = true;
    const int key = event.GetKeyCode();
    if (key != WXK_RETURN && key != WXK_NUMPAD_ENTER) {
        event.Skip();
        return;
    }
    if (primed && IsListFocused()) PostChoice();
}

void CItemPickDlg::OnListMouse(wxMouseEvent& event) {
    m_bFilterPrimed = true;
    event.Skip();
}

// The right button in the focused list closes it without a choice.
void CItemPickDlg::OnListRightDown(wxMouseEvent& event) {
    event.Skip();
    m_bFilterPrimed = true;
    if (IsListFocused())
        PostOwnerNotice(PickTarget(), COwnerNoticeEvent::kText, kClose, m_strChoice);
}
