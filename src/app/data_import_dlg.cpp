#include "app/data_import_dlg.h"

#include "app/main_frame.h"
#include "data/data_file_open.h"
#include "data/data_folders.h"
#include "data/table_catalog.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/data_import_template.h"

#include <algorithm>
#include <wx/combobox.h>
#include <wx/filedlg.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

namespace {

void SayIncomplete() {
    platform::ShowMessageBox("选择或输入内容不对或不完整！无法完成操作。");
}

bool Exists(const wxString& path) {
    return !path.empty() && platform::FileExists(path.utf8_string());
}

// An existing file the operator picks; empty when cancelled.
wxString ChooseFile(wxWindow* parent) {
    wxFileDialog dialog(parent, wxEmptyString, wxEmptyString, wxEmptyString, DataFileOpenFilter(),
                        wxFD_OPEN);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

void FillFields(wxComboBox* combo, const std::vector<wxString>& names) {
    combo->Clear();
    combo->ChangeValue(wxString());
    for (const wxString& name : names)
        combo->Append(name);
    if (combo->GetCount() > 1) combo->SetSelection(combo->GetCount() - 1);
}

} // namespace

void CDataImportDlg::Register() {
    CMainFrame::RegisterForm(FormKind::DataImport, [](CMainFrame& frame, int, const wxString&) {
        CDataImportDlg dialog(&frame);
        dialog.ShowModal();
    });
}

CDataImportDlg::CDataImportDlg(CMainFrame* frame) : wxDialog(frame, wxID_ANY, wxEmptyString) {
    using namespace res::data_import;
    res::BuildDialog(this, res::DataImportTemplate());
    m_pMappings = res::Control<wxListBox>(this, kMappingList);
    m_pSource = res::Control<wxTextCtrl>(this, kSourceEdit);
    m_pTarget = res::Control<wxComboBox>(this, kTargetCombo);
    m_pSourceField = res::Control<wxComboBox>(this, kSourceFieldCombo);
    m_pTargetField = res::Control<wxComboBox>(this, kTargetFieldCombo);
    CTableCatalog catalog;
    for (const wxString& code : CDataImport::TargetCodes())
        m_pTarget->Append(catalog.GetTableTitle(code));
    m_fnCheck = [this](const ado::RecordsetPtr& batch) {
        CImportCheckDlg check(this, batch);
        return check.ShowModal();
    };

    m_pSource->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { m_bSourceEdited = 1; });
    m_pSource->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        OnKillfocusSource();
        event.Skip();
    });
    m_pTarget->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { m_bTargetEdited = 1; });
    m_pTarget->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelchangeTarget(); });
    m_pTarget->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        OnKillfocusTarget();
        event.Skip();
    });
    res::BindButton(this, kSourceButton, &CDataImportDlg::OnChooseSource);
    res::BindButton(this, kTargetButton, &CDataImportDlg::OnChooseTarget);
    res::BindButton(this, kAddButton, &CDataImportDlg::OnAddMapping);
    res::BindButton(this, kClearButton, &CDataImportDlg::OnClearMappings);
    res::BindButton(this, kDeleteButton, &CDataImportDlg::OnDeleteMapping);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, wxID_OK);
    Centre();
}

void CDataImportDlg::OnChooseSource() {
    const wxString path = ChooseFile(this);
    if (path.empty()) return;
    if (!Exists(path)) return SayIncomplete();
    m_pSource->ChangeValue(path);
    m_strSourceName = CDataImport::TableName(path);
    LoadSourceFields(path);
}

void CDataImportDlg::OnKillfocusSource() {
    const wxString path = m_pSource->GetValue();
    m_strSourceName = CDataImport::TableName(path);
    if (path.empty()) return;
    if (!Exists(path)) return SayIncomplete();
    if (!m_bSourceEdited) return;
    m_bSourceEdited = 0;
    LoadSourceFields(path);
}

void CDataImportDlg::LoadSourceFields(const wxString& path) {
    if (m_import.OpenSource(path)) FillFields(m_pSourceField, m_import.SourceFields());
    MatchFields();
}

