#include "app/main_frame.h"
#include "app/qv_doc.h"
#include "app/qv_view.h"
#include "common/table_folder.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "res/command_ids.h"

#include <gtest/gtest.h>
#include <wx/app.h>

namespace {

class QvViewTest : public TableFolderTest {
protected:
    void SetUp() override {
        TableFolderTest::SetUp();
        frame_ = new CMainFrame;
        frame_->Show();
        Pump();
        MakeTables({"ljkc", "fieldlong"}, *frame_);
        CDataSet data;
        data.Open("select * from ljkc where no=0");
        ASSERT_TRUE(data.IsOpen());
        auto rs = data.m_pRecordset;
        for (const char* name : {"刹车片", "机油"}) {
            rs->AddNew();
            data.PutFieldValue(U(name), U("零件名称"), rs);
        }
        data.NumberRows(rs, "ljkc");
        ASSERT_EQ(data.Save(rs), 1);
    }
    void TearDown() override {
        frame_->m_dsMain.m_pGrid.reset();
        TableFolderTest::TearDown();
    }

    CMainFrame* frame_ = nullptr;
};

TEST_F(QvViewTest, TheLookupGridFillsTheUpperPaneAndSavesAsARecordsetFile) {
    platform::ScriptedMessageBoxes boxes;
    ASSERT_EQ(data_grid::LoadPartsGrid(frame_->m_dsMain, "select * from ljkc", 0, true), 1);
    Pump();
    EXPECT_TRUE(frame_->IsUpperPaneShown());
    auto* grid = dynamic_cast<CGridCtrl*>(frame_->GetView()->FindWindow(CQvDoc::kMainGridId));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->GetSize(), frame_->GetView()->GetClientSize());

    platform::CreateFolders(Path("out"));
    auto target = CQvDoc::PrepareSave(U(Path("out/库存").c_str()));
    ASSERT_TRUE(target);
    CQvDoc::SaveGrid(*grid, *target);
    EXPECT_TRUE(boxes.Texts().empty()) << ::testing::PrintToString(boxes.Texts());

    ado::Recordset saved;
    saved.Open(Path("out/库存.adtg"));
    ASSERT_EQ(saved.RecordCount(), 2);
    std::vector<std::string> names;
    for (saved.MoveFirst(); !saved.EndOfFile(); saved.MoveNext())
        names.push_back(saved.Fields().Item("零件名称").Value().ToString());
    EXPECT_EQ(names[0].substr(0, 9), "刹车片");
    EXPECT_EQ(names[1].substr(0, 6), "机油");

    // Another login (perhaps into another account set) takes the old rows away.
    grid->MakeCurrentGrid();
    frame_->ClearUpperPane();
    Pump();
    EXPECT_EQ(frame_->GetView()->FindWindow(CQvDoc::kMainGridId), nullptr);
    EXPECT_EQ(CGridCtrl::GetCurrentGrid(), nullptr);
    EXPECT_FALSE(frame_->IsUpperPaneShown());
}

// 保存 and 另存为 never end without a word: with no grid chosen they say so.
TEST_F(QvViewTest, SaveWithoutAChosenGridSaysSo) {
    wxTheApp->SetTopWindow(frame_);
    ASSERT_EQ(CGridCtrl::GetCurrentGrid(), nullptr);
    platform::ScriptedMessageBoxes boxes;
    frame_->ExecuteCommand(ID_FILE_SAVE);
    frame_->ExecuteCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>(2, "请先选取要保存的表格!"));
}

} // namespace
