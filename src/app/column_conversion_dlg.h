#pragma once
// The "列转换" dialog: the operator picks a column of the grid and types what it is
// to become. Ended with OK, the main frame's m_strShared holds field + "@&" +
// expression for the opener, which applies it to every record.
#include "data/column_conversion.h"

#include <wx/dialog.h>

class CColumnGrid;
class wxComboBox;
class wxTextCtrl;

class CColumnConvertDlg : public wxDialog {
public:
    CColumnConvertDlg(wxWindow* parent, const CColumnGrid& grid);

    void OnSelchangeColumn();
    void OnOK();

private:
    CColumnConversion m_conversion;
    wxComboBox* m_pColumn = nullptr;
    wxTextCtrl* m_pExpression = nullptr;
};
