#include "office/statistics_engine.h"

#include "data/setting_files.h"
#include "office_fixture.h"

#include <map>
#include <set>

namespace {

using namespace office_test;

const char* const kFrom = "2024-05-01";
const char* const kTo = "2024-05-31";

bool InRange(const std::string& date) {
    return date >= kFrom && date <= kTo;
}

// One result row: field name -> text (trailing blanks removed; "NULL" for a null).
using ResultRow = std::map<std::string, std::string>;

class StatisticsEngineTest : public OfficeSetTest {
protected:
    void SetUp() override {
        OfficeSetTest::SetUp();
        rows_ = AccountRows::Generate(240);
        MakeSet([this](ado::Connection& c) { Insert(c, rows_); });
    }

    std::vector<ResultRow> Run(int mode, bool summary, const std::string& choice = "") {
        StatisticsRequest request;
        request.mode = mode;
        request.summary = summary;
        request.choice = wxString::FromUTF8(choice);
        request.from = kFrom;
        request.to = kTo;
        EXPECT_TRUE(CStatisticsEngine::Check(request).empty());
        CDataSet result, aux;
        EXPECT_TRUE(engine_.Run(request, result, aux)) << mode;
        std::vector<ResultRow> out;
        if (!result.m_bOpen) return out;
        columns_ = engine_.Columns(result);
        auto rs = result.m_pRecordset;
        if (rs->RecordCount() <= 0) return out;
        for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
            ResultRow row;
            for (long i = 0; i < rs->Fields().Count(); ++i) {
                ado::Field& field = rs->Fields().Item(int(i));
                ado::Variant value = field.Value();
                std::string text = value.IsNull() ? "NULL" : value.ToString();
                while (!text.empty() && text.back() == ' ')
                    text.pop_back();
                row[field.Name()] = text;
            }
            out.push_back(row);
        }
        return out;
    }

    static double Sum(const std::vector<ResultRow>& rows, const std::string& field) {
        double sum = 0;
        for (const ResultRow& row : rows)
            if (row.at(field) != "NULL") sum += std::stod(row.at(field));
        return sum;
    }
    // field key -> sum of another field, over result rows.
    static std::map<std::string, double> SumBy(const std::vector<ResultRow>& rows,
                                               const std::string& key, const std::string& field) {
        std::map<std::string, double> sums;
        for (const ResultRow& row : rows)
            sums[row.at(key)] += row.at(field) == "NULL" ? 0 : std::stod(row.at(field));
        return sums;
    }
    static void ExpectSums(const std::map<std::string, double>& actual,
                           const std::map<std::string, double>& expected) {
        ASSERT_EQ(actual.size(), expected.size());
        for (const auto& [key, sum] : expected) {
            ASSERT_TRUE(actual.count(key)) << key;
            EXPECT_NEAR(actual.at(key), sum, 0.005) << key;
        }
    }
    std::set<std::string> StockParts() const {
        std::set<std::string> parts;
        for (const Stock& s : rows_.stock)
            parts.insert(s.part);
        return parts;
    }
    bool IsLabour(const std::string& item) const {
        for (const std::string& labour : rows_.labourItems)
            if (labour == item) return true;
        return false;
    }

    AccountRows rows_;
    CStatisticsEngine engine_;
    std::vector<wxString> columns_;
};

TEST_F(StatisticsEngineTest, EveryModeAndFormRunsOnTheEngine) {
    const char* choices[] = {"",         "全部",   "张三",     "北方配件",
                             "运输公司", "维修部", "机油滤芯", "O'Brien"};
    for (int mode : CStatisticsEngine::kModes)
        for (bool summary : {false, true})
            for (const char* choice : choices) {
                Run(mode, summary, choice);
                EXPECT_TRUE(boxes_.Shown().empty())
                    << mode << summary << choice << " " << engine_.LastPlan().statement;
                boxes_.Clear();
                EXPECT_EQ(engine_.LastPlan().title, CStatisticsEngine::ReportName(mode, summary));
            }
}

