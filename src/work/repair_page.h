#pragma once
// WXZY: the page of one repair work card in the repair sheet. It shows the card's
// header record (vehicle, owner, reception date, mileage, default discounts), its
// labour and parts lines in a grid with their marks, the card total and the note on
// the vehicle's condition, and keeps every line's price and amount in step with the
// discounts. Its buttons add, delete, suspend, abandon, print and settle.
#include "work/line_pricing.h"
#include "work/work_page.h"

#include "grid/grid_notify.h"

class CGridCtrl;
class wxComboBox;
class wxCheckBox;
class wxTextCtrl;

class WXZY : public CWorkPage {
public:
    static const char* const kLinesStatement;
    static const char* const kWalkIn; // "零散客户"

    WXZY(CWorkSheet* sheet, const wxString& title);
    ~WXZY() override;

    CGridCtrl* GetLineGrid() const override { return m_pGrid; }
    bool IsWalkIn() const;

    // --- CWorkPage
    void ArrangeControls() override;
    void ShowHeader(int unused) override;
    void UpdateTotals() override;
    void RecalcLine(int row) override;
    void AddLine(bool atEnd) override;
    void OnSetActive() override;

    // Marks each line's kind in the grid's first column: 1 no discount (while the card
    // has a parts discount), 2 warranty, 3 gift.
    void ShowLineMarks();
    // An item of the no-discount list gets "N" and its fixed price.
    void LookupPriceLevel(const wxString& code);
    // The card total as the page computed it last.
    double GetTotal() const { return m_fTotal; }
    void SetTotal(double total) { m_fTotal = total; }
    // The file of the note on the vehicle's condition.
    wxString NoteFileName() const;
    // The lines recordset on the card's header record; false when the card has none.
    bool MoveToHeader() const;

    // --- Commands (repair_page_commands.cpp)
    void OnCloseSheet();
    void OnDeleteLine();
    void OnNewLine();
    void OnSuspend();
    void OnPrint();
    void OnAbandon();
    void OnSelchangeWorker();
    // "资料(&Z)": the vehicle's customer record; a record saved there fills the card's
    // header, and a card opened under part of the plate moves to the whole plate.
    void OnCustomerData();
    void OnLastPrice();
    void OnKillFocusPartsDiscount();
    // Writes the parts discount (empty for none) into the header and the lines it
    // governs, then saves and recomputes.
    void ApplyPartsDiscount(const wxString& value);
    void ApplyLabourDiscount(const wxString& value);
    // Reopens the sheet's lines after the tables changed under them (a settlement).
    void ReloadLines();
    // --- Settlement (repair_page_settle.cpp)
    void OnSettle();

private:
    void BindEvents();
    void OnGridNotify(CGridNotifyEvent& event);
    // A typed name or code looked up in the stock and labour items and taken into the
    // line with its prices.
    void LookupTypedItem(int row, int col, const wxString& text);
    void OnChangeMileage();
    void OnKillFocusNote();
    void OnSetFocusNote();
    void OnChangeLabourDiscount();
    void ApplyDiscount(const char* field, const wxString& value,
                       bool (*governs)(const wxString& mark, const wxString& wx));
    // The grid column titled with a field name, -1 when none.
    int ColumnOf(const wxString& title) const;
    // The price values of the current line record.
    work::LineValues ReadLine() const;
    wxString Text(int id) const;
    void SetText(int id, const wxString& text);

    CGridCtrl* m_pGrid = nullptr;
    double m_fTotal = 0;
    bool m_bPartsDiscountEditing = false;
    bool m_bLabourDiscountEditing = false;
    bool m_bShowingHeader = false;
};
