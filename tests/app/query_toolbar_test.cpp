#include "app/item_pick_dlg.h"
#include "app/main_frame.h"
#include "app/owner_notice.h"
#include "app/query_toolbar.h"
#include "common/table_folder.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>

namespace {

using Bar = CMainToolBar;

const char* const kStock =
    "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,"
    "供应商,进价 from ljkc where ";

TEST(QueryToolbarStatement, BuiltByTableAndBox) {
    struct Case {
        wxString built;
        const char* expected;
    };
    const Case cases[] = {
        {Bar::ValueListSql(1), "select distinct 车型 from ljkc"},
        {Bar::ValueListSql(13), "select distinct 单位 from gys"},
        {Bar::PartListSql(3, U("捷达")), "select distinct 部位 from ljml where 车型='捷达'"},
        {Bar::PartListSql(12, U("通用")), "select distinct 部位 from byxmb where 保养类='通用'"},
        {Bar::PartListSql(13, U("华远")), "select distinct 车型 from hy where 供应商='华远'"},
        {Bar::PartListSql(7, U("捷达")), ""},
        // The ordering clause stands before the condition, as the engine takes it.
        {Bar::ValueGridSql(4, U("捷达"), ""),
         "select 定货单,车型,部位,零件名称,编号,单位,厂牌,供应商,备注 from dhd order by 定货单 "
         "where 车型='捷达'"},
        {Bar::ValueGridSql(7, U("捷达"), ""),
         "select "
         "客户,车型,项目名称,编号,厂牌,单价,数量,备注,日期,业务,货位,折扣,单据号,合同号,flag,"
         "no from ljsh order by 日期,客户 where flag='P'  and 车型='捷达' or flag='W' and "
         "车型='捷达'"},
        {Bar::ValueGridSql(8, U("捷达"), ""),
         "select 车型,零件名称,编号,单价,单位,数量,货位,厂牌,折扣,日期,备注 from ljth where 车型 "
         "like '%捷达%'"},
        {Bar::ValueGridSql(10, U("机修"), ""), "select * from wxxm where 类别='机修'"},
        {Bar::ValueGridSql(13, U("华远"), ""),
         "select 车型,部位,零件名称,编号,单位,厂牌,零售价,批发价,供应商,备注 from hy where "
         "供应商='华远'"},
        {Bar::ValueGridSql(0, U("x"), "jgk"), "select * from jgk"},
        {Bar::PartGridSql(1, U("捷达"), U("底盘")),
         "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,供应商,进价 from "
         "ljkc where 车型='捷达' and 部位='底盘'"},
        {Bar::PartGridSql(12, U("通用"), U("底盘")),
         "select * from byxmb where 保养类='通用' and 部位='底盘'"},
        {Bar::PartGridSql(13, U("华远"), U("捷达")),
         "select * from hy where 供应商='华远' and 车型='捷达'"},
        {Bar::PartGridSql(9, U("a"), U("b")), ""},
        {Bar::SearchSql(2, Bar::kCode, U("A1")),
         "select 车型,零件名称,编号,零售价,批发价,进价,部位 from jgk where 编号 like '%A1%'"},
        {Bar::SearchSql(7, Bar::kName, U("油")),
         "select "
         "客户,车型,项目名称,编号,厂牌,单价,数量,备注,日期,业务,货位,折扣,单据号,合同号,flag,"
         "no from ljsh where 项目名称 like '%油%'"},
        {Bar::SearchSql(1, Bar::kShortCode, U("AB")),
         "select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,进价 from ljkc "
         "where 零件名称 in(select 零件名称 from jmb where 简码 like '%AB%')"},
        {Bar::SearchSql(11, Bar::kName, U("洗")), "select * from hyxm where 项目名称 like '%洗%'"},
        {Bar::SearchSql(12, Bar::kShortCode, U("BY")),
         "select * from byxmb where 项目名称 in(select 零件名称 from jmb where 简码 like '%BY%')"},
        {Bar::SearchSql(13, Bar::kName, U("片")),
         "select 车型,部位,零件名称,编号,单位,厂牌,零售价,批发价,供应商,备注 from hy where "
         "零件名称 "
         "like '%片%'"},
        {Bar::PlateSql(U("京A")), "select 车牌号码,车型,颜色,车主姓名,客户特征,折扣,手扣 from gk "
                                  "where 车牌号码 like '%京A%'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.built.utf8_string(), c.expected);
}

struct MaintenanceCall {
    int mode;
    wxString plate;
};

class QueryToolbarTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        CMainFrame::RegisterForm(FormKind::Login, nullptr);
        CMainFrame::RegisterForm(FormKind::MaintenanceDue,
                                 [this](CMainFrame&, int mode, const wxString& plate) {
                                     checks_.push_back({mode, plate});
                                 });
        frame_ = new CMainFrame;
        wxTheApp->SetTopWindow(frame_);
        frame_->m_strRights = "admin,";
        frame_->ShowToolbars();
        MakeTables({"ljkc", "ljsh", "gk", "jmb", "wxxm", "fieldlong"}, *frame_);
        AddRows("ljkc",
                {{{"零件名称", "刹车片"}, {"编号", "A100"}, {"车型", "捷达"}, {"部位", "底盘"}},
                 {{"零件名称", "机油滤"}, {"编号", "A200"}, {"车型", "捷达"}, {"部位", "发动机"}},
                 {{"零件名称", "雨刮"}, {"编号", "B300"}, {"车型", "奥迪"}, {"部位", "车身"}},
                 {{"零件名称", "灯泡"}, {"编号", "B400"}, {"车型", "O'Neil"}}});
        AddRows("jmb", {{{"零件名称", "刹车片"}, {"简码", "SCP"}}});
        AddRows(
            "gk",
            {{{"车牌号码", "京A12345"}}, {{"车牌号码", "京A12399"}}, {{"车牌号码", "津B00001"}}});
        bar_ = static_cast<Bar*>(frame_->GetQueryBar());
        frame_->Show();
        Pump();
    }
    void TearDown() override {
        CMainFrame::RegisterForm(FormKind::MaintenanceDue, nullptr);
        TableFolderTest::TearDown();
    }

    void AddRows(const char* table,
                 const std::vector<std::vector<std::pair<const char*, const char*>>>& rows) {
        CDataSet data;
        data.Open(wxString("select * from ") + table + " where no=0");
        ASSERT_TRUE(data.IsOpen());
        auto rs = data.m_pRecordset;
        for (const auto& row : rows) {
            rs->AddNew();
            for (const auto& [field, value] : row)
                rs->Fields().Item(field).PutValue(ado::Variant(std::string(value)));
        }
        data.NumberRows(rs, table);
        ASSERT_EQ(data.Save(rs), 1);
    }

    // Selects the entry in the box as a user would, running its handler.
    void Choose(int id, const char* entry) {
        wxComboBox* box = bar_->Box(id);
        ASSERT_TRUE(box->SetStringSelection(U(entry))) << entry;
        wxCommandEvent change(wxEVT_COMBOBOX, id);
        change.SetEventObject(box);
        box->GetEventHandler()->ProcessEvent(change);
    }
    // Types the text into the box's edit field (one change notice) and presses Enter.
    void Type(int id, const char* text, bool enter = true) {
        wxComboBox* box = bar_->Box(id);
        box->SetValue(U(text));
        if (enter) bar_->FilterKey(WXK_RETURN);
    }
    static std::vector<wxString> Entries(wxComboBox* box) {
        std::vector<wxString> entries;
        for (const wxString& s : box->GetStrings())
            entries.push_back(s);
        return entries;
    }
    long GridRows() const {
        const auto& grid = frame_->m_dsMain.m_pGrid;
        return grid && grid->m_rsBound && grid->m_rsBound->IsOpen() ? grid->m_rsBound->RecordCount()
                                                                    : -1;
    }
    std::vector<wxString> GridColumn(const char* field) const {
        std::vector<wxString> values;
        auto& rs = *frame_->m_dsMain.m_pGrid->m_rsBound;
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
            values.push_back(wxString::FromUTF8(rs.Fields().Item(field).Value().ToString()).Trim());
        return values;
    }

    CMainFrame* frame_ = nullptr;
    Bar* bar_ = nullptr;
    std::vector<MaintenanceCall> checks_;
    platform::ScriptedMessageBoxes boxes_;
};

TEST_F(QueryToolbarTest, SetUpEntries) {
    EXPECT_EQ(bar_->Box(Bar::kTable)->GetCount(), 14u);
    EXPECT_EQ(bar_->Box(Bar::kTable)->GetStringSelection(), U("数据库选择"));
    EXPECT_EQ(bar_->Box(Bar::kTable)->GetString(13), U("供应商"));
    EXPECT_FALSE(bar_->Box(Bar::kValue)->IsEnabled());
    EXPECT_FALSE(bar_->Box(Bar::kPart)->IsEnabled());
    EXPECT_EQ(bar_->Box(Bar::kPlate)->GetValue(), U("保养查询"));
    EXPECT_EQ(bar_->GetLabel(), U("查询工具栏"));
}

// Table, then value, then part region: the boxes fill in turn and the grid shows
// the rows of each choice.
TEST_F(QueryToolbarTest, TableValueAndRegionNarrowTheRows) {
    Choose(Bar::kTable, "零件库存");
    wxComboBox* values = bar_->Box(Bar::kValue);
    EXPECT_TRUE(values->IsEnabled());
    EXPECT_EQ(Entries(values),
              (std::vector<wxString>{U("请选车型:"), "O'Neil", U("奥迪"), U("捷达")}));

    Choose(Bar::kValue, "捷达");
    wxComboBox* parts = bar_->Box(Bar::kPart);
    EXPECT_TRUE(parts->IsEnabled());
    EXPECT_EQ(Entries(parts), (std::vector<wxString>{U("部位"), U("底盘"), U("发动机")}));
    EXPECT_EQ(GridRows(), 2);

    Choose(Bar::kPart, "发动机");
    EXPECT_EQ(bar_->m_strSql, U(kStock) + U("车型='捷达' and 部位='发动机'"));
    EXPECT_EQ(GridColumn("零件名称"), std::vector<wxString>{U("机油滤")});

    // One region: shown under "没有细分部位", the box disabled.
    Choose(Bar::kValue, "奥迪");
    EXPECT_FALSE(parts->IsEnabled());
    EXPECT_EQ(Entries(parts), (std::vector<wxString>{U("没有细分部位"), U("车身")}));
    EXPECT_EQ(GridRows(), 1);
    EXPECT_TRUE(boxes_.Texts().empty());
}

// A value holding a quote is refused before any statement is built; a header entry
// asks for data for tables with regions and loads nothing silently for the others.
TEST_F(QueryToolbarTest, QuotesAndHeadersLoadNothing) {
    Choose(Bar::kTable, "零件库存");
    Choose(Bar::kValue, "O'Neil");
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"查询值中不能包含单引号！查询失败。"});
    EXPECT_EQ(GridRows(), -1);
    boxes_.Clear();

    Choose(Bar::kValue, "请选车型:");
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"请先选取数据！"});
    EXPECT_EQ(bar_->Box(Bar::kPart)->GetCount(), 0u);
    EXPECT_EQ(GridRows(), -1);
    boxes_.Clear();

    Type(Bar::kName, "a'b");
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"查询值中不能包含单引号！查询失败。"});
    boxes_.Clear();

    AddRows("ljsh", {{{"车型", "捷达"}, {"flag", "P"}}});
    Choose(Bar::kTable, "营业档案库");
    Choose(Bar::kValue, "请选车型:");
    EXPECT_TRUE(boxes_.Texts().empty());
    EXPECT_EQ(GridRows(), -1);
}

