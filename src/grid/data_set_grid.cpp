// The data set's grid loaders: recordsets shown in grids with row numbers, titles,
// money texts and saved widths; the main window's lookup grid of parts and labour
// items; statements opened straight into a grid's recordset. They live with the grid
// because the data store does not know the grid control.
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "data/system_options.h"
#include "data/wait_cursor.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_record_fields.h"
#include "grid/lookup_pane.h"
#include "platform/gbk.h"
#include "platform/message_box.h"

#include <wx/weakref.h>

namespace {

constexpr int kLookupGridId = 28909;
const wxString kCreateOnly = "#GreateGrid#";

wxString T(const char* utf8) {
    return wxString::FromUTF8(utf8);
}

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
    return options.GetIntOption(T("三级模式"));
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

int CDataSet::DefaultColumnWidth(const wxString& title) {
    auto any = [&title](std::initializer_list<const char*> titles) {
        for (const char* t : titles)
            if (title == T(t)) return true;
        return false;
    };
    auto holds = [&title](const char* part) { return title.Contains(T(part)); };
    if (any({"编号", "部门", "部位", "税号", "帐号"})) return 120;
    if (any({"关联项目", "零件名称", "等同名", "项目名称", "开户行"})) return 100;
    if (holds("日期") || holds("类别") ||
        any({"有效期", "生日", "车型", "车牌号码", "定货单", "单据号", "保养类", "合同号", "客户",
             "卡号", "卡类别"}))
        return 82;
    if (holds("电话") || holds("手机") || any({"传真", "负责人手机", "联系人手机"})) return 92;
    if (holds("价") || any({"毛利", "金额", "总计", "小计", "余额", "颜色"})) return 65;
    if (any({"作业人员", "业务", "推销员", "联系人", "姓名", "车主姓名", "负责人", "故障", "简码",
             "货位", "邮编", "区域"}))
        return 67;
    if (any({"单位", "序号", "数量", "备注", "厂牌", "次数", "方式", "其它", "折扣", "来源"}))
        return 46;
    if (any({"地址", "供应商"})) return 150;
    return 10 * static_cast<int>(platform::GbkLength(title.utf8_string()));
}

void CDataSet::LoadGrid(const ado::RecordsetPtr& recordset, CGridCtrl* grid,
                        const wxString& filterField, const wxString& filterValue, int fieldCount,
                        int rowMode) {
    grid->m_rsBound = recordset;
    // A recordset whose open failed (and was reported) shows as an empty grid.
    grid->SetRowCount(1);
    if (!recordset || !recordset->IsOpen()) {
        grid->SetColumnCount(1);
        grid->SetFieldTypes({});
        grid->SetItemText(0, 0, T("序号"));
        return;
    }
    if (!filterValue.empty()) MakeFilter(recordset, filterField, filterValue);
    ado::Fields& fields = recordset->Fields();
    const int f = fieldCount >= 1 ? std::min<int>(fieldCount, fields.Count()) : fields.Count();
    grid->SetColumnCount(f + 1);
    grid->SetItemText(0, 0, T("序号"));
    grid->AutoSize();
    grid->SetColumnWidth(0, DefaultColumnWidth(T("序号")));
    SetTitles(*grid, fields, f);

    const long n = recordset->RecordCount();
    // Saved widths are read through a data set of their own: the recordset shown
    // may be this data set's.
    if (!grid->GetTableName().empty() || !grid->GetReportName().empty()) {
        CDataSet widths;
        widths.LoadColumnWidths(grid->GetTableName(), grid, f);
        if (!widths.m_strFieldLongTable.empty()) m_strFieldLongTable = widths.m_strFieldLongTable;
        if (!widths.m_columnWidths.empty()) m_columnWidths = widths.m_columnWidths;
    }

    long rows = 0;
    if (rowMode == 0)
        rows = n + 1;
    else if (rowMode == -1 || rowMode == 1)
        rows = n;
    else if (rowMode >= 2)
        rows = std::min<long>(n, rowMode);
    if (rows <= 1) return;

    CDataProgress progress(T("正在加载数据..."), 40, static_cast<int>(rows), false);
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
void CDataSet::LoadGridEx(const ado::RecordsetPtr& recordset, CGridCtrl* grid, int fieldCount,
                          int maxRows) {
    grid->SetRowCount(std::max(1, grid->GetFixedRowCount())); // the titles stay
    grid->m_rsBound = recordset;
    if (!recordset || !recordset->IsOpen()) return;
    ado::Fields& fields = recordset->Fields();
    const int f = fieldCount >= 1 ? std::min<int>(fieldCount, fields.Count()) : fields.Count();
    const long n = recordset->RecordCount();
    if (n < 1 || maxRows <= 0) return;
    CDataProgress progress(T("正在加载数据..."), 40, static_cast<int>(n), false);
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
int CDataSet::OpenIntoGrid(const wxString& statement, CGridCtrl* grid) {
    FillConnectionText();
    std::vector<wxString> decrypted;
    int result = 1;
    try {
        CryptTables(statement, 1, &decrypted);
        grid->m_strLookupMarker.clear();
        if (grid->m_bCloseRsOnDestroy && grid->m_rsBound && grid->m_rsBound->IsOpen())
            grid->m_rsBound->Close();
        grid->m_bCloseRsOnDestroy = false;
        // A recordset still open belongs to someone else (a data set that loaded the
        // grid): the grid gets its own.
        if (!grid->m_rsBound || grid->m_rsBound->IsOpen())
            grid->m_rsBound = std::make_shared<ado::Recordset>();
        ado::Recordset& rs = *grid->m_rsBound;
        if (m_nState == 1) {
            rs.PutActiveConnection(m_pConnection);
            m_nState = 2;
        } else {
            if (m_nState == 2 && g_pFrameData) g_pFrameData->m_dsMain.Close();
            if (!g_pFrameData)
                throw ado::ComError(ado::E_POINTER, "There is no shared connection.");
            g_pFrameData->OpenConnection();
            rs.PutActiveConnection(g_pFrameData->m_pConnection);
            m_nState = 0;
        }
        rs.PutCursorType(ado::adOpenDynamic);
        rs.PutLockType(ado::adLockBatchOptimistic);
        rs.PutCursorLocation(ado::adUseClient);
        grid->m_bCloseRsOnDestroy = true;
        rs.Open(statement.utf8_string(), nullptr, ado::adOpenDynamic, ado::adLockBatchOptimistic,
                IsStatement(statement) ? ado::adCmdText : ado::adCmdFile);
        if (!rs.IsOpen()) result = 0;
    } catch (const ado::ComError& error) {
        ShowComError(error);
        result = 0;
    }
    DropWorkingCopies(decrypted);
    return result;
}

int CDataSet::LoadPartsGrid(const wxString& statement, int lastField, bool reportEmpty) {
    long n = 0;
    if (statement.empty()) {
        if (m_pGrid && m_pGrid->m_rsBound && m_pGrid->m_rsBound->IsOpen())
            n = m_pGrid->m_rsBound->RecordCount();
    } else {
        m_pGrid.reset();
    }
    bool created = false;
    if (!m_pGrid) {
        m_pGrid = OwnGrid(new CGridCtrl(1, 1, 1, 1));
        m_pGrid->m_rsBound = std::make_shared<ado::Recordset>();
        m_pGrid->SetEditMode(false);
        created = true;
    }
    CGridCtrl& grid = *m_pGrid;
    if (!statement.empty() && statement != kCreateOnly) {
        if (!OpenIntoGrid(statement, &grid)) {
            m_pGrid.reset(); // reported by the open
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
        m_pGrid.reset();
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
    CDataProgress progress(T("正在加载数据..."), 40, static_cast<int>(n), false);
    grid.SetRowCount(1);
    grid.SetColumnCount(f + 1);
    grid.m_bPickGrid = true;
    wxString table;
    if (!statement.empty()) {
        table = GetTableName(statement);
        grid.SetTableName(table);
        m_strCurTable = table;
    }
    grid.SetItemText(0, 0, T("序号"));
    grid.AutoSize();
    grid.SetColumnWidth(0, 32);
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
        RemoveColumn(grid, T("进价"));
        if (table == "hy") RemoveColumn(grid, T("批发价"));
    }
    if (!HasRight(22)) RemoveColumn(grid, T("批发价"));
    if (!HasRight(50) || ThreeLevelPrices() == 0) RemoveColumn(grid, T("代理价"));
    return 1;
}
