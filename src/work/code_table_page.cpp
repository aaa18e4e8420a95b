#include "work/code_table_page.h"

#include "work/code_table_query.h"
#include "work/code_table_totals.h"
#include "work/guarded.h"
#include "work/line_fields.h"
#include "work/page_layout.h"
#include "work/short_codes.h"
#include "work/warranty_page.h"
#include "work/work_sheet.h"

#include "app/company_data.h"
#include "app/main_frame.h"
#include "data/status_text.h"
#include "data/wait_cursor.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/code_table_template.h"

#include <algorithm>
#include <vector>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

using namespace res::code_table;
using work::CodeTableMode;
using work::Guarded;
using work::HasPartPositionFilter;
using work::HasPricesByRight;
using work::IsPartsMode;

namespace {

struct SearchEdit {
    int id;
    const char* field; // also the hint the edit shows while empty
};
const SearchEdit kSearchEdits[] = {
    {kNameEdit, "零件名称"},
    {kCodeEdit, "编号"},
    {kShortCodeEdit, "简码"},
};

const wxColour kHintColour(187, 187, 187);
const wxColour kHeadingColour(64, 0, 160);

bool IsValue(const wxString& text) {
    return !text.empty() && text != work::AllText() && text != work::FuzzyText();
}

} // namespace

void hyxm::Register() {
    CMainFrame::RegisterForm(FormKind::CodeTableSheet,
                             [](CMainFrame& frame, int mode, const wxString&) {
                                 OpenCodeTableSheet(frame, mode);
                             });
}

void hyxm::OpenCodeTableSheet(CMainFrame& frame, int mode) {
    if (mode == 12) {
        sblj::OpenSheet(frame);
        return;
    }
    const CodeTableMode* entry = work::FindCodeTableMode(mode);
    if (!entry) return;
    auto* sheet = new CWorkSheet(frame.GetSheetPane(), 'C',
                                 [entry](CWorkSheet* owner, const wxString&) {
                                     return new hyxm(owner, *entry);
                                 });
    auto* page = new hyxm(sheet, *entry);
    sheet->AddWorkPage(page, false);
    frame.InstallSheet(CMainFrame::SheetKind::CodeTable, sheet);
    sheet->SelectWorkPage(page);
}

