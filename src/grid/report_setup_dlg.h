#pragma once
// CReportSetupDlg: dialog 196 "报表设置". It edits the stored print settings of one of
// the 60 reports: the printed and the hidden columns of the report's query, title,
// header and footer with their font sizes, the footer mode, the paper and the seven
// distances; it previews the report from live data and lets the operator set column
// widths and row heights by hand on a grid (行列调整, 保存调整).
#include "grid/report_settings.h"

#include <vector>
#include <wx/dialog.h>

class CGridCtrl;

class CReportSetupDlg : public wxDialog {
public:
    // Opens on the report of `grid` (by default the grid whose focus last moved) when
    // its title is one of the reports.
    explicit CReportSetupDlg(wxWindow* parent = nullptr, CGridCtrl* grid = nullptr);
    ~CReportSetupDlg() override;

    // Fills the dialog from the stored record of the report chosen in 1016.
    void OnSelchangeReport();
    // 存档: builds the record from the dialog and saves it; 1 when saved.
    int OnOK();
    void OnMoveToHidden();
    void OnMoveToPrinted();
    // 默认值: the factory-default record shown (saved only by a later 存档); in the
    // adjustment view the grid rebuilt with the default widths.
    void OnDefaults();
    // A paper chosen: "自定义尺寸" asks for the size; cancelled, A4 is chosen instead.
    void OnSelchangePaper();
    // 预览: saves, then previews the report built from live data.
    void OnPreview();
    // 行列调整 and 保存调整.
    void OnAdjustLayout();
    void OnSaveAdjustment();

    // The query of a report; empty when there is none.
    wxString GetReportSql(const wxString& reportName) const;
    // Builds the report's grid from live data. False when it cannot, with the reason
    // in `why` unless the query itself failed and has said so.
    bool BuildPreviewGrid(bool applyLayout, wxString* why = nullptr);
    // The entry of the paper list for a code, selected; empty when there is none.
    wxString SelectPaperByCode(int code);
    // The code of the paper chosen; 0 for "自定义尺寸".
    int SelectedPaperCode() const;
    CGridCtrl* Grid() const { return m_pGrid; }
    bool IsAdjusting() const;

    wxString m_strLayout;
    wxString m_strCustomPaper;
    bool m_bFactoryDefaults = false;
    bool m_bApplyLayout = false;

private:
    void FillPaperList();
    void ShowSettingControls(bool show);
    wxString SelectedReport() const;
    // The query's items that stay printed, with their full expressions.
    std::vector<wxString> PrintedItems(const wxString& sql) const;

    CGridCtrl* m_pGrid = nullptr;
    // The paper code of each entry of the paper list.
    std::vector<int> m_vPaperCodes;
};
