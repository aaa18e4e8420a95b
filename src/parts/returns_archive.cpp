#include "parts/returns_archive.h"

#include "app/ledger_posting.h"
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "parts/returns_lines.h"
#include "parts/returns_matching.h"
#include "parts/stock_in.h"
#include "platform/wx_text.h"

#include <stdexcept>

namespace parts {
namespace {

const char* const kSaleLines = "select 客户,车型,项目名称,编号,厂牌,单价,数量,备注,日期,业务,货位,"
                               "折扣,单据号,合同号,flag,no from ljsh where ";

std::string Utf8(const char* text) {
    return std::string(text);
}

wxString TextOf(const ado::Variant& value) {
    if (value.IsNull() || value.IsEmpty()) return wxString();
    return wxString::FromUTF8(value.ToString()).Trim(true);
}

// A value into a field of the current record; text fitted to the field.
void PutValue(ado::Recordset& rs, const std::string& field, const ado::Variant& value) {
    if (rs.Fields().IndexOf(field) < 0) return;
    ado::Field& target = rs.Fields().Item(field);
    if (value.IsNull() || value.IsEmpty())
        target.PutValue(ado::Variant::Null());
    else if (target.Type() == ado::adChar || target.Type() == ado::adVarChar)
        PutText(rs, field.c_str(), TextOf(value));
    else
        target.PutValue(value);
}

void PutNull(ado::Recordset& rs, const char* field) {
    rs.Fields().Item(field).PutValue(ado::Variant::Null());
}

// The current record's fields, by name.
std::map<std::string, ado::Variant> ReadRecord(ado::Recordset& rs) {
    std::map<std::string, ado::Variant> record;
    ado::Fields& fields = rs.Fields();
    for (long i = 0; i < fields.Count(); ++i) {
        ado::Field& field = fields.Item(static_cast<int>(i));
        record[field.Name()] = field.Value();
    }
    return record;
}

void WriteRecord(ado::Recordset& rs, const std::map<std::string, ado::Variant>& record) {
    for (const auto& field : record)
        PutValue(rs, field.first, field.second);
}

void Save(CDataSet& data, const char* table) {
    SaveBatch(*data.m_pRecordset, U(table));
}

[[noreturn]] void NotWritten(const char* what) {
    throw std::runtime_error(what);
}

// Takes the parts off the sale or receipt rows of the recordset (in memory).
void TakeOff(ado::Recordset& rs, const char* nameField, const std::vector<ReturnedPart>& parts,
             bool byModel) {
    std::vector<SourceRow> rows;
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
        rows.push_back({Text(rs, "编号"), Text(rs, nameField), Text(rs, "车型"),
                        Number(rs, "数量").value_or(0), Text(rs, "备注")});
    TakeReturnsOff(parts, rows, byModel);
    size_t k = 0;
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext(), ++k)
        if (rows[k].changed) {
            PutNumber(rs, "数量", rows[k].quantity);
            PutText(rs, "备注", rows[k].remark);
            rs.Update();
        }
}

ReturnedPart Returned(const PartLine& part) {
    return {part.code, part.name, part.model, part.quantity.value_or(0)};
}

} // namespace

ReturnsArchive::ReturnsArchive(int mode, ado::Recordset& lines, const wxString& choice,
                               work::TakeOutQuestions& questions, const wxDateTime& today)
    : m_mode(mode), m_rsLines(lines), m_choice(wxString(choice).Trim(true)), m_questions(questions),
      m_today(today) {}

ReturnsArchive::~ReturnsArchive() = default;

wxString ReturnsArchive::NextNumber(const wxDateTime& day) {
    const wxString prefix = day.Format("%Y%m%d");
    CDataSet data;
    data.Open(U("select 单据号 from ljth where 单据号 like '") + prefix + "%'");
    long last = 0;
    if (data.IsOpen() && data.m_pRecordset->RecordCount() > 0) {
        ado::Recordset& rs = *data.m_pRecordset;
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
            const wxString running = Text(rs, "单据号").Mid(8);
            long n = 0;
            if (!running.empty() && running.find_first_not_of("0123456789") == wxString::npos &&
                running.ToLong(&n))
                last = std::max(last, n);
        }
    }
    return prefix + wxString::Format("%03ld", last + 1);
}

