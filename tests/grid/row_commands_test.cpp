// The grid's context menu and its row commands, chosen as the operator chooses them:
// the menu for each kind of grid, row copy and paste, the line flags of open work
// lines, printing and the grid settings.
#include "recordset_fixture.h"

#include "grid/grid_context_menu.h"
#include "grid/grid_row_commands.h"
#include "grid/print_preview.h"
#include "grid/print_seam.h"
#include "res/command_ids.h"

#include <algorithm>
#include <filesystem>
#include <wx/app.h>
#include <wx/cmndata.h>
#include <wx/menu.h>

namespace {
constexpr int kSep = wxID_SEPARATOR;

// The menu's items in order: command IDs, separators as kSep.
std::vector<int> Items(const wxMenu* menu) {
    std::vector<int> ids;
    if (!menu) return ids;
    for (const wxMenuItem* item : menu->GetMenuItems())
        ids.push_back(item->IsSeparator() ? kSep : item->GetId());
    return ids;
}
} // namespace

class RowCommandsTest : public RecordsetGridTest {
protected:
    void TearDown() override {
        SetActiveSheetSource(nullptr);
        SetGridLineChangedHandler(nullptr);
        SetGridPrinterSettings(nullptr); // a test's own setting goes with the test
        RecordsetGridTest::TearDown();
    }
    // Chooses a menu command on the grid, as the popup delivers it.
    static void Choose(CGridCtrl* grid, int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(grid);
        grid->GetEventHandler()->ProcessEvent(event);
    }
    wxString FieldNow(CGridCtrl* grid, int row, const char* field) {
        EXPECT_TRUE(grid->MoveToRowRecord(row));
        ado::Variant value = grid->m_rsBound->Fields().Item(U(field).utf8_string()).Value();
        return value.IsNull() ? wxString("NULL") : wxString::FromUTF8(value.ToString()).Trim(true);
    }
    // Open work lines: a hidden first record, then the given items, all priced 35.
    CGridCtrl* WorkLines(std::vector<std::pair<const char*, int>> lines) {
        lines.insert(lines.begin(), {"首行", 1});
        AddLines(lines);
        CGridCtrl* grid = OpenGrid("select * from zyxm order by no", "zyxm");
        const int price = ColumnOf(grid, "单价");
        for (int row = 1; row < grid->GetRowCount(); ++row) {
            grid->SetItemText(row, price, "35.00");
            grid->PutFieldText(price, row, "35.00");
        }
        return grid;
    }

    wxPrintData printData;
};

