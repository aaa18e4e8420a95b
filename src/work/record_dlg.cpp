#include "work/record_dlg.h"

#include "app/item_pick_dlg.h"
#include "app/main_frame.h"
#include "app/owner_notice.h"
#include "app/record_nav_bar.h"
#include "data/value_check.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "work/active_sheet.h"
#include "work/customer_fields.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

namespace {

void Say(const wxString& text) {
    platform::ShowMessageBox(text.utf8_string());
}

wxString FieldText(const ado::RecordsetPtr& rs, const char* field, CRecordDlg::FieldKind kind) {
    const ado::Variant value = rs->Fields().Item(field).Value();
    if (value.IsNull() || value.IsEmpty())
        return kind == CRecordDlg::FieldKind::Percent ? wxString("100") : wxString();
    switch (kind) {
    case CRecordDlg::FieldKind::Date:
        return value.ToDate() <= 0 ? wxString() : wxString::FromUTF8(value.ToString());
    case CRecordDlg::FieldKind::Integer:
        return wxString::Format("%d", static_cast<int>(value.ToLong()));
    case CRecordDlg::FieldKind::Percent: {
        const int percent = static_cast<int>(value.ToLong());
        return percent <= 0 ? wxString("100") : wxString::Format("%d", percent);
    }
    case CRecordDlg::FieldKind::Text:
        break;
    }
    return wxString::FromUTF8(value.ToString()).Trim(true);
}

} // namespace

CRecordDlg::CRecordDlg(wxWindow* parent, const res::DialogTemplate& dialogTemplate,
                       const wxString& table, std::vector<FieldBinding> fields, int keyControl,
                       bool uniqueKey, int navY, const char* keyField)
    : wxDialog(parent, wxID_ANY, wxEmptyString), m_session(table),
      m_strKeyField(wxString::FromUTF8(keyField)), m_fields(std::move(fields)),
      m_nKeyControl(keyControl), m_bUniqueKey(uniqueKey), m_nNavY(navY) {
    res::BuildDialog(this, dialogTemplate);
    res::BindButton(this, 1009, &CRecordDlg::OnNew);
    res::BindButton(this, 1035, &CRecordDlg::OnModify);
    res::BindButton(this, 1072, &CRecordDlg::OnDelete);
    res::BindButton(this, kSaveButton, &CRecordDlg::OnSave);
    res::BindButton(this, kCancelButton, &CRecordDlg::OnUndo);
    res::BindButton(this, kExitButton, &CRecordDlg::OnExit);
    Bind(qvEVT_OWNER_NOTICE, &CRecordDlg::OnNotice, this);
    Bind(wxEVT_CHAR_HOOK, &CRecordDlg::OnCharHook, this);
    Bind(wxEVT_DESTROY, &CRecordDlg::OnDestroyWindow, this);
}

CRecordDlg::~CRecordDlg() {
    // A dialog deleted directly announces its end only from the base destructors, when
    // this part no longer exists.
    Unbind(wxEVT_DESTROY, &CRecordDlg::OnDestroyWindow, this);
    ClosePickList();
    if (m_pNavBar) m_pNavBar->Destroy();
    m_pNavBar = nullptr;
}

void CRecordDlg::OnDestroyWindow(wxWindowDestroyEvent& event) {
    if (event.GetEventObject() == this) {
        ClosePickList();
        if (m_pNavBar) m_pNavBar->Destroy();
        m_pNavBar = nullptr;
    }
    event.Skip();
}

void CRecordDlg::Open() {
    m_ds.Open("select * from " + m_session.m_strTable);
    const ado::RecordsetPtr& rs = m_ds.m_pRecordset;
    if (m_ds.IsOpen() && rs->RecordCount() > 0) {
        rs->MoveFirst();
        const wxString customer = active_sheet::Customer();
        if (active_sheet::Exists() && !customer.empty() && customer != active_sheet::WalkIn())
            rs->Find(CSqlText::Criterion(m_strKeyField, customer).utf8_string());
    }
    if (m_pNavBar) m_pNavBar->Destroy();
    m_pNavBar = CRecordNavBar::Open(this, m_nNavY);
    if (CMainFrame* frame = CMainFrame::Get()) frame->m_hPickTarget = this;
    ShowRecord();
    SetEditable(false);
}