ReturnsArchive::Result ReturnsArchive::Run() {
    m_lines.clear();
    m_parts.clear();
    if (m_rsLines.RecordCount() > 0)
        for (m_rsLines.MoveFirst(); !m_rsLines.EndOfFile(); m_rsLines.MoveNext()) {
            m_lines.push_back(ReadRecord(m_rsLines));
            m_parts.push_back(ReadLine(m_rsLines));
        }
    if (m_lines.empty()) {
        m_questions.Tell(U("数据已存档 "));
        return Archived;
    }
    if (!CheckLines() || !AskQuestions()) return Cancelled;

    m_stock = std::make_unique<CStockIn>(StockInOptions::Load());
    if (!m_stock->Open()) return Failed;
    bool ready = true;
    switch (m_mode) {
    case kDefectBack:
    case kSoundBack:
        ready = MatchSales() && (!m_reissue || TakeOutAll());
        break;
    case kDefectOut:
        ready = MarkGoneOut();
        break;
    case kReissue:
        ready = MarkReissued();
        break;
    case kSoundOut:
        ready = TakeOutAll();
        break;
    case kPurchaseReturn:
        ready = TakeOutAll() && MatchPurchases();
        break;
    default:
        break;
    }
    if (!ready) return Cancelled;

    if (m_mode != kReissue) m_number = NextNumber(m_today);
    CStockIn::Records records;
    records.stockIn = false;
    records.purchase = false;
    records.alsoWrite = [this] { Write(); };
    records.failure = U("退货没有存档，库存和所有数据都保持原样。");
    if (!m_stock->Store({}, records)) return Failed;
    if (!m_toStock) m_questions.Tell(U("数据已存档 "));
    return Archived;
}

// Quantities and dates the shop can stand behind: nothing negative, nothing returned
// before it happened.
bool ReturnsArchive::CheckLines() {
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const PartLine& part = m_parts[i];
        const wxString name = part.name.empty() ? part.code : part.name;
        if (part.quantity && *part.quantity < 0) {
            m_questions.Tell(U("“") + name + U("”的数量不对，请改正后再存档。"));
            return false;
        }
        const ado::Variant& date = m_lines[i][Utf8("日期")];
        if (!date.IsNull() && !date.IsEmpty()) {
            wxDateTime when;
            if (when.ParseISODate(wxString::FromUTF8(date.ToString())) &&
                when.IsLaterThan(m_today)) {
                m_questions.Tell(U("“") + name + U("”的日期晚于今天，请改正后再存档。"));
                return false;
            }
        }
    }
    return true;
}

bool ReturnsArchive::AskQuestions() {
    using Answer = work::TakeOutQuestions::Answer;
    const bool fromCustomer = m_mode == kDefectBack || m_mode == kSoundBack;
    if (m_mode == kDefectBack)
        m_reissue = m_questions.Ask(U("是否马上补发零件？"), false) == Answer::Yes;
    const double total = ReturnLinesTotal(m_rsLines);
    const bool asks = m_mode != kReissue && !(m_mode == kDefectBack && m_reissue) &&
                      MoneyText(total) != "0.00" && m_mode >= kDefectBack &&
                      m_mode <= kPurchaseReturn;
    if (asks) {
        const wxString question = fromCustomer ? U("是否要把金额保存到应付款记录中去？")
                                               : U("是否要把金额保存到应收款记录中去？");
        if (m_questions.Ask(question, false) == Answer::Yes) {
            m_partner = TextOf(m_lines.front()[Utf8("客户")]);
            if (m_partner.empty()) {
                m_questions.Tell(U("客户不能为空,操作已取消!"));
                return false;
            }
            // The ledger keeps no quote in a partner's name: it would book to another.
            if (m_partner.Contains("'")) {
                m_questions.Tell(U("“") + m_partner +
                                 U("”的名称中有单引号，不能记帐，操作已取消！"));
                return false;
            }
            m_post = true;
            m_amount = MoneyText(total);
        } else if (fromCustomer) {
            m_declined = true;
        }
    }
    if (fromCustomer)
        m_toStock =
            m_questions.Ask(U("是否要把退回零件放到仓库中去？\r\n (选“是”将切换到入库页面)"),
                            false) == Answer::Yes;
    return true;
}

bool ReturnsArchive::TakeOutAll() {
    if (m_stock->TakeOut(m_parts, m_questions)) return true;
    m_questions.Tell(U("零件没有出库，退货没有存档。"));
    return false;
}