hyxm::hyxm(CWorkSheet* sheet, const CodeTableMode& mode)
    : CTableEditPage(sheet, U("项目维护"), res::CodeTableTemplate(), mode.table,
                     CMainFrame::SheetKind::CodeTable),
      m_mode(mode), m_copy(U(mode.heading), mode.table) {
    m_pGrid->m_strReportName = U(m_mode.heading);
    m_pGrid->m_strTitle = U(m_mode.heading);
    InitControls();
    SetPending(false);

    BindButtons<hyxm>(this, {
                                {kNewButton, &hyxm::OnNew},
                                {kEditButton, &hyxm::OnEdit},
                                {kDeleteButton, &hyxm::OnDelete},
                                {kPrintButton, &hyxm::OnPrint},
                                {kSaveButton, &hyxm::OnSave},
                                {kCancelButton, &hyxm::OnCancelEdits},
                                {kExitButton, &hyxm::OnExit},
                                {kFuzzyButton, &hyxm::OnFuzzySearch},
                                {kShortCodesButton, &hyxm::OnMakeShortCodes},
                            });
    const std::pair<int, void (hyxm::*)()> combos[] = {
        {kFilterCombo, &hyxm::OnFilterChange},
        {kStoreCombo, &hyxm::OnStoreChange},
        {kPositionCombo, &hyxm::OnPartPosChange},
    };
    for (const auto& combo : combos) {
        const auto handler = combo.second;
        Combo(combo.first)->Bind(wxEVT_COMBOBOX, [this, handler](wxCommandEvent&) {
            Guarded([&] { (this->*handler)(); });
        });
    }
    for (const SearchEdit& search : kSearchEdits) {
        wxTextCtrl* edit = Edit(search.id);
        const int id = search.id;
        const wxString field = U(search.field);
        edit->Bind(wxEVT_SET_FOCUS, [this, edit, id](wxFocusEvent& event) {
            if (ShowsHint(id)) {
                edit->ChangeValue(wxString());
                edit->SetForegroundColour(wxNullColour);
            }
            event.Skip();
        });
        // Enter or Down searches; Enter never acts as a dialog key here unless Alt is held.
        edit->Bind(wxEVT_KEY_DOWN, [this, edit, field](wxKeyEvent& event) {
            const int key = event.GetKeyCode();
            if (key != WXK_RETURN && key != WXK_NUMPAD_ENTER && key != WXK_DOWN) {
                event.Skip();
                return;
            }
            if (IsPartsMode(m_mode.mode))
                Guarded([&] { QuickSearch(field, edit->GetValue()); });
            if (event.AltDown()) event.Skip();
        });
    }
    const std::pair<int, bool> discounts[] = {{kPartDiscountEdit, false},
                                              {kServiceDiscountEdit, true}};
    for (const auto& discount : discounts) {
        wxTextCtrl* edit = Edit(discount.first);
        const bool service = discount.second;
        const int spin = service ? kServiceDiscountSpin : kPartDiscountSpin;
        edit->Bind(wxEVT_TEXT, [this, edit, service, spin](wxCommandEvent& event) {
            event.Skip();
            // Only the operator's own change: typed, or stepped with the spin.
            wxWindow* focus = wxWindow::FindFocus();
            if (focus != edit && focus != res::FindControl(this, spin)) return;
            Guarded([&] { ApplyCardDiscount(service, edit->GetValue()); });
        });
    }
    Bind(qvEVT_GRID_NOTIFY, [this](CGridNotifyEvent& event) {
        event.Skip();
        if (event.GetEventObject() != m_pGrid || event.code != GVN_ENDLABELEDIT ||
            !event.textChanged || !m_bNewLines)
            return;
        Guarded([this] { KeepNewLines(); });
    });
}

void hyxm::InitControls() {
    CMainFrame* frame = CMainFrame::Get();
    const int mode = m_mode.mode;
    const wxString filterField = U(m_mode.filterField);
    wxComboBox* filter = Combo(kFilterCombo);
    if (frame) frame->m_dsMain.FillComboBox(work::DistinctValuesStatement(filterField, m_mode.table),
                                            filter);
    // The catalogue is never listed whole.
    if (mode != 4) filter->Append(work::AllText());
    if (mode != 1) res::FindControl(this, kFilterLabel)->SetLabel(filterField);

    auto* heading = res::Control<wxStaticText>(this, kHeading);
    wxFont bold = GetFont();
    bold.SetWeight(wxFONTWEIGHT_BOLD);
    bold.SetPixelSize(wxSize(0, 24));
    heading->SetFont(bold);
    heading->SetForegroundColour(kHeadingColour);
    heading->SetLabel(U(m_mode.heading));

    if (mode == 1) {
        for (int id : {kPartDiscountLabel, kPartDiscountEdit, kPartDiscountSpin,
                       kServiceDiscountLabel, kServiceDiscountEdit, kServiceDiscountSpin})
            res::FindControl(this, id)->Show();
        for (int id : {kPartDiscountSpin, kServiceDiscountSpin}) {
            auto* spin = res::Control<wxSpinButton>(this, id);
            spin->SetRange(0, 200);
            spin->SetValue(100);
        }
        Edit(kPartDiscountEdit)->ChangeValue("100");
        Edit(kServiceDiscountEdit)->ChangeValue("100");
    }
    if (mode == 9) {
        for (const wxString& store : ReadStoreNames())
            Combo(kStoreCombo)->Append(store);
        Combo(kStoreCombo)->Append(work::AllText());
    }
    if (mode == 15) {
        res::FindControl(this, kStoreLabel)->SetLabel(U("供应商"));
        if (frame)
            frame->m_dsMain.FillComboBox(work::DistinctValuesStatement(U("单位"), "gys"),
                                         Combo(kStoreCombo));
        Combo(kStoreCombo)->Append(work::AllText());
    }
    if (IsPartsMode(mode))
        for (const SearchEdit& search : kSearchEdits) {
            Edit(search.id)->ChangeValue(U(search.field));
            Edit(search.id)->SetForegroundColour(kHintColour);
        }
}

