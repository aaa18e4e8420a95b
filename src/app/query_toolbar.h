#pragma once
// The query bar under the main toolbar: looks rows of thirteen tables up into the
// lookup grid of the upper pane without a form. A table is chosen in one box, a
// grouping value (vehicle type, category) in a second, a part region in a third;
// three boxes search the chosen table by part number, name and short code, and the
// last takes a licence plate, offering the matching plates of `gk` in the item pick
// list while it is typed and running the maintenance check for the one chosen.
// Statements run on the frame's data set; values holding a single quote are refused.
#include "app/item_pick_dlg.h"

#include <wx/string.h>
#include <wx/toolbar.h>
#include <wx/weakref.h>

class CMainFrame;
class COwnerNoticeEvent;
class wxComboBox;

class CMainToolBar : public wxToolBar {
public:
    // Box IDs.
    enum {
        kTable = 102,
        kPart = 103,
        kCode = 104,
        kName = 105,
        kShortCode = 106,
        kValue = 107,
        kPlate = 108
    };
    // Which search box was typed in last since a box took the focus.
    enum TypedBox {
        kNone = 0,
        kTypedCode = 1,
        kTypedName = 2,
        kTypedShortCode = 3,
        kTypedPlate = 4
    };

    // One of the thirteen tables, by its index in the table box (1..13).
    struct QueryTable {
        const char* entry;      // its text in the table box
        const char* table;      // its code
        const char* valueField; // the field whose values fill the value box
        const char* header;     // the entry put on top of the value box
        const char* nameField;  // the field the name and short-code boxes search
    };
    static constexpr int kTableCount = 13;
    static const QueryTable& TableAt(int index);

    // The statements, built from the index in the table box and the values chosen.
    static wxString ValueListSql(int index);
    // The part regions (for the supplier table: the vehicle types) of a value; empty
    // for the tables without that step.
    static wxString PartListSql(int index, const wxString& value);
    // The rows of a value; index 0 the whole table chosen last.
    static wxString ValueGridSql(int index, const wxString& value, const wxString& lastTable);
    // The rows of a value and a part region; empty for the tables without regions.
    static wxString PartGridSql(int index, const wxString& value, const wxString& part);
    // A search of box kCode, kName or kShortCode for v in the table at index.
    static wxString SearchSql(int index, int box, const wxString& v);
    // The rows of the template whose field equals a name with a short code holding code.
    static wxString BuildShortCodeSql(const wxString& templ, const wxString& field,
                                      const wxString& code);
    static wxString PlateSql(const wxString& text);
    static bool IsHeaderEntry(const wxString& text);

    explicit CMainToolBar(CMainFrame* frame);
    ~CMainToolBar() override;

    // The handlers, public so that the frame's keys and the tests reach them.
    void OnSelChangeTable();
    void OnSelChangeValue();
    void OnSelChangePart();
    void OnSearchCode() { Search(kCode); }
    void OnSearchName() { Search(kName); }
    void OnSearchShortCode() { Search(kShortCode); }
    void OnEditChangePlate();
    void LookUpPlate();
    void OnPickNotify(long wParam, long lParam, const wxString& text);
    // The key filter of every box: Down, Up and Page Down move into an open pick list,
    // Enter runs the search typed last. Returns whether it used the key.
    bool FilterKey(int keyCode);

    wxComboBox* Box(int id) const;
    CItemPickDlg* GetPickDlg() const { return m_pPickDlg; }

    int m_nTypedBox = kNone;
    wxString m_strSql;
    wxString m_strValue;
    wxString m_strPart;
    wxString m_strTable;
    wxString m_strPlateSql;
    bool m_bPlateSetOpen = false;

private:
    void CreateBoxes();
    void Search(int box);
    // Whether the user may query the sales archive (index 7): rights 6 and 15.
    bool MayQuery(int index);
    void RememberTyped(wxComboBox* box, const wxString& setupEntry, bool sorted);
    void FillSorted(wxComboBox* box, const wxString& statement);
    void ClosePickDlg();
    void RunMaintenanceCheck(const wxString& plate);
    void OnNotice(COwnerNoticeEvent& event);

    CMainFrame* m_pFrame;
    wxWeakRef<CItemPickDlg> m_pPickDlg;
};
