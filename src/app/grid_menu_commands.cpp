#include "app/grid_menu_commands.h"

#include "app/column_conversion_dlg.h"
#include "app/handler_exceptions.h"
#include "app/main_frame.h"
#include "data/column_operation.h"
#include "data/db_link.h"
#include "data/record_fields.h"
#include "data/wait_cursor.h"
#include "grid/data_set_grid.h"
#include "grid/grid_context_menu.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_setup_dlg.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <wx/filedlg.h>

namespace {

constexpr int kExportToken = 56;
constexpr size_t kPicturePathWidth = 100;

bool ExportRefused(CMainFrame& frame) {
    if (!frame.IsTokenDenied(kExportToken)) return false;
    platform::ShowMessageBox("超出权限,无效操作!");
    return true;
}

using FileKind = CGridMenuCommands::FileKind;

// The goods pictures are looked for under Picture/ first.
wxString ChooseFile(wxWindow* parent, FileKind kind) {
    if (kind == FileKind::Workbook) {
        CGridCtrl* grid = CGridCtrl::GetCurrentGrid();
        wxFileDialog dialog(parent, wxEmptyString, wxEmptyString,
                            grid ? grid->m_strTitle : wxString(),
                            U("Microsoft Excel 工作簿(*.xlsx)|*.xlsx"), wxFD_SAVE);
        return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
    }
    const bool picture = kind == FileKind::Picture;
    wxFileDialog dialog(
        parent, wxEmptyString, picture ? U("Picture") : wxString(), wxEmptyString,
        picture ? U("Windows Bmp 文件(*.bmp)|*.bmp|GIF 图形(*.gif)|*.gif|JPEG "
                    "图形(*.jpg)|*.jpg|All files(*.*)|*.*")
                : U("本系统表格文件(*.adtg)|*.adtg|加密文件(*.dwf)|*.dwf|FoxPro DBF "
                    "文件(*.dbf)|*.dbf|Microsoft Excel 工作表(*.xlsx;*.xls)|*.xlsx;*.xls|"
                    "All files(*.*)|*.*"),
        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

CGridMenuCommands::FileChooser& Chooser() {
    static CGridMenuCommands::FileChooser chooser = ChooseFile;
    return chooser;
}

// The field and value of a filter "field = 'value'" (or field=value); empty when the
// filter is no such equality.
std::pair<wxString, wxString> SplitFilter(const wxString& filter) {
    const int at = filter.Find('=');
    if (at == wxNOT_FOUND) return {};
    wxString field = filter.Left(at).Strip(wxString::both);
    wxString value = filter.Mid(at + 1).Strip(wxString::both);
    if (value.length() >= 2 && value.StartsWith("'") && value.EndsWith("'")) {
        value = value.Mid(1, value.length() - 2);
        value.Replace("''", "'");
    }
    return {field, value.Strip(wxString::trailing)};
}

bool HasRecords(const CGridCtrl& grid) {
    const ado::RecordsetPtr rs = grid.GetGridRecordset();
    return rs && rs->IsOpen();
}

} // namespace

void CGridMenuCommands::Register() {
    SetGridMenuHandler([](CGridCtrl& grid, int command) {
        try {
            Run(grid, command);
        } catch (...) {
            ReportHandlerException();
        }
    });
    CMainFrame::RegisterForm(FormKind::GridSetup, [](CMainFrame& frame, int, const wxString&) {
        CGridSetupDlg dialog(&frame);
        dialog.ShowModal();
    });
    CMainFrame::RegisterForm(FormKind::ExportGridToExcel, [](CMainFrame&, int, const wxString&) {
        CGridCtrl* grid = CGridCtrl::GetCurrentGrid();
        if (!grid || !HasRecords(*grid)) {
            platform::ShowMessageBox("请先选取导出表格!");
            return;
        }
        CDbLink link;
        link.ExportToExcel(grid->GetGridRecordset(),
                           grid->m_strTitle.empty() ? grid->GetTableName() : grid->m_strTitle);
    });
}

void CGridMenuCommands::SetFileChooser(FileChooser chooser) {
    Chooser() = chooser ? std::move(chooser) : ChooseFile;
}

void CGridMenuCommands::Run(CGridCtrl& grid, int command) {
    switch (command) {
    case ID_GRID_EXPORT_TABLE:
        ExportTable(grid);
        break;
    case ID_GRID_EXPORT_EXCEL:
        ExportExcel(grid);
        break;
    case ID_GRID_LINK_PICTURE:
        LinkPicture(grid);
        break;
    case ID_GRID_SHOW_PICTURE:
        ShowPicture(grid);
        break;
    case ID_GRID_COLUMN_OPERATION:
        ColumnOperation(grid);
        break;
    case ID_GRID_IMPORT_TABLE:
        ImportTable(grid);
        break;
    default:
        break;
    }
}

void CGridMenuCommands::ExportTable(CGridCtrl& grid) {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame || ExportRefused(*frame)) return;
    grid.MakeCurrentGrid();
    frame->GetDocument().OnFileSave();
}

void CGridMenuCommands::ExportExcel(CGridCtrl& grid) {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame || ExportRefused(*frame) || !HasRecords(grid)) return;
    grid.MakeCurrentGrid();
    wxString path = Chooser()(frame, FileKind::Workbook);
    if (path.empty()) return;
    if (!path.Lower().EndsWith(".xlsx")) path += ".xlsx";
    const ado::RecordsetPtr rs = grid.GetGridRecordset();
    // Fields the grid does not show go along only when asked for.
    std::vector<wxString> names;
    if (rs->Fields().Count() > grid.GetColumnCount() - 1 &&
        platform::ShowMessageBox("是否保存表的内部隐藏信息？", "", platform::MB_YESNO) ==
            platform::IDYES)
        CDataSet::GetFieldNames(&grid, names);
    else
        CDataSet::GetGridTitles(&grid, names);
    CDbLink link;
    link.ExportToSpreadsheet(rs, path, names, grid.GetTableName() == "zyxm");
}

