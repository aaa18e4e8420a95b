#include "app/menu_rights.h"

#include "app/command_table.h"
#include "app/main_frame.h"
#include "data/main_frame_data.h"
#include "res/command_ids.h"

#include <wx/menu.h>

const std::vector<MenuRemoval>& MenuRemovals() {
    static const std::vector<MenuRemoval> removals = {
        {4, "维修(&W)", "维修作业(&W)\tCtrl+W", ""},
        {5, "维修(&W)", "会员管理", ""},
        {6, "维修(&W)", "维修档案(&D)", ""},
        {7, "维修(&W)", "顾客资料(&G)", ""},
        {9, "维修(&W)", "跟踪服务(&Z)", ""},
        {10, "配件(&P)", "零件售货(&L)\tCtrl+L", ""},
        {11, "配件(&P)", "定货(&D)", ""},
        {12, "配件(&P)", "入库(&R)", ""},
        {13, "配件(&P)", "仓库管理(&C)", ""},
        {14, "配件(&P)", "退货", ""},
        {15, "配件(&P)", "售货档案(&S)", ""},
        {16, "配件(&P)", "客户资料(&K)", ""},
        {16, "查询(&S)", "客户预警(&F)", ""},
        {17, "配件(&P)", "配件预定(&P)", ""},
        {18, "配件(&P)", "零件调拨(&B)", ""},
        {18, "配件(&P)", "调拨记录(&J)", ""},
        {19, "查询(&S)", "统计(&T)", "进货统计"},
        {20, "查询(&S)", "统计(&T)", "售货统计"},
        {21, "查询(&S)", "统计(&T)", "售货盘点"},
        {21, "查询(&S)", "统计(&T)", "库存盘点"},
        {23, "查询(&S)", "仓库预警(&Q)", ""},
        {24, "查询(&S)", "零件溢出(&L)", ""},
        {25, "查询(&S)", "统计(&T)", "营业统计"},
        {26, "查询(&S)", "统计(&T)", "利润统计"},
        {27, "查询(&S)", "统计(&T)", "员工业绩"},
        {28, "查询(&S)", "统计(&T)", "员工提成"},
        {29, "管理(&G)", "往来帐目(&W)", ""},
        {30, "管理(&G)", "数据维护", ""},
        {31, "维修(&W)", "三包维修", ""},
        {32, "查询(&S)", "保养查询(&B)", ""},
        {33, "查询(&S)", "年审查询(&N)", ""},
        {34, "查询(&S)", "生日查询(&S)", ""},
        {35, "查询(&S)", "预约查询(&Y)", ""},
        {36, "查询(&S)", "统计(&T)", "维修统计"},
        {37, "查询(&S)", "统计(&T)", "会员进度"},
        {37, "维修(&W)", "会员管理", "会员进度"},
        {38, "查询(&S)", "统计(&T)", "三包统计"},
        {39, "查询(&S)", "统计(&T)", "欠帐统计"},
        {43, "管理(&G)", "系统设置(&S)", ""},
        {46, "工具(&T)", "数据引入(&S)", ""},
        {47, "工具(&T)", "数据库管理", ""},
        {48, "工具(&T)", "零件流量分析(&L)", ""},
        {53, "管理(&G)", "固定资产(&P)", ""},
        {54, "管理(&G)", "收支记录(&K)", ""},
        {55, "工具(&T)", "数据导出(&O)", ""},
        {57, "配件(&P)", "零件拆零(&F)", ""},
    };
    return removals;
}

int FindMenuItem(const wxMenuBar* bar, const wxString& caption) {
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        if (bar->GetMenuLabel(i) == caption) return int(i);
    return -1;
}

int FindMenuItem(const wxMenu* menu, const wxString& caption) {
    for (size_t i = 0; i < menu->GetMenuItemCount(); ++i)
        if (menu->FindItemByPosition(i)->GetItemLabel() == caption) return int(i);
    return -1;
}

bool RemoveMenuItemByText(wxMenuBar* bar, const wxString& top, const wxString& item,
                          const wxString& sub) {
    int t = FindMenuItem(bar, top);
    if (t < 0) return false;
    wxMenu* menu = bar->GetMenu(t);
    int i = FindMenuItem(menu, item);
    if (i < 0) return false;
    if (!sub.empty()) {
        menu = menu->FindItemByPosition(i)->GetSubMenu();
        if (!menu) return false;
        i = FindMenuItem(menu, sub);
        if (i < 0) return false;
    }
    menu->Destroy(menu->FindItemByPosition(i));
    return true;
}

void TrimMenuByRights(wxMenuBar* bar, const CMainFrameData& rights) {
    if (!bar) return;
    for (const MenuRemoval& removal : MenuRemovals())
        if (!rights.CheckRight(removal.right))
            RemoveMenuItemByText(bar, wxString::FromUTF8(removal.top),
                                 wxString::FromUTF8(removal.item), wxString::FromUTF8(removal.sub));
}

namespace {

// Removes the popups without a usable item and stray separators; true when the
// menu keeps an item that can be chosen.
bool PruneMenu(wxMenu* menu) {
    bool usable = false;
    for (size_t i = menu->GetMenuItemCount(); i-- > 0;) {
        wxMenuItem* item = menu->FindItemByPosition(i);
        if (wxMenu* sub = item->GetSubMenu()) {
            if (PruneMenu(sub))
                usable = true;
            else
                menu->Destroy(item);
        } else if (!item->IsSeparator()) {
            const CommandEntry* entry = FindCommand(CommandIdFromWx(item->GetId()));
            usable = usable || !entry || entry->kind != CommandKind::Disabled;
        }
    }
    if (!usable) return false;
    bool lastWasSeparator = true; // a separator first in the menu goes
    for (size_t i = 0; i < menu->GetMenuItemCount();) {
        wxMenuItem* item = menu->FindItemByPosition(i);
        const bool separator = item->IsSeparator();
        const bool last = i + 1 == menu->GetMenuItemCount();
        if (separator && (lastWasSeparator || last)) {
            menu->Destroy(item);
            continue;
        }
        lastWasSeparator = separator;
        ++i;
    }
    // A separator that became the last one after the removal before it.
    while (menu->GetMenuItemCount() > 0 &&
           menu->FindItemByPosition(menu->GetMenuItemCount() - 1)->IsSeparator())
        menu->Destroy(menu->FindItemByPosition(menu->GetMenuItemCount() - 1));
    return true;
}

} // namespace

void RemoveEmptyMenus(wxMenuBar* bar) {
    if (!bar) return;
    for (size_t i = bar->GetMenuCount(); i-- > 0;)
        if (!PruneMenu(bar->GetMenu(i))) delete bar->Remove(i);
}

void LoadMenuForRights(CMainFrame& frame) {
    frame.LoadMenuResource(IDR_MAINFRAME);
    TrimMenuByRights(frame.GetMenuBar(), frame);
    RemoveEmptyMenus(frame.GetMenuBar());
}