wxString CRecordDlg::KeyProblem(const wxString& key) const {
    return CCustomerFields::PlateProblem(key);
}

wxString CRecordDlg::ColumnProblem() const {
    if (!m_ds.IsOpen()) return wxString();
    ado::Fields& columns = m_ds.m_pRecordset->Fields();
    for (const FieldBinding& binding : m_fields) {
        const ado::Field& column = columns.Item(binding.field);
        const wxString problem = CValueCheck::FieldProblem(
            wxString::FromUTF8(binding.field), ControlText(binding.controlId).Strip(wxString::both),
            column.Type(), column.DefinedSize(), column.Precision(), column.NumericScale());
        if (!problem.empty()) return problem;
    }
    return wxString();
}

wxString CRecordDlg::NewEntryKey(const wxString& shownKey) const {
    return CCustomerFields::PlatePrefix(shownKey);
}

wxWindow* CRecordDlg::Control(int controlId) const {
    return res::FindControl(this, controlId);
}

wxString CRecordDlg::ControlText(int controlId) const {
    if (auto* edit = dynamic_cast<wxTextCtrl*>(Control(controlId))) return edit->GetValue();
    if (auto* combo = dynamic_cast<wxComboBox*>(Control(controlId))) return combo->GetValue();
    return wxString();
}

// Showing a value is not typing it: no change handler runs.
void CRecordDlg::SetControlText(int controlId, const wxString& text) {
    if (auto* edit = dynamic_cast<wxTextCtrl*>(Control(controlId)))
        edit->ChangeValue(text);
    else if (auto* combo = dynamic_cast<wxComboBox*>(Control(controlId)))
        combo->ChangeValue(text);
}

void CRecordDlg::EnableEditButtons(bool editing) {
    if (wxWindow* save = Control(kSaveButton)) save->Enable(editing);
    if (wxWindow* cancel = Control(kCancelButton)) cancel->Enable(editing);
    if (wxWindow* exit = Control(kExitButton)) exit->Enable(!editing);
}

void CRecordDlg::SetEditable(bool enable) {
    for (const FieldBinding& binding : m_fields)
        if (wxWindow* control = Control(binding.controlId)) control->Enable(enable);
    EnableExtra(enable);
    if (enable) {
        if (wxWindow* key = Control(m_nKeyControl)) key->SetFocus();
    } else {
        m_session.m_strMode.clear();
    }
    EnableEditButtons(enable);
}

void CRecordDlg::ClearForNew() {
    const wxString prefix = NewEntryKey(ControlText(m_nKeyControl));
    for (const FieldBinding& binding : m_fields) {
        SetControlText(binding.controlId,
                       binding.kind == FieldKind::Percent ? wxString("100") : wxString());
        if (wxWindow* control = Control(binding.controlId)) control->Enable();
    }
    EnableExtra(true);
    SetControlText(m_nKeyControl, prefix);
    if (auto* key = dynamic_cast<wxTextCtrl*>(Control(m_nKeyControl))) {
        key->SetFocus();
        key->SetInsertionPointEnd();
    } else if (wxWindow* other = Control(m_nKeyControl)) {
        other->SetFocus();
    }
    EnableEditButtons(true);
}

void CRecordDlg::ShowRecord() {
    const ado::RecordsetPtr& rs = m_ds.m_pRecordset;
    if (m_pNavBar && m_ds.IsOpen() && m_pNavBar->GetFieldList()->GetCount() == 0) {
        m_pNavBar->FillFields(rs);
        m_pNavBar->GetFieldList()->SetStringSelection(m_strKeyField);
    }
    if (!CRecordEditSession::OnRecord(rs)) return;
    for (const FieldBinding& binding : m_fields)
        SetControlText(binding.controlId, FieldText(rs, binding.field, binding.kind));
    ShowExtra(rs);
    m_session.m_nCurNo = CRecordEditSession::CurrentNumber(rs);
}