void CGridMenuCommands::LinkPicture(CGridCtrl& grid) {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    const wxString query = grid.BuildPictureQuery();
    if (query.empty()) {
        platform::ShowMessageBox("选择或输入内容不对或不完整！无法完成操作。");
        return;
    }
    const bool pictureGrid = grid.GetTableName() == "tpk";
    CDataSet pictures;
    pictures.Open(query);
    if (!pictures.IsOpen()) return;
    const ado::RecordsetPtr& tpk = pictures.m_pRecordset;
    const bool found = tpk->RecordCount() > 0;
    if (found && !pictureGrid &&
        platform::ShowMessageBox("已有该商品图片，是否继续？", "", platform::MB_YESNO) !=
            platform::IDYES)
        return;
    const wxString path = Chooser()(frame, FileKind::Picture);
    if (path.empty()) return;
    if (path.length() > kPicturePathWidth) {
        platform::ShowMessageBox("路径太长,无法完成操作!");
        return;
    }
    if (found) {
        tpk->MoveFirst();
    } else {
        tpk->AddNew();
        pictures.PutFieldValue("-1", "no", tpk);
    }
    pictures.PutFieldValue(path, U("图片"), tpk);
    // The item as the grid's record names it.
    if (!grid.MoveToRowRecord(grid.GetFocusCell().row)) return;
    ado::Recordset& row = *grid.GetGridRecordset();
    auto has = [&row](const char* field) { return row.Fields().IndexOf(field) >= 0; };
    const wxString name = has("项目名称")   ? FieldText(row, "项目名称")
                          : has("零件名称") ? FieldText(row, "零件名称")
                                            : wxString();
    pictures.PutFieldValue(has("编号") ? FieldText(row, "编号") : wxString(), U("编号"), tpk);
    pictures.PutFieldValue(name, U("项目名称"), tpk);
    pictures.PutFieldValue(has("车型") ? FieldText(row, "车型") : wxString(), U("车型"), tpk);
    pictures.NumberRows(tpk, "tpk");
    if (pictures.Save(tpk) != 1) return;
    if (pictureGrid)
        for (int col = 1; col < grid.GetColumnCount(); ++col)
            if (grid.GetItemText(0, col) == U("图片")) {
                grid.SetItemText(grid.GetFocusCell().row, col, path);
                grid.Refresh();
            }
}

void CGridMenuCommands::ShowPicture(CGridCtrl& grid) {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    wxString path;
    const wxString query = grid.BuildPictureQuery();
    if (!query.empty()) {
        CDataSet pictures;
        pictures.Open(query);
        if (pictures.IsOpen() && pictures.m_pRecordset->RecordCount() > 0) {
            pictures.m_pRecordset->MoveFirst();
            path = FieldText(*pictures.m_pRecordset, "图片");
        }
    }
    frame->ShowRecordPicture(path);
}

