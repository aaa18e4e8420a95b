#include "grid/data_set_grid.h"

#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "data/system_options.h"
#include "data/wait_cursor.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_record_fields.h"
#include "grid/lookup_pane.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <wx/weakref.h>

namespace {

constexpr int kLookupGridId = 28909;
const wxString kCreateOnly = "#GreateGrid#";

bool IsStatement(const wxString& text) {
    wxString start = text;
    start.Trim(false);
    return start.Left(6).IsSameAs("select", false);
}

std::vector<int> FieldTypes(ado::Fields& fields, int f) {
    std::vector<int> types;
    for (int i = 0; i < f; ++i)
        types.push_back(fields.Item(i).Type());
    return types;
}

// Titles and built-in widths of data columns 1..f, and the field types.
void SetTitles(CGridCtrl& grid, ado::Fields& fields, int f) {
    for (int i = 0; i < f; ++i) {
        const wxString name = wxString::FromUTF8(fields.Item(i).Name());
        grid.SetItemText(0, i + 1, name);
        grid.SetColumnWidth(i + 1, CDataSet::DefaultColumnWidth(name));
    }
    grid.SetFieldTypes(FieldTypes(fields, f));
}

// The fields shown, looked up once for a whole load.
std::vector<ado::Field*> ShownFields(ado::Recordset& rs, int f) {
    std::vector<ado::Field*> shown;
    for (int i = 0; i < f; ++i)
        shown.push_back(&rs.Fields().Item(i));
    return shown;
}

// Cells of one row from the current record: its number, then the shown fields.
void FillRow(CGridCtrl& grid, ado::Recordset& rs, int row, const std::vector<ado::Field*>& shown) {
    CGridCell* number = grid.GetCell(row, 0);
    if (!number) return;
    number->text = grid_fields::NumberText(row);
    number->lParam = static_cast<long>(rs.Bookmark().ToDouble());
    for (size_t i = 0; i < shown.size(); ++i)
        if (CGridCell* cell = grid.GetCell(row, static_cast<int>(i) + 1))
            cell->text = grid_fields::CellText(*shown[i]);
}

// A window is disposed of by its toolkit, and may already be gone with its parent.
std::shared_ptr<CGridCtrl> OwnGrid(CGridCtrl* grid) {
    return std::shared_ptr<CGridCtrl>(grid, [ref = wxWeakRef<wxWindow>(grid)](CGridCtrl* g) {
        if (!g->GetHandle())
            delete g;
        else if (ref)
            ref->Destroy();
    });
}

int ThreeLevelPrices() {
    CSystemOptions options;
    options.LoadSettings();
    return options.GetIntOption(U("三级模式"));
}

bool HasRight(int right) {
    return g_pFrameData && g_pFrameData->CheckRight(right);
}

void RemoveColumn(CGridCtrl& grid, const wxString& title) {
    for (int col = 1; col < grid.GetColumnCount(); ++col)
        if (grid.GetItemText(0, col) == title) {
            std::vector<int> types = grid.GetFieldTypes();
            if (static_cast<size_t>(col) <= types.size()) types.erase(types.begin() + (col - 1));
            grid.SetFieldTypes(std::move(types));
            grid.DeleteColumn(col);
            return;
        }
}

} // namespace

