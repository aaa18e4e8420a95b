// A service adviser's day with a new customer: the unknown plate recorded from the
// picker, a member card issued, a free service of the card put on the repair card,
// the card settled, and afterwards the service shown as used, the archive listing
// the card and the customer found by the browser's fuzzy search.
#include "gui_repair_sheet_fixture.h"

#include "app/fuzzy_search_dlg.h"
#include "app/main_frame.h"
#include "common/form_driver.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/customer_record_template.h"
#include "res/fuzzy_search_template.h"
#include "res/member_card_template.h"
#include "res/repair_page_template.h"
#include "res/settle_template.h"
#include "work/archive_dlg.h"
#include "work/customer_browse_dlg.h"
#include "work/customer_record_dlg.h"
#include "work/member_card_dlg.h"
#include "work/member_service_dlg.h"
#include "work/repair_page.h"
#include "work/settle_dlg.h"
#include "work/vehicle_pick_dlg.h"
#include "work/work_sheet.h"

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

namespace {

class ServiceAdviserTest : public WorkshopTest {
protected:
    CWorkSheet* Sheet(CMainFrame* frame) {
        return dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Repair));
    }
    // The usage dialog of the card's 进度 button, driven by `drive`.
    bool Usage(WXZY* page, std::function<void(CMemberServiceDlg&)> drive) {
        qv_test::ModalDriver<CMemberServiceDlg> usage(std::move(drive));
        qv_test::Click(page, res::repair_page::kServiceButton);
        Pump();
        return usage.Done();
    }
};

TEST_F(ServiceAdviserTest, NewCustomerMemberServiceSettledAndFoundAgain) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    Insert("wxxm", {{{"项目名称", "更换机油"}, {"编号", "GS-01"}, {"单价", "80"}, {"no", "1"}}});
    Insert("hyxm", {{{"卡类别", "VIP"}, {"项目名称", "洗车"}, {"次数", "2"}, {"no", "1"}}});
    platform::ScriptedMessageBoxes boxes; // every question answered with its first button

    frame->ExecuteCommand(ID_REPAIR_SHEET);
    Pump();
    CWorkSheet* sheet = Sheet(frame);
    ASSERT_NE(sheet, nullptr);

    // 马上建档 for a plate the shop does not know: the record is filled in and saved,
    // and the card is bound to it.
    {
        qv_test::ModalDriver<gkda> record([](gkda& dialog) {
            using namespace res::customer_record;
            EXPECT_EQ(qv_test::Text(&dialog, kPlateEdit), U("苏E777"));
            qv_test::Type(&dialog, kOwnerEdit, "周七");
            qv_test::Type(&dialog, kModelCombo, "桑塔纳");
            qv_test::Click(&dialog, kSaveButton);
            qv_test::Click(&dialog, kExitButton);
        });
        sheet->GetPicker()->m_comboCustomer->SetValue(U("苏E777"));
        Pump();
        PressKey(sheet->GetPicker()->m_comboCustomer, WXK_RETURN);
        Pump();
        EXPECT_TRUE(record.Done());
    }
    EXPECT_EQ(Column(U("select * from gk"), U("车主姓名")), std::vector<wxString>{U("周七")});
    auto* page = dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetTitle(), U("苏E777"));

    // A member card with two free washes, issued from the menu for the card's vehicle.
    {
        qv_test::ModalDriver<CMemberCardDlg> card([](CMemberCardDlg& dialog) {
            using namespace res::member_card;
            qv_test::Click(&dialog, kNewButton);
            EXPECT_EQ(qv_test::Text(&dialog, kPlateCombo), U("苏E777"));
            qv_test::Type(&dialog, kTypeCombo, "VIP");
            qv_test::Type(&dialog, kCardNoEdit, "V001");
            qv_test::Click(&dialog, kSaveButton);
            qv_test::Click(&dialog, kExitButton);
        });
        frame->ExecuteCommand(ID_MEMBER_CARDS);
        Pump();
        EXPECT_TRUE(card.Done());
    }
    EXPECT_EQ(Column(U("select * from hyzl"), U("卡号")), std::vector<wxString>{"V001"});

    // 进度: one of the two washes goes on the card, free.
    EXPECT_TRUE(Usage(page, [](CMemberServiceDlg& dialog) {
        ASSERT_EQ(dialog.Boxes().size(), 1u);
        ASSERT_EQ(dialog.Boxes()[0].size(), 2u);
        EXPECT_FALSE(dialog.Boxes()[0][0]->GetValue());
        dialog.Boxes()[0][0]->SetValue(true);
        dialog.OnOK();
    }));
    page = dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    CGridCtrl* grid = page->GetLineGrid();
    const int name = ColumnOf(grid, "项目名称");
    ASSERT_GE(grid->GetRowCount(), 2);
    EXPECT_EQ(grid->GetItemText(grid->GetRowCount() - 1, name), U("洗车"));
    // And a paid oil change beside it.
    qv_test::Click(page, res::repair_page::kNewButton);
    Pump();
    TypeIntoCell(grid, grid->GetRowCount() - 1, ColumnOf(grid, "编号"), "GS-01");
    EXPECT_EQ(qv_test::Text(page, res::repair_page::kTotalEdit), "80.00");

    // Settled in cash; the card stays open.
    {
        qv_test::ModalDriver<CSettleDlg> settle([](CSettleDlg& dialog) {
            qv_test::Type(&dialog, res::settle::kReceivedEdit, "80");
            PressKey(res::FindControl(&dialog, res::settle::kReceivedEdit), WXK_RETURN);
        });
        boxes.Reply(platform::IDNO); // not closing the card yet
        qv_test::Click(page, res::repair_page::kSettleButton);
        Pump();
        EXPECT_TRUE(settle.Done());
    }
    EXPECT_EQ(Column(U("select * from ljsh where 客户='苏E777' order by no"), U("项目名称")),
              (std::vector<wxString>{U("洗车"), U("更换机油")}));

    // The wash now shows as used.
    page = dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(Usage(page, [](CMemberServiceDlg& dialog) {
        ASSERT_EQ(dialog.Boxes().size(), 1u);
        EXPECT_TRUE(dialog.Boxes()[0][0]->GetValue());
        EXPECT_FALSE(dialog.Boxes()[0][0]->IsEnabled());
        EXPECT_TRUE(dialog.Boxes()[0][1]->IsEnabled());
    }));

    // The archive of the card's 档案 button lists the settled card.
    {
        int rows = 0;
        qv_test::ModalDriver<wxda> archive(
            [&rows](wxda& dialog) { rows = dialog.GetGrid()->GetRowCount() - 1; });
        qv_test::Click(page, res::repair_page::kArchiveButton);
        Pump();
        EXPECT_TRUE(archive.Done());
        EXPECT_EQ(rows, 2);
    }
    {
        // The menu's 维修档案 lists the card in front as well.
        int rows = 0;
        qv_test::ModalDriver<wxda> archive([&rows](wxda& dialog) {
            rows = dialog.GetGrid()->GetRowCount() - 1;
        });
        frame->ExecuteCommand(ID_REPAIR_ARCHIVE);
        Pump();
        EXPECT_TRUE(archive.Done());
        EXPECT_EQ(rows, 2);
    }

    // The customer browser finds the vehicle by part of its plate.
    frame->m_strShared = "gk";
    CCustomerBrowseDlg browser;
    qv_test::ModalDriver<CFuzzySearchDlg> search([](CFuzzySearchDlg& dialog) {
        qv_test::Type(&dialog, res::fuzzy_search::kValue1, "E77");
        qv_test::Click(&dialog, res::fuzzy_search::kSearchButton);
    });
    browser.OnFuzzySearch();
    EXPECT_TRUE(search.Done());
    ASSERT_EQ(browser.GetGrid()->GetRowCount(), 2);
    EXPECT_EQ(browser.GetGrid()->GetItemText(1, 1), U("苏E777"));
}