wxString CDataImportDlg::TargetPath(const wxString& text) const {
    if (text.Find('/') != wxNOT_FOUND) return text;
    // A table title: the table of the account set in use.
    const wxString code = CTableCatalog().GetTableCode(text);
    if (code.empty()) return wxString();
    return wxString::FromUTF8(ProgramPath(g_strSetFolder + code + ".dwf"));
}

void CDataImportDlg::OnSelchangeTarget() {
    const int chosen = m_pTarget->GetSelection();
    const wxString text =
        chosen == wxNOT_FOUND ? m_pTarget->GetValue() : m_pTarget->GetString(chosen);
    if (text.empty()) return;
    m_pTarget->ChangeValue(text);
    m_strTargetName = text;
    const wxString path = TargetPath(text);
    if (!Exists(path)) return SayIncomplete();
    m_bTargetEdited = 0;
    LoadTargetFields(path);
}

void CDataImportDlg::OnKillfocusTarget() {
    if (m_pTarget->GetValue().empty() || !m_bTargetEdited) return;
    m_pTarget->SetSelection(wxNOT_FOUND);
    OnSelchangeTarget();
}

void CDataImportDlg::OnChooseTarget() {
    const wxString path = ChooseFile(this);
    if (path.empty()) return;
    if (!Exists(path)) return SayIncomplete();
    m_pTarget->ChangeValue(path);
    m_strTargetName = path;
    m_bTargetEdited = 0;
    LoadTargetFields(path);
}

void CDataImportDlg::LoadTargetFields(const wxString& path) {
    if (m_import.OpenTarget(path)) FillFields(m_pTargetField, m_import.TargetFields());
    MatchFields();
}

void CDataImportDlg::MatchFields() {
    m_pMappings->Clear();
    for (const wxString& line : m_import.MatchFields(m_strSourceName, m_strTargetName))
        m_pMappings->Append(line);
}

void CDataImportDlg::OnAddMapping() {
    const wxString source = m_pSourceField->GetValue();
    const wxString target = m_pTargetField->GetValue();
    if (source.empty() || target.empty()) return;
    m_pMappings->Append(CDataImport::MappingLine(m_strSourceName, source, m_strTargetName, target));
}

void CDataImportDlg::OnClearMappings() {
    m_pMappings->Clear();
}

void CDataImportDlg::OnDeleteMapping() {
    const int count = static_cast<int>(m_pMappings->GetCount());
    if (count == 0) return;
    const int chosen = m_pMappings->GetSelection();
    if (chosen == wxNOT_FOUND) {
        m_pMappings->SetSelection(0);
        return;
    }
    m_pMappings->Delete(chosen);
    if (count > 1) m_pMappings->SetSelection(std::min(chosen, count - 2));
}

void CDataImportDlg::OnOK() {
    std::vector<wxString> lines;
    for (unsigned i = 0; i < m_pMappings->GetCount(); ++i)
        lines.push_back(m_pMappings->GetString(i));
    const ado::RecordsetPtr batch = m_import.PrepareBatch(lines);
    if (!batch) return; // reported
    if (m_fnCheck(batch) == wxID_OK)
        m_import.Confirm(batch);
    else
        m_import.Cancel(batch);
}

CImportCheckDlg::CImportCheckDlg(wxWindow* parent, const ado::RecordsetPtr& batch)
    : wxDialog(parent, wxID_ANY, wxEmptyString) {
    using namespace res::import_check;
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::ImportCheckTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->m_nHelpContext = 280;
    m_pGrid->SetTableName(wxString());
    m_pGrid->m_rsBound = batch;
    const int fields = batch->Fields().Count();
    CDataSet data;
    data_grid::LoadGrid(data, batch, m_pGrid, wxString(), wxString(), fields - 2, 0);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnDelete(); }, res::ToWxId(kDeleteButton));
    Centre();
}

void CImportCheckDlg::OnDelete() {
    m_pGrid->DeleteSelectedRecord();
}
