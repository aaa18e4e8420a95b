#include "parts/sales_pricing.h"

namespace parts {

namespace {
constexpr double kMostSold = 99999;
}

const char* SalesPriceField(bool wholesale, bool threeLevels, const wxString& level) {
    if (!wholesale) return "零售价";
    return threeLevels && level.Contains("1") ? "代理价" : "批发价";
}

SalesLinePrice PriceSalesLine(const SalesLine& line) {
    SalesLinePrice result;
    work::LineValues values = line.values;
    if (!line.dealNull && line.deal != 0) {
        values.price = line.deal;
        values.priceNull = false;
        values.mark = "N";
    }
    if (values.quantityNull || values.priceNull) return result;
    result.priced = true;
    result.deal = work::DealPrice(values);
    result.amount = work::LineAmount(values);
    const work::LineMark mark = work::MarkOf(values.mark);
    result.counted = mark != work::LineMark::Warranty && mark != work::LineMark::Gift;
    return result;
}

double SalesTotal(const std::vector<SalesLine>& lines) {
    money::Fen total = 0;
    for (const SalesLine& line : lines) {
        const SalesLinePrice price = PriceSalesLine(line);
        if (price.counted) total += money::FromYuan(price.amount);
    }
    return money::ToYuan(total);
}

wxString QuantityRefusal(double quantity) {
    if (quantity < 0) return wxString::FromUTF8("数量不能小于0！");
    if (quantity > kMostSold) return wxString::FromUTF8("数量太大,请重新输入！");
    return wxString();
}

} // namespace parts
