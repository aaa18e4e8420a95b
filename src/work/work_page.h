#pragma once
// CWorkPage: the common base of the pages of a work sheet (the repair card, the sales
// counter, returns, orders, code tables). A page edits its document's lines in the
// recordset its sheet shares with its other pages; every change ends with SaveLines,
// one batch save of that recordset.
#include <wx/panel.h>

class CGridCtrl;
class CWorkSheet;

class CWorkPage : public wxPanel {
public:
    // The page is a child of its sheet; the title is the document's customer key.
    CWorkPage(CWorkSheet* sheet, const wxString& title);

    const wxString& GetTitle() const { return m_strTitle; }
    CWorkSheet* GetSheet() const;
    // The page's line grid, null for a page without one.
    virtual CGridCtrl* GetLineGrid() const { return nullptr; }

    // Places the controls over the page's own client area (work/page_layout.h); runs
    // again on every resize of the page.
    virtual void ArrangeControls() {}
    // Shows the document's header record.
    virtual void ShowHeader(int /*unused*/) {}
    // Recomputes every line amount and the document total.
    virtual void UpdateTotals() {}
    // Recomputes the line of a grid row (the lines recordset is on its record).
    virtual void RecalcLine(int /*row*/) {}
    // Completes the current line record: at the end a new line's defaults, else the
    // line the grid has just filled.
    virtual void AddLine(bool /*atEnd*/) {}
    // Saves the lines of the page's own sheet in one batch, numbered first. False when
    // the save failed (the data store has shown why and dropped the batch).
    virtual bool SaveLines();

    // The page becomes the shown one: it reloads its lines, header and totals.
    virtual void OnSetActive() {}
    // The page is left: it reloads once more, so what it shows is what is stored.
    virtual void OnKillActive() { OnSetActive(); }

protected:
    // The table of the lines that SaveLines numbers.
    virtual wxString LinesTable() const { return "zyxm"; }

private:
    // ArrangeControls once the page is in its sheet and no cell of its grid is edited.
    void LayOutUnlessEditing();
    void OnCharHook(wxKeyEvent& event);

    wxString m_strTitle;
    bool m_bLayoutPending = false; // resized since it was last laid out
};
