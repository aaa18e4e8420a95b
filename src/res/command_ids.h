#pragma once
// Command IDs of the menus, the toolbar, the accelerators and the outlook bar. The
// numbers are the program's own and stay as they are: settings, help contexts and
// the workshop, parts-trade and office forms refer to them. None falls in wx's
// reserved range 4999..5999.

enum : int {
    // Resources
    IDR_MAINFRAME = 128,  // full menu, toolbar and accelerators after login
    IDR_LOGIN_MENU = 264, // small menu before login

    ID_TIP_OF_THE_DAY = 112,

    // Application and document
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_MENU = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_TOPICS = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_HELP_F1 = 57670,
    ID_FILE_MRU_FIRST = 57616, // the recent files of the 文件 menu, four of them
    ID_NEXT_PANE = 57680,      // F6
    ID_PREV_PANE = 57681,      // Shift+F6
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,

    // Work sheets
    ID_REPAIR_SHEET = 32803,
    ID_REPAIR_SHEET_TOOL = 32872,
    ID_SALES_SHEET = 32807,
    ID_SALES_SHEET_TOOL = 32873,
    ID_ORDER_SHEET = 32785,
    ID_STOCK_IN = 32786,
    ID_TRANSFER_SHEET = 32894,
    ID_RETURN_DEFECT_IN = 32818,
    ID_RETURN_DEFECT_OUT = 32819,
    ID_RETURN_GOOD_OUT = 32910,
    ID_RETURN_GOOD_IN = 32911,
    ID_RETURN_PURCHASE = 32931,

    // Code tables (modes 1 to 17)
    ID_CODE_SERVICE_ITEMS = 32804,
    ID_CODE_LABOUR = 32823,
    ID_CODE_LINKED_ITEMS = 32824,
    ID_CODE_PARTS_CATALOGUE = 32831,
    ID_CODE_ALERT_LEVELS = 32834,
    ID_CODE_STAFF = 32860,
    ID_CODE_MAINTENANCE_ITEMS = 32861,
    ID_CODE_NO_DISCOUNT = 32862,
    ID_CODE_STORE = 32867,
    ID_CODE_SHORT_CODES = 32866,
    ID_CODE_SAME_NAME_PARTS = 32877,
    ID_CODE_WARRANTY_PARTS = 32878,
    ID_CODE_PICTURES = 32918,
    ID_CODE_PRICES = 32919,
    ID_CODE_PART_SOURCES = 32920,
    ID_CODE_ASSEMBLIES = 32927,
    ID_CODE_PURCHASES = 32932,

    // Records and archives
    ID_REPAIR_ARCHIVE = 32805,
    ID_SALES_ARCHIVE = 32820,
    ID_CUSTOMER_RECORDS = 32806,
    ID_MEMBER_CARDS = 32841,
    ID_FOLLOW_UP = 32813,
    ID_BRAND_REPORT = 32808,
    ID_PARTNER_CUSTOMERS = 32821,
    ID_PARTNER_SUPPLIERS = 32933,
    ID_PARTNER_LEDGER = 32822,
    ID_CASH_JOURNAL = 32923,
    ID_FIXED_ASSETS = 32924,

    // Queries and statistics
    ID_QUERY_MAINTENANCE = 32810,
    ID_QUERY_INSPECTION = 32811,
    ID_QUERY_BIRTHDAY = 32812,
    ID_QUERY_SHORTAGE = 32836,
    ID_QUERY_SURPLUS = 32839,
    ID_QUERY_APPOINTMENT = 32859,
    ID_CUSTOMER_ALERT = 32915,
    ID_STAT_PURCHASES = 32843,
    ID_STAT_SALES = 32845,
    ID_STAT_REPAIRS = 32844,
    ID_STAT_MEMBERS = 32837,
    ID_STAT_DEBTS = 32847,
    ID_STAT_STAFF = 32848,
    ID_STAT_SALES_COUNT = 32863,
    ID_STAT_STOCK_COUNT = 32838,
    ID_STAT_BUSINESS = 32858,
    ID_STAT_PROFIT = 32875,
    ID_STAT_COMMISSION = 32896,
    ID_STAT_ORDERS = 32929,
    ID_FLOW_ANALYSIS = 32893,
    ID_TRANSFER_RECORDS = 32916,
    ID_RETURNED_OUT_RECORDS = 32917,
    ID_SPLIT_ASSEMBLE = 32926,
    ID_PARTS_RESERVATION = 32869,
    ID_WARRANTY_BRAND_FIRST = 32884, // 32884..32889 and 32891
    ID_WARRANTY_BRAND_LAST = 32889,
    ID_WARRANTY_BRAND_SEVENTH = 32891,

    // Tools
    ID_REPORT_SETUP = 32809,
    ID_GRID_SETUP = 32825,
    ID_DATA_IMPORT = 32909,
    ID_DATA_EXPORT = 32930,
    ID_DATA_TIDY = 32828,
    ID_DATA_BACKUP = 32826,
    ID_DATA_RESTORE = 32827,
    ID_SWITCH_ACCOUNT_SET = 50004,
    ID_EXPORT_EXCEL_TOOL = 32921,
    ID_EXPORT_EXCEL = 32922,
    ID_LOGIN = 32876,
    ID_CHANGE_PASSWORD = 32895,
    ID_SETTINGS = 32814,
    ID_OPERATING_TIPS = 32908,
    ID_BACKGROUND = 32864,
    ID_SHOW_BACKGROUND = 32870,
    ID_BROWSE_PICTURE = 32815,
    ID_QUICK_INTERFACE = 32789,
    ID_TOGGLE_UPPER_PANE = 32796,
    ID_LARGE_ICONS = 50001,
    ID_SMALL_ICONS = 50000,
    ID_QUERY_TOOLBAR = 32857,
    ID_EMPTY_1 = 32851,
    ID_EMPTY_2 = 32833,
};

// wx menu and tool IDs must lie below 0x8000, so command IDs from 0x8000 up are
// moved down by 0x8000 at the wx boundary (menus, toolbar, accelerators, events).
// No command below 0x8000 collides: the only one is 112.
constexpr int WxCommandId(int commandId) {
    return commandId >= 0x8000 ? commandId - 0x8000 : commandId;
}
constexpr int CommandIdFromWx(int wxId) {
    return wxId >= 0 && wxId < 0x8000 && wxId != ID_TIP_OF_THE_DAY ? wxId + 0x8000 : wxId;
}
