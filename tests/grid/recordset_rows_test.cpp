// Row operations of a bound grid: selecting a row for typing, renumbering, reloading
// from the recordset, saving a typed row, inserting an empty record.
#include "grid/data_set_grid.h"
#include "recordset_fixture.h"

class GridRows : public RecordsetGridTest {
protected:
    std::vector<wxString> Values(const char* table, const char* field) {
        return Column(wxString::Format("select * from %s order by no", table), field);
    }
};

TEST_F(GridRows, SelectRowOpensTheEditorBelow) {
    CGridCtrl* grid = NewGrid("ljkc");
    grid->SetColumnCount(4);
    grid->SetRowCount(10);
    grid->m_bSelectOn = true;
    grid->SetEditMode(true);
    grid->SelectRow(3);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(4, 1));
    EXPECT_TRUE(grid->GetItemState(3, 2) & GVIS_SELECTED);
    CGridCellEdit* editor = OpenEditor(grid);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->m_nRow, 4);
    EXPECT_EQ(editor->m_nColumn, 1);
    editor->EndEdit(true);
    ProcessPending();
    grid->SelectRow(9);
    EXPECT_EQ(grid->GetFocusCell(), GridCellId(9, 1));
    ASSERT_NE(OpenEditor(grid), nullptr);
    EXPECT_EQ(OpenEditor(grid)->m_nRow, 9);
}

TEST_F(GridRows, RenumberWidensNumbersOnlyBeyondAThousandRows) {
    CGridCtrl* grid = NewGrid("ljkc");
    grid->SetColumnCount(2);
    grid->SetColumnWidth(0, 25);
    grid->SetRowCount(1000);
    grid->SetItemText(5, 0, "x");
    EXPECT_TRUE(grid->RenumberRows());
    EXPECT_EQ(grid->GetItemText(5, 0), "5");
    EXPECT_EQ(grid->GetItemText(999, 0), "999");
    EXPECT_EQ(grid->GetColumnWidth(0), 25);
    grid->SetRowCount(1001);
    grid->RenumberRows();
    EXPECT_EQ(grid->GetColumnWidth(0), 40);
}

TEST_F(GridRows, ReloadSkipsTheFirstZyxmRecord) {
    AddLines({{"首行", 1}, {"换机油", 2}, {"换刹车片", 3}, {"洗车", 4}, {"补胎", 5}});
    CGridCtrl* grid = OpenGrid("select * from zyxm order by no", "zyxm");
    grid->SetRowCount(2);
    grid->LoadRecordset();
    ASSERT_EQ(grid->GetRowCount(), 5);
    EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "项目名称")), U("换机油"));
    EXPECT_EQ(grid->GetItemText(4, 0), "4");
    EXPECT_EQ(grid->GetItemText(4, ColumnOf(grid, "项目名称")), U("补胎"));
    EXPECT_TRUE(grid->m_rsBound->EndOfFile());

    // sorted by the recordset, the hidden record is still the first of its own order
    grid->SetFocusCell(1, ColumnOf(grid, "项目名称"));
    grid->OnSortColumn();
    ASSERT_EQ(grid->GetRowCount(), 5);
    std::vector<wxString> shown;
    for (int row = 1; row < grid->GetRowCount(); ++row)
        shown.push_back(grid->GetItemText(row, ColumnOf(grid, "项目名称")));
    EXPECT_EQ(shown, (std::vector<wxString>{U("补胎"), U("换机油"), U("换刹车片"), U("洗车")}));
    grid->PutFieldText(ColumnOf(grid, "数量"), 1, "8");
    ASSERT_EQ(data.Save(grid->m_rsBound), 1);
    EXPECT_EQ(Values("zyxm", "数量"), (std::vector<wxString>{"1", "2", "3", "4", "8"}));
}

