#pragma once
// A default account set made from the catalogue with generated business rows: the
// tables are created and filled through statements, then encrypted as a login leaves
// them, with a window-less main frame holding the shared connection. The rows are kept
// here too, so tests compute their expectations from them independently.
#include "common/table_folder.h"
#include "data/main_frame_data.h"
#include "data/table_catalog.h"
#include "platform/message_box.h"

#include <memory>
#include <random>
#include <vector>

namespace office_test {

struct Sale {
    std::string doc, model, item, part, brand, customer, staff, flag, date;
    double price = 0, cost = 0;
    int qty = 0;
    bool noStaff = false; // 业务 left null
};
struct Stock {
    std::string model, name, part, brand, bin;
    int qty = 0;
};
struct Purchase {
    std::string order, supplier, model, name, part, date;
    double cost = 0;
    int qty = 0;
};
struct Ledger {
    std::string unit, kind, date;
    double amount = 0;
};
struct Vehicle {
    std::string plate, settlement;
};
struct Staff {
    std::string department, name;
};

// The generated account set: fixed seed, so every run sees the same rows.
struct AccountRows {
    std::vector<Sale> sales;
    std::vector<Stock> stock;
    std::vector<Purchase> purchases, orders;
    std::vector<Ledger> ledger;
    std::vector<Vehicle> vehicles;
    std::vector<Staff> staff;
    std::vector<std::string> labourItems;
    // Member cards "金卡" from 2024-05-10 to 2024-12-31 and the items they cover.
    std::vector<std::string> members, cardItems;

    static AccountRows Generate(int salesCount, unsigned seed = 7) {
        AccountRows rows;
        std::mt19937 random(seed);
        auto pick = [&](int n) { return int(random() % unsigned(n)); };
        const char* models[] = {"桑塔纳", "捷达", "富康"};
        const char* names[] = {"机油滤芯", "刹车片", "火花塞", "空气滤芯", "雨刮片", "皮带"};
        const char* staffNames[] = {"张三", "李四", "王五", "赵六"};
        const char* departments[] = {"维修部", "配件部", "维修部", "前台"};
        for (int i = 0; i < 4; ++i)
            rows.staff.push_back({departments[i], staffNames[i]});
        rows.labourItems = {"换机油工时", "四轮定位"};
        rows.cardItems = {"机油滤芯", "换机油工时"};
        for (int p = 0; p < 12; ++p) {
            Stock s{models[p % 3], names[p % 6], "P" + std::to_string(100 + p),
                    "原厂",        "A1",         3 + p};
            rows.stock.push_back(s);
            // Every third part lies in a second bin too.
            if (p % 3 == 0) {
                s.bin = "B2";
                s.qty = 2;
                rows.stock.push_back(s);
            }
        }
        for (int v = 0; v < 8; ++v)
            rows.vehicles.push_back({"京A" + std::to_string(1000 + v), v < 3 ? "运输公司" : ""});
        for (int v = 2; v < 6; ++v)
            rows.members.push_back(rows.vehicles[v].plate);
        const char* days[] = {"2024-04-30", "2024-05-01", "2024-05-15", "2024-05-31",
                              "2024-06-01", "2024-05-20", "2024-05-08"};
        for (int i = 0; i < salesCount; ++i) {
            Sale s;
            s.doc = "20240501" + std::to_string(100 + i % 40);
            s.flag = pick(2) ? "W" : "P";
            s.date = days[pick(7)];
            s.customer = s.flag == "W" ? rows.vehicles[pick(8)].plate
                                       : std::string(pick(2) ? "华通公司" : "顺达车行");
            const int kind = pick(5);
            if (s.flag == "W" && kind == 0) {
                s.item = rows.labourItems[pick(2)];
                s.part = "";
                s.brand = "维修项目";
                s.model = models[pick(3)];
            } else {
                // Sold parts: mostly known stock, some that the stock table lacks.
                const int p = pick(14);
                s.part = "P" + std::to_string(100 + p);
                s.item = names[p % 6];
                s.model = models[p % 3];
                s.brand = "原厂";
            }
            s.price = 10 + pick(90) + 0.5 * pick(2);
            s.cost = s.price * 0.6;
            s.qty = 1 + pick(4);
            const int who = pick(6);
            if (who < 4)
                s.staff = staffNames[who];
            else if (who == 4)
                s.staff = "临时工"; // not in the staff table
            else
                s.noStaff = true;
            rows.sales.push_back(s);
        }
        const char* suppliers[] = {"北方配件", "南方汽配", "东风供应"};
        for (int i = 0; i < 30; ++i) {
            const int p = pick(12);
            Purchase purchase{
                "D" + std::to_string(i % 7),   suppliers[pick(3)], models[p % 3],  names[p % 6],
                "P" + std::to_string(100 + p), days[pick(7)],      5.0 + pick(50), 1 + pick(9)};
            rows.purchases.push_back(purchase);
            purchase.supplier = suppliers[pick(3)];
            rows.orders.push_back(purchase);
        }
        const char* kinds[] = {"应收款", "应付款", "预收款", "预付款"};
        for (int i = 0; i < 30; ++i) {
            const std::string unit = pick(2) ? rows.vehicles[pick(8)].plate : "华通公司";
            rows.ledger.push_back({unit, kinds[pick(4)], days[pick(7)],
                                   (pick(3) == 0 ? -1 : 1) * (10.0 + pick(200))});
        }
        return rows;
    }
};

inline std::string Q(const std::string& text) {
    return "'" + text + "'";
}
inline std::string Num(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", value);
    return buffer;
}
inline std::string Date(const std::string& iso) {
    return "{^" + iso + "}";
}

class OfficeSetTest : public TableFolderTest {
protected:
    static constexpr const char* kTables[] = {"ljsh", "ljkc",      "jhda", "dhd",  "wlzm", "gk",
                                              "ygk",  "wxxm",      "hyxm", "hyzl", "jjl",  "byxmb",
                                              "wlkf", "fieldlong", "kzk",  "gdzc", "ljth", "gys"};

