#pragma once
// Statement-engine tests: a scratch folder holding every catalogue table with a
// few rows, inserted through the engine itself.
#include "data/table_catalog.h"
#include "foxdb/database.h"
#include "foxdb/dbf_fixture.h"

#include <memory>
#include <string>

namespace foxdb_test {

// CDataSet's template filling: the first "ReplaceStr" gets a, then the first
// "ReplaceStr1" of the result gets b.
inline std::string ReplaceParam(std::string t, const std::string& a) {
    size_t at = t.find("ReplaceStr");
    if (at != std::string::npos) t.replace(at, 10, a);
    return t;
}
inline std::string ReplaceParams(std::string t, const std::string& a, const std::string& b) {
    if (t.find("ReplaceStr") == std::string::npos) return t;
    t = ReplaceParam(t, a);
    size_t at = t.find("ReplaceStr1");
    if (at != std::string::npos) t.replace(at, 11, b);
    return t;
}

class SqlTest : public ::testing::Test {
protected:
    void SetUp() override { db = std::make_unique<foxdb::Database>(folder.Path()); }

    long Run(const std::string& statement) { return db->Execute(statement); }
    foxdb::ResultSet Query(const std::string& statement) { return db->Query(statement); }

    void CreateCatalogTables() {
        for (const wxString& code : CTableCatalog().GetTableCodes())
            Run(CTableCatalog().GetCreateSql(code).utf8_string());
    }

