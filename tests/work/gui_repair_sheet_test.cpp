// The repair sheet the way a service adviser goes through it, on an encrypted
// account set: the sheet opened by its command, a plate typed into the picker and
// bound, labour and parts typed into the card's lines, discounts, suspend and resume.
#include "gui_repair_sheet_fixture.h"

#include "common/pdf_text.h"

#include "app/item_pick_dlg.h"
#include "app/main_frame.h"
#include "common/form_driver.h"
#include "common/window_manager.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/repair_page_template.h"
#include "work/part_pick_dlg.h"
#include "work/repair_page.h"
#include "work/vehicle_pick_dlg.h"
#include "work/work_sheet.h"

#include "grid/capital_numerals.h"
#include "grid/data_set_grid.h"
#include "grid/grid_cell_edit.h"
#include "grid/repair_print_dlg.h"
#include "res/settle_template.h"
#include "work/settle_dlg.h"

#include <algorithm>
#include <cstdio>
#include <wx/combobox.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

using namespace res::repair_page;

namespace {

CWorkSheet* RepairSheet(CMainFrame* frame) {
    return dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Repair));
}

wxString Edit(wxWindow* page, int id) {
    return res::Control<wxTextCtrl>(page, id)->GetValue();
}

// The message boxes of a test: every text is kept, and a question is answered by the
// first reply whose part it holds (else with its first button).
class AnsweredBoxes {
public:
    AnsweredBoxes() {
        previous_ = platform::SetMessageBoxHandler(
            [this](const std::string& text, const std::string&, unsigned type) {
                shown.push_back(text);
                for (const auto& [part, reply] : replies_)
                    if (text.find(part) != std::string::npos) return reply;
                return platform::DefaultReply(type);
            });
    }
    ~AnsweredBoxes() { platform::SetMessageBoxHandler(previous_); }
    void Answer(const char* part, int reply) { replies_.emplace_back(part, reply); }
    bool Showed(const char* text) const {
        return std::find(shown.begin(), shown.end(), text) != shown.end();
    }

    std::vector<std::string> shown;

private:
    std::vector<std::pair<std::string, int>> replies_;
    platform::MessageBoxHandler previous_;
};

} // namespace

class RepairSheetTest : public WorkshopTest {
protected:
    // The shop's vehicles, labour items, stock (the brake pads short in bin A2) and
    // an advance the first customer paid.
    void AddShopData() {
        Insert("gk", {{{"车牌号码", "粤A12345"}, {"车型", "桑塔纳"}, {"颜色", "白"}, {"no", "1"}},
                      {{"车牌号码", "粤B88888"}, {"车型", "捷达"}, {"no", "2"}}});
        Insert("wxxm",
               {{{"项目名称", "更换机油"}, {"编号", "GS-01"}, {"单价", "80"}, {"no", "1"}},
                {{"项目名称", "四轮定位"}, {"编号", "GS-02"}, {"单价", "120"}, {"no", "2"}}});
        Insert("ljkc", {{{"零件名称", "机油滤清器"},
                         {"编号", "JL-01"},
                         {"货位", "A1"},
                         {"数量", "10"},
                         {"零售价", "35"},
                         {"进价", "20"},
                         {"no", "1"}},
                        {{"零件名称", "刹车片"},
                         {"编号", "SC-02"},
                         {"货位", "A2"},
                         {"数量", "1"},
                         {"零售价", "60"},
                         {"进价", "40"},
                         {"no", "2"}},
                        {{"零件名称", "刹车片"},
                         {"编号", "SC-02"},
                         {"货位", "B1"},
                         {"数量", "5"},
                         {"零售价", "60"},
                         {"进价", "40"},
                         {"no", "3"}},
                        {{"零件名称", "火花塞"},
                         {"编号", "HH-03"},
                         {"货位", "A3"},
                         {"数量", "8"},
                         {"零售价", "15"},
                         {"进价", "9"},
                         {"no", "4"}}});
        Insert("wlzm", {{{"单位", "粤A12345"},
                         {"类别", "预收款"},
                         {"方式", "入帐"},
                         {"金额", "50"},
                         {"日期", "2026-12-01"},
                         {"no", "1"}}});
        ASSERT_EQ(CMainFrame::WriteSettingFile("SystemSet", U("折扣=80,")), 1);
    }

    // A new line with a name or code typed into it; the chooser, when it shows, takes
    // its first row.
    void AddItem(WXZY* page, const char* column, const char* typed, const char* quantity) {
        qv_test::Click(page, kNewButton);
        Pump();
        CGridCtrl* grid = page->GetLineGrid();
        const int row = grid->GetRowCount() - 1;
        qv_test::ModalDriver<CPartPickDlg> chooser(
            [](CPartPickDlg& dialog) { PressKey(dialog.m_list, WXK_RETURN); });
        TypeIntoCell(grid, row, ColumnOf(grid, column), U(typed));
        if (quantity) TypeIntoCell(grid, row, ColumnOf(grid, "数量"), U(quantity));
    }