// The supplier table: the value box lists the suppliers, the part box the vehicle
// types they offer (no header), and a type shows that supplier's offers of hy.
TEST_F(QueryToolbarTest, SupplierOffersByVehicleType) {
    MakeTables({"gys", "hy"}, *frame_);
    AddRows("gys", {{{"单位", "华远"}}, {{"单位", "东风配件"}}});
    AddRows("hy", {{{"供应商", "华远"}, {"车型", "捷达"}, {"零件名称", "刹车片"}},
                   {{"供应商", "华远"}, {"车型", "奥迪"}, {"零件名称", "雨刮"}},
                   {{"供应商", "东风配件"}, {"车型", "捷达"}, {"零件名称", "灯泡"}}});
    Choose(Bar::kTable, "供应商");
    EXPECT_EQ(bar_->Box(Bar::kValue)->GetString(0), U("供应商"));
    Choose(Bar::kValue, "华远");
    wxComboBox* parts = bar_->Box(Bar::kPart);
    EXPECT_EQ(Entries(parts), (std::vector<wxString>{U("奥迪"), U("捷达")}));
    EXPECT_TRUE(parts->IsEnabled());
    EXPECT_EQ(GridRows(), 2);
    Choose(Bar::kPart, "捷达");
    EXPECT_EQ(GridColumn("零件名称"), std::vector<wxString>{U("刹车片")});
}

