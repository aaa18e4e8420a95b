// Typing as a person types, every key and click sent through the X server: the picker's
// box, a card line's cells, Alt with a letter on a page, and the transfer page's lines.
#include "app/company_data.h"
#include "app/input_box.h"
#include "app/item_pick_dlg.h"
#include "app/main_frame.h"
#include "common/grid_typing.h"
#include "desk/desk_fixture.h"
#include "grid/grid_cell_edit.h"
#include "grid/grid_ctrl.h"
#include "parts/order_page.h"
#include "parts/parts_forms.h"
#include "platform/wx_text.h"
#include "res/order_page_template.h"
#include "work/part_pick_dlg.h"
#include "work/repair_page.h"
#include "work/vehicle_pick_dlg.h"
#include "work/work_forms.h"
#include "work/work_sheet.h"

#include <gtest/gtest.h>
#include <wx/clipbrd.h>
#include <wx/combobox.h>
#include <wx/listctrl.h>

using Texts = std::vector<wxString>;

namespace {

// Pastes text with Ctrl+V into the focused control.
void Paste(const wxString& text) {
    ASSERT_TRUE(wxTheClipboard->Open());
    wxTheClipboard->SetData(new wxTextDataObject(text));
    wxTheClipboard->Close();
    desk::Key('v', wxMOD_CONTROL);
}

// The dark pixels the X server shows inside a grid cell (its text).
int InkIn(CGridCtrl* grid, int row, int col) {
    wxRect rect;
    if (!grid->GetCellRect(row, col, &rect)) return -1;
    return desk::InkPixels(grid, rect.Deflate(2));
}

CGridCellEdit* OpenEditor(CGridCtrl* grid) {
    for (wxWindow* child : grid->GetChildren())
        if (auto* editor = dynamic_cast<CGridCellEdit*>(child);
            editor && editor->IsShown() && !editor->IsClosing())
            return editor;
    return nullptr;
}

} // namespace

class TypingTest : public DeskTest {
protected:
    // The repair sheet by its key, Ctrl+W: its picker, with the focus in the box.
    CVehiclePickDlg* OpenPicker(CMainFrame* frame) {
        desk::Key('w', wxMOD_CONTROL);
        CVehiclePickDlg* picker = nullptr;
        desk::WaitFor([&] {
            auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Repair));
            picker = sheet ? sheet->GetPicker() : nullptr;
            return picker && picker->IsShownOnScreen();
        });
        if (picker) desk::Click(picker->m_comboCustomer);
        return picker;
    }
    static WXZY* Card(CMainFrame* frame) {
        auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Repair));
        return sheet ? dynamic_cast<WXZY*>(sheet->GetActiveWorkPage()) : nullptr;
    }
    static Pjdh* TransferPage(CMainFrame* frame) {
        auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Order));
        return sheet ? dynamic_cast<Pjdh*>(sheet->GetActiveWorkPage()) : nullptr;
    }
};

// Every key typed into the picker stays, ASCII typed, Chinese committed through the
// input method or pasted; the matches listed are those of the whole text.
TEST_F(TypingTest, PickerKeepsEveryTypedCharacter) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    Insert("gk", {{{"车牌号码", "A12345"}, {"no", "1"}},
                  {{"车牌号码", "A12399"}, {"no", "2"}},
                  {{"车牌号码", "京A7788"}, {"no", "3"}},
                  {{"车牌号码", "5"}, {"no", "4"}}});
    CVehiclePickDlg* picker = OpenPicker(frame);
    ASSERT_NE(picker, nullptr);
    wxComboBox* box = picker->m_comboCustomer;
    ASSERT_TRUE(desk::WaitFor([box] { return wxWindow::FindFocus() == box; }));

    desk::Type("A123");
    EXPECT_TRUE(desk::WaitFor([box] { return box->GetValue() == "A123"; })) << box->GetValue();
    // The list of two matches is up; the typing goes on in the box.
    desk::Type("45");
    EXPECT_TRUE(desk::WaitFor([box] { return box->GetValue() == "A12345"; })) << box->GetValue();
    CItemPickDlg* list = picker->GetMatchList();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(desk::WaitFor([list] {
        return list->m_list->GetItemCount() == 1 && list->m_list->GetItemText(0) == "A12345";
    }));
    desk::Shot("picker-ascii");

    desk::Key('a', wxMOD_CONTROL);
    desk::Type(U("京A77"));
    EXPECT_TRUE(desk::WaitFor([box] { return box->GetValue() == U("京A77"); })) << box->GetValue();
    EXPECT_TRUE(desk::WaitFor([list] {
        return list->m_list->GetItemCount() == 1 && list->m_list->GetItemText(0) == U("京A7788");
    }));
    desk::Key('a', wxMOD_CONTROL);
    Paste(U("京A7788"));
    EXPECT_TRUE(desk::WaitFor([box] { return box->GetValue() == U("京A7788"); }))
        << box->GetValue();
    desk::Shot("picker-chinese");
}

