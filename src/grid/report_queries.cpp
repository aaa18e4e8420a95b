#include "grid/report_queries.h"
#include "platform/wx_text.h"

#include <map>

const std::vector<wxString>& ReportNames() {
    static const std::vector<wxString> names = [] {
        const char* const list[] = {
            "定货单",       "入库单",     "会员项目表", "零件售货单", "维修清单",   "保养到期表",
            "保养车辆",     "年审车辆",   "生日客户",   "零件退货",   "工时费",     "关联项目表",
            "警戒量设置",   "零件缺货",   "零件溢出",   "零件库存",   "进货汇总表", "进货报表",
            "售货汇总表",   "售货报表",   "维修汇总表", "维修报表",   "应收款汇总", "应收款报表",
            "住来帐目表",   "业绩汇总表", "员工业绩表", "售盘点汇总", "售货盘点表", "盘点汇总表",
            "库存盘点表",   "进度汇总表", "会员进度表", "营业汇总表", "营业清单",   "利润汇总表",
            "利润清单",     "成本数量单", "配件客户",   "配件供应商", "维修客户",   "维修客户预警",
            "配件客户预警", "跟踪服务",   "零件调拨",   "退出记录",   "零件货源库", "零件目录",
            "保养项目表",   "价格库",     "不打折项目", "员工库资料", "简码表",     "同名零件",
            "图片库",       "收支流水帐", "收支记录",   "固定资产",   "员工提成表", "提成明细表",
        };
        std::vector<wxString> out;
        for (const char* name : list)
            out.push_back(U(name));
        return out;
    }();
    return names;
}

namespace {

std::function<wxString()>& StockInReportSql() {
    static std::function<wxString()> build;
    return build;
}

} // namespace

void SetStockInReportSql(std::function<wxString()> build) {
    StockInReportSql() = std::move(build);
}

wxString FixedReportSql(const wxString& reportName) {
    static const std::map<wxString, wxString> queries = {
        {U("成本数量单"),
         U("select 车型,项目名称,编号,(单价*折扣*0.01) as "
           "单价,进价,数量,(单价*折扣*0.01-进价)*数量 "
           "as 毛利,厂牌,备注,折扣 from zyxm where 客户='ReplaceStr' and flag='ReplaceStr1'")},
        {U("进货报表"), U("select 供应商,车型,零件名称,编号,厂牌,数量,进价,数量*进价 AS "
                          "金额,日期,备注,no from jhda "
                          "where 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} order by 供应商")},
        {U("住来帐目表"),
         U("select 类别,sum(金额) as 金额,单位 from wlzm group by 类别 where no>0")},
        {U("年审车辆"),
         U("select 车牌号码,车主姓名,性别,单位电话,住宅电话,手机,邮编,单位,地址,标致 from gk")},
        {U("同名零件"), U("select 项目名称,等同名 from tmlj")},
    };
    auto found = queries.find(reportName);
    if (found != queries.end()) return found->second;
    if (reportName == U("保养车辆")) return FixedReportSql(U("保养到期表"));
    if (reportName == U("入库单") && StockInReportSql()) return StockInReportSql()();
    return wxString();
}

wxString ReportFieldTable(const wxString& reportName) {
    static const std::map<wxString, wxString> tables = {{U("会员项目表"), "hyxm"},
                                                        {U("工时费"), "wxxm"},
                                                        {U("关联项目表"), "gdxm"},
                                                        {U("警戒量设置"), "jjl"}};
    auto found = tables.find(reportName);
    return found == tables.end() ? wxString() : found->second;
}

std::vector<wxString> QueryItems(const wxString& sql) {
    std::vector<wxString> items;
    const wxString lower = sql.Lower();
    const int select = lower.Find("select");
    const int from = lower.Find(" from ");
    if (select == wxNOT_FOUND || from == wxNOT_FOUND || from < select) return items;
    const wxString list = sql.Mid(select + 6, from - select - 6);
    size_t start = 0;
    for (size_t comma = list.find(',');; comma = list.find(',', start)) {
        items.push_back(list.Mid(start, comma == wxString::npos ? wxString::npos : comma - start));
        if (comma == wxString::npos) break;
        start = comma + 1;
    }
    return items;
}

wxString ItemColumnName(const wxString& item) {
    wxString name = item;
    int alias = name.Find(" AS ");
    if (alias == wxNOT_FOUND) alias = name.Find(" as ");
    if (alias != wxNOT_FOUND)
        name = name.Mid(alias + 4);
    else if (name.Find('.') != wxNOT_FOUND)
        name = name.AfterLast('.');
    name.Trim(true).Trim(false);
    if (name == "no" || name == "*") return wxString();
    return name;
}
