#include "app/catalog_tree.h"
#include "app/main_frame.h"
#include "common/table_folder.h"
#include "grid/grid_ctrl.h"
#include "platform/files.h"
#include "platform/message_box.h"

#include <gtest/gtest.h>
#include <wx/app.h>

namespace {

using Row = std::vector<std::pair<const char*, const char*>>;

class CatalogTreeTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        CMainFrame::RegisterForm(FormKind::Login, nullptr);
        frame_ = new CMainFrame;
        wxTheApp->SetTopWindow(frame_);
        frame_->m_strRights = "admin,";
        tree_ = frame_->GetCatalogTree();
    }

    void AddRows(const char* table, const std::vector<Row>& rows) {
        CDataSet data;
        data.Open(wxString("select * from ") + table + " where no=0");
        ASSERT_TRUE(data.IsOpen());
        auto rs = data.m_pRecordset;
        for (const Row& row : rows) {
            rs->AddNew();
            for (const auto& [field, value] : row)
                rs->Fields().Item(field).PutValue(ado::Variant(std::string(value)));
        }
        data.NumberRows(rs, table);
        ASSERT_EQ(data.Save(rs), 1);
    }

    void MakeStock() {
        MakeTables({"ljkc", "gdxm", "wxxm", "fieldlong"}, *frame_);
        AddRows("ljkc",
                {{{"零件名称", "刹车片"}, {"车型", "捷达"}, {"部位", "底盘"}, {"厂牌", "一汽"}},
                 {{"零件名称", "机油滤"}, {"车型", "捷达"}, {"部位", "发动机"}, {"厂牌", "一汽"}},
                 {{"零件名称", "垫片"}, {"车型", "捷达"}, {"部位", ""}, {"厂牌", "一汽"}},
                 {{"零件名称", "雨刮"}, {"车型", "奥迪"}, {"部位", "车身"}, {"厂牌", "一汽"}},
                 {{"零件名称", "螺丝"}, {"车型", ""}, {"部位", "底盘"}, {"厂牌", "一汽"}},
                 {{"零件名称", "灯泡"}, {"车型", "O'Neil"}, {"部位", "x'y"}, {"厂牌", "一汽"}},
                 {{"零件名称", "灯座"}, {"车型", "O'Neil"}, {"部位", "z"}, {"厂牌", "一汽"}}});
        AddRows("wxxm", {{{"类别", "机修"}, {"项目名称", "换油"}},
                         {{"类别", "钣金"}, {"项目名称", "补漆"}},
                         {{"类别", "机修"}, {"项目名称", "换刹车片"}}});
    }

    std::vector<wxString> Children(const wxTreeItemId& parent) const {
        std::vector<wxString> texts;
        wxTreeItemIdValue cookie;
        for (wxTreeItemId item = tree_->GetFirstChild(parent, cookie); item.IsOk();
             item = tree_->GetNextChild(parent, cookie))
            texts.push_back(tree_->GetItemText(item));
        return texts;
    }
    wxTreeItemId Node(const wxTreeItemId& parent, const char* text) const {
        wxTreeItemIdValue cookie;
        for (wxTreeItemId item = tree_->GetFirstChild(parent, cookie); item.IsOk();
             item = tree_->GetNextChild(parent, cookie))
            if (tree_->GetItemText(item) == U(text)) return item;
        ADD_FAILURE() << "no node " << text;
        return wxTreeItemId();
    }
    wxTreeItemId Top(const char* text) const { return Node(tree_->GetRootItem(), text); }

    // The names of the rows in the lookup grid; empty when it holds none.
    std::vector<wxString> GridNames(const char* field = "零件名称") const {
        std::vector<wxString> names;
        const auto& grid = frame_->m_dsMain.m_pGrid;
        if (!grid || !grid->m_rsBound || !grid->m_rsBound->IsOpen()) return names;
        auto& rs = *grid->m_rsBound;
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
            names.push_back(wxString::FromUTF8(rs.Fields().Item(field).Value().ToString()).Trim());
        std::sort(names.begin(), names.end());
        return names;
    }

    CMainFrame* frame_ = nullptr;
    CCatalogTree* tree_ = nullptr;
    platform::ScriptedMessageBoxes boxes_;
};

const std::vector<wxString> kGroups = {U("按厂牌分类"), U("按部位分类"), U("按货位分类"),
                                       U("关联项目组"), U("工时费库")};