TEST_F(QueryToolbarTest, SalesArchiveNeedsBothRights) {
    AddRows("ljsh", {{{"车型", "捷达"}, {"flag", "P"}},
                     {{"车型", "捷达"}, {"flag", "W"}},
                     {{"车型", "捷达"}, {"flag", "X"}}});
    Choose(Bar::kTable, "营业档案库");
    for (const char* rights : {"clerk,16,", "clerk,25,"}) {
        frame_->m_strRights = rights;
        Choose(Bar::kValue, "捷达");
        EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"权限不够,不能操作!"}) << rights;
        boxes_.Clear();
    }
    frame_->m_strRights = "clerk,";
    Choose(Bar::kValue, "捷达");
    EXPECT_EQ(GridRows(), 2); // the sale and the repair lines, not the others
}

// Searches: without a table the parts stock; a typed text joins the box's list
// once, the caption leaves it; the caption itself is no search; short codes are
// searched in upper case.
TEST_F(QueryToolbarTest, SearchBoxes) {
    Type(Bar::kCode, "a1");
    EXPECT_EQ(GridRows(), -1); // 编号 is matched as typed: no "a1"
    EXPECT_EQ(bar_->Box(Bar::kTable)->GetSelection(), 1);
    EXPECT_FALSE(bar_->Box(Bar::kValue)->IsEnabled());
    boxes_.Clear();
    Type(Bar::kCode, "A");
    EXPECT_EQ(GridRows(), 2);
    Type(Bar::kCode, "A");
    EXPECT_EQ(Entries(bar_->Box(Bar::kCode)), (std::vector<wxString>{"A", "a1"}));

    Type(Bar::kName, "零件名称");
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"请输入查询值！"});
    boxes_.Clear();

    Type(Bar::kShortCode, "cp");
    EXPECT_EQ(GridColumn("零件名称"), std::vector<wxString>{U("刹车片")});
    EXPECT_EQ(Entries(bar_->Box(Bar::kShortCode)), std::vector<wxString>{"cp"});

    // An empty text matches every row.
    Type(Bar::kName, "");
    EXPECT_EQ(GridRows(), 4);
    EXPECT_TRUE(boxes_.Texts().empty());
}