bool CRecordDlg::WriteRecord() {
    if (!m_session.HasFormToWrite() || !m_ds.IsOpen()) return true;
    const ado::RecordsetPtr& rs = m_ds.m_pRecordset;
    const wxString key = ControlText(m_nKeyControl).Strip(wxString::both);
    wxString problem = KeyProblem(key);
    if (problem.empty() && m_bUniqueKey &&
        CRecordEditSession::IsDuplicate(rs, m_strKeyField, key, m_session.IsAdding(),
                                        m_session.m_nCurNo))
        problem = wxString::FromUTF8("记录重复，请修改后再试！");
    // Every field is checked before any is written, so a refused form stores nothing.
    if (problem.empty()) problem = ColumnProblem();
    if (problem.empty()) problem = FormProblem();
    if (!problem.empty()) {
        Say(problem);
        return false;
    }
    if (!m_session.BeginWrite(rs)) return false;
    for (const FieldBinding& binding : m_fields) {
        const wxString text = binding.controlId == m_nKeyControl
                                  ? key
                                  : ControlText(binding.controlId).Strip(wxString::both);
        if (text.empty() && KeepsEmptiedFields()) continue;
        m_ds.PutFieldValue(text, wxString::FromUTF8(binding.field), rs);
    }
    WriteExtra(rs);
    return true;
}

void CRecordDlg::OnNew() {
    if (!WriteRecord()) return; // the form stays as typed
    ClearForNew();
    FillEditLists();
    m_session.m_strMode = CRecordEditSession::kAddNew;
    PrepareNewEntry();
}

void CRecordDlg::OnModify() {
    SetEditable(true);
    m_session.m_strMode = CRecordEditSession::kReplace;
    FillEditLists();
}

void CRecordDlg::OnDelete() {
    const ado::RecordsetPtr& rs = m_ds.m_pRecordset;
    if (!CRecordEditSession::OnRecord(rs)) {
        Say(DeleteFailedText());
        return;
    }
    const ado::Variant value = rs->Fields().Item(m_strKeyField.utf8_string()).Value();
    const wxString key =
        value.IsNull() || value.IsEmpty() ? wxString() : wxString::FromUTF8(value.ToString());
    if (platform::ShowMessageBox(DeleteQuestion(key.Strip(wxString::trailing)).utf8_string(),
                                 std::string(), platform::MB_YESNO) != platform::IDYES)
        return;
    // The record shown must be a saved one: a new row has no place in the table yet.
    const int no = CRecordEditSession::CurrentNumber(rs);
    if (no <= 0 || !CRecordEditSession::MoveToNumber(rs, no)) {
        Say(DeleteFailedText());
        return;
    }
    m_deletedValues = CRecordEditSession::CurrentValues(rs);
    rs->Delete();
    m_nDeletedNo = no;
    m_session.m_strMode = CRecordEditSession::kDelete;
    Go(CRecordEditSession::Step::Next);
    EnableEditButtons(true);
}

