#include "parts/stock_in.h"

#include "data/data_transaction.h"
#include "data/system_options.h"
#include "parts/order_numbers.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <cmath>
#include <map>
#include <set>
#include <tuple>

namespace parts {
namespace {

void Tell(const wxString& text) {
    platform::ShowMessageBox(text.utf8_string());
}

// Bins compare without trailing blanks, a missing bin as an empty one, letter case kept.
bool SameBin(const wxString& a, const wxString& b) {
    return wxString(a).Trim(true) == wxString(b).Trim(true);
}

// A write that did not happen; the transaction is rolled back.
struct NotWritten {
    wxString what;
};

} // namespace

StockInOptions StockInOptions::Load() {
    CSystemOptions options;
    options.LoadSettings();
    StockInOptions result;
    result.priceMode = options.GetIntOption(U("jgk"));
    result.byBin = options.GetIntOption(U("入库单")) != 0;
    return result;
}

void SaveBatch(ado::Recordset& rs, const wxString& table) {
    try {
        rs.UpdateBatch(ado::adAffectAll);
    } catch (const ado::ComError& error) {
        platform::AppendLog("stock-in: " + table.utf8_string() + ": " + error.Description());
        throw;
    }
}

void PrepareTables(std::initializer_list<const char*> tables) {
    for (const char* table : tables) {
        CDataSet::CryptTables(U("select * from ") + table, 1);
        CDataTransaction::DeferEncryption(table);
    }
}

CStockIn::CStockIn(StockInOptions options) : m_options(options) {}

CStockIn::~CStockIn() = default;

bool CStockIn::Open() {
    m_data.Open(U("select * from ljkc"));
    if (!m_data.IsOpen()) return false;
    ado::Recordset& rs = *m_data.m_pRecordset;
    m_stock.clear();
    m_stock.reserve(static_cast<size_t>(std::max(0L, rs.RecordCount())));
    if (rs.RecordCount() > 0)
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
            StockEntry entry;
            entry.code = Text(rs, "编号");
            entry.name = Text(rs, "零件名称");
            entry.model = Text(rs, "车型");
            entry.brand = Text(rs, "厂牌");
            entry.bin = Text(rs, "货位");
            entry.quantity = Number(rs, "数量");
            entry.cost = Number(rs, "进价");
            entry.retail = Number(rs, "零售价");
            entry.wholesale = Number(rs, "批发价");
            entry.bookmark = rs.Bookmark();
            m_stock.push_back(std::move(entry));
            Index(m_stock.size() - 1);
        }
    return true;
}

void CStockIn::Index(size_t entry) {
    const StockEntry& row = m_stock[entry];
    m_byCode[row.code].push_back(entry);
    m_byName[{row.name, row.model}].push_back(entry);
}

std::vector<size_t> CStockIn::Matches(const PartLine& line) const {
    std::vector<size_t> found;
    if (*line.KeyField() == '\0') return found;
    const std::vector<size_t>* entries = nullptr;
    if (!line.code.empty()) {
        auto it = m_byCode.find(line.code);
        if (it != m_byCode.end()) entries = &it->second;
    } else {
        auto it = m_byName.find({line.name, line.model});
        if (it != m_byName.end()) entries = &it->second;
    }
    if (entries)
        for (size_t i : *entries)
            if (!m_stock[i].deleted) found.push_back(i);
    return found;
}

void CStockIn::GoTo(const StockEntry& entry) {
    m_data.m_pRecordset->PutBookmark(entry.bookmark);
}

bool CStockIn::CheckLines(const std::vector<PartLine>& lines) const {
    for (size_t i = 0; i < lines.size(); ++i) {
        const PartLine& line = lines[i];
        if (line.quantity && *line.quantity < 0) {
            Tell(U("“") + (line.name.empty() ? line.code : line.name) +
                 U("”的入库数量不对，请改正后再入库。"));
            return false;
        }
        if (m_options.Merges() && *line.KeyField() == '\0') {
            Tell(wxString::Format(U("第%zu行没有编号和零件名称，不能入库，请改正后再试。"), i + 1));
            return false;
        }
    }
    return true;
}

