#pragma once
// ljsh: the page of one open sales ticket in the sales sheet. It shows the ticket's
// header (number, the customer's contact data, balance, discount, wholesale mark),
// its sale lines in a grid with their kinds, the total and the note on the customer's
// request, and keeps every line's price in step with the price level, the discount
// and the operator's discount limit. Its buttons settle, print, suspend and abandon
// the ticket and open the customer's partner card, ledger and archive.
#include "parts/sales_pricing.h"
#include "work/work_page.h"

#include "grid/grid_notify.h"

#include <wx/weakref.h>

class CGridCtrl;
class CPrintOptionsDlg;

class ljsh : public CWorkPage {
public:
    static const char* const kLinesStatement;

    ljsh(CWorkSheet* sheet, const wxString& title);
    ~ljsh() override;

    CGridCtrl* GetLineGrid() const override { return m_pGrid; }
    bool IsWalkIn() const;

    // --- CWorkPage
    void ArrangeControls() override;
    void ShowHeader(int unused) override;
    void UpdateTotals() override;
    void RecalcLine(int row) override;
    void AddLine(bool atEnd) override;
    void OnSetActive() override;

    // The kind of each line in the grid's first column: 1 no discount (while the
    // ticket has a discount), 2 warranty, 3 gift.
    void ShowLineKinds();
    // A part of the no-discount list gets "N" and the price of the ticket's level.
    void LookupPriceLevel(const wxString& code);
    // The price field of the ticket's lines (零售价, 批发价 or 代理价).
    const char* PriceField() const;
    const wxString& PriceLevel() const { return m_strPriceLevel; }
    // What the customer pays, as the page computed it last.
    double GetTotal() const { return m_fTotal; }
    CPrintOptionsDlg* PrintDialog() const { return m_pPrintDlg; }
    // Reopens the sheet's lines after the tables changed under them (a settlement).
    void ReloadLines();

    // --- Commands (sales_page_commands.cpp)
    void OnClose();
    void OnDeleteLine();
    void OnNewLine();
    void OnSuspend();
    void OnPrint();
    void OnAbandon();
    void OnSalesmanChange();
    void OnArchive();
    void OnLedger();
    // The ticket discount typed into its edit, for the header and the lines of the
    // brand chosen (all brands when none is).
    void OnDiscountChange();
    // Whether the stock covers what the open tickets and cards want of the ticket's
    // parts, or the operator goes on anyway.
    bool CheckStockForTickets();
    // --- The customer and the prices (sales_page_customer.cpp)
    void OnCustomerData();
    void OnWholesale();
    void OnLastPrice();
    // --- Settlement (sales_page_settle.cpp)
    void OnSettle();

private:
    void BindEvents();
    void OnGridNotify(CGridNotifyEvent& event);
    // A typed name or code looked up in the stock and taken into the line.
    void LookupTypedPart(int row, int col, const wxString& typed);
    void OnNoteSetFocus();
    void OnNoteKillFocus();
    // The grid column titled with a field name, -1 when none.
    int ColumnOf(const wxString& title) const;
    // The pricing values of the current line record.
    parts::SalesLine ReadLine() const;
    // Whether the discount may be given by the operator logged in.
    bool DiscountAllowed(int percent) const;
    wxString Text(int id) const;
    void SetText(int id, const wxString& text);
    bool IsChecked(int id) const;

    CGridCtrl* m_pGrid = nullptr;
    double m_fTotal = 0;
    wxWeakRef<CPrintOptionsDlg> m_pPrintDlg;
    wxString m_strPriceLevel;
    int m_bThreePrices = 0;
    bool m_bShowingHeader = false;
};
