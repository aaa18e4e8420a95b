#pragma once
// WXZY: the page of one repair work card in the repair sheet. It shows the card's
// header record (vehicle, owner, reception date, mileage, default discounts), its
// labour and parts lines in a grid with their marks, the card total and the note on
// the vehicle's condition, and keeps every line's price and amount in step with the
// discounts. Its buttons add, delete, suspend, abandon, print and settle.
#include "work/line_page.h"
#include "work/line_pricing.h"

class WXZY : public CLinePage {
public:
    static const char* const kLinesStatement;

    WXZY(CWorkSheet* sheet, const wxString& title);
    ~WXZY() override;

    // --- CWorkPage
    void ArrangeControls() override;
    void ShowHeader(int unused) override;
    void UpdateTotals() override;
    void RecalcLine(int row) override;
    void AddLine(bool atEnd) override;

    // An item of the no-discount list gets "N" and its fixed price.
    // The line's row in the grid shows the listed price.
    void LookupPriceLevel(const wxString& code, int row);

    // --- Commands (repair_page_commands.cpp)
    void OnPrint() override;
    // "资料(&Z)": the vehicle's customer record; a record saved there fills the card's
    // header, and a card opened under part of the plate moves to the whole plate.
    void OnCustomerData() override;
    void OnLastPrice();
    void OnKillFocusPartsDiscount();
    // Writes the parts discount (empty for none) into the header and the lines it
    // governs, then saves and recomputes.
    void ApplyPartsDiscount(const wxString& value);
    void ApplyLabourDiscount(const wxString& value);
    // --- Settlement (repair_page_settle.cpp)
    void OnSettle() override;

private:
    void BindEvents();
    void CompleteTakenLine(int row) override;
    // A typed name or code looked up in the stock and labour items and taken into the
    // line with its prices.
    bool LookupTypedItem(int row, int col, const wxString& typed) override;
    void OnChangeMileage();
    void OnChangeLabourDiscount();
    void ApplyDiscount(const char* field, const wxString& value,
                       bool (*governs)(const wxString& mark, const wxString& wx));
    // The price values of the current line record.
    work::LineValues ReadLine() const;

    bool m_bPartsDiscountEditing = false;
    bool m_bLabourDiscountEditing = false;
};
