// Grid edits carried into the records behind the rows, deleting records, bad input,
// and the whole round: edit in place, delete, save, reopen.
#include "recordset_fixture.h"

class GridWriteBack : public RecordsetGridTest {
protected:
    // The values of one field of a table, in the order of `no`.
    std::vector<wxString> Values(const char* table, const char* field) {
        return Column(wxString::Format("select * from %s order by no", table), field);
    }
    wxString FieldNow(CGridCtrl* grid, int row, const char* field) {
        EXPECT_TRUE(grid->MoveToRowRecord(row));
        ado::Variant value = grid->m_rsBound->Fields().Item(U(field).utf8_string()).Value();
        return value.IsNull() ? wxString("NULL") : wxString::FromUTF8(value.ToString()).Trim(true);
    }
};

TEST_F(GridWriteBack, RowsReachTheirRecordsOnZyxmAndElsewhere) {
    AddLines({{"首行", 1}, {"换机油", 2}, {"换刹车片", 3}});
    AddStock({{"刹车片", "A-1"}, {"机油滤芯", "A-2"}, {"火花塞", "A-3"}});
    CGridCtrl* lines = OpenGrid("select * from zyxm order by no", "zyxm");
    CGridCtrl* stock = OpenGrid("select * from ljkc order by no", "ljkc");
    ASSERT_EQ(lines->GetRowCount(), 3); // the first record is not shown
    EXPECT_EQ(lines->GetItemText(1, ColumnOf(lines, "项目名称")), U("换机油"));
    lines->PutFieldText(ColumnOf(lines, "数量"), 2, "9");
    stock->PutFieldText(ColumnOf(stock, "数量"), 2, "9");
    ASSERT_EQ(data.Save(lines->m_rsBound), 1);
    ASSERT_EQ(data.Save(stock->m_rsBound), 1);
    EXPECT_EQ(Values("zyxm", "数量"), (std::vector<wxString>{"1", "2", "9"}));
    EXPECT_EQ(Values("ljkc", "数量"), (std::vector<wxString>{"2", "9", "2"}));

    // the same positions for rows that were not loaded from the recordset
    for (int row = 1; row < lines->GetRowCount(); ++row)
        lines->SetRowRecord(row, 0);
    EXPECT_EQ(FieldNow(lines, 1, "项目名称"), U("换机油"));
    EXPECT_FALSE(lines->MoveToRowRecord(3));
}

TEST_F(GridWriteBack, HeadingAliasesAndUnknownHeadings) {
    AddLines({{"首行", 1}, {"换机油", 2}});
    CGridCtrl* grid = OpenGrid("select * from zyxm order by no", "zyxm");
    const int item = ColumnOf(grid, "项目名称");
    grid->SetItemText(0, item, U("零件名称"));
    grid->PutFieldText(item, 1, U("机油"));
    EXPECT_EQ(FieldNow(grid, 1, "项目名称"), U("机油"));
    grid->SetItemText(0, item, U("维修项目"));
    grid->PutFieldText(item, 1, U("保养"));
    EXPECT_EQ(FieldNow(grid, 1, "项目名称"), U("保养"));
    grid->SetItemText(0, item, "nothing");
    grid->PutFieldText(item, 1, "x");
    EXPECT_EQ(FieldNow(grid, 1, "项目名称"), U("保养"));
    // a pick list writes nothing
    grid->SetItemText(0, item, U("项目名称"));
    grid->m_bPickGrid = true;
    grid->PutFieldText(item, 1, "x");
    EXPECT_EQ(FieldNow(grid, 1, "项目名称"), U("保养"));
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(GridWriteBack, EmptyTextClearsAnyFieldAndBadValuesAreRefused) {
    CreateTable("jhda");
    {
        CDataSet set;
        set.Open("select * from jhda where no=0");
        set.m_pRecordset->AddNew();
        set.PutFieldValue("5", U("数量"), set.m_pRecordset);
        set.PutFieldValue("8.5", U("进价"), set.m_pRecordset);
        set.PutFieldValue("2024-03-05", U("日期"), set.m_pRecordset);
        set.PutFieldValue("A-1", U("编号"), set.m_pRecordset);
        set.NumberRows(set.m_pRecordset, "jhda");
        ASSERT_EQ(set.Save(set.m_pRecordset), 1);
    }
    CGridCtrl* grid = OpenGrid("select * from jhda", "jhda");
    const int date = ColumnOf(grid, "日期");
    grid->PutFieldText(date, 1, "2024-02-30");
    EXPECT_EQ(FieldNow(grid, 1, "日期"), "2024-03-05");
    const wxString message = wxString::Format(U("系统不支持第1行,第%d列的数据格式！"), date);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{message.utf8_string()});
    boxes.Clear();
    grid->PutFieldText(ColumnOf(grid, "数量"), 1, "");
    grid->PutFieldText(ColumnOf(grid, "进价"), 1, "");
    grid->PutFieldText(date, 1, "");
    grid->PutFieldText(ColumnOf(grid, "编号"), 1, "");
    EXPECT_TRUE(boxes.Texts().empty());
    ASSERT_EQ(data.Save(grid->m_rsBound), 1);
    EXPECT_EQ(Values("jhda", "数量"), std::vector<wxString>{"NULL"});
    EXPECT_EQ(Values("jhda", "进价"), std::vector<wxString>{"NULL"});
    EXPECT_EQ(Values("jhda", "编号"), std::vector<wxString>{""});
}