namespace data_grid {

void LoadGrid(CDataSet& data, const ado::RecordsetPtr& recordset, CGridCtrl* grid,
              const wxString& filterField, const wxString& filterValue, int fieldCount,
              int rowMode) {
    grid->m_rsBound = recordset;
    // A recordset whose open failed (and was reported) shows as an empty grid.
    grid->SetRowCount(1);
    if (!recordset || !recordset->IsOpen()) {
        grid->SetColumnCount(1);
        grid->SetFieldTypes({});
        grid->SetItemText(0, 0, U("序号"));
        return;
    }
    if (!filterValue.empty()) CDataSet::MakeFilter(recordset, filterField, filterValue);
    ado::Fields& fields = recordset->Fields();
    const int f = fieldCount >= 1 ? std::min<int>(fieldCount, fields.Count()) : fields.Count();
    grid->SetColumnCount(f + 1);
    grid->SetItemText(0, 0, U("序号"));
    grid->AutoSize();
    grid->SetColumnWidth(0, CDataSet::DefaultColumnWidth(U("序号")));
    SetTitles(*grid, fields, f);

    const long n = recordset->RecordCount();
    // Saved widths are read through a data set of their own: the recordset shown
    // may be this data set's.
    if (!grid->GetTableName().empty() || !grid->GetReportName().empty()) {
        CDataSet widths;
        widths.LoadColumnWidths(grid->GetTableName(), grid, f);
        if (!widths.m_strFieldLongTable.empty())
            data.m_strFieldLongTable = widths.m_strFieldLongTable;
        if (!widths.m_columnWidths.empty()) data.m_columnWidths = widths.m_columnWidths;
    }

    long rows = 0;
    if (rowMode == 0)
        rows = n + 1;
    else if (rowMode == -1 || rowMode == 1)
        rows = n;
    else if (rowMode >= 2)
        rows = std::min<long>(n, rowMode);
    if (rows <= 1) return;

    CDataProgress progress(U("正在加载数据..."), 40, static_cast<int>(rows), false);
    recordset->MoveFirst();
    if (rowMode > 0) recordset->MoveNext();
    grid->SetRowCount(static_cast<int>(rows));
    const std::vector<ado::Field*> shown = ShownFields(*recordset, f);
    for (int row = 1; row < rows && !recordset->EndOfFile(); ++row, recordset->MoveNext()) {
        if (n > 40) progress.StepIt();
        FillRow(*grid, *recordset, row, shown);
    }
    grid->AutoSizeRow(1);
}

// A result of a single record is shown as well: it is a record like any other.
void LoadGridEx(const ado::RecordsetPtr& recordset, CGridCtrl* grid, int fieldCount, int maxRows) {
    grid->SetRowCount(std::max(1, grid->GetFixedRowCount())); // the titles stay
    grid->m_rsBound = recordset;
    if (!recordset || !recordset->IsOpen()) return;
    ado::Fields& fields = recordset->Fields();
    const int f = fieldCount >= 1 ? std::min<int>(fieldCount, fields.Count()) : fields.Count();
    const long n = recordset->RecordCount();
    if (n < 1 || maxRows <= 0) return;
    CDataProgress progress(U("正在加载数据..."), 40, static_cast<int>(n), false);
    recordset->MoveFirst();
    const int first = grid->GetRowCount();
    grid->SetRowCount(first + static_cast<int>(std::min<long>(n, maxRows)));
    int row = first;
    const std::vector<ado::Field*> shown = ShownFields(*recordset, f);
    for (; row < grid->GetRowCount() && !recordset->EndOfFile(); ++row, recordset->MoveNext()) {
        if (n > 40) progress.StepIt();
        FillRow(*grid, *recordset, row, shown);
    }
    grid->SetRowCount(row);
    grid->SetFieldTypes(FieldTypes(fields, f));
}

// A failed open is reported (the error box) and answered with 0, so no caller goes on
// with a recordset that is not there.
void RequeryPartsGrid(CDataSet& data) {
    const std::shared_ptr<CGridCtrl> lookup = data.m_pGrid;
    if (!lookup || !lookup->m_rsBound || !lookup->m_rsBound->IsOpen() ||
        lookup->m_rsBound->Source().empty())
        return;
    // Opened again through the data store, which reads the tables as they are now.
    const wxString statement = wxString::FromUTF8(lookup->m_rsBound->Source());
    const std::string sort = lookup->m_rsBound->Sort();
    const GridCellId focus = lookup->GetFocusCell();
    if (!OpenIntoGrid(data, statement, lookup.get())) return;
    if (!sort.empty()) lookup->m_rsBound->PutSort(sort);
    lookup->LoadRecordset();
    if (focus.row >= 1 && focus.row < lookup->GetRowCount()) lookup->SetFocusCell(focus);
    lookup->Refresh();
}

int OpenIntoGrid(CDataSet& data, const wxString& statement, CGridCtrl* grid) {
    data.FillConnectionText();
    std::vector<wxString> decrypted;
    int result = 1;
    try {
        CDataSet::CryptTables(statement, 1, &decrypted);
        grid->m_strLookupMarker.clear();
        if (grid->m_bCloseRsOnDestroy && grid->m_rsBound && grid->m_rsBound->IsOpen())
            grid->m_rsBound->Close();
        grid->m_bCloseRsOnDestroy = false;
        // A recordset still open belongs to someone else (a data set that loaded the
        // grid): the grid gets its own.
        if (!grid->m_rsBound || grid->m_rsBound->IsOpen())
            grid->m_rsBound = std::make_shared<ado::Recordset>();
        ado::Recordset& rs = *grid->m_rsBound;
        if (data.m_nState == 1) {
            rs.PutActiveConnection(data.m_pConnection);
            data.m_nState = 2;
        } else {
            if (data.m_nState == 2 && g_pFrameData) g_pFrameData->m_dsMain.Close();
            if (!g_pFrameData)
                throw ado::ComError(ado::E_POINTER, "There is no shared connection.");
            g_pFrameData->OpenConnection();
            rs.PutActiveConnection(g_pFrameData->m_pConnection);
            data.m_nState = 0;
        }
        rs.PutCursorType(ado::adOpenDynamic);
        rs.PutLockType(ado::adLockBatchOptimistic);
        rs.PutCursorLocation(ado::adUseClient);
        grid->m_bCloseRsOnDestroy = true;
        rs.Open(statement.utf8_string(), nullptr, ado::adOpenDynamic, ado::adLockBatchOptimistic,
                IsStatement(statement) ? ado::adCmdText : ado::adCmdFile);
        if (!rs.IsOpen()) result = 0;
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
        result = 0;
    }
    CDataSet::DropWorkingCopies(decrypted);
    return result;
}

int LoadPartsGrid(CDataSet& data, const wxString& statement, int lastField, bool reportEmpty) {
    std::shared_ptr<CGridCtrl>& lookup = data.m_pGrid; // the data set keeps the lookup grid
    long n = 0;
    if (statement.empty()) {
        if (lookup && lookup->m_rsBound && lookup->m_rsBound->IsOpen())
            n = lookup->m_rsBound->RecordCount();
    } else {
        lookup.reset();
    }
    bool created = false;
    if (!lookup) {
        lookup = OwnGrid(new CGridCtrl(1, 1, 1, 1));
        lookup->m_rsBound = std::make_shared<ado::Recordset>();
        lookup->SetEditMode(false);
        created = true;
    }
    CGridCtrl& grid = *lookup;
    if (!statement.empty() && statement != kCreateOnly) {
        if (!OpenIntoGrid(data, statement, &grid)) {
            lookup.reset(); // reported by the open
            return 0;
        }
        grid.m_bLookupReady = false;
        grid.m_rsBound->PutFilter(ado::Variant(std::string()));
        n = grid.m_rsBound->RecordCount();
        if (n > 0) grid.m_rsBound->MoveFirst();
    }
    if (created)
        if (CLookupPane* pane = CLookupPane::Installed())
            if (wxWindow* view = pane->ShowUpperPane())
                grid.Create(view, kLookupGridId, wxRect(wxPoint(0, 0), view->GetClientSize()),
                            wxBORDER_SIMPLE | wxTAB_TRAVERSAL);
    if (statement == kCreateOnly) return 1;

    CWaitCursor wait;
    if (n < 1) {
        if (reportEmpty) platform::ShowMessageBox("对不起，没有符合条件的记录！");
        lookup.reset();
        return 0;
    }
    ado::Recordset& rs = *grid.m_rsBound;
    ado::Fields& fields = rs.Fields();
    int f = fields.Count();
    if (lastField >= 1) {
        f = std::min(lastField + 1, f);
    } else {
        const int number = fields.IndexOf("no");
        if (number >= 1) f = number;
    }
    CDataProgress progress(U("正在加载数据..."), 40, static_cast<int>(n), false);
    grid.SetRowCount(1);
    grid.SetColumnCount(f + 1);
    grid.m_bPickGrid = true;
    wxString table;
    if (!statement.empty()) {
        table = CDataSet::GetTableName(statement);
        grid.SetTableName(table);
        data.m_strCurTable = table;
    }
    // The number column is fitted to its heading; the others get their titles' widths.
    grid.SetItemText(0, 0, U("序号"));
    grid.SetColumnWidth(0, 32);
    grid.AutoSize();
    SetTitles(grid, fields, f);

    grid.SetRowCount(static_cast<int>(n) + 1);
    rs.MoveFirst();
    const std::vector<ado::Field*> shown = ShownFields(rs, f);
    for (int row = 1; !rs.EndOfFile(); ++row, rs.MoveNext()) {
        progress.StepIt();
        if (n > 40 && row % 10 == 0)
            progress.SetText(
                wxString::Format("   %d%% complete", static_cast<int>(100L * row / n)));
        FillRow(grid, rs, row, shown);
    }
    if (!statement.empty()) {
        CDataSet widths;
        widths.LoadColumnWidths(table, &grid, f);
    }
    if (n > 999) grid.SetColumnWidth(0, 10 * static_cast<int>(wxString::Format("%ld", n).length()));

    // Prices the user may not see.
    if (!HasRight(51)) {
        RemoveColumn(grid, U("进价"));
        if (table == "hy") RemoveColumn(grid, U("批发价"));
    }
    if (!HasRight(22)) RemoveColumn(grid, U("批发价"));
    if (!HasRight(50) || ThreeLevelPrices() == 0) RemoveColumn(grid, U("代理价"));
    return 1;
}

} // namespace data_grid
