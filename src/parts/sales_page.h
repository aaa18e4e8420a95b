#pragma once
// ljsh: the page of one open sales ticket in the sales sheet. It shows the ticket's
// header (number, the customer's contact data, balance, discount, wholesale mark),
// its sale lines in a grid with their kinds, the total and the note on the customer's
// request, and keeps every line's price in step with the price level, the discount
// and the operator's discount limit. Its buttons settle, print, suspend and abandon
// the ticket and open the customer's partner card, ledger and archive.
#include "parts/sales_pricing.h"
#include "work/line_page.h"

#include <wx/weakref.h>

class CPrintOptionsDlg;

class ljsh : public CLinePage {
public:
    static const char* const kLinesStatement;

    ljsh(CWorkSheet* sheet, const wxString& title);
    ~ljsh() override;

    // --- CWorkPage
    void ArrangeControls() override;
    void ShowHeader(int unused) override;
    void UpdateTotals() override;
    void RecalcLine(int row) override;
    void AddLine(bool atEnd) override;

    // A part of the no-discount list gets "N" and the price of the ticket's level.
    void LookupPriceLevel(const wxString& code);
    // The price field of the ticket's lines (零售价, 批发价 or 代理价).
    const char* PriceField() const;
    const wxString& PriceLevel() const { return m_strPriceLevel; }
    CPrintOptionsDlg* PrintDialog() const { return m_pPrintDlg; }

    // --- Commands (sales_page_commands.cpp)
    void OnPrint() override;
    void OnArchive();
    void OnLedger();
    // The ticket discount typed into its edit, for the header and the lines of the
    // brand chosen (all brands when none is).
    void OnDiscountChange();
    // Whether the stock covers what the open tickets and cards want of the ticket's
    // parts, or the operator goes on anyway.
    bool CheckStockForTickets();
    // --- The customer and the prices (sales_page_customer.cpp)
    void OnCustomerData() override;
    void OnWholesale();
    void OnLastPrice();
    // --- Settlement (sales_page_settle.cpp)
    void OnSettle() override;

private:
    void BindEvents();
    void CompleteTakenLine(int row) override;
    // A typed name or code looked up in the stock and taken into the line.
    bool LookupTypedItem(int row, int col, const wxString& typed) override;
    // A quantity that cannot be sold is refused and set back to 1.
    void CheckTypedCell(int row, int col, const wxString& title) override;
    // The pricing values of the current line record.
    parts::SalesLine ReadLine() const;
    // Whether the discount may be given by the operator logged in.
    bool DiscountAllowed(int percent) const;

    wxWeakRef<CPrintOptionsDlg> m_pPrintDlg;
    wxString m_strPriceLevel;
    int m_bThreePrices = 0;
};
