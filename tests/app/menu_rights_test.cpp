#include "app/menu_rights.h"
#include "common/program_folder.h"

#include "data/main_frame_data.h"
#include "res/command_ids.h"
#include "res/menus.h"

#include <memory>

namespace {

std::unique_ptr<wxMenuBar> FullMenu() {
    return std::unique_ptr<wxMenuBar>(res::LoadMenuBar(IDR_MAINFRAME));
}

bool HasItem(wxMenuBar* bar, const char* top, const char* item, const char* sub = "") {
    int t = FindMenuItem(bar, U(top));
    if (t < 0) return false;
    wxMenu* menu = bar->GetMenu(t);
    int i = FindMenuItem(menu, U(item));
    if (i < 0 || !*sub) return i >= 0;
    wxMenu* popup = menu->FindItemByPosition(i)->GetSubMenu();
    return popup && FindMenuItem(popup, U(sub)) >= 0;
}

int ItemCount(wxMenu* menu) {
    int count = 0;
    for (wxMenuItem* item : menu->GetMenuItems())
        count += 1 + (item->GetSubMenu() ? ItemCount(item->GetSubMenu()) : 0);
    return count;
}

int ItemCount(wxMenuBar* bar) {
    int count = 0;
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        count += ItemCount(bar->GetMenu(i));
    return count;
}

// Every caption of the table is one of the full menu: a typo would leave an item
// that a user without the right could still choose.
TEST(MenuRights, EveryRemovalFindsItsItem) {
    for (const MenuRemoval& removal : MenuRemovals()) {
        auto bar = FullMenu();
        EXPECT_TRUE(HasItem(bar.get(), removal.top, removal.item, removal.sub))
            << removal.right << " " << removal.item << " " << removal.sub;
        EXPECT_TRUE(
            RemoveMenuItemByText(bar.get(), U(removal.top), U(removal.item), U(removal.sub)));
        EXPECT_FALSE(HasItem(bar.get(), removal.top, removal.item, removal.sub));
    }
}

TEST(MenuRights, CaptionsMustMatchExactly) {
    auto bar = FullMenu();
    const int before = ItemCount(bar.get());
    EXPECT_FALSE(RemoveMenuItemByText(bar.get(), U("维修(&W)"), U("维修作业(&W)"), ""));
    EXPECT_FALSE(RemoveMenuItemByText(bar.get(), U("维修"), U("维修作业(&W)\tCtrl+W"), ""));
    EXPECT_FALSE(RemoveMenuItemByText(bar.get(), U("查询(&S)"), U("统计(&T)"), U("没有")));
    EXPECT_EQ(ItemCount(bar.get()), before);
}

TEST(MenuRights, DeniedRightsRemoveTheirItems) {
    struct Case {
        const char* rights;
        const char* top;
        const char* item;
        const char* sub;
    } cases[] = {
        {"wang,24,", "配件(&P)", "退货", ""},
        {"wang,67,", "配件(&P)", "零件拆零(&F)", ""},
        {"wang,20,", "配件(&P)", "零件售货(&L)\tCtrl+L", ""},
        {"wang,47,", "维修(&W)", "会员管理", "会员进度"},
        {"wang,47,", "查询(&S)", "统计(&T)", "会员进度"},
    };
    CMainFrameData rights;
    for (const Case& c : cases) {
        auto bar = FullMenu();
        rights.m_strRights = U(c.rights);
        TrimMenuByRights(bar.get(), rights);
        EXPECT_FALSE(HasItem(bar.get(), c.top, c.item, c.sub)) << c.rights << " " << c.item;
    }

    // Nothing denied: the whole menu. A login name or discount holding a token's
    // digits denies nothing.
    for (const char* all : {"admin,0", "li20,0", "wang,折扣=5.6,"}) {
        auto bar = FullMenu();
        const int before = ItemCount(bar.get());
        rights.m_strRights = U(all);
        TrimMenuByRights(bar.get(), rights);
        EXPECT_EQ(ItemCount(bar.get()), before) << all;
    }

    // Right 10 alone: only 零件售货 goes.
    auto bar = FullMenu();
    const int before = ItemCount(bar.get());
    rights.m_strRights = "clerk,20,";
    TrimMenuByRights(bar.get(), rights);
    EXPECT_EQ(ItemCount(bar.get()), before - 1);
}

// No menu or separator stands in a trimmed menu without an item beside it.
void ExpectTidy(wxMenu* menu, const wxString& caption) {
    ASSERT_GT(menu->GetMenuItemCount(), 0u) << caption;
    EXPECT_FALSE(menu->FindItemByPosition(0)->IsSeparator()) << caption;
    EXPECT_FALSE(menu->FindItemByPosition(menu->GetMenuItemCount() - 1)->IsSeparator()) << caption;
    bool separator = false;
    for (wxMenuItem* item : menu->GetMenuItems()) {
        EXPECT_FALSE(separator && item->IsSeparator()) << caption;
        separator = item->IsSeparator();
        if (item->GetSubMenu()) ExpectTidy(item->GetSubMenu(), item->GetItemLabel());
    }
}

TEST(MenuRights, MenusLeftWithoutItemsGo) {
    struct Case {
        const char* rights;
        const char* top;
        const char* item; // empty: the top menu itself is gone
    } cases[] = {
        // No 往来帐目, 数据维护, 系统设置, 固定资产, 收支记录: no 管理 menu.
        {"few,39,40,53,63,64,", "管理(&G)", ""},
        // None of the statistics: no 统计 popup, the rest of 查询 stays.
        {"few,29,30,31,35,36,37,38,46,47,48,49,", "查询(&S)", "统计(&T)"},
        // The 三包维修 popup holds only items that stay disabled.
        {"admin,0", "维修(&W)", "三包维修"},
    };
    CMainFrameData rights;
    for (const Case& c : cases) {
        auto bar = FullMenu();
        rights.m_strRights = U(c.rights);
        TrimMenuByRights(bar.get(), rights);
        RemoveEmptyMenus(bar.get());
        if (*c.item) {
            EXPECT_NE(FindMenuItem(bar.get(), U(c.top)), -1) << c.rights;
            EXPECT_FALSE(HasItem(bar.get(), c.top, c.item)) << c.rights;
        } else {
            EXPECT_EQ(FindMenuItem(bar.get(), U(c.top)), -1) << c.rights;
        }
        for (size_t i = 0; i < bar->GetMenuCount(); ++i)
            ExpectTidy(bar->GetMenu(i), bar->GetMenuLabel(i));
    }
    // A single dead item stays, shown disabled, where the menu keeps others.
    auto bar = FullMenu();
    rights.m_strRights = "admin,0";
    RemoveEmptyMenus(bar.get());
    EXPECT_TRUE(HasItem(bar.get(), "配件(&P)", "配件预定(&P)"));
    EXPECT_TRUE(HasItem(bar.get(), "查询(&S)", "统计(&T)", "进货统计"));
}

} // namespace
