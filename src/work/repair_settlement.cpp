#include "work/repair_settlement.h"

#include "app/ledger_posting.h"
#include "data/data_set.h"
#include "data/data_transaction.h"
#include "data/main_frame_data.h"
#include "data/record_fields.h"
#include "foxdb/transaction.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "work/doc_numbers.h"
#include "work/line_pricing.h"

#include <cmath>
#include <wx/datetime.h>

namespace work {
namespace {

// The fields of a card line the settlement reads (the sheet's statement has them all).
const char* const kLineFields[] = {"项目名称", "编号", "单价", "单位", "数量", "货位", "小计",
                                   "作业人员", "备注", "故障", "客户", "车型", "厂牌", "折扣",
                                   "手扣",     "进价", "其它", "WX",   "no"};

// Tables the settlement writes; they are made plain once, at its start.
const char* const kTables[] = {"ljsh", "ljkc", "ljth", "zyxm", "wlzm", "kzk"};

// A write that did not happen; the transaction is rolled back.
struct NotWritten {
    wxString what;
};

const ado::Variant& Get(const std::map<wxString, ado::Variant>& line, const char* field) {
    static const ado::Variant null = ado::Variant::Null();
    auto it = line.find(U(field));
    return it == line.end() ? null : it->second;
}

bool IsBlank(const ado::Variant& value) {
    return value.IsNull() || wxString::FromUTF8(value.ToString()).Trim(true).empty();
}

wxString Text(const ado::Variant& value) {
    return value.IsNull() ? wxString() : wxString::FromUTF8(value.ToString()).Trim(true);
}

double Number(const ado::Variant& value) {
    return value.IsNull() ? 0 : value.ToDouble();
}

// Labour is a line whose WX holds something; every step of the settlement asks it so.
bool IsLabour(const std::map<wxString, ado::Variant>& line) {
    return !IsBlank(Get(line, "WX"));
}

// Puts a value into the current record; text is fitted to the field as the data store
// fits typed text.
void Put(ado::Recordset& rs, const wxString& field, const ado::Variant& value) {
    ado::Field& target = rs.Fields().Item(field.utf8_string());
    if (value.IsNull()) {
        target.PutValue(ado::Variant::Null());
    } else if (target.Type() == ado::adChar || target.Type() == ado::adVarChar) {
        wxString text = wxString::FromUTF8(value.ToString());
        text.Trim(true);
        target.PutValue(ado::Variant(
            CDataSet::CheckValue(text, target.Type(), target.DefinedSize()).utf8_string()));
    } else {
        target.PutValue(value);
    }
}

void Put(ado::Recordset& rs, const char* field, const ado::Variant& value) {
    Put(rs, U(field), value);
}

void PutText(ado::Recordset& rs, const char* field, const wxString& text) {
    Put(rs, field, ado::Variant(text.utf8_string()));
}

// Saves a batch inside the open transaction: its tables are plain already and go
// back encrypted when the transaction ends.
void SaveBatch(ado::Recordset& rs, const char* what) {
    try {
        rs.UpdateBatch(ado::adAffectAll);
    } catch (const ado::ComError& error) {
        platform::AppendLog(std::string("settlement: ") + what + ": " + error.Description());
        throw NotWritten{U(what)};
    }
}

} // namespace

RepairSettlement::RepairSettlement(const ado::RecordsetPtr& lines, const wxString& title,
                                   wxString& sheetDocNumber, TakeOutQuestions& questions)
    : m_lines(lines), m_title(title), m_sheetDocNumber(sheetDocNumber), m_questions(questions) {}

RepairSettlement::~RepairSettlement() = default;

RepairSettlement::Check RepairSettlement::Prepare() {
    m_card.clear();
    ado::Recordset& rs = *m_lines;
    if (rs.RecordCount() <= 1) return HeaderOnly;
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
        Line line;
        for (const char* field : kLineFields)
            line[U(field)] = rs.Fields().Item(field).Value();
        m_card.push_back(std::move(line));
    }
    rs.MoveFirst();
    if (Text(Get(m_card[0], "单位")).Contains("YES")) {
        platform::ShowMessageBox(U("该工作卡已存档，不允许再存！").utf8_string());
        return Archived;
    }
    std::vector<LineValues> values;
    for (size_t i = 1; i < m_card.size(); ++i) {
        const Line& line = m_card[i];
        const ado::Variant& quantity = Get(line, "数量");
        if (quantity.IsNull() || quantity.ToDouble() < 0) {
            platform::ShowMessageBox(
                (U("“") + Text(Get(line, "项目名称")) + U("”的数量不对，请改正后再结算。"))
                    .utf8_string());
            return BadLine;
        }
        LineValues v;
        v.quantityNull = Get(line, "数量").IsNull();
        v.quantity = Number(Get(line, "数量"));
        v.priceNull = Get(line, "单价").IsNull();
        v.price = Number(Get(line, "单价"));
        v.labour = IsLabour(line);
        const ado::Variant& discount = Get(line, v.labour ? "手扣" : "折扣");
        v.discountNull = discount.IsNull();
        v.discount = Number(discount);
        v.mark = Text(Get(line, "其它"));
        values.push_back(v);
    }
    m_total = CardTotal(values);
    return Ready;
}

