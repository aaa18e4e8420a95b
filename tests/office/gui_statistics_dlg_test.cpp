// The statistics dialog as the operator uses it: opened from its menu command after a
// login, run, lines added and removed, bad dates refused.
#include "app/main_frame.h"
#include "common/form_driver.h"
#include "common/login_fixture.h"
#include "data/date_range.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "office/office_forms.h"
#include "office/statistics_dlg.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/print_options_template.h"
#include "res/statistics_template.h"
#include "work/archive_dlg.h"
#include "work/work_forms.h"

#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

namespace {

using namespace res::statistics;

class StatisticsDlgTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        office::RegisterForms();
        frame_ = LogIn();
        ASSERT_TRUE(frame_);
        CDateRange::PreviousMonth(wxDateTime::Today(), first_, last_);
        const std::string a = first_.utf8_string(), b = last_.utf8_string();
        Insert("ljsh", {{{"客户", "华通公司"},
                         {"项目名称", "刹车片"},
                         {"单价", "100"},
                         {"数量", "2"},
                         {"日期", a.c_str()},
                         {"flag", "P"},
                         {"no", "1"}},
                        {{"客户", "顺达车行"},
                         {"项目名称", "机油"},
                         {"单价", "30"},
                         {"数量", "1"},
                         {"日期", b.c_str()},
                         {"flag", "P"},
                         {"no", "2"}},
                        {{"客户", "京A1000"},
                         {"项目名称", "机油"},
                         {"单价", "30"},
                         {"数量", "1"},
                         {"日期", b.c_str()},
                         {"flag", "W"},
                         {"no", "3"}}});
    }
    // Runs a command and drives the statistics dialog it opens.
    bool Drive(int command, std::function<void(total&)> drive) {
        return qv_test::AnswerModal<total>([&] { frame_->ExecuteCommand(command); },
                                           std::move(drive));
    }
    static wxString Label(total& dialog, int id) {
        return res::Control<wxStaticText>(&dialog, id)->GetLabel();
    }

    CMainFrame* frame_ = nullptr;
    wxString first_, last_;
};

TEST_F(StatisticsDlgTest, SalesStatisticRunsSumsAndEditsItsResultOnly) {
    platform::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(Drive(ID_STAT_SALES, [&](total& dialog) {
        EXPECT_EQ(dialog.GetTitle(), U("售货报表"));
        EXPECT_EQ(Label(dialog, kObjectLabel), U("客户"));
        EXPECT_EQ(qv_test::Text(&dialog, kFromDateEdit), first_);
        EXPECT_EQ(qv_test::Text(&dialog, kToDateEdit), last_);
        auto* combo = res::Control<wxComboBox>(&dialog, kObjectCombo);
        EXPECT_NE(combo->FindString(U("华通公司"), true), wxNOT_FOUND);
        EXPECT_EQ(combo->GetStringSelection(), U("全部"));
        EXPECT_FALSE(res::FindControl(&dialog, kAddButton)->IsEnabled());

        qv_test::Click(&dialog, kStartButton);
        EXPECT_EQ(dialog.m_grid->m_strTitle, U("售货汇总表"));
        EXPECT_EQ(dialog.m_grid->GetRowCount(), 3);
        EXPECT_EQ(Label(dialog, kTotalText), U("总计:230.00"));

        res::Control<wxRadioButton>(&dialog, kDetailRadio)->SetValue(true);
        qv_test::Click(&dialog, kStartButton);
        EXPECT_EQ(dialog.m_grid->m_strTitle, U("售货报表"));
        ASSERT_EQ(dialog.m_grid->GetRowCount(), 3);
        // A new line copies the one above; removing it gives the old total back.
        qv_test::Click(&dialog, kAddButton);
        EXPECT_EQ(dialog.m_grid->GetRowCount(), 4);
        EXPECT_EQ(Label(dialog, kTotalText), U("总计:260.00"));
        dialog.m_grid->SetFocusCell(3, 1);
        qv_test::Click(&dialog, kDeleteButton);
        EXPECT_EQ(dialog.m_grid->GetRowCount(), 3);
        EXPECT_EQ(Label(dialog, kTotalText), U("总计:230.00"));

        // On a sorted grid 删除 takes the line the operator sees, not the record at its place.
        int amount = 1;
        while (dialog.m_grid->GetItemText(0, amount) != U("金额"))
            ++amount;
        dialog.m_grid->SortTextItems(amount, false);
        ASSERT_EQ(dialog.m_grid->GetItemText(1, amount), "30.00");
        dialog.m_grid->SetFocusCell(1, 1);
        qv_test::Click(&dialog, kDeleteButton);
        EXPECT_EQ(Label(dialog, kTotalText), U("总计:200.00"));
        qv_test::Click(&dialog, kStartButton);

        // One customer picked from the list.
        combo->SetSelection(combo->FindString(U("华通公司"), true));
        qv_test::Click(&dialog, kStartButton);
        EXPECT_EQ(dialog.m_grid->GetRowCount(), 2);
        EXPECT_EQ(Label(dialog, kTotalText), U("总计:200.00"));
    }));
    EXPECT_TRUE(boxes.Shown().empty());
    // The tables never change.
    EXPECT_EQ(Column("select no from ljsh", "no").size(), 3u);
}