TEST_F(GridWriteBack, DeletingOnZyxmRemovesTheRecordShown) {
    AddLines({{"首行", 1}, {"换机油", 2}, {"换刹车片", 3}, {"洗车", 4}});
    CGridCtrl* grid = OpenGrid("select * from zyxm order by no", "zyxm");
    grid->SetFocusCell(2, 1); // shows 换刹车片
    ASSERT_TRUE(grid->DeleteSelectedRecord());
    ASSERT_EQ(grid->GetRowCount(), 3);
    EXPECT_EQ(grid->GetItemText(2, 0), "2");
    EXPECT_EQ(grid->GetItemText(2, ColumnOf(grid, "项目名称")), U("洗车"));
    // the row above is selected and the grid still writes to the right records
    EXPECT_EQ(grid->GetFocusCell().row, 2);
    grid->PutFieldText(ColumnOf(grid, "数量"), 2, "40");
    ASSERT_EQ(data.Save(grid->m_rsBound), 1);
    EXPECT_EQ(Values("zyxm", "项目名称"),
              (std::vector<wxString>{U("首行"), U("换机油"), U("洗车")}));
    EXPECT_EQ(Values("zyxm", "数量"), (std::vector<wxString>{"1", "2", "40"}));
}

TEST_F(GridWriteBack, DeletingTheFirstRowAndNothingToDelete) {
    AddStock({{"刹车片", "A-1"}, {"机油滤芯", "A-2"}, {"火花塞", "A-3"}});
    CGridCtrl* grid = OpenGrid("select * from ljkc order by no", "ljkc");
    EXPECT_FALSE(grid->DeleteSelectedRecord());
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"请先选取数据！"});
    grid->SetFocusCell(1, 1);
    ASSERT_TRUE(grid->DeleteSelectedRecord());
    EXPECT_EQ(grid->GetRowCount(), 3);
    EXPECT_EQ(grid->GetItemText(1, 0), "1");
    EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "编号")), "A-2");
    EXPECT_FALSE(grid->GetFocusCell().IsValid());
    EXPECT_TRUE(grid->GetSelectedCells().empty());
    ASSERT_EQ(data.Save(grid->m_rsBound), 1);
    EXPECT_EQ(Values("ljkc", "编号"), (std::vector<wxString>{"A-2", "A-3"}));

    boxes.Clear();
    CGridCtrl* empty = OpenGrid("select * from ljkc where no<0", "ljkc");
    EXPECT_TRUE(empty->DeleteSelectedRecord());
    EXPECT_TRUE(boxes.Texts().empty());
}

