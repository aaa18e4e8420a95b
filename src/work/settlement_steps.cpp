#include "work/settlement_steps.h"

#include "data/data_set.h"
#include "data/data_transaction.h"
#include "data/record_fields.h"
#include "data/sql_text.h"
#include "data/table_crypt.h"
#include "foxdb/transaction.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "work/doc_numbers.h"

namespace work {
namespace settle {
namespace {

// Tables a settlement writes; they are made plain once, at its start.
const char* const kTables[] = {"ljsh", "ljkc", "ljth", "zyxm", "wlzm", "kzk"};

} // namespace

const ado::Variant& Get(const Line& line, const char* field) {
    static const ado::Variant null = ado::Variant::Null();
    auto it = line.find(U(field));
    return it == line.end() ? null : it->second;
}

wxString Text(const ado::Variant& value) {
    return value.IsNull() ? wxString() : wxString::FromUTF8(value.ToString()).Trim(true);
}

double Number(const ado::Variant& value) {
    return value.IsNull() ? 0 : value.ToDouble();
}

void Put(ado::Recordset& rs, const char* field, const ado::Variant& value) {
    ado::Field& target = rs.Fields().Item(field);
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

void PutText(ado::Recordset& rs, const char* field, const wxString& text) {
    Put(rs, field, ado::Variant(text.utf8_string()));
}

void SaveBatch(ado::Recordset& rs, const char* what) {
    try {
        rs.UpdateBatch(ado::adAffectAll);
    } catch (const ado::ComError& error) {
        platform::AppendLog(std::string("settlement: ") + what + ": " + error.Description());
        throw NotWritten{U(what)};
    }
}

std::vector<Line> ReadLines(ado::Recordset& rs, const std::vector<const char*>& fields) {
    std::vector<Line> lines;
    if (rs.RecordCount() <= 0) return lines;
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
        Line line;
        for (const char* field : fields)
            line[U(field)] = rs.Fields().Item(field).Value();
        lines.push_back(std::move(line));
    }
    rs.MoveFirst();
    return lines;
}

DocumentFault CheckDocument(const std::vector<Line>& document, bool creditsAllowed) {
    if (document.empty()) return DocumentFault::None;
    if (Text(Get(document[0], "单位")).Contains("YES")) {
        platform::ShowMessageBox(U("该工作卡已存档，不允许再存！").utf8_string());
        return DocumentFault::Archived;
    }
    for (size_t i = 1; i < document.size(); ++i) {
        const ado::Variant& quantity = Get(document[i], "数量");
        if (quantity.IsNull() || (!creditsAllowed && quantity.ToDouble() < 0)) {
            platform::ShowMessageBox(
                (U("“") + Text(Get(document[i], "项目名称")) + U("”的数量不对，请改正后再结算。"))
                    .utf8_string());
            return DocumentFault::BadLine;
        }
    }
    return DocumentFault::None;
}

TakeOutLine ToTakeOut(const Line& line) {
    TakeOutLine take;
    take.code = Text(Get(line, "编号"));
    take.name = Text(Get(line, "项目名称"));
    take.model = Text(Get(line, "车型"));
    take.bin = Text(Get(line, "货位"));
    take.quantityNull = Get(line, "数量").IsNull();
    take.quantity = Number(Get(line, "数量"));
    return take;
}

Stock::Stock() = default;
Stock::~Stock() = default;

// Only the rows the lines can take from are read: the take-out matches a row by its
// whole code, or by its whole name for a line without one. A row the condition lets
// through beside those is harmless; it is matched again row by row.
bool Stock::Open(const std::vector<TakeOutLine>& lines) {
    wxString wanted;
    for (const TakeOutLine& line : lines) {
        wxString code = line.code, name = line.name;
        code.Trim(true);
        name.Trim(true).Trim(false);
        if (line.labour || (code.empty() && name.empty())) continue;
        wanted += (wanted.empty() ? U("") : U(" or ")) +
                  (code.empty() ? CSqlText::Equals(U("零件名称"), name)
                                : CSqlText::Equals(U("编号"), code));
    }
    // Both statements on one working copy of the stock.
    std::vector<wxString> decrypted;
    CTableCrypt::CryptTables(U("select * from ljkc"), 1, &decrypted);
    struct Drop {
        std::vector<wxString>& tables;
        ~Drop() { CTableCrypt::DropWorkingCopies(tables); }
    } drop{decrypted};
    CDataSet count;
    count.Open(U("select count(*) as n from ljkc"));
    if (!count.IsOpen()) return false;
    m_anyStock = FieldNumber(*count.m_pRecordset, "n") > 0;
    m_rows.clear();
    if (wanted.empty()) return true;
    m_set = std::make_unique<CDataSet>();
    m_set->Open(StockTakeOut::StockStatement() + U(" where ") + wanted);
    if (!m_set->IsOpen()) return false;
    ado::Recordset& stock = *m_set->m_pRecordset;
    if (stock.RecordCount() <= 0) return true;
    for (stock.MoveFirst(); !stock.EndOfFile(); stock.MoveNext()) {
        StockRow row;
        row.name = FieldText(stock, "零件名称");
        row.code = FieldText(stock, "编号");
        row.model = FieldText(stock, "车型");
        row.bin = FieldText(stock, "货位");
        const ado::Variant quantity = stock.Fields().Item("数量").Value();
        row.quantityNull = quantity.IsNull();
        row.quantity = Number(quantity);
        m_rows.push_back(row);
    }
    return true;
}

bool Stock::TakeOut(const std::vector<TakeOutLine>& lines, TakeOutQuestions& questions,
                    TakeOutPolicy policy) {
    // Without any stock row no line is taken out: there is nothing to ask about.
    if (!m_anyStock) return true;
    StockTakeOut takeOut(m_rows, questions, policy);
    return takeOut.TakeAll(lines);
}

void Stock::Save() {
    if (m_rows.empty()) return;
    ado::Recordset& stock = *m_set->m_pRecordset;
    size_t k = 0;
    for (stock.MoveFirst(); !stock.EndOfFile() && k < m_rows.size(); stock.MoveNext(), ++k)
        if (m_rows[k].changed) Put(stock, "数量", ado::Variant(m_rows[k].quantity));
    SaveBatch(stock, "ljkc");
}

void AppendWarrantyRows(const std::vector<const Line*>& lines, const wxString& today) {
    if (lines.empty()) return;
    CDataSet returns;
    returns.Open(U("select 客户,车型,零件名称,编号,单价,单位,数量,货位,厂牌,折扣,日期,备注,"
                   "供应商,no,单据号,进价,其它,补发日期,退出日期,flag,no1 from ljth"));
    if (!returns.IsOpen()) throw NotWritten{"ljth"};
    ado::Recordset& th = *returns.m_pRecordset;
    const long count = returns.GetDbfRecordCount("ljth");
    long k = 0;
    for (const Line* line : lines) {
        th.AddNew();
        for (const char* field : {"客户", "车型", "编号", "单价", "单位", "数量", "货位", "厂牌",
                                  "折扣", "进价", "其它"})
            Put(th, field, Get(*line, field));
        Put(th, "零件名称", Get(*line, "项目名称"));
        Put(th, "no", ado::Variant(count + ++k));
        PutText(th, "补发日期", today);
        PutText(th, "日期", today);
        PutText(th, "备注", U("三包") + Text(Get(*line, "备注")));
        PutText(th, "flag", "T");
    }
    SaveBatch(th, "ljth");
}

void MarkSettled(const Line& header, const wxString& title, const wxString& docNumber) {
    const ado::Variant& headerNo = Get(header, "no");
    if (headerNo.IsNull() || headerNo.ToInt64() <= 0) throw NotWritten{U("zyxm: 工作卡未保存")};
    CDataSet card;
    card.Open(U("select * from zyxm where no=") +
              wxString::Format("%lld", static_cast<long long>(headerNo.ToInt64())) + U(" and ") +
              CSqlText::Equals(U("客户"), title));
    if (!card.IsOpen() || card.m_pRecordset->RecordCount() != 1) throw NotWritten{"zyxm"};
    card.m_pRecordset->MoveFirst();
    PutText(*card.m_pRecordset, "单位", "YES");
    PutText(*card.m_pRecordset, "货位", docNumber);
    SaveBatch(*card.m_pRecordset, "zyxm");
}

bool WriteInTransaction(const wxString& title, const wxString& headerNumber,
                        wxString& sheetDocNumber,
                        const std::function<void(const wxString& docNumber)>& write) {
    // The counter moves on only with the settlement: a failed one gives its number back.
    const wxString counterBefore = CSettingFiles::ReadSettingFile("M_DJH");
    wxString docNumber = headerNumber;
    bool newNumber = false;
    wxString why;
    try {
        CDataTransaction transaction;
        for (const char* table : kTables) {
            CTableCrypt::CryptTables(U("select * from ") + table, 1);
            CDataTransaction::DeferEncryption(table);
        }
        foxdb::TransactionStep("plain");
        if (docNumber.empty()) {
            docNumber = GetDocNumber(sheetDocNumber);
            if (docNumber.empty() || NextDocNumber(sheetDocNumber).empty())
                throw NotWritten{U("单据号")};
            newNumber = true;
        }
        write(docNumber);
        transaction.Commit();
        return true;
    } catch (const NotWritten& failure) {
        platform::AppendLog("settlement of " + title.utf8_string() +
                            " not written: " + failure.what.utf8_string());
    } catch (const ado::ComError& error) {
        platform::AppendLog("settlement of " + title.utf8_string() +
                            " failed: " + error.Description());
    } catch (const std::exception& error) {
        platform::AppendLog("settlement of " + title.utf8_string() + " failed: " + error.what());
        why = CDataTransaction::FailureText(wxString(), error);
    }
    if (newNumber && CSettingFiles::ReadSettingFile("M_DJH").Left(11) == sheetDocNumber) {
        CSettingFiles::WriteSettingFile("M_DJH", counterBefore);
        sheetDocNumber = counterBefore.Left(11);
    }
    platform::ShowMessageBox(
        (U("“") + title + U("”的结算没有完成，工作卡和所有数据都保持原样。") + why).utf8_string());
    return false;
}

} // namespace settle
} // namespace work