wxComboBox* hyxm::Combo(int id) const {
    return res::Control<wxComboBox>(this, id);
}

wxTextCtrl* hyxm::Edit(int id) const {
    return res::Control<wxTextCtrl>(this, id);
}

wxString hyxm::Chosen(int id) const {
    wxComboBox* combo = Combo(id);
    return combo->GetSelection() == wxNOT_FOUND ? wxString() : combo->GetValue();
}

bool hyxm::ShowsHint(int id) const {
    for (const SearchEdit& search : kSearchEdits)
        if (search.id == id) return Edit(id)->GetValue() == U(search.field);
    return false;
}

void hyxm::ArrangeControls() {
    const wxSize page = GetClientSize();
    const int w = page.x, h = page.y;
    if (w < 200 || h < 150) return;
    const int mode = m_mode.mode;
    const bool parts = IsPartsMode(mode);

    // The top row, left to right, each control centred on the row's middle; the grid
    // starts below it.
    int x = work::kPageMargin;
    std::vector<wxWindow*> row;
    auto place = [this, &x, &row](int id, int width) {
        wxWindow* control = res::FindControl(this, id);
        width = std::max(width, control->GetBestSize().x);
        const int height = std::max(control->GetSize().y, control->GetBestSize().y);
        control->SetSize(x, 0, width, height);
        control->Show();
        x += width + 4;
        row.push_back(control);
    };
    wxWindow* heading = res::FindControl(this, kHeading);
    if (parts) {
        place(kFilterLabel, 40);
        place(kFilterCombo, 100);
        if (HasPartPositionFilter(mode)) {
            place(kPositionLabel, 28);
            place(kPositionCombo, mode == 4 || mode == 14 ? 140 : 100);
        }
        if (mode == 9 || mode == 15) {
            place(kStoreLabel, 40);
            place(kStoreCombo, 100);
        }
        if (HasPartPositionFilter(mode)) place(kModelCheck, 76);
        place(kNameEdit, 70);
        place(kCodeEdit, 60);
        place(kShortCodeEdit, 50);
        place(kFuzzyButton, 90);
        if (mode == 9 || mode == 15)
            heading->Hide();
        else
            place(kHeading, 150);
    } else {
        place(kFilterLabel, 50);
        place(kFilterCombo, 110);
        if (mode == 1) {
            place(kPartDiscountLabel, 64);
            place(kPartDiscountEdit, 40);
            place(kPartDiscountSpin, 18);
            place(kServiceDiscountLabel, 64);
            place(kServiceDiscountEdit, 40);
            place(kServiceDiscountSpin, 18);
        }
        place(kFuzzyButton, 90);
        if (mode == 10) place(kShortCodesButton, 100);
        if (mode != 1) {
            x = std::max(x, w / 2);
            place(kHeading, 150);
        }
    }
    int rowHeight = 0;
    for (wxWindow* control : row)
        rowHeight = std::max(rowHeight, control->GetSize().y);
    for (wxWindow* control : row)
        control->Move(control->GetPosition().x,
                      work::kPageMargin + (rowHeight - control->GetSize().y) / 2);
    const wxRect commands = PlaceCommandRow();
    if (mode == 9) {
        const int totals[] = {kCostTotal, kWholesaleTotal, kRetailTotal};
        for (int i = 0; i < 3; ++i)
            res::FindControl(this, totals[i])
                ->SetSize(w - 150 - work::kPageMargin, h - 53 + 16 * i, 150, 16);
    }
    work::PlaceGrid(this, m_pGrid, 2 * work::kPageMargin + rowHeight, work::FrameTop(commands));
}

