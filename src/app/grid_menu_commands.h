#pragma once
// What the grids' context menus and the main window do with a grid beyond the grid
// itself: 导出表格 (the table saved through the document), 导出Excel (the recordset
// into a workbook file), 链接图片 and 显示图片 (the goods picture of the focus row's
// item, kept in `tpk`), 列操作 (a column of every record converted), 导入表格 (rows
// taken from a table file), the menu's 导向Excel (the current grid shown in the
// desktop's spreadsheet program) and 表格格式 (the grids' look).
#include <functional>
#include <wx/string.h>

class CGridCtrl;
class wxWindow;

class CGridMenuCommands {
public:
    // Installs the grids' menu handler and the openers of the grid setup and of the
    // spreadsheet export.
    static void Register();

    static void Run(CGridCtrl& grid, int command);
    static void ExportTable(CGridCtrl& grid);
    static void ExportExcel(CGridCtrl& grid);
    static void LinkPicture(CGridCtrl& grid);
    static void ShowPicture(CGridCtrl& grid);
    static void ColumnOperation(CGridCtrl& grid);
    static void ImportTable(CGridCtrl& grid);

    // Asks for a picture or a table file to open, or the workbook to write; empty when
    // the operator chose none. Tests answer it; an empty chooser brings the file
    // dialogs back.
    enum class FileKind { Picture, Table, Workbook };
    using FileChooser = std::function<wxString(wxWindow* parent, FileKind kind)>;
    static void SetFileChooser(FileChooser chooser);
};