// Typing a plate offers the matching plates; a choice or Enter runs the
// maintenance check with flag 1.
TEST_F(QueryToolbarTest, PlateBoxOffersPlatesAndChecksMaintenance) {
    Type(Bar::kPlate, "京A", false);
    CItemPickDlg* pick = bar_->GetPickDlg();
    ASSERT_NE(pick, nullptr);
    ASSERT_EQ(pick->m_list->GetItemCount(), 2);
    EXPECT_EQ(pick->m_list->GetItemText(1), U("京A12399"));
    EXPECT_EQ(bar_->m_nTypedBox, Bar::kTypedPlate);

    Type(Bar::kPlate, "京A123", false);
    EXPECT_EQ(bar_->GetPickDlg(), pick); // refilled, not made again
    Type(Bar::kPlate, "沪", false);
    EXPECT_EQ(bar_->GetPickDlg(), nullptr);
    EXPECT_EQ(bar_->Box(Bar::kPlate)->GetInsertionPoint(), 1);

    Type(Bar::kPlate, "津", false);
    ASSERT_NE(bar_->GetPickDlg(), nullptr);
    PostOwnerNotice(frame_->m_hPickTarget, COwnerNoticeEvent::kText, CItemPickDlg::kChosen,
                    U("津B00001"));
    Pump();
    ASSERT_EQ(checks_.size(), 1u);
    EXPECT_EQ(checks_[0].mode, 1);
    EXPECT_EQ(checks_[0].plate, U("津B00001"));
    EXPECT_EQ(bar_->GetPickDlg(), nullptr);
    EXPECT_NE(bar_->Box(Bar::kPlate)->GetValue(), U("津B00001"));

    Type(Bar::kPlate, "京A12345");
    ASSERT_EQ(checks_.size(), 2u);
    EXPECT_EQ(checks_[1].plate, U("京A12345"));
    EXPECT_EQ(bar_->GetPickDlg(), nullptr);
    EXPECT_EQ(Entries(bar_->Box(Bar::kPlate)), std::vector<wxString>{U("京A12345")});

    Type(Bar::kPlate, "京'", false);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"查询值中不能包含单引号！查询失败。"});
}

