#include "work/line_page.h"
#include "work/guarded.h"
#include "work/header_record.h"
#include "work/line_fields.h"
#include "work/line_pricing.h"
#include "work/note_files.h"
#include "work/page_layout.h"
#include "work/work_sheet.h"

#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_keys.h"
#include "grid/grid_row_commands.h"
#include "platform/wx_text.h"
#include "res/line_page_template.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

using namespace res::line_page;
using namespace work;

const char* const CLinePage::kStockStatement =
    "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,进价 from ljkc where ";

CLinePage::CLinePage(CWorkSheet* sheet, const wxString& title, const LinePageKind& kind)
    : CWorkPage(sheet, title), m_kind(kind) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, kind.dialog());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->ResetToCorner();
    m_pGrid->SetItemText(0, 0, "  ");
    m_pGrid->m_nHelpContext = kind.helpContext;
    m_pGrid->m_bDriveLookup = true;
    m_pGrid->SetEditMode(true);
    if (CMainFrame* frame = CMainFrame::Get())
        if (auto* staff = res::Control<wxComboBox>(this, kStaffCombo))
            frame->m_dsMain.FillComboBox(
                CDataSet::ReplaceParams("select distinct ReplaceStr from ReplaceStr1", U("姓名"),
                                        "ygk"),
                staff);
    BindEvents();
}

CLinePage::~CLinePage() = default;

bool CLinePage::IsWalkIn() const {
    return GetTitle() == U(kWalkIn);
}

wxString CLinePage::Text(int id) const {
    if (auto* edit = res::Control<wxTextCtrl>(this, id)) return edit->GetValue();
    if (auto* combo = res::Control<wxComboBox>(this, id)) return combo->GetValue();
    return wxString();
}

void CLinePage::SetText(int id, const wxString& text) {
    if (auto* edit = res::Control<wxTextCtrl>(this, id)) edit->ChangeValue(text);
}

bool CLinePage::IsChecked(int id) const {
    auto* check = res::Control<wxCheckBox>(this, id);
    return check && check->GetValue();
}

int CLinePage::ColumnOf(const wxString& title) const {
    for (int col = 1; col < m_pGrid->GetColumnCount(); ++col)
        if (m_pGrid->GetItemText(0, col) == title) return col;
    return -1;
}

void CLinePage::BindButton(int id, std::function<void()> command) {
    if (wxWindow* control = res::FindControl(this, id))
        control->Bind(wxEVT_BUTTON,
                      [command](wxCommandEvent&) { Guarded([&command] { command(); }); });
}

void CLinePage::BindEvents() {
    BindButton(kCloseButton, [this] { OnClose(); });
    BindButton(kDeleteButton, [this] { OnDeleteLine(); });
    BindButton(kSettleButton, [this] { OnSettle(); });
    BindButton(kNewButton, [this] { OnNewLine(); });
    BindButton(kSuspendButton, [this] { OnSuspend(); });
    BindButton(kPrintButton, [this] { OnPrint(); });
    BindButton(kAbandonButton, [this] { OnAbandon(); });
    BindButton(kCustomerButton, [this] { OnCustomerData(); });
    if (auto* staff = res::Control<wxComboBox>(this, kStaffCombo))
        staff->Bind(wxEVT_COMBOBOX,
                    [this](wxCommandEvent&) { Guarded([this] { OnStaffChange(); }); });
    auto* note = res::Control<wxTextCtrl>(this, m_kind.noteEdit);
    note->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
        if (Text(m_kind.noteEdit) == NoteHint()) SetText(m_kind.noteEdit, wxString());
        e.Skip();
    });
    note->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        Guarded([this] { StoreNote(NoteFileName(), Text(m_kind.noteEdit)); });
        e.Skip();
    });
    Bind(qvEVT_GRID_NOTIFY,
         [this](CGridNotifyEvent& event) { Guarded([&] { OnGridNotify(event); }); });
}

bool CLinePage::MoveToHeader() const {
    return MoveToHeaderRecord(GetSheet()->m_rsLines);
}

std::vector<ado::Variant> CLinePage::LineBookmarks() const {
    return LineRecords(GetSheet()->m_rsLines);
}

wxString CLinePage::NoteFileName() const {
    return CustomerNoteFileName(GetTitle(), m_kind.walkInNote);
}

void CLinePage::ArrangeLineControls(std::initializer_list<int> own) {
    using namespace res::line_page;
    const wxSize page = GetClientSize();
    if (page.x < 200 || page.y < 150) return;
    const int top = work::BelowHeader(this, m_pGrid);
    std::vector<int> ids = {kCloseButton,   kDeleteButton,   kSettleButton,
                            kNewButton,     kSuspendButton,  kPrintButton,
                            kAbandonButton, kCustomerButton, kArchiveButton};
    ids.insert(ids.end(), own);
    const int right = page.x - work::kPageMargin - work::kFramePad;
    const wxRect column = work::PlaceButtonColumn(this, ids, right, top + 2 * work::kFramePad);
    wxWindow* total = res::FindControl(this, kTotalEdit);
    total->SetSize(column.x, column.GetBottom() + 1 + 2 * work::kFramePad, column.width,
                   total->GetSize().y);
    work::FrameAround(this, kButtonFrame,
                      wxRect(column.GetTopLeft(), total->GetRect().GetBottomRight()));
    const int left = column.x - work::kFramePad;
    wxWindow* note = res::FindControl(this, m_kind.noteEdit);
    const int noteHeight = note->GetSize().y;
    note->SetSize(work::kPageMargin, page.y - work::kPageMargin - noteHeight,
                  std::max(left - 2 * work::kPageMargin, 40), noteHeight);
    work::PlaceGrid(this, m_pGrid, top, note->GetRect().y, left);
}

