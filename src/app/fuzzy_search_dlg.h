#pragma once
// The fuzzy search form of the list dialogs. The caller puts its grid's table into
// the frame's hand-over text (CMainFrameData::m_strShared), makes its grid the
// current one, sets m_nMode and runs the dialog. On wxID_OK the hand-over text holds
// a SELECT statement that found at least one record (or, for "全部", the statement
// of all records, untried); on cancel it still holds the table name. The dialog's
// tries run in the frame's own data set, which is left holding the last one.
#include <vector>
#include <wx/dialog.h>

class CMainFrameData;
class wxComboBox;
class wxTextCtrl;

class CFuzzySearchDlg : public wxDialog {
public:
    // The frame whose hand-over text and data set the search uses (the program's one
    // by default).
    explicit CFuzzySearchDlg(wxWindow* parent = nullptr, CMainFrameData* frame = nullptr);

    int m_nMode = 0;
    std::vector<int> m_pFieldTypes; // ADO type of each field-list item

private:
    void OnInitDialog(wxInitDialogEvent& event);
    void FillComparisons(wxComboBox* fieldList, wxComboBox* comparisons);
    // One condition from a field list, its comparison list and value box; false when
    // the value holds a quote (reported), which stops the search.
    bool BuildCondition(wxComboBox* fieldList, wxComboBox* comparisons, wxTextCtrl* value,
                        wxString& condition);
    void Search();
    void OnAll(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void NormaliseDate(wxTextCtrl* box);

    CMainFrameData* m_pFrame;
    std::vector<long> m_fieldSizes; // defined size of each field-list item
    wxComboBox* m_pField1;
    wxComboBox* m_pCompare1;
    wxComboBox* m_pField2;
    wxComboBox* m_pCompare2;
    wxTextCtrl* m_pValue1;
    wxTextCtrl* m_pValue2;
    wxTextCtrl* m_pStart;
    wxTextCtrl* m_pEnd;
};