TEST_F(RowCommandsTest, MenuFollowsTheKindOfGrid) {
    AddStock({{"刹车片", "A-1"}});
    AddLines({{"首行", 1}, {"换机油", 2}});
    const std::vector<int> common = {ID_GRID_SETUP_MENU, ID_GRID_PRINT, ID_GRID_PRINT_PREVIEW};
    const std::vector<int> tail = {kSep, ID_GRID_EXPORT_TABLE, ID_GRID_EXPORT_EXCEL,
                                   ID_GRID_IMPORT_TABLE};
    const std::vector<int> pictures = {kSep, ID_GRID_LINK_PICTURE, ID_GRID_SHOW_PICTURE};
    const std::vector<int> rows = {CGridCtrl::kInsertRowCommand, ID_GRID_COLUMN_OPERATION,
                                   ID_GRID_COPY_ROW, ID_GRID_PASTE_ROW, kSep};
    auto join = [](std::initializer_list<std::vector<int>> parts) {
        std::vector<int> all;
        for (const auto& part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    const std::vector<int> sort = {ID_GRID_SORT};
    const std::vector<int> take = {ID_GRID_SELECT_CURRENT_ROW, ID_GRID_SELECT_ALL_ROWS, kSep};
    const std::vector<int> flags = {ID_GRID_NO_DISCOUNT, ID_GRID_WARRANTY_PART, ID_GRID_GIFT, kSep};

    CGridCtrl* stock = OpenGrid("select * from ljkc order by no", "ljkc");
    stock->SetFocusCell(1, 1);
    EXPECT_EQ(Items(stock->CreateContextMenu().get()), join({rows, common, sort, tail, pictures}));

    // a lookup list without a sheet open offers no transfer; with one it does
    stock->m_bPickGrid = true;
    EXPECT_EQ(Items(stock->CreateContextMenu().get()), join({common, sort, tail, pictures}));
    SetActiveSheetSource([](ActiveSheetLines&) { return true; });
    EXPECT_EQ(Items(stock->CreateContextMenu().get()), join({take, common, sort, tail, pictures}));
    stock->m_bPickGrid = false;

    // staff and labour items have no pictures; column 0 never sorts
    for (const char* table : {"ygk", "wxxm"}) {
        stock->SetTableName(table);
        stock->SetFocusCell(1, 0);
        EXPECT_EQ(Items(stock->CreateContextMenu().get()), join({rows, common, tail})) << table;
    }

    // open work lines offer the flags a line may take, one at a time once set
    CGridCtrl* lines = OpenGrid("select * from zyxm order by no", "zyxm");
    lines->SetFocusCell(1, 1);
    EXPECT_EQ(Items(lines->CreateContextMenu().get()),
              join({rows, flags, common, sort, tail, pictures}));
    const std::pair<int, std::vector<int>> offered[] = {
        {1, {ID_GRID_NO_DISCOUNT, kSep}},
        {2, {ID_GRID_WARRANTY_PART, kSep}},
        {3, {ID_GRID_GIFT, kSep}},
    };
    for (const auto& [image, items] : offered) {
        lines->SetItemImage(1, 0, image);
        lines->SetFocusCell(1, 1);
        EXPECT_EQ(Items(lines->CreateContextMenu().get()),
                  join({rows, items, common, sort, tail, pictures}))
            << image;
    }
    lines->SetItemImage(1, 0, 3);
    auto menu = lines->CreateContextMenu();
    EXPECT_EQ(menu->GetLabelText(ID_GRID_GIFT), U("取消赠送"));

    // no row, no menu; no recordset, no menu
    lines->SetRowCount(1);
    lines->SetFocusCell(-1, -1);
    EXPECT_EQ(lines->CreateContextMenu(), nullptr);
    lines->m_rsBound.reset();
    lines->SetFocusCell(1, 1);
    EXPECT_EQ(lines->CreateContextMenu(), nullptr);
}

TEST_F(RowCommandsTest, SortIsOfferedOnTextColumnsOnlyWhenRestricted) {
    AddStock({{"刹车片", "A-1"}});
    CGridCtrl* stock = OpenGrid("select * from ljkc order by no", "ljkc");
    auto offersSort = [&](const char* title) {
        stock->SetFocusCell(1, ColumnOf(stock, title));
        const auto items = Items(stock->CreateContextMenu().get());
        return std::find(items.begin(), items.end(), ID_GRID_SORT) != items.end();
    };
    stock->m_nRestrictSort = 1;
    EXPECT_FALSE(offersSort("零件名称")); // restricted outside edit mode
    stock->SetEditMode(true);
    EXPECT_TRUE(offersSort("零件名称"));
    EXPECT_FALSE(offersSort("数量"));
    EXPECT_FALSE(offersSort("零售价"));
    stock->m_nRestrictSort = 0;
    EXPECT_TRUE(offersSort("零售价"));
}

TEST_F(RowCommandsTest, FlagsActOnTheRecordShownInTheRow) {
    CGridCtrl* grid = WorkLines({{"换机油", 2}, {"刹车片", 3}});
    std::vector<std::pair<CGridCtrl*, int>> changed;
    SetGridLineChangedHandler([&](CGridCtrl& g, int row) { changed.emplace_back(&g, row); });

    grid->SetFocusCell(2, 1);
    Choose(grid, ID_GRID_GIFT);
    EXPECT_EQ(grid->GetItemImage(2, 0), 3);
    EXPECT_EQ(FieldNow(grid, 2, "项目名称"), U("刹车片"));
    EXPECT_EQ(FieldNow(grid, 2, "其它"), "Z");
    EXPECT_EQ(FieldNow(grid, 2, "单价").Left(2), "0");
    EXPECT_EQ(FieldNow(grid, 2, "零售价").Left(2), "35");
    EXPECT_EQ(grid->GetItemText(2, ColumnOf(grid, "单价")), "0.00"); // the row shows it too
    EXPECT_EQ(FieldNow(grid, 1, "其它"), "NULL");                    // the row above is untouched
    EXPECT_EQ(changed, (std::vector<std::pair<CGridCtrl*, int>>{{grid, 2}}));

    grid->SetFocusCell(2, 1);
    Choose(grid, ID_GRID_GIFT);
    EXPECT_EQ(grid->GetItemImage(2, 0), -1);
    EXPECT_EQ(FieldNow(grid, 2, "其它"), "NULL");
    EXPECT_EQ(grid->GetItemText(2, ColumnOf(grid, "单价")), "35.00");

    // warranty on and off leaves no flag; clearing a flag that is no gift keeps the price
    grid->SetFocusCell(1, 1);
    Choose(grid, ID_GRID_WARRANTY_PART);
    EXPECT_EQ(FieldNow(grid, 1, "其它"), "S");
    EXPECT_EQ(grid->GetItemImage(1, 0), 2);
    grid->SetFocusCell(1, 1);
    Choose(grid, ID_GRID_GIFT);
    EXPECT_EQ(FieldNow(grid, 1, "其它"), "NULL");
    EXPECT_EQ(grid->GetItemImage(1, 0), -1);
    EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "单价")), "35.00");
    grid->SetFocusCell(1, 1);
    Choose(grid, ID_GRID_NO_DISCOUNT);
    EXPECT_EQ(FieldNow(grid, 1, "其它"), "N");

    // a gift line shown without its image (reloaded) is cleared, its price kept
    grid->SetFocusCell(2, 1);
    Choose(grid, ID_GRID_GIFT);
    grid->SetItemImage(2, 0, -1);
    grid->SetFocusCell(2, 1);
    Choose(grid, ID_GRID_GIFT);
    EXPECT_EQ(FieldNow(grid, 2, "其它"), "NULL");
    EXPECT_EQ(grid->GetItemText(2, ColumnOf(grid, "单价")), "35.00");
    EXPECT_EQ(grid->GetItemImage(2, 0), -1);

    // the flags reach the table with the save, on the lines shown
    ASSERT_EQ(data.Save(grid->m_rsBound), 1);
    EXPECT_EQ(Column("select * from zyxm order by no", "其它"),
              (std::vector<wxString>{"NULL", "N", "NULL"}));
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(RowCommandsTest, PasteCopiesTheRememberedRowIntoRowAndRecord) {
    CGridCtrl* grid = WorkLines({{"换机油", 2}, {"刹车片", 3}, {"火花塞", 4}});
    const int name = ColumnOf(grid, "项目名称"), count = ColumnOf(grid, "数量");

    // without edit mode the paste is refused, copied row or not
    grid->SetFocusCell(3, 1);
    Choose(grid, ID_GRID_PASTE_ROW);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"非编辑状态下不允许此项操作"});
    boxes.Clear();

    // without a copied row nothing happens
    grid->SetEditMode(true);
    grid->SetFocusCell(3, 1);
    Choose(grid, ID_GRID_PASTE_ROW);
    EXPECT_EQ(grid->GetItemText(3, name), U("火花塞"));

    int recalculated = -1;
    SetGridLineChangedHandler([&](CGridCtrl&, int row) { recalculated = row; });
    grid->SetFocusCell(1, 1);
    Choose(grid, ID_GRID_COPY_ROW);
    EXPECT_EQ(grid->m_nCopiedRow, 1);
    grid->SetFocusCell(3, 1);
    Choose(grid, ID_GRID_PASTE_ROW);
    EXPECT_EQ(grid->GetItemText(3, name), U("换机油"));
    EXPECT_EQ(grid->GetItemText(3, count), "2");
    EXPECT_EQ(FieldNow(grid, 3, "项目名称"), U("换机油"));
    EXPECT_EQ(FieldNow(grid, 3, "数量"), "2");
    EXPECT_EQ(FieldNow(grid, 2, "项目名称"), U("刹车片"));      // the record before stays
    EXPECT_EQ(grid->GetItemText(3, ColumnOf(grid, "no")), "4"); // its number too
    EXPECT_EQ(recalculated, 3);
    // the focus goes to the first empty cell to fill
    const GridCellId focus = grid->GetFocusCell();
    EXPECT_EQ(focus.row, 3);
    EXPECT_TRUE(grid->GetItemText(1, focus.col).empty());

    // a flagged line pastes with its flag, shown and stored
    grid->SetFocusCell(1, 1);
    grid->SetEditMode(false);
    Choose(grid, ID_GRID_WARRANTY_PART);
    grid->SetEditMode(true);
    grid->SetFocusCell(2, 1);
    Choose(grid, ID_GRID_PASTE_ROW);
    EXPECT_EQ(grid->GetItemImage(2, 0), 2);
    EXPECT_EQ(FieldNow(grid, 2, "其它"), "S");

    // an empty cell of the copied row empties the record's field too
    grid->SetItemText(1, ColumnOf(grid, "备注"), "");
    grid->PutFieldText(ColumnOf(grid, "备注"), 3, U("加急"));
    grid->SetFocusCell(3, 1);
    Choose(grid, ID_GRID_PASTE_ROW);
    EXPECT_EQ(FieldNow(grid, 3, "备注"), "");

    // a copied row that is gone pastes nothing
    grid->DeleteRowAndRenumber(3);
    grid->m_nCopiedRow = 3;
    grid->SetFocusCell(1, 1);
    recalculated = -1;
    Choose(grid, ID_GRID_PASTE_ROW);
    EXPECT_EQ(grid->GetItemText(1, name), U("换机油"));
    EXPECT_EQ(recalculated, -1);

    ASSERT_EQ(data.Save(grid->m_rsBound), 1) << (boxes.Texts().empty() ? "" : boxes.Texts()[0]);
    EXPECT_EQ(Column("select * from zyxm order by no", "项目名称"),
              (std::vector<wxString>{U("首行"), U("换机油"), U("换机油"), U("换机油")}));
    EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(RowCommandsTest, PrintAlwaysSendsEveryPageOnceAndSetupGoesToTheMainWindow) {
    AddStock({{"刹车片", "A-1"}, {"火花塞", "A-3"}});
    CGridCtrl* stock = OpenGrid("select * from ljkc order by no", "ljkc");
    const std::string output = TestHome() + "/row_commands.pdf";
    std::filesystem::remove(output);
    printData.SetPrintMode(wxPRINT_MODE_FILE);
    printData.SetFilename(output);
    SetGridPrinterSettings(&printData);
    stock->m_nFromPage = 5;
    stock->m_nToPage = 5;
    stock->m_nCopies = 2;
    stock->SetFocusCell(1, 1);
    Choose(stock, ID_GRID_PRINT);
    EXPECT_EQ(stock->m_nFromPage, 0);
    EXPECT_EQ(stock->m_nToPage, 99999);
    EXPECT_EQ(stock->m_nCopies, 0);
    EXPECT_TRUE(std::filesystem::exists(output)); // page 5 of a one-page grid would print none
    std::filesystem::remove(output);

    int setupCommands = 0;
    wxWindow* previousTop = wxTheApp->GetTopWindow();
    wxTheApp->SetTopWindow(frame);
    frame->Bind(
        wxEVT_MENU, [&](wxCommandEvent&) { ++setupCommands; }, WxCommandId(ID_GRID_SETUP));
    Choose(stock, ID_GRID_SETUP_MENU);
    wxTheApp->SetTopWindow(previousTop);
    EXPECT_EQ(setupCommands, 1);
}