TEST_F(CatalogTreeTest, TopLevelIsModelsThenOtherThenGroups) {
    MakeStock();
    frame_->FillCatalogTree();
    std::vector<wxString> expected = {"O'Neil", U("奥迪"), U("捷达"), U("(其它)")};
    expected.insert(expected.end(), kGroups.begin(), kGroups.end());
    EXPECT_EQ(Children(tree_->GetRootItem()), expected);
    std::string log;
    ASSERT_TRUE(platform::ReadFileBytes(Path("nvProgLog.txt"), log));
    // Normal steps, not errors, and no source path of the build.
    EXPECT_NE(log.find("Note: 移到首行成功...\n"), std::string::npos);
    EXPECT_NE(log.find("Note: 完成树目录...\n"), std::string::npos);
    EXPECT_EQ(log.find("Error"), std::string::npos);
    EXPECT_EQ(log.find(QV_SOURCE_DIR), std::string::npos);

    // A rebuild starts again from the top: sub-nodes go.
    tree_->OnDblClk(Top("捷达"));
    frame_->FillCatalogTree();
    EXPECT_TRUE(Children(Top("捷达")).empty());
}

TEST_F(CatalogTreeTest, WithoutStockTableTheTreeStays) {
    MakeTables({"gdxm"}, *frame_);
    tree_->AppendItem(tree_->GetRootItem(), "kept");
    frame_->FillCatalogTree();
    EXPECT_EQ(Children(tree_->GetRootItem()), std::vector<wxString>{"kept"});
}

TEST_F(CatalogTreeTest, EmptyStockGivesTheGroupsOnly) {
    MakeTables({"ljkc"}, *frame_);
    frame_->FillCatalogTree();
    EXPECT_EQ(Children(tree_->GetRootItem()), kGroups);
}

// A model lists its regions, the empty one as "(其它)", and shows its rows; a region
// under it narrows them.
TEST_F(CatalogTreeTest, ModelsDrillDownToRegions) {
    MakeStock();
    frame_->FillCatalogTree();
    tree_->OnDblClk(Top("捷达"));
    EXPECT_EQ(Children(Top("捷达")), (std::vector<wxString>{U("底盘"), U("发动机"), U("(其它)")}));
    EXPECT_EQ(GridNames(), (std::vector<wxString>{U("刹车片"), U("垫片"), U("机油滤")}));
    EXPECT_TRUE(tree_->IsExpanded(Top("捷达")));

    tree_->OnDblClk(Node(Top("捷达"), "(其它)"));
    EXPECT_EQ(GridNames(), std::vector<wxString>{U("垫片")});

    // The empty model: its region selects the rows without a model.
    tree_->OnDblClk(Top("(其它)"));
    EXPECT_EQ(Children(Top("(其它)")), std::vector<wxString>{U("底盘")});
    tree_->OnDblClk(Node(Top("(其它)"), "底盘"));
    EXPECT_EQ(GridNames(), std::vector<wxString>{U("螺丝")});

    // Values holding quotes are looked up as they are.
    tree_->OnDblClk(Top("O'Neil"));
    tree_->OnDblClk(Node(Top("O'Neil"), "x'y"));
    EXPECT_EQ(GridNames(), std::vector<wxString>{U("灯泡")});
    EXPECT_TRUE(boxes_.Texts().empty());
}

// A stock group adds its values without loading rows; a single value is a sub-node
// too, and shows its rows.
TEST_F(CatalogTreeTest, GroupsAddValuesThenShowRows) {
    MakeStock();
    frame_->FillCatalogTree();
    tree_->OnDblClk(Top("按厂牌分类"));
    EXPECT_EQ(Children(Top("按厂牌分类")), std::vector<wxString>{U("一汽")});
    EXPECT_TRUE(GridNames().empty());
    tree_->OnDblClk(Node(Top("按厂牌分类"), "一汽"));
    EXPECT_EQ(GridNames().size(), 7u);

    // Again on the group: it only closes.
    tree_->OnDblClk(Top("按厂牌分类"));
    EXPECT_FALSE(tree_->IsExpanded(Top("按厂牌分类")));
    EXPECT_EQ(Children(Top("按厂牌分类")).size(), 1u);

    tree_->OnDblClk(Top("工时费库"));
    EXPECT_EQ(Children(Top("工时费库")),
              (std::vector<wxString>{U("机修"), U("钣金")})); // GBK order
    EXPECT_EQ(GridNames("项目名称").size(), 3u);
    tree_->OnDblClk(Node(Top("工时费库"), "机修"));
    EXPECT_EQ(GridNames("项目名称"), (std::vector<wxString>{U("换刹车片"), U("换油")}));

    // No item groups: nothing added, the empty result reported by the grid.
    tree_->OnDblClk(Top("关联项目组"));
    EXPECT_TRUE(Children(Top("关联项目组")).empty());
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"对不起，没有符合条件的记录！"});
}

} // namespace