    // The card 粤D2 (its header 桑塔纳, the lines 补胎 30.00 and 洗车 20.00, labour
    // lines when `labour`) open and sorted by name, which shows 补胎 first.
    // The card printed to a file, as the print dialog's 打印 does; the paper's text,
    // empty when nothing was printed.
    std::string PrintCard(CMainFrame* frame, WXZY* page, const char* file) {
        const std::string pdf = Path(file);
        frame->m_printData.SetPrintMode(wxPRINT_MODE_FILE);
        frame->m_printData.SetFilename(pdf);
        qv_test::Click(page, kPrintButton);
        Pump();
        CRepairPrintDlg* print = nullptr;
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* dialog = dynamic_cast<CRepairPrintDlg*>(window)) print = dialog;
        if (!print) return std::string();
        print->OnOK();
        Pump();
        return platform::FileExists(pdf) ? PdfText(pdf) : std::string();
    }
    WXZY* OpenCardSortedByName(CMainFrame* frame, bool labour) {
        std::vector<Row> card = {
            {{"客户", "粤D2"}, {"项目名称", "桑塔纳"}, {"flag", "W"}, {"no", "1"}},
            {{"客户", "粤D2"},
             {"项目名称", "补胎"},
             {"单价", "30"},
             {"数量", "1"},
             {"flag", "W"},
             {"no", "2"}},
            {{"客户", "粤D2"},
             {"项目名称", "洗车"},
             {"单价", "20"},
             {"数量", "1"},
             {"flag", "W"},
             {"no", "3"}}};
        if (labour) card[1]["WX"] = card[2]["WX"] = "W";
        Insert("zyxm", card);
        frame->ExecuteCommand(ID_REPAIR_SHEET);
        Pump();
        CWorkSheet* sheet = RepairSheet(frame);
        auto* page = sheet ? dynamic_cast<WXZY*>(sheet->GetWorkPage(1)) : nullptr;
        if (!page) return nullptr;
        sheet->SelectWorkPage(page);
        Pump();
        CGridCtrl* grid = page->GetLineGrid();
        const int name = ColumnOf(grid, "项目名称");
        grid->SetFocusCell(1, name);
        grid->OnSortColumn();
        EXPECT_TRUE(grid->IsSorted());
        EXPECT_EQ(grid->GetRowCount(), 3);
        EXPECT_EQ(grid->GetItemText(1, name), U("补胎"));
        return page;
    }
};

// The picker floats over the sheet it serves, where the window manager shows it, not
// at the screen's corner over the menu bar.
TEST_F(RepairSheetTest, PickerOpensOverItsSheetUnderAWindowManager) {
    if (!qv_test::WindowManagerRunning()) GTEST_SKIP() << "placement is the window manager's";
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    frame->ExecuteCommand(ID_REPAIR_SHEET);
    Pump();
    CWorkSheet* sheet = RepairSheet(frame);
    ASSERT_NE(sheet, nullptr);
    CVehiclePickDlg* picker = sheet->GetPicker();
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(qv_test::WaitFor([&] { return picker->IsShownOnScreen(); }));
    const wxRect pane = frame->GetSheetPane()->GetScreenRect();
    EXPECT_TRUE(qv_test::WaitFor([&] { return pane.Contains(picker->GetScreenPosition()); }))
        << picker->GetScreenPosition().x << "," << picker->GetScreenPosition().y << " not in "
        << pane.x << "," << pane.y << " " << pane.width << "x" << pane.height;
}

