// Sorting the rows: header clicks, text and numeric order, renumbering, the sort
// through the recordset with its question, and the comma-list test.
#include "recordset_fixture.h"

namespace {

// A list-mode grid whose column 1 holds the given texts and column 2 the original
// row of each text.
CGridCtrl* FillGrid(CGridCtrl* grid, const std::vector<const char*>& texts) {
    grid->SetColumnCount(3);
    grid->SetRowCount(static_cast<int>(texts.size()) + 1);
    grid->m_bWholeRows = true;
    for (size_t i = 0; i < texts.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid->SetItemText(row, 1, wxString::FromUTF8(texts[i]));
        grid->SetItemText(row, 2, wxString::Format("%d", row));
        grid->SetRowHeight(row, 20);
    }
    return grid;
}

std::vector<wxString> ColumnTexts(CGridCtrl* grid, int col) {
    std::vector<wxString> texts;
    for (int row = 1; row < grid->GetRowCount(); ++row)
        texts.push_back(grid->GetItemText(row, col));
    return texts;
}

std::vector<wxString> W(std::initializer_list<const char*> texts) {
    std::vector<wxString> result;
    for (const char* text : texts)
        result.push_back(wxString::FromUTF8(text));
    return result;
}

} // namespace

class GridSort : public RecordsetGridTest {};

TEST_F(GridSort, HeaderClicksToggleAndSwitchColumns) {
    CGridCtrl* grid = FillGrid(NewGrid("ljkc"), {"王", "李", "张", "阿"});
    grid->SetColumnCount(4);
    for (int row = 1; row <= 4; ++row)
        grid->SetItemText(row, 3, wxString::Format("%c", 'd' - row + 1));
    grid->OnFixedRowClick(GridCellId(0, 1));
    EXPECT_EQ(ColumnTexts(grid, 1), W({"阿", "李", "王", "张"})); // pinyin order
    EXPECT_EQ(ColumnTexts(grid, 0), W({"1", "2", "3", "4"}));
    EXPECT_EQ(ColumnTexts(grid, 2), W({"4", "2", "1", "3"})); // whole rows moved
    grid->OnFixedRowClick(GridCellId(0, 1));
    EXPECT_EQ(ColumnTexts(grid, 1), W({"张", "王", "李", "阿"}));
    EXPECT_FALSE(grid->m_bSortUp);
    grid->OnFixedRowClick(GridCellId(0, 3));
    EXPECT_TRUE(grid->m_bSortUp);
    EXPECT_EQ(ColumnTexts(grid, 3), W({"a", "b", "c", "d"}));
    EXPECT_EQ(grid->m_nSortCol, 3);
}

TEST_F(GridSort, HeaderClickOutsideListModeSelectsEverything) {
    CGridCtrl* grid = FillGrid(NewGrid("ljkc"), {"b", "a"});
    grid->m_bWholeRows = false;
    grid->m_bSelectOn = true;
    grid->OnFixedRowClick(GridCellId(0, 1));
    EXPECT_EQ(ColumnTexts(grid, 1), W({"b", "a"}));
    EXPECT_EQ(grid->GetSelectedCells().size(), 4u);
    grid->m_bWholeRows = true;
    grid->m_bHeaderSorts = false;
    grid->OnFixedRowClick(GridCellId(0, 1));
    EXPECT_EQ(ColumnTexts(grid, 1), W({"b", "a"}));
}

TEST_F(GridSort, TextAndNumericOrder) {
    CGridCtrl* grid = FillGrid(NewGrid("ljkc"), {"10", "9", "", "-2.5", "100"});
    ASSERT_TRUE(grid->SortNumericItems(1, true));
    EXPECT_EQ(ColumnTexts(grid, 1), W({"-2.5", "", "9", "10", "100"}));
    ASSERT_TRUE(grid->SortNumericItems(1, false));
    EXPECT_EQ(ColumnTexts(grid, 1), W({"100", "10", "9", "", "-2.5"}));
    ASSERT_TRUE(grid->SortTextItems(1, true));
    EXPECT_EQ(ColumnTexts(grid, 1), W({"", "-2.5", "10", "100", "9"}));
    EXPECT_EQ(ColumnTexts(grid, 0), W({"1", "2", "3", "4", "5"}));
    EXPECT_FALSE(grid->SortTextItems(5, true)); // no such column
}

