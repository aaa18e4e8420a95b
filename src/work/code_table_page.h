#pragma once
// hyxm: the code-table page, the one editor of sixteen code tables (membership
// items, labour items, item groups, the parts catalogue, stock, prices, sources and
// the rest), one table per mode, shown in the code-table sheet of the lower pane.
// The rows are narrowed by the filter list, in the parts modes also by 部位, store
// or supplier, and found by the quick search on name, number or short code. Lines
// are added, edited and deleted in the grid and saved as one batch; the new lines
// are kept in a saved copy until then.
#include "work/code_table_copy.h"
#include "work/code_table_modes.h"
#include "work/table_edit_page.h"

class wxComboBox;
class wxTextCtrl;

class hyxm : public CTableEditPage {
public:
    // The opener of the code-table commands.
    static void Register();
    // The code-table sheet of the mode (mode 12: the warranty parts sheet), replacing
    // the one open; its unsaved changes go, its saved copy stays.
    static void OpenCodeTableSheet(CMainFrame& frame, int mode);

    hyxm(CWorkSheet* sheet, const work::CodeTableMode& mode);

    int GetMode() const { return m_mode.mode; }
    void ArrangeControls() override;
    // Completes the new line the lines recordset stands on.
    void AddLine(bool atEnd) override;
    // Saves the lines; the catalogue tree follows the tables it lists.
    bool SaveLines() override;
    // Lists the table (again when a filter, search or cancel asked for it).
    void OnSetActive() override;
    void OnKillActive() override {}

    // Lists the rows whose field ("零件名称", "编号" or "简码") holds the text.
    void QuickSearch(const wxString& field, const wxString& text);
    // The discount of the card type (mode 1) typed into its edit, written into every
    // listed row: 折扣 for the parts discount, 手扣 for the service discount.
    void ApplyCardDiscount(bool service, const wxString& text);

    void OnNew();
    void OnDelete();
    void OnSave();
    void OnCancelEdits();
    void OnFilterChange();
    void OnStoreChange();
    void OnPartPosChange();
    // 自动生成简码 (short-code table): the missing short codes of the parts tables' names,
    // then the table listed again in full.
    void OnMakeShortCodes();

    const wxString& GetStatement() const { return m_strStatement; }
    const CCodeTableCopy& GetCopy() const { return m_copy; }

protected:
    wxString LinesTable() const override { return m_mode.table; }
    void Reload() override;

private:
    void InitControls();
    void FillStoreList();
    void ShowCardDiscounts();
    void ShowStockTotals();
    void HidePriceColumns();
    void RestoreCopy();
    // Before the lines are opened anew: pending changes saved when the operator says so.
    void OfferToSave();
    // The new lines into the saved copy.
    void KeepNewLines();
    bool ShowsHint(int id) const;
    wxComboBox* Combo(int id) const;
    wxTextCtrl* Edit(int id) const;
    // A combo's chosen entry; empty when none is chosen.
    wxString Chosen(int id) const;

    const work::CodeTableMode m_mode;
    long m_nLastNo = 0;
    bool m_bPartFilter = false;
    bool m_bSearchFilter = false;
    bool m_bRestoreCopy = true;
    bool m_bReload = true;
    bool m_bNewLines = false; // the lines hold new ones, kept in the copy
    wxString m_strStatement;
    CCodeTableCopy m_copy;
};
