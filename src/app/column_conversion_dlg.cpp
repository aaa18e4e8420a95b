#include "app/column_conversion_dlg.h"

#include "data/main_frame_data.h"
#include "res/column_conversion_template.h"

#include <wx/combobox.h>
#include <wx/textctrl.h>

using namespace res::column_conversion;

CColumnConvertDlg::CColumnConvertDlg(wxWindow* parent, const CColumnGrid& grid)
    : wxDialog(parent, wxID_ANY, wxEmptyString), m_conversion(CColumnConversion::FromGrid(grid)) {
    res::BuildDialog(this, res::ColumnConversionTemplate());
    m_pColumn = res::Control<wxComboBox>(this, kColumnCombo);
    m_pExpression = res::Control<wxTextCtrl>(this, kExpressionEdit);
    for (const wxString& name : m_conversion.ListColumns(&grid))
        m_pColumn->Append(name);
    if (!m_pColumn->IsListEmpty()) m_pColumn->SetSelection(0);

    m_pColumn->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelchangeColumn(); });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, wxID_OK);
    Centre();
}

void CColumnConvertDlg::OnSelchangeColumn() {
    const int chosen = m_pColumn->GetSelection();
    if (chosen != wxNOT_FOUND)
        m_pExpression->ChangeValue(m_conversion.StartingText(m_pColumn->GetString(chosen)));
}

void CColumnConvertDlg::OnOK() {
    if (!g_pFrameData) return;
    wxString& shared = g_pFrameData->m_strShared;
    shared.clear();
    const int chosen = m_pColumn->GetSelection();
    if (chosen == wxNOT_FOUND) return;
    if (m_conversion.Check(m_pColumn->GetString(chosen), m_pExpression->GetValue(), &shared) ==
        CColumnConversion::Verdict::Accepted) {
        SetReturnCode(wxID_OK);
        EndDialog(wxID_OK);
    }
}
