#pragma once
// What every command of the main window does: one table from command ID to action,
// read by the frame's single dispatch point. The workshop, parts-trade and office
// forms are named by kind and opened through the openers their folders register
// with the frame.
#include <cstddef>

// The forms and sheets the frame opens but does not own.
enum class FormKind {
    RepairSheet, // mode unused
    SalesSheet,
    OrderSheet,     // mode 0 stock-in, 1 order, 2 transfer; lines waiting in COrderHandOver
    ReturnSheet,    // mode = return kind; the frame sets the hand-over text first
    CodeTableSheet, // mode 1..17
    WarrantyParts,  // the warranty parts sheet (the code tables' 退回记录)
    RepairArchive,  // archive dialog, repair kind; mode 1: the range "start,end" in the text
    SalesArchive,   // archive dialog, sales kind
    CustomerRecords,
    MemberCards,
    FollowUp,
    BrandReport,
    Partners, // mode 0 suppliers, 1 customers
    PartnerLedger,
    CashJournal, // mode 1 cash journal, 2 fixed assets
    QueryResult, // text = query name
    CustomerAlert,
    Statistics, // mode 1..13
    FlowAnalysis,
    TransferRecords, // mode 0 transfers, 1 returned-out records
    SplitAssemble,
    ReportSetup,
    GridSetup,
    DataImport,
    DataExport,
    DataTidy,
    Login, // mode 0 login, 1 password change
    SettingsSheet,
    TipOfTheDay,
    About,
    OpenDataFile, // text = path of the chosen file
    SaveGridAs,   // the current grid; text = the checked target path
    ExportGridToExcel,
    MaintenanceDue, // text = the plate; mode 1 shows the due items
    ReminderPanel,  // after the first login of a run, with the alerts the login counted
};

// Work the frame does itself.
enum class FrameAction {
    FileNew,
    FileOpen,
    FileSave,
    PrintSetup,
    Print,
    PrintPreview,
    ExportExcel,
    EditUndo,
    EditCut,
    EditCopy,
    EditPaste,
    Exit,
    ContextHelp,
    HelpTopics,
    ToggleToolbar,
    ToggleStatusBar,
    ToggleQueryBar,
    LargeIcons,
    SmallIcons,
    QuickInterface,
    ToggleUpperPane,
    ShowBackground,
    Background,
    Backup,
    Restore,
    SwitchAccountSet,
    BrowsePicture,
    NextPane,
    PreviousPane,
};

enum class CommandKind {
    Form,     // opens a form through its registered opener
    Frame,    // FrameAction
    Nothing,  // an empty handler: the item stays enabled and does nothing
    Disabled, // no handler: the item stays disabled
};

// How a failed rights check shows.
enum class Refusal { None, Message, Silent };

struct CommandEntry {
    int id;
    CommandKind kind;
    int target;            // FormKind or FrameAction
    int mode = 0;          // the number the opener sets before running the form
    const char* text = ""; // a text handed to the form (query name)
    int right = 0;         // numbered right checked first; 0 = none
    Refusal refusal = Refusal::None;
    int deniedToken = 0;      // direct token test; refused with "超出权限,无效操作!"
    bool clearShared = false; // the hand-over text is cleared before the form opens
};

// The entry of a command, or null when the frame does not handle it.
const CommandEntry* FindCommand(int id);

// Every entry, for binding them to the frame's dispatch.
const CommandEntry* CommandEntries(std::size_t* count);

// An outlook-bar click: the command of the item (folder 0 or 1, index 0 to 5) and the
// right the bar itself checks first (0 = the command checks its own).
struct OutBarCommand {
    int commandId;
    int right;
};
// The command of an outlook-bar item, or null for a folder or index without one.
const OutBarCommand* FindOutBarCommand(int folder, int index);

// The hand-over text of a return kind: "TC", "ZC", "TH", "JT", or empty.
const char* ReturnKindText(int kind);