void CRecordDlg::OnSave() {
    const bool deleting = m_session.IsDeleting();
    const bool adding = m_session.IsAdding() || m_session.m_strMode.StartsWith("-");
    if (!deleting) {
        // A refused form stays in the dialog as typed, nothing is saved and the
        // dialog keeps editing: the operator corrects it or cancels.
        if (!WriteRecord()) return;
        m_ds.NumberRows(m_ds.m_pRecordset, m_session.m_strTable);
    }
    // A record another user changed since it was read is not deleted unseen.
    if (deleting &&
        !CRecordEditSession::StillInTable(m_session.m_strTable, m_nDeletedNo, m_deletedValues)) {
        Say(wxString::FromUTF8("该记录已被其他用户修改或删除，未能删除，请查看后再试！"));
        ReloadAfterFailedSave(false);
        return;
    }
    const int no = m_session.m_nCurNo;
    if (!m_ds.Save(m_ds.m_pRecordset)) {
        ReloadAfterFailedSave(adding && !deleting);
        return;
    }
    if (CMainFrame* frame = CMainFrame::Get()) frame->m_bRecordSaved = true;
    // The saved row shows again under its final number.
    if (!deleting && no < 0) {
        const ado::RecordsetPtr& rs = m_ds.m_pRecordset;
        rs->MoveLast();
        m_session.m_nCurNo = CRecordEditSession::CurrentNumber(rs);
    } else if (!deleting) {
        CRecordEditSession::MoveToNumber(m_ds.m_pRecordset, no);
    }
    // A field left empty shows again the value it kept.
    if (!deleting && KeepsEmptiedFields()) ShowRecord();
    SetEditable(false);
    if (wxWindow* exit = Control(kExitButton)) exit->SetFocus();
}

void CRecordDlg::ReloadAfterFailedSave(bool wasAdding) {
    const int no = m_session.m_nCurNo;
    const bool deleting = m_session.IsDeleting();
    m_ds.Open("select * from " + m_session.m_strTable);
    if (!m_ds.IsOpen()) {
        SetEditable(false);
        return;
    }
    const ado::RecordsetPtr& rs = m_ds.m_pRecordset;
    if (deleting) {
        if (!CRecordEditSession::MoveToNumber(rs, m_nDeletedNo) && rs->RecordCount() > 0)
            rs->MoveFirst();
        ShowRecord();
        SetEditable(false);
        return;
    }
    // The typed values are still in the form; a new entry is written afresh.
    m_session.m_strMode = wasAdding ? CRecordEditSession::kAddNew : CRecordEditSession::kReplace;
    if (!wasAdding) CRecordEditSession::MoveToNumber(rs, no);
}

void CRecordDlg::OnUndo() {
    const ado::RecordsetPtr& rs = m_ds.m_pRecordset;
    if (m_ds.IsOpen()) {
        // A cancelled deletion shows the record it brings back; a cancelled entry the
        // record it was made from, or the last one.
        const int shown = m_session.IsDeleting() ? m_nDeletedNo : m_session.m_nCurNo;
        rs->CancelBatch();
        if ((m_session.IsAdding() || shown < 0 || !CRecordEditSession::MoveToNumber(rs, shown)) &&
            rs->RecordCount() > 0)
            rs->MoveLast();
    }
    ShowRecord();
    if (CMainFrame* frame = CMainFrame::Get()) frame->m_hPickTarget = this;
    SetEditable(false);
    if (wxWindow* exit = Control(kExitButton)) exit->SetFocus();
}

void CRecordDlg::OnExit() {
    const wxString customer = active_sheet::Customer();
    if (active_sheet::Exists() && customer != active_sheet::WalkIn())
        active_sheet::SetCustomer(ControlText(m_nKeyControl).Strip(wxString::both));
    if (IsModal())
        EndModal(wxID_OK);
    else
        Close();
}

void CRecordDlg::Go(CRecordEditSession::Step step) {
    // The entry in hand goes into the recordset first; one that cannot be stored
    // keeps the form where it is.
    if (m_session.WritesBeforeStep() && !WriteRecord()) return;
    const CRecordEditSession::Position at = CRecordEditSession::Move(m_ds.m_pRecordset, step);
    ShowRecord();
    UpdateNavButtons(at);
}

void CRecordDlg::UpdateNavButtons(const CRecordEditSession::Position& at) {
    if (!at.onRecord) ClearForNew();
    if (!m_pNavBar) return;
    using namespace res;
    const int towardsEnd[] = {108, 109}, towardsStart[] = {106, 107};
    for (int id : towardsEnd)
        if (wxWindow* button = FindControl(m_pNavBar, id)) button->Enable(!at.atLast);
    for (int id : towardsStart)
        if (wxWindow* button = FindControl(m_pNavBar, id)) button->Enable(!at.atFirst);
}