TEST_F(RepairSheetTest, PlateBoundLinesPricedDiscountCheckedSuspendedAndResumed) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    AddShopData();
    AnsweredBoxes boxes;

    frame->ExecuteCommand(ID_REPAIR_SHEET);
    Pump();
    CWorkSheet* sheet = RepairSheet(frame);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(frame->m_pActiveSheet, sheet);
    ASSERT_EQ(sheet->GetPageCount(), 1u);
    EXPECT_EQ(sheet->GetWorkPage(0)->GetTitle(), U("零散客户"));
    ASSERT_NE(sheet->GetPicker(), nullptr);

    // Part of the plate lists the matches; Enter binds the first.
    CVehiclePickDlg* picker = sheet->GetPicker();
    picker->m_comboCustomer->SetValue("A123");
    Pump();
    ASSERT_NE(picker->GetMatchList(), nullptr);
    EXPECT_EQ(picker->GetMatchList()->m_list->GetItemCount(), 1);
    PressKey(picker->m_comboCustomer, WXK_RETURN);
    Pump();
    ASSERT_EQ(sheet->GetPageCount(), 2u);
    auto* page = dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetTitle(), U("粤A12345"));
    EXPECT_EQ(boxes.shown, std::vector<std::string>{"预收款:50.00 "});
    // The same plate again has its page already.
    boxes.shown.clear();
    BindPlate(picker, "粤A12345");
    EXPECT_EQ(boxes.shown, std::vector<std::string>{"已有该车的工作页面！"});
    EXPECT_EQ(sheet->GetPageCount(), 2u);

    AddItem(page, "项目名称", "更换", nullptr);
    AddItem(page, "编号", "GS-02", nullptr);
    AddItem(page, "编号", "JL-01", "2");
    AddItem(page, "编号", "SC-02", "2");
    AddItem(page, "项目名称", "火花塞", "4");
    CGridCtrl* grid = page->GetLineGrid();
    ASSERT_EQ(grid->GetRowCount(), 6);
    const int name = ColumnOf(grid, "项目名称"), price = ColumnOf(grid, "单价"),
              subtotal = ColumnOf(grid, "小计");
    const char* const expected[][3] = {{"更换机油", "80.00", "80.00"},
                                       {"四轮定位", "120.00", "120.00"},
                                       {"机油滤清器", "35.00", "70.00"},
                                       {"刹车片", "60.00", "120.00"},
                                       {"火花塞", "15.00", "60.00"}};
    for (int row = 1; row <= 5; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(grid->GetItemText(row, name), U(expected[row - 1][0]));
        EXPECT_EQ(grid->GetItemText(row, price), U(expected[row - 1][1]));
        EXPECT_EQ(grid->GetItemText(row, subtotal), U(expected[row - 1][2]));
    }
    EXPECT_EQ(Edit(page, kTotalEdit), "450.00");

    // A parts discount below the shop's limit is refused before it touches a line; one
    // within it discounts the parts lines only.
    auto* discount = res::Control<wxTextCtrl>(page, kPartsDiscountEdit);
    boxes.shown.clear();
    discount->SetValue("75");
    page->OnKillFocusPartsDiscount();
    EXPECT_EQ(boxes.shown, std::vector<std::string>{"超出权限,无效操作!"});
    EXPECT_EQ(discount->GetValue(), "100");
    EXPECT_EQ(Edit(page, kTotalEdit), "450.00");
    discount->SetValue("90");
    page->OnKillFocusPartsDiscount();
    EXPECT_EQ(Edit(page, kTotalEdit), "425.00");

    // Suspended: the page goes, the plate waits in the picker's list; chosen there,
    // the card comes back with its lines.
    qv_test::Click(page, kSuspendButton);
    Pump();
    EXPECT_EQ(sheet->GetPageCount(), 1u);
    EXPECT_NE(picker->m_comboCustomer->FindString(U("粤A12345")), wxNOT_FOUND);
    picker->m_comboCustomer->SetSelection(picker->m_comboCustomer->FindString(U("粤A12345")));
    wxCommandEvent choose(wxEVT_COMBOBOX, picker->m_comboCustomer->GetId());
    choose.SetEventObject(picker->m_comboCustomer);
    picker->m_comboCustomer->ProcessWindowEvent(choose);
    Pump();
    ASSERT_EQ(sheet->GetPageCount(), 2u);
    page = dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetLineGrid()->GetRowCount(), 6);
    EXPECT_EQ(Edit(page, kTotalEdit), "425.00");
    EXPECT_EQ(Edit(page, kPartsDiscountEdit), "90");
}