void CLinePage::OnSetActive() {
    CMainFrame* frame = CMainFrame::Get();
    CWorkSheet* sheet = GetSheet();
    if (!frame || !sheet) return;
    ArrangeControls();
    frame->m_pActiveSheet = sheet;
    ado::RecordsetPtr& rs = sheet->m_rsLines;
    if (!sheet->m_bLinesOpen) {
        sheet->NextDocNumber();
        if (!frame->m_dsMain.OpenInto(U(m_kind.linesStatement), rs)) return;
        sheet->m_bLinesOpen = true;
    }
    sheet->m_strCustomer = GetTitle();

    m_pGrid->SetTableName("zyxm");
    m_pGrid->m_strReportName = U(m_kind.reportName);
    m_pGrid->MakeCurrentGrid();
    m_pGrid->SetTableName(U(m_kind.widthsKey));
    data_grid::LoadGrid(frame->m_dsMain, rs, m_pGrid, U("客户"), GetTitle(), m_kind.shownFields, 1);
    m_pGrid->SetTableName("zyxm");
    m_pGrid->m_rsBound = rs;

    if (IsWalkIn() && rs->RecordCount() == 0) AddHeaderRecord(rs, GetTitle(), m_kind.flag);
    if (rs->RecordCount() > 0) {
        ShowHeader(0);
        UpdateTotals();
    }
    const wxString note = ReadNote(NoteFileName());
    SetText(m_kind.noteEdit, note.empty() ? NoteHint() : note);

    // The page reworks its own line after the grid's row commands (paste, marks) and
    // completes a line a looked-up row went into.
    wxWeakRef<CLinePage> self(this);
    SetGridLineChangedHandler([self](CGridCtrl& grid, int row) {
        if (!self || &grid != self->m_pGrid) return;
        self->RecalcLine(row);
        self->UpdateTotals();
    });
    SetGridLineTakenHandler([self](CGridCtrl& grid, int row) {
        if (self && &grid == self->m_pGrid) self->CompleteTakenLine(row);
    });
    SetGridLineAddedHandler([self](CGridCtrl& grid) {
        if (self && &grid == self->m_pGrid) self->AddLine(true);
    });
    if (!sheet->GetPicker()) sheet->ShowVehiclePicker();
    m_pGrid->SetFocus();
}

void CLinePage::ReloadLines() {
    CMainFrame* frame = CMainFrame::Get();
    if (frame && frame->m_dsMain.OpenInto(U(m_kind.linesStatement), GetSheet()->m_rsLines))
        GetSheet()->m_bLinesOpen = true;
    OnSetActive();
}

void CLinePage::FocusTakenRow(int row) {
    m_pGrid->SetFocusCell(row, std::max(m_pGrid->GetFocusCell().col, 1));
}

void CLinePage::ShowLineMarks() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() < 2) return;
    MoveToHeader();
    const bool discounted = !IsNullField(rs, "折扣") && FieldText(rs, "折扣") != "100";
    const std::vector<ado::Variant> lines = LineBookmarks();
    for (size_t i = 0; i < lines.size() && int(i) + 1 < m_pGrid->GetRowCount(); ++i) {
        rs->PutBookmark(lines[i]);
        const LineMark mark = MarkOf(FieldText(rs, "其它"));
        int image = -1;
        if (mark == LineMark::NoDiscount && discounted) image = 1;
        if (mark == LineMark::Warranty) image = 2;
        if (mark == LineMark::Gift) image = 3;
        m_pGrid->SetItemImage(int(i) + 1, 0, image);
    }
}

void CLinePage::OnGridNotify(CGridNotifyEvent& event) {
    event.Skip();
    if (event.GetEventObject() != m_pGrid || event.code != GVN_ENDLABELEDIT) return;
    const int row = event.row, col = event.col;
    if (event.lParam == VK_ESCAPE || !event.textChanged || row < 1) return;
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || !m_pGrid->MoveToRowRecord(row)) return;
    const wxString title = m_pGrid->GetItemText(0, col);
    wxString typed = event.strText;
    typed.Trim(true).Trim(false);
    // With the upper list linked the grid took the listed row itself. A text that
    // finds nothing is stored as typed, like any other cell.
    if ((title == U("项目名称") || title == U("编号")) && event.lParam == VK_RETURN &&
        !typed.empty() && !m_pGrid->m_bLinkUpper) {
        if (LookupTypedItem(row, col, typed)) return;
        if (!m_pGrid->MoveToRowRecord(row)) return;
    }
    CheckTypedCell(row, col, title);
    const int field = rs->Fields().IndexOf(title.utf8_string());
    if (field < 0) return;
    const long type = rs->Fields().Item(field).Type();
    if (type == 131 || type == 3) {
        m_pGrid->MoveToRowRecord(row);
        RecalcLine(row);
        UpdateTotals();
    } else {
        SaveLines();
    }
}
