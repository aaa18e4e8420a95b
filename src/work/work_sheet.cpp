#include "work/work_sheet.h"
#include "work/guarded.h"
#include "work/vehicle_pick_dlg.h"
#include "work/work_page.h"

#include <wx/app.h>

CWorkSheet::CWorkSheet(wxWindow* pane, char mode, PageFactory makePage)
    : wxNotebook(pane, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxBORDER_SIMPLE | wxTAB_TRAVERSAL),
      m_rsLines(std::make_shared<ado::Recordset>()), m_cMode(mode),
      m_makePage(std::move(makePage)) {
    Hide();
    Bind(wxEVT_NOTEBOOK_PAGE_CHANGING,
         [this](wxBookCtrlEvent& event) { work::Guarded([&] { OnPageChanging(event); }); });
    Bind(wxEVT_NOTEBOOK_PAGE_CHANGED,
         [this](wxBookCtrlEvent& event) { work::Guarded([&] { OnPageChanged(event); }); });
}

CWorkSheet::~CWorkSheet() {
    if (m_pPicker) m_pPicker->Destroy();
    m_pPicker = nullptr;
    try {
        if (m_rsLines && m_rsLines->IsOpen()) m_rsLines->Close();
    } catch (const std::exception&) {
        // unsaved lines were saved by the pages; a failed close loses nothing
    }
}

void CWorkSheet::AddWorkPage(CWorkPage* page, bool select) {
    AddPage(page, page->GetTitle(), false);
    if (select) SelectWorkPage(page);
}

void CWorkSheet::RemoveWorkPage(CWorkPage* page) {
    const int index = FindPage(page);
    if (index == wxNOT_FOUND) return;
    const bool shown = index == GetSelection();
    RemovePage(index);
    page->Hide();
    wxTheApp->ScheduleForDestruction(page);
    if (shown && GetPageCount() > 0) {
        ChangeSelection(0);
        if (CWorkPage* next = GetActiveWorkPage()) next->OnSetActive();
    }
}

void CWorkSheet::SelectWorkPage(CWorkPage* page) {
    const int index = FindPage(page);
    if (index == wxNOT_FOUND) return;
    CWorkPage* left = GetActiveWorkPage();
    if (left && left != page) left->OnKillActive();
    ChangeSelection(index);
    page->OnSetActive();
}

CWorkPage* CWorkSheet::GetActiveWorkPage() const {
    const int index = GetSelection();
    return index == wxNOT_FOUND ? nullptr : GetWorkPage(index);
}

CWorkPage* CWorkSheet::GetWorkPage(size_t index) const {
    return index < GetPageCount() ? dynamic_cast<CWorkPage*>(GetPage(index)) : nullptr;
}

CWorkPage* CWorkSheet::FindWorkPage(const wxString& title) const {
    for (size_t i = 0; i < GetPageCount(); ++i)
        if (CWorkPage* page = GetWorkPage(i); page && page->GetTitle() == title) return page;
    return nullptr;
}

bool CWorkSheet::ShowVehiclePicker() {
    if (m_pPicker) m_pPicker->Destroy();
    m_pPicker = new CVehiclePickDlg(this);
    m_pPicker->Start();
    return true;
}

bool CWorkSheet::Show(bool show) {
    const bool changed = wxNotebook::Show(show);
    if (m_pPicker) m_pPicker->Show(show);
    return changed;
}

void CWorkSheet::OnPageChanging(wxBookCtrlEvent& event) {
    if (event.GetEventObject() != this) return;
    if (CWorkPage* left = GetWorkPage(event.GetOldSelection())) left->OnKillActive();
}

void CWorkSheet::OnPageChanged(wxBookCtrlEvent& event) {
    if (event.GetEventObject() != this) return;
    if (CWorkPage* shown = GetWorkPage(event.GetSelection())) shown->OnSetActive();
}
