#pragma once
// sblj: the warranty parts page, the part lines of `ljth` that customers brought back
// under warranty, sent on to the supplier (退出日期) or reissued (补发日期). Lines are
// filtered by customer, brand and dates, or by the fuzzy search, added, edited and
// deleted in the grid and saved as one batch; genuine parts sent back never show.
#include "work/table_edit_page.h"
#include "work/warranty_query.h"

class wxComboBox;

class sblj : public CTableEditPage {
public:
    // The opener of the command 退回记录.
    static void Register();
    // The page's sheet in the lower pane, as the warranty sheet of the frame.
    static void OpenSheet(CMainFrame& frame);

    explicit sblj(CWorkSheet* sheet);

    void ArrangeControls() override;
    void AddLine(bool atEnd) override;
    // Lists the lines of the chosen condition (or the fuzzy search's statement).
    void OnSetActive() override;
    void OnKillActive() override {}

    void OnNotSentOut();
    void OnNotReissued();
    void OnNew();
    void OnDelete();
    void OnSave();
    void OnDiscard();
    // A customer typed that is not listed: listed, given to the lines without one,
    // and the lines filtered to it.
    void OnCustomerEntered();

    const wxString& GetStatement() const { return m_strStatement; }

protected:
    wxString LinesTable() const override { return "ljth"; }
    void Reload() override { OnSetActive(); }

private:
    void ShowTotals();
    wxString Text(int id) const;
    wxComboBox* Combo(int id) const;

    CWarrantyQuery::Only m_only = CWarrantyQuery::Only::All; // for one query
    bool m_bTyped = false;
    long m_nLastNo = 0;
    wxString m_strStatement;
};