TEST_F(StatisticsEngineTest, SalesPurchasesAndLedgerSumsAgreeWithTheRows) {
    std::map<std::string, double> bySupplier, byOrderSupplier, byCustomerP, byPlateW, byStaff,
        byBuyer, byUnitKind;
    double detailP = 0;
    int linesP = 0;
    for (const Purchase& p : rows_.purchases)
        if (InRange(p.date)) bySupplier[p.supplier] += p.qty * p.cost;
    for (const Purchase& p : rows_.orders)
        if (InRange(p.date)) byOrderSupplier[p.supplier] += p.qty * p.cost;
    for (const Sale& s : rows_.sales) {
        if (!InRange(s.date)) continue;
        (s.flag == "P" ? byCustomerP : byPlateW)[s.customer] += s.qty * s.price;
        byStaff[s.noStaff ? "NULL" : s.staff] += s.qty * s.price;
        byBuyer[s.customer] += s.qty * s.price;
        if (s.flag == "P") {
            detailP += s.qty * s.price;
            ++linesP;
        }
    }
    for (const Ledger& l : rows_.ledger)
        if (InRange(l.date)) byUnitKind[l.unit + "/" + l.kind] += l.amount;

    ExpectSums(SumBy(Run(1, true), "供应商", "金额"), bySupplier);
    ExpectSums(SumBy(Run(13, true), "供应商", "金额"), byOrderSupplier);
    ExpectSums(SumBy(Run(2, true), "客户", "金额"), byCustomerP);
    ExpectSums(SumBy(Run(3, true), "车牌号码", "金额"), byPlateW);
    ExpectSums(SumBy(Run(6, true), "姓名", "金额"), byStaff);
    ExpectSums(SumBy(Run(9, true), "客户", "金额"), byBuyer);
    std::vector<ResultRow> debts = Run(5, true);
    for (ResultRow& row : debts)
        row["key"] = row["单位"] + "/" + row["类别"];
    ExpectSums(SumBy(debts, "key", "金额"), byUnitKind);

    const std::vector<ResultRow> detail = Run(2, false);
    EXPECT_EQ(int(detail.size()), linesP);
    EXPECT_NEAR(Sum(detail, "金额"), detailP, 0.005);
    // The trailing record number is loaded but not shown.
    EXPECT_EQ(columns_.back(), wxString::FromUTF8("备注"));

    // One chosen supplier: only its lines.
    const std::vector<ResultRow> one = Run(1, false, "北方配件");
    for (const ResultRow& row : one)
        EXPECT_EQ(row.at("供应商"), "北方配件");
    EXPECT_NEAR(Sum(one, "金额"), bySupplier["北方配件"], 0.005);
}

TEST_F(StatisticsEngineTest, MembershipProgressCountsCardItemsWithinTheCard) {
    std::map<std::string, double> done;
    int lines = 0;
    for (const Sale& s : rows_.sales) {
        const bool member = std::count(rows_.members.begin(), rows_.members.end(), s.customer);
        const bool covered = std::count(rows_.cardItems.begin(), rows_.cardItems.end(), s.item);
        if (s.flag == "W" && member && covered && InRange(s.date) && s.date >= "2024-05-10") {
            done[s.customer + "/" + s.item] += s.qty;
            ++lines;
        }
    }
    ASSERT_FALSE(done.empty());
    std::vector<ResultRow> rows = Run(4, true);
    for (ResultRow& row : rows)
        row["key"] = row["车牌号码"] + "/" + row["项目名称"];
    ExpectSums(SumBy(rows, "key", "完成次数"), done);
    EXPECT_EQ(int(Run(4, false).size()), lines);
    EXPECT_EQ(int(Run(4, false, "金卡").size()), lines);
}

TEST_F(StatisticsEngineTest, DebtsOfASettlementUnitCoverItsVehicles) {
    std::set<std::string> fleet;
    for (const Vehicle& v : rows_.vehicles)
        if (v.settlement == "运输公司") fleet.insert(v.plate);
    std::map<std::string, double> fleetSums;
    double unitSum = 0;
    for (const Ledger& l : rows_.ledger) {
        if (!InRange(l.date)) continue;
        if (fleet.count(l.unit)) fleetSums[l.unit + "/" + l.kind] += l.amount;
        if (l.unit == "华通公司") unitSum += l.amount;
    }
    std::vector<ResultRow> rows = Run(5, true, "运输公司");
    for (ResultRow& row : rows)
        row["key"] = row["单位"] + "/" + row["类别"];
    ExpectSums(SumBy(rows, "key", "金额"), fleetSums);
    // Any other choice is one ledger unit, grouped by 类别.
    EXPECT_NEAR(Sum(Run(5, true, "华通公司"), "金额"), unitSum, 0.005);
}

