// Every statement, template and fragment the program sends to its tables, filled
// the way the program fills them, runs on the catalogue tables.
#include "foxdb/sql_fixture.h"

namespace foxdb_test {
namespace {

const std::string kFrom = "2024-01-01", kTo = "2024-12-31", kToday = "2024-12-31";
const std::string kPlate = "京A12345", kBlank30(30, ' ');

std::string Dates(const std::string& t) {
    return ReplaceParams(t, kFrom, kTo);
}

std::vector<std::string> Statements() {
    const std::string stock =
        "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,进价 from ljkc";
    const std::string returns =
        "select 客户,车型,零件名称,编号,单价,单位,数量,货位,厂牌,折扣,日期,备注,供应商,no,"
        "单据号,进价,其它,补发日期,退出日期,flag,no1 from ljth";
    const std::string repairBase =
        "select 客户,车型,项目名称,编号,单价,数量,业务,码表,厂牌,其它,日期,备注,flag,"
        "no from ljsh order by 日期,客户 where flag='W' ";
    const std::string salesBase =
        "select 客户,车型,项目名称,编号,厂牌,单价,数量,备注,日期,业务,货位,折扣,单据号,"
        "合同号,flag,no from ljsh order by 日期,客户 where flag='P' ";
    const std::string costBase =
        "select 客户,车型,项目名称,编号,单价,进价,单位,数量,货位,厂牌,折扣,日期,备注,no "
        "from ljsh";
    const std::string balance =
        "select 类别,sum(金额) as 金额,单位 from wlzm group by 单位,类别 where "
        "ReplaceStr='ReplaceStr1'";
    const std::string overall =
        "select 类别,sum(金额) as 金额,单位 from wlzm group by 类别 where no>0";
    const std::string distinctT = "select distinct ReplaceStr from ReplaceStr1";
    const std::string starT = "select ReplaceStr from ReplaceStr1";
    const std::string whereT = "select * from ReplaceStr where ReplaceStr1";
    const std::string shortage =
        "select ljkc.车型,ljkc.零件名称,ljkc.编号,sum(ljkc.数量) as "
        "现有数量,警戒量,最大量-sum(数量) as "
        "缺货量,ljkc.no from ljkc,jjl where ljkc.编号=jjl.编号 and ljkc.编号!='ReplaceStr' and "
        "ljkc.编号 IS NOT NULL OR (ljkc.零件名称=jjl.零件名称 AND ljkc.车型=jjl.车型 AND "
        "(ljkc.编号=jjl.编号 AND (ljkc.编号='ReplaceStr1' OR ljkc.编号 IS NULL))) group by "
        "ljkc.编号,ljkc.零件名称,ljkc.车型 having (警戒量-sum(数量))>0 or 数量 IS NULL";
    const std::string shortage2 =
        "select ljkc.车型,ljkc.零件名称,ljkc.编号,sum(ljkc.数量) as "
        "现有数量,警戒量,最大量-sum(数量) as "
        "缺货量,ljkc.no from ljkc,jjl where (ljkc.编号=jjl.编号 and ljkc.编号='ReplaceStr' or "
        "ljkc.编号 IS NULL) and ljkc.车型=jjl.车型 and ljkc.零件名称=jjl.零件名称 group by "
        "ljkc.编号,ljkc.零件名称,ljkc.车型 having (警戒量-sum(数量))>0 or 数量 IS NULL";
    const std::string overflow =
        "select ljkc.车型,ljkc.零件名称,ljkc.编号,sum(ljkc.数量) as "
        "现有数量,最大量,sum(数量)-最大量 as "
        "溢出量,ljkc.no from ljkc,jjl where ljkc.编号=jjl.编号 and ljkc.编号!='ReplaceStr' and "
        "ljkc.编号 IS NOT NULL group by ljkc.编号,ljkc.零件名称,ljkc.车型 having "
        "(sum(数量)-最大量)>0";
    const std::string overflow2 =
        "select ljkc.车型,ljkc.零件名称,ljkc.编号,sum(ljkc.数量) as "
        "现有数量,最大量,sum(数量)-最大量 as "
        "溢出量,ljkc.no from ljkc,jjl where (ljkc.编号=jjl.编号 and ljkc.编号='ReplaceStr' or "
        "ljkc.编号 IS NULL) and ljkc.车型=jjl.车型 and ljkc.零件名称=jjl.零件名称 group by "
        "ljkc.编号,ljkc.零件名称,ljkc.车型 having (sum(数量)-最大量)>0";
    const std::string due =
        "select 客户 as 车牌号码,项目名称,MAX(码表) as 上次里程,MAX(日期) as "
        "上次日期,车主姓名,性别,单位电话,"
        "住宅电话,手机,gk.车型,邮编,gk.单位,地址,COUNT(*) as 次数,ljsh.标致 from ljsh,gk where "
        "车牌号码=客户 AND 项目名称 in(select 项目名称 from byxmb where 处理方法 like '%更换%') "
        "group by "
        "客户,项目名称 HAVING ((MAX(日期)-MIN(日期)))>0 and "
        "(({^ReplaceStr}-(MAX(日期))-(MAX(日期)-MIN(日期))/(COUNT(*))))>0";
    const std::string hints = "select zyxm.项目名称,更换间隔 as 保养里程,保养类 from "
                              "zyxm,byxmb,tmlj where  保养类='ReplaceStr' "
                              "and 客户='ReplaceStr' and (byxmb.项目名称=zyxm.项目名称 or "
                              "zyxm.项目名称=tmlj.项目名称 and "
                              "byxmb.项目名称=tmlj.等同名) and (zyxm.项目名称 in(select 项目名称 "
                              "from byxmb where 处理方法 "
                              "like '%更换%' and 保养类='ReplaceStr1') or "
                              "zyxm.项目名称=tmlj.项目名称) group by zyxm.项目名称";
    const std::string dueList =
        "select ljsh.项目名称,max(日期),码表,(byxmb.更换间隔+码表) as "
        "保养里程,单价,编号,byxmb.处理方法 "
        "from ljsh,byxmb,tmlj where flag='W' and (byxmb.项目名称=ljsh.项目名称 or "
        "ljsh.项目名称=tmlj.项目名称 and byxmb.项目名称=tmlj.等同名) and 保养类='ReplaceStr' and "
        "客户='ReplaceStr' and (ljsh.项目名称 in(select 项目名称 from byxmb where 处理方法 like "
        "'%更换%' and 保养类='ReplaceStr1') or ljsh.项目名称=tmlj.项目名称) group by ljsh.项目名称 "
        "order by 日期";
    const std::string members =
        "select 项目名称,编号,sum(次数) as 次数,hyzl.卡类别,min(办卡日期) as 办卡日期,max(有效期) "
        "as 有效期,"
        "折扣,手扣 from hyzl,hyxm where 车牌号码='ReplaceStr' and hyxm.卡类别=hyzl.卡类别 and "
        "hyzl.有效期>={^ReplaceStr1} group by 项目名称 order by 项目名称";
    const std::string used =
        "select distinct ljsh.项目名称,sum(数量) AS 完成次数,次数,hyzl.卡类别,办卡日期,有效期 from "
        "hyxm,ljsh,hyzl where 客户='ReplaceStr' and 客户=车牌号码 and 日期>=办卡日期 and "
        "日期<=有效期 "
        "and ljsh.项目名称=hyxm.项目名称 and hyxm.卡类别=hyzl.卡类别 group by 客户,ljsh.项目名称 "
        "order by 客户";
    const std::string followUp =
        "select 客户 as 车牌号码,项目名称,单价,码表 as 当时里程,日期,码表 as 最近里程,日期 as "
        "最近来访,车主姓名,"
        "性别,单位电话,住宅电话,手机,gk.车型 from ljsh,gk where 车牌号码=客户 and flag='W' and "
        "(项目名称='机油'  or 项目名称='刹车片' ) and 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} "
        "and "
        "单价>=0 and 单价<=1000 group by 客户,项目名称";
    const std::string warrantyCond =
        " 客户='ReplaceStr' and 厂牌='ReplaceStr1' and (日期>={^ReplaceStr} and "
        "日期<={^ReplaceStr1} or 日期 IS NULL) order by 日期";
    const std::string stockIn =
        "select 车型,部位,零件名称,编号,单位,数量,进价,代理价,批发价,零售价,零售价 as 小计,"
        "货位,厂牌,供应商,备注,定货单,no from ljkc where 编号='####Last####'";
    const std::string transfers =
        "select 车型,部位,零件名称,编号,单位,厂牌,数量,进价,货位,调拨去向,供应商,备注,日期,"
        "操作员,定货单 from LJDB where  ReplaceStr='ReplaceStr1' AND "
        "日期>={^ReplaceStr} and 日期<={^ReplaceStr1}";
    const std::string returnedOut =
        "select 客户,供应商,车型,零件名称,编号,单价,单位,数量,厂牌,日期,退出日期,备注,货位,"
        "折扣,no,单据号,进价,其它,补发日期,flag,no1 from ljth where  退出日期 IS NOT "
        "NULL and ReplaceStr='ReplaceStr1' AND 退出日期>={^ReplaceStr} and "
        "退出日期<={^ReplaceStr1}";
    const std::string partnersInArea =
        ReplaceParams(distinctT, "单位", "wlkf") + " where (区域='城东')";
    const std::string maintenanceMark =
        "(标致!='T' OR 标致 IS NULL) AND 项目名称 in(select 项目名称 from "
        "byxmb where 处理方法 like '%更换%')";

    std::vector<std::string> s = {
        // Data store and catalogue.
        "select * from gk where 车牌号码 like '%" + kPlate + "%'",
        ReplaceParam("select * from fieldlong where table='ReplaceStr'", "ljkc"),
        "select * from fieldlong",
        "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,进价 from ljkc",
        "select 类别,项目名称 as 零件名称,编号,单价,单位,数量,备注,进价,单价 as 零售价,单价 as "
        "批发价 from wxxm",
        ReplaceParams(
            "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,进价 from "
            "ljkc "
            "where ReplaceStr like '%ReplaceStr1%'",
            "零件名称", "刹"),
        ReplaceParams(ReplaceParam(hints, "通用"), kPlate, "通用"),
        ReplaceParams(distinctT, "姓名", "ygk"),
        ReplaceParams(whereT, "tpk", "编号='A1'"),
        ReplaceParams(whereT, "tpk", "车型='桑塔纳' and 项目名称='机油'"),
        "select * from LJDB",
        "select * from ljkc where no=0",
        "select * from ljsh where 日期<={^2004-12-31} and 日期>={^2004-01-01}",
        "select * from ljsh where 日期>={^2024-01-01}",
        "select * from ljsh where no>-1",
        // Work sheets and start-up alerts.
        "select distinct 客户 from zyxm where (!故障='M_WX_GQ') and (flag like '%W%')",
        "select distinct 客户 from zyxm where (!故障='M_WX_GQ') and (flag like '%P%')",
        "select distinct 客户 from zyxm where (故障='M_WX_GQ') and (flag like '%P%')",
        "select * from jhda",
        "select * from dhd",
        ReplaceParam(shortage, kBlank30),
        ReplaceParam(shortage2, kBlank30),
        "select 车型,零件名称,编号,警戒量-警戒量 as 现有数量,警戒量,最大量 as 缺货量,no from jjl "
        "where 警戒量>0 "
        "and (((编号 IS NOT NULL and 编号 not in(select distinct 编号 from ljkc)) or (零件名称 IS "
        "NOT NULL "
        "and 零件名称 not in(select distinct 零件名称 from ljkc))))",
        ReplaceParam(overflow, kBlank30),
        ReplaceParam(overflow2, kBlank30),
        ReplaceParam(due, kToday),
        "select 车牌号码,车主姓名,性别,单位电话,住宅电话,手机,邮编,单位,地址,标致 from gk where "
        "车牌号码 like "
        "'%3%' or 车牌号码 like '%4%'",
        "select 车牌号码,车主姓名,性别,单位电话,住宅电话,手机,邮编,单位,地址,标致 from gk where "
        "车牌号码 like "
        "'%3' or 车牌号码 like '%4'",
        "select 车牌号码,车主姓名,性别,生日,单位电话,住宅电话,手机,邮编,单位,地址,提示 from gk "
        "where "
        "NOT(生日={^//})",
        ReplaceParams(balance, "单位", "李四修理厂"),
        ReplaceParams(balance, "编号", "K1"),
        overall,
        overall + " and (单位 in(" + partnersInArea + "))",
        overall + " and 编号='K1'",
        ReplaceParams(starT, "*", "wlzm") + " where 单位 in(" + partnersInArea + ")",
        ReplaceParams(whereT, "hyxm", "no=-1"),
        "select 车型,项目名称,编号,(单价*折扣*0.01) as 单价,进价,数量,(单价*折扣*0.01-进价)*数量 "
        "as 毛利,厂牌,"
        "备注,折扣 from zyxm where 客户='" +
            kPlate + "' and flag='W'",
        Dates("select 供应商,车型,零件名称,编号,厂牌,数量,进价,数量*进价 AS 金额,日期,备注,no from "
              "jhda where "
              "日期>={^ReplaceStr} and 日期<={^ReplaceStr1} order by 供应商"),
        "select 类别,sum(金额) as 金额,单位 from wlzm group by 类别 where no>0",
        "select 项目名称,等同名 from tmlj",
        // Query toolbar and catalogue tree.
        ReplaceParams(
            ReplaceParams(
                "select distinct ReplaceStr from ReplaceStr1 where ReplaceStr='ReplaceStr1'",
                "部位", "ljkc"),
            "车型", "桑塔纳"),
        ReplaceParams(
            "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,供应商,进价 "
            "from ljkc "
            "where ReplaceStr='ReplaceStr1'",
            "车型", "桑塔纳") +
            " and 部位='发动机'",
        ReplaceParams("select 车型,零件名称,编号,零售价,批发价,进价,部位 from jgk where "
                      "ReplaceStr='ReplaceStr1'",
                      "车型", "桑塔纳"),
        ReplaceParams(
            "select 车型,零件名称,编号,数量,部位,适用车型 from ljml where ReplaceStr='ReplaceStr1'",
            "车型", "桑塔纳"),
        ReplaceParams("select 定货单,车型,部位,零件名称,编号,单位,厂牌,供应商,备注 from dhd order "
                      "by 定货单 where "
                      "ReplaceStr='ReplaceStr1'",
                      "车型", "桑塔纳"),
        ReplaceParams(
            "select 车型,部位,零件名称,编号,单位,厂牌,零售价,批发价,供应商,备注 from hy where "
            "ReplaceStr like '%ReplaceStr1%'",
            "供应商", "甲"),
        ReplaceParams(
            "select 定货单,车型,部位,零件名称,编号,单位,厂牌,数量,供应商,日期,备注 from jhda where "
            "ReplaceStr='ReplaceStr1'",
            "车型", "桑塔纳"),
        "select "
        "客户,车型,项目名称,编号,厂牌,单价,数量,备注,日期,业务,货位,折扣,单据号,合同号,flag,no "
        "from ljsh "
        "order by 日期,客户 where flag='P'  and 车型='捷达' or flag='W' and 车型='捷达'",
        ReplaceParams(
            "select 车型,零件名称,编号,单价,单位,数量,货位,厂牌,折扣,日期,备注 from ljth where "
            "ReplaceStr like '%ReplaceStr1%'",
            "车型", "捷"),
        "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,进价 from ljkc "
        "where 零件名称 "
        "in(select 零件名称 from jmb where 简码 like '%JY%')",
        ReplaceParams(whereT, "gdxm", "关联项目 like '%保%'"),
        "select 车牌号码,车型,颜色,车主姓名,客户特征,折扣,手扣 from gk where 车牌号码 like '%A12%'",
        "select 关联项目,项目名称,编号,数量,备注 from gdxm where 关联项目='保养'",
        "select 类别,项目名称,编号,单价,单位,数量,备注,进价 from wxxm where 类别=''",
        "select * from ljkc where (零件名称 like '%刹车%' and 数量>0)",
        repairBase + "and no=0",
        salesBase + "and 客户 like '%李%'",
        costBase + " where 日期<{^2005-03-01}",
        "select * from ljsh where (客户 like '%王%' or 单价<12.50) and 日期>={^2024-01-01} and "
        "日期<={^2024-12-31}",
        "select * from ljsh where (数量>=5) order by 日期",
        // Repair workshop and members.
        "select distinct 客户 from zyxm where (故障='M_WX_GQ') and (flag like '%W%')",
        "select "
        "项目名称,编号,单价,单位,数量,货位,小计,作业人员,备注,故障,厂牌,折扣,客户,车型,手扣,零售价,"
        "批发价,"
        "进价,其它,WX,flag,no from zyxm where flag like '%W%'",
        "select * from ljsh where 客户='***Last***'",
        returns,
        ReplaceParams(members, kPlate, kToday),
        ReplaceParam(used, kPlate),
        ReplaceParams(
            ReplaceParams(
                "select distinct ReplaceStr from ReplaceStr1 where ReplaceStr='ReplaceStr1'",
                "编号,三级价", "bdzxm"),
            "编号", "A1"),
        "select * from ljth where " + Dates(ReplaceParams(warrantyCond, kPlate, "博世")),
        "select * from ljth where 补发日期 IS NULL AND " +
            Dates(ReplaceParam(
                " 厂牌='ReplaceStr' and (日期>={^ReplaceStr} and 日期<={^ReplaceStr1} or "
                "日期 IS NULL) order by 日期",
                "博世")),
        "select * from ljth where  备注!='正品退出' and no>0",
        "select * from ljth where 备注!='正品退出'",
        Dates(
            "select 车型,项目名称,其它,count(*) as 发生件数 from ljsh where 日期>={^ReplaceStr} "
            "and "
            "日期<={^ReplaceStr1} and 项目名称 not in(select distinct 项目名称 from byxmb) and "
            "项目名称 not "
            "in(select distinct 项目名称 from wxxm) group by 车型,项目名称 order by 发生件数 DESC"),
        Dates("select 客户 as 车牌号码,码表 as 最近里程,MAX(日期) as 最近来访 from ljsh where "
              "flag='W' and "
              "日期>={^ReplaceStr} and 日期<={^ReplaceStr1}  group by 客户"),
        Dates(followUp),
        ReplaceParams(ReplaceParam(dueList, "通用"), kPlate, "通用"),
        "select " + stock.substr(7) + " where 编号='A1' and 数量>0 and 车型='桑塔纳  '",
        "select 车牌号码,车型,颜色,车主姓名,客户特征,折扣,手扣 from gk where "
        "车牌号码!='###last####'",
        "select "
        "单位,联系人,联系电话,传真,余额,联系人手机,地址,备注,折扣,级别,负责人,负责人手机,"
        "负责人电话 from wlkf "
        "where 单位 like '%李%'",
        "select * from ljkc where 部位='发动机' and 货位 like '%一%'",
        "select * from ljth where 日期>={^} and 日期<={^ }",
        "select * from wxxm where 项目名称='机油'",
        "select * from qvpy",
        // Parts trade.
        stock + " where 编号='A1' and 数量>0",
        stock + " where 零件名称='机油' and 数量>0 and 车型='桑塔纳'",
        "select distinct 零件名称,编号,部位 from ljkc",
        "select "
        "车型,部位,零件名称,编号,单位,厂牌,数量,进价,代理价,批发价,零售价,货位,供应商,定货单,备注,"
        "no from "
        "ljkc where 货位 like '%一库%'",
        "select 零件名称,编号,SUM(数量) AS 数量,车型 from ljkc group by 编号,零件名称,车型",
        "select 车型,零件名称,编号,sum(数量) as 数量,sum(进价*数量) as 进价,sum(批发价*数量) as "
        "批发价,"
        "sum(零售价*数量) as 零售价 from ljkc group by 编号,零件名称,车型",
        stockIn,
        "select 车型,部位,零件名称,编号,单位,数量,数量 as A,数量 as B,进价,批发价,零售价,零售价 as "
        "小计,货位,厂牌,"
        "供应商,备注,定货单,no from ljkc where 编号='####Last####'",
        "select 编号,零件名称,货位,数量,厂牌,供应商,备注,单位,进价,批发价,零售价,零售价 as "
        "小计,定货单,车型,部位,no "
        "from ljkc where 编号='####Last####'",
        "select 货位 from ljkc where 定货单='D1' AND 编号='A1'",
        "select 车型,项目名称,编号,单价,成交价,单位,数量,货位,厂牌,小计,作业人员 as "
        "业务,备注,折扣,客户,零售价,"
        "批发价,进价,代理价,故障,其它,WX,flag,no from zyxm where flag like '%P%'",
        "select 项目名称,编号,SUM(数量) AS 数量,车型 from zyxm group by 编号,项目名称,车型",
        "select "
        "客户,车型,项目名称,编号,单价,单位,数量,货位,厂牌,折扣,日期,备注,单据号,进价,其它,flag,no "
        "from "
        "ljsh where 客户='" +
            kPlate + "' order by 日期",
        "select "
        "客户,车型,项目名称,编号,单价,单位,数量,货位,厂牌,折扣,日期,备注,单据号,进价,其它,flag,no "
        "from "
        "ljsh where 客户 = ''",
        returns + " where 客户='#######'",
        Dates(ReplaceParams(returnedOut, "供应商", "供应商甲")),
        returnedOut.substr(0, returnedOut.find(" where")) + " where 退出日期 IS NOT NULL",
        Dates(ReplaceParams(transfers, "调拨去向", "二库")),
        "select "
        "车型,部位,零件名称,编号,单位,厂牌,数量,进价,货位,调拨去向,供应商,备注,日期,操作员,定货单,"
        "no from "
        "LJDB where no=0",
        "select 车型,部位,零件名称,编号,单位,进价,数量,小计,厂牌,供应商,备注,定货单,合同号,日期,no "
        "from dhd order "
        "by 定货单",
        "select distinct 定货单,供应商 from dhd order by 定货单",
        "select * from jhda order by 入库单 where 入库单 = 'R1'",
        "select * from jhda  where 入库单 = 'R1'",
        ReplaceParams(distinctT, "*", "jhda"),
        ReplaceParams(distinctT, "*", "jgk"),
        ReplaceParams(distinctT, "*", "hy"),
        "select 车型,零件名称,编号,进价,零售价,批发价,厂牌 from jgk where 进价>0 or 零售价>0 or "
        "批发价>0",
        "select 零件名称,编号,零售价,min(批发价) as 批发价,供应商 from hy where 批发价>0 group by "
        "编号,零件名称,车型 ",
        "select 车型,零件名称,编号,单位,零售价,批发价,厂牌,供应商,联系人,联系电话,备注,部位 from "
        "hy  where 编号 "
        "like '%A%'",
        "select * from wlkf",
        "select * from gys",
        "select distinct 车型,总成项目,总成编号,备注 from ljzc  group by 车型,总成项目",
        "select distinct 车型,总成项目,总成编号,备注 from ljzc where 车型='桑塔纳' group by "
        "车型,总成项目",
        "select distinct 车型,总成项目,总成编号,备注 from ljzc  where 总成项目 like '%发%' group "
        "by 车型,总成项目",
        "select * from ljzc where 总成项目='发动机总成' and 车型='桑塔纳'",
        // Back office.
        "select 单位 as 车牌号码 from wlkf",
        "select distinct 客户 from ljsh where flag='P'",
        "select distinct 单位 from wlzm where 单位 not in(select distinct 车牌号码 from gk where "
        "结算单位 IS NOT "
        "NULL AND 结算单位!='')",
        "select distinct 结算单位 from gk where 结算单位 IS NOT NULL AND 结算单位!=''",
        ReplaceParams(distinctT, "项目名称", "ljsh") +
            " where 项目名称 not in(select distinct 项目名称 from wxxm)",
        "select 车型,零件名称,编号,厂牌,(数量-数量) as 销售数量,sum(数量) as 库存量,no from ljkc "
        "group by "
        "编号,零件名称,车型",
        "select distinct 部门 from ygk",
        "select distinct 车牌号码,车主姓名,性别,单位电话,住宅电话,手机 from gk where 车牌号码 not "
        "in(select "
        "distinct 客户 from ljsh where flag='W')",
        "select distinct 单位 AS 客户,联系人,联系电话,联系人手机,传真,地址 from wlkf where 单位 "
        "not in(select "
        "distinct 客户 from ljsh where flag='P')",
        "select * from gk where 结算单位='东风公司'",
        "select * from kzk where 日期>={^2024-01-01} and 日期<={^2024-12-31} order by 日期",
        "select * from gdzc where 购置日期>={^2023-01-01} and 购置日期<={^2024-12-31} order by "
        "购置日期",
        "select * from wlzm where 编号!='全部' order by 日期",
        "select * from wlzm where 单位='#####A####' order by 日期",
        "select 项目名称,单价,数量,日期 from ljsh where 客户='李四修理厂' and flag='P' and "
        "单据号='D003'",
        "select 零件名称,进价,数量,日期 from dhd where 供应商='供应商甲' and 日期={^2024-02-20}",
        "select 零件名称,单价,数量,日期 from ljth where 客户='李四修理厂' and "
        "退出日期={^2024-04-01}",
        "select 项目名称,单价,数量,日期,备注,码表,客户 from ljsh where 客户 like '%A1%' and "
        "flag='W'",
        ReplaceParams(
            ReplaceParam(
                "select 客户 as 车牌号码,MAX(码表) as 最大里程,MAX(日期) as 最近来访,"
                "({^ReplaceStr}-MAX(日期)) as 已隔天数,车主姓名,性别,单位电话,住宅电话,手机,"
                "gk.车型,ljsh.标致 from ljsh,gk where 车牌号码=客户 and  flag='W' group by "
                "客户 HAVING (MAX(日期)-{^ReplaceStr})<=0 and (MAX(日期)-{^ReplaceStr1})>=0 ",
                kToday),
            kToday, kFrom),
        ReplaceParams(
            ReplaceParam(
                "select 客户,MAX(日期) as 最近来访,({^ReplaceStr}-MAX(日期)) as 已隔天数,联系人,"
                "联系电话,联系人手机,传真,地址,ljsh.标致 from ljsh,wlkf where 客户=wlkf.单位 and "
                " flag='P'  group by 客户 HAVING (MAX(日期)-{^ReplaceStr})<=0 and "
                "(MAX(日期)-{^ReplaceStr1})>=0 ",
                kToday),
            kToday, kFrom),
        Dates("select 车型,项目名称,编号,厂牌,sum(数量) AS 总销售量,单价*0.00 AS "
              "月平均销量,数量-数量 AS 现有库存量,"
              "单价*0.00 AS 月销库存比,单价*0.00 AS 所占销量比,sum(单价*数量) as 单价,no from ljsh "
              "where "
              "日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group by 编号,项目名称"),
    };
    // Statistics, profit and commission templates: every mode with and without a choice.
    const char* statistics[] = {
        "select 供应商,sum(数量*进价) AS 金额,min(日期) as 区段首次,max(日期) as 最后一次,no from "
        "jhda where "
        "日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group by 供应商",
        "select 定货单,供应商,sum(数量*进价) AS 金额,日期,no from jhda where 供应商='ReplaceStr' "
        "and "
        "日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group by 定货单",
        "select 客户,车型,项目名称,编号,厂牌,数量,单价,数量*单价 AS 金额,日期,备注,no from ljsh "
        "where flag='P' "
        "and 客户='ReplaceStr' and 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} order by 客户",
        "select 客户,sum(数量*单价) AS 金额,日期,no from ljsh where flag='P' and 客户='ReplaceStr' "
        "and "
        "日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group by 单据号",
        "select 客户 as 车牌号码,sum(数量*单价) AS 金额,min(日期) as 区段首次,max(日期) as "
        "最后一次,no from "
        "ljsh where flag='W' and 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group by 客户",
        "select 客户 as "
        "车牌号码,ljsh.项目名称,数量,日期,单价,ljsh.备注,hyzl.卡类别,办卡日期,有效期,hyxm.no "
        "from ljsh,hyxm,hyzl where flag='W' and 客户=车牌号码 and ljsh.项目名称=hyxm.项目名称 and "
        "hyxm.卡类别=hyzl.卡类别 and 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} and "
        "日期>=办卡日期 and "
        "日期<=有效期 order by ljsh.客户",
        "select 客户 as 车牌号码,ljsh.项目名称,sum(数量) as "
        "完成次数,日期,单价,hyzl.卡类别,办卡日期,有效期,"
        "hyzl.no from ljsh,hyxm,hyzl where flag='W' and hyxm.卡类别='ReplaceStr' and 客户=车牌号码 "
        "and "
        "ljsh.项目名称=hyxm.项目名称 and hyxm.卡类别=hyzl.卡类别 and 日期>={^ReplaceStr} and "
        "日期<={^ReplaceStr1} and 日期>=办卡日期 and 日期<=有效期 group by ljsh.客户,ljsh.项目名称",
        "select 业务 AS 姓名,sum(数量*单价) AS 金额,日期,no from ljsh where 业务='ReplaceStr' and "
        "日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group by 日期",
        "select distinct ljsh.车型,项目名称,ljsh.编号,ljsh.厂牌,ljsh.数量 AS "
        "销售数量,日期,ljsh.备注,ljkc.no from "
        "ljsh,ljkc where ljkc.编号=ljsh.编号 and 项目名称 not in(select distinct 项目名称 from "
        "wxxm) and "
        "日期>={^ReplaceStr} and 日期<={^ReplaceStr1} order by "
        "ljsh.车型,ljsh.编号,ljsh.厂牌,项目名称",
        "select distinct ljsh.车型,项目名称,ljsh.编号,ljsh.厂牌,sum(ljsh.数量) AS "
        "销售数量,ljkc.数量 AS 库存量,"
        "ljkc.数量 AS 实际数量,min(日期) as 区段首次,max(日期) as 最后一次,ljkc.no from ljsh,ljkc "
        "where "
        "ljkc.编号=ljsh.编号 and 项目名称 not in(select distinct 项目名称 from wxxm) and "
        "日期>={^ReplaceStr} "
        "and 日期<={^ReplaceStr1} group by ljsh.车型,ljsh.编号",
        "select 车型,项目名称,编号,厂牌,sum(数量) AS 销售数量,数量 AS 库存量,数量 AS 实际数量,no "
        "from ljsh where "
        "项目名称='ReplaceStr' and 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group by 编号",
        "select distinct ljkc.车型,项目名称,ljkc.编号,ljkc.厂牌,日期,ljkc.备注,ljkc.no from "
        "ljkc,ljsh where "
        "项目名称='ReplaceStr' and 项目名称=零件名称 and 日期>={^ReplaceStr} and "
        "日期<={^ReplaceStr1} order by "
        "ljkc.车型,ljkc.编号,ljkc.厂牌,项目名称",
        "select distinct ljkc.车型,项目名称,ljkc.编号,ljkc.厂牌,sum(ljsh.数量) AS "
        "销售数量,sum(ljkc.数量) AS 库存量,"
        "ljkc.数量 AS 实际数量,ljkc.no from ljkc,ljsh where 项目名称='ReplaceStr' and "
        "项目名称=零件名称  and "
        "日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group by  "
        "ljkc.车型,ljkc.编号,ljkc.厂牌,项目名称",
        "select 供应商,车型,零件名称,编号,厂牌,数量,进价,数量*进价 AS 金额,日期,备注,no from dhd "
        "where "
        "供应商='ReplaceStr' and 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} order by 供应商",
        "select 单位,类别,方式,金额,来源,日期,备注,no from wlzm where 单位 IN(select distinct "
        "车牌号码 from gk "
        "where 结算单位='ReplaceStr') and 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} order by "
        "类别,日期",
        "select 单位,类别,sum(金额) AS 金额,no from wlzm where 单位='ReplaceStr' and "
        "日期>={^ReplaceStr} and "
        "日期<={^ReplaceStr1} group by 类别",
        "select 客户,sum(数量*单价) AS 金额,日期,no from ljsh where 日期>={^ReplaceStr} and "
        "日期<={^ReplaceStr1} group by  客户",
        "select 客户,车型,项目名称,ljsh.编号,单价 as 售价,进价 as 成本,数量,(单价-进价)*数量 as "
        "毛利,业务 as 业务员,"
        "日期,ljsh.备注,ljsh.no from ljsh,ygk where 部门='ReplaceStr' and 业务=姓名 and "
        "日期>={^ReplaceStr} and "
        "日期<={^ReplaceStr1} order by 日期",
        "select 部门,sum(单价*数量) as 营业额,sum(进价*数量) as 成本,sum((单价-进价)*数量) as "
        "毛利,ljsh.no from "
        "ljsh,ygk where 业务=姓名 and 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group by 部门",
        "select 业务 as 部门,sum(单价*数量) as 营业额,sum(进价*数量) as 成本,sum((单价-进价)*数量) "
        "as 毛利,ljsh.no "
        "from ljsh where 业务 NOT IN(select distinct 姓名 from ygk) AND 业务 IS NOT NULL and "
        "日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group by 业务",
        "select 业务 as 部门,sum(单价*数量) as 营业额,sum(进价*数量) as 成本,sum((单价-进价)*数量) "
        "as 毛利,ljsh.no "
        "from ljsh where 业务 IS NULL and 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group by "
        "flag",
        "select sum(单价*数量) as 营业额,sum(进价*数量) as 成本,sum((单价-进价)*数量) as "
        "毛利,ljsh.no from ljsh "
        "where 日期>={^ReplaceStr} and 日期<={^ReplaceStr1}",
        "select 客户,车型,项目名称,ljsh.编号,单价 as 售价,进价 as 成本,数量,(单价-进价)*数量 as "
        "毛利,业务 as 业务员,"
        "日期,ljsh.备注,ljsh.no from ljsh,ygk where 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} "
        "order by 日期",
        "select 业务 AS 姓名,项目名称,编号,厂牌,数量,单价,数量*单价 AS 金额,(单价-进价)*数量 AS "
        "提成,日期,备注,"
        "flag,no from ljsh where 业务='ReplaceStr' and 日期>={^ReplaceStr} and "
        "日期<={^ReplaceStr1} order by 业务",
        "select 业务 AS 姓名,sum(数量*单价) AS 金额,(单价-进价)*数量 AS 提成,min(日期) as "
        "区段首次,max(日期) as "
        "最后一次,厂牌,flag,no from ljsh where 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} and "
        "(厂牌!='维修项目' "
        "OR 厂牌 IS NULL) and flag='W' group by 业务",
        "select 业务 AS 姓名,sum(数量*单价) AS 金额,(单价-进价)*数量 AS 提成,日期,厂牌,flag,no "
        "from ljsh where "
        "业务='ReplaceStr'  and flag='P' and  日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group "
        "by 日期",
    };
    for (const char* t : statistics) {
        std::string filled = t;
        // A choice fills the first placeholder alone; the dates follow.
        size_t choice = filled.find("='ReplaceStr'");
        if (choice != std::string::npos) filled = ReplaceParam(filled, "王五");
        s.push_back(Dates(filled));
    }
    s.push_back("select * from ljsh where " + maintenanceMark + " and 客户='" + kPlate + "'");
    return s;
}

using SqlInventory = SqlTest;

TEST_F(SqlInventory, EveryStatementOfTheProgramRuns) {
    CreateCatalogTables();
    InsertSampleRows();
    for (const std::string& statement : Statements()) {
        SCOPED_TRACE(statement);
        EXPECT_NO_THROW({
            try {
                Query(statement);
            } catch (const foxdb::Error& e) {
                ADD_FAILURE() << e.what();
                throw;
            }
        });
    }
    // The changes the data store sends.
    const char* changes[] = {
        "UPDATE gk SET 标致 =''",
        "UPDATE gk SET 标致 ='T' WHERE 车牌号码 like '%5' or 车牌号码 like '%0'",
        "UPDATE gk SET 提示 ='T' WHERE 车牌号码='京A12345'",
        "UPDATE ljsh SET 标致 ='T' WHERE (标致!='T' OR 标致 IS NULL) AND 项目名称 in(select "
        "项目名称 from byxmb "
        "where 处理方法 like '%更换%') and 客户='京A12345'",
        "UPDATE ljkc SET 数量 ='7' WHERE 编号='A1'",
        "UPDATE jhda SET 日期 ='2024-05-06' WHERE 入库单='R1'",
        "DELETE FROM fieldlong WHERE (({^2024-12-31}-n40)>720 and n39=0)",
        "DELETE FROM wlzm WHERE 单位='李四修理厂'",
        "DELETE FROM ljsh WHERE 日期<={^2004-12-31} and 日期>={^2004-01-01}",
        "DELETE FROM kzk WHERE no>-1",
    };
    for (const char* statement : changes) {
        SCOPED_TRACE(statement);
        EXPECT_NO_THROW(Run(statement));
    }
}

} // namespace
} // namespace foxdb_test