// The card of the first test settled: the advance set off, less received than owed,
// the brake pads taken from a second bin, the card printed; then every table the
// settlement wrote, read back from the encrypted set, to the fen.
TEST_F(RepairSheetTest, CardSettledWithOffsetAndShortfallPrintedAndBookedToTheFen) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    AddShopData();
    AnsweredBoxes boxes;
    auto* page = OpenCard(frame, "A12345");
    ASSERT_NE(page, nullptr);
    CWorkSheet* sheet = RepairSheet(frame);
    AddItem(page, "项目名称", "更换", nullptr);
    AddItem(page, "编号", "GS-02", nullptr);
    AddItem(page, "编号", "JL-01", "2");
    AddItem(page, "编号", "SC-02", "2");
    AddItem(page, "项目名称", "火花塞", "4");
    res::Control<wxTextCtrl>(page, kPartsDiscountEdit)->SetValue("90");
    page->OnKillFocusPartsDiscount();
    ASSERT_EQ(Edit(page, kTotalEdit), "425.00");

    boxes.shown.clear();
    boxes.Answer("该客户有应付款、预收款:50.00", platform::IDYES);
    boxes.Answer("要到其它货位取货吗", platform::IDYES);
    boxes.Answer("所差款是否保存到欠款记录中去", platform::IDYES);
    boxes.Answer("工作卡吗", platform::IDNO); // keep the settled card open to print it
    wxString receivable;
    qv_test::ModalDriver<CSettleDlg> settle([&receivable](CSettleDlg& dialog) {
        receivable = qv_test::Text(&dialog, res::settle::kReceivableEdit);
        qv_test::Type(&dialog, res::settle::kReceivedEdit, "300");
        EXPECT_EQ(qv_test::Text(&dialog, res::settle::kChangeEdit), "-75.00");
        PressKey(res::FindControl(&dialog, res::settle::kReceivedEdit), WXK_RETURN);
    });
    qv_test::Click(page, kSettleButton);
    Pump();
    EXPECT_TRUE(settle.Done());
    EXPECT_EQ(receivable, "375.00");
    EXPECT_TRUE(boxes.Showed("“刹车片”在选定货位的零件数不够，要到其它货位取货吗？"));
    EXPECT_TRUE(boxes.Showed("数据已存档 放弃“粤A12345”的工作卡吗？"));
    page = dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetTitle(), U("粤A12345"));

    // The card printed to a file, as the print dialog's 打印 does.
    const std::string text = PrintCard(frame, page, "card.pdf");
    ASSERT_FALSE(text.empty());
    for (const char* expected :
         {"粤A12345", "更换机油", "四轮定位", "机油滤清器", "刹车片", "火花塞", "425.00"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    EXPECT_NE(text.find(AmountInCapitals("425.00").utf8_string()), std::string::npos) << text;

    qv_test::Click(page, kCloseButton);
    Pump();
    EXPECT_EQ(RepairSheet(frame), nullptr);

    // What the set holds now.
    const wxString doc = CMainFrame::ReadSettingFile("M_DJH").Left(8);
    EXPECT_EQ(Column(U("select 项目名称,单价,数量,单据号 from ljsh order by no"), U("单价")),
              (std::vector<wxString>{"80", "120", "31.5", "54", "13.5"}));
    EXPECT_EQ(Column(U("select 项目名称,单价 from ljsh order by no"), U("项目名称")),
              (std::vector<wxString>{U("更换机油"), U("四轮定位"), U("机油滤清器"), U("刹车片"),
                                     U("火花塞")}));
    for (const wxString& number : Column(U("select 单据号 from ljsh"), U("单据号")))
        EXPECT_TRUE(number.StartsWith(wxDateTime::Today().Format("%Y%m%d"))) << number;
    EXPECT_EQ(Column(U("select 货位,数量 from ljkc order by no"), U("数量")),
              (std::vector<wxString>{"8", "0", "4", "4"}));
    EXPECT_TRUE(Column(U("select * from ljth"), "no").empty());
    EXPECT_EQ(Column(U("select 类别,金额 from wlzm order by no"), U("金额")),
              (std::vector<wxString>{"50", "-50", "75"}));
    EXPECT_EQ(Column(U("select 类别,金额 from wlzm order by no"), U("类别")),
              (std::vector<wxString>{U("预收款"), U("预收款"), U("应收款")}));
    EXPECT_EQ(Column(U("select 金额 from kzk"), U("金额")), (std::vector<wxString>{"300"}))
        << "the cash is what was received: the total less the advance and the shortfall";
    EXPECT_EQ(
        Column(U("select 单位 from zyxm where 客户='粤A12345' order by no"), U("单位")).front(),
        "YES");
    EXPECT_EQ(doc, wxDateTime::Today().Format("%Y%m%d"));
}

// Typing part of a name into a line lists the matching stock and labour rows in the
// upper pane; Alt with a digit takes that row into the line with its prices.
TEST_F(RepairSheetTest, TypedNameFiltersTheUpperListAndADigitTakesItsRow) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    AddShopData();
    AnsweredBoxes boxes;
    auto* page = OpenCard(frame, "A12345");
    ASSERT_NE(page, nullptr);
    CWorkSheet* sheet = RepairSheet(frame);
    CGridCtrl* grid = page->GetLineGrid();
    const int name = ColumnOf(grid, "项目名称");

    const auto typeAndPick = [&](const char* typed, int listed) {
        qv_test::Click(page, kNewButton);
        Pump();
        CGridCellEdit* editor = TypeIntoOpenCell(grid, grid->GetRowCount() - 1, name, U(typed));
        ASSERT_NE(editor, nullptr);
        Pump();
        const std::shared_ptr<CGridCtrl>& lookup = frame->m_dsMain.m_pGrid;
        ASSERT_NE(lookup, nullptr);
        EXPECT_EQ(lookup->GetRowCount() - 1, listed) << typed;
        wxKeyEvent alt(wxEVT_KEY_DOWN);
        alt.m_keyCode = '1';
        alt.SetAltDown(true);
        alt.SetEventObject(editor);
        editor->GetEventHandler()->ProcessEvent(alt);
        Pump();
    };
    typeAndPick("刹车", 2);
    typeAndPick("更换", 1);
    ASSERT_EQ(grid->GetRowCount(), 3);
    EXPECT_EQ(grid->GetItemText(1, name), U("刹车片"));
    EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "货位")), "A2");
    EXPECT_EQ(grid->GetItemText(1, ColumnOf(grid, "单价")), "60.00");
    EXPECT_EQ(grid->GetItemText(2, name), U("更换机油"));
    ASSERT_TRUE(grid->MoveToRowRecord(2));
    EXPECT_EQ(wxString::FromUTF8(sheet->m_rsLines->Fields().Item("WX").Value().ToString()).Trim(),
              "W")
        << "a labour item makes a labour line";
    EXPECT_EQ(Edit(page, kTotalEdit), "140.00");
}

