// Spreading stock-in lines over warehouses and bins.
#include "parts/bin_allocation.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <gtest/gtest.h>

using namespace parts;

namespace {

StockEntry InStock(const char* code, const char* bin) {
    StockEntry e;
    e.code = U(code);
    e.name = U("滤芯");
    e.bin = U(bin);
    e.quantity = 1;
    return e;
}

PartLine Line(double quantity, std::vector<std::optional<double>> stores, const char* bin = "") {
    PartLine line;
    line.code = "P1";
    line.name = U("滤芯");
    line.quantity = quantity;
    line.stores = std::move(stores);
    line.bin = U(bin);
    return line;
}

struct Row {
    wxString bin;
    double quantity;
    bool operator==(const Row& o) const { return bin == o.bin && quantity == o.quantity; }
};

std::vector<Row> Rows(const std::vector<PartLine>& lines) {
    std::vector<Row> rows;
    for (const PartLine& l : lines)
        rows.push_back({l.bin, l.quantity.value_or(-1)});
    return rows;
}

} // namespace

TEST(BinAllocation, EachWarehouseAndTheRestGetARowWithAnExistingBin) {
    const std::vector<wxString> stores = {U("一库"), U("二库"), U("三库")};
    const std::vector<StockEntry> stock = {InStock("P1", "一库A-01"), InStock("P1", "三库C-07"),
                                           InStock("P2", "二库B-01")};
    const struct {
        const char* what;
        PartLine line;
        std::vector<wxString> stores;
        std::vector<Row> rows;
    } cases[] = {
        {"6 and 2, the rest to the warehouse after",
         Line(10, {6.0, 2.0, std::nullopt}),
         stores,
         {{U("一库A-01"), 6}, {U("二库"), 2}, {U("三库C-07"), 2}}},
        {"6 in the last warehouse, the rest keeps the line's bin",
         Line(10, {std::nullopt, std::nullopt, 6.0}, "D-1"),
         stores,
         {{U("三库C-07"), 6}, {U("D-1"), 4}}},
        {"no warehouse quantities and no bin: the bin of the stock",
         Line(5, {std::nullopt, std::nullopt, std::nullopt}),
         stores,
         {{U("一库A-01"), 5}}},
        {"no warehouses: any bin of the stock replaces the line's",
         Line(5, {}, "B-02"),
         {},
         {{U("一库A-01"), 5}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Rows(AllocateBins({c.line}, c.stores, stock)), c.rows);
    }
}

TEST(BinAllocation, MoreInTheWarehousesThanTheLineIsReported) {
    platform::ScriptedMessageBoxes boxes;
    const auto rows = AllocateBins({Line(5, {4.0, 3.0})}, {U("一库"), U("二库")}, {});
    EXPECT_EQ(Rows(rows), (std::vector<Row>{{U("一库"), 4}, {U("二库"), 3}}));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"入库总数量与库房分配数量不相符!"});
}