TEST_F(StatisticsEngineTest, StockTakingCountsEachPartOnceWhateverItsBins) {
    const std::set<std::string> inStock = StockParts();
    std::map<std::string, double> stock, sold;
    for (const Stock& s : rows_.stock)
        stock[s.part] += s.qty;
    for (const Sale& s : rows_.sales)
        if (InRange(s.date) && inStock.count(s.part) && !IsLabour(s.item))
            sold[s.model + "/" + s.part] += s.qty;

    for (int mode : {7, 8}) {
        std::vector<ResultRow> rows = Run(mode, true);
        std::map<std::string, double> soldRows;
        std::set<std::string> listedParts;
        for (ResultRow& row : rows) {
            EXPECT_EQ(row.at("实际数量"), "NULL");
            EXPECT_NEAR(std::stod(row.at("库存量")), stock[row.at("编号")], 0.005)
                << row.at("编号");
            const double quantity = std::stod(row.at("销售数量"));
            if (quantity != 0 || mode == 7)
                soldRows[row.at("车型") + "/" + row.at("编号")] += quantity;
            listedParts.insert(row.at("编号"));
        }
        ExpectSums(soldRows, sold);
        // The stock-taking lists unsold stock too; the sales stock-taking does not.
        if (mode == 8)
            EXPECT_EQ(listedParts, inStock);
        else
            EXPECT_LT(listedParts.size(), inStock.size() + 1);
    }
    // Detail lines are never merged or repeated per bin.
    int lines = 0;
    for (const Sale& s : rows_.sales)
        if (InRange(s.date) && inStock.count(s.part) && !IsLabour(s.item)) ++lines;
    EXPECT_EQ(int(Run(7, false).size()), lines);
    EXPECT_EQ(int(Run(8, false).size()), lines);
    // The stock-taking's lines show the part as the stock holds it (its first row).
    CDataSet().UpdateWhere("ljkc", wxString::FromUTF8("备注"), wxString::FromUTF8("盘点"),
                           wxString());
    std::map<std::string, const Stock*> firstRow;
    for (const Stock& s : rows_.stock)
        firstRow.emplace(s.part, &s);
    for (const ResultRow& row : Run(8, false)) {
        const Stock& s = *firstRow.at(row.at("编号"));
        EXPECT_EQ(row.at("车型"), s.model) << row.at("编号");
        EXPECT_EQ(row.at("厂牌"), s.brand) << row.at("编号");
        EXPECT_EQ(row.at("备注"), "盘点") << row.at("编号");
    }
}

TEST_F(StatisticsEngineTest, ProfitByDepartmentLabelsLinesWithoutSalespersonByTheirFlag) {
    std::map<std::string, std::string> departmentOf;
    for (const Staff& s : rows_.staff)
        departmentOf[s.name] = s.department;
    std::map<std::string, double> turnover, cost;
    double margin = 0;
    for (const Sale& s : rows_.sales) {
        if (!InRange(s.date)) continue;
        std::string key = s.noStaff ? (s.flag == "W" ? "其它维修" : "其它配件")
                          : departmentOf.count(s.staff) ? departmentOf[s.staff]
                                                        : s.staff;
        turnover[key] += s.price * s.qty;
        cost[key] += s.cost * s.qty;
        margin += (s.price - s.cost) * s.qty;
    }
    std::vector<ResultRow> rows = Run(10, true);
    ASSERT_FALSE(rows.empty());
    const ResultRow total = rows.back();
    rows.pop_back();
    EXPECT_EQ(total.at("部门"), "合计");
    ExpectSums(SumBy(rows, "部门", "营业额"), turnover);
    ExpectSums(SumBy(rows, "部门", "成本"), cost);
    EXPECT_NEAR(std::stod(total.at("毛利")), margin, 0.01);
    EXPECT_NEAR(std::stod(total.at("营业额")), Sum(rows, "营业额"), 0.01);
    EXPECT_NEAR(std::stod(total.at("成本")), Sum(rows, "成本"), 0.01);

    // One department: the lines of its staff only, each once.
    double repairDept = 0;
    int repairLines = 0;
    for (const Sale& s : rows_.sales)
        if (InRange(s.date) && !s.noStaff && departmentOf.count(s.staff) &&
            departmentOf[s.staff] == "维修部") {
            repairDept += (s.price - s.cost) * s.qty;
            ++repairLines;
        }
    std::vector<ResultRow> detail = Run(10, false, "维修部");
    ASSERT_EQ(int(detail.size()), repairLines + 1);
    EXPECT_NEAR(std::stod(detail.back().at("毛利")), repairDept, 0.01);
}

