#pragma once
// CBrandReportDlg: dialog 193 "vu服务报表(套打)", the brand's monthly service report.
// The staff, sales and repair figures are typed; the quality defects are counted from
// the archive; the whole is printed onto the brand's pre-printed form. Nothing typed
// is stored.
#include "data/data_set.h"
#include "work/grid_dialog.h"

#include <wx/dialog.h>

class CGridCtrl;

class CBrandReportDlg : public wxDialog {
public:
    // The opener of command 32808.
    static void Register();

    explicit CBrandReportDlg(wxWindow* parent);

    // 开始统计: the defects of the range, at most 保留 n rows.
    void OnStatistics();
    // 删除: the focus row leaves the grid only.
    void OnDelete();
    // 打印: the form's texts handed to the print dialog with the grid.
    void OnPrint();

    CGridCtrl* GetGrid() const { return m_pGrid; }
    CPrintOptionsDlg* GetPrintDialog() const { return m_print.Get(); }

private:
    void OnCharHook(wxKeyEvent& event);

    CGridCtrl* m_pGrid = nullptr;
    CDataSet m_defects;
    CGridDialogPrint m_print;
};
