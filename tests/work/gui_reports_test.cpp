// The workshop's reports opened from their menu commands as the staff use them: the
// follow-up list of last month printed to a file.
#include "gui_repair_sheet_fixture.h"

#include "app/main_frame.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "res/command_ids.h"
#include "res/follow_up_template.h"
#include "res/print_options_template.h"
#include "work/follow_up_dlg.h"
#include "work/follow_up_query.h"

#include <cstdio>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

namespace {

// The text of a PDF file as pdftotext reads it.
std::string PdfText(const std::string& pdf) {
    std::string text;
    if (FILE* pipe = ::popen(("pdftotext -layout '" + pdf + "' -").c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            text.append(buffer, n);
        ::pclose(pipe);
    }
    return text;
}

class ReportsTest : public WorkshopTest {};

TEST_F(ReportsTest, FollowUpListOfLastMonthPrintsToPdf) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    platform::ScriptedMessageBoxes boxes;
    wxString first, last;
    CFollowUpQuery::PreviousMonth(wxDateTime::Today(), &first, &last);
    const std::string day = (first.Left(8) + "15").utf8_string();
    Insert("gk",
           {{{"车牌号码", "粤A12345"}, {"车主姓名", "王五"}, {"手机", "13800000000"}, {"no", "1"}},
            {{"车牌号码", "粤B88888"}, {"车主姓名", "赵六"}, {"no", "2"}}});
    Insert("ljsh", {{{"客户", "粤A12345"},
                     {"项目名称", "更换机油"},
                     {"单价", "80"},
                     {"码表", "42000"},
                     {"日期", day.c_str()},
                     {"flag", "W"},
                     {"no", "1"}},
                    {{"客户", "粤B88888"},
                     {"项目名称", "更换机油"},
                     {"单价", "80"},
                     {"码表", "9000"},
                     {"日期", day.c_str()},
                     {"flag", "W"},
                     {"no", "2"}}});
    const std::string pdf = Path("follow_up.pdf");
    frame->m_printData.SetPrintMode(wxPRINT_MODE_FILE);
    frame->m_printData.SetFilename(pdf);

    CPrintOptionsDlg* print = nullptr;
    EXPECT_TRUE(qv_test::AnswerModal<CFollowUpDlg>(
        [&] { frame->ExecuteCommand(ID_FOLLOW_UP); },
        [&](CFollowUpDlg& dialog) {
            using namespace res::follow_up;
            EXPECT_EQ(qv_test::Text(&dialog, kFromEdit), first);
            EXPECT_EQ(qv_test::Text(&dialog, kToEdit), last);
            // The hint names no item: nothing is listed.
            qv_test::Click(&dialog, kShowButton);
            EXPECT_EQ(dialog.GetGrid()->GetRowCount(), 1);
            qv_test::Type(&dialog, kItemsEdit, "更换机油");
            qv_test::Click(&dialog, kShowButton);
            CGridCtrl* grid = dialog.GetGrid();
            ASSERT_EQ(grid->GetRowCount(), 3);
            // 删除 drops a line from the list only.
            grid->SetFocusCell(2, 1);
            qv_test::Click(&dialog, kDeleteButton);
            ASSERT_EQ(grid->GetRowCount(), 2);
            qv_test::Click(&dialog, res::IDOK);
            print = dialog.GetPrintDialog();
            ASSERT_NE(print, nullptr);
            auto* radio = res::Control<wxRadioButton>(print, res::print_options::kPrintRadio);
            radio->SetValue(true);
            wxCommandEvent event(wxEVT_RADIOBUTTON, radio->GetId());
            event.SetEventObject(radio);
            radio->GetEventHandler()->ProcessEvent(event);
            print->OnOutput();
            Pump();
        }));
    Pump();
    ASSERT_TRUE(platform::FileExists(pdf));
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("跟踪服务"), std::string::npos);
    EXPECT_NE(text.find("更换机油"), std::string::npos);
    // Exactly one of the two vehicles was printed.
    EXPECT_NE(text.find("粤A12345") == std::string::npos,
              text.find("粤B88888") == std::string::npos);
    // Nothing was written to the archive.
    EXPECT_EQ(Column(U("select * from ljsh"), U("客户")).size(), 2u);
}

} // namespace