void hyxm::OnSetActive() {
    ArrangeControls();
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    CWorkSheet* sheet = GetSheet();
    frame->m_pActiveSheet = sheet;
    const ado::RecordsetPtr& rs = sheet->m_rsLines;
    if (m_bReload || !rs->IsOpen()) {
        m_bReload = false;
        OfferToSave();
        work::CodeTableFilter filter;
        filter.value = Combo(kFilterCombo)->GetValue();
        filter.search = m_bSearchFilter;
        filter.searchText = frame->m_strShared;
        if (m_mode.mode == 9) filter.store = Chosen(kStoreCombo);
        if (m_mode.mode == 15) filter.supplier = Chosen(kStoreCombo);
        filter.byPosition = m_bPartFilter;
        filter.position = Combo(kPositionCombo)->GetValue();
        m_bPartFilter = false;
        const work::CodeTableStatement built = work::BuildCodeTableStatement(m_mode, filter);
        if (built.showsAll) Combo(kFilterCombo)->SetValue(work::AllText());
        m_strStatement = built.statement;
        m_bNewLines = false;
        m_pGrid->SetEditMode(false);
        if (!frame->m_dsMain.OpenInto(m_strStatement, rs)) {
            m_pGrid->ResetToCorner();
            m_pGrid->Refresh();
            return;
        }
        sheet->m_bLinesOpen = true;
        m_nLastNo = LastLineNumber(m_nLastNo);
    }
    sheet->m_strCustomer = U("零散客户");
    ShowCardDiscounts();
    m_pGrid->ResetToCorner();
    data_grid::LoadGrid(frame->m_dsMain, rs, m_pGrid, wxString(), wxString(), m_mode.columns, 0);
    m_pGrid->MakeCurrentGrid();
    if (HasPricesByRight(m_mode.mode)) HidePriceColumns();
    if (m_mode.mode == 9) ShowStockTotals();
    if (m_bRestoreCopy) {
        m_bRestoreCopy = false;
        RestoreCopy();
    }
    m_pGrid->Refresh();
    m_pGrid->SetFocus();
}

void hyxm::OfferToSave() {
    if (res::FindControl(this, kSaveButton)->IsEnabled() &&
        platform::ShowMessageBox("数据还未存档，是否保存?", "", platform::MB_YESNO) ==
            platform::IDYES &&
        SaveLines())
        m_copy.Drop();
    SetPending(false);
}

void hyxm::ShowCardDiscounts() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (m_mode.mode != 1 || !rs->IsOpen() || rs->RecordCount() <= 0) return;
    rs->MoveLast();
    const std::pair<const char*, int> discounts[] = {{"折扣", kPartDiscountEdit},
                                                     {"手扣", kServiceDiscountEdit}};
    for (const auto& discount : discounts) {
        const std::string field = U(discount.first).utf8_string();
        const double value = work::FieldNumber(rs, field.c_str());
        const int shown = value > 0 ? static_cast<int>(value) : 100;
        Edit(discount.second)->ChangeValue(wxString::Format("%d", shown));
        const int spin = discount.second == kPartDiscountEdit ? kPartDiscountSpin
                                                               : kServiceDiscountSpin;
        res::Control<wxSpinButton>(this, spin)->SetValue(std::min(200, shown));
    }
}

void hyxm::HidePriceColumns() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    const std::vector<wxString> hidden =
        work::HiddenPriceColumns([frame](int right) { return frame->CheckRight(right); });
    for (const wxString& title : hidden)
        for (int col = m_pGrid->GetColumnCount() - 1; col > 0; --col)
            if (m_pGrid->GetItemText(0, col) == title) m_pGrid->DeleteColumn(col);
}

// The purchase and wholesale totals tell what their hidden columns would.
void hyxm::ShowStockTotals() {
    CMainFrame* frame = CMainFrame::Get();
    const work::StockTotals totals = work::SumStock(GetSheet()->m_rsLines);
    const bool cost = frame && frame->CheckRight(51);
    const bool wholesale = frame && frame->CheckRight(22);
    auto show = [this](int id, bool shown, const wxString& text) {
        wxWindow* label = res::FindControl(this, id);
        label->SetLabel(shown ? text : wxString());
        label->Show(shown);
    };
    show(kCostTotal, cost, U("进  价:") + work::StockTotalText(totals.cost));
    show(kWholesaleTotal, wholesale, U("批发价:") + work::StockTotalText(totals.wholesale));
    show(kRetailTotal, true, U("零售价:") + work::StockTotalText(totals.retail));
}

