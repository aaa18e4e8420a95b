#include "app/command_table.h"

#include "res/command_ids.h"

#include <iterator>

namespace {

constexpr CommandEntry Form(int id, FormKind form, int mode = 0, const char* text = "") {
    CommandEntry entry{id, CommandKind::Form, int(form)};
    entry.mode = mode;
    entry.text = text;
    return entry;
}

constexpr CommandEntry Frame(int id, FrameAction action) {
    return CommandEntry{id, CommandKind::Frame, int(action)};
}

constexpr CommandEntry Guarded(CommandEntry entry, int right, Refusal refusal) {
    entry.right = right;
    entry.refusal = refusal;
    return entry;
}

constexpr CommandEntry Token(CommandEntry entry, int token) {
    entry.deniedToken = token;
    return entry;
}

constexpr CommandEntry ClearingShared(CommandEntry entry) {
    entry.clearShared = true;
    return entry;
}

constexpr CommandEntry Kind(int id, CommandKind kind) {
    return CommandEntry{id, kind, 0};
}

const CommandEntry kCommands[] = {
    // Work sheets
    Guarded(Form(ID_REPAIR_SHEET, FormKind::RepairSheet), 4, Refusal::Message),
    Guarded(Form(ID_REPAIR_SHEET_TOOL, FormKind::RepairSheet), 4, Refusal::Message),
    Guarded(Form(ID_SALES_SHEET, FormKind::SalesSheet), 10, Refusal::Message),
    Guarded(Form(ID_SALES_SHEET_TOOL, FormKind::SalesSheet), 10, Refusal::Message),
    Form(ID_ORDER_SHEET, FormKind::OrderSheet, 1),
    Form(ID_STOCK_IN, FormKind::OrderSheet, 0),
    Form(ID_TRANSFER_SHEET, FormKind::OrderSheet, 2),
    Form(ID_RETURN_DEFECT_IN, FormKind::ReturnSheet, 1),
    Form(ID_RETURN_DEFECT_OUT, FormKind::ReturnSheet, 2),
    Form(ID_RETURN_GOOD_OUT, FormKind::ReturnSheet, 3),
    Form(ID_RETURN_GOOD_IN, FormKind::ReturnSheet, 5),
    Form(ID_RETURN_PURCHASE, FormKind::ReturnSheet, 6),

    // Code tables
    Form(ID_CODE_SERVICE_ITEMS, FormKind::CodeTableSheet, 1),
    Form(ID_CODE_LABOUR, FormKind::CodeTableSheet, 2),
    Form(ID_CODE_LINKED_ITEMS, FormKind::CodeTableSheet, 3),
    Form(ID_CODE_PARTS_CATALOGUE, FormKind::CodeTableSheet, 4),
    Form(ID_CODE_ALERT_LEVELS, FormKind::CodeTableSheet, 5),
    Form(ID_CODE_STAFF, FormKind::CodeTableSheet, 6),
    Form(ID_CODE_MAINTENANCE_ITEMS, FormKind::CodeTableSheet, 7),
    Form(ID_CODE_NO_DISCOUNT, FormKind::CodeTableSheet, 8),
    Guarded(Form(ID_CODE_STORE, FormKind::CodeTableSheet, 9), 13, Refusal::Message),
    Form(ID_CODE_SHORT_CODES, FormKind::CodeTableSheet, 10),
    Form(ID_CODE_SAME_NAME_PARTS, FormKind::CodeTableSheet, 11),
    Form(ID_CODE_WARRANTY_PARTS, FormKind::WarrantyParts, 12),
    Form(ID_CODE_PICTURES, FormKind::CodeTableSheet, 13),
    Form(ID_CODE_PRICES, FormKind::CodeTableSheet, 14),
    Form(ID_CODE_PART_SOURCES, FormKind::CodeTableSheet, 15),
    Form(ID_CODE_ASSEMBLIES, FormKind::CodeTableSheet, 16),
    Form(ID_CODE_PURCHASES, FormKind::CodeTableSheet, 17),

    // Records and archives
    ClearingShared(Guarded(Form(ID_REPAIR_ARCHIVE, FormKind::RepairArchive), 6, Refusal::Silent)),
    ClearingShared(Guarded(Form(ID_SALES_ARCHIVE, FormKind::SalesArchive), 15, Refusal::Silent)),
    ClearingShared(Form(ID_CUSTOMER_RECORDS, FormKind::CustomerRecords)),
    Form(ID_MEMBER_CARDS, FormKind::MemberCards),
    Form(ID_FOLLOW_UP, FormKind::FollowUp),
    Form(ID_BRAND_REPORT, FormKind::BrandReport),
    Form(ID_PARTNER_CUSTOMERS, FormKind::Partners, 1),
    Form(ID_PARTNER_SUPPLIERS, FormKind::Partners, 0),
    ClearingShared(Form(ID_PARTNER_LEDGER, FormKind::PartnerLedger)),
    Form(ID_CASH_JOURNAL, FormKind::CashJournal, 1),
    Form(ID_FIXED_ASSETS, FormKind::CashJournal, 2),

    // Queries and statistics
    Form(ID_QUERY_MAINTENANCE, FormKind::QueryResult, 0, "保养到期表"),
    Form(ID_QUERY_INSPECTION, FormKind::QueryResult, 0, "年审车辆"),
    Form(ID_QUERY_BIRTHDAY, FormKind::QueryResult, 0, "生日客户"),
    Form(ID_QUERY_SHORTAGE, FormKind::QueryResult, 0, "零件缺货"),
    Form(ID_QUERY_SURPLUS, FormKind::QueryResult, 0, "零件溢出"),
    Form(ID_CUSTOMER_ALERT, FormKind::CustomerAlert),
    Form(ID_STAT_PURCHASES, FormKind::Statistics, 1),
    Form(ID_STAT_SALES, FormKind::Statistics, 2),
    Form(ID_STAT_REPAIRS, FormKind::Statistics, 3),
    Form(ID_STAT_MEMBERS, FormKind::Statistics, 4),
    Form(ID_STAT_DEBTS, FormKind::Statistics, 5),
    Form(ID_STAT_STAFF, FormKind::Statistics, 6),
    Form(ID_STAT_SALES_COUNT, FormKind::Statistics, 7),
    Form(ID_STAT_STOCK_COUNT, FormKind::Statistics, 8),
    Form(ID_STAT_BUSINESS, FormKind::Statistics, 9),
    Form(ID_STAT_PROFIT, FormKind::Statistics, 10),
    Form(ID_STAT_COMMISSION, FormKind::Statistics, 11),
    Form(ID_STAT_ORDERS, FormKind::Statistics, 13),
    Form(ID_FLOW_ANALYSIS, FormKind::FlowAnalysis),
    Form(ID_TRANSFER_RECORDS, FormKind::TransferRecords, 0),
    Form(ID_RETURNED_OUT_RECORDS, FormKind::TransferRecords, 1),
    Form(ID_SPLIT_ASSEMBLE, FormKind::SplitAssemble),

    // Tools
    Form(ID_REPORT_SETUP, FormKind::ReportSetup),
    Form(ID_GRID_SETUP, FormKind::GridSetup),
    Form(ID_DATA_IMPORT, FormKind::DataImport),
    Form(ID_DATA_EXPORT, FormKind::DataExport),
    Form(ID_DATA_TIDY, FormKind::DataTidy),
    Frame(ID_DATA_BACKUP, FrameAction::Backup),
    Frame(ID_DATA_RESTORE, FrameAction::Restore),
    Frame(ID_SWITCH_ACCOUNT_SET, FrameAction::SwitchAccountSet),
    Token(Frame(ID_EXPORT_EXCEL_TOOL, FrameAction::ExportExcel), 56),
    Token(Frame(ID_EXPORT_EXCEL, FrameAction::ExportExcel), 56),
    Form(ID_LOGIN, FormKind::Login, 0),
    Form(ID_CHANGE_PASSWORD, FormKind::Login, 1),
    Form(ID_SETTINGS, FormKind::SettingsSheet),
    Form(ID_OPERATING_TIPS, FormKind::TipOfTheDay),
    Form(ID_TIP_OF_THE_DAY, FormKind::TipOfTheDay),
    Form(ID_APP_ABOUT, FormKind::About),
    Frame(ID_HELP_TOPICS, FrameAction::HelpTopics),
    Frame(ID_HELP_F1, FrameAction::HelpTopics),

    // The frame's own work
    Frame(ID_FILE_NEW, FrameAction::FileNew),
    Frame(ID_FILE_OPEN, FrameAction::FileOpen),
    Frame(ID_FILE_SAVE, FrameAction::FileSave),
    Frame(ID_FILE_SAVE_AS, FrameAction::FileSave),
    Frame(ID_FILE_PRINT_SETUP, FrameAction::PrintSetup),
    Frame(ID_FILE_PRINT, FrameAction::Print),
    Frame(ID_FILE_PRINT_MENU, FrameAction::Print),
    Frame(ID_FILE_PRINT_PREVIEW, FrameAction::PrintPreview),
    Frame(ID_EDIT_UNDO, FrameAction::EditUndo),
    Frame(ID_EDIT_CUT, FrameAction::EditCut),
    Frame(ID_EDIT_COPY, FrameAction::EditCopy),
    Frame(ID_EDIT_PASTE, FrameAction::EditPaste),
    Frame(ID_APP_EXIT, FrameAction::Exit),
    Frame(ID_CONTEXT_HELP, FrameAction::ContextHelp),
    Frame(ID_VIEW_TOOLBAR, FrameAction::ToggleToolbar),
    Frame(ID_VIEW_STATUS_BAR, FrameAction::ToggleStatusBar),
    Frame(ID_QUERY_TOOLBAR, FrameAction::ToggleQueryBar),
    Frame(ID_LARGE_ICONS, FrameAction::LargeIcons),
    Frame(ID_SMALL_ICONS, FrameAction::SmallIcons),
    Frame(ID_QUICK_INTERFACE, FrameAction::QuickInterface),
    Frame(ID_TOGGLE_UPPER_PANE, FrameAction::ToggleUpperPane),
    Frame(ID_SHOW_BACKGROUND, FrameAction::ShowBackground),
    Frame(ID_BACKGROUND, FrameAction::Background),
    Frame(ID_BROWSE_PICTURE, FrameAction::BrowsePicture),
    Frame(ID_NEXT_PANE, FrameAction::NextPane),
    Frame(ID_PREV_PANE, FrameAction::PreviousPane),

    Kind(ID_EMPTY_1, CommandKind::Nothing),
    Kind(ID_EMPTY_2, CommandKind::Nothing),
    Kind(ID_WARRANTY_BRAND_FIRST, CommandKind::Disabled),
    Kind(ID_WARRANTY_BRAND_FIRST + 1, CommandKind::Disabled),
    Kind(ID_WARRANTY_BRAND_FIRST + 2, CommandKind::Disabled),
    Kind(ID_WARRANTY_BRAND_FIRST + 3, CommandKind::Disabled),
    Kind(ID_WARRANTY_BRAND_FIRST + 4, CommandKind::Disabled),
    Kind(ID_WARRANTY_BRAND_LAST, CommandKind::Disabled),
    Kind(ID_WARRANTY_BRAND_SEVENTH, CommandKind::Disabled),
    Kind(ID_PARTS_RESERVATION, CommandKind::Disabled),
    Kind(ID_QUERY_APPOINTMENT, CommandKind::Disabled),
};

// Folder 0 "维修管理" and folder 1 "配件管理", items in display order.
const OutBarCommand kOutBarCommands[2][6] = {
    {{ID_REPAIR_SHEET, 0},
     {ID_CUSTOMER_RECORDS, 7},
     {ID_REPAIR_ARCHIVE, 6},
     {ID_MEMBER_CARDS, 5},
     {ID_FOLLOW_UP, 9},
     {ID_CODE_WARRANTY_PARTS, 31}},
    {{ID_SALES_SHEET, 0},
     {ID_ORDER_SHEET, 11},
     {ID_STOCK_IN, 12},
     {ID_CODE_STORE, 0},
     {ID_SALES_ARCHIVE, 15},
     {ID_PARTNER_CUSTOMERS, 16}},
};

} // namespace

const CommandEntry* FindCommand(int id) {
    for (const CommandEntry& entry : kCommands)
        if (entry.id == id) return &entry;
    return nullptr;
}

const CommandEntry* CommandEntries(std::size_t* count) {
    *count = std::size(kCommands);
    return kCommands;
}

const OutBarCommand* FindOutBarCommand(int folder, int index) {
    if (folder < 0 || folder > 1 || index < 0 || index > 5) return nullptr;
    return &kOutBarCommands[folder][index];
}

const char* ReturnKindText(int kind) {
    switch (kind) {
    case 2:
        return "TC";
    case 3:
        return "ZC";
    case 5:
        return "TH";
    case 6:
        return "JT";
    default:
        return "";
    }
}
