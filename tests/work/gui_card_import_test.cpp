// Rows of a table file imported into a repair card's lines through the grid's menu:
// each becomes a line of the card's vehicle, completed as the card completes a line.
#include "gui_repair_sheet_fixture.h"

#include "app/grid_menu_commands.h"
#include "app/main_frame.h"
#include "data/data_file_open.h"
#include "data/record_fields.h"
#include "grid/grid_context_menu.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "work/repair_page.h"
#include "work/work_sheet.h"

namespace {

class CardImportTest : public WorkshopTest {
protected:
    void TearDown() override {
        SetGridMenuHandler(nullptr);
        WorkshopTest::TearDown();
    }
};

TEST_F(CardImportTest, ImportedRowsBecomeLinesOfTheCardsVehicle) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    CGridMenuCommands::Register();
    platform::ScriptedMessageBoxes boxes;
    Insert("gk", {{{"车牌号码", "粤A12345"}, {"no", "1"}}});
    Insert("wxxm", {{{"项目名称", "更换机油"}, {"编号", "GS-01"}, {"单价", "80"}, {"no", "1"}},
                    {{"项目名称", "机油"}, {"编号", "JY-04"}, {"数量", "4"}, {"no", "2"}}});
    CDataSet labour;
    labour.Open(U("select 项目名称,编号,单价,数量 from wxxm order by no"));
    ASSERT_TRUE(labour.IsOpen());
    const std::string file = Path("labour");
    SaveRecordsetAdtg(wxString::FromUTF8(file), labour.m_pRecordset);

    auto* page = OpenCard(frame, "粤A12345");
    ASSERT_NE(page, nullptr);
    CWorkSheet* sheet = page->GetSheet();
    ASSERT_EQ(page->GetTitle(), U("粤A12345"));
    CGridCtrl* grid = page->GetLineGrid();
    const int before = grid->GetRowCount();

    frame->m_strShared = wxString::FromUTF8(file + ".adtg") + "$#@";
    wxCommandEvent command(wxEVT_MENU, ID_GRID_IMPORT_TABLE);
    command.SetEventObject(grid);
    grid->GetEventHandler()->ProcessEvent(command);
    Pump();

    ASSERT_EQ(grid->GetRowCount(), before + 2);
    const int row = grid->GetRowCount() - 2;
    EXPECT_EQ(grid->GetItemText(row, ColumnOf(grid, "项目名称")), U("更换机油"));
    ASSERT_TRUE(grid->MoveToRowRecord(row));
    ado::Recordset& line = *sheet->m_rsLines;
    EXPECT_EQ(FieldText(line, "客户"), U("粤A12345"));
    EXPECT_EQ(FieldText(line, "编号"), "GS-01");
    // The page completed it as one of its own lines.
    EXPECT_EQ(FieldText(line, "flag"), "W");
    EXPECT_EQ(FieldText(line, "数量"), "1");
    EXPECT_LT(FieldNumber(line, "no"), 0);
    // A quantity the file gives is kept.
    ASSERT_TRUE(grid->MoveToRowRecord(row + 1));
    EXPECT_EQ(FieldText(line, "项目名称"), U("机油"));
    EXPECT_EQ(FieldText(line, "数量"), "4");
    EXPECT_EQ(FieldText(line, "客户"), U("粤A12345"));
    EXPECT_FALSE(grid->m_bLineTaken);
}

} // namespace
