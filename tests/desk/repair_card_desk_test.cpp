// A service adviser's card at the screen: the repair sheet opened from the menu, the
// plate typed into the picker, a labour line and a parts line typed by code, the card
// settled with part of it paid in cash and the rest put on the customer's account,
// then printed to a file; the card in place while the look-up lists parts or none; the
// sheet opened from its tool.
#include "desk/desk_fixture.h"

#include "common/grid_typing.h"
#include "common/pdf_text.h"
#include "common/window_manager.h"

#include "app/main_frame.h"
#include "grid/grid_ctrl.h"
#include "grid/repair_print_dlg.h"
#include "res/command_ids.h"
#include "res/repair_page_template.h"
#include "res/repair_print_template.h"
#include "res/settle_template.h"
#include "work/repair_page.h"
#include "work/settle_dlg.h"
#include "work/vehicle_pick_dlg.h"
#include "work/work_sheet.h"

#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>

using namespace res::repair_page;
using Texts = std::vector<wxString>;

namespace {

// A new line of the card: 新增, its code typed into the 编号 cell, then its quantity.
void AddLine(WXZY* page, const char* code, const char* quantity) {
    CGridCtrl* grid = page->GetLineGrid();
    const int rows = grid->GetRowCount();
    desk::Click(res::FindControl(page, kNewButton));
    ASSERT_TRUE(desk::WaitFor([&] { return grid->GetRowCount() == rows + 1; }));
    desk::ClickCell(grid, rows, ColumnOf(grid, "编号"));
    desk::Type(code);
    desk::Key(WXK_RETURN);
    if (quantity) {
        desk::ClickCell(grid, rows, ColumnOf(grid, "数量"));
        desk::Type(quantity);
        desk::Key(WXK_RETURN);
    }
    desk::Shot(code);
}

} // namespace

using RepairCardDeskTest = DeskTest;

