#include "work/warranty_page.h"

#include "work/guarded.h"
#include "work/line_fields.h"
#include "work/work_sheet.h"

#include "app/fuzzy_search_dlg.h"
#include "app/main_frame.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/wx_text.h"
#include "res/warranty_page_template.h"

#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace res::warranty_page;
using work::Guarded;

namespace {

constexpr int kShownColumns = 12;

const wxString& All() {
    static const wxString text = U("全部");
    return text;
}
const wxString& Fuzzy() {
    static const wxString text = U("模糊查找");
    return text;
}

} // namespace

void sblj::Register() {
    CMainFrame::RegisterForm(FormKind::WarrantyParts,
                             [](CMainFrame& frame, int, const wxString&) { OpenSheet(frame); });
}

void sblj::OpenSheet(CMainFrame& frame) {
    auto* sheet = new CWorkSheet(frame.GetSheetPane(), 'T', [](CWorkSheet* owner, const wxString&) {
        return new sblj(owner);
    });
    auto* page = new sblj(sheet);
    sheet->AddWorkPage(page, false);
    frame.InstallSheet(CMainFrame::SheetKind::Warranty, sheet);
    sheet->SelectWorkPage(page);
}

sblj::sblj(CWorkSheet* sheet) : CWorkPage(sheet, U("三包零件")) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::WarrantyPageTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->ResetToCorner();
    m_pGrid->SetTableName("ljth");
    m_pGrid->m_strTitle = U("零件退货");
    m_pGrid->m_nHelpContext = kDialogId;

    wxComboBox* customers = Combo(kCustomerCombo);
    if (CMainFrame* frame = CMainFrame::Get()) {
        frame->m_dsMain.FillComboBox(
            CDataSet::ReplaceParams("select distinct ReplaceStr from ReplaceStr1", U("客户"),
                                    "ljth"),
            customers);
        frame->m_dsMain.FillComboBox(
            CDataSet::ReplaceParams("select distinct ReplaceStr from ReplaceStr1", U("厂牌"),
                                    "ljth"),
            Combo(kBrandCombo));
    }
    customers->Append(All());
    customers->SetValue(All());
    res::Control<wxTextCtrl>(this, kToEdit)->ChangeValue(wxDateTime::Today().Format("%Y-%m-%d"));
    res::Control<wxTextCtrl>(this, kFromEdit)->ChangeValue("2004-01-01");
    SetPending(false);

    const std::pair<int, void (sblj::*)()> buttons[] = {
        {kQueryButton, &sblj::OnSetActive},
        {kNotSentOutButton, &sblj::OnNotSentOut},
        {kNotReissuedButton, &sblj::OnNotReissued},
        {kFuzzyButton, &sblj::OnFuzzySearch},
        {kNewButton, &sblj::OnNew},
        {kModifyButton, &sblj::OnModify},
        {kDeleteButton, &sblj::OnDelete},
        {kSaveButton, &sblj::OnSave},
        {kDiscardButton, &sblj::OnDiscard},
        {kExitButton, &sblj::OnExit},
        {kPrintButton, &sblj::OnPrint},
    };
    for (const auto& [id, handler] : buttons)
        Bind(
            wxEVT_BUTTON,
            [this, handler = handler](wxCommandEvent&) { Guarded([&] { (this->*handler)(); }); },
            res::ToWxId(id));
    for (int id : {kCustomerCombo, kBrandCombo})
        Combo(id)->Bind(wxEVT_COMBOBOX,
                        [this](wxCommandEvent&) { Guarded([this] { OnSetActive(); }); });
    customers->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        m_bTyped = false;
        event.Skip();
    });
    customers->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
        m_bTyped = true;
        event.Skip();
    });
    customers->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        Guarded([this] { OnCustomerEntered(); });
        event.Skip();
    });
    for (int id : {kFromEdit, kToEdit})
        res::FindControl(this, id)->Bind(wxEVT_KILL_FOCUS, [this, id](wxFocusEvent& event) {
            auto* edit = res::Control<wxTextCtrl>(this, id);
            // A cleared date stays empty: it leaves its end of the range open.
            if (!edit->GetValue().Strip(wxString::both).empty()) {
                const wxString checked = CDataSet::CheckValue(edit->GetValue(), 133, 8);
                if (checked != edit->GetValue()) edit->ChangeValue(checked);
            }
            event.Skip();
        });
}