TEST_F(RowCommandsTest, InsertRowAndColumnBeforeTheFocus) {
    AddStock({{"刹车片", "A-1"}, {"火花塞", "A-3"}});
    CGridCtrl* stock = OpenGrid("select * from ljkc order by no", "ljkc");
    const int columns = stock->GetColumnCount();
    stock->SetFocusCell(2, 2);
    Choose(stock, ID_GRID_INSERT_COLUMN_BEFORE);
    ASSERT_EQ(stock->GetColumnCount(), columns + 1);
    EXPECT_EQ(stock->GetItemText(0, 2), U("新建列"));
    EXPECT_EQ(stock->GetItemFormat(1, 2), 37u);

    stock->SetFocusCell(2, 1);
    Choose(stock, ID_GRID_INSERT_ROW_BEFORE);
    ASSERT_EQ(stock->GetRowCount(), 4);
    EXPECT_TRUE(stock->GetItemText(2, ColumnOf(stock, "零件名称")).empty());
    EXPECT_EQ(stock->GetItemText(3, ColumnOf(stock, "零件名称")), U("火花塞"));
    for (int row = 1; row < 4; ++row)
        EXPECT_EQ(stock->GetItemText(row, 0), wxString::Format("%i", row));
}

TEST_F(RowCommandsTest, PreviewOpensOncePerGrid) {
    AddStock({{"刹车片", "A-1"}});
    CGridCtrl* stock = OpenGrid("select * from ljkc order by no", "ljkc");
    SetGridPrinterSettings(&printData);
    auto previews = [] {
        std::vector<CViewPrintPreview*> open;
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* preview = dynamic_cast<CViewPrintPreview*>(window))
                if (!wxPendingDelete.Member(preview)) open.push_back(preview);
        return open;
    };
    stock->SetFocusCell(1, 1);
    stock->SelectRange(1, 1, 1, 2);
    Choose(stock, ID_GRID_PRINT_PREVIEW);
    EXPECT_TRUE(stock->GetSelectedCells().empty());
    EXPECT_EQ(stock->GetFocusCell().row, -1);
    ASSERT_EQ(previews().size(), 1u);
    EXPECT_EQ(previews()[0]->m_pGrid, stock);
    EXPECT_TRUE(stock->m_bPreviewing);
    stock->SetFocusCell(1, 1);
    Choose(stock, ID_GRID_PRINT_PREVIEW);
    EXPECT_EQ(previews().size(), 1u);
    for (CViewPrintPreview* preview : previews())
        preview->Close(true); // as the program closes it, enabling the other windows again
    ProcessPending();
}