void CRecordDlg::ClosePickList() {
    if (m_pPickList) m_pPickList->Destroy();
    m_pPickList = nullptr;
}

void CRecordDlg::ApplyFilter(const wxString& condition) {
    if (CMainFrame* frame = CMainFrame::Get()) frame->m_hPickTarget = this;
    const ado::RecordsetPtr& rs = m_ds.m_pRecordset;
    if (condition.empty() || !m_ds.IsOpen() || rs->RecordCount() == 0) {
        ClosePickList();
    } else {
        // "单位 like '%x%'" or "折扣=90": the field ends at a blank or an operator.
        m_strPickField = condition.Left(condition.find_first_of(" =<>!", 1));
        std::vector<wxString> matches;
        try {
            const std::string criterion = condition.utf8_string();
            const std::string field = m_strPickField.utf8_string();
            rs->MoveFirst();
            for (rs->Find(criterion); !rs->EndOfFile(); rs->Find(criterion, 1)) {
                const ado::Variant value = rs->Fields().Item(field).Value();
                if (value.IsNull() || value.IsEmpty()) continue;
                const wxString text = wxString::FromUTF8(value.ToString()).Trim(true);
                if (!text.empty()) matches.push_back(text);
            }
        } catch (const ado::ComError& error) {
            CDataSet::ShowComError(error);
            matches.clear();
        }
        if (matches.size() > 1) {
            if (!m_pPickList) m_pPickList = new CItemPickDlg;
            m_pPickList->DeleteAllItems();
            for (const wxString& match : matches)
                m_pPickList->AddItem(match);
            m_pPickList->ShowWithoutActivating();
        } else {
            ClosePickList();
            if (matches.size() == 1) OnPickChoice(matches.front());
        }
    }
    if (m_pNavBar) m_pNavBar->GetValueBox()->SetFocus();
}

void CRecordDlg::OnPickChoice(const wxString& choice) {
    const ado::RecordsetPtr& rs = m_ds.m_pRecordset;
    if (!m_ds.IsOpen() || rs->RecordCount() == 0 || m_strPickField.empty()) return;
    try {
        rs->MoveFirst();
        rs->Find(CSqlText::Criterion(m_strPickField, choice).utf8_string());
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
        return;
    }
    ShowRecord();
}

void CRecordDlg::OnNotice(COwnerNoticeEvent& event) {
    using Step = CRecordEditSession::Step;
    switch (event.GetWParam()) {
    case CRecordNavBar::kFirst:
        return Go(Step::First);
    case CRecordNavBar::kPrevious:
        return Go(Step::Previous);
    case CRecordNavBar::kNext:
        return Go(Step::Next);
    case CRecordNavBar::kLast:
        return Go(Step::Last);
    default:
        break;
    }
    switch (event.GetLParam()) {
    case CRecordNavBar::kCondition:
        ApplyFilter(event.GetText());
        break;
    case CItemPickDlg::kChosen:
        OnPickChoice(event.GetText());
        break;
    case CItemPickDlg::kClose:
        ClosePickList();
        break;
    case CRecordNavBar::kMoveIntoList:
        if (m_pPickList) m_pPickList->EnterList();
        break;
    default:
        break;
    }
}

void CRecordDlg::OnCharHook(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        // Enter moves on like Tab and never presses a button or closes the dialog.
        if (dynamic_cast<wxButton*>(FindFocus())) break;
        Navigate(wxNavigationKeyEvent::IsForward);
        return;
    case WXK_DOWN:
        if (dynamic_cast<wxComboBox*>(FindFocus())) break;
        Navigate(wxNavigationKeyEvent::IsForward);
        return;
    case WXK_UP:
        if (dynamic_cast<wxComboBox*>(FindFocus())) break;
        Navigate(wxNavigationKeyEvent::IsBackward);
        return;
    case WXK_ESCAPE:
        // Esc leaves as the close box does: what is pending is not written.
        if (IsModal()) {
            EndModal(wxID_CANCEL);
            return;
        }
        break;
    default:
        break;
    }
    event.Skip();
}
