#include "parts/transfer.h"

#include "data/data_set.h"
#include "parts/stock_in.h"
#include "platform/gbk.h"
#include "platform/wx_text.h"

#include <algorithm>
#include <wx/datetime.h>

namespace parts {

wxString OperatorName(const wxString& rights) {
    return wxString::FromUTF8(platform::CutToGbkBytes(rights.BeforeFirst(',').utf8_string(), 12));
}

wxString TransferRefusal(const std::vector<PartLine>& lines, const std::vector<StockEntry>& stock) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const PartLine& line = lines[i];
        const wxString row = wxString::Format("%zu", i + 1);
        wxString code = line.code, name = line.name;
        code.Trim(true).Trim(false);
        name.Trim(true).Trim(false);
        const bool byCode = !code.empty();
        const wxString key = byCode ? code : name;
        if (key.empty())
            return U("第") + row + U("行没有零件，请填写编号或零件名称。调拨没有存档。");
        const bool held = std::any_of(stock.begin(), stock.end(), [&](const StockEntry& entry) {
            return !entry.deleted && wxString(byCode ? entry.code : entry.name).Trim(true) == key;
        });
        if (!held)
            return U("第") + row + U("行的零件“") + key +
                   U("”不在库存中，不能调拨。调拨没有存档。");
    }
    return wxString();
}

void CompleteFromStock(std::vector<PartLine>& lines, const std::vector<StockEntry>& stock) {
    for (PartLine& line : lines) {
        wxString code = line.code;
        if (code.Trim(true).Trim(false).empty()) continue;
        const auto entry = std::find_if(stock.begin(), stock.end(), [&](const StockEntry& row) {
            return !row.deleted && wxString(row.code).Trim(true) == code;
        });
        if (entry == stock.end()) continue;
        for (auto [field, value] :
             {std::pair{&line.name, &entry->name}, std::pair{&line.model, &entry->model},
              std::pair{&line.brand, &entry->brand}})
            if (field->empty()) *field = wxString(*value).Trim(true);
    }
}

void WriteTransferRecords(const std::vector<PartLine>& lines, const wxString& destination,
                          const wxString& operatorName) {
    CDataSet data;
    data.Open(U("select 车型,部位,零件名称,编号,单位,厂牌,数量,进价,货位,调拨去向,供应商,备注,日期,"
                "操作员,定货单,no from LJDB where no=0"));
    if (!data.IsOpen()) throw ado::ComError(ado::E_FAIL, "LJDB");
    ado::Recordset& rs = *data.m_pRecordset;
    const wxString today = wxDateTime::Today().Format("%Y-%m-%d");
    for (const PartLine& line : lines) {
        rs.AddNew();
        WriteLine(rs, line);
        PutText(rs, "调拨去向", destination);
        PutText(rs, "日期", today);
        PutText(rs, "操作员", operatorName);
    }
    data.NumberRows(data.m_pRecordset, "LJDB");
    SaveBatch(rs, "LJDB");
}

} // namespace parts