void CGridMenuCommands::ColumnOperation(CGridCtrl& grid) {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame || !HasRecords(grid)) return;
    if (!grid.GetEditMode()) {
        platform::ShowMessageBox("非编辑状态下不允许此项操作");
        return;
    }
    frame->m_strShared = grid.GetTableName();
    CColumnConvertDlg dialog(frame, grid);
    const int result = dialog.ShowModal();
    const wxString answer = frame->m_strShared;
    frame->m_strShared.clear();
    if (result != wxID_OK || !answer.Contains("@&")) return;
    const bool workCard = grid.GetTableName() == "zyxm";
    {
        CWaitCursor wait;
        CDataSet data;
        if (CColumnOperation::Apply(data, grid.GetGridRecordset(), answer, workCard) < 0) return;
    }
    grid.LoadRecordset();
    grid.SetModified(true);
    grid.Refresh();
}

void CGridMenuCommands::ImportTable(CGridCtrl& grid) {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame || !HasRecords(grid)) return;
    // A caller that knows the file hands it over as path + "$#@".
    wxString path;
    const int mark = frame->m_strShared.Find("$#@");
    if (mark != wxNOT_FOUND) path = frame->m_strShared.Left(mark);
    frame->m_strShared.clear();
    if (path.empty()) {
        if (ExportRefused(*frame)) return;
        if (!grid.GetEditMode()) {
            platform::ShowMessageBox("非编辑状态下不允许此项操作");
            return;
        }
        path = Chooser()(frame, FileKind::Table);
        if (path.empty()) return;
    }
    CDbLink link;
    if (!link.OpenFile(path) || !link.recordset || !link.recordset->IsOpen()) return;
    const ado::RecordsetPtr& source = link.recordset;
    if (source->RecordCount() < 1) return;
    const ado::RecordsetPtr target = grid.GetGridRecordset();
    CDataSet& data = frame->m_dsMain;

    if (grid.m_bDriveLookup && grid.GetEditMode()) {
        // A work card's lines: each row a line of the card, completed by its page, and
        // given the card's customer when the lines are filtered to it.
        const ado::Variant kept = target->Filter();
        const auto [field, value] = kept.IsNull() || kept.IsEmpty()
                                        ? std::pair<wxString, wxString>()
                                        : SplitFilter(wxString::FromUTF8(kept.ToString()));
        target->PutFilter(ado::Variant(std::string()));
        bool matches = false;
        for (long i = 0; i < source->Fields().Count() && !matches; ++i) {
            const wxString name = wxString::FromUTF8(source->Fields().Item(i).Name());
            const wxString alias =
                name == U("零件名称") || name == U("维修项目") ? U("项目名称") : name;
            matches = (target->Fields().IndexOf(name.utf8_string()) >= 0 ||
                       target->Fields().IndexOf(alias.utf8_string()) >= 0) &&
                      name != "no" && name != U("定货单") && name != field;
        }
        if (!matches) {
            target->PutFilter(kept);
            platform::ShowMessageBox("没有相同的字段标题名,无法导入数据。请修改字段名或用数据引"
                                     "入工具试试。");
            return;
        }
        grid.m_bLineTaken = true;
        for (source->MoveFirst(); !source->EndOfFile(); source->MoveNext()) {
            target->AddNew();
            if (!field.empty()) data.PutFieldValue(value, field, target);
            data.CopyRecordsQuiet(source, target, false, field);
            // The new line's defaults, but the quantity the file gives stays. The page's
            // totals may leave the recordset on another record.
            const std::string quantity = U("数量").utf8_string();
            const bool hasQuantity = target->Fields().IndexOf(quantity) >= 0;
            const ado::Variant imported =
                hasQuantity ? target->Fields().Item(quantity).Value() : ado::Variant::Null();
            const ado::Variant line = target->Bookmark();
            grid.CompleteAddedLine();
            target->PutBookmark(line);
            if (hasQuantity && !imported.IsNull())
                target->Fields().Item(quantity).PutValue(imported);
            target->Update();
        }
        grid.m_bLineTaken = false;
        target->PutFilter(kept);
        grid.LoadRecordset();
    } else {
        const long before = target->RecordCount();
        data.CopyRecords(source, target, 0, true);
        // Rows taken into the repair archive are repair or sales lines as the list is.
        if (grid.m_nHelpContext == 161 && target->Fields().IndexOf("flag") >= 0) {
            const wxString flag = grid.GetReportName() == U("维修清单") ? "W" : "P";
            long k = 0;
            for (target->MoveLast(); !target->BOF() && k < target->RecordCount() - before;
                 target->MovePrevious(), ++k)
                data.PutFieldValue(flag, "flag", target);
        }
        grid.LoadRecordset();
    }
    grid.SetModified(true);
    grid.Refresh();
}