RepairSettlement::Result RepairSettlement::Run(const SettleOffsets& offsets, double shortfall) {
    if (m_card.size() <= 1) return Cancelled;
    // The stock, taken out in memory; nothing is written before every answer is in.
    m_stockSet = std::make_unique<CDataSet>();
    m_stockSet->Open(StockTakeOut::StockStatement());
    if (!m_stockSet->IsOpen()) return Failed;
    ado::Recordset& stock = *m_stockSet->m_pRecordset;
    m_stock.clear();
    if (stock.RecordCount() > 0) {
        for (stock.MoveFirst(); !stock.EndOfFile(); stock.MoveNext()) {
            StockRow row;
            row.name = FieldText(stock, "零件名称");
            row.code = FieldText(stock, "编号");
            row.model = FieldText(stock, "车型");
            row.bin = FieldText(stock, "货位");
            const ado::Variant quantity = stock.Fields().Item("数量").Value();
            row.quantityNull = quantity.IsNull();
            row.quantity = Number(quantity);
            m_stock.push_back(row);
        }
        StockTakeOut takeOut(m_stock, m_questions);
        for (size_t i = 1; i < m_card.size(); ++i) {
            const Line& line = m_card[i];
            TakeOutLine out;
            out.code = Text(Get(line, "编号"));
            out.name = Text(Get(line, "项目名称"));
            out.model = Text(Get(line, "车型"));
            out.bin = Text(Get(line, "货位"));
            out.quantityNull = Get(line, "数量").IsNull();
            out.quantity = Number(Get(line, "数量"));
            out.labour = IsLabour(line);
            if (!takeOut.Take(out)) return Cancelled;
        }
    }
    foxdb::TransactionStep("taken-out");
    const bool bookShortfall = shortfall > 0 && m_questions.Ask(U("所差款是否保存到欠款记录中去？"),
                                                                false) == TakeOutQuestions::Yes;

    // The counter moves on only with the settlement: a failed one gives its number back.
    const wxString counterBefore = CSettingFiles::ReadSettingFile("M_DJH");
    wxString docNumber = Text(Get(m_card[0], "货位"));
    bool newNumber = false;
    try {
        CDataTransaction transaction;
        for (const char* table : kTables) {
            CTableCrypt::CryptTables(U("select * from ") + table, 1);
            CDataTransaction::DeferEncryption(table);
        }
        foxdb::TransactionStep("plain");
        if (docNumber.empty()) {
            docNumber = GetDocNumber(m_sheetDocNumber);
            if (docNumber.empty() || NextDocNumber(m_sheetDocNumber).empty())
                throw NotWritten{U("单据号")};
            newNumber = true;
        }
        Write(docNumber, offsets, shortfall, bookShortfall);
        transaction.Commit();
        return Done;
    } catch (const NotWritten& failure) {
        platform::AppendLog("settlement of " + m_title.utf8_string() +
                            " not written: " + failure.what.utf8_string());
    } catch (const ado::ComError& error) {
        platform::AppendLog("settlement of " + m_title.utf8_string() +
                            " failed: " + error.Description());
    } catch (const std::exception& error) {
        platform::AppendLog("settlement of " + m_title.utf8_string() + " failed: " + error.what());
    }
    if (newNumber && CSettingFiles::ReadSettingFile("M_DJH").Left(11) == m_sheetDocNumber) {
        CSettingFiles::WriteSettingFile("M_DJH", counterBefore);
        m_sheetDocNumber = counterBefore.Left(11);
    }
    platform::ShowMessageBox(
        (U("“") + m_title + U("”的结算没有完成，工作卡和所有数据都保持原样。")).utf8_string());
    return Failed;
}