TEST_F(RepairCardDeskTest, CardWithLabourAndPartsSettledPartCashPartOnAccountAndPrinted) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    Insert("gk", {{{"车牌号码", "粤A12345"}, {"车型", "桑塔纳"}, {"no", "1"}}});
    Insert("wxxm", {{{"项目名称", "更换机油"}, {"编号", "GS-01"}, {"单价", "80"}, {"no", "1"}}});
    Insert("ljkc", {{{"零件名称", "机油滤清器"},
                     {"编号", "JL-01"},
                     {"货位", "A1"},
                     {"数量", "10"},
                     {"零售价", "35.45"},
                     {"进价", "20"},
                     {"no", "1"}}});

    desk::Menu('W', "W"); // 维修 > 维修作业
    CWorkSheet* sheet = nullptr;
    ASSERT_TRUE(desk::WaitFor([&] {
        sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Repair));
        return sheet && sheet->GetPicker() && sheet->GetPicker()->IsShownOnScreen();
    }));
    desk::Shot("repair-sheet");
    // The picker stands over the lower pane where the window manager put it, not in a
    // corner of the screen.
    const wxRect pane = frame->GetSheetPane()->GetScreenRect();
    wxRect picker;
    EXPECT_TRUE(desk::WaitFor([&] {
        picker = qv_test::XScreenRectOf(sheet->GetPicker());
        return pane.Contains(picker.GetTopLeft());
    })) << "picker at "
        << picker.x << "," << picker.y << ", pane at " << pane.x << "," << pane.y << " "
        << pane.width << "x" << pane.height;

    // The plate, typed into the picker; Enter binds the vehicle it finds.
    desk::Click(sheet->GetPicker()->m_comboCustomer);
    desk::Type("A12345");
    desk::Shot("plate-typed");
    const wxString typed = sheet->GetPicker()->m_comboCustomer->GetValue();
    desk::Key(WXK_RETURN);
    ASSERT_TRUE(desk::WaitFor([&] { return sheet->GetPageCount() == 2; }));
    auto* page = dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetTitle(), U("粤A12345"));

    AddLine(page, "GS-01", nullptr);
    AddLine(page, "JL-01", "2");
    auto* total = res::Control<wxTextCtrl>(page, kTotalEdit);
    EXPECT_TRUE(desk::WaitFor([&] { return total->GetValue() == "150.90"; })) << total->GetValue();

    // 100 paid of 150.90; the rest goes on the account; the card stays open to print.
    boxes_->Answer("工作卡吗", desk::MessageBoxes::kNo);
    desk::OnModal<CSettleDlg> settle([](CSettleDlg& dialog) {
        EXPECT_EQ(qv_test::Text(&dialog, res::settle::kReceivableEdit), "150.90");
        desk::Click(res::FindControl(&dialog, res::settle::kReceivedEdit));
        desk::Key('a', wxMOD_CONTROL);
        desk::Type("100");
        EXPECT_TRUE(desk::WaitFor([&] {
            return qv_test::Text(&dialog, res::settle::kChangeEdit) == "-50.90";
        })) << qv_test::Text(&dialog, res::settle::kChangeEdit);
        desk::Shot("settle");
        desk::Click(res::FindControl(&dialog, res::settle::kConfirmButton));
    });
    desk::Click(res::FindControl(page, kSettleButton));
    ASSERT_TRUE(desk::WaitFor([&] { return settle.Done(); }));
    EXPECT_TRUE(desk::WaitFor([&] { return boxes_->Showed("工作卡吗"); }));
    EXPECT_TRUE(boxes_->Showed("所差款是否保存到欠款记录中去"));
    desk::Shot("settled");

    // Printed to a file from the print dialog's 打印.
    const std::string pdf = Path("card.pdf");
    frame->m_printData.SetPrintMode(wxPRINT_MODE_FILE);
    frame->m_printData.SetFilename(pdf);
    page = dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    desk::Click(res::FindControl(page, kPrintButton));
    CRepairPrintDlg* print = nullptr;
    ASSERT_TRUE(desk::WaitFor([&] {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* dialog = dynamic_cast<CRepairPrintDlg*>(window))
                print = dialog->IsShownOnScreen() ? dialog : nullptr;
        return print != nullptr;
    }));
    desk::Shot("print-dialog");
    desk::Click(res::FindControl(print, res::repair_print::kPrintButton));
    ASSERT_TRUE(desk::WaitFor([&] { return platform::FileExists(pdf); }));
    const std::string text = PdfText(pdf);
    for (const char* expected : {"粤A12345", "更换机油", "机油滤清器", "150.90"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;

    const wxString lines = U("select * from ljsh order by no");
    EXPECT_EQ(Column(lines, "编号"), (Texts{"GS-01", "JL-01"}));
    EXPECT_EQ(Column(lines, "单价"), (Texts{"80", "35.45"}));
    EXPECT_EQ(Column(lines, "数量"), (Texts{"1", "2"}));
    EXPECT_EQ(Column(U("select * from ljkc"), "数量"), Texts{"8"});
    EXPECT_EQ(Column(U("select * from kzk"), "金额"), Texts{"100"});
    EXPECT_EQ(Column(U("select * from wlzm"), "金额"), Texts{"50.9"});
    EXPECT_EQ(Column(U("select * from wlzm"), "类别"), Texts{U("应收款")});
    EXPECT_EQ(Column(U("select * from wlzm"), "单位"), Texts{U("粤A12345")});
    EXPECT_EQ(typed, "A12345") << "the picker lost typed characters";
}

// A part typed into a line's cell: the look-up grid of the upper pane lists what
// matches, and nothing when nothing does. The card stands where it stood either way,
// and when the typing ends.
TEST_F(RepairCardDeskTest, CardKeepsItsPlaceWhetherTheLookUpFindsPartsOrNone) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    Insert("gk", {{{"车牌号码", "粤A12345"}, {"no", "1"}}});
    Insert("ljkc", {{{"零件名称", "机油滤清器"}, {"编号", "JL-01"}, {"数量", "10"}, {"no", "1"}},
                    {{"零件名称", "空气滤清器"}, {"编号", "JL-02"}, {"数量", "5"}, {"no", "2"}}});
    desk::Menu('W', "W");
    CWorkSheet* sheet = nullptr;
    ASSERT_TRUE(desk::WaitFor([&] {
        sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Repair));
        return sheet && sheet->GetPicker() && sheet->GetPicker()->IsShownOnScreen();
    }));
    desk::Click(sheet->GetPicker()->m_comboCustomer);
    desk::Type("A12345");
    desk::Key(WXK_RETURN);
    ASSERT_TRUE(desk::WaitFor([&] { return sheet->GetPageCount() == 2; }));
    auto* page = dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    CGridCtrl* grid = page->GetLineGrid();
    const int row = grid->GetRowCount();
    desk::Click(res::FindControl(page, kNewButton));
    ASSERT_TRUE(desk::WaitFor([&] { return grid->GetRowCount() == row + 1; }));

    // The tops of the lines and of the header's mileage box on the screen.
    wxWindow* mileage = res::FindControl(page, kMileageEdit);
    auto place = [&] {
        return std::make_pair(grid->GetScreenRect().y, mileage->GetScreenRect().y);
    };
    auto listed = [frame] {
        const auto& lookup = frame->m_dsMain.m_pGrid;
        return lookup && lookup->IsShownOnScreen() ? lookup->GetRowCount() - 1 : -1;
    };
    desk::ClickCell(grid, row, ColumnOf(grid, "编号"));
    desk::Type("ZZ");
    ASSERT_TRUE(desk::WaitFor([&] { return listed() == 0; })) << listed();
    desk::Settle();
    const auto empty = place();
    desk::Shot("none-found");
    desk::Key(WXK_BACK);
    desk::Key(WXK_BACK);
    desk::Type("JL");
    ASSERT_TRUE(desk::WaitFor([&] { return listed() == 2; })) << listed();
    desk::Settle();
    EXPECT_EQ(place(), empty) << "the card moved when the look-up found parts";
    desk::Shot("found");
    desk::Key(WXK_BACK);
    desk::Key(WXK_BACK);
    desk::Type("QQ");
    ASSERT_TRUE(desk::WaitFor([&] { return listed() == 0; })) << listed();
    desk::Settle();
    EXPECT_EQ(place(), empty) << "the card moved when the look-up came up empty again";
    desk::Key(WXK_ESCAPE);
    desk::Settle();
    EXPECT_EQ(place(), empty) << "the card moved when the typing ended";
    desk::Shot("typing-ended");
}

