// Recordsets shown in grids: numbers, titles, money, widths, row modes, progress, the
// lookup grid with the price columns the user may see, and opening into a grid.
#include "recordset_fixture.h"

#include "data/data_progress.h"
#include "grid/data_set_grid.h"
#include "grid/lookup_pane.h"

namespace {

// Counts the steps of every progress bar shown meanwhile.
class ProgressCount {
public:
    ProgressCount() {
        previous_ = CDataProgress::SetDisplayFactory([this] {
            struct Display : CDataProgress::Display {
                ProgressCount* owner;
                explicit Display(ProgressCount* o) : owner(o) {}
                void Show(const wxString&, int, int, bool) override { ++owner->shown; }
                void Step(int) override { ++owner->steps; }
                void SetText(const wxString&) override {}
            };
            return std::make_unique<Display>(this);
        });
    }
    ~ProgressCount() { CDataProgress::SetDisplayFactory(std::move(previous_)); }
    int shown = 0;
    int steps = 0;

private:
    CDataProgress::DisplayFactory previous_;
};

std::vector<std::pair<const char*, const char*>> Stock(int n) {
    static std::vector<std::string> codes;
    codes.clear();
    for (int i = 0; i < n; ++i)
        codes.push_back("P" + std::to_string(1000 + i));
    std::vector<std::pair<const char*, const char*>> rows;
    for (const std::string& code : codes)
        rows.push_back({"刹车片", code.c_str()});
    return rows;
}

} // namespace

class GridLoad : public RecordsetGridTest {};

TEST_F(GridLoad, ShowsNumbersTitlesAndMoney) {
    AddStock({{"刹车片", "A-1"}, {"机油滤芯", "A-2"}, {"火花塞", "A-3"}});
    CGridCtrl* grid = OpenGrid("select * from ljkc order by no", "ljkc");
    ASSERT_EQ(grid->GetColumnCount(), 17); // 序号 and the 16 fields
    ASSERT_EQ(grid->GetRowCount(), 4);
    EXPECT_EQ(grid->GetItemText(0, 0), U("序号"));
    EXPECT_EQ(grid->GetItemText(0, 1), U("定货单"));
    EXPECT_EQ(grid->GetItemText(3, 0), "3");
    EXPECT_EQ(grid->GetItemText(2, ColumnOf(grid, "零件名称")), U("机油滤芯"));
    EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "零售价")), "12.50"); // numeric: money
    EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "数量")), "2");       // integer: as it is
    EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "备注")), "");        // Null: empty
    EXPECT_TRUE(grid->IsMoneyColumn(ColumnOf(grid, "进价")));
    EXPECT_EQ(grid->GetColumnWidth(0), 46);
    EXPECT_EQ(grid->GetColumnWidth(ColumnOf(grid, "编号")), 120);
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(GridLoad, MoneyTexts) {
    AddStock(Stock(6));
    const char* prices[] = {"0", "0.05", "-3.5", "1234.5", "99999.99", "-0.01"};
    const char* shown[] = {"0.00", "0.05", "-3.50", "1234.50", "99999.99", "-0.01"};
    CGridCtrl* grid = OpenGrid("select * from ljkc order by no", "ljkc");
    for (int row = 1; row <= 6; ++row)
        grid->PutFieldText(ColumnOf(grid, "零售价"), row, prices[row - 1]);
    data_grid::LoadGrid(data, grid->m_rsBound, grid, wxString(), wxString(), 0, 0);
    for (int row = 1; row <= 6; ++row)
        EXPECT_EQ(grid->GetItemText(row, ColumnOf(grid, "零售价")), shown[row - 1]);
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(GridLoad, FieldCountAndRowModes) {
    AddStock(Stock(10));
    struct Case {
        int fieldCount, rowMode, columns, rows;
        const char* firstCode; // in row 1
    } cases[] = {
        {4, 0, 5, 11, "P1000"},   {0, 0, 17, 11, "P1000"}, {0, 1, 17, 10, "P1001"},
        {0, -1, 17, 10, "P1000"}, {0, 4, 17, 4, "P1001"},  {0, -2, 17, 1, nullptr},
    };
    for (const Case& c : cases) {
        CGridCtrl* grid = NewGrid("ljkc");
        ASSERT_EQ(data_grid::OpenIntoGrid(data, U("select * from ljkc order by no"), grid), 1);
        data_grid::LoadGrid(data, grid->m_rsBound, grid, wxString(), wxString(), c.fieldCount,
                            c.rowMode);
        EXPECT_EQ(grid->GetColumnCount(), c.columns) << c.rowMode;
        EXPECT_EQ(grid->GetRowCount(), c.rows) << c.rowMode;
        if (c.firstCode && c.fieldCount == 0) {
            EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "编号")), c.firstCode) << c.rowMode;
        }
        grid->Destroy();
    }
}

