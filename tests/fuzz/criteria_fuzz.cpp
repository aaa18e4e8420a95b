// libFuzzer target: the Find and Filter criteria parser and its matcher. Anything
// but a clean ComError is a finding.
#include "ado/com_error.h"
#include "ado/criteria.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<ado::ColumnInfo> columns = [] {
        std::vector<ado::ColumnInfo> c(4);
        c[0].name = "编号", c[0].type = ado::adChar, c[0].definedSize = 10;
        c[1].name = "数量", c[1].type = ado::adNumeric, c[1].precision = 10, c[1].scale = 2;
        c[2].name = "日期", c[2].type = ado::adDBDate;
        c[3].name = "no", c[3].type = ado::adInteger;
        return c;
    }();
    static const std::vector<foxdb::Value> row = {std::string("A001      "), 12.5,
                                                  foxdb::Date{2461000}, int64_t(7)};
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (bool single : {false, true}) {
        try {
            ado::Criteria::Parse(text, columns, single)->Matches(row);
        } catch (const ado::ComError&) {
        }
    }
    return 0;
}