// A cell of a card line edits on a click, a double click, a printable key or Enter and
// shows what was typed; a name ended with Enter that the chooser finds nothing for is
// stored as typed; Alt+N is the card's 新增, never an "n" in the cell.
TEST_F(TypingTest, CardLineCellsShowAndStoreWhatWasTyped) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    Insert("gk", {{{"车牌号码", "A12345"}, {"no", "1"}}});
    CVehiclePickDlg* picker = OpenPicker(frame);
    ASSERT_NE(picker, nullptr);
    desk::Type("A12345");
    desk::Key(WXK_RETURN);
    WXZY* card = nullptr;
    ASSERT_TRUE(desk::WaitFor([&] { return (card = Card(frame)) && card->IsShownOnScreen(); }));
    CGridCtrl* grid = card->GetLineGrid();
    desk::ClickCell(grid, 0, 1); // the focus into the grid
    const int rows = grid->GetRowCount();
    desk::Key('n', wxMOD_ALT);
    ASSERT_TRUE(desk::WaitFor([&] { return grid->GetRowCount() == rows + 1; }));
    const int row = grid->GetRowCount() - 1;
    const int name = 1;
    ASSERT_EQ(grid->GetItemText(0, name), U("项目名称"));

    // A click opens the editor; the typed name ends with Enter and finds nothing.
    desk::ClickCell(grid, row, name);
    ASSERT_TRUE(desk::WaitFor([grid] { return OpenEditor(grid) != nullptr; }));
    desk::Type(U("换机油"));
    desk::Key(WXK_RETURN);
    EXPECT_TRUE(desk::WaitFor([&] { return grid->GetItemText(row, name) == U("换机油"); }))
        << grid->GetItemText(row, name);
    desk::Shot("card-name");
    EXPECT_EQ(
        Column(U("select * from zyxm where 客户='A12345' and 项目名称='换机油'"), U("项目名称")),
        Texts{U("换机油")});

    // The other ways into a cell; an ordinary cell's editor starts empty.
    EXPECT_EQ(InkIn(grid, row, ColumnOf(grid, "货位")), 0); // an empty cell shows none
    struct Start {
        const char* how;
        const char* typed;
        const char* shown;
    };
    const int note = ColumnOf(grid, "备注");
    ASSERT_GT(note, 0);
    for (const Start& start : {Start{"double click", "ab", "ab"}, Start{"key", "cd", "cd"},
                               Start{"Enter", "ef", "ef"}}) {
        SCOPED_TRACE(start.how);
        // The focus on the cell, no editor open.
        desk::ClickCell(grid, row, note);
        if (OpenEditor(grid)) desk::Key(WXK_ESCAPE);
        ASSERT_TRUE(desk::WaitFor([grid] { return !OpenEditor(grid); }));
        const wxString how = start.how;
        if (how == "double click") {
            desk::ClickCell(grid, row, note, true);
            ASSERT_TRUE(desk::WaitFor([grid] { return OpenEditor(grid) != nullptr; }));
        } else if (how == "Enter") {
            desk::Key(WXK_RETURN);
            ASSERT_TRUE(desk::WaitFor([grid] { return OpenEditor(grid) != nullptr; }));
        }
        // Without an editor the first key opens one and is typed into it.
        desk::Type(start.typed);
        desk::Key(WXK_RETURN);
        EXPECT_TRUE(desk::WaitFor([&] { return grid->GetItemText(row, note) == start.shown; }))
            << grid->GetItemText(row, note);
        // Painted, not only stored: the screen shows text in the cell.
        EXPECT_TRUE(desk::WaitFor([&] { return InkIn(grid, row, note) > 0; }));
    }
    desk::Shot("card-cells");
    EXPECT_EQ(Column(U("select * from zyxm where 客户='A12345' and 项目名称='换机油'"),
                     grid->GetItemText(0, note)),
              Texts{"ef"});
}

