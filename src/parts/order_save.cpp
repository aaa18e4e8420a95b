#include "parts/order_save.h"

#include "app/ledger_posting.h"
#include "data/data_set.h"
#include "data/data_transaction.h"
#include "parts/purchase_pricing.h"
#include "parts/stock_in.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

namespace parts {
namespace {

// New lines that name no part: one left as 新增 made it is dropped; one with something
// typed into it is refused (false), as an order cannot ask a supplier for it.
bool DropBlankLines(ado::Recordset& rs) {
    if (rs.RecordCount() <= 0) return true;
    std::vector<ado::Variant> blank;
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext()) {
        if (Number(rs, "no").value_or(-1) >= 0) continue;
        const PartLine line = ReadLine(rs);
        if (!line.code.empty() || !line.name.empty()) continue;
        if (!line.model.empty() || !line.position.empty() || !line.unit.empty() ||
            !line.brand.empty() || !line.remark.empty() || line.cost) {
            platform::ShowMessageBox(
                U("定货单中有没有编号和零件名称的行，请改正后再存档。").utf8_string());
            return false;
        }
        blank.push_back(rs.Bookmark());
    }
    for (const ado::Variant& line : blank) {
        rs.PutBookmark(line);
        rs.Delete();
    }
    return true;
}

} // namespace

bool SaveOrder(const ado::RecordsetPtr& rs, const std::vector<PartLine>& order,
               const wxString& total, const wxString& orderNumber, CMainFrameData& frame) {
    if (!DropBlankLines(*rs)) return false;
    const bool ask = !(total == "0" || total == "0.00" || total.empty());
    const bool post =
        ask && platform::ShowMessageBox(U("货款是否保存到应付款记录中去？").utf8_string(),
                                        std::string(), platform::MB_YESNO) == platform::IDYES;
    try {
        CDataTransaction transaction;
        PrepareTables({"dhd", "wlzm"});
        CDataSet data;
        data.NumberRows(rs, "dhd");
        SaveBatch(*rs, "dhd");
        if (post) {
            // Each supplier is owed for its own lines.
            CLedgerPosting ledger(frame);
            bool unnamed = false;
            for (const auto& [supplier, amount] : SupplierAmounts(order)) {
                if (supplier.empty()) {
                    unnamed = amount != 0;
                    continue;
                }
                if (!ledger.PostPartnerEntry(supplier, wxString(), U("应付款"), MoneyText(amount),
                                             U("入帐"), U("配件"), orderNumber))
                    throw ado::ComError(ado::E_FAIL, "wlzm");
            }
            if (unnamed)
                platform::ShowMessageBox(U("没有供应商的零件货款没有记入应付款。").utf8_string());
        }
        transaction.Commit();
        return true;
    } catch (const std::exception& error) {
        platform::AppendLog(std::string("order not saved: ") + error.what());
        platform::ShowMessageBox(
            CDataTransaction::FailureText(U("定货单没有存档，所有数据都保持原样。"), error)
                .utf8_string());
    }
    return false;
}

} // namespace parts