wxComboBox* sblj::Combo(int id) const {
    return res::Control<wxComboBox>(const_cast<sblj*>(this), id);
}

wxString sblj::Text(int id) const {
    return res::Control<wxTextCtrl>(const_cast<sblj*>(this), id)->GetValue();
}

void sblj::ArrangeControls() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    const wxSize pane = frame->GetSheetPane()->GetClientSize();
    const int w = pane.x, h = pane.y;
    if (w < 200 || h < 150) return;
    m_pGrid->SetSize(12, 50, w - 12, h - 102);
    const wxSize b = res::FindControl(this, kPrintButton)->GetSize();
    const int row[] = {kNewButton,  kModifyButton,  kDeleteButton, kPrintButton,
                       kSaveButton, kDiscardButton, kExitButton};
    for (int i = 0; i < 7; ++i)
        res::FindControl(this, row[i])->SetSize(w / 2 - 265 + 65 * i, h - 37, b.x, b.y);
    res::FindControl(this, kButtonFrame)->SetSize(w / 2 - 272, h - 49, 7 * b.x + 26, b.y + 17);
    res::FindControl(this, kCostTotal)->SetSize(w / 2 + 200, h - 45, 2 * b.x, b.y);
    res::FindControl(this, kDealTotal)->SetSize(w / 2 + 200, h - 25, 2 * b.x, b.y);
}

void sblj::OnSetActive() {
    ArrangeControls();
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    frame->m_pActiveSheet = GetSheet();
    wxComboBox* customers = Combo(kCustomerCombo);
    wxString statement;
    if (customers->GetValue() == Fuzzy()) {
        const int where = frame->m_strShared.Lower().Find("where");
        if (where > 0) {
            statement = CWarrantyQuery::FuzzyStatement(frame->m_strShared);
        } else {
            customers->SetValue(All());
            statement = CWarrantyQuery::Statement(wxString(), CWarrantyQuery::Only::All);
        }
    } else {
        statement = CWarrantyQuery::Statement(
            CWarrantyQuery::Condition(customers->GetValue().Strip(wxString::trailing),
                                      Combo(kBrandCombo)->GetValue(), Text(kFromEdit),
                                      Text(kToEdit)),
            m_only);
    }
    m_only = CWarrantyQuery::Only::All;
    m_strStatement = statement;

    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!frame->m_dsMain.OpenInto(statement, rs)) return;
    GetSheet()->m_bLinesOpen = true;
    if (rs->RecordCount() > 0) {
        rs->MoveLast();
        if (!work::IsNullField(rs, "no"))
            m_nLastNo = std::max(m_nLastNo, static_cast<long>(work::FieldNumber(rs, "no")));
    }
    GetSheet()->m_strCustomer = U("零散客户");
    m_pGrid->ResetToCorner();
    data_grid::LoadGrid(frame->m_dsMain, rs, m_pGrid, wxString(), wxString(), kShownColumns, 0);
    m_pGrid->MakeCurrentGrid();
    ShowTotals();
    m_pGrid->Refresh();
    m_pGrid->SetFocus();
}

void sblj::ShowTotals() {
    const CWarrantyQuery::Totals totals = CWarrantyQuery::Sum(*GetSheet()->m_rsLines);
    res::Control<wxStaticText>(this, kCostTotal)
        ->SetLabel(U("进价金额:") + wxString::Format("%.2f", totals.cost));
    res::Control<wxStaticText>(this, kDealTotal)
        ->SetLabel(U("成交价金额:") + wxString::Format("%.2f", totals.deal));
}

void sblj::SetPending(bool editing) {
    res::FindControl(this, kSaveButton)->Enable(editing);
    res::FindControl(this, kDiscardButton)->Enable(editing);
    res::FindControl(this, kExitButton)->Enable(!editing);
}

void sblj::OnNotSentOut() {
    m_only = CWarrantyQuery::Only::NotSentOut;
    OnSetActive();
}