bool CStockIn::HasDuplicate(const std::vector<PartLine>& lines) const {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (*lines[i].KeyField() == '\0') continue;
        for (size_t j = i + 1; j < lines.size(); ++j)
            if (lines[i].SamePart(lines[j].code, lines[j].name, lines[j].model)) return true;
    }
    return false;
}

void CStockIn::AverageWithStock(std::vector<PartLine>& lines) const {
    // Against each stock group of the part (one per 编号, 零件名称 and 车型) in turn, with
    // its quantity-weighted price sums.
    struct Group {
        long long quantity = 0;
        money::Fen cost = 0, retail = 0, wholesale = 0;
    };
    for (PartLine& line : lines) {
        std::map<std::tuple<wxString, wxString, wxString>, Group> groups;
        for (size_t i : Matches(line)) {
            const StockEntry& row = m_stock[i];
            Group& g = groups[{row.code, row.name, row.model}];
            g.quantity += std::llround(row.quantity.value_or(0));
            g.cost += LineFen(row.quantity, row.cost);
            g.retail += LineFen(row.quantity, row.retail);
            g.wholesale += LineFen(row.quantity, row.wholesale);
        }
        for (const auto& entry : groups) {
            const Group& g = entry.second;
            const long long q = std::llround(line.quantity.value_or(0));
            // Nothing to weigh against: the line keeps its prices.
            if (g.quantity + q == 0) continue;
            const long long held = g.quantity;
            auto average = [&](std::optional<double>& price, money::Fen sum) {
                const money::Fen added =
                    money::LineAmount(q, money::FromYuan(price.value_or(0)), 100);
                price = money::ToYuan(money::Scale(sum + added, 1, held + q));
            };
            average(line.cost, g.cost);
            average(line.retail, g.retail);
            average(line.wholesale, g.wholesale);
        }
    }
}

void CStockIn::LinesTakeStockPrices(std::vector<PartLine>& lines) const {
    for (PartLine& line : lines)
        for (size_t i : Matches(line)) {
            line.cost = m_stock[i].cost;
            line.retail = m_stock[i].retail;
            line.wholesale = m_stock[i].wholesale;
        }
}

void CStockIn::StockTakesLinePrices(const std::vector<PartLine>& lines) {
    ado::Recordset& rs = *m_data.m_pRecordset;
    for (const PartLine& line : lines)
        for (size_t i : Matches(line)) {
            StockEntry& row = m_stock[i];
            GoTo(row);
            row.cost = line.cost;
            row.retail = line.retail;
            row.wholesale = line.wholesale;
            PutNumber(rs, "进价", line.cost);
            PutNumber(rs, "零售价", line.retail);
            PutNumber(rs, "批发价", line.wholesale);
            PutText(rs, "单位", line.unit);
            PutText(rs, "供应商", line.supplier);
        }
}

bool CStockIn::Prepare(std::vector<PartLine>& lines) {
    if (!CheckLines(lines)) return false;
    if (lines.empty() || m_stock.empty()) return true;
    switch (m_options.priceMode) {
    case 1:
        if (HasDuplicate(lines)) {
            Tell(U("记录重复，请修改后再试！"));
            return false;
        }
        AverageWithStock(lines);
        StockTakesLinePrices(lines);
        break;
    case 2:
        LinesTakeStockPrices(lines);
        break;
    case 3:
        StockTakesLinePrices(lines);
        break;
    default:
        break;
    }
    return true;
}

work::TakeOutPolicy CStockIn::PageTakeOut() {
    work::TakeOutPolicy policy;
    policy.everyRefusalCancels = false;
    return policy;
}

