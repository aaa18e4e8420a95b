#pragma once
// The statistics dialog "统计": the operator picks an object, a date range and the
// form; the statistics engine fills the grid, which can be printed, given extra lines
// or lines removed (in the result only), and in modes 9 to 11 the business archive
// of the same dates opens for corrections.
#include "data/data_set.h"
#include "office/statistics_engine.h"

#include <wx/dialog.h>

class CGridCtrl;
class CMainFrame;
class CPrintOptionsDlg;
class wxComboBox;
class wxRadioButton;
class wxStaticText;
class wxTextCtrl;

class total : public wxDialog {
public:
    static constexpr int kPartnerMode = 98088;

    // mode: 1..11 or 13, or kPartnerMode with the supplier in the frame's hand-over text.
    total(CMainFrame& frame, int mode);
    ~total() override;

    void OnStartStatistics();
    void OnAddLine();
    void OnDeleteLine();
    void OnEditArchive();
    void OnPrint();
    void OnExit();
    void ShowAmountTotal();

    int m_nMode;
    CGridCtrl* m_grid = nullptr;
    CDataSet m_dataSet;
    CPrintOptionsDlg* m_pPrintDlg = nullptr;

private:
    void SetUpMode();
    void NormaliseDate(wxTextCtrl* edit);
    // The request as the controls stand: the choice only when picked from the list.
    StatisticsRequest ReadRequest() const;

    CMainFrame& m_frame;
    CStatisticsEngine m_engine;
    wxComboBox* m_pObject = nullptr;
    wxTextCtrl* m_pFrom = nullptr;
    wxTextCtrl* m_pTo = nullptr;
    wxRadioButton* m_pSummary = nullptr;
    wxStaticText* m_pTotal = nullptr;
};
