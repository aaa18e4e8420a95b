// The maintenance due list of a repair card's vehicle: the card's 保养 button shows the
// items due, and a row put onto the card arrives there once, however the list was
// clicked.
#include "gui_repair_sheet_fixture.h"

#include "app/main_frame.h"
#include "data/data_set.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "res/maintenance_due_template.h"
#include "res/repair_page_template.h"
#include "work/maintenance_due_dlg.h"
#include "work/repair_page.h"
#include "work/work_sheet.h"

#include <wx/listctrl.h>

namespace {

class MaintenanceDueTest : public WorkshopTest {
protected:
    // The open due lists.
    static std::vector<CMaintenanceDueDlg*> Lists() {
        std::vector<CMaintenanceDueDlg*> lists;
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* list = dynamic_cast<CMaintenanceDueDlg*>(window))
                if (!window->IsBeingDeleted()) lists.push_back(list);
        return lists;
    }
    static int LinesNamed(CGridCtrl* grid, const char* name) {
        int count = 0;
        const int column = ColumnOf(grid, "项目名称");
        for (int row = 1; row < grid->GetRowCount(); ++row)
            count += grid->GetItemText(row, column) == U(name);
        return count;
    }
    // A click on a row as the list reports it: selected, and for a double click
    // activated after that.
    static void ClickRow(wxListCtrl* list, long row, bool twice) {
        list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        wxListEvent selected(wxEVT_LIST_ITEM_SELECTED, list->GetId());
        selected.SetEventObject(list);
        list->GetEventHandler()->ProcessEvent(selected);
        if (twice) {
            wxListEvent activated(wxEVT_LIST_ITEM_ACTIVATED, list->GetId());
            activated.SetEventObject(list);
            list->GetEventHandler()->ProcessEvent(activated);
        }
    }
};

TEST_F(MaintenanceDueTest, OverdueItemReachesTheCardOnceAndSimplifyKeepsReplacements) {
    CMainFrame* frame = LogIn();
    ASSERT_NE(frame, nullptr);
    platform::ScriptedMessageBoxes boxes;
    Insert("gk", {{{"车牌号码", "粤A12345"}, {"保养类", "轿车"}, {"no", "1"}}});
    Insert("byxmb", {{{"保养类", "轿车"},
                      {"项目名称", "机油滤清器"},
                      {"更换间隔", "5000"},
                      {"处理方法", "更换"},
                      {"no", "1"}},
                     {{"保养类", "轿车"},
                      {"项目名称", "刹车检查"},
                      {"更换间隔", "10000"},
                      {"处理方法", "检查"},
                      {"no", "2"}}});
    Insert("ljkc", {{{"零件名称", "机油滤清器"},
                     {"编号", "JL-01"},
                     {"数量", "10"},
                     {"零售价", "35"},
                     {"no", "1"}}});
    // Done last at 42000 and never since: the filter is due at 47000. `tmlj` is empty,
    // as on a new installation.
    Insert("ljsh", {{{"客户", "粤A12345"},
                     {"项目名称", "机油滤清器"},
                     {"编号", "JL-01"},
                     {"码表", "42000"},
                     {"单价", "35"},
                     {"日期", "2026-01-05"},
                     {"flag", "W"},
                     {"no", "1"}}});
    // The option 检查 lists the items of the class never done as well.
    CDataSet::WriteSettingFile("SystemSet", U("检查=1,"));
    auto* page = OpenCard(frame, "粤A12345");
    ASSERT_NE(page, nullptr);
    CWorkSheet* sheet = page->GetSheet();
    ASSERT_EQ(page->GetTitle(), U("粤A12345"));

    qv_test::Click(page, res::repair_page::kMaintenanceButton);
    Pump();
    ASSERT_EQ(Lists().size(), 1u);
    CMaintenanceDueDlg* due = Lists().front();
    wxListCtrl* list = due->GetList();
    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(list->GetItemText(0, 1), U("机油滤清器"));
    EXPECT_EQ(list->GetItemText(0, 3), "42000");
    EXPECT_EQ(list->GetItemText(0, 4), "47000");
    EXPECT_EQ(list->GetItemText(0, 7), U("更换"));
    EXPECT_EQ(list->GetItemText(1, 1), U("刹车检查"));
    EXPECT_EQ(list->GetItemText(1, 3), "");
    // 简捷 drops the inspection, keeps the replacement.
    qv_test::Click(due, res::maintenance_due::kSimplify);
    ASSERT_EQ(list->GetItemCount(), 1);

    // A double click reports a click first: the filter still goes on the card once.
    ClickRow(list, 0, true);
    Pump();
    page = dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
    EXPECT_EQ(LinesNamed(page->GetLineGrid(), "机油滤清器"), 1);
    // 全选 afterwards adds no second one.
    qv_test::Click(due, res::IDOK);
    Pump();
    EXPECT_EQ(LinesNamed(page->GetLineGrid(), "机油滤清器"), 1);
    EXPECT_TRUE(Lists().empty());
    EXPECT_EQ(Column(U("select * from zyxm where 项目名称='机油滤清器'"), U("编号")),
              std::vector<wxString>{"JL-01"});
}

} // namespace
