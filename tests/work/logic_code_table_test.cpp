// The code-table page's statements, price rights, stock totals and the saved copy of
// its new lines, run on real tables.
#include "work/code_table_copy.h"
#include "work/code_table_modes.h"
#include "work/code_table_query.h"
#include "work/code_table_totals.h"
#include "work/line_fields.h"
#include "work_tables_fixture.h"

#include "platform/files.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace work;

namespace {

class CodeTableTest : public WorkTablesTest {
protected:
    void SetUp() override {
        WorkTablesTest::SetUp();
        MakeTables({"ljml", "jmb", "hy"}, *frame_);
        Insert("ljml", {{{"车型", "捷达"}, {"部位", "发动机"}, {"零件名称", "机油滤清器"},
                         {"编号", "J-01"}},
                        {{"车型", "捷达"}, {"部位", "底盘"}, {"零件名称", "刹车片"}, {"编号", "J-02"}},
                        {{"车型", "Q"}, {"部位", "车身"}, {"零件名称", "后视镜"}, {"编号", "Q-1"}},
                        {{"部位", "车身"}, {"零件名称", "雨刮%片"}, {"编号", "X_1"}}});
        Insert("ljkc", {{{"车型", "捷达"}, {"零件名称", "刹车片"}, {"货位", "一库A3"},
                         {"供应商", "博世"}, {"数量", "2"}, {"进价", "60"}, {"批发价", "80"},
                         {"零售价", "100"}},
                        {{"车型", "捷达"}, {"零件名称", "机油"}, {"货位", "二库B1"},
                         {"数量", "3"}, {"进价", "10.5"}},
                        {{"车型", "捷达"}, {"零件名称", "灯泡"}, {"货位", "一库C1"}, {"进价", "5"}}});
        Insert("jmb", {{{"零件名称", "刹车片"}, {"简码", "SCP"}}});
        // Typed names refuse quotes, but a stored one may hold them (an import).
        CDataSet data;
        data.Open(U("select * from ljml where 编号='Q-1'"));
        ASSERT_TRUE(data.IsOpen());
        PutText(data.m_pRecordset, "车型", U("O'Neil"));
        ASSERT_EQ(data.Save(data.m_pRecordset), 1);
    }