    // A handful of rows that meet each other in the program's joins.
    void InsertSampleRows() {
        const char* rows[] = {
            "insert into gk (车牌号码,车型,保养类,车主姓名,性别,生日,结算单位,单位,标致,提示,折扣,"
            "手扣,no) values ('京A12345','桑塔纳','通用','张三','男',{^1980-03-15},'东风公司',"
            "'东风','T','',90,0,1)",
            "insert into gk (车牌号码,车型,保养类,车主姓名,生日,no) values ('京B67890','捷达',"
            "'通用','李四',{^//},2)",
            "insert into ljsh (单据号,车型,项目名称,编号,单价,数量,日期,客户,码表,业务,进价,折扣,"
            "flag,厂牌,标致,no) values ('D001','桑塔纳','机油','A1',50,2,{^2024-01-10},"
            "'京A12345',10000,'王五',30,100,'W','维修项目','',1)",
            "insert into ljsh (单据号,车型,项目名称,编号,单价,数量,日期,客户,码表,业务,进价,折扣,"
            "flag,no) values ('D002','桑塔纳','机油','A1',55,1,{^2024-06-10},'京A12345',15000,"
            "'王五',30,100,'W',2)",
            "insert into ljsh (单据号,车型,项目名称,编号,单价,数量,日期,客户,业务,进价,flag,no) "
            "values ('D003','捷达','刹车片','B1',80,4,{^2024-03-05},'李四修理厂','赵六',60,'P',3)",
            "insert into ljkc (定货单,车型,部位,零件名称,编号,单位,厂牌,数量,零售价,批发价,进价,"
            "代理价,货位,供应商,no) values ('D1','桑塔纳','发动机','机油','A1','桶','壳牌',3,60,55,"
            "30,50,'一库','供应商甲',1)",
            "insert into ljkc (定货单,车型,部位,零件名称,编号,单位,数量,零售价,批发价,进价,货位,"
            "供应商,no) values "
            "('D1','捷达','制动','刹车片','B1','套',5,90,85,60,'二库','供应商甲',2)",
            "insert into jjl (车型,零件名称,编号,警戒量,最大量,自留量,no) values ('桑塔纳','机油',"
            "'A1',10,2,0,1)",
            "insert into jjl (车型,零件名称,编号,警戒量,最大量,no) values "
            "('奥迪','轮胎','C9',4,8,2)",
            "insert into byxmb (保养类,部位,项目名称,更换间隔,处理方法,no) values ('通用','发动机',"
            "'机油',5000,'更换',1)",
            "insert into tmlj (项目名称,等同名,no) values ('机油','机油滤',1)",
            "insert into zyxm (车型,项目名称,编号,单价,数量,客户,折扣,进价,故障,flag,作业人员,no) "
            "values ('桑塔纳','机油','A1',50,1,'京A12345',100,30,'','W','王五',1)",
            "insert into zyxm (车型,项目名称,编号,单价,数量,客户,折扣,故障,flag,no) values "
            "('捷达','刹车片','B1',80,2,'李四修理厂',90,'M_WX_GQ','P',2)",
            "insert into wlzm (单位,编号,类别,金额,日期,方式,来源,no) values ('李四修理厂','K1',"
            "'应收',320,{^2024-03-05},'现金','P',1)",
            "insert into wlkf (编号,单位,区域,联系人,折扣,级别,no) values "
            "('K1','李四修理厂','城东',"
            "'李四',95,'A',1)",
            "insert into gys (编号,单位,no) values ('G1','供应商甲',1)",
            "insert into ygk (部门,姓名,编号,no) values ('维修部','王五','Y1',1)",
            "insert into hyzl (卡类别,卡号,车牌号码,办卡日期,有效期,金额,no) values ('金卡','C1',"
            "'京A12345',{^2024-01-01},{^2025-12-31},1000,1)",
            "insert into hyxm (卡类别,项目名称,编号,次数,折扣,手扣,no) values "
            "('金卡','机油','A1',3,"
            "90,0,1)",
            "insert into jhda (定货单,入库单,车型,零件名称,编号,数量,进价,供应商,日期,no) values "
            "('D1','R1','桑塔纳','机油','A1',3,30,'供应商甲',{^2024-03-01},1)",
            "insert into dhd (定货单,车型,零件名称,编号,数量,进价,供应商,日期,no) values ('D1',"
            "'桑塔纳','机油','A1',3,30,'供应商甲',{^2024-02-20},1)",
            "insert into ljth "
            "(客户,车型,零件名称,编号,单价,数量,供应商,日期,退出日期,厂牌,flag,no1,"
            "no) values ('李四修理厂','捷达','刹车片','B1',80,1,'供应商甲',{^2024-03-10},"
            "{^2024-04-01},'博世','P',3,1)",
            "insert into LJDB (车型,零件名称,编号,数量,调拨去向,日期,定货单,no) values ('桑塔纳',"
            "'机油','A1',1,'二库',{^2024-05-01},'D1',1)",
            "insert into jgk (车型,零件名称,编号,进价,零售价,批发价,no) values ('桑塔纳','机油',"
            "'A1',30,60,55,1)",
            "insert into hy (车型,零件名称,编号,零售价,批发价,供应商,no) values ('桑塔纳','机油',"
            "'A1',60,52,'供应商甲',1)",
            "insert into ljml (车型,零件名称,编号,数量,适用车型,no) values ('桑塔纳','机油','A1',1,"
            "'桑塔纳',1)",
            "insert into bdzxm (车型,零件名称,编号,一级价,二级价,三级价,no) values "
            "('桑塔纳','机油',"
            "'A1',58,56,54,1)",
            "insert into jmb (零件名称,简码,编号,no) values ('机油','JY','A1',1)",
            "insert into qvpy (Hz,Py,no) values ('机','J',1)",
            "insert into tpk (车型,项目名称,编号,图片,no) values ('桑塔纳','机油','A1','a.bmp',1)",
            "insert into ljzc (总成项目,总成编号,零件名称,编号,数量,车型,no) values ('发动机总成',"
            "'Z1','机油','A1',1,'桑塔纳',1)",
            "insert into wxxm (类别,项目名称,编号,单价,no) values ('保养','换机油','W1',20,1)",
            "insert into gdxm (关联项目,项目名称,编号,数量,no) values ('保养','机油','A1',1,1)",
            "insert into fieldlong (table,appear,n1,n39,n40,no) values ('ljkc',1,80,0,"
            "{^2020-01-01},1)",
            "insert into kzk (项目名称,金额,经手人,日期,no) values ('房租',1000,'王五',"
            "{^2024-02-01},1)",
            "insert into gdzc (项目名称,编号,单价,数量,购置日期,no) values ('举升机','GZ1',5000,1,"
            "{^2023-06-01},1)",
        };
        for (const char* row : rows)
            Run(row);
    }

    TempFolder folder;
    std::unique_ptr<foxdb::Database> db;
};

// Text of a result value without its blank padding, as UTF-8.
inline std::string Utf8(const foxdb::Value& v) {
    if (auto s = std::get_if<std::string>(&v)) {
        std::string u = platform::GbkToUtf8(*s);
        while (!u.empty() && u.back() == ' ')
            u.pop_back();
        return u;
    }
    return "<not text>";
}

} // namespace foxdb_test
