#include "res/string_table.h"

#include "res/command_ids.h"

namespace {

struct StringEntry {
    int id;
    const char* text;
};

const StringEntry kStrings[] = {
    {IDR_MAINFRAME, "qv\n\nQv\n\n\nQv.Document\nQv Document"},
    {IDS_IDLE_MESSAGE, "如需帮助，请按F1键"},
    {IDS_TIP_DID_YOU_KNOW, "Did you know..."},
    {IDS_TIP_FILE_ABSENT, "Tips file does not exist in the prescribed directory"},
    {IDS_TIP_FILE_CORRUPT, "Trouble reading the tips file"},
    {ID_REPAIR_SHEET_TOOL, "打开维修作业单\n维修作业"},
    {ID_SALES_SHEET_TOOL, "打开零件售货单\n零件售货"},
    {ID_FILE_PRINT_MENU, "打印当前表格\n打印"},
    {ID_FILE_PRINT_PREVIEW, "预览当前表格的打印效果\n打印预览"},
    {ID_EXPORT_EXCEL_TOOL, "把当前表格导出到Excel并打开\n导出并打开Excel"},
    {ID_QUICK_INTERFACE, "显示或隐藏左边的导航栏\n快速界面"},
    {ID_TOGGLE_UPPER_PANE, "显示或关闭上面的表格区\n显示或关闭上区"},
    {ID_CONTEXT_HELP, "显示所点对象的帮助\n帮助"},
    {ID_VIEW_TOOLBAR, "显示或隐藏工具栏\n标准工具栏"},
    {ID_VIEW_STATUS_BAR, "显示或隐藏状态栏\n状态栏"},
};

} // namespace

namespace res {

wxString LoadResString(int id) {
    for (const StringEntry& entry : kStrings)
        if (entry.id == id) return wxString::FromUTF8(entry.text);
    return wxString();
}

wxString ToolTipOf(int commandId) {
    wxString text = LoadResString(commandId);
    return text.Contains("\n") ? text.AfterFirst('\n') : text;
}

} // namespace res
