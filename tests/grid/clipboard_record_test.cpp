// Pasted and cut cells reach the records behind their rows, checked as typed text is.
#include "recordset_fixture.h"

#include "grid/grid_cell_edit.h"

class GridClipboardRecords : public RecordsetGridTest {
protected:
    wxString FieldNow(CGridCtrl* grid, int row, const char* field) {
        EXPECT_TRUE(grid->MoveToRowRecord(row));
        ado::Variant value = grid->m_rsBound->Fields().Item(U(field).utf8_string()).Value();
        return value.IsNull() ? wxString("NULL") : wxString::FromUTF8(value.ToString()).Trim(true);
    }
};

TEST_F(GridClipboardRecords, PasteAndCutWriteTheRecordsAndRefuseBadValues) {
    AddLines({{"首行", 1}, {"换机油", 2}, {"换刹车片", 3}});
    CGridCtrl* grid = OpenGrid("select * from zyxm order by no", "zyxm");
    grid->SetEditMode(true);
    const int item = ColumnOf(grid, "项目名称");
    const int qty = ColumnOf(grid, "数量");

    EXPECT_TRUE(grid->PasteTextToGrid(GridCellId(1, item), U("保养\n洗车")));
    EXPECT_EQ(FieldNow(grid, 1, "项目名称"), U("保养"));
    EXPECT_EQ(FieldNow(grid, 2, "项目名称"), U("洗车"));
    EXPECT_TRUE(boxes.Texts().empty());

    // A value the field refuses is reported and leaves cell and record alone.
    EXPECT_TRUE(grid->PasteTextToGrid(GridCellId(1, qty), "abc"));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{U("数据格式不对！").utf8_string()});
    EXPECT_EQ(grid->GetItemText(1, qty), "2");
    EXPECT_EQ(FieldNow(grid, 1, "数量"), "2");
    boxes.Clear();

    grid->m_bSelectOn = true;
    grid->SelectRange(2, item, 2, item);
    grid->CutSelectedText();
    EXPECT_EQ(grid->GetItemText(2, item), "");
    EXPECT_EQ(FieldNow(grid, 2, "项目名称"), "");
    ASSERT_EQ(data.Save(grid->m_rsBound), 1);
}
