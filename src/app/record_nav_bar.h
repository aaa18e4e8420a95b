#pragma once
// The record navigation bar: a small floating bar beside a record dialog with four
// buttons that step through the dialog's records and a field list with a value box
// that filters them while the user types. It holds no records: it posts notices
// (qvEVT_OWNER_NOTICE) to its target, the owner's window:
//   wParam 19081..19084, lParam 0: first, previous, next, last record;
//   lParam 19085: a condition was built from the value (the notice's text);
//   lParam 19090: Up, Down or Page Down in the bar (text: the condition text).
// An owner answers 19085 by showing the matching records in an item pick list and
// 19090 by moving into that list.
#include "ado/ado.h"

#include <vector>
#include <wx/dialog.h>
#include <wx/weakref.h>

class wxComboBox;
class wxTextCtrl;

class CRecordNavBar : public wxDialog {
public:
    enum : long {
        kFirst = 19081,
        kPrevious = 19082,
        kNext = 19083,
        kLast = 19084,
        kCondition = 19085,
        kMoveIntoList = 19090,
    };

    // The bar of a record dialog as every owner sets it up: at a quarter of the main
    // window's client width and at the owner's height y, on top, shown, posting to
    // the owner. The owner destroys a bar left from before first.
    static CRecordNavBar* Open(wxWindow* owner, int y);

    // Created hidden; the main window becomes its owner.
    explicit CRecordNavBar(wxWindow* parent = nullptr);

    // Fills the field list from the recordset's fields when it is still empty: every
    // field but `no` and those whose name holds "期", with its type and defined size.
    void FillFields(const ado::RecordsetPtr& recordset);
    // Adds one field to the list, with its ADO type and defined size.
    void AddField(const wxString& name, int adoType, int definedSize);

    wxComboBox* GetFieldList() const { return m_pFieldList; }
    wxTextCtrl* GetValueBox() const { return m_pValueBox; }

    // The last value typed, or after a successful change the condition built from it.
    wxString m_strCondition;
    wxWeakRef<wxWindow> m_hTarget;
    std::vector<int> m_pFieldTypes; // by field-list position
    std::vector<int> m_pFieldSizes;

private:
    void FitFieldList(const wxString& name);
    void Post(long wParam, long lParam, const wxString& text = wxString());
    void OnValueChanged(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);

    wxComboBox* m_pFieldList;
    wxTextCtrl* m_pValueBox;
};