// Each line's customer, else the one chosen on the page. A line that matches no sale
// (or no receipt) is archived all the same.
bool ReturnsArchive::MatchSales() {
    std::map<wxString, std::vector<ReturnedPart>> byCustomer;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        wxString customer = TextOf(m_lines[i][Utf8("客户")]);
        if (customer.empty()) customer = m_choice;
        byCustomer[customer].push_back(Returned(m_parts[i]));
    }
    for (const auto& entry : byCustomer) {
        if (entry.first.empty()) continue;
        auto data = std::make_unique<CDataSet>();
        data->Open(U(kSaleLines) + CSqlText::Equals(U("客户"), entry.first));
        if (!data->IsOpen()) return false;
        if (data->m_pRecordset->RecordCount() <= 0) continue;
        TakeOff(*data->m_pRecordset, "项目名称", entry.second, true);
        m_sources.push_back(std::move(data));
    }
    return true;
}

bool ReturnsArchive::MatchPurchases() {
    if (m_choice.empty()) return true;
    auto data = std::make_unique<CDataSet>();
    data->Open(U("select * from jhda where ") + CSqlText::Equals(U("入库单"), m_choice));
    if (!data->IsOpen()) return false;
    if (data->m_pRecordset->RecordCount() <= 0) return true;
    std::vector<ReturnedPart> returned;
    for (const PartLine& part : m_parts)
        returned.push_back(Returned(part));
    TakeOff(*data->m_pRecordset, "零件名称", returned, false);
    m_sources.push_back(std::move(data));
    return true;
}

// Defective parts out to the supplier: the stored return each line came from is marked
// gone out; a part not among the stored returns may leave from stock instead, and is
// then stored as a return that went out.
bool ReturnsArchive::MarkGoneOut() {
    m_returns = std::make_unique<CDataSet>();
    m_returns->Open(AllReturnsStatement());
    if (!m_returns->IsOpen()) return false;
    ado::Recordset& rs = *m_returns->m_pRecordset;
    const wxString today = m_today.Format("%Y-%m-%d");
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const ado::Variant& from = m_lines[i][Utf8("no1")];
        if (from.IsNull() || from.IsEmpty()) continue;
        const wxString criterion =
            wxString::Format("no=%lld", static_cast<long long>(from.ToDouble()));
        bool found = false;
        if (rs.RecordCount() > 0) {
            rs.MoveFirst();
            rs.Find(criterion.utf8_string());
            found = !rs.EndOfFile();
        }
        if (found) {
            PutText(rs, "其它", "T");
            PutText(rs, "退出日期", today);
            rs.Update();
            continue;
        }
        if (m_questions.Ask(U("不良品库中没有,是否从仓库中直接退出?"), false) !=
                work::TakeOutQuestions::Yes ||
            !m_stock->TakeOut({m_parts[i]}, m_questions))
            continue;
        rs.AddNew();
        WriteRecord(rs, m_lines[i]);
        PutText(rs, "其它", "T");
        PutText(rs, "退出日期", today);
        PutNumber(rs, "no", -1.0);
        rs.Update();
    }
    return true;
}

// Reissued parts: each leaves stock and is recorded as a sale; the return it settles is
// marked reissued, and what of that return is not yet reissued stays a pending return
// of its own.
bool ReturnsArchive::MarkReissued() {
    m_returns = std::make_unique<CDataSet>();
    m_returns->Open(AllReturnsStatement());
    if (!m_returns->IsOpen()) return false;
    ado::Recordset& rs = *m_returns->m_pRecordset;
    const wxString today = m_today.Format("%Y-%m-%d");
    std::map<long long, double> reissued; // per earlier return, over every line
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const ado::Variant& from = m_lines[i][Utf8("no1")];
        if (from.IsNull() || from.IsEmpty() || rs.RecordCount() <= 0) continue;
        const long long no = static_cast<long long>(from.ToDouble());
        rs.MoveFirst();
        rs.Find(wxString::Format("no=%lld", no).utf8_string());
        if (rs.EndOfFile()) continue;
        const double owed = Number(rs, "数量").value_or(0);
        reissued[no] += m_parts[i].quantity.value_or(0);
        if (reissued[no] > owed) {
            m_questions.Tell(U("“") + Text(rs, "零件名称") + U("”的补发数量超过了退回数量(") +
                             wxString::Format("%g", owed) + U(")，操作被取消！"));
            return false;
        }
    }
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (!m_stock->TakeOut({m_parts[i]}, m_questions)) continue;
        m_sold.push_back(i);
        const ado::Variant& from = m_lines[i][Utf8("no1")];
        if (from.IsNull() || from.IsEmpty() || rs.RecordCount() <= 0) continue;
        rs.MoveFirst();
        rs.Find(wxString::Format("no=%lld", static_cast<long long>(from.ToDouble())).utf8_string());
        if (rs.EndOfFile()) continue;
        const double quantity = m_parts[i].quantity.value_or(0);
        const double owed = Number(rs, "数量").value_or(0);
        const std::map<std::string, ado::Variant> before = ReadRecord(rs);
        PutText(rs, "flag", "T");
        PutText(rs, "补发日期", today);
        if (owed > quantity) PutNumber(rs, "数量", quantity);
        rs.Update();
        if (owed > quantity) {
            rs.AddNew();
            WriteRecord(rs, before);
            PutNumber(rs, "数量", owed - quantity);
            PutNumber(rs, "no", -1.0);
            rs.Update();
        }
    }
    return true;
}

