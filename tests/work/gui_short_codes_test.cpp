// A part found by its short code: the program started on a new folder, whose login
// fills the initials table, short codes made for the stock, and the chooser listing
// the parts whose code holds the typed letters.
#include "gui_repair_sheet_fixture.h"

#include "app/main_frame.h"
#include "app/query_toolbar.h"
#include "work/part_pick_dlg.h"
#include "work/short_codes.h"
#include "work_tables_fixture.h"

#include <wx/listctrl.h>

namespace {

using ShortCodeChooserTest = WorkshopTest;

TEST_F(ShortCodeChooserTest, ChooserFindsPartsByTheirShortCode) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    InsertNumbered("ljkc", {{{"零件名称", "刹车片"}, {"编号", "A1"}, {"零售价", "80"}},
                            {{"零件名称", "机油"}, {"编号", "B1"}},
                            {{"零件名称", "水泵"}, {"编号", "C1"}},
                            {{"零件名称", "前刹车盘"}, {"编号", "A2"}, {"零售价", "120"}}});
    CShortCodes codes;
    ASSERT_EQ(codes.Generate(frame->m_dsMain, "ljkc"), 4);

    const wxString statement = CMainToolBar::BuildShortCodeSql(
        U("select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,进价 "
          "from ljkc where "),
        U("零件名称"), "SCP");
    std::vector<wxString> listed;
    wxString chosen;
    EXPECT_TRUE(qv_test::AnswerModal<CPartPickDlg>(
        [&] {
            CPartPickDlg chooser(statement);
            if (chooser.ShowModal() == wxID_OK) chosen = chooser.Picked().code;
        },
        [&listed](CPartPickDlg& dialog) {
            for (long row = 0; row < dialog.m_list->GetItemCount(); ++row)
                listed.push_back(dialog.m_list->GetItemText(row, 1));
            dialog.m_list->SetItemState(1, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                                        wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
            PressKey(dialog.m_list, WXK_RETURN);
        }));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<wxString>{U("刹车片"), U("前刹车盘")}));
    EXPECT_FALSE(chosen.empty());

    // The typed letters may be any part of the code.
    CPartPickDlg one(CMainToolBar::BuildShortCodeSql(
        U("select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,部位,进价 "
          "from ljkc where "),
        U("零件名称"), "QSC"));
    ASSERT_EQ(one.ShowModal(), wxID_OK); // one row: taken unseen
    EXPECT_EQ(one.Picked().code, "A2");
}

} // namespace