void RepairSettlement::Write(const wxString& docNumber, const SettleOffsets& offsets,
                             double shortfall, bool bookShortfall) {
    const wxString today = wxDateTime::Today().Format("%Y-%m-%d");
    const Line& header = m_card[0];

    // Archive rows, one per line.
    CDataSet archive;
    archive.Open(U("select * from ljsh where 客户='***Last***'"));
    if (!archive.IsOpen()) throw NotWritten{"ljsh"};
    ado::Recordset& rs = *archive.m_pRecordset;
    std::vector<size_t> warranty;
    for (size_t i = 1; i < m_card.size(); ++i) {
        const Line& line = m_card[i];
        const bool labour = IsLabour(line);
        const LineMark mark = MarkOf(Text(Get(line, "其它")));
        rs.AddNew();
        Put(rs, "客户", Get(line, "客户"));
        PutText(rs, "flag", Text(Get(line, "WX")) == U("工时费库") ? "WN" : "W");
        Put(rs, "码表", Get(header, "小计"));
        Put(rs, "项目名称", Get(line, "项目名称"));
        Put(rs, "数量", Get(line, "数量"));
        const ado::Variant& price = Get(line, "单价");
        const ado::Variant& discount = Get(line, labour ? "手扣" : "折扣");
        if (price.IsNull() || discount.IsNull() || mark == LineMark::NoDiscount)
            Put(rs, "单价", price);
        else
            Put(rs, "单价", ado::Variant(RoundFen(Number(price) * Number(discount) * 0.01)));
        PutText(rs, "日期", today);
        Put(rs, "业务", Get(line, "作业人员"));
        Put(rs, "进价", Get(line, "进价"));
        Put(rs, "备注", Get(line, "备注"));
        for (const char* field : {"车型", "编号", "厂牌", "货位", "单位", "折扣"})
            Put(rs, field, Get(line, field));
        if (mark == LineMark::Warranty || mark == LineMark::Gift) {
            Put(rs, "单价", ado::Variant(0.0));
            if (mark == LineMark::Warranty) Put(rs, "进价", ado::Variant(0.0));
            PutText(rs, "备注",
                    (mark == LineMark::Warranty ? U("三包") : U("赠送")) + Text(Get(line, "备注")));
        }
        Put(rs, "其它", Get(line, "故障"));
        if (labour) {
            PutText(rs, "厂牌", U("维修项目"));
            if (Get(line, "进价").IsNull()) Put(rs, "进价", ado::Variant(0.0));
        }
        PutText(rs, "单据号", docNumber);
        Put(rs, "no", ado::Variant(-static_cast<long>(i)));
        if (mark == LineMark::Warranty) warranty.push_back(i);
    }
    foxdb::TransactionStep("archive-rows");
    archive.NumberRows(archive.m_pRecordset, "ljsh");
    SaveBatch(rs, "ljsh");

    // The stock quantities the take-out lowered.
    if (!m_stock.empty()) {
        ado::Recordset& stock = *m_stockSet->m_pRecordset;
        size_t k = 0;
        for (stock.MoveFirst(); !stock.EndOfFile() && k < m_stock.size(); stock.MoveNext(), ++k)
            if (m_stock[k].changed) Put(stock, "数量", ado::Variant(m_stock[k].quantity));
        SaveBatch(stock, "ljkc");
    }

    // Warranty rows.
    if (!warranty.empty()) {
        CDataSet returns;
        returns.Open(U("select 客户,车型,零件名称,编号,单价,单位,数量,货位,厂牌,折扣,日期,备注,"
                       "供应商,no,单据号,进价,其它,补发日期,退出日期,flag,no1 from ljth"));
        if (!returns.IsOpen()) throw NotWritten{"ljth"};
        ado::Recordset& th = *returns.m_pRecordset;
        const long count = returns.GetDbfRecordCount("ljth");
        long k = 0;
        for (size_t i : warranty) {
            const Line& line = m_card[i];
            th.AddNew();
            for (const char* field : {"客户", "车型", "编号", "单价", "单位", "数量", "货位",
                                      "厂牌", "折扣", "进价", "其它"})
                Put(th, field, Get(line, field));
            Put(th, "零件名称", Get(line, "项目名称"));
            Put(th, "no", ado::Variant(count + ++k));
            PutText(th, "补发日期", today);
            PutText(th, "日期", today);
            PutText(th, "备注", U("三包") + Text(Get(line, "备注")));
            PutText(th, "flag", "T");
        }
        SaveBatch(th, "ljth");
    }

    // The card: settled, with its number.
    const ado::Variant& headerNo = Get(header, "no");
    if (headerNo.IsNull() || headerNo.ToInt64() <= 0) throw NotWritten{U("zyxm: 工作卡未保存")};
    CDataSet card;
    card.Open(U("select * from zyxm where no=") +
              wxString::Format("%lld", static_cast<long long>(headerNo.ToInt64())) + U(" and ") +
              CSqlText::Equals(U("客户"), m_title));
    if (!card.IsOpen() || card.m_pRecordset->RecordCount() != 1) throw NotWritten{"zyxm"};
    card.m_pRecordset->MoveFirst();
    PutText(*card.m_pRecordset, "单位", "YES");
    PutText(*card.m_pRecordset, "货位", docNumber);
    SaveBatch(*card.m_pRecordset, "zyxm");

    // Money: the offsets the operator accepted, the shortfall, and the cash received,
    // which is the card total less the offsets and the shortfall.
    CLedgerPosting ledger(*g_pFrameData);
    auto post = [&](const char* category, double amount, const char* way) {
        if (!ledger.PostPartnerEntry(m_title, wxString(), U(category),
                                     wxString::Format("%.2f", amount), U(way), U("维修"),
                                     docNumber))
            throw NotWritten{"wlzm"};
    };
    if (offsets.advances > 0) post("预收款", -offsets.advances, "冲帐");
    if (offsets.payables > 0) post("应付款", -offsets.payables, "冲帐");
    if (bookShortfall) post("应收款", shortfall, "入帐");
    const double cash = RoundFen(LoweredTotal(m_total, offsets) - shortfall);
    if (!ledger.PostCashEntry(m_title, wxString::Format("%.2f", cash), U("维修")))
        throw NotWritten{"kzk"};
}

} // namespace work
