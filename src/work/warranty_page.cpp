#include "work/warranty_page.h"

#include "work/code_table_query.h"
#include "work/guarded.h"
#include "work/line_fields.h"
#include "work/page_layout.h"
#include "work/work_sheet.h"

#include "app/main_frame.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/wx_text.h"
#include "res/warranty_page_template.h"

#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace res::warranty_page;
using work::AllText;
using work::FuzzyText;
using work::Guarded;

namespace {

constexpr int kShownColumns = 12;

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

sblj::sblj(CWorkSheet* sheet)
    : CTableEditPage(sheet, U("三包零件"), res::WarrantyPageTemplate(), "ljth",
                     CMainFrame::SheetKind::Warranty) {
    m_pGrid->m_strTitle = U("零件退货");

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
    customers->Append(AllText());
    customers->SetValue(AllText());
    res::Control<wxTextCtrl>(this, kToEdit)->ChangeValue(wxDateTime::Today().Format("%Y-%m-%d"));
    res::Control<wxTextCtrl>(this, kFromEdit)->ChangeValue("2004-01-01");
    SetPending(false);

    BindButtons<sblj>(this, {
                                {kQueryButton, &sblj::OnSetActive},
                                {kNotSentOutButton, &sblj::OnNotSentOut},
                                {kNotReissuedButton, &sblj::OnNotReissued},
                                {kFuzzyButton, &sblj::OnFuzzySearch},
                                {kNewButton, &sblj::OnNew},
                                {kModifyButton, &sblj::OnEdit},
                                {kDeleteButton, &sblj::OnDelete},
                                {kSaveButton, &sblj::OnSave},
                                {kDiscardButton, &sblj::OnDiscard},
                                {kExitButton, &sblj::OnExit},
                                {kPrintButton, &sblj::OnPrint},
                            });
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
    const wxSize page = GetClientSize();
    if (page.x < 200 || page.y < 150) return;
    const wxRect row = PlaceCommandRow();
    // The two totals stand right of the command row, one above the other.
    const wxRect cost = work::PlaceRightOf(this, kCostTotal, row, 3 * work::kFramePad);
    res::FindControl(this, kCostTotal)->Move(cost.x, row.y + row.height / 2 - cost.height);
    const wxRect deal = work::PlaceRightOf(this, kDealTotal, row, 3 * work::kFramePad);
    res::FindControl(this, kDealTotal)->Move(deal.x, row.y + row.height / 2);
    work::PlaceGrid(this, m_pGrid, work::BelowHeader(this, m_pGrid), work::FrameTop(row));
}

void sblj::OnSetActive() {
    ArrangeControls();
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    frame->m_pActiveSheet = GetSheet();
    wxComboBox* customers = Combo(kCustomerCombo);
    wxString statement;
    if (customers->GetValue() == FuzzyText()) {
        const int where = frame->m_strShared.Lower().Find("where");
        if (where > 0) {
            statement = CWarrantyQuery::FuzzyStatement(frame->m_strShared);
        } else {
            customers->SetValue(AllText());
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
    m_nLastNo = std::max(m_nLastNo, LastLineNumber(m_nLastNo));
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
    res::Control<wxStaticText>(this, kCostTotal)->SetLabel(U("进价金额:") + MoneyText(totals.cost));
    res::Control<wxStaticText>(this, kDealTotal)
        ->SetLabel(U("成交价金额:") + MoneyText(totals.deal));
}

void sblj::OnNotSentOut() {
    m_only = CWarrantyQuery::Only::NotSentOut;
    OnSetActive();
}

void sblj::OnNotReissued() {
    m_only = CWarrantyQuery::Only::NotReissued;
    OnSetActive();
}

void sblj::OnCustomerEntered() {
    wxComboBox* customers = Combo(kCustomerCombo);
    const wxString text = customers->GetValue().Strip(wxString::trailing);
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!text.empty() && text != FuzzyText() && customers->FindString(text, true) == wxNOT_FOUND &&
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
    if (!customer.empty() && customer != AllText() && customer != FuzzyText())
        work::PutText(rs, "客户", customer);
    ++m_nLastNo;
    work::PutNumber(rs, "no", -m_nLastNo);
    SetPending(true);
}

void sblj::OnNew() {
    if (!StartNewLine()) return;
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    rs->AddNew();
    AddLine(true);
    const wxString date = Text(kToEdit);
    wxDateTime parsed;
    if (parsed.ParseISODate(date)) work::PutText(rs, "日期", date);
    FinishNewLine();
    m_pGrid->SelectRow(-1);
    m_pGrid->Refresh();
}

void sblj::OnDelete() {
    if (!DeleteFocusedLine()) return;
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