TEST_F(GridLoad, FilterValueRestrictsTheRecords) {
    AddStock({{"刹车片", "A-1"}, {"机油滤芯", "A-2"}, {"火花塞", "A-3"}});
    CGridCtrl* grid = NewGrid("ljkc");
    ASSERT_EQ(data_grid::OpenIntoGrid(data, U("select * from ljkc"), grid), 1);
    data_grid::LoadGrid(data, grid->m_rsBound, grid, U("编号"), "A-2", 0, 0);
    ASSERT_EQ(grid->GetRowCount(), 2);
    EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "零件名称")), U("机油滤芯"));
}

TEST_F(GridLoad, ProgressStepsOnlyAboveFortyRecords) {
    AddStock(Stock(41));
    for (const char* statement : {"select * from ljkc where no<=40", "select * from ljkc"}) {
        ProgressCount progress;
        CGridCtrl* grid = NewGrid("ljkc");
        ASSERT_EQ(data_grid::OpenIntoGrid(data, U(statement), grid), 1);
        data_grid::LoadGrid(data, grid->m_rsBound, grid, wxString(), wxString(), 0, 0);
        const long n = grid->m_rsBound->RecordCount();
        EXPECT_EQ(progress.steps, n > 40 ? n : 0) << statement;
        // the same for a reload of the grid from its recordset
        progress.steps = 0;
        grid->LoadRecordset();
        EXPECT_EQ(progress.steps, n > 40 ? n : 0) << statement;
        grid->Destroy();
    }
    ProgressCount none;
    CGridCtrl* empty = OpenGrid("select * from ljkc where no<0", "ljkc");
    EXPECT_EQ(empty->GetRowCount(), 1);
    EXPECT_EQ(none.shown, 0);
}

