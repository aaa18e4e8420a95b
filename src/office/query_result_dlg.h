#pragma once
// "查询结果": one of the five alert lists. The vehicle lists are work lists whose
// entries the operator marks as handled (a "T" in the table, image 0 in the grid);
// the shortage list hands its parts to the order page.
#include "app/alert_queries.h"
#include "data/data_set.h"

#include <wx/dialog.h>
#include <wx/imaglist.h>

class CGridCtrl;
class CMainFrame;
class CPrintOptionsDlg;

class CQueryResultDlg : public wxDialog {
public:
    CQueryResultDlg(CMainFrame& frame, const wxString& kind);
    ~CQueryResultDlg() override;

    // (Re)loads the list with all its columns, rows and marks.
    void LoadList();
    void OnToggleBrief();
    void OnPrint();
    void OnMarkAll();
    void OnShowPending();
    void OnMark();
    void OnOrder();
    void OnExit();

    wxString m_strKind;
    CGridCtrl* m_grid = nullptr;
    CDataSet m_dataSet;
    CPrintOptionsDlg* m_pPrintDlg = nullptr;

private:
    void MarkFlaggedRows(const wxString& field);
    void ShowOrderButton(bool keepHidden);
    // The first column headed "车牌号码", or -1.
    int PlateColumn() const;
    bool IsBrief() const;

    CMainFrame& m_frame;
    CAlertQueries::Kind m_kind;
    wxImageList m_images;
};
