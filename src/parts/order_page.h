#pragma once
// Pjdh: the one page of the order sheet, in three modes: a stock-in (0) receives parts
// into stock, an order (1) collects the lines of purchase orders in `dhd`, a transfer
// (2) sends stock to another store or moves it between bins. The lines live in the
// sheet's recordset; the buying logic (stock_in.h, order_save.h, purchase_pricing.h)
// does the work, the page reads its controls and shows the result.
#include "parts/part_line.h"
#include "work/work_page.h"

#include <vector>
#include <wx/dialog.h>
#include <wx/weakref.h>

class CGridCtrl;
class CMainFrame;

class Pjdh : public CWorkPage {
public:
    enum Mode { StockIn = 0, Order = 1, Transfer = 2 };

    Pjdh(CWorkSheet* sheet, int mode);
    ~Pjdh() override;

    // Builds the order sheet of the mode in the frame's lower pane; an order takes the
    // lines waiting in COrderHandOver.
    static Pjdh* Open(CMainFrame& frame, int mode);
    // The stock-in page when it is the page shown in the lower pane, else null.
    static Pjdh* ShownStockIn(CMainFrame& frame);

    CGridCtrl* GetLineGrid() const override { return m_pGrid; }
    int GetMode() const { return m_nMode; }
    bool IsReturnToStock() const { return m_bReturnToStock; }
    const std::vector<wxString>& Stores() const { return m_stores; }
    // The number new lines take: the locked order's, else the current one.
    wxString CurrentNumber() const;

    // --- CWorkPage
    void ArrangeControls() override;
    void UpdateTotals() override;
    void AddLine(bool atEnd) override;
    void OnSetActive() override;
    void OnKillActive() override {}

    // --- Commands
    void OnNewLine();
    void OnModify();
    // The print options of the lines, in a window of their own that the page owns.
    void OnPrint();
    void OnDelete();
    void OnCancelEdit();
    void OnExit();
    void OnSave();
    void OnLockNumber();
    void OnSelChangeNumber();
    void OnKillFocusNumber();
    void OnSelChangeSupplier();
    void OnPriceFromPriceList();
    void OnPriceByRatio();
    void OnLowestOffers();
    void OnSupplierCard();
    // The offers of the focused line's part in the upper grid.
    void OnCompareOffers();
    void OnKillFocusContract();
    // Appends lines at the end of the document (the order hand-over, split and
    // assemble); each completed as a new line keeping its quantity.
    void AppendLines(const std::vector<parts::PartLine>& lines);

private:
    void BindEvents();
    void EnableSaveButtons(bool on);
    void LoadLines();
    std::vector<parts::PartLine> Lines();
    void WriteBack(const std::vector<parts::PartLine>& lines);
    void SaveStockIn(bool purchase);
    void SaveTransfer();
    void CloseSheetAfter(const char* question);
    wxString ComboText(int id) const;
    // The lines not yet archived are kept in a file beside the program, so a page closed
    // without archiving gets them back when it opens next.
    std::string SavedLinesPath() const;
    void KeepNewLines();
    void RestoreSavedLines();
    void DropSavedLines();

    CGridCtrl* m_pGrid = nullptr;
    int m_nMode = Order;
    long m_nLineCount = 0; // base of the new lines' temporary numbers
    bool m_bLocked = false;
    bool m_bComboEdited = false; // typed into the number list since it took the focus
    bool m_bOrderCopied = false;
    bool m_bReturnToStock = false;
    bool m_bThreeLevel = false;
    bool m_bKeepQuantity = false;
    bool m_bRestoreSaved = true;
    wxString m_strLastNo;
    wxString m_strSupplier;
    std::vector<wxString> m_stores;
    wxWeakRef<wxDialog> m_pPrintDlg;
};