// A card opened under part of a plate: 资料 records the vehicle in full, and the card
// moves to the full plate with the vehicle in its header.
TEST_F(ServiceAdviserTest, CustomerDataMovesAPartPlateCardToTheRecordedVehicle) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    platform::ScriptedMessageBoxes boxes;
    frame->ExecuteCommand(ID_REPAIR_SHEET);
    Pump();
    CWorkSheet* sheet = Sheet(frame);
    ASSERT_NE(sheet, nullptr);
    boxes.Reply(platform::IDNO); // no record now: the card opens under what was typed
    sheet->GetPicker()->m_comboCustomer->SetValue("E88");
    Pump();
    PressKey(sheet->GetPicker()->m_comboCustomer, WXK_RETURN);
    Pump();
    auto* page = dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->GetTitle(), "E88");
    const size_t pages = sheet->GetPageCount();

    qv_test::ModalDriver<gkda> record([](gkda& dialog) {
        using namespace res::customer_record;
        EXPECT_EQ(qv_test::Text(&dialog, kPlateEdit), ""); // E88 is no vehicle yet
        qv_test::Click(&dialog, kNewButton);
        EXPECT_EQ(qv_test::Text(&dialog, kPlateEdit), "E88");
        qv_test::Type(&dialog, kPlateEdit, "苏E888");
        qv_test::Type(&dialog, kModelCombo, "捷达");
        qv_test::Type(&dialog, kOwnerEdit, "吴八");
        qv_test::Click(&dialog, kSaveButton);
        qv_test::Click(&dialog, kExitButton);
    });
    qv_test::Click(page, res::repair_page::kCustomerButton);
    Pump();
    EXPECT_TRUE(record.Done());
    page = dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetTitle(), U("苏E888"));
    EXPECT_EQ(sheet->GetPageCount(), pages);
    EXPECT_EQ(sheet->FindWorkPage("E88"), nullptr);
    EXPECT_TRUE(Column(U("select * from zyxm where 客户='E88'"), U("客户")).empty());
    EXPECT_EQ(Column(U("select * from zyxm where 客户='苏E888'"), U("作业人员")).front(),
              U("吴八"));
}

} // namespace