void ReturnsArchive::Write() {
    PrepareTables({"ljth", "ljsh", "wlzm"});
    for (const auto& data : m_sources)
        Save(*data, m_mode == kPurchaseReturn ? "jhda" : "ljsh");
    if (m_returns) {
        m_returns->NumberRows(m_returns->m_pRecordset, "ljth");
        Save(*m_returns, "ljth");
    }
    if (m_mode == kDefectBack || m_mode == kSoundBack || m_mode == kSoundOut ||
        m_mode == kPurchaseReturn)
        WriteLines();
    if (m_mode == kDefectBack && m_reissue)
        for (size_t i = 0; i < m_lines.size(); ++i)
            m_sold.push_back(i);
    if (!m_sold.empty()) WriteSales();
    if (m_post) {
        const bool fromCustomer = m_mode == kDefectBack || m_mode == kSoundBack;
        CLedgerPosting ledger(*g_pFrameData);
        if (!ledger.PostPartnerEntry(m_partner, wxString(),
                                     fromCustomer ? U("应付款") : U("应收款"), m_amount, U("入帐"),
                                     fromCustomer ? U("退回") : U("退出"), m_number))
            NotWritten("wlzm");
    }
}

// The page's lines as stored returns, numbered after the table's rows.
void ReturnsArchive::WriteLines() {
    CDataSet data;
    data.Open(ReturnLinesStatement());
    if (!data.IsOpen()) NotWritten("ljth");
    ado::Recordset& rs = *data.m_pRecordset;
    const wxString today = m_today.Format("%Y-%m-%d");
    const bool fromCustomer = m_mode == kDefectBack || m_mode == kSoundBack;
    for (const Line& line : m_lines) {
        rs.AddNew();
        WriteRecord(rs, line);
        PutNumber(rs, "no", -1.0);
        PutText(rs, "单据号", m_number);
        if (fromCustomer) {
            if (m_reissue || !m_declined) PutText(rs, "补发日期", today);
            if (m_declined)
                PutText(rs, "flag", "N");
            else
                PutNull(rs, "flag");
            if (m_mode == kSoundBack) PutText(rs, "备注", U("正品退回"));
        } else {
            PutText(rs, "备注", U("正品退出"));
            PutText(rs, "退出日期", today);
        }
        rs.Update();
    }
    data.NumberRows(data.m_pRecordset, "ljth");
    Save(data, "ljth");
}

// Reissued parts as parts sales of the day.
void ReturnsArchive::WriteSales() {
    CDataSet data;
    data.Open(U("select * from ljsh where .F."));
    if (!data.IsOpen()) NotWritten("ljsh");
    ado::Recordset& rs = *data.m_pRecordset;
    const wxString today = m_today.Format("%Y-%m-%d");
    for (size_t i : m_sold) {
        Line line = m_lines[i];
        line[Utf8("项目名称")] = line[Utf8("零件名称")];
        for (const char* own : {"no", "flag", "日期", "零件名称"})
            line.erase(own);
        rs.AddNew();
        WriteRecord(rs, line);
        PutText(rs, "单据号", m_number);
        PutText(rs, "flag", "P");
        PutText(rs, "日期", today);
        PutNumber(rs, "no", -1.0);
        rs.Update();
    }
    data.NumberRows(data.m_pRecordset, "ljsh");
    Save(data, "ljsh");
}

} // namespace parts
