#include "res/menus.h"

#include "res/command_ids.h"

#include <iterator>

namespace {

constexpr int kPopup = 0;
constexpr int kSeparator = -1;

struct MenuLine {
    int depth; // 0 = top menu, 1 = its items, 2 = items of a popup inside it
    const char* caption;
    int id; // kPopup opens a sub-menu made of the deeper lines that follow
    bool check = false;
};

const MenuLine kLoginMenu[] = {
    {0, "文件(&F)", kPopup}, {1, "登录(&D)", ID_LOGIN},
    {1, "", kSeparator},     {1, "退出(&X)", ID_APP_EXIT},
    {0, "帮助(&H)", kPopup}, {1, "帮助主题(&H)", ID_HELP_TOPICS},
    {1, "", kSeparator},     {1, "关于 qv(&A)...", ID_APP_ABOUT},
};

const MenuLine kMainMenu[] = {
    {0, "文件(&F)", kPopup},
    {1, "新建(&N)\tCtrl+N", ID_FILE_NEW},
    {1, "打开(&O)...\tCtrl+O", ID_FILE_OPEN},
    {1, "保存(&S)\tCtrl+S", ID_FILE_SAVE},
    {1, "另存为(&A)...", ID_FILE_SAVE_AS},
    {1, "", kSeparator},
    {1, "打印(&P)...\tCtrl+P", ID_FILE_PRINT_MENU},
    {1, "打印预览(&V)", ID_FILE_PRINT_PREVIEW},
    {1, "打印设置(&R)...", ID_FILE_PRINT_SETUP},
    {1, "", kSeparator},
    {1, "登录(&D)", ID_LOGIN},
    {1, "修改密码(&X)", ID_CHANGE_PASSWORD},
    {1, "", kSeparator},
    {1, "退出(&X)", ID_APP_EXIT},

    {0, "编辑(&E)", kPopup},
    {1, "撤消(&U)\tCtrl+Z", ID_EDIT_UNDO},
    {1, "", kSeparator},
    {1, "剪切(&T)\tCtrl+X", ID_EDIT_CUT},
    {1, "复制(&C)\tCtrl+C", ID_EDIT_COPY},
    {1, "粘贴(&P)\tCtrl+V", ID_EDIT_PASTE},

    {0, "查看(&V)", kPopup},
    {1, "标准工具栏(&T)", ID_VIEW_TOOLBAR, true},
    {1, "查询工具栏(&C)", ID_QUERY_TOOLBAR, true},
    {1, "状态栏(&S)", ID_VIEW_STATUS_BAR, true},
    {1, "", kSeparator},
    {1, "大图标(&I)", ID_LARGE_ICONS, true},
    {1, "小图标(&L)", ID_SMALL_ICONS, true},
    {1, "", kSeparator},
    {1, "显示背景(&B)", ID_SHOW_BACKGROUND},
    {1, "背景图(&B)", ID_BACKGROUND},
    {1, "图片浏览(&T)", ID_BROWSE_PICTURE},

    {0, "维修(&W)", kPopup},
    {1, "维修作业(&W)\tCtrl+W", ID_REPAIR_SHEET},
    {1, "", kSeparator},
    {1, "顾客资料(&G)", ID_CUSTOMER_RECORDS},
    {1, "维修档案(&D)", ID_REPAIR_ARCHIVE},
    {1, "跟踪服务(&Z)", ID_FOLLOW_UP},
    {1, "", kSeparator},
    {1, "会员管理", kPopup},
    {2, "会员资料", ID_MEMBER_CARDS},
    {2, "服务项目", ID_CODE_SERVICE_ITEMS},
    {2, "会员进度", ID_STAT_MEMBERS},
    {1, "三包维修", kPopup},
    {2, "品牌一", ID_WARRANTY_BRAND_FIRST},
    {2, "品牌二", ID_WARRANTY_BRAND_FIRST + 1},
    {2, "品牌三", ID_WARRANTY_BRAND_FIRST + 2},
    {2, "品牌四", ID_WARRANTY_BRAND_FIRST + 3},
    {2, "品牌五", ID_WARRANTY_BRAND_FIRST + 4},
    {2, "品牌六", ID_WARRANTY_BRAND_LAST},
    {2, "品牌七", ID_WARRANTY_BRAND_SEVENTH},

    {0, "配件(&P)", kPopup},
    {1, "零件售货(&L)\tCtrl+L", ID_SALES_SHEET},
    {1, "", kSeparator},
    {1, "定货(&D)", kPopup},
    {2, "定货单", ID_ORDER_SHEET},
    {2, "定货统计", ID_STAT_ORDERS},
    {1, "入库(&R)", ID_STOCK_IN},
    {1, "零件调拨(&B)", ID_TRANSFER_SHEET},
    {1, "调拨记录(&J)", ID_TRANSFER_RECORDS},
    {1, "退货", kPopup},
    {2, "不良品退回", ID_RETURN_DEFECT_IN},
    {2, "不良品退出", ID_RETURN_DEFECT_OUT},
    {2, "正品退回", ID_RETURN_GOOD_IN},
    {2, "正品退出", ID_RETURN_GOOD_OUT},
    {2, "进货退货", ID_RETURN_PURCHASE},
    {2, "", kSeparator},
    {2, "退回记录", ID_CODE_WARRANTY_PARTS},
    {2, "退出记录", ID_RETURNED_OUT_RECORDS},
    {1, "仓库管理(&C)", ID_CODE_STORE},
    {1, "零件拆零(&F)", ID_SPLIT_ASSEMBLE},
    {1, "配件预定(&P)", ID_PARTS_RESERVATION},
    {1, "", kSeparator},
    {1, "售货档案(&S)", ID_SALES_ARCHIVE},
    {1, "客户资料(&K)", ID_PARTNER_CUSTOMERS},
    {1, "供应商资料", ID_PARTNER_SUPPLIERS},

    {0, "查询(&S)", kPopup},
    {1, "保养查询(&B)", ID_QUERY_MAINTENANCE},
    {1, "年审查询(&N)", ID_QUERY_INSPECTION},
    {1, "生日查询(&S)", ID_QUERY_BIRTHDAY},
    {1, "预约查询(&Y)", ID_QUERY_APPOINTMENT},
    {1, "", kSeparator},
    {1, "仓库预警(&Q)", ID_QUERY_SHORTAGE},
    {1, "零件溢出(&L)", ID_QUERY_SURPLUS},
    {1, "客户预警(&F)", ID_CUSTOMER_ALERT},
    {1, "", kSeparator},
    {1, "统计(&T)", kPopup},
    {2, "进货统计", ID_STAT_PURCHASES},
    {2, "售货统计", ID_STAT_SALES},
    {2, "维修统计", ID_STAT_REPAIRS},
    {2, "三包统计", ID_CODE_WARRANTY_PARTS},
    {2, "会员进度", ID_STAT_MEMBERS},
    {2, "欠帐统计", ID_STAT_DEBTS},
    {2, "", kSeparator},
    {2, "营业统计", ID_STAT_BUSINESS},
    {2, "利润统计", ID_STAT_PROFIT},
    {2, "员工业绩", ID_STAT_STAFF},
    {2, "员工提成", ID_STAT_COMMISSION},
    {2, "", kSeparator},
    {2, "售货盘点", ID_STAT_SALES_COUNT},
    {2, "库存盘点", ID_STAT_STOCK_COUNT},

    {0, "管理(&G)", kPopup},
    {1, "往来帐目(&W)", ID_PARTNER_LEDGER},
    {1, "收支记录(&K)", ID_CASH_JOURNAL},
    {1, "固定资产(&P)", ID_FIXED_ASSETS},
    {1, "", kSeparator},
    {1, "数据维护", kPopup},
    {2, "会员项目", ID_CODE_SERVICE_ITEMS},
    {2, "工时费", ID_CODE_LABOUR},
    {2, "关联项目", ID_CODE_LINKED_ITEMS},
    {2, "保养项目", ID_CODE_MAINTENANCE_ITEMS},
    {2, "不打折项目", ID_CODE_NO_DISCOUNT},
    {2, "", kSeparator},
    {2, "零件目录", ID_CODE_PARTS_CATALOGUE},
    {2, "警戒量设置", ID_CODE_ALERT_LEVELS},
    {2, "简码库", ID_CODE_SHORT_CODES},
    {2, "同名零件", ID_CODE_SAME_NAME_PARTS},
    {2, "商品图片", ID_CODE_PICTURES},
    {2, "价格库", ID_CODE_PRICES},
    {2, "零件货源", ID_CODE_PART_SOURCES},
    {2, "零件总成", ID_CODE_ASSEMBLIES},
    {2, "进货记录", ID_CODE_PURCHASES},
    {2, "", kSeparator},
    {2, "员工库", ID_CODE_STAFF},
    {1, "", kSeparator},
    {1, "系统设置(&S)", ID_SETTINGS},

    {0, "工具(&T)", kPopup},
    {1, "数据引入(&S)", ID_DATA_IMPORT},
    {1, "数据导出(&O)", ID_DATA_EXPORT},
    {1, "导向Excel", ID_EXPORT_EXCEL},
    {1, "", kSeparator},
    {1, "数据库管理", kPopup},
    {2, "数据整理", ID_DATA_TIDY},
    {2, "数据备份", ID_DATA_BACKUP},
    {2, "数据恢复", ID_DATA_RESTORE},
    {1, "", kSeparator},
    {1, "零件流量分析(&L)", ID_FLOW_ANALYSIS},
    {1, "", kSeparator},
    {1, "报表设置(&B)", ID_REPORT_SETUP},
    {1, "表格格式(&V)", ID_GRID_SETUP},

    {0, "帮助(&H)", kPopup},
    {1, "帮助主题(&H)", ID_HELP_TOPICS},
    {1, "操作要点(&L)", ID_OPERATING_TIPS},
    {1, "", kSeparator},
    {1, "关于 qv(&A)...", ID_APP_ABOUT},
};

// Appends lines[pos..] of the given depth to menu; returns the first line not used.
size_t FillMenu(wxMenu* menu, const MenuLine* lines, size_t count, size_t pos, int depth) {
    while (pos < count && lines[pos].depth == depth) {
        const MenuLine& line = lines[pos++];
        if (line.id == kSeparator) {
            menu->AppendSeparator();
        } else if (line.id == kPopup) {
            auto* sub = new wxMenu;
            pos = FillMenu(sub, lines, count, pos, depth + 1);
            menu->AppendSubMenu(sub, wxString::FromUTF8(line.caption));
        } else {
            menu->Append(WxCommandId(line.id), wxString::FromUTF8(line.caption), wxEmptyString,
                         line.check ? wxITEM_CHECK : wxITEM_NORMAL);
        }
    }
    return pos;
}

wxMenuBar* BuildMenuBar(const MenuLine* lines, size_t count) {
    auto* bar = new wxMenuBar;
    size_t pos = 0;
    while (pos < count) {
        const MenuLine& top = lines[pos++];
        auto* menu = new wxMenu;
        pos = FillMenu(menu, lines, count, pos, 1);
        bar->Append(menu, wxString::FromUTF8(top.caption));
    }
    return bar;
}

} // namespace

namespace res {

wxMenuBar* LoadMenuBar(int menuId) {
    switch (menuId) {
    case IDR_LOGIN_MENU:
        return BuildMenuBar(kLoginMenu, std::size(kLoginMenu));
    case IDR_MAINFRAME:
        return BuildMenuBar(kMainMenu, std::size(kMainMenu));
    default:
        return nullptr;
    }
}

} // namespace res
