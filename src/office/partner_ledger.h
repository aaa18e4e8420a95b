#pragma once
// The partner ledger's business steps without windows: the statements of its
// history, balances, area selection and related documents, the check and the
// posting of a typed entry (one transaction over `wlkf`, `wlzm` and `kzk`), the
// deletion of one entry by its number and the clearing of settled accounts.
#include <vector>
#include <wx/datetime.h>
#include <wx/string.h>

class CLedgerPosting;

namespace office {

// One entry as the registration fields hold it.
struct LedgerEntry {
    wxString unit, number, area; // 单位名称, 单位编号, 所属区域
    wxString category; // 应收款, 应付款, 预收款, 预付款; empty when none chosen
    wxString source;   // 配件, 维修, 整车, (其它); may be empty
    wxString amount, date, remark;
    bool book = true; // 入帐; false for 冲帐
};

class CPartnerLedger {
public:
    // The selector item for every partner or row.
    static wxString All();
    // The source "其它" is shown "(其它)" but stored as "其它": 来源 holds 4 bytes.
    static wxString StoredSource(const wxString& shown);

    // The history rows whose field holds value, by date: "全部" lists all rows but
    // those holding that word; an empty value lists none.
    static wxString EntriesStatement(const wxString& field, const wxString& value);
    // The partners of an area: their `field` (单位 or 编号) from `wlkf`.
    static wxString AreaPartnersStatement(const wxString& field, const wxString& area);
    static wxString AreaEntriesStatement(const wxString& area);
    static wxString AreaSumsStatement(const wxString& area);

    // Why the entry cannot be posted, or empty; then *amount and *date hold the
    // checked amount (positive, at most two decimals) and date ("%Y-%m-%d").
    static wxString EntryProblem(const LedgerEntry& entry, wxString* amount, wxString* date);
    // Posts a checked entry: the partner added to `wlkf` when its name is new, the
    // entry to `wlzm` (an offset with a minus sign), and the cash of an offset
    // receivable to `kzk` through `cash`, all or nothing. False when nothing was
    // written (the failure has been reported).
    static bool Post(const LedgerEntry& entry, CLedgerPosting& cash);

    // The documents behind a ledger row (its 单位, 类别, 来源, 方式, 备注 and 日期),
    // or empty when the row has none.
    static wxString RelatedStatement(const wxString& unit, const wxString& category,
                                     const wxString& source, const wxString& way,
                                     const wxString& remark, const wxDateTime& date);

    // Deletes the entry numbered `no`; false (reported) when it could not be.
    static bool DeleteEntry(long no);
    // Deletes every row of each named partner whose book balance is 0.00 to the fen,
    // all in one transaction; the names removed (none after a failure).
    static std::vector<wxString> ClearEmptyAccounts(const std::vector<wxString>& names);
};

} // namespace office