void hyxm::RestoreCopy() {
    CMainFrame* frame = CMainFrame::Get();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!frame || !m_copy.Exists() || !rs->IsOpen()) return;
    if (m_copy.Restore(frame->m_dsMain, rs, m_nLastNo) == 0) return;
    m_bNewLines = true;
    m_pGrid->LoadRecordset();
    if (m_mode.mode == 9) ShowStockTotals();
    SetPending(true);
}

void hyxm::KeepNewLines() {
    CMainFrame* frame = CMainFrame::Get();
    if (frame) m_copy.Keep(frame->m_dsMain, GetSheet()->m_rsLines);
}

void hyxm::AddLine(bool) {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    CDataSet& data = frame->m_dsMain;
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    // "全部" and a search are no values of the filter field.
    const wxString value = Combo(kFilterCombo)->GetValue().Strip(wxString::trailing);
    if (IsValue(value)) data.PutFieldValue(value, U(m_mode.filterField), rs);
    switch (m_mode.mode) {
    case 1: {
        const std::pair<int, const char*> discounts[] = {{kPartDiscountEdit, "折扣"},
                                                         {kServiceDiscountEdit, "手扣"}};
        for (const auto& discount : discounts) {
            const wxString text = Edit(discount.first)->GetValue();
            if (text.empty()) continue;
            wxString checked = CDataSet::CheckValue(text, 3, 4);
            if (checked == "0") checked = "100";
            data.PutFieldValue(checked, U(discount.second), rs);
        }
        data.PutFieldValue("1", U("次数"), rs);
        break;
    }
    case 2:
        if (work::IsNullField(rs, "进价")) data.PutFieldValue("0", U("进价"), rs);
        break;
    case 3:
    case 4:
    case 9:
    case 16:
        data.PutFieldValue("1", U("数量"), rs);
        break;
    case 15: {
        const wxString supplier = Combo(kStoreCombo)->GetValue();
        if (IsValue(supplier)) data.PutFieldValue(supplier, U("供应商"), rs);
        break;
    }
    default:
        break;
    }
    ++m_nLastNo;
    work::PutNumber(rs, "no", -m_nLastNo);
    SetPending(true);
}

void hyxm::OnNew() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame || !StartNewLine()) return;
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    const int mode = m_mode.mode;
    wxString position;
    if (HasPartPositionFilter(mode)) {
        const wxString chosen = Chosen(kPositionCombo);
        if (!chosen.empty()) {
            position = chosen;
        } else if (rs->RecordCount() > 0) {
            rs->MoveLast();
            position = work::FieldText(rs, "部位");
        }
    }
    rs->AddNew();
    if (!position.empty()) frame->m_dsMain.PutFieldValue(position, U("部位"), rs);
    AddLine(true);
    const int row = FinishNewLine();
    m_pGrid->SetFocusCell(row, std::min(IsPartsMode(mode) && mode != 17 ? 3 : 2,
                                        m_pGrid->GetColumnCount() - 1));
    m_pGrid->EnsureVisible(row, 1);
    m_pGrid->Refresh();
    m_bNewLines = true;
    KeepNewLines();
}

void hyxm::OnDelete() {
    Combo(kFilterCombo)->SetFocus();
    if (DeleteFocusedLine()) {
        if (m_bNewLines) KeepNewLines();
        if (m_mode.mode == 9) ShowStockTotals();
    }
    SetPending(true);
}

bool hyxm::SaveLines() {
    if (!CWorkPage::SaveLines()) return false;
    // The catalogue tree lists bins, parts, item groups and labour items.
    const wxString table = m_mode.table;
    if (table == "ljkc" || table == "gdxm" || table == "wxxm")
        if (CMainFrame* frame = CMainFrame::Get()) frame->FillCatalogTree();
    return true;
}

void hyxm::OnSave() {
    m_pGrid->SetEditMode(false);
    SetPending(false);
    if (!GetSheet()->m_rsLines->IsOpen()) return;
    if (SaveLines()) {
        m_copy.Drop();
        m_bNewLines = false;
        return;
    }
    // The batch was dropped and reported: the table is listed as stored, with the
    // new lines back from the copy to be put right.
    m_bReload = true;
    m_bRestoreCopy = true;
    OnSetActive();
}

