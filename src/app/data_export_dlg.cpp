#include "app/data_export_dlg.h"

#include "app/main_frame.h"
#include "data/data_export.h"
#include "data/data_tidy.h"
#include "data/table_catalog.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "res/control_ids.h"
#include "res/data_export_template.h"

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/datetime.h>
#include <wx/textctrl.h>

using namespace res::data_export;

void CDataExportDlg::Register() {
    CMainFrame::RegisterForm(FormKind::DataExport, [](CMainFrame& frame, int, const wxString&) {
        CDataExportDlg dialog(&frame);
        dialog.ShowModal();
    });
}

CDataExportDlg::CDataExportDlg(CMainFrame* frame)
    : wxDialog(frame, wxID_ANY, wxEmptyString), m_pFrame(frame) {
    res::BuildDialog(this, res::DataExportTemplate());
    m_pTable = res::Control<wxComboBox>(this, kTableCombo);
    m_pFromDate = res::Control<wxTextCtrl>(this, kFromDateEdit);
    m_pToDate = res::Control<wxTextCtrl>(this, kToDateEdit);
    m_pDelete = res::Control<wxCheckBox>(this, kDeleteCheck);

    CTableCatalog catalog;
    for (const wxString& code : CDataTidy::TableCodes())
        m_pTable->Append(catalog.GetTableTitle(code));
    m_pToDate->ChangeValue(wxDateTime::Today().Format("%Y-%m-%d"));
    m_pFromDate->ChangeValue("2004-01-01");

    m_pTable->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelchangeTable(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, wxID_OK);
    Centre();
}

wxString CDataExportDlg::ChosenCode() const {
    const int chosen = m_pTable->GetSelection();
    if (chosen == wxNOT_FOUND) return wxString();
    return CTableCatalog().GetTableCode(m_pTable->GetString(chosen));
}

void CDataExportDlg::OnSelchangeTable() {
    const bool dated = CDataTidy::IsDatedTable(ChosenCode());
    m_pFromDate->Enable(dated);
    m_pToDate->Enable(dated);
}

void CDataExportDlg::OnOK() {
    if (m_pTable->GetSelection() == wxNOT_FOUND) return;
    const wxString code = ChosenCode();
    const wxString condition =
        CDataExport::Condition(code, m_pFromDate->GetValue().Strip(wxString::both),
                               m_pToDate->GetValue().Strip(wxString::both));
    if (condition.empty()) return; // the wrong date has been reported
    CDataExport exporter(*m_pFrame);
    CDataSet& data = m_pFrame->m_dsMain;
    // An empty result has been reported and leaves no grid: with nothing loaded there is
    // nothing to save, and another grid must not be saved in its place.
    if (!data_grid::LoadPartsGrid(data, CDataExport::LoadStatement(code, condition), 0, true) ||
        !data.m_pGrid) {
        exporter.Finish(code, condition, wxString(), 0, false);
        return;
    }
    CGridCtrl& grid = *data.m_pGrid;
    grid.m_strReportName = code;
    grid.MakeCurrentGrid();
    const long rows = grid.m_rsBound ? grid.m_rsBound->RecordCount() : 0;
    const auto target = m_pFrame->GetDocument().OnFileSave();
    exporter.Finish(code, condition, target ? target->path : wxString(), rows,
                    m_pDelete->IsChecked());
}
