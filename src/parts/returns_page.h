#pragma once
// ljth: the returns page, the one page of the returns sheet. Its mode is the kind of
// document the menu command opened it for (returns_lines.h): parts back from a
// customer, out to a supplier, reissued. The customer (or the stock-in document) is
// chosen in the combo, its sales, returns or receipts are listed in the upper grid,
// and the lines typed or dragged in are archived by ReturnsArchive.
#include "parts/part_line.h"
#include "work/grid_dialog.h"
#include "work/work_page.h"

#include <vector>

class CGridCtrl;
class CMainFrame;
class wxComboBox;

class ljth : public CWorkPage {
public:
    // The opener of the returns commands.
    static void Register();
    // A new returns sheet of the frame with its page; the kind's code is in the frame's
    // hand-over text.
    static ljth* OpenSheet(CMainFrame& frame);

    explicit ljth(CWorkSheet* sheet);

    int GetMode() const { return m_nMode; }
    CGridCtrl* GetLineGrid() const override { return m_pGrid; }
    bool IsPurchaseReturn() const { return m_bPurchaseReturn; }

    // --- CWorkPage
    void ArrangeControls() override;
    void UpdateTotals() override;
    void RecalcLine(int) override { UpdateTotals(); }
    void AddLine(bool atEnd) override;
    void OnSetActive() override;
    void OnKillActive() override {}

    // --- Commands
    void OnCustomerChange();
    void OnReturnKind();
    void OnReturnList();
    void OnPendingItems();
    void OnNewLine();
    void OnModify();
    void OnDeleteLine();
    void OnCancelEdit();
    void OnPrint();
    void OnClose();
    void OnPutBackToStock();
    void OnSave();
    void EnableEditButtons(bool editing);
    // Marks the rows of the upper grid whose field says they are handled.
    void MarkHandledRows(const char* field);

protected:
    wxString LinesTable() const override { return "ljth"; }

private:
    wxComboBox* Choice() const;
    wxString ChosenText();
    // The field that marks handled rows in the lists of this mode, or null.
    const char* HandledField(bool onActivation) const;
    std::vector<parts::PartLine> PartLines() const;
    void HandToStockIn(const std::vector<parts::PartLine>& lines);

    CGridCtrl* m_pGrid = nullptr;
    int m_nMode = 1;
    bool m_bPurchaseReturn = false; // a purchase return's lines keep the received quantity
    CGridDialogPrint m_print;
};