// Edit a price and a quantity in place, delete a row, save, reopen: the table holds
// exactly the edits, also when the rows were sorted first (in the grid or through
// the recordset).
TEST_F(GridWriteBack, EditDeleteSaveReopen) {
    enum Sorting { kNone, kHeaderClick, kRecordset };
    for (Sorting sorting : {kNone, kHeaderClick, kRecordset}) {
        SCOPED_TRACE(sorting);
        data.DeleteWhere("ljkc", "no>0");
        AddStock({{"刹车片", "A-1"}, {"机油滤芯", "A-2"}, {"火花塞", "A-3"}, {"雨刮", "A-4"}});
        CGridCtrl* grid = OpenGrid("select * from ljkc order by no", "ljkc");
        const int code = ColumnOf(grid, "编号");
        if (sorting == kHeaderClick) {
            grid->m_bWholeRows = true;
            grid->OnFixedRowClick(GridCellId(0, code));
            grid->OnFixedRowClick(GridCellId(0, code)); // descending: A-4 first
        } else if (sorting == kRecordset) {
            grid->SetFocusCell(1, ColumnOf(grid, "零件名称"));
            grid->OnSortColumn(); // pinyin: 火花塞, 机油滤芯, 刹车片, 雨刮
        }
        auto rowOf = [&](const char* wanted) {
            for (int row = 1; row < grid->GetRowCount(); ++row)
                if (grid->GetItemText(row, code) == wanted) return row;
            return -1;
        };
        if (sorting == kHeaderClick) {
            EXPECT_EQ(rowOf("A-4"), 1);
        } else if (sorting == kRecordset) {
            EXPECT_EQ(rowOf("A-3"), 1);
        }
        TypeInto(grid, rowOf("A-2"), "零售价", "33.5");
        TypeInto(grid, rowOf("A-3"), "数量", "7");
        EXPECT_EQ(grid->GetItemText(rowOf("A-2"), ColumnOf(grid, "零售价")), "33.50");
        grid->SetEditMode(false);
        grid->SetFocusCell(rowOf("A-1"), 1);
        ASSERT_TRUE(grid->DeleteSelectedRecord());
        EXPECT_TRUE(boxes.Texts().empty());
        ASSERT_EQ(data.Save(grid->m_rsBound), 1);

        EXPECT_EQ(Values("ljkc", "编号"), (std::vector<wxString>{"A-2", "A-3", "A-4"}));
        EXPECT_EQ(Values("ljkc", "零售价"), (std::vector<wxString>{"33.5", "12.5", "12.5"}));
        EXPECT_EQ(Values("ljkc", "数量"), (std::vector<wxString>{"2", "7", "2"}));
        grid->Destroy();
    }
}

// Bad input: the message, the record and the cell as they were, and the grid still
// takes the next edit.
TEST_F(GridWriteBack, BadInputLeavesRecordAndCell) {
    CreateTable("jhda");
    {
        CDataSet set;
        set.Open("select * from jhda where no=0");
        set.m_pRecordset->AddNew();
        set.PutFieldValue("5", U("数量"), set.m_pRecordset);
        set.PutFieldValue("8.5", U("进价"), set.m_pRecordset);
        set.PutFieldValue("2024-03-05", U("日期"), set.m_pRecordset);
        set.PutFieldValue(U("刹车片"), U("零件名称"), set.m_pRecordset);
        set.NumberRows(set.m_pRecordset, "jhda");
        ASSERT_EQ(set.Save(set.m_pRecordset), 1);
    }
    CGridCtrl* grid = OpenGrid("select * from jhda", "jhda");
    struct Case {
        const char* field;
        const char* typed;
        const char* message;
        const char* cell;
    } cases[] = {
        {"数量", "abc", "数据格式不对！", "5"},
        {"进价", "1x5", "数据格式不对！", "8.50"},
        {"日期", "2024-02-30", "日期不对，可能月份或天数不正确。", "2024-03-05"},
        {"日期", "2024-13-01", "日期不对，可能月份或天数不正确。", "2024-03-05"},
        {"零件名称", "O'Brien", "  不能用单引号！", "刹车片"},
        {"零件名称", "前制动盘总成前制动盘总成前制动盘总成",
         "文字太长,这一栏最多30个字节(一个汉字占两个字节)!", "刹车片"},
    };
    for (const Case& c : cases) {
        boxes.Clear();
        const wxString before = FieldNow(grid, 1, c.field);
        TypeInto(grid, 1, c.field, c.typed);
        EXPECT_EQ(boxes.Texts(), std::vector<std::string>{c.message}) << c.typed;
        EXPECT_EQ(FieldNow(grid, 1, c.field), before) << c.typed;
        EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, c.field)), U(c.cell)) << c.typed;
    }
    // the grid takes the next edit
    TypeInto(grid, 1, "数量", "6");
    ASSERT_EQ(data.Save(grid->m_rsBound), 1);
    EXPECT_EQ(Values("jhda", "数量"), std::vector<wxString>{"6"});
    EXPECT_EQ(Values("jhda", "进价"), std::vector<wxString>{"8.5"});
}