void sblj::OnNotReissued() {
    m_only = CWarrantyQuery::Only::NotReissued;
    OnSetActive();
}

void sblj::OnFuzzySearch() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    frame->m_strShared = m_pGrid->GetTableName();
    m_pGrid->MakeCurrentGrid();
    CFuzzySearchDlg search(nullptr, frame);
    if (search.ShowModal() == wxID_OK) {
        Combo(kCustomerCombo)->SetValue(Fuzzy());
        OnSetActive();
    }
    frame->m_strShared.clear();
}

void sblj::OnCustomerEntered() {
    wxComboBox* customers = Combo(kCustomerCombo);
    const wxString text = customers->GetValue().Strip(wxString::trailing);
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!text.empty() && text != Fuzzy() && customers->FindString(text, true) == wxNOT_FOUND &&
        rs->IsOpen()) {
        customers->Append(text);
        customers->SetValue(text);
        if (rs->RecordCount() > 0)
            for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
                if (work::FieldText(rs, "客户").empty()) work::PutText(rs, "客户", text);
        rs->PutFilter(ado::Variant(CSqlText::Criterion(U("客户"), text).utf8_string()));
        SetPending(true);
        m_pGrid->LoadRecordset();
        ShowTotals();
        return;
    }
    if (m_bTyped && !text.empty()) {
        m_bTyped = false;
        OnSetActive();
    }
}

void sblj::AddLine(bool) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    const wxString customer = Combo(kCustomerCombo)->GetValue().Strip(wxString::trailing);
    if (!customer.empty() && customer != All() && customer != Fuzzy())
        work::PutText(rs, "客户", customer);
    ++m_nLastNo;
    work::PutNumber(rs, "no", -m_nLastNo);
    SetPending(true);
}

void sblj::OnNew() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs->IsOpen()) return;
    if (m_pGrid->IsSorted()) {
        rs->PutSort("");
        m_pGrid->m_nSortCol = -1;
        m_pGrid->LoadRecordset();
    }
    rs->AddNew();
    AddLine(true);
    const wxString date = Text(kToEdit);
    wxDateTime parsed;
    if (parsed.ParseISODate(date)) work::PutText(rs, "日期", date);
    rs->Update();
    m_pGrid->AppendNewRecord();
    const int row = m_pGrid->GetRowCount() - 1;
    rs->MoveLast();
    m_pGrid->FillRowFromRecord(row);
    m_pGrid->SetEditMode(true);
    m_pGrid->SelectRow(-1);
    m_pGrid->Refresh();
}

void sblj::OnModify() {
    m_pGrid->SetEditMode(true);
    SetPending(true);
}

void sblj::OnDelete() {
    const int row = m_pGrid->GetFocusCell().row;
    if (row <= 0 || !m_pGrid->MoveToRowRecord(row)) return;
    GetSheet()->m_rsLines->Delete();
    m_pGrid->DeleteRowAndRenumber(row);
    if (m_pGrid->GetRowCount() > 1) m_pGrid->SelectRow(std::max(1, row - 1));
    SetPending(true);
    ShowTotals();
}

void sblj::OnSave() {
    m_pGrid->SetEditMode(false);
    SetPending(false);
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs->IsOpen()) return;
    const ado::Variant filter = rs->Filter();
    rs->PutFilter(ado::Variant(std::string()));
    const bool saved = SaveLines();
    if (saved) rs->PutFilter(filter);
    if (!saved)
        OnSetActive(); // the batch was dropped and reported: show what is stored
    else
        ShowTotals();
}

void sblj::OnDiscard() {
    m_pGrid->SetEditMode(false);
    SetPending(false);
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (rs->IsOpen()) rs->CancelBatch();
    OnSetActive();
}

void sblj::OnExit() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (rs->IsOpen()) rs->CancelBatch();
    frame->m_dsMain.SaveColumnWidths(m_pGrid);
    m_print.Close();
    frame->CloseSheet(CMainFrame::SheetKind::Warranty);
}

void sblj::OnPrint() {
    m_pGrid->MakeCurrentGrid();
    m_print.Open(m_pGrid);
}