TEST_F(GridSort, OneRowIsNotSortedOrRenumbered) {
    CGridCtrl* grid = FillGrid(NewGrid("ljkc"), {"x"});
    grid->SetItemText(1, 0, "7");
    EXPECT_FALSE(grid->SortTextItems(1, true));
    EXPECT_FALSE(grid->SortNumericItems(1, true));
    EXPECT_EQ(grid->GetItemText(1, 0), "7");
}

TEST_F(GridSort, LargeGridsRenumberAndWidenTheNumbers) {
    std::vector<std::string> texts;
    for (int i = 0; i < 1200; ++i)
        texts.push_back(std::to_string((i * 7919) % 1200));
    std::vector<const char*> pointers;
    for (const std::string& text : texts)
        pointers.push_back(text.c_str());
    CGridCtrl* grid = FillGrid(NewGrid("ljkc"), pointers);
    ASSERT_TRUE(grid->SortNumericItems(1, true));
    for (int row = 1; row < grid->GetRowCount(); ++row) {
        ASSERT_EQ(grid->GetItemText(row, 1), wxString::Format("%d", row - 1));
        ASSERT_EQ(grid->GetItemText(row, 0), wxString::Format("%d", row));
    }
    EXPECT_EQ(grid->GetColumnWidth(0), 40);
}

class RecordsetSort : public RecordsetGridTest {
protected:
    void SetUp() override {
        RecordsetGridTest::SetUp();
        AddStock({{"雨刮", "A-1"}, {"火花塞", "A-2"}, {"机油滤芯", "A-3"}});
        grid = OpenGrid("select * from ljkc order by no", "ljkc");
    }
    CGridCtrl* grid = nullptr;
};

TEST_F(RecordsetSort, OutsideEditModeSortsWithoutAsking) {
    grid->SetFocusCell(1, ColumnOf(grid, "零件名称"));
    grid->OnSortColumn();
    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_EQ(ColumnTexts(grid, ColumnOf(grid, "零件名称")), W({"火花塞", "机油滤芯", "雨刮"}));
    EXPECT_EQ(grid->m_rsBound->Sort(), "零件名称 ASC");
    EXPECT_TRUE(grid->IsSorted());
    EXPECT_FALSE(grid->GetFocusCell().IsValid());
    // numeric columns sort as well outside edit mode
    grid->SetFocusCell(1, ColumnOf(grid, "数量"));
    grid->OnSortColumn();
    EXPECT_EQ(grid->m_rsBound->Sort(), "数量 ASC");
    // the same column again does nothing
    grid->m_rsBound->PutSort("");
    grid->SetFocusCell(1, ColumnOf(grid, "数量"));
    grid->OnSortColumn();
    EXPECT_EQ(grid->m_rsBound->Sort(), "");
}

TEST_F(RecordsetSort, EditModeAsksAndRefusesNumericColumns) {
    grid->SetEditMode(true);
    const int name = ColumnOf(grid, "零件名称");
    grid->SetFocusCell(1, name);
    boxes.Reply(platform::IDNO);
    grid->OnSortColumn();
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"真要按“零件名称”排序？"});
    EXPECT_FALSE(grid->IsSorted());
    EXPECT_EQ(ColumnTexts(grid, name), W({"雨刮", "火花塞", "机油滤芯"}));

    boxes.Clear();
    grid->SetFocusCell(1, ColumnOf(grid, "零售价"));
    boxes.Reply(platform::IDYES);
    grid->OnSortColumn();
    EXPECT_EQ(boxes.Texts(),
              (std::vector<std::string>{"真要按“零售价”排序？", "编辑时不能进行数据类排序!"}));
    EXPECT_FALSE(grid->IsSorted()); // nothing claims an order the rows do not have
    EXPECT_EQ(grid->m_rsBound->Sort(), "");

    boxes.Clear();
    grid->SetFocusCell(1, name);
    boxes.Reply(platform::IDYES);
    grid->OnSortColumn();
    EXPECT_EQ(ColumnTexts(grid, name), W({"火花塞", "机油滤芯", "雨刮"}));
    EXPECT_EQ(grid->m_nSortCol, name);
}

TEST(GridTextInList, WholeEntriesOnly) {
    struct Case {
        const char* item;
        const char* list;
        bool in;
    } cases[] = {
        {"编号", "单位,编号,", true}, {"编号", "单位,编号", false}, {"号", "编号,", false},
        {"编", "编号,编,", true},     {"", "anything", true},       {"单位", "", false},
        {"单位", "单位,", true},      {"位", "单位,位", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CGridCtrl::TextInList(U(c.item), U(c.list)), c.in) << c.item << " " << c.list;
}