// A quote typed into a line's name is refused once, when the typing ends, however
// many keys follow it.
TEST_F(RepairSheetTest, QuoteInTypedNameRefusedOnce) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    AddShopData();
    AnsweredBoxes boxes;
    auto* page = OpenCard(frame, "A12345");
    ASSERT_NE(page, nullptr);
    qv_test::Click(page, kNewButton);
    Pump();
    CGridCtrl* grid = page->GetLineGrid();
    boxes.shown.clear();
    qv_test::ModalDriver<CPartPickDlg> chooser(
        [](CPartPickDlg& dialog) { dialog.EndModal(wxID_CANCEL); });
    TypeIntoCell(grid, grid->GetRowCount() - 1, ColumnOf(grid, "项目名称"), U("轮胎'补好再洗车"));
    Pump();
    EXPECT_EQ(boxes.shown, std::vector<std::string>{"  不能用单引号！"});
}

// The money table: prices, discounts and quantities whose amounts fall on half fen.
// The page, the printed card, the settlement, the archive and the cash journal carry
// the same amounts: each line worked out exactly and rounded once, the total the sum
// of the lines shown.
TEST_F(RepairSheetTest, MoneyTableAgreesOnPagePaperArchiveAndPosting) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    AnsweredBoxes boxes;
    boxes.Answer("工作卡吗", platform::IDNO);
    Insert("gk", {{{"车牌号码", "粤E5"},
                   {"车型", "捷达"},
                   {"手机", "13900001111"},
                   {"地址", "东风路8号"},
                   {"no", "1"}}});
    struct Case {
        const char *price, *discount, *quantity, *shown, *archived;
    };
    const Case cases[] = {
        {"1.15", "90", "1", "1.04", "1.04"},    {"1.15", "90", "9", "9.32", "1.04"},
        {"0.30", "75", "1", "0.23", "0.23"},    {"0.05", "50", "3", "0.08", "0.03"},
        {"19.99", "95", "2", "37.98", "18.99"},
    };
    std::vector<Row> card = {{{"客户", "粤E5"},
                              {"项目名称", "捷达"},
                              {"厂牌", "2026-12-11"},
                              {"作业人员", "王先生"},
                              {"flag", "W"},
                              {"no", "1"}}};
    const char* const names[] = {"补胎", "洗车", "打蜡", "换灯泡", "调气门"};
    const char* const numbers[] = {"2", "3", "4", "5", "6"};
    for (size_t i = 0; i < std::size(cases); ++i)
        card.push_back({{"客户", "粤E5"},
                        {"项目名称", names[i]},
                        {"单价", cases[i].price},
                        {"手扣", cases[i].discount},
                        {"数量", cases[i].quantity},
                        {"WX", "W"},
                        {"flag", "W"},
                        {"no", numbers[i]}});
    Insert("zyxm", card);
    frame->ExecuteCommand(ID_REPAIR_SHEET);
    Pump();
    CWorkSheet* sheet = RepairSheet(frame);
    ASSERT_NE(sheet, nullptr);
    auto* page = dynamic_cast<WXZY*>(sheet->GetWorkPage(1));
    ASSERT_NE(page, nullptr);
    sheet->SelectWorkPage(page);
    Pump();

    // The page: the card's columns only, each amount beside the discount it carries.
    CGridCtrl* grid = page->GetLineGrid();
    std::vector<wxString> headings;
    for (int col = 1; col < grid->GetColumnCount(); ++col)
        headings.push_back(grid->GetItemText(0, col));
    EXPECT_EQ(headings, (std::vector<wxString>{U("项目名称"), U("编号"), U("单价"), U("单位"),
                                               U("数量"), U("货位"), U("小计"), U("作业人员"),
                                               U("备注"), U("故障"), U("厂牌"), U("折扣")}));
    ASSERT_EQ(grid->GetRowCount(), 1 + int(std::size(cases)));
    for (int row = 1; row < grid->GetRowCount(); ++row) {
        EXPECT_EQ(grid->GetItemText(row, ColumnOf(grid, "小计")), cases[row - 1].shown) << row;
        EXPECT_EQ(grid->GetItemText(row, ColumnOf(grid, "折扣")), cases[row - 1].discount) << row;
    }
    EXPECT_EQ(Edit(page, kTotalEdit), "48.65");

    // The paper, printed before the card is settled.
    const std::string text = PrintCard(frame, page, "money.pdf");
    ASSERT_FALSE(text.empty());
    for (const Case& c : cases)
        EXPECT_NE(text.find(c.shown), std::string::npos) << c.shown << "\n" << text;
    EXPECT_NE(text.find("48.65"), std::string::npos) << text;
    EXPECT_NE(text.find(AmountInCapitals("48.65").utf8_string()), std::string::npos) << text;
    for (const char* hidden : {"进价", "零售价", "批发价", "手扣", "flag", "WX"})
        EXPECT_EQ(text.find(hidden), std::string::npos) << hidden << "\n" << text;
    EXPECT_NE(text.find("单据号"), std::string::npos) << text;
    EXPECT_NE(text.find("13900001111"), std::string::npos) << text;
    EXPECT_NE(text.find("东风路8号"), std::string::npos) << text;
    EXPECT_EQ(text.find("Tel: 2026-12-11"), std::string::npos) << text;

    // The settlement: receivable, archive and cash to the fen.
    wxString receivable;
    qv_test::ModalDriver<CSettleDlg> settle([&receivable](CSettleDlg& dialog) {
        receivable = qv_test::Text(&dialog, res::settle::kReceivableEdit);
        qv_test::Type(&dialog, res::settle::kReceivedEdit, "50");
        EXPECT_EQ(qv_test::Text(&dialog, res::settle::kChangeEdit), "1.35");
        PressKey(res::FindControl(&dialog, res::settle::kReceivedEdit), WXK_RETURN);
    });
    qv_test::Click(page, kSettleButton);
    Pump();
    EXPECT_TRUE(settle.Done());
    EXPECT_EQ(receivable, "48.65");
    std::vector<wxString> archived;
    for (const Case& c : cases)
        archived.push_back(c.archived);
    EXPECT_EQ(Column(U("select 单价 from ljsh order by no"), U("单价")), archived);
    EXPECT_EQ(Column(U("select 金额 from kzk"), U("金额")), (std::vector<wxString>{"48.65"}));
}

