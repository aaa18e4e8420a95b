#include "work/binding_checks.h"

#include "data/data_set.h"
#include "data/record_fields.h"
#include "platform/wx_text.h"

#include <algorithm>
#include <cmath>

namespace work {
namespace {} // namespace

wxString BindRefusal(const std::vector<wxString>& pageTitles, const wxString& key) {
    if (pageTitles.size() >= kMaxWorkPages)
        return U("桌面上工作页面太多，请放弃或挂起部分页面后再试。");
    if (std::find(pageTitles.begin(), pageTitles.end(), key) != pageTitles.end())
        return U("已有该车的工作页面！");
    return wxString();
}

wxString PickerTextRefusal(const wxString& typed) {
    return typed.Contains("'") ? U("  不能用单引号！") : wxString();
}

wxString MemberCardNotice(const wxString& cardType, const wxDateTime& expiry,
                          const wxDateTime& now) {
    if (!expiry.IsValid()) return wxString();
    wxDateTime day = expiry;
    day.ResetTime();
    const wxLongLong seconds = (now - day).GetSeconds();
    const wxLongLong limit = 30LL * 24 * 3600;
    if (seconds >= limit || seconds <= -limit) return wxString();
    wxString type = cardType;
    type.Trim(true);
    return type + U("有效期") + ":" + day.Format("%Y-%m-%d");
}

wxString AppendCardType(const wxString& remark, const wxString& cardType) {
    wxString text = remark, type = cardType;
    text.Trim(true);
    type.Trim(true);
    return type.empty() || text.Contains(type) ? text : text + type;
}

BalanceSummary SummariseBalances(const PartnerSums& sums) {
    struct Item {
        const char* name;
        double sum;
        const char* gap;
    } items[] = {{"应收款", sums.receivables, "  "},
                 {"应付款", sums.payables, " "},
                 {"预收款", sums.advances, " "},
                 {"预付款", sums.prepaid, " "}};
    BalanceSummary summary;
    for (const Item& item : items)
        if (money::FromYuan(item.sum) > 0)
            summary.message += U(item.name) + ":" + MoneyText(item.sum) + U(item.gap);
    if (!summary.message.empty())
        summary.net =
            money::ToYuan(money::FromYuan(sums.payables) + money::FromYuan(sums.advances) -
                          money::FromYuan(sums.receivables) - money::FromYuan(sums.prepaid));
    return summary;
}

} // namespace work