TEST_F(GridRows, SavedRowKeepsFieldsOfEmptyCells) {
    AddStock({{"刹车片", "A-1"}, {"机油滤芯", "A-2"}});
    CGridCtrl* grid = OpenGrid("select * from ljkc order by no", "ljkc");
    for (int col = 1; col < grid->GetColumnCount(); ++col)
        grid->SetItemText(2, col, wxString());
    grid->SetItemText(2, ColumnOf(grid, "数量"), "12");
    grid->SetItemText(2, ColumnOf(grid, "货位"), "B-07");
    grid->SetItemText(2, ColumnOf(grid, "零售价"), "abc");   // refused: the field keeps 12.5
    grid->SetItemText(0, ColumnOf(grid, "备注"), U("说明")); // a column without a field
    grid->SetItemText(2, ColumnOf(grid, "说明"), "x");
    EXPECT_EQ(grid->SaveRowToRecord(2, 2), 1);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"数据格式不对！"});
    EXPECT_EQ(grid->GetItemText(2, ColumnOf(grid, "零售价")), "abc");
    ASSERT_EQ(data.Save(grid->m_rsBound), 1);
    EXPECT_EQ(Values("ljkc", "数量"), (std::vector<wxString>{"2", "12"}));
    EXPECT_EQ(Values("ljkc", "货位"), (std::vector<wxString>{"NULL", "B-07"}));
    EXPECT_EQ(Values("ljkc", "零售价"), (std::vector<wxString>{"12.5", "12.5"}));
    EXPECT_EQ(Values("ljkc", "备注"), (std::vector<wxString>{"NULL", "NULL"}));
    EXPECT_EQ(Values("ljkc", "编号"), (std::vector<wxString>{"A-1", "A-2"}));
}

TEST_F(GridRows, InsertRowNeedsEditMode) {
    AddStock({{"刹车片", "A-1"}});
    CGridCtrl* grid = OpenGrid("select * from ljkc", "ljkc");
    grid->SetFocusCell(1, 1);
    grid->OnInsertRow();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"非编辑状态下不允许此项操作"});
    EXPECT_EQ(grid->GetRowCount(), 2);
    EXPECT_EQ(grid->m_rsBound->RecordCount(), 1);
}

// The contents move down by one record while the numbers stay, so the empty line
// sits above the focus row in the order of `no`.
TEST_F(GridRows, InsertRowMovesContentsDownAndKeepsNumbers) {
    AddStock({{"刹车片", "A-1"}, {"机油滤芯", "A-2"}, {"火花塞", "A-3"}});
    CGridCtrl* grid = OpenGrid("select * from ljkc order by no", "ljkc");
    const int code = ColumnOf(grid, "编号");
    grid->SetEditMode(true);
    grid->SetFocusCell(2, code);
    grid->OnInsertRow();
    ASSERT_EQ(grid->GetRowCount(), 5);
    EXPECT_EQ(grid->GetItemText(2, code), "");
    EXPECT_EQ(grid->GetItemText(2, 0), "2");
    EXPECT_EQ(grid->GetItemText(3, code), "A-2");
    EXPECT_EQ(grid->GetItemText(4, 0), "4");
    // every row still writes to the record it shows
    grid->PutFieldText(ColumnOf(grid, "货位"), 4, "C-1");
    grid->PutFieldText(code, 2, "NEW");
    data.NumberRows(grid->m_rsBound, "ljkc"); // the added record gets its number on saving
    ASSERT_EQ(data.Save(grid->m_rsBound), 1);
    EXPECT_EQ(Values("ljkc", "no"), (std::vector<wxString>{"1", "2", "3", "4"}));
    EXPECT_EQ(Values("ljkc", "编号"), (std::vector<wxString>{"A-1", "NEW", "A-2", "A-3"}));
    EXPECT_EQ(Values("ljkc", "货位"), (std::vector<wxString>{"NULL", "", "NULL", "C-1"}));
}

// On a zyxm grid filtered by customer the empty line goes above the record shown in
// the focus row, gets the customer, and the hidden first record stays as it was.
TEST_F(GridRows, InsertRowOnFilteredZyxmGrid) {
    AddLines({{"首行", 1}, {"换机油", 2}, {"换刹车片", 3}});
    data.UpdateWhere("zyxm", U("客户"), U("张三"), wxString());
    CGridCtrl* grid = NewGrid("zyxm");
    ASSERT_EQ(data_grid::OpenIntoGrid(data, U("select * from zyxm order by no"), grid), 1);
    data_grid::LoadGrid(data, grid->m_rsBound, grid, U("客户"), U("张三"), 0, 1);
    ASSERT_EQ(grid->GetRowCount(), 3);
    grid->SetEditMode(true);
    grid->SetFocusCell(1, ColumnOf(grid, "数量"));
    grid->OnInsertRow();
    ASSERT_EQ(grid->GetRowCount(), 4);
    EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "项目名称")), "");
    EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "客户")), U("张三"));
    EXPECT_EQ(grid->GetItemText(2, ColumnOf(grid, "项目名称")), U("换机油"));
    data.NumberRows(grid->m_rsBound, "zyxm");
    ASSERT_EQ(data.Save(grid->m_rsBound), 1);
    EXPECT_EQ(Values("zyxm", "项目名称"),
              (std::vector<wxString>{U("首行"), "", U("换机油"), U("换刹车片")}));
    EXPECT_EQ(Values("zyxm", "客户"), std::vector<wxString>(4, U("张三")));
}
