#include "office/statistics_templates.h"

#include <iterator>

namespace {

#define DATES "日期>={^ReplaceStr} and 日期<={^ReplaceStr1}"
// Parts only: labour items of wxxm are not stock.
#define NOT_LABOUR "项目名称 not in(select distinct 项目名称 from wxxm where 项目名称 IS NOT NULL)"
// Sales lines of parts the stock table knows. Tested as a set, not joined: a join with
// one stock row per bin would repeat every line once per bin.
#define IN_STOCK "编号 in(select 编号 from ljkc)"

const StatisticsTemplates kTemplates[] = {
    {1,
     "select 供应商,车型,零件名称,编号,厂牌,数量,进价,数量*进价 AS 金额,日期,备注,no from jhda "
     "where " DATES " order by 供应商",
     "select 供应商,sum(数量*进价) AS 金额,min(日期) as 区段首次,max(日期) as 最后一次,no from "
     "jhda where " DATES " group by 供应商",
     "select 供应商,车型,零件名称,编号,厂牌,数量,进价,数量*进价 AS 金额,日期,备注,no from jhda "
     "where 供应商=ReplaceStr and " DATES " order by 供应商",
     "select 定货单,供应商,sum(数量*进价) AS 金额,日期,no from jhda where 供应商=ReplaceStr "
     "and " DATES " group by 定货单"},
    {2,
     "select 客户,车型,项目名称,编号,厂牌,数量,单价,数量*单价 AS 金额,日期,备注,no from ljsh "
     "where flag='P' and " DATES " order by 客户",
     "select 客户,sum(数量*单价) AS 金额,min(日期) as 区段首次,max(日期) as 最后一次,no from ljsh "
     "where flag='P' and " DATES " group by 客户",
     "select 客户,车型,项目名称,编号,厂牌,数量,单价,数量*单价 AS 金额,日期,备注,no from ljsh "
     "where flag='P' and 客户=ReplaceStr and " DATES " order by 客户",
     "select 客户,sum(数量*单价) AS 金额,日期,no from ljsh where flag='P' and 客户=ReplaceStr "
     "and " DATES " group by 单据号"},
    {3,
     "select 客户 as 车牌号码,车型,项目名称,编号,厂牌,数量,单价,数量*单价 AS 金额,日期,备注,no "
     "from ljsh where flag='W' and " DATES " order by 客户",
     "select 客户 as 车牌号码,sum(数量*单价) AS 金额,min(日期) as 区段首次,max(日期) as "
     "最后一次,no "
     "from ljsh where flag='W' and " DATES " group by 客户",
     "select 客户 as 车牌号码,车型,项目名称,编号,厂牌,数量,单价,数量*单价 AS 金额,日期,备注,no "
     "from ljsh where flag='W' and 客户=ReplaceStr and " DATES " order by 客户",
     "select 客户 as 车牌号码,sum(数量*单价) AS 金额,日期,no from ljsh where flag='W' and "
     "客户=ReplaceStr and " DATES " group by 单据号"},
    {4,
     "select 客户 as 车牌号码,ljsh.项目名称,数量,日期,单价,ljsh.备注,hyzl.卡类别,办卡日期,有效期,"
     "hyxm.no from ljsh,hyxm,hyzl where flag='W' and 客户=车牌号码 and ljsh.项目名称=hyxm.项目名称 "
     "and hyxm.卡类别=hyzl.卡类别 and " DATES
     " and 日期>=办卡日期 and 日期<=有效期 order by ljsh.客户",
     "select 客户 as 车牌号码,ljsh.项目名称,sum(数量) as 完成次数,日期,单价,hyzl.卡类别,办卡日期,"
     "有效期,min(日期) as 区段首次,max(日期) as 最后一次,hyxm.no from ljsh,hyxm,hyzl where "
     "flag='W' and 客户=车牌号码 and ljsh.项目名称=hyxm.项目名称 and hyxm.卡类别=hyzl.卡类别 "
     "and " DATES " and 日期>=办卡日期 and 日期<=有效期 group by ljsh.客户,ljsh.项目名称",
     "select 客户 as 车牌号码,ljsh.项目名称,数量,日期,单价,ljsh.备注,hyzl.卡类别,办卡日期,有效期,"
     "hyzl.no from ljsh,hyxm,hyzl where flag='W' and hyxm.卡类别=ReplaceStr and 客户=车牌号码 and "
     "ljsh.项目名称=hyxm.项目名称 and hyxm.卡类别=hyzl.卡类别 and " DATES
     " and 日期>=办卡日期 and 日期<=有效期 order by ljsh.客户",
     "select 客户 as 车牌号码,ljsh.项目名称,sum(数量) as 完成次数,日期,单价,hyzl.卡类别,办卡日期,"
     "有效期,hyzl.no from ljsh,hyxm,hyzl where flag='W' and hyxm.卡类别=ReplaceStr and "
     "客户=车牌号码 and ljsh.项目名称=hyxm.项目名称 and hyxm.卡类别=hyzl.卡类别 and " DATES
     " and 日期>=办卡日期 and 日期<=有效期 group by ljsh.客户,ljsh.项目名称"},
    {5, "select 单位,类别,方式,金额,来源,日期,备注,no from wlzm where " DATES " order by 单位,类别",
     "select 单位,类别,sum(金额) AS 金额,min(日期) as 区段首次,max(日期) as 最后一次,no from wlzm "
     "where " DATES " group by 单位,类别",
     "select 单位,类别,方式,金额,来源,日期,备注,no from wlzm where 单位=ReplaceStr and " DATES
     " order by 类别,日期",
     "select 单位,类别,sum(金额) AS 金额,no from wlzm where 单位=ReplaceStr and " DATES
     " group by 类别"},
    {6,
     "select 业务 AS 姓名,项目名称,编号,厂牌,数量,单价,数量*单价 AS 金额,日期,备注,no from ljsh "
     "where " DATES " order by 业务",
     "select 业务 AS 姓名,sum(数量*单价) AS 金额,min(日期) as 区段首次,max(日期) as 最后一次,no "
     "from ljsh where " DATES " group by 业务",
     "select 业务 AS 姓名,项目名称,编号,厂牌,数量,单价,数量*单价 AS 金额,日期,备注,no from ljsh "
     "where 业务=ReplaceStr and " DATES " order by 业务",
     "select 业务 AS 姓名,sum(数量*单价) AS 金额,日期,no from ljsh where 业务=ReplaceStr and " DATES
     " group by 日期"},
    {7,
     "select 车型,项目名称,编号,厂牌,数量 AS 销售数量,日期,备注,no from ljsh where " IN_STOCK
     " and " NOT_LABOUR " and " DATES " order by 车型,编号,厂牌,项目名称",
     "select 车型,项目名称,编号,厂牌,sum(数量) AS 销售数量,数量 AS 库存量,数量 AS 实际数量,"
     "min(日期) as 区段首次,max(日期) as 最后一次,no from ljsh where " IN_STOCK " and " NOT_LABOUR
     " and " DATES " group by 车型,编号",
     "select 车型,项目名称,编号,厂牌,数量 AS 销售数量,日期,备注,no from ljsh where "
     "项目名称=ReplaceStr and " DATES " order by 车型,编号,厂牌",
     "select 车型,项目名称,编号,厂牌,sum(数量) AS 销售数量,数量 AS 库存量,数量 AS 实际数量,no "
     "from ljsh where 项目名称=ReplaceStr and " DATES " group by 编号"},
    {8,
     "select 车型,项目名称,编号,厂牌,数量 AS 销售数量,日期,备注,no from ljsh where " IN_STOCK
     " and " NOT_LABOUR " and " DATES " order by 车型,编号,厂牌,项目名称",
     "select 车型,项目名称,编号,厂牌,sum(数量) AS 销售数量,数量 AS 库存量,数量 AS 实际数量,"
     "min(日期) as 区段首次,max(日期) as 最后一次,no from ljsh where " IN_STOCK " and " NOT_LABOUR
     " and " DATES " group by 车型,编号",
     "select 车型,项目名称,编号,厂牌,数量 AS 销售数量,日期,备注,no from ljsh where "
     "项目名称=ReplaceStr and 项目名称 in(select 零件名称 from ljkc) and " DATES
     " order by 车型,编号,厂牌,项目名称",
     "select 车型,项目名称,编号,厂牌,sum(数量) AS 销售数量,数量 AS 库存量,数量 AS 实际数量,no "
     "from ljsh where 项目名称=ReplaceStr and 项目名称 in(select 零件名称 from ljkc) and " DATES
     " group by 车型,编号,厂牌,项目名称"},
    {9,
     "select 客户,车型,项目名称,编号,单价,数量,厂牌,日期,备注,no from ljsh where " DATES
     " order by 日期",
     "select 客户,sum(数量*单价) AS 金额,日期,no from ljsh where " DATES " group by  客户", nullptr,
     nullptr},
    {10,
     "select 客户,车型,项目名称,编号,单价 as 售价,进价 as 成本,数量,(单价-进价)*数量 as 毛利,业务 "
     "as "
     "业务员,日期,备注,no from ljsh where " DATES " order by 日期",
     nullptr, nullptr, nullptr},
    {11,
     "select 业务 AS 姓名,项目名称,编号,厂牌,数量,单价,数量*单价 AS 金额,(单价-进价)*数量 AS 提成,"
     "日期,备注,flag,no from ljsh where " DATES " order by 业务",
     nullptr,
     "select 业务 AS 姓名,项目名称,编号,厂牌,数量,单价,数量*单价 AS 金额,(单价-进价)*数量 AS 提成,"
     "日期,备注,flag,no from ljsh where 业务=ReplaceStr and " DATES " order by 业务",
     nullptr},
    {13,
     "select 供应商,车型,零件名称,编号,厂牌,数量,进价,数量*进价 AS 金额,日期,备注,no from dhd "
     "where " DATES " order by 供应商",
     "select 供应商,sum(数量*进价) AS 金额,min(日期) as 区段首次,max(日期) as 最后一次,no from dhd "
     "where " DATES " group by 供应商",
     "select 供应商,车型,零件名称,编号,厂牌,数量,进价,数量*进价 AS 金额,日期,备注,no from dhd "
     "where 供应商=ReplaceStr and " DATES " order by 供应商",
     "select 定货单,供应商,sum(数量*进价) AS 金额,日期,no from dhd where 供应商=ReplaceStr "
     "and " DATES " group by 定货单"},
};

} // namespace