// A suspended card keeps its lines out of the sheet's tabs: only the picker lists it,
// and the walk-in page comes first whatever the table holds.
TEST_F(RepairSheetTest, SuspendedCardWithLinesGetsNoTabButWaitsInThePicker) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    Insert("zyxm", {{{"客户", "粤C1"}, {"故障", "M_WX_GQ"}, {"flag", "W"}, {"no", "1"}},
                    {{"客户", "粤C1"}, {"项目名称", "洗车"}, {"flag", "W"}, {"no", "2"}},
                    {{"客户", "粤D2"}, {"flag", "W"}, {"no", "3"}},
                    {{"客户", "粤D2"}, {"项目名称", "补胎"}, {"flag", "W"}, {"no", "4"}},
                    // A marked record without a customer keeps no one from a tab.
                    {{"故障", "M_WX_GQ"}, {"flag", "W"}, {"no", "5"}}});
    AnsweredBoxes boxes;
    frame->ExecuteCommand(ID_REPAIR_SHEET);
    Pump();
    CWorkSheet* sheet = RepairSheet(frame);
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->GetPageCount(), 2u);
    EXPECT_EQ(sheet->GetWorkPage(0)->GetTitle(), U("零散客户"));
    EXPECT_EQ(sheet->GetWorkPage(1)->GetTitle(), U("粤D2"));
    ASSERT_NE(sheet->GetPicker(), nullptr);
    EXPECT_NE(sheet->GetPicker()->m_comboCustomer->FindString(U("粤C1")), wxNOT_FOUND);
}

// The card's header is the first record read, not the first the operator's sort
// shows: sorted by name, a discount, a deleted line and a suspend still land on the
// header and the lines the operator sees.
TEST_F(RepairSheetTest, HeaderFoundWhateverSortTheOperatorChose) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    AnsweredBoxes boxes;
    boxes.Answer("排序", platform::IDYES);
    WXZY* page = OpenCardSortedByName(frame, false);
    ASSERT_NE(page, nullptr);
    CGridCtrl* grid = page->GetLineGrid();
    const int name = ColumnOf(grid, "项目名称");

    res::Control<wxTextCtrl>(page, kPartsDiscountEdit)->SetValue("80");
    page->OnKillFocusPartsDiscount();
    EXPECT_EQ(Edit(page, kTotalEdit), "40.00");
    EXPECT_EQ(Edit(page, kVehicleTypeEdit), U("桑塔纳"));
    grid->SetFocusCell(1, name);
    qv_test::Click(page, kDeleteButton);
    Pump();
    EXPECT_EQ(Edit(page, kTotalEdit), "16.00");
    qv_test::Click(page, kSuspendButton);
    Pump();

    const wxString card = U("select 项目名称,折扣,故障 from zyxm where 客户='粤D2' order by no");
    EXPECT_EQ(Column(card, U("项目名称")), (std::vector<wxString>{U("桑塔纳"), U("洗车")}));
    EXPECT_EQ(Column(card, U("折扣")), (std::vector<wxString>{"80", "80"}));
    EXPECT_EQ(Column(card, U("故障")), (std::vector<wxString>{"M_WX_GQ", "NULL"}));
}

