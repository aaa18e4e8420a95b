#include "parts/assembly.h"

#include "data/data_set.h"
#include "parts/stock_in.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

namespace parts {
namespace {

wxString PartListStatement(const Assembly& assembly) {
    if (!assembly.code.empty())
        return U("select * from ljzc where ") + CSqlText::Equals(U("总成编号"), assembly.code);
    return U("select * from ljzc where ") + CSqlText::Equals(U("总成项目"), assembly.name) +
           U(" and ") + CSqlText::Equals(U("车型"), assembly.model);
}

work::TakeOutPolicy SingleItem() {
    work::TakeOutPolicy policy;
    policy.noOwnBin = true;
    return policy;
}

} // namespace

std::vector<PartLine> CAssemblyWork::PartList(const Assembly& assembly) {
    std::vector<PartLine> parts;
    CDataSet data;
    data.Open(PartListStatement(assembly));
    if (!data.IsOpen()) return parts;
    ado::Recordset& rs = *data.m_pRecordset;
    if (rs.RecordCount() > 0)
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
            PartLine line;
            line.code = Text(rs, "编号");
            line.name = Text(rs, "零件名称");
            line.model = Text(rs, "车型");
            line.remark = Text(rs, "备注");
            line.quantity = Number(rs, "数量").value_or(0);
            parts.push_back(line);
        }
    return parts;
}

bool CAssemblyWork::EnoughOrIgnored(const Assembly& assembly, int n, bool* noStockRecord) {
    *noStockRecord = false;
    if (assembly.code.empty() && assembly.name.empty()) return true;
    CDataSet data;
    data.Open(U("select 零件名称,编号,SUM(数量) AS 数量,车型 from ljkc where ") +
              (assembly.code.empty() ? CSqlText::Equals(U("零件名称"), assembly.name)
                                     : CSqlText::Equals(U("编号"), assembly.code)) +
              U(" group by 编号,零件名称,车型"));
    if (!data.IsOpen()) return false;
    ado::Recordset& rs = *data.m_pRecordset;
    double total = 0;
    if (rs.RecordCount() <= 0) {
        *noStockRecord = true;
    } else {
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
            if (!assembly.code.empty() || Text(rs, "车型") == assembly.model)
                total += Number(rs, "数量").value_or(0);
    }
    if (n <= total) return true;
    return m_questions.Ask(U("“") + assembly.name + U("”的库存量不够,是否忽略?"), false) ==
           work::TakeOutQuestions::Yes;
}

std::optional<std::vector<PartLine>> CAssemblyWork::Split(const Assembly& assembly, int n,
                                                          const std::function<bool()>& confirm) {
    bool noStockRecord = false;
    if (!EnoughOrIgnored(assembly, n, &noStockRecord)) return std::nullopt;
    if (confirm && !confirm()) return std::nullopt;
    std::vector<PartLine> parts = PartList(assembly);
    if (parts.empty()) {
        platform::ShowMessageBox(
            (U("“") + assembly.name + U("”没有零件清单，不能拆零。")).utf8_string());
        return std::nullopt;
    }
    if (!noStockRecord) {
        CStockIn stock(StockInOptions{});
        PartLine item;
        item.code = assembly.code;
        item.name = assembly.name;
        item.model = assembly.model;
        item.quantity = n;
        CStockIn::Records records;
        records.stockIn = false;
        records.failure = U("拆零没有完成，库存保持原样。");
        if (!stock.Open() || !stock.TakeOut({item}, m_questions, SingleItem()) ||
            !stock.Store({}, records))
            return std::nullopt;
    }
    for (PartLine& part : parts)
        part.quantity = n * part.quantity.value_or(0);
    return parts;
}

std::optional<std::vector<PartLine>> CAssemblyWork::Assemble(const Assembly& assembly, int n,
                                                             const std::function<bool()>& confirm) {
    if (confirm && !confirm()) return std::nullopt;
    std::vector<PartLine> parts = PartList(assembly);
    if (parts.empty()) {
        platform::ShowMessageBox(
            (U("“") + assembly.name + U("”没有零件清单，不能组装。")).utf8_string());
        return std::nullopt;
    }
    for (PartLine& part : parts)
        part.quantity = n * part.quantity.value_or(0);
    CStockIn stock(StockInOptions{});
    CStockIn::Records records;
    records.stockIn = false;
    records.failure = U("组装没有完成，库存保持原样。");
    if (!stock.Open() || !stock.TakeOut(parts, m_questions, SingleItem()) ||
        !stock.Store({}, records))
        return std::nullopt;
    PartLine line;
    line.code = assembly.code;
    line.name = assembly.name;
    line.model = assembly.model;
    line.quantity = n;
    return std::vector<PartLine>{line};
}

void CAssemblyWork::FillFromStock(std::vector<PartLine>& lines) {
    CDataSet data;
    data.Open(U("select * from ljkc"));
    if (!data.IsOpen() || data.m_pRecordset->RecordCount() <= 0) return;
    ado::Recordset& rs = *data.m_pRecordset;
    for (PartLine& line : lines) {
        if (line.code.empty()) continue;
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
            if (Text(rs, "编号") != line.code) continue;
            line.position = Text(rs, "部位");
            line.brand = Text(rs, "厂牌");
            line.supplier = Text(rs, "供应商");
            line.cost = Number(rs, "进价");
            line.wholesale = Number(rs, "批发价");
            line.retail = Number(rs, "零售价");
            line.bin = Text(rs, "货位");
            break;
        }
    }
}

} // namespace parts