TEST_F(GridLoad, DefaultWidthsByTitle) {
    struct Case {
        const char* title;
        int width;
    } cases[] = {
        {"编号", 120},    {"帐号", 120},    {"零件名称", 100},  {"来店日期", 82}, {"配件类别", 82},
        {"车牌号码", 82}, {"住宅电话", 92}, {"联系人手机", 92}, {"零售价", 65},   {"金额", 65},
        {"姓名", 67},     {"数量", 46},     {"序号", 46},       {"地址", 150},    {"型号", 40},
        {"abc", 30},      {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CDataSet::DefaultColumnWidth(U(c.title)), c.width) << c.title;
}

TEST_F(GridLoad, SavedWidthsComeFromFieldlong) {
    AddStock({{"刹车片", "A-1"}});
    CGridCtrl* first = OpenGrid("select * from ljkc", "ljkc");
    first->SetColumnWidth(2, 77);
    first->SetColumnWidth(5, 3); // kept within 8..1000
    data.SaveColumnWidths(first);
    CGridCtrl* second = OpenGrid("select * from ljkc", "ljkc");
    EXPECT_EQ(second->GetColumnWidth(2), 77);
    EXPECT_EQ(second->GetColumnWidth(5), 8);
    EXPECT_EQ(data.m_strFieldLongTable, "ljkc");
    // the grid still shows the stock, not the widths' row
    EXPECT_EQ(second->GetItemText(1, ColumnOf(second, "编号")), "A-1");
}

TEST_F(GridLoad, RefillShowsEveryRecordUpToTheLimit) {
    AddStock({{"刹车片", "A-1"}});
    CGridCtrl* grid = OpenGrid("select * from ljkc", "ljkc");
    grid->SetItemText(0, 1, "kept title");
    data_grid::LoadGridEx(grid->m_rsBound, grid, 0, 10);
    ASSERT_EQ(grid->GetRowCount(), 2); // a single record is shown too
    EXPECT_EQ(grid->GetItemText(0, 1), "kept title");
    AddStock(Stock(5));
    ASSERT_EQ(data_grid::OpenIntoGrid(data, U("select * from ljkc"), grid), 1);
    data_grid::LoadGridEx(grid->m_rsBound, grid, 0, 3);
    EXPECT_EQ(grid->GetRowCount(), 4);
    data_grid::LoadGridEx(grid->m_rsBound, grid, 0, 0);
    EXPECT_EQ(grid->GetRowCount(), 1);
}

TEST_F(GridLoad, OpenIntoGridReportsFailure) {
    CGridCtrl* grid = NewGrid("ljkc");
    EXPECT_EQ(data_grid::OpenIntoGrid(data, U("select * from nosuchtable"), grid), 0);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_NE(boxes.Shown()[0].text.find(" Error: "), std::string::npos);
    // what a form does next finds an empty grid, not a crash
    data_grid::LoadGrid(data, grid->m_rsBound, grid, wxString(), wxString(), 0, 0);
    data_grid::LoadGridEx(grid->m_rsBound, grid, 0, 10);
    grid->LoadRecordset();
    EXPECT_EQ(grid->GetRowCount(), 1);
    grid->SetFocusCell(0, 0);
    EXPECT_TRUE(grid->DeleteSelectedRecord());
    EXPECT_EQ(data_grid::OpenIntoGrid(data, U("SELECT * from ljkc"), grid),
              1); // capitals are a statement
    EXPECT_TRUE(grid->m_bCloseRsOnDestroy);
    EXPECT_EQ(grid->m_rsBound->ActiveConnection(), frame_->m_pConnection);
    // a data set with a connection of its own lends it to the grid
    CDataSet own;
    ASSERT_EQ(own.OpenShowError(wxString(), wxString()), 1);
    ASSERT_EQ(data_grid::OpenIntoGrid(own, U("select * from ljkc"), grid), 1);
    EXPECT_EQ(own.m_nState, 2);
    EXPECT_EQ(grid->m_rsBound->ActiveConnection(), own.m_pConnection);
}

class LookupGrid : public RecordsetGridTest {
protected:
    void SetUp() override {
        RecordsetGridTest::SetUp();
        AddStock({{"刹车片", "A-1"}, {"机油滤芯", "A-2"}});
    }
    void TearDown() override {
        frame_->m_dsMain.m_pGrid.reset();
        RecordsetGridTest::TearDown();
    }
    std::vector<wxString> Titles() {
        std::vector<wxString> titles;
        CGridCtrl* grid = frame_->m_dsMain.m_pGrid.get();
        for (int col = 0; grid && col < grid->GetColumnCount(); ++col)
            titles.push_back(grid->GetItemText(0, col));
        return titles;
    }
    bool Has(const char* title) {
        const std::vector<wxString> titles = Titles();
        return std::find(titles.begin(), titles.end(), U(title)) != titles.end();
    }
};

TEST_F(LookupGrid, PriceColumnsFollowRightsAndThreeLevelOption) {
    struct Case {
        const char* rights;
        const char* options;
        bool cost, wholesale, agent;
    } cases[] = {
        {"admin,", "三级模式=1,", true, true, true},
        {"clerk,61,", "三级模式=1,", false, true, true},
        {"clerk,32,", "三级模式=1,", true, false, true},
        {"admin,", "三级模式=0,", true, true, false},
        {"admin,", "", true, true, false},
        {"clerk,60,", "三级模式=1,", true, true, false},
    };
    for (const Case& c : cases) {
        frame_->m_strRights = c.rights;
        ASSERT_EQ(CSettingFiles::WriteSettingFile("SystemSet", U(c.options)), 1);
        ASSERT_EQ(data_grid::LoadPartsGrid(frame_->m_dsMain, U("select * from ljkc"), 0, true), 1);
        EXPECT_EQ(Has("进价"), c.cost) << c.rights << c.options;
        EXPECT_EQ(Has("批发价"), c.wholesale) << c.rights << c.options;
        EXPECT_EQ(Has("代理价"), c.agent) << c.rights << c.options;
        CGridCtrl* grid = frame_->m_dsMain.m_pGrid.get();
        EXPECT_TRUE(grid->m_bPickGrid);
        EXPECT_EQ(grid->GetTableName(), "ljkc");
        EXPECT_EQ(grid->GetRowCount(), 3);
        // the money marks stay with their columns
        EXPECT_TRUE(grid->IsMoneyColumn(ColumnOf(grid, "零售价")));
        EXPECT_FALSE(grid->IsMoneyColumn(ColumnOf(grid, "货位")));
    }
    // The number column is as wide as its heading.
    CGridCtrl heading(1, 1, 1, 1);
    heading.SetItemText(0, 0, U("序号"));
    heading.AutoSize();
    EXPECT_EQ(frame_->m_dsMain.m_pGrid->GetColumnWidth(0), heading.GetColumnWidth(0));
}

TEST_F(LookupGrid, SupplierTableHidesWholesaleWithoutCostRight) {
    CreateTable("hy");
    {
        CDataSet set;
        set.Open("select * from hy where no=0");
        set.m_pRecordset->AddNew();
        set.PutFieldValue(U("刹车片"), U("零件名称"), set.m_pRecordset);
        set.NumberRows(set.m_pRecordset, "hy");
        ASSERT_EQ(set.Save(set.m_pRecordset), 1);
    }
    frame_->m_strRights = "clerk,61,";
    ASSERT_EQ(data_grid::LoadPartsGrid(frame_->m_dsMain, U("select * from hy"), 0, true), 1);
    EXPECT_TRUE(Has("零售价"));
    EXPECT_FALSE(Has("批发价"));
    EXPECT_FALSE(Has("no")); // fields from `no` on are not shown
}

TEST_F(LookupGrid, EmptyResultFailureAndCreateOnly) {
    EXPECT_EQ(
        data_grid::LoadPartsGrid(frame_->m_dsMain, U("select * from ljkc where no<0"), 0, true), 0);
    EXPECT_EQ(frame_->m_dsMain.m_pGrid, nullptr);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"对不起，没有符合条件的记录！"});
    boxes.Clear();
    EXPECT_EQ(
        data_grid::LoadPartsGrid(frame_->m_dsMain, U("select * from ljkc where no<0"), 0, false),
        0);
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(data_grid::LoadPartsGrid(frame_->m_dsMain, U("select * from nosuchtable"), 0, true),
              0);
    EXPECT_EQ(boxes.Shown().size(), 1u); // the open's error, nothing more
    EXPECT_EQ(frame_->m_dsMain.m_pGrid, nullptr);

    struct Pane : CLookupPane {
        wxWindow* view;
        explicit Pane(wxWindow* v) : view(v) {}
        wxWindow* ShowUpperPane() override { return view; }
    } pane(frame);
    CLookupPane* previous = CLookupPane::Install(&pane);
    EXPECT_EQ(data_grid::LoadPartsGrid(frame_->m_dsMain, "#GreateGrid#", 0, true), 1);
    CGridCtrl* grid = frame_->m_dsMain.m_pGrid.get();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetParent(), frame);
    EXPECT_EQ(grid->GetId(), 28909);
    // the empty statement keeps the grid and its rows
    ASSERT_EQ(
        data_grid::LoadPartsGrid(frame_->m_dsMain, U("select 零件名称,编号,no from ljkc"), 0, true),
        1);
    grid = frame_->m_dsMain.m_pGrid.get();
    EXPECT_EQ(grid->GetColumnCount(), 3);
    EXPECT_EQ(data_grid::LoadPartsGrid(frame_->m_dsMain, wxString(), 1, true), 1);
    EXPECT_EQ(frame_->m_dsMain.m_pGrid.get(), grid);
    EXPECT_EQ(grid->GetRowCount(), 3);
    CLookupPane::Install(previous);
}
