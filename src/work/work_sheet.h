#pragma once
// CWorkSheet: the tabbed sheet in the main window's lower pane that holds the open
// documents of one kind, one page each (the repair cards, the sales tickets). All its
// pages edit one recordset of lines, opened once by the first page shown; a page only
// filters it to its own customer. The sheet owns its vehicle picker, which floats
// over it and shows and hides with it.
#include "ado/recordset.h"
#include "work/doc_numbers.h"
#include "work/vehicle_pick_dlg.h"

#include <functional>
#include <wx/notebook.h>
#include <wx/weakref.h>

class CWorkPage;

class CWorkSheet : public wxNotebook {
public:
    // Makes the page of a customer's document (a repair card, a sales ticket).
    using PageFactory = std::function<CWorkPage*(CWorkSheet* sheet, const wxString& title)>;

    // mode: 'W' repair cards, 'P' sales tickets. The sheet is a child of the pane.
    CWorkSheet(wxWindow* pane, char mode, PageFactory makePage);
    ~CWorkSheet() override;

    char GetMode() const { return m_cMode; }
    // A new page of the sheet's kind for the customer, not yet added.
    CWorkPage* MakePage(const wxString& title) { return m_makePage(this, title); }

    // Document numbers shared by the repair and sales sheets through "M_DJH", with the
    // sheet's own copy: the number the next document takes, and the counter advanced.
    wxString GetDocNumber() { return work::GetDocNumber(m_strDocNumber); }
    wxString NextDocNumber() { return work::NextDocNumber(m_strDocNumber); }
    // Adds a page at the end; with select it becomes the shown page.
    void AddWorkPage(CWorkPage* page, bool select);
    // Takes a page out of the sheet and destroys it once its handler has returned.
    void RemoveWorkPage(CWorkPage* page);
    // Shows a page: the one left reloads, then the shown one loads.
    void SelectWorkPage(CWorkPage* page);
    CWorkPage* GetActiveWorkPage() const;
    CWorkPage* GetWorkPage(size_t index) const;
    // The page titled with the customer key, or null.
    CWorkPage* FindWorkPage(const wxString& title) const;

    // A fresh picker over the pages; the old one goes.
    bool ShowVehiclePicker();
    CVehiclePickDlg* GetPicker() const { return m_pPicker; }

    // The picker shows and hides with the sheet.
    bool Show(bool show = true) override;

    ado::RecordsetPtr m_rsLines; // the lines of every page of the sheet
    bool m_bLinesOpen = false;   // the lines statement has been opened
    wxString m_strCustomer;      // the title of the page that became active last
    wxString m_strDocNumber;     // the last document number read or issued

private:
    void OnPageChanging(wxBookCtrlEvent& event);
    void OnPageChanged(wxBookCtrlEvent& event);

    char m_cMode;
    PageFactory m_makePage;
    wxWeakRef<CVehiclePickDlg> m_pPicker;
};