void hyxm::OnCancelEdits() {
    m_pGrid->SetEditMode(false);
    SetPending(false);
    Combo(kFilterCombo)->SetFocus();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (rs->IsOpen()) rs->CancelBatch();
    Reload();
    m_pGrid->SetFocus();
    m_copy.Drop();
}

void hyxm::Reload() {
    m_bReload = true;
    OnSetActive();
}

void hyxm::QuickSearch(const wxString& field, const wxString& text) {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    if (text.Contains("'")) {
        platform::ShowMessageBox("查询值中不能包含单引号！查询失败。");
        return;
    }
    const wxString value = Combo(kFilterCombo)->GetValue();
    const bool withinModel = HasPartPositionFilter(m_mode.mode) &&
                             res::Control<wxCheckBox>(this, kModelCheck)->GetValue() &&
                             IsValue(value);
    frame->m_strShared = work::QuickSearchWhere(field, text, withinModel ? value : wxString());
    m_bSearchFilter = true;
    Reload();
    m_bSearchFilter = false;
    frame->m_strShared.clear();
}

void hyxm::ApplyCardDiscount(bool service, const wxString& text) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (m_mode.mode != 1 || !rs->IsOpen()) return;
    wxString checked;
    // A text that is no number is reported and changes nothing: a 0 would give the
    // card type everything free.
    if (!text.empty() && !CDataSet::CheckAccepted(text, 3, 4, &checked)) return;
    const char* field = service ? "手扣" : "折扣";
    const std::string name = U(field).utf8_string();
    if (rs->RecordCount() > 0)
        for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
            if (text.empty() || checked == "100")
                work::PutNull(rs, name.c_str());
            else
                work::PutNumber(rs, name.c_str(), wxAtol(checked));
        }
    m_pGrid->LoadRecordset();
    m_pGrid->Refresh();
    SetPending(true);
}

void hyxm::OnFilterChange() {
    wxComboBox* filter = Combo(kFilterCombo);
    if (filter->GetSelection() == wxNOT_FOUND) return;
    filter->SetValue(filter->GetString(filter->GetSelection()));
    m_bReload = true;
    if (HasPartPositionFilter(m_mode.mode)) {
        CMainFrame* frame = CMainFrame::Get();
        wxComboBox* positions = Combo(kPositionCombo);
        positions->Clear();
        if (frame)
            frame->m_dsMain.FillComboBox(work::PositionsStatement(m_mode.table, filter->GetValue()),
                                         positions);
    }
    OnSetActive();
}

void hyxm::OnStoreChange() {
    if (Combo(kStoreCombo)->GetSelection() == wxNOT_FOUND) return;
    Reload();
}

void hyxm::OnPartPosChange() {
    m_bReload = true;
    m_bPartFilter = true;
    OnSetActive();
}

void hyxm::OnMakeShortCodes() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    if (platform::ShowMessageBox(
            "零件目录、零件库存、价格库和零件货源中的名称将被自动生成简码,是否继续?", "",
            platform::MB_YESNO) != platform::IDYES)
        return;
    // Pending lines of this table first, as before any reload: the new codes are
    // saved next to them and the table is listed again from the file.
    OfferToSave();
    long added;
    {
        CWaitCursor wait;
        SetMainStatusText(U("正在处理数据..."));
        CShortCodes codes;
        added = codes.GenerateAll(frame->m_dsMain, [](const wxString& name) {
            SetMainStatusText(U("正在生成'") + name + U("'的简码."));
        });
    }
    SetMainStatusText(U("正在处理数据..."));
    // A search without a condition lists the whole table.
    Combo(kFilterCombo)->SetValue(work::FuzzyText());
    frame->m_strShared.clear();
    Reload();
    // A failure was reported and saved nothing: it is no finished operation.
    SetMainStatusText(added < 0 ? U("如需帮助，请按F1键") : U("操作完成 如需帮助，请按F1键"));
}
