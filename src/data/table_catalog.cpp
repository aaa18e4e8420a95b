#include "data/table_catalog.h"

namespace {

struct CatalogEntry {
    const char* code;
    const char* title; // empty: never offered by title
    const char* definition;
};

// The field lists are a file format: forms and saved files rely on them as they stand.
const CatalogEntry kCatalog[] = {
    {"zyxm", "维修、售货作业表",
     "(车型 C(20),项目名称 C(60),编号 C(30),单位 C(4),单价 N(10,2),成交价 N(10,2),数量 I,小计 "
     "N(10,2),货位 C(12),备注 C(16),作业人员 C(8),客户 C(40),折扣 I,零售价 N(10,2),批发价 "
     "N(10,2),进价 N(10,2),代理价 N(10,2),厂牌 C(14),故障 C(14),手扣 I,其它 C(2),WX C(2),flag "
     "C(4),no I UNIQUE)"},
    {"ljkc", "零件库存",
     "(定货单 C(14),车型 c(20),部位 C(20),零件名称 C(30),编号 C(30),单位 C(4),厂牌 C(14),数量 "
     "I,零售价 N(10,2),批发价 N(10,2),进价 N(10,2),代理价 N(10,2),货位 C(12),供应商 C(30),备注 "
     "C(16),no I UNIQUE)"},
    {"jhda", "进货档案",
     "(定货单 C(14),入库单 C(14),车型 c(20),部位 C(20),零件名称 C(30),编号 C(30),单位 C(4),厂牌 "
     "C(14),数量 I,进价 N(10,2),货位 C(12),供应商 C(30),日期 D,备注 C(16),no I UNIQUE)"},
    {"ljsh", "营业档案库",
     "(单据号 C(14),车型 C(20),项目名称 C(30),编号 C(30),单位 C(4),厂牌 C(14),单价 N(8,2),数量 "
     "I,备注 C(16),日期 D,客户 C(40),码表 I,业务 C(8),货位 C(12),进价 N(10,2),折扣 I,合同号 "
     "C(20),其它 C(14),标致 C(1),flag C(4),no I UNIQUE)"},
    {"ljth", "零件退货库",
     "(客户 C(40),车型 C(20),零件名称 C(30),编号 C(30),单位 C(4),厂牌 C(14),单价 N(8,2),数量 "
     "I,供应商 C(30),备注 C(16),日期 D,补发日期 D,退出日期 D,货位 C(12),进价 N(10,2),折扣 I,其它 "
     "C(14),单据号 C(14),flag C(4),no1 I,no I UNIQUE)"},
    {"blp", "不良品库",
     "(客户 C(40),车型 C(20),零件名称 C(30),编号 C(30),单位 C(4),厂牌 C(14),单价 N(8,2),数量 "
     "I,供应商 C(30),备注 C(16),日期 D,补发日期 D,退出日期 D,货位 C(12),进价 N(10,2),折扣 I,其它 "
     "C(14),单据号 C(14),flag C(4),no1 I,no I UNIQUE)"},
    {"dhd", "定货单库",
     "(定货单 C(14),车型 c(20),部位 C(20),零件名称 C(30),编号 C(30),单位 C(4),厂牌 C(14),数量 "
     "I,进价 N(10,2),小计 N(10,2),零售价 N(10,2),批发价 N(10,2),货位 C(12),供应商 C(30),合同号 "
     "C(20),日期 D,备注 C(16),no I UNIQUE)"},
    {"ljml", "零件目录库",
     "(车型 C(20),部位 C(20),零件名称 C(30), 编号 C(30),单位 C(4),数量 I,机种代码 C(12),厂牌 "
     "C(14),备注 C(16),适用车型 C(50),no I UNIQUE)"},
    {"ygk", "员工资料库",
     "(部门 C(16),姓名 C(8),编号 C(10),职务 C(10),基本工资 N(7,2),备注 C(16),家庭住址 C(20),电话 "
     "C(14),手机 C(14),口令 C(10),no I UNIQUE)"},
    {"jgk", "零件价格",
     "(车型 c(20),部位 C(20),零件名称 C(30),编号 C(30),单位 C(4),厂牌 C(14),进价 N(10,2),零售价 "
     "N(10,2),批发价 N(10,2),代理价 N(10,2),警戒量 I,最大量 I,自留量 I,备注 C(16),no I UNIQUE)"},
    {"gdxm", "关联项目库",
     "(关联项目 C(20),项目名称 C(30),编号 C(30),数量 I,备注 C(12),no I UNIQUE)"},
    {"wxxm", "维修项目库",
     "(类别 C(20),项目名称 C(30),编号 C(30),单价 N(10,2),单位 C(4),数量 I,进价 N(10,2),备注 "
     "C(16),no I UNIQUE)"},
    {"wlzm", "往来帐目库",
     "(单位 C(36),编号 C(18),类别 C(8),金额 N(10,2),日期 D,方式 C(4),来源 C(4),备注 C(16),no I "
     "UNIQUE)"},
    {"wlkf", "往来单位资料库",
     "(编号 C(18),单位 C(36),地址 C(40),负责人 C(8),负责人电话 C(14),负责人手机 C(14),区域 "
     "C(16),联系人 C(8),联系电话 C(14),联系人手机 C(14),传真 C(14),备用电话 C(14),开户行 "
     "C(30),帐号 C(30),余额 N(10,2),税号 C(25),其它 C(20),备注 C(16),折扣 I,级别 C(1),no I "
     "UNIQUE)"},
    {"gys", "供应商资料库",
     "(编号 C(18),单位 C(36),地址 C(40),负责人 C(8),负责人电话 C(14),负责人手机 C(14),区域 "
     "C(16),联系人 C(8),联系电话 C(14),联系人手机 C(14),传真 C(14),备用电话 C(14),开户行 "
     "C(30),帐号 C(30),余额 N(10,2),税号 C(25),其它 C(20),备注 C(16),折扣 I,no I UNIQUE)"},
    {"hyxm", "会员项目库",
     "(卡类别 C(12),项目名称 C(30),编号 C(30),次数 I,材料费 N(10,2),服务费 N(10,2),折扣 I,手扣 "
     "I,备注 C(16),no I UNIQUE)"},
    {"gk", "维修客户资料库",
     "(车牌号码 C(16),发动机号 C(24),车架号 C(24),车型 C(20),机种代码 C(14),保养类 C(20),领照日期 "
     "D,颜色 C(12),来店里程 I,来店日期 D,购车日期 D,销售公司 C(16),厂牌 C(14),车主姓名 "
     "C(8),客户特征 C(12),住宅电话 C(14),手机 C(14),单位邮编 C(8),生日 D,性别 C(2),邮编 C (8),单位 "
     "C(32),地址 C(32),身份证号 C(18),配偶姓名 C(8),单位地址 C(32),配偶电话 C(14),单位电话 "
     "C(14),保修卡号 C(16),投保日期 D,结算单位 C(16),折扣 I,手扣 I,汽车 C(1),标致 C(1),提示 "
     "C(1),备注 C(16),no I UNIQUE)"},
    {"byxmb", "保养项目库",
     "(保养类 C(20), 部位 C(20),项目名称 C(30),第一次 I,第二次 I,更换间隔 I,保养间隔 I,时间间隔 "
     "I,处理方法 C(14),no I UNIQUE)"},
    {"hy", "零件货源库",
     "(车型 c(20),部位 C(20),零件名称 C(30),编号 C(30),单位 C(4),厂牌 C(14),零售价 N(10,2),批发价 "
     "N(10,2),供应商 C(30),联系人 C(8),联系电话 C(14),备注 C(16),no I UNIQUE)"},
    {"jjl", "警戒量设置",
     "(车型 c(20),零件名称 C(30),编号 C(30),警戒量 I,最大量 I,自留量 I,no I UNIQUE)"},
    {"fieldlong", "格式文件",
     "(table c(20),appear I,n1 I,n2 I,n3 I,n4 I,n5 I,n6 I,n7 I,n8 I,n9 I,n10 I,n11 I,n12 I,n13 "
     "I,n14 I,n15 I,n16 I,n17 I,n18 I,n19 I,n20 I,n21 I,n22 I,n23 I,n24 I,n25 I,n26 I,n27 I,n28 "
     "I,n29 I,n30 I,n31 I,n32 I,n33 I,n34 I,n35 I,n36 I,n37 I,n38 I,n39 I,n40 D,no I UNIQUE)"},
    {"hyzl", "会员资料",
     "(卡类别 C(16),卡号 C(10),车牌号码 C(16),办卡日期 D,有效期 D,密码 C(10),推销员 C(8),金额 "
     "I,备注 C(16),no I UNIQUE)"},
    {"bdzxm", "不打折项目",
     "(车型 c(20),部位 C(20),零件名称 C(30),编号 C(30),一级价 N(10,2),二级价 N(10,2),三级价 "
     "N(10,2),no I UNIQUE)"},
    {"tmlj", "同名零件", "(项目名称 C(30),等同名 C(30),no I UNIQUE)"},
    {"jmb", "简码表", "(部位 C(20),零件名称 C(30),简码 C(15),编号 C(30),no I UNIQUE)"},
    {"qvpy", "", "(Hz C(2),Py C(1),no I UNIQUE)"},
    {"LJDB", "零件调拨",
     "(车型 c(20),部位 C(20),零件名称 C(30),编号 C(30),单位 C(4),厂牌 C(14),数量 I,进价 "
     "N(10,2),货位 C(12),调拨去向 C(12),供应商 C(30),备注 C(16),日期 D,操作员 C(8),定货单 C(14),no "
     "I UNIQUE)"},
    {"tpk", "图片库", "(车型 c(20),项目名称 C(30),编号 C(30),图片 C(100),no I UNIQUE)"},
    {"gdzc", "固定资产库",
     "(项目名称 C(30),编号 C(30),单价 N(10,2),数量 I,购置日期 D,净残值率 I,使用年限 I,备注 "
     "C(16),no I UNIQUE)"},
    {"kzk", "收支记录", "(项目名称 C(30),金额 N(10,2),经手人 C(8),日期 D,备注 C(16),no I UNIQUE)"},
    {"ljzc", "总成项目",
     "(总成项目 C(20),总成编号 C(30),零件名称 C(30),编号 C(30),数量 I,备注 C(12),车型 c(20),no I "
     "UNIQUE)"},
};

} // namespace

wxString CTableCatalog::GetCreateSql(const wxString& code) const {
    wxString definitions;
    for (const auto& entry : kCatalog)
        if (code == wxString::FromUTF8(entry.code))
            definitions += wxString::FromUTF8(entry.definition);
    return definitions.empty() ? wxString() : "CREATE TABLE " + code + definitions;
}

wxString CTableCatalog::GetTableTitle(const wxString& code) const {
    for (const auto& entry : kCatalog)
        if (*entry.title && code == wxString::FromUTF8(entry.code))
            return wxString::FromUTF8(entry.title);
    return wxString();
}

wxString CTableCatalog::GetTableCode(const wxString& title) const {
    for (const auto& entry : kCatalog)
        if (*entry.title && title == wxString::FromUTF8(entry.title))
            return wxString::FromUTF8(entry.code);
    return wxString();
}

std::vector<wxString> CTableCatalog::GetTableCodes() const {
    std::vector<wxString> codes;
    for (const auto& entry : kCatalog)
        codes.push_back(wxString::FromUTF8(entry.code));
    return codes;
}