bool CStockIn::TakeOut(const std::vector<PartLine>& lines, work::TakeOutQuestions& questions,
                       work::TakeOutPolicy policy, std::vector<double>* taken) {
    std::vector<work::StockRow> rows;
    rows.reserve(m_stock.size());
    for (const StockEntry& entry : m_stock) {
        work::StockRow row;
        row.name = entry.name;
        row.code = entry.code;
        row.model = entry.model;
        row.bin = entry.bin;
        row.quantity = entry.quantity.value_or(0);
        row.quantityNull = !entry.quantity;
        rows.push_back(row);
    }
    work::StockTakeOut takeOut(rows, questions, policy);
    const auto held = [&rows] {
        double sum = 0;
        for (const work::StockRow& row : rows)
            sum += row.quantity;
        return sum;
    };
    if (taken) taken->clear();
    for (const PartLine& line : lines) {
        work::TakeOutLine out;
        out.code = line.code;
        out.name = line.name;
        out.model = line.model;
        out.bin = line.bin;
        out.quantity = line.quantity.value_or(0);
        out.quantityNull = !line.quantity;
        const double before = held();
        if (!takeOut.Take(out)) return false;
        if (taken) taken->push_back(before - held());
    }
    ado::Recordset& rs = *m_data.m_pRecordset;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].changed) {
            m_stock[i].quantity = rows[i].quantity;
            GoTo(m_stock[i]);
            PutNumber(rs, "数量", rows[i].quantity);
        }
    return true;
}

void CStockIn::Append(const PartLine& line) {
    ado::Recordset& rs = *m_data.m_pRecordset;
    rs.AddNew();
    WriteLine(rs, line);
    rs.Update();
    StockEntry entry;
    entry.code = line.code;
    entry.name = line.name;
    entry.model = line.model;
    entry.brand = line.brand;
    entry.bin = line.bin;
    entry.quantity = line.quantity;
    entry.cost = line.cost;
    entry.retail = line.retail;
    entry.wholesale = line.wholesale;
    entry.bookmark = rs.Bookmark();
    m_stock.push_back(std::move(entry));
    Index(m_stock.size() - 1);
}

void CStockIn::Merge(const PartLine& line) {
    ado::Recordset& rs = *m_data.m_pRecordset;
    double sum = 0;
    StockEntry* kept = nullptr;
    for (size_t i : Matches(line)) {
        StockEntry& row = m_stock[i];
        if (!SameBin(row.bin, line.bin)) continue;
        sum += row.quantity.value_or(0);
        if (!kept) {
            kept = &row;
            continue;
        }
        // The part lies in one row per bin: the others of this bin are folded in.
        GoTo(row);
        rs.Delete();
        row.deleted = true;
    }
    if (!kept) {
        Append(line);
        return;
    }
    kept->quantity = sum + line.quantity.value_or(0);
    GoTo(*kept);
    PutNumber(rs, "数量", kept->quantity);
}

wxString CStockIn::ReceiptNumber(const std::vector<PartLine>& lines, const wxString& lastNumber) {
    wxString number = NextOrderNumber(
        !lines.empty() && !lines.back().order.empty() ? lines.back().order : lastNumber);
    // Two receipts of one day never share a number: the derived one moves past every
    // number the receipt records hold.
    CDataSet used;
    used.Open(U("select distinct 入库单 from jhda where 入库单 like ") +
              CSqlText::Quote(number.Left(8) + "%"));
    std::set<wxString> taken;
    if (used.IsOpen() && used.m_pRecordset->RecordCount() > 0)
        for (auto& rs = *used.m_pRecordset; !rs.EndOfFile(); rs.MoveNext())
            taken.insert(Text(rs, "入库单"));
    while (taken.count(number))
        number = NextOrderNumber(number);
    return number;
}

bool CStockIn::ConfirmReceiveOrder(const wxString& order) {
    if (order.empty()) return true;
    CDataSet received;
    received.Open(U("select count(*) as n from jhda where ") +
                  CSqlText::Equals(U("定货单"), order));
    if (!received.IsOpen() || received.m_pRecordset->RecordCount() <= 0 ||
        Number(*received.m_pRecordset, "n").value_or(0) <= 0)
        return true;
    const wxString question = U("定货单“") + order + U("”已经入过库，是否再次入库？");
    return platform::ShowMessageBox(question.utf8_string(), std::string(), platform::MB_YESNO) ==
           platform::IDYES;
}