TEST_F(StatisticsDlgTest, BadDatesAreRefusedWithAMessage) {
    platform::ScriptedMessageBoxes boxes;
    EXPECT_TRUE(Drive(ID_STAT_SALES, [&](total& dialog) {
        for (auto [from, to] : {std::pair{"", "2024-05-31"}, std::pair{"2024-05-31", "2024-05-01"},
                                std::pair{"1970-01-01", "2024-01-01"}}) {
            qv_test::Type(&dialog, kFromDateEdit, from);
            qv_test::Type(&dialog, kToDateEdit, to);
            qv_test::Click(&dialog, kStartButton);
        }
        EXPECT_EQ(dialog.m_grid->GetRowCount(), 1);
    }));
    ASSERT_EQ(boxes.Shown().size(), 3u);
}

TEST_F(StatisticsDlgTest, BusinessStatisticShowsTodayAtOnceWithoutObject) {
    EXPECT_TRUE(Drive(ID_STAT_BUSINESS, [&](total& dialog) {
        const wxString today = wxDateTime::Today().Format("%Y-%m-%d");
        EXPECT_EQ(qv_test::Text(&dialog, kFromDateEdit), today);
        EXPECT_FALSE(res::FindControl(&dialog, kObjectCombo)->IsShown());
        EXPECT_TRUE(res::FindControl(&dialog, kArchiveButton)->IsShown());
        EXPECT_EQ(dialog.m_grid->m_strTitle, U("营业汇总表"));
        EXPECT_TRUE(res::FindControl(&dialog, kPrintButton)->IsEnabled());
    }));
}

// 营业档案修改 opens the archive on the statistic's date range: every line of it,
// repair and sales alike.
TEST_F(StatisticsDlgTest, ArchiveCorrectionListsTheLinesOfTheRange) {
    work::RegisterForms();
    int rows = -1;
    EXPECT_TRUE(Drive(ID_STAT_BUSINESS, [&](total& dialog) {
        qv_test::Type(&dialog, kFromDateEdit, first_.utf8_str());
        qv_test::Type(&dialog, kToDateEdit, last_.utf8_str());
        EXPECT_TRUE(qv_test::AnswerModal<wxda>(
            [&] { qv_test::Click(&dialog, kArchiveButton); },
            [&](wxda& archive) { rows = archive.GetGrid()->GetRowCount(); }));
    }));
    EXPECT_EQ(rows, 4); // the headings and three lines
    CMainFrame::RegisterForm(FormKind::RepairArchive, nullptr);
    CMainFrame::RegisterForm(FormKind::SalesArchive, nullptr);
}

TEST_F(StatisticsDlgTest, PartnerModeShowsTheSuppliersPurchasesAtOnce) {
    frame_->m_strShared = U("北方配件");
    qv_test::AnswerModal<total>(
        [&] { frame_->OpenForm(FormKind::Statistics, total::kPartnerMode); },
        [&](total& dialog) {
            EXPECT_EQ(dialog.GetTitle(), U("统计"));
            EXPECT_EQ(dialog.m_nMode, 1);
            auto* combo = res::Control<wxComboBox>(&dialog, kObjectCombo);
            EXPECT_EQ(combo->GetStringSelection(), U("北方配件"));
            EXPECT_EQ(dialog.m_grid->m_strTitle, U("进货汇总表"));
        });
}

// The print dialog stands in front of the statistic that opened it, takes the
// operator's clicks while the statistic runs modally, and goes with it.
TEST_F(StatisticsDlgTest, PrintDialogBelongsToTheStatisticAndTakesClicks) {
    wxWeakRef<wxDialog> print;
    bool clicked = false;
    EXPECT_TRUE(Drive(ID_STAT_SALES, [&](total& dialog) {
        qv_test::Click(&dialog, kStartButton);
        qv_test::Click(&dialog, kPrintButton);
        print = dialog.m_pPrintDlg;
        ASSERT_TRUE(print);
        EXPECT_EQ(print->GetParent(), &dialog);
        auto* radio = res::Control<wxRadioButton>(print, res::print_options::kPrintRadio);
        ASSERT_TRUE(qv_test::WaitFor([&] { return radio->IsShownOnScreen(); }));
        qv_test::WaitFor([] { return false; }, 300);
        wxUIActionSimulator mouse;
        mouse.MouseMove(radio->GetScreenRect().GetPosition() + wxPoint(6, 6));
        qv_test::WaitFor([] { return false; }, 200);
        mouse.MouseClick();
        clicked = qv_test::WaitFor([radio] { return radio->GetValue(); }, 2000);
    }));
    EXPECT_TRUE(clicked);
    Pump();
    EXPECT_FALSE(print);
}

} // namespace