const StatisticsTemplates* FindStatisticsTemplates(int mode) {
    for (const StatisticsTemplates& entry : kTemplates)
        if (entry.mode == mode) return &entry;
    return nullptr;
}

namespace statistics_sql {

#define PROFIT_SUMS "sum(单价*数量) as 营业额,sum(进价*数量) as 成本,sum((单价-进价)*数量) as 毛利"
#define SETTLED_VEHICLES "单位 IN(select distinct 车牌号码 from gk where 结算单位=ReplaceStr)"

const char* const kDebtUnitsDetail =
    "select 单位,类别,方式,金额,来源,日期,备注,no from wlzm where " SETTLED_VEHICLES " and " DATES
    " order by 类别,日期";
const char* const kDebtUnitsSummary =
    "select 单位,类别,sum(金额) AS 金额,no from wlzm where " SETTLED_VEHICLES " and " DATES
    " group by 单位,类别";
const char* const kSettlementTest = "select 车牌号码 from gk where 结算单位=ReplaceStr";

// The staff of a department, as a set: a join with ygk would repeat lines for a name
// listed twice, and without departments it would have no condition at all.
const char* const kProfitDetailOne = "select 客户,车型,项目名称,编号,单价 as 售价,进价 as "
                                     "成本,数量,(单价-进价)*数量 as 毛利,业务 as "
                                     "业务员,日期,备注,no from ljsh where 业务 in(select 姓名 from "
                                     "ygk where 部门=ReplaceStr) and " DATES " order by 日期";
const char* const kProfitSummaryDepartments =
    "select 部门," PROFIT_SUMS ",ljsh.no from ljsh,ygk where 业务=姓名 and " DATES " group by 部门";
const char* const kProfitSummaryOutsiders =
    "select 业务 as 部门," PROFIT_SUMS ",ljsh.no from ljsh where 业务 NOT IN(select distinct 姓名 "
    "from ygk where 姓名 IS NOT NULL) AND 业务 IS NOT NULL and 业务!='' and " DATES
    " group by 业务";
// A blank salesperson is as absent as a null one; flag names the kind of the lines.
const char* const kProfitSummaryNobody =
    "select 业务 as 部门," PROFIT_SUMS ",flag,ljsh.no from ljsh where (业务 IS NULL or 业务='') "
    "and " DATES " group by flag";
const char* const kProfitSummaryOne =
    "select 部门," PROFIT_SUMS ",ljsh.no from ljsh,ygk where 部门=ReplaceStr and 业务=姓名 "
    "and " DATES " group by 部门";
const char* const kProfitSummaryPeriod =
    "select " PROFIT_SUMS ",ljsh.no from ljsh where " DATES " having count(*)>0";
const char* const kDepartments =
    "select distinct 部门 from ygk where 部门 IS NOT NULL and 部门!=''";

#define COMMISSION_COLUMNS                                                                                               \
    "select 业务 AS 姓名,sum(数量*单价) AS 金额,(单价-进价)*数量 AS 提成,min(日期) as 区段首次," \
    "max(日期) as 最后一次,厂牌,flag,no from ljsh where " DATES " and "
#define COMMISSION_ONE_COLUMNS                                                                                          \
    "select 业务 AS 姓名,sum(数量*单价) AS 金额,(单价-进价)*数量 AS 提成,日期,厂牌,flag,no from " \
    "ljsh where 业务=ReplaceStr and "
#define LABOUR "厂牌='维修项目' and flag='W'"
#define OTHER_REPAIR "(厂牌!='维修项目' OR 厂牌 IS NULL) and flag='W'"

const char* const kCommissionSummary[3] = {
    COMMISSION_COLUMNS "flag='P' group by 业务",
    COMMISSION_COLUMNS LABOUR " group by 业务",
    COMMISSION_COLUMNS OTHER_REPAIR " group by 业务",
};
const char* const kCommissionSummaryOne[3] = {
    COMMISSION_ONE_COLUMNS "flag='P' and " DATES " group by 日期",
    COMMISSION_ONE_COLUMNS LABOUR " and " DATES " group by 日期",
    COMMISSION_ONE_COLUMNS OTHER_REPAIR " and " DATES " group by 日期",
};

const char* const kStockTotals = "select 车型,零件名称,编号,厂牌,sum(数量) as 库存量,no from ljkc";

} // namespace statistics_sql