// A card settled while sorted by name is settled header first: its lines are archived
// and its header marked, whatever row the sort showed first.
TEST_F(RepairSheetTest, SortedCardSettlesItsLinesAndMarksItsHeader) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    AnsweredBoxes boxes;
    boxes.Answer("排序", platform::IDYES);
    boxes.Answer("工作卡吗", platform::IDNO);
    WXZY* page = OpenCardSortedByName(frame, true);
    ASSERT_NE(page, nullptr);
    qv_test::ModalDriver<CSettleDlg> settle([](CSettleDlg& dialog) {
        qv_test::Type(&dialog, res::settle::kReceivedEdit, "50");
        PressKey(res::FindControl(&dialog, res::settle::kReceivedEdit), WXK_RETURN);
    });
    qv_test::Click(page, kSettleButton);
    Pump();
    EXPECT_TRUE(settle.Done());
    EXPECT_EQ(Column(U("select 项目名称 from ljsh order by no"), U("项目名称")),
              (std::vector<wxString>{U("补胎"), U("洗车")}));
    EXPECT_EQ(Column(U("select 单位 from zyxm where 客户='粤D2' order by no"), U("单位")).front(),
              "YES");
}

// An item of the no-discount list takes no discount whether or not the list gives it
// a price; a discount still waiting for its check reaches no new line.
TEST_F(RepairSheetTest, ListedItemsTakeNoDiscountAndNewLinesOnlyACheckedOne) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    AddShopData();
    Insert("bdzxm",
           {{{"编号", "JL-01"}, {"no", "1"}}, {{"编号", "HH-03"}, {"三级价", "12"}, {"no", "2"}}});
    AnsweredBoxes boxes;
    WXZY* page = OpenCard(frame, "A12345");
    ASSERT_NE(page, nullptr);
    CGridCtrl* grid = page->GetLineGrid();
    const ado::RecordsetPtr& rs = RepairSheet(frame)->m_rsLines;
    const auto field = [&](int row, const char* name) {
        EXPECT_TRUE(grid->MoveToRowRecord(row));
        const ado::Variant value = rs->Fields().Item(name).Value();
        return value.IsNull() ? wxString("NULL") : wxString::FromUTF8(value.ToString()).Trim();
    };
    const int price = ColumnOf(grid, "单价"), subtotal = ColumnOf(grid, "小计");

    AddItem(page, "编号", "JL-01", "2");
    AddItem(page, "编号", "HH-03", "1");
    ASSERT_EQ(grid->GetRowCount(), 3);
    EXPECT_EQ(field(1, "其它"), "N");
    EXPECT_EQ(grid->GetItemText(1, price), "35.00");
    EXPECT_EQ(field(2, "其它"), "N");
    EXPECT_EQ(grid->GetItemText(2, price), "12.00");
    auto* discount = res::Control<wxTextCtrl>(page, kPartsDiscountEdit);
    discount->SetValue("90");
    page->OnKillFocusPartsDiscount();
    EXPECT_EQ(grid->GetItemText(1, subtotal), "70.00");
    EXPECT_EQ(Edit(page, kTotalEdit), "82.00");

    // Typed below the shop's limit and not yet checked: the new line has no discount.
    discount->ChangeValue("75");
    AddItem(page, "编号", "SC-02", "1");
    ASSERT_EQ(grid->GetRowCount(), 4);
    EXPECT_EQ(field(3, "折扣"), "100");
    EXPECT_EQ(grid->GetItemText(3, subtotal), "60.00");
}

// "马上建档" whose record is closed without saving asks again; No binds the plate as
// it was typed.
TEST_F(RepairSheetTest, NothingSavedAfterMakingARecordAsksAgain) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    int opened = 0;
    CMainFrame::RegisterForm(FormKind::CustomerRecords,
                             [&](CMainFrame&, int, const wxString&) { ++opened; });
    frame->ExecuteCommand(ID_REPAIR_SHEET);
    Pump();
    CWorkSheet* sheet = RepairSheet(frame);
    ASSERT_NE(sheet, nullptr);
    ASSERT_NE(sheet->GetPicker(), nullptr);
    platform::ScriptedMessageBoxes boxes;
    boxes.Reply(platform::IDYES);
    boxes.Reply(platform::IDNO);
    BindPlate(sheet->GetPicker(), "苏E777");
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>(2, "没有包含该字符的记录,马上建档吗？"));
    ASSERT_NE(sheet->GetActiveWorkPage(), nullptr);
    EXPECT_EQ(sheet->GetActiveWorkPage()->GetTitle(), U("苏E777"));
}