// The keys reach the bar from the boxes' edit fields: Enter runs the search typed
// last, Down moves into an open pick list.
TEST_F(QueryToolbarTest, KeysOfTheBoxes) {
    auto press = [](wxWindow* box, int key) {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = key;
        event.SetEventObject(box);
        box->GetEventHandler()->ProcessEvent(event);
    };
    Type(Bar::kName, "刹车", false);
    press(bar_->Box(Bar::kName), WXK_RETURN);
    EXPECT_EQ(GridColumn("零件名称"), std::vector<wxString>{U("刹车片")});

    Type(Bar::kPlate, "京A", false);
    ASSERT_NE(bar_->GetPickDlg(), nullptr);
    EXPECT_TRUE(bar_->m_bPlateSetOpen);
    press(bar_->Box(Bar::kPlate), WXK_DOWN);
    EXPECT_FALSE(bar_->m_bPlateSetOpen);
    EXPECT_EQ(frame_->m_hPickTarget, bar_);
    press(bar_->Box(Bar::kPlate), WXK_RETURN);
    EXPECT_EQ(bar_->GetPickDlg(), nullptr);
    ASSERT_EQ(checks_.size(), 1u);
    EXPECT_EQ(checks_[0].plate, U("京A"));
}

// Another statement on the frame's data set makes the next keystroke run the plate
// statement again.
TEST_F(QueryToolbarTest, PlateRowsReopenedAfterAnotherOpen) {
    Type(Bar::kPlate, "京A", false);
    ASSERT_NE(bar_->GetPickDlg(), nullptr);
    frame_->m_dsMain.Open("select * from ljkc");
    bar_->OnEditChangePlate();
    ASSERT_NE(bar_->GetPickDlg(), nullptr);
    EXPECT_EQ(bar_->GetPickDlg()->m_list->GetItemCount(), 2);
    EXPECT_EQ(wxString::FromUTF8(frame_->m_dsMain.m_pRecordset->Source()), bar_->m_strPlateSql);
}

} // namespace
