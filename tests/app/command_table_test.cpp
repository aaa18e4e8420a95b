#include "app/command_table.h"
#include "common/program_folder.h"
#include "res/command_ids.h"
#include "res/menus.h"

#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

void CollectIds(const wxMenu* menu, std::set<int>& ids) {
    for (const wxMenuItem* item : menu->GetMenuItems()) {
        if (item->IsSubMenu())
            CollectIds(item->GetSubMenu(), ids);
        else if (!item->IsSeparator())
            ids.insert(CommandIdFromWx(item->GetId()));
    }
}

std::set<int> MenuIds(int menuId) {
    std::unique_ptr<wxMenuBar> bar(res::LoadMenuBar(menuId));
    std::set<int> ids;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        CollectIds(bar->GetMenu(i), ids);
    return ids;
}

TEST(CommandTable, EveryMenuItemHasAnEntry) {
    for (int menu : {IDR_LOGIN_MENU, IDR_MAINFRAME})
        for (int id : MenuIds(menu))
            EXPECT_NE(FindCommand(id), nullptr) << "command " << id;
}

TEST(CommandTable, ItemsWithoutHandlerAreDisabledOthersNot) {
    for (int id : {32884, 32885, 32886, 32887, 32888, 32889, 32891, 32869, 32859})
        EXPECT_EQ(FindCommand(id)->kind, CommandKind::Disabled) << id;
    for (int id : {32851, 32833})
        EXPECT_EQ(FindCommand(id)->kind, CommandKind::Nothing) << id;
    EXPECT_EQ(FindCommand(ID_REPAIR_SHEET)->kind, CommandKind::Form);
}

TEST(CommandTable, SmallMenuBeforeLogin) {
    std::unique_ptr<wxMenuBar> bar(res::LoadMenuBar(IDR_LOGIN_MENU));
    ASSERT_EQ(bar->GetMenuCount(), 2u);
    EXPECT_EQ(MenuIds(IDR_LOGIN_MENU),
              (std::set<int>{ID_LOGIN, ID_APP_EXIT, ID_HELP_TOPICS, ID_APP_ABOUT}));
}

// The rights trimming finds items by their exact captions, accelerator text included.
TEST(CommandTable, FullMenuKeepsTheCaptionsTheTrimmingLooksFor) {
    std::unique_ptr<wxMenuBar> bar(res::LoadMenuBar(IDR_MAINFRAME));
    int top = bar->FindMenu(U("维修(&W)"));
    ASSERT_NE(top, wxNOT_FOUND);
    const wxMenu* repair = bar->GetMenu(top);
    EXPECT_EQ(repair->FindItemByPosition(0)->GetItemLabel(), U("维修作业(&W)\tCtrl+W"));
    const wxMenu* parts = bar->GetMenu(bar->FindMenu(U("配件(&P)")));
    bool returns = false;
    for (const wxMenuItem* item : parts->GetMenuItems())
        returns = returns || (item->IsSubMenu() && item->GetItemLabel() == U("退货"));
    EXPECT_TRUE(returns);
    for (const char* caption : {"查询(&S)", "管理(&G)", "工具(&T)"})
        EXPECT_NE(bar->FindMenu(U(caption)), wxNOT_FOUND) << caption;
}

TEST(CommandTable, OutlookItems) {
    EXPECT_EQ(FindOutBarCommand(0, 0)->commandId, ID_REPAIR_SHEET);
    EXPECT_EQ(FindOutBarCommand(0, 0)->right, 0);
    EXPECT_EQ(FindOutBarCommand(0, 5)->commandId, ID_CODE_WARRANTY_PARTS);
    EXPECT_EQ(FindOutBarCommand(0, 5)->right, 31);
    EXPECT_EQ(FindOutBarCommand(1, 1)->commandId, ID_ORDER_SHEET);
    EXPECT_EQ(FindOutBarCommand(1, 1)->right, 11);
    EXPECT_EQ(FindOutBarCommand(2, 0), nullptr); // the catalogue tree's folder
    EXPECT_EQ(FindOutBarCommand(0, 6), nullptr);
    EXPECT_EQ(FindOutBarCommand(1, -1), nullptr);
}

} // namespace
