#include "office/partner_ledger.h"
#include "platform/money.h"

#include "app/ledger_posting.h"
#include "app/ledger_sums.h"
#include "data/data_set.h"
#include "data/data_transaction.h"
#include "data/record_fields.h"
#include "platform/gbk.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <cmath>

namespace office {

namespace {

const char* const kNotComplete = "选择或输入内容不对或不完整！无法完成操作。";

// A write that did not happen; the transaction is rolled back.
struct NotWritten {
    const char* table;
};

bool TooLong(const wxString& text, size_t bytes) {
    return platform::GbkLength(text.utf8_string()) > bytes;
}

// A plain positive amount: digits with at most one point and two decimals, and no
// more than N(10,2) holds.
bool AmountValid(const wxString& text) {
    if (text.empty() || text.length() > 10) return false;
    int point = -1;
    for (size_t i = 0; i < text.length(); ++i) {
        const wxUniChar c = text[i];
        if (c == '.' && point < 0)
            point = int(i);
        else if (c < '0' || c > '9')
            return false;
    }
    if (point >= 0 && (text.length() - point - 1 > 2 || point > 7)) return false;
    if (point < 0 && text.length() > 7) return false;
    money::Fen fen = 0;
    return money::Parse(text.utf8_string(), &fen) && fen > 0;
}

// Appends the partner to `wlkf` unless a row holds its name, or its number, already.
void AddPartnerIfNew(const LedgerEntry& entry) {
    CDataSet partners;
    wxString known = CSqlText::Equals(U("单位"), entry.unit);
    if (!entry.number.empty()) known += U(" or ") + CSqlText::Equals(U("编号"), entry.number);
    partners.Open(U("select * from wlkf where ") + known);
    if (!partners.IsOpen()) throw NotWritten{"wlkf"};
    if (partners.m_pRecordset->RecordCount() > 0) return;
    const ado::RecordsetPtr& rs = partners.m_pRecordset;
    rs->AddNew();
    partners.PutFieldValue("-1", "no", rs);
    partners.PutFieldValue(entry.unit, U("单位"), rs);
    partners.PutFieldValue(entry.number, U("编号"), rs);
    partners.PutFieldValue(entry.area, U("区域"), rs);
    partners.NumberRows(rs, "wlkf");
    if (partners.Save(rs) != 1) throw NotWritten{"wlkf"};
}

void AddEntry(const LedgerEntry& entry) {
    CDataSet ledger;
    ledger.Open(U("select * from wlzm where no<0"));
    if (!ledger.IsOpen()) throw NotWritten{"wlzm"};
    const ado::RecordsetPtr& rs = ledger.m_pRecordset;
    rs->AddNew();
    ledger.PutFieldValue("-1", "no", rs);
    ledger.PutFieldValue(entry.unit, U("单位"), rs);
    ledger.PutFieldValue(entry.number, U("编号"), rs);
    ledger.PutFieldValue(entry.book ? entry.amount : "-" + entry.amount, U("金额"), rs);
    ledger.PutFieldValue(entry.date, U("日期"), rs);
    ledger.PutFieldValue(entry.remark, U("备注"), rs);
    ledger.PutFieldValue(entry.book ? U("入帐") : U("冲帐"), U("方式"), rs);
    ledger.PutFieldValue(entry.category, U("类别"), rs);
    ledger.PutFieldValue(CPartnerLedger::StoredSource(entry.source), U("来源"), rs);
    ledger.NumberRows(rs, "wlzm");
    if (ledger.Save(rs) != 1) throw NotWritten{"wlzm"};
}

// Runs `write` in one transaction over the tables; when it failed (logged) says
// `failure` and gives false.
template <class Write>
bool InTransaction(const wxString& failure, std::initializer_list<const char*> tables,
                   Write write) {
    try {
        CDataTransaction transaction;
        for (const char* table : tables) {
            CTableCrypt::CryptTables(U("select * from ") + table, 1);
            CDataTransaction::DeferEncryption(table);
        }
        write();
        transaction.Commit();
        return true;
    } catch (const NotWritten& notWritten) {
        platform::AppendLog(std::string("ledger: not written to ") + notWritten.table);
        platform::ShowMessageBox(failure.utf8_string());
    } catch (const ado::ComError& error) {
        platform::AppendLog("ledger: " + error.Description());
        platform::ShowMessageBox(failure.utf8_string());
    } catch (const CDataRefused& refused) {
        platform::AppendLog(std::string("ledger: ") + refused.what());
        platform::ShowMessageBox(CDataTransaction::FailureText(failure, refused).utf8_string());
    }
    return false;
}

} // namespace

wxString CPartnerLedger::All() {
    return U("全部");
}

wxString CPartnerLedger::StoredSource(const wxString& shown) {
    return shown == U("(其它)") ? U("其它") : shown;
}

wxString CPartnerLedger::EntriesStatement(const wxString& field, const wxString& value) {
    wxString condition;
    if (value == All())
        condition = field + "!=" + CSqlText::Quote(value);
    else if (field == U("来源"))
        condition = CSqlText::Equals(field, StoredSource(value));
    else
        condition = CSqlText::Equals(field, value.empty() ? wxString("#####A####") : value);
    return U("select * from wlzm where ") + condition + U(" order by 日期");
}

wxString CPartnerLedger::AreaPartnersStatement(const wxString& field, const wxString& area) {
    return "select distinct " + field + U(" from wlkf where ") + CSqlText::Equals(U("区域"), area);
}

wxString CPartnerLedger::AreaEntriesStatement(const wxString& area) {
    return U("select * from wlzm where 单位 in(") + AreaPartnersStatement(U("单位"), area) +
           U(") order by 日期");
}

wxString CPartnerLedger::AreaSumsStatement(const wxString& area) {
    return CLedgerSums::AllStatement() + U(" and (单位 in(") +
           AreaPartnersStatement(U("单位"), area) + "))";
}

wxString CPartnerLedger::EntryProblem(const LedgerEntry& entry, wxString* amount, wxString* date) {
    for (const wxString* text : {&entry.unit, &entry.number, &entry.area, &entry.remark})
        if (text->Contains("'")) return U("  不能用单引号！");
    // The name is the key of the partner's rows: a number alone would book to nobody.
    if (entry.unit.empty() || entry.category.empty()) return U(kNotComplete);
    if (TooLong(entry.unit, 36)) return U("单位名称不能超过36个字节！");
    if (TooLong(entry.number, 18)) return U("单位编号不能超过18个字节！");
    if (TooLong(entry.area, 16)) return U("所属区域不能超过16个字节！");
    if (TooLong(entry.remark, 16)) return U("备注不能超过16个字节！");
    const wxString typed = entry.amount.Strip(wxString::both);
    if (!AmountValid(typed)) return U("金额不对！请输入大于0的金额，如 100 或 99.50。");
    wxDateTime day;
    const wxString dateText = entry.date.Strip(wxString::both);
    wxString::const_iterator end;
    if (!day.ParseFormat(dateText, "%Y-%m-%d", &end) || end != dateText.end() ||
        day.Format("%Y-%m-%d") != dateText)
        return U("日期不对，可能月份或天数不正确。");
    *amount = typed;
    *date = dateText;
    return wxString();
}

bool CPartnerLedger::Post(const LedgerEntry& entry, CLedgerPosting& cash) {
    const bool cashIn = !entry.book && entry.category == U("应收款");
    const wxString failure = U("“") + entry.unit + U("”的往来帐登记没有完成，数据保持原样。");
    const bool written = InTransaction(failure, {"wlkf", "wlzm", "kzk"}, [&] {
        AddPartnerIfNew(entry);
        AddEntry(entry);
        if (cashIn && !cash.PostCashEntry(entry.unit, entry.amount,
                                          StoredSource(entry.source) + entry.category + U("冲帐")))
            throw NotWritten{"kzk"};
    });
    return written;
}

wxString CPartnerLedger::RelatedStatement(const wxString& unit, const wxString& category,
                                          const wxString& source, const wxString& way,
                                          const wxString& remark, const wxDateTime& date) {
    enum { None, Sales, Orders, Returns } kind = None;
    if ((source == U("配件") || source == U("维修")) &&
        (category == U("应收款") || (category == U("预收款") && way == U("冲帐"))))
        kind = Sales;
    else if (source == U("配件") && category == U("应付款"))
        kind = Orders;
    else if ((source == U("退出") && category == U("应收款")) ||
             (source == U("退回") && category == U("应付款")))
        kind = Returns;
    wxString statement;
    switch (kind) {
    case None:
        return wxString();
    case Sales:
        statement = U("select 项目名称,单价,数量,日期 from ljsh where ") +
                    CSqlText::Equals(U("客户"), unit) +
                    (source == U("维修") ? " and flag='W'" : " and flag='P'");
        break;
    case Orders:
        statement = U("select 零件名称,进价,数量,日期 from dhd where ") +
                    CSqlText::Equals(U("供应商"), unit);
        break;
    case Returns:
        statement = U("select 零件名称,单价,数量,日期 from ljth where ") +
                    CSqlText::Equals(U("客户"), unit);
        break;
    }
    // A remark of 11 characters is the number of the document behind the entry.
    if (remark.length() == 11) {
        statement += " and " + CSqlText::Equals(kind == Orders ? U("定货单") : U("单据号"), remark);
    } else {
        if (!date.IsValid()) return wxString();
        const wxString field = kind != Returns       ? U("日期")
                               : source == U("退出") ? U("退出日期")
                                                     : U("补发日期");
        statement += " and " + field + "={^" + date.Format("%Y-%m-%d") + "}";
    }
    return statement;
}

bool CPartnerLedger::DeleteEntry(long no) {
    try {
        CDataSet ledger;
        ledger.DeleteWhere("wlzm", wxString::Format("no=%ld", no));
        return true;
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
        return false;
    }
}

std::vector<wxString> CPartnerLedger::ClearEmptyAccounts(const std::vector<wxString>& names) {
    std::vector<wxString> removed;
    const bool written = InTransaction(U("清除空帐没有完成，数据保持原样。"), {"wlzm"}, [&] {
        CDataSet data;
        for (const wxString& name : names) {
            if (name.empty()) continue;
            const CLedgerSums sums =
                CLedgerSums::Read(data, CLedgerSums::Statement(U("单位"), name));
            if (!sums.Any() || sums.Balance() != 0.0) continue;
            data.Close();
            data.DeleteWhere("wlzm", CSqlText::Equals(U("单位"), name));
            removed.push_back(name);
        }
    });
    if (!written) removed.clear();
    return removed;
}

} // namespace office