namespace {

// The screen point of a cell's middle.
wxPoint CellOnScreen(CGridCtrl* grid, int row, int col) {
    wxRect rect;
    EXPECT_TRUE(grid->GetCellRect(row, col, &rect)) << row << "," << col;
    return grid->ClientToScreen(rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2));
}

// Opens the grid's context menu on a row by a real right-click and chooses the item
// `downs` below the first by the keys, as an operator does.
void ChooseFromContextMenu(CGridCtrl* grid, int row, int downs) {
    wxUIActionSimulator input;
    input.MouseMove(CellOnScreen(grid, row, 1));
    qv_test::WaitFor([] { return false; }, 150);
    input.MouseClick();
    qv_test::WaitFor([] { return false; }, 150);
    // The popup runs its own loop: the keys go in from a timer once it is up.
    wxTimer keys;
    int ticks = 0, step = 0;
    keys.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (++ticks < 5) return;
        if (step++ <= downs) // the first Down selects the first item
            input.Char(WXK_DOWN);
        else
            input.Char(WXK_RETURN), keys.Stop();
    });
    keys.Start(150);
    input.MouseClick(wxMOUSE_BTN_RIGHT);
    qv_test::WaitFor([&] { return !keys.IsRunning(); });
    keys.Stop();
    qv_test::WaitFor([] { return false; }, 200);
}

} // namespace

// The parts list in the upper pane with the card open: a double-click takes the row
// into a new line, 选择当前行 another, 全选 every row; each taken row gets a tick.
TEST_F(RepairSheetTest, LookedUpRowsTakenByDoubleClickAndTheMenu) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    AddShopData();
    AnsweredBoxes boxes;
    WXZY* page = OpenCard(frame, "A12345");
    ASSERT_NE(page, nullptr);
    frame->Maximize();
    ASSERT_EQ(data_grid::LoadPartsGrid(frame->m_dsMain,
                                       U("select 零件名称,编号,零售价,数量,货位 from ljkc "
                                         "where 货位!='B1' order by no"),
                                       9, false),
              1);
    std::shared_ptr<CGridCtrl> lookup = frame->m_dsMain.m_pGrid;
    ASSERT_NE(lookup, nullptr);
    lookup->SetTableName("ljkc");
    ASSERT_TRUE(qv_test::WaitFor([&] { return lookup->IsShownOnScreen(); }));
    ASSERT_EQ(lookup->GetRowCount(), 4); // 机油滤清器, 刹车片 (A2), 火花塞
    CGridCtrl* grid = page->GetLineGrid();
    const int name = ColumnOf(grid, "项目名称"), quantity = ColumnOf(grid, "数量"),
              price = ColumnOf(grid, "单价");
    qv_test::WaitFor([] { return false; }, 300);

    wxUIActionSimulator mouse;
    mouse.MouseMove(CellOnScreen(lookup.get(), 3, 1));
    qv_test::WaitFor([] { return false; }, 150);
    mouse.MouseDblClick();
    ASSERT_TRUE(qv_test::WaitFor([&] { return grid->GetRowCount() == 2; }));
    EXPECT_EQ(grid->GetItemText(1, name), U("火花塞"));
    EXPECT_EQ(grid->GetItemText(1, quantity), "1");
    EXPECT_EQ(grid->GetItemText(1, price), "15.00");
    EXPECT_EQ(lookup->GetItemImage(3, 0), 0);
    EXPECT_EQ(Edit(page, kTotalEdit), "15.00");

    ChooseFromContextMenu(lookup.get(), 1, 0); // 选择当前行
    ASSERT_TRUE(qv_test::WaitFor([&] { return grid->GetRowCount() == 3; }));
    EXPECT_EQ(grid->GetItemText(2, name), U("机油滤清器"));
    EXPECT_EQ(lookup->GetItemImage(1, 0), 0);

    ChooseFromContextMenu(lookup.get(), 2, 1); // 全选
    ASSERT_TRUE(qv_test::WaitFor([&] { return grid->GetRowCount() == 6; }));
    for (int row = 1; row < lookup->GetRowCount(); ++row)
        EXPECT_EQ(lookup->GetItemImage(row, 0), 0) << row;
    EXPECT_EQ(grid->GetItemText(4, name), U("刹车片"));
    EXPECT_EQ(grid->GetItemText(4, ColumnOf(grid, "货位")), "A2");
    // 15 + 35 + 35 + 60 + 15, every line saved with the card.
    EXPECT_EQ(Edit(page, kTotalEdit), "160.00");
    EXPECT_EQ(Column(U("select * from zyxm where 客户='粤A12345' and no>1"), U("项目名称")).size(),
              5u);
}