void CStockIn::WriteRecords(const std::vector<PartLine>& lines, const wxString& number) {
    const wxString today = wxDateTime::Today().Format("%Y-%m-%d");

    // One record of the receipt per line, dated and numbered; earlier ones untouched.
    CDataSet received;
    received.Open(U("select * from jhda where no=0"));
    if (!received.IsOpen()) throw NotWritten{"jhda"};
    ado::Recordset& jh = *received.m_pRecordset;
    for (const PartLine& line : lines) {
        jh.AddNew();
        WriteLine(jh, line);
        PutText(jh, "入库单", number);
        PutText(jh, "日期", today);
    }
    received.NumberRows(received.m_pRecordset, "jhda");
    SaveBatch(jh, "jhda");
    if (lines.empty()) return;

    // The price list and the supplier offers: the part's row of the same make and
    // model (and supplier) takes the new prices; a part without one gets a row.
    auto upsert = [&](const char* table, bool bySupplier) {
        CDataSet data;
        data.Open(U("select * from ") + table);
        if (!data.IsOpen()) throw NotWritten{table};
        ado::Recordset& rs = *data.m_pRecordset;
        struct Row {
            wxString code, name, model, brand, supplier;
            ado::Variant bookmark;
        };
        std::vector<Row> rows;
        if (rs.RecordCount() > 0)
            for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
                rows.push_back({Text(rs, "编号"), Text(rs, "零件名称"), Text(rs, "车型"),
                                Text(rs, "厂牌"), bySupplier ? Text(rs, "供应商") : wxString(),
                                rs.Bookmark()});
        for (const PartLine& line : lines) {
            const Row* match = nullptr;
            if (*line.KeyField() != '\0')
                for (const Row& row : rows) {
                    const bool key =
                        line.code.empty() ? row.name == line.name : row.code == line.code;
                    if (key && row.brand == line.brand && row.model == line.model &&
                        (!bySupplier || row.supplier == line.supplier)) {
                        match = &row;
                        break;
                    }
                }
            if (match) {
                rs.PutBookmark(match->bookmark);
            } else {
                rs.AddNew();
                WriteLine(rs, line);
                if (bySupplier) PutNumber(rs, "零售价", std::nullopt);
            }
            if (bySupplier) {
                PutNumber(rs, "批发价", line.cost);
            } else {
                PutNumber(rs, "进价", line.cost);
                PutNumber(rs, "零售价", line.retail);
                PutNumber(rs, "批发价", line.wholesale);
            }
            rs.Update();
            if (!match)
                rows.push_back(
                    {line.code, line.name, line.model, line.brand, line.supplier, rs.Bookmark()});
        }
        data.NumberRows(data.m_pRecordset, table);
        SaveBatch(rs, table);
    };
    upsert("jgk", false);
    upsert("hy", true);
}

bool CStockIn::Store(const std::vector<PartLine>& lines, const Records& records) {
    if (records.stockIn && !CheckLines(lines)) return false;
    const wxString number =
        records.lastNumber ? ReceiptNumber(lines, *records.lastNumber) : wxString();
    bool failed = false;
    wxString why;
    try {
        CDataTransaction transaction;
        PrepareTables({"ljkc", "jhda", "jgk", "hy", "LJDB"});
        if (records.stockIn) {
            if (!m_options.Merges() || m_stock.empty()) {
                for (const PartLine& line : lines)
                    Append(line);
            } else {
                for (const PartLine& line : lines)
                    Merge(line);
            }
        }
        m_data.NumberRows(m_data.m_pRecordset, "ljkc");
        SaveBatch(*m_data.m_pRecordset, "ljkc");
        if (records.stockIn && records.purchase) WriteRecords(lines, number);
        if (records.alsoWrite) records.alsoWrite();
        transaction.Commit();
    } catch (const NotWritten& failure) {
        platform::AppendLog("stock-in not written: " + failure.what.utf8_string());
        failed = true;
    } catch (const std::exception& error) {
        platform::AppendLog(std::string("stock-in failed: ") + error.what());
        why = CDataTransaction::FailureText(wxString(), error);
        failed = true;
    }
    if (failed) {
        Tell((records.failure.empty() ? U("入库没有完成，库存和所有数据都保持原样。")
                                      : records.failure) +
             why);
        return false;
    }
    if (records.lastNumber && records.stockIn && records.purchase) *records.lastNumber = number;
    return true;
}

} // namespace parts
