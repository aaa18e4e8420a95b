#pragma once
// Receiving lines into the parts stock `ljkc`: the price handling the shop chose, the
// merge by part and bin (or a plain append), and the records of the receipt: `jhda`
// (one row per line, dated and numbered), the price list `jgk` and the supplier
// offers `hy`. A transfer takes its lines out of the same stock first. Nothing is
// written before every check has passed, and everything is written in one
// transaction: a failure leaves every table as it was.
#include "data/data_set.h"
#include "parts/part_line.h"
#include "work/stock_take_out.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace parts {

struct StockInOptions {
    // jgk: 1 weighted average of line and stock, 2 lines take the stock's prices,
    // 3 the stock takes the lines' prices, 4 each keeps its own, 0 none chosen.
    int priceMode = 0;
    // 入库单: merge by part and bin, else append in order of arrival.
    bool byBin = false;

    static StockInOptions Load();
    bool Merges() const { return byBin && priceMode != 4; }
};

// A stock row as the receipt and the bin proposal see it.
struct StockEntry {
    wxString code, name, model, brand, bin;
    std::optional<double> quantity;
    std::optional<double> cost, retail, wholesale;
    ado::Variant bookmark;
    bool deleted = false;
};

class CStockIn {
public:
    explicit CStockIn(StockInOptions options);
    ~CStockIn();

    // Reads the stock. False after the data store's message.
    bool Open();
    const std::vector<StockEntry>& Stock() const { return m_stock; }

    // Refuses lines the stock cannot take (a negative quantity; a line without 编号
    // and 零件名称 when lines merge by bin), then the price handling. False after a
    // message; the lines and the stock are then as they were.
    bool Prepare(std::vector<PartLine>& lines);
    // The line checks of Prepare alone (the bin dialog's rows are checked again).
    bool CheckLines(const std::vector<PartLine>& lines) const;

    // Takes transfer or return lines out of the stock read (in memory); *taken, when
    // given, gets what the stock gave for each line, less than asked where the
    // operator let a shortage pass. False when an answer stopped it (by default only
    // No to ignoring a part missing from stock); nothing is written then.
    bool TakeOut(const std::vector<PartLine>& lines, work::TakeOutQuestions& questions,
                 work::TakeOutPolicy policy = PageTakeOut(), std::vector<double>* taken = nullptr);
    static work::TakeOutPolicy PageTakeOut();

    struct Records {
        bool stockIn = true;             // the lines go into stock (false: a transfer out)
        bool purchase = true;            // jhda, jgk and hy (not for returned parts or moves)
        wxString* lastNumber = nullptr;  // the page's last document number, advanced
        std::function<void()> alsoWrite; // more writes of the same transaction
        wxString failure;                // the message of a failure, when not the stock-in's
    };
    // Writes the stock (and the records) in one transaction, once per object. False
    // after the message "入库没有完成，库存和所有数据都保持原样。" (or records.failure).
    bool Store(const std::vector<PartLine>& lines, const Records& records);

    // The stock-in number: after the last line's order number when it has one, else
    // after the page's last number; past every number the day's receipts already hold.
    static wxString ReceiptNumber(const std::vector<PartLine>& lines, const wxString& lastNumber);
    // True when the order has not been received yet, or the operator wants it received
    // again.
    static bool ConfirmReceiveOrder(const wxString& order);

private:
    std::vector<size_t> Matches(const PartLine& line) const;
    bool HasDuplicate(const std::vector<PartLine>& lines) const;
    void AverageWithStock(std::vector<PartLine>& lines) const;
    void LinesTakeStockPrices(std::vector<PartLine>& lines) const;
    void StockTakesLinePrices(const std::vector<PartLine>& lines);
    void Merge(const PartLine& line);
    void Append(const PartLine& line);
    void WriteRecords(const std::vector<PartLine>& lines, const wxString& number);
    void GoTo(const StockEntry& entry);

    void Index(size_t entry);

    StockInOptions m_options;
    CDataSet m_data;
    std::vector<StockEntry> m_stock;
    // The entries of each 编号, and of each 零件名称 and 车型, in stock order.
    std::map<wxString, std::vector<size_t>> m_byCode;
    std::map<std::pair<wxString, wxString>, std::vector<size_t>> m_byName;
};

// Saves a batch inside an open transaction; throws ado::ComError when it failed.
void SaveBatch(ado::Recordset& rs, const wxString& table);
// Makes the tables plain for one transaction and defers their encryption to its end.
void PrepareTables(std::initializer_list<const char*> tables);

} // namespace parts