    // The part names a code-table statement lists.
    std::vector<wxString> Listed(const CodeTableMode& mode, const CodeTableFilter& filter) {
        return Column(BuildCodeTableStatement(mode, filter).statement, "零件名称");
    }
    static CodeTableFilter Value(const char* value) {
        CodeTableFilter filter;
        filter.value = U(value);
        return filter;
    }
    static const CodeTableMode& Mode(int mode) { return *FindCodeTableMode(mode); }
};

TEST_F(CodeTableTest, FilterValuesNarrowTheTableAndTheCatalogueIsNeverListedWhole) {
    using Names = std::vector<wxString>;
    const struct {
        int mode;
        const char* value;
        Names names;
    } cases[] = {
        // The catalogue: an empty value lists the rows without a model, "全部" is a model.
        {4, "", {U("雨刮%片")}},
        {4, "全部", {}},
        {4, "捷达", {U("机油滤清器"), U("刹车片")}},
        {4, "O'Neil", {U("后视镜")}}, // a stored name with a quote
        // The stock: empty or "全部" lists every row.
        {9, "", {U("刹车片"), U("机油"), U("灯泡")}},
        {9, "全部", {U("刹车片"), U("机油"), U("灯泡")}},
        {9, "别克", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.mode) + " " + c.value);
        EXPECT_EQ(Listed(Mode(c.mode), Value(c.value)), c.names);
    }
    EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(CodeTableTest, StoreSupplierAndPositionNarrowFurther) {
    CodeTableFilter filter = Value("全部");
    filter.store = U("一库");
    EXPECT_EQ(Listed(Mode(9), filter), (std::vector<wxString>{U("刹车片"), U("灯泡")}));
    filter.store = U("全部");
    EXPECT_EQ(Listed(Mode(9), filter).size(), 3u);
    filter.store = U("库'房");
    EXPECT_TRUE(Listed(Mode(9), filter).empty());

    filter = Value("捷达");
    filter.byPosition = true;
    filter.position = U("底盘");
    EXPECT_EQ(Listed(Mode(4), filter), std::vector<wxString>{U("刹车片")});
    filter.position = U("车'身\"");
    EXPECT_TRUE(Listed(Mode(4), filter).empty());
    // The stock-in records have no 部位 filter.
    EXPECT_EQ(BuildCodeTableStatement(Mode(17), filter).statement.Find(U("部位")), wxNOT_FOUND);

    const wxString supplier = [] {
        CodeTableFilter f = Value("");
        f.supplier = U("博'世");
        return BuildCodeTableStatement(*FindCodeTableMode(15), f).statement;
    }();
    EXPECT_EQ(supplier, U("select * from hy where no!=0 and 供应商=\"博'世\""));
    EXPECT_TRUE(Column(supplier, "零件名称").empty());
    EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(CodeTableTest, SearchResultsTakeTheirConditionOrFallBackToEveryRow) {
    CodeTableFilter filter = Value("捷达");
    filter.search = true;
    filter.searchText = U("select * from ljml where 编号='Q-1'");
    EXPECT_EQ(Listed(Mode(4), filter), std::vector<wxString>{U("后视镜")});

    filter.searchText = U("where 编号='Q-1'"); // "where" must follow something
    const CodeTableStatement all = BuildCodeTableStatement(Mode(4), filter);
    EXPECT_TRUE(all.showsAll);
    EXPECT_EQ(Column(all.statement, "零件名称").size(), 4u);
}

TEST_F(CodeTableTest, QuickSearchFindsByNameNumberOrShortCodeTakingTextLiterally) {
    auto found = [](const char* field, const char* text, const char* model) {
        return Column("select * from ljml" + QuickSearchWhere(U(field), U(text), U(model)),
                      "零件名称");
    };
    EXPECT_EQ(found("零件名称", "滤清", ""), std::vector<wxString>{U("机油滤清器")});
    EXPECT_EQ(found("编号", "J-0", "捷达").size(), 2u);
    EXPECT_TRUE(found("编号", "J-0", "O'Neil").empty());
    EXPECT_EQ(found("简码", "SC", ""), std::vector<wxString>{U("刹车片")});
    // "%" and "_" are no wildcards.
    EXPECT_EQ(found("零件名称", "%", ""), std::vector<wxString>{U("雨刮%片")});
    EXPECT_EQ(found("编号", "_", ""), std::vector<wxString>{U("雨刮%片")});
    const std::string longText(500, 'x');
    EXPECT_TRUE(found("零件名称", longText.c_str(), "").empty());
    EXPECT_TRUE(boxes_.Texts().empty());
}

TEST(CodeTableModes, PriceColumnsFollowTheirRights) {
    using Titles = std::vector<wxString>;
    const struct {
        std::vector<int> denied;
        Titles hidden;
    } cases[] = {
        {{}, {}},
        {{51}, {U("进价")}},
        {{22, 50}, {U("批发价"), U("代理价")}},
        {{51, 22, 50, 13}, {U("进价"), U("批发价"), U("代理价")}},
    };
    for (const auto& c : cases) {
        auto has = [&c](int right) {
            return std::find(c.denied.begin(), c.denied.end(), right) == c.denied.end();
        };
        EXPECT_EQ(HiddenPriceColumns(has), c.hidden);
    }
    EXPECT_EQ(FindCodeTableMode(12), nullptr);
    EXPECT_EQ(FindCodeTableMode(18), nullptr);
    EXPECT_STREQ(FindCodeTableMode(17)->table, "jhda");
}

TEST_F(CodeTableTest, StockTotalsSkipMissingValuesAndStarsWhenTooLong) {
    auto rs = std::make_shared<ado::Recordset>();
    ASSERT_TRUE(frame_->m_dsMain.OpenInto(U("select * from ljkc"), rs));
    const StockTotals totals = SumStock(rs);
    EXPECT_FLOAT_EQ(totals.cost, 2 * 60 + 3 * 10.5f); // 灯泡 has no quantity
    EXPECT_FLOAT_EQ(totals.wholesale, 160);
    EXPECT_FLOAT_EQ(totals.retail, 200);
    EXPECT_EQ(StockTotalText(151.5f), "152");
    EXPECT_EQ(StockTotalText(12345678.0f), "12345678");
    EXPECT_EQ(StockTotalText(123456789.0f), "******");
}

TEST_F(CodeTableTest, SavedCopyHoldsOnlyNewLinesAndBringsThemBackNumberedOn) {
    CCodeTableCopy copy(U("零件目录"), "ljml");
    auto rs = std::make_shared<ado::Recordset>();
    ASSERT_TRUE(frame_->m_dsMain.OpenInto(U("select * from ljml where no!=0"), rs));
    rs->AddNew();
    PutText(rs, "零件名称", U("水泵"));
    PutNumber(rs, "no", -58);
    rs->Update();
    copy.Keep(frame_->m_dsMain, rs);
    ASSERT_TRUE(copy.Exists());

    // The next run: the stored rows once, the new line added after them.
    auto next = std::make_shared<ado::Recordset>();
    ASSERT_TRUE(frame_->m_dsMain.OpenInto(U("select * from ljml where no!=0"), next));
    long lastNo = 4;
    EXPECT_EQ(copy.Restore(frame_->m_dsMain, next, lastNo), 1);
    EXPECT_EQ(lastNo, 5);
    EXPECT_EQ(next->RecordCount(), 5);
    next->MoveLast();
    EXPECT_EQ(FieldText(next, "零件名称"), U("水泵"));
    EXPECT_EQ(FieldNumber(next, "no"), -5);
    frame_->m_dsMain.NumberRows(next, "ljml");
    ASSERT_EQ(frame_->m_dsMain.Save(next), 1);
    EXPECT_EQ(Column(U("select * from ljml where 零件名称='水泵'"), "no"),
              std::vector<wxString>{"5"});

    // Nothing new left: the copy goes.
    copy.Keep(frame_->m_dsMain, next);
    EXPECT_FALSE(copy.Exists());
    long unchanged = 5;
    EXPECT_EQ(copy.Restore(frame_->m_dsMain, next, unchanged), 0);
    EXPECT_EQ(unchanged, 5);
}

} // namespace