TEST_F(StatisticsEngineTest, CommissionsUseTheRatesOfTheOptions) {
    CSettingFiles::WriteSettingFile("SystemSet",
                                    wxString::FromUTF8("项目名称=10,零售价=5,批发价=2,"));
    std::map<std::string, double> amountByStaff;
    double amount = 0;
    for (const Sale& s : rows_.sales) {
        if (!InRange(s.date)) continue;
        amountByStaff[s.noStaff ? "NULL" : s.staff] += s.qty * s.price;
        amount += s.qty * s.price;
    }
    for (bool summary : {false, true}) {
        std::vector<ResultRow> rows = Run(11, summary);
        ASSERT_FALSE(rows.empty());
        const ResultRow total = rows.back();
        rows.pop_back();
        EXPECT_EQ(total.at("姓名"), "合计");
        ExpectSums(SumBy(rows, "姓名", "金额"), amountByStaff);
        EXPECT_NEAR(std::stod(total.at("金额")), amount, 0.01);
        // Each row's commission at its kind's rate, kept to the fen.
        for (const ResultRow& row : rows) {
            const double rate = row.at("厂牌") == "维修项目" ? 10 : row.at("flag") == "W" ? 5 : 2;
            EXPECT_NEAR(std::stod(row.at("提成")), std::stod(row.at("金额")) * rate * 0.01, 0.0051);
        }
        EXPECT_NEAR(std::stod(total.at("提成")), Sum(rows, "提成"), 0.01);
        // flag and no stay hidden; 备注 or 厂牌 too.
        EXPECT_EQ(columns_.size() + 3, rows.front().size());
    }
    // Summary order: parts sales rows, then labour, then other repair lines.
    std::vector<ResultRow> rows = Run(11, true);
    rows.pop_back();
    int phase = 0;
    for (const ResultRow& row : rows) {
        const int kind = row.at("flag") == "P" ? 0 : row.at("厂牌") == "维修项目" ? 1 : 2;
        EXPECT_GE(kind, phase);
        phase = kind;
    }
    // Rates of 0 give no commission.
    CSettingFiles::WriteSettingFile("SystemSet", wxString());
    rows = Run(11, false);
    EXPECT_EQ(Sum(rows, "提成"), 0);
}

TEST_F(StatisticsEngineTest, AnEmptyPeriodGivesNoTotalRow) {
    StatisticsRequest request;
    request.from = request.to = "2030-01-01";
    CDataSet result, aux;
    for (int mode : {10, 11})
        for (bool summary : {false, true}) {
            request.mode = mode;
            request.summary = summary;
            ASSERT_TRUE(engine_.Run(request, result, aux));
            EXPECT_EQ(result.m_pRecordset->RecordCount(), 0) << mode << summary;
        }
}

TEST_F(StatisticsEngineTest, AChoiceHoldingAQuoteIsAValueNotSql) {
    std::vector<ResultRow> rows = Run(2, false, "O'Brien\" or 1=1");
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(boxes_.Shown().empty());
}

TEST(StatisticsAmountTotal, ShowsNegativeTotalsAndNothingForNone) {
    EXPECT_EQ(CStatisticsEngine::AmountTotalText(-12.5), wxString::FromUTF8("总计:-12.50"));
    EXPECT_EQ(CStatisticsEngine::AmountTotalText(0.1), wxString::FromUTF8("总计:0.10"));
    EXPECT_EQ(CStatisticsEngine::AmountTotalText(0), wxString());
    EXPECT_EQ(CStatisticsEngine::AmountTotalText(0.001), wxString());
}

} // namespace
