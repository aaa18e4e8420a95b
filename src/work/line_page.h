#pragma once
// CLinePage: the base of the pages that edit one customer's document in a line grid
// over the sheet's lines recordset, with a header record kept first (the repair work
// card, the sales ticket). It builds the page from its template, loads the lines on
// activation, finds the header and walks the lines whatever sort the operator chose,
// and runs what the two share: close, delete, new, suspend and abandon, the staff
// combo, the note, and the typing into a line. Pricing, the header's own values and
// the pickers of a typed item stay with each page.
#include "work/work_page.h"

#include "ado/recordset.h"
#include "app/main_frame.h"
#include "grid/grid_notify.h"

#include <functional>
#include <initializer_list>
#include <vector>

namespace res {
struct DialogTemplate;
}

// What sets one kind of line page apart.
struct LinePageKind {
    const res::DialogTemplate& (*dialog)();
    int helpContext;
    const char* linesStatement;
    const char* flag;       // of every line and the header: "W" repair, "P" sales
    const char* reportName; // the grid's printed title
    const char* widthsKey;  // the fieldlong key of the column widths
    int shownFields;        // the columns LoadGrid shows, 0 for all
    const char* staffField; // the line field the staff combo fills
    const char* walkInNote; // the walk-in page's note file: "零散客户(<walkInNote>)"
    CMainFrame::SheetKind sheet;
    int noteEdit;
    // Suspending with no picker open: the picker made lists the document, the page
    // stays (the sales ticket) or is removed as well (the repair card).
    bool staysWhenPickerMade;
};

class CLinePage : public CWorkPage {
public:
    static const char* const kStockStatement; // the parts a typed name or code picks from

    ~CLinePage() override;

    CGridCtrl* GetLineGrid() const override { return m_pGrid; }
    bool IsWalkIn() const;
    // The document total as the page computed it last.
    double GetTotal() const { return m_fTotal; }
    // The lines recordset on the header record; false when the document has none.
    bool MoveToHeader() const;
    // The bookmarks of the document's lines in the order the grid shows them.
    std::vector<ado::Variant> LineBookmarks() const;
    // The file of the note on the customer's request.
    wxString NoteFileName() const;
    // Marks each line's kind in the grid's first column: 1 no discount (while the
    // header has a discount), 2 warranty, 3 gift.
    void ShowLineMarks();

    // --- CWorkPage
    void OnSetActive() override;
    // Reopens the sheet's lines after the tables changed under them (a settlement).
    void ReloadLines();

    // --- Commands (line_page_commands.cpp)
    void OnClose();
    void OnDeleteLine();
    void OnNewLine();
    void OnSuspend();
    void OnAbandon();
    // The staff chosen goes into the focused line and every line without one.
    void OnStaffChange();
    virtual void OnPrint() = 0;
    virtual void OnSettle() = 0;
    virtual void OnCustomerData() = 0;

protected:
    CLinePage(CWorkSheet* sheet, const wxString& title, const LinePageKind& kind);

    // The header keeps its place; the button column (the shared buttons, then `own`)
    // with the total under it stands at the right, the note at the foot and the grid
    // fills the rest of the page.
    void ArrangeLineControls(std::initializer_list<int> own);

    // Completes the line a looked-up row went into; the recordset is on its record.
    virtual void CompleteTakenLine(int row) = 0;
    // The line completed is the row taken into, wherever the focus was.
    void FocusTakenRow(int row);
    // A typed name or code looked up and taken into the line; false when nothing was
    // taken (none found, or the operator chose none): the line keeps the text as typed.
    virtual bool LookupTypedItem(int row, int col, const wxString& typed) = 0;
    // A cell the operator finished typing into, before the line is recomputed; the
    // recordset is on the row's record.
    virtual void CheckTypedCell(int /*row*/, int /*col*/, const wxString& /*title*/) {}

    // Before a settlement, which reads the document as it is stored, header first: the
    // lines back in their stored order and saved. False when the document has no line
    // or the save failed.
    bool ReadyToSettle();
    // Binds a button of the page to a command; a failure is shown, not thrown.
    void BindButton(int id, std::function<void()> command);
    // The grid column titled with a field name, -1 when none.
    int ColumnOf(const wxString& title) const;
    wxString Text(int id) const;
    void SetText(int id, const wxString& text);
    bool IsChecked(int id) const;

    CGridCtrl* m_pGrid = nullptr;
    double m_fTotal = 0;
    bool m_bShowingHeader = false;

private:
    void BindEvents();
    void OnGridNotify(CGridNotifyEvent& event);

    const LinePageKind& m_kind;
};
