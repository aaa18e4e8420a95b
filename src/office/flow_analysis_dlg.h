#pragma once
// "流量分析": the parts flow analysis over a range, its best and slow sellers; the
// thresholds and the basis of the share are kept in Picture/llfxSet.
#include "data/data_set.h"
#include "office/flow_analysis.h"

#include <wx/dialog.h>

class CGridCtrl;
class CMainFrame;
class CPrintOptionsDlg;

class CFlowAnalysisDlg : public wxDialog {
public:
    explicit CFlowAnalysisDlg(CMainFrame& frame);
    ~CFlowAnalysisDlg() override;

    // The whole analysis from the tables; false when the range was refused.
    bool RunAnalysis();
    void OnBestSellers();
    void OnSlowSellers();
    void OnPrint();
    void OnExit();
    void SaveSettings();

    CGridCtrl* m_grid = nullptr;
    CDataSet m_dataSet;
    CPrintOptionsDlg* m_pPrintDlg = nullptr;

private:
    void ShowList(const wxString& filter, bool ascending);
    void LoadResult();
    bool ByQuantity() const;

    CMainFrame& m_frame;
    CFlowAnalysis m_analysis;
};