    // Creates the tables, lets the test add rows through `fill`, then encrypts.
    template <class Fill> void MakeSet(Fill fill) {
        {
            auto maker = std::make_shared<ado::Connection>();
            maker->Open(ado::ConnectionStringOfFolder(Path("Data")));
            for (const char* table : kTables)
                Run(*maker, CTableCatalog().GetCreateSql(table).utf8_string());
            fill(*maker);
            maker->Close();
        }
        // The index files live beside the plain working copies, as the first run leaves them.
        for (const std::string& index : platform::ListFiles(Path("Data"), "*.cdx"))
            ASSERT_TRUE(platform::MoveFile(Path("Data/" + index), Working(index)));
        frame_ = std::make_unique<CMainFrameData>();
        frame_->EncryptAllTables();
    }
    void TearDown() override {
        frame_.reset();
        TableFolderTest::TearDown();
    }

    static void Run(ado::Connection& connection, const std::string& statement) {
        connection.Execute(statement, nullptr, ado::adCmdText | ado::adExecuteNoRecords);
    }

    // Writes the generated rows into the tables.
    static void Insert(ado::Connection& c, const AccountRows& rows) {
        int no = 0;
        for (const Sale& s : rows.sales)
            Run(c,
                "insert into ljsh (单据号,车型,项目名称,编号,厂牌,单价,数量,日期,客户,进价,flag," +
                    std::string(s.noStaff ? "" : "业务,") + "no) values (" + Q(s.doc) + "," +
                    Q(s.model) + "," + Q(s.item) + "," + Q(s.part) + "," + Q(s.brand) + "," +
                    Num(s.price) + "," + std::to_string(s.qty) + "," + Date(s.date) + "," +
                    Q(s.customer) + "," + Num(s.cost) + "," + Q(s.flag) + "," +
                    (s.noStaff ? "" : Q(s.staff) + ",") + std::to_string(++no) + ")");
        no = 0;
        for (const Stock& s : rows.stock)
            Run(c, "insert into ljkc (车型,零件名称,编号,厂牌,货位,数量,no) values (" + Q(s.model) +
                       "," + Q(s.name) + "," + Q(s.part) + "," + Q(s.brand) + "," + Q(s.bin) + "," +
                       std::to_string(s.qty) + "," + std::to_string(++no) + ")");
        for (const char* table : {"jhda", "dhd"}) {
            no = 0;
            for (const Purchase& p : table == std::string("jhda") ? rows.purchases : rows.orders)
                Run(c, std::string("insert into ") + table +
                           " (定货单,供应商,车型,零件名称,编号,进价,数量,日期,no) values (" +
                           Q(p.order) + "," + Q(p.supplier) + "," + Q(p.model) + "," + Q(p.name) +
                           "," + Q(p.part) + "," + Num(p.cost) + "," + std::to_string(p.qty) + "," +
                           Date(p.date) + "," + std::to_string(++no) + ")");
        }
        no = 0;
        for (const Ledger& l : rows.ledger)
            Run(c, "insert into wlzm (单位,类别,金额,日期,no) values (" + Q(l.unit) + "," +
                       Q(l.kind) + "," + Num(l.amount) + "," + Date(l.date) + "," +
                       std::to_string(++no) + ")");
        no = 0;
        for (const Vehicle& v : rows.vehicles)
            Run(c, "insert into gk (车牌号码,结算单位,no) values (" + Q(v.plate) + "," +
                       Q(v.settlement) + "," + std::to_string(++no) + ")");
        no = 0;
        for (const Staff& s : rows.staff)
            Run(c, "insert into ygk (部门,姓名,no) values (" + Q(s.department) + "," + Q(s.name) +
                       "," + std::to_string(++no) + ")");
        no = 0;
        for (const std::string& item : rows.cardItems)
            Run(c, "insert into hyxm (卡类别,项目名称,no) values ('金卡'," + Q(item) + "," +
                       std::to_string(++no) + ")");
        no = 0;
        for (const std::string& plate : rows.members)
            Run(c, "insert into hyzl (卡类别,车牌号码,办卡日期,有效期,no) values ('金卡'," +
                       Q(plate) + ",{^2024-05-10},{^2024-12-31}," + std::to_string(++no) + ")");
        no = 0;
        for (const std::string& item : rows.labourItems)
            Run(c, "insert into wxxm (项目名称,no) values (" + Q(item) + "," +
                       std::to_string(++no) + ")");
    }

    std::unique_ptr<CMainFrameData> frame_;
    platform::ScriptedMessageBoxes boxes_;
};

} // namespace office_test
