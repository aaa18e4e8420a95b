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

// The goods pictures are looked for under Picture/ first.
wxString ChoosePictureFile(wxWindow* parent) {
    wxFileDialog dialog(parent, wxEmptyString, U("Picture"), wxEmptyString,
                        U("Windows Bmp 文件(*.bmp)|*.bmp|GIF 图形(*.gif)|*.gif|JPEG 图形(*.jpg)|"
                          "*.jpg|All files(*.*)|*.*"),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

CGridMenuCommands::PictureChooser& Chooser() {
    static CGridMenuCommands::PictureChooser chooser = ChoosePictureFile;
    return chooser;
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

void CGridMenuCommands::SetPictureChooser(PictureChooser chooser) {
    Chooser() = chooser ? std::move(chooser) : ChoosePictureFile;
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
    wxFileDialog dialog(frame, wxEmptyString, wxEmptyString, grid.m_strTitle,
                        U("Microsoft Excel 工作簿(*.xlsx)|*.xlsx"), wxFD_SAVE);
    if (dialog.ShowModal() != wxID_OK) return;
    wxString path = dialog.GetPath();
    if (!path.Lower().EndsWith(".xlsx")) path += ".xlsx";
    const ado::RecordsetPtr rs = grid.GetGridRecordset();
    std::vector<wxString> names;
    CDataSet::GetFieldNames(&grid, names);
    // Fields the grid does not show go along only when asked for.
    if (rs->Fields().Count() > grid.GetColumnCount() - 1 &&
        platform::ShowMessageBox("是否保存表的内部隐藏信息？", "", platform::MB_YESNO) ==
            platform::IDYES) {
        names.clear();
        for (long i = 0; i < rs->Fields().Count(); ++i)
            names.push_back(wxString::FromUTF8(rs->Fields().Item(i).Name()));
    }
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
    const wxString path = Chooser()(frame);
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

void CGridMenuCommands::ImportTable(CGridCtrl&) {}