// The sheet opened from its tool: the tool's tip goes with the click and stays away
// while the pointer rests on the bar over the opened sheet; it is there again once the
// pointer has left the bar and come back.
TEST_F(RepairCardDeskTest, ToolTipGoesOnceTheToolOpensTheSheet) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    const wxRect tool = desk::ToolRect(frame->GetMainToolBar(), WxCommandId(ID_REPAIR_SHEET_TOOL));
    ASSERT_FALSE(tool.IsEmpty());
    const wxPoint middle = tool.GetPosition() + wxPoint(tool.width / 2, tool.height / 2);
    wxUIActionSimulator input;
    // A hand resting on the tool moves it by a pixel or two now and then.
    auto rest = [&] {
        input.MouseMove(middle);
        desk::Settle();
        input.MouseMove(middle + wxPoint(2, 1));
        desk::Settle();
        input.MouseMove(middle + wxPoint(-1, 2));
    };
    rest();
    ASSERT_TRUE(desk::WaitFor([] { return desk::TooltipShown(); }));
    desk::Shot("tool-tip");

    input.MouseClick();
    ASSERT_TRUE(desk::WaitFor([&] {
        auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Repair));
        return sheet && sheet->GetPicker() && sheet->GetPicker()->IsShownOnScreen();
    }));
    rest();
    EXPECT_FALSE(desk::WaitFor([] { return desk::TooltipShown(); }, 3000))
        << "the tip came back over the opened sheet";
    desk::Shot("sheet-opened");

    input.MouseMove(frame->GetSheetPane()->GetScreenRect().GetPosition() + wxPoint(400, 300));
    desk::Settle();
    EXPECT_FALSE(desk::TooltipShown());
    // Away from the bar as long as a hand is: the program has seen it leave.
    const wxToolBarToolBase* used =
        frame->GetMainToolBar()->FindById(WxCommandId(ID_REPAIR_SHEET_TOOL));
    ASSERT_TRUE(used);
    ASSERT_TRUE(desk::WaitFor([&] { return !used->GetShortHelp().empty(); }));
    rest();
    EXPECT_TRUE(desk::WaitFor([] { return desk::TooltipShown(); })) << "the tip did not come back";
}