// The transfer page: the code typed while the look-up pane opens stays whole, Alt+S
// (not the menu's 查询) archives, the stock moves by what is recorded, from the part's
// other bin or the one chosen in the part chooser; a line without a part is refused and
// nothing is written.
TEST_F(TypingTest, TransferKeepsTheTypedCodeAndMovesTheStock) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    Insert("ljkc", {{{"编号", "A12345"},
                     {"零件名称", "刹车片"},
                     {"货位", "一库A1"},
                     {"数量", "10"},
                     {"no", "1"}},
                    {{"编号", "A12399"},
                     {"零件名称", "刹车盘"},
                     {"货位", "二库A2"},
                     {"数量", "4"},
                     {"no", "2"}},
                    {{"编号", "A12399"},
                     {"零件名称", "刹车盘"},
                     {"货位", "一库B1"},
                     {"数量", "3"},
                     {"no", "3"}}});
    CCompanyData company;
    company.Set(CCompanyData::kStores, U("一库，二库"));
    ASSERT_TRUE(company.Save());
    desk::Key('p', wxMOD_ALT);
    desk::Key('b');
    Pjdh* page = nullptr;
    ASSERT_TRUE(
        desk::WaitFor([&] { return (page = TransferPage(frame)) && page->IsShownOnScreen(); }));
    // A store chosen from its list brings the look-up pane up with the store's stock.
    auto* stores = res::Control<wxComboBox>(page, res::order_page::kNumberCombo);
    desk::Click(stores);
    desk::Key(WXK_DOWN);
    desk::Key(WXK_RETURN);
    ASSERT_TRUE(desk::WaitFor([stores] { return !stores->GetValue().empty(); }));
    CGridCtrl* lookup = frame->m_dsMain.m_pGrid.get();
    ASSERT_TRUE(desk::WaitFor(
        [&] { return (lookup = frame->m_dsMain.m_pGrid.get()) && lookup->IsShownOnScreen(); }));
    CGridCtrl* grid = page->GetLineGrid();
    desk::ClickCell(grid, 0, 1);
    desk::Key('n', wxMOD_ALT); // 新增
    ASSERT_TRUE(desk::WaitFor([grid] { return grid->GetRowCount() == 2; }));
    const int code = ColumnOf(grid, "编号"), quantity = ColumnOf(grid, "数量");
    ASSERT_GT(code, 0);
    ASSERT_GT(quantity, 0);

    // A line with a quantity and no part is refused, and nothing is written.
    desk::ClickCell(grid, 1, quantity);
    desk::Type("2");
    desk::Key(WXK_RETURN);
    EXPECT_TRUE(desk::WaitFor([&] { return grid->GetItemText(1, quantity) == "2"; }));
    desk::Key('s', wxMOD_ALT);
    EXPECT_TRUE(desk::WaitFor([&] { return boxes_->Showed("没有零件"); }));
    desk::Shot("transfer-refused");
    EXPECT_TRUE(Column("select * from LJDB", U("编号")).empty());
    EXPECT_EQ(Column(U("select * from ljkc order by no"), U("数量")), (Texts{"10", "4", "3"}));
    for (int col = 1; col < grid->GetColumnCount(); ++col)
        EXPECT_NE(grid->GetItemText(1, col), "s") << "Alt+S typed into " << col;

    // The code typed whole while the look-up pane comes up.
    desk::ClickCell(grid, 1, code);
    ASSERT_TRUE(desk::WaitFor([grid] { return OpenEditor(grid) != nullptr; }));
    desk::Type("A12345");
    EXPECT_TRUE(desk::WaitFor([grid] {
        return OpenEditor(grid) && OpenEditor(grid)->GetValue() == "A12345";
    })) << (OpenEditor(grid) ? OpenEditor(grid)->GetValue() : wxString("(no editor)"));
    desk::Shot("transfer-typed");
    desk::Key(WXK_RETURN);
    EXPECT_TRUE(desk::WaitFor([&] { return grid->GetItemText(1, code) == "A12345"; }))
        << grid->GetItemText(1, code);
    desk::Shot("transfer-line");
    // A second line of a part kept in two bins, neither the line's.
    desk::Key('n', wxMOD_ALT);
    ASSERT_TRUE(desk::WaitFor([grid] { return grid->GetRowCount() == 3; }));
    desk::ClickCell(grid, 2, code);
    desk::Type("A12399");
    desk::Key(WXK_RETURN);
    EXPECT_TRUE(desk::WaitFor([&] { return grid->GetItemText(2, code) == "A12399"; }))
        << grid->GetItemText(2, code);
    desk::ClickCell(grid, 2, quantity);
    desk::Type("2");
    desk::Key(WXK_RETURN);
    EXPECT_TRUE(desk::WaitFor([&] { return grid->GetItemText(2, quantity) == "2"; }));
    desk::Shot("transfer-second-line");

    // 存档 asks where to; the line names no bin, and the part's bin is taken (Yes, the
    // box's first button); the page stays open.
    desk::OnModal<CInputBoxDlg> destination([](CInputBoxDlg&) {
        desk::Type(U("二库"));
        desk::Key(WXK_RETURN);
    });
    boxes_->Answer("要到其它货位取货吗", desk::MessageBoxes::kFirst);
    boxes_->Answer("是否关闭调拨页面", desk::MessageBoxes::kNo);
    // For the second line the bin is chosen from the part's stock rows: 一库B1.
    desk::OnModal<CPartPickDlg> chooser([](CPartPickDlg& dialog) {
        desk::Shot("transfer-bin-chooser");
        // The rows differ only in their quantity and bin: those columns are in sight.
        int bin = 0;
        for (int col = 0; col <= 5; ++col)
            bin += dialog.m_list->GetColumnWidth(col);
        EXPECT_LE(bin, dialog.m_list->GetClientSize().x) << "the bins lie out of sight";
        for (long row = 0; row < dialog.m_list->GetItemCount(); ++row)
            if (dialog.m_list->GetItemText(row, 5) == U("一库B1")) {
                desk::ClickListItem(dialog.m_list, row);
                return;
            }
        ADD_FAILURE() << "no row of the bin";
    });
    boxes_->Clear();
    desk::Key('s', wxMOD_ALT);
    EXPECT_TRUE(desk::WaitFor([&] { return destination.Done(); }));
    EXPECT_TRUE(desk::WaitFor([&] { return chooser.Done(); }));
    EXPECT_TRUE(desk::WaitFor([&] { return boxes_->Showed("是否关闭调拨页面"); }))
        << (boxes_->Shown().empty() ? std::string() : boxes_->Shown().back());
    desk::Shot("transfer-saved");
    EXPECT_TRUE(boxes_->Showed("要到其它货位取货吗"));
    EXPECT_EQ(Column(U("select * from ljkc order by no"), U("数量")), (Texts{"8", "4", "1"}));
    const char* const moved = "select * from LJDB order by 编号";
    EXPECT_EQ(Column(U(moved), U("编号")), (Texts{"A12345", "A12399"}));
    EXPECT_EQ(Column(U(moved), U("数量")), (Texts{"2", "2"}));
    EXPECT_EQ(Column(U(moved), U("调拨去向")), (Texts{U("二库"), U("二库")}));
    EXPECT_EQ(Column(U(moved), U("零件名称")), (Texts{U("刹车片"), U("刹车盘")}));
    EXPECT_TRUE(TransferPage(frame) != nullptr) << "the page was closed";
}
