#pragma once
// The main window: toolbar, query bar, status bar, the outlook bar on the left, and
// on the right the upper pane (the view that hosts the main grid) over the lower
// pane (the picture view, parent of the work sheets). Every menu, toolbar,
// accelerator and outlook-bar command goes through ExecuteCommand and the command
// table; the workshop, parts-trade and office forms open through the openers
// their folders register. Its data share (shared connection, rights, hand-over
// text) is CMainFrameData.
#include "app/command_table.h"
#include "app/ledger_posting.h"
#include "app/qv_doc.h"
#include "data/main_frame_data.h"

#include <functional>
#include <wx/aui/framemanager.h>
#include <wx/cmndata.h>
#include <wx/filehistory.h>
#include <wx/frame.h>
#include <wx/imaglist.h>
#include <wx/timer.h>
#include <wx/weakref.h>

class CCatalogTree;
class CGfxOutBarCtrl;
class CQvView;
class CTextView;
class wxSplitterWindow;
class wxToolBar;

class CMainFrame : public wxFrame, public CMainFrameData {
public:
    // Opens a form the frame does not own: mode and text as the command table gives them.
    using FormOpener = std::function<void(CMainFrame& frame, int mode, const wxString& text)>;
    // Every folder registers its forms once at start-up; a kind without an opener
    // does nothing when its command comes. An empty opener removes the kind's one.
    static void RegisterForm(FormKind kind, FormOpener opener);
    // Whether a form of the kind is built (its opener registered).
    static bool HasForm(FormKind kind);
    // Whether a command does something: it is in the table, not one that stays
    // disabled, and its form is built. Menus, toolbars and the outlook bar show the
    // others disabled, so that no command fails silently.
    static bool IsCommandAvailable(int id);

    // The application's main window, or null while there is none.
    static CMainFrame* Get();

    CMainFrame();
    ~CMainFrame() override;

    // The one dispatch point of the frame's commands: rights check, then the action.
    void ExecuteCommand(int id);
    void OpenForm(FormKind kind, int mode, const wxString& text = wxString());
    // A direct token test: whether the rights string lists the token (a right's
    // number plus 10) as denied. Nothing is denied before a login.
    bool IsTokenDenied(int token) const;
    // An outlook-bar notification: code 1 runs the clicked item's command. Returns
    // whether the bar may go on: items may be moved.
    bool OnOutBarNotify(int code, long value);

    // Called by the lower pane after its first paint: the login (command 32876).
    void ShowLogin();
    // Replaces the menu by a menu resource (the login loads the full menu).
    void LoadMenuResource(int menuId);
    // Enables both toolbars; the login calls it.
    bool ShowToolbars();
    // Rebuilds the top level of the catalogue tree (after login and after data changes).
    void FillCatalogTree();
    // Appends "Note: <text>" to the program's trace log: a normal step worth tracing,
    // never an error, and without the build's source paths.
    static void LogNote(const wxString& text);
    // Appends "Error: <text>" to the program's trace log, for a failure.
    static void LogError(const wxString& text);

    // Pane layout.
    void ShowFullView();
    void RelayoutPanes();
    void ShowUpperPane();
    bool IsOutlookShown() const;
    bool IsUpperPaneShown() const;
    // Puts the active work sheet over the whole lower pane, its tabs and border inside.
    void PlaceActiveSheet();
    // Takes the main grid and its rows off the upper pane and collapses it: another
    // login may bring another account set, whose rows the old grid does not show.
    void ClearUpperPane();
    // Puts a file opened through 文件 › 打开 first among the recent files: four kept in
    // the profile and listed on the 文件 menu before 退出.
    void AddRecentFile(const wxString& path);

    // --- Work sheets (main_frame_sheets.cpp): one slot per kind, each owning its sheet,
    // a child of the lower pane; at most one sheet is shown, the active one.
    enum class SheetKind { Sales, Repair, CodeTable, Order, Return, Warranty, Count };
    wxWindow* GetSheetPane() const;
    wxWindow* GetSheet(SheetKind kind) const { return m_pSheets[int(kind)]; }
    // A new sheet of its kind: the shown sheet is hidden, the old sheet of the kind
    // destroyed, and the new one becomes the slot's and the active sheet, placed over
    // the lower pane and shown.
    void InstallSheet(SheetKind kind, wxWindow* sheet);
    // Destroys the sheet of the kind, clears its slot and shows the next open sheet.
    void CloseSheet(SheetKind kind);
    // Destroys every sheet (a new login); no sheet is active afterwards.
    void CloseAllSheets();
    // Makes the first open sheet (sales, repair, code tables, orders, returns,
    // warranty parts) the active one and shows it; none when every slot is empty.
    void ActivateNextSheet();
    // Opens a picture file in a window of its own, titled "图片".
    void ShowRecordPicture(const wxString& path);

    // The money postings of the business forms (PostPartnerEntry, PostCashEntry,
    // GetPartnerBalance) on the frame's own data set.
    CLedgerPosting Ledger() { return CLedgerPosting(*this); }

    // The window's place and size and the pane sizes, kept in the profile between
    // runs: read when the window is made, written when it closes.
    void RestoreLayout();
    void SaveLayout();
    void KeepANormalSize();
    void ToggleBar(wxWindow* bar);
    // Whether an earlier run left the window's place; a first start is maximised.
    bool HasKeptPlace() const { return m_bPlaceKept; }
    // A window without a kept place, or kept maximised, starts maximised.
    bool StartsMaximized() const { return !m_bPlaceKept || m_bKeptMaximized; }

    CGfxOutBarCtrl* GetOutBar() const { return m_wndOutBar; }
    CCatalogTree* GetCatalogTree() const { return m_wndTree; }
    CTextView* GetTextView() const { return m_pTextView; }
    CQvView* GetView() const { return m_pView; }
    wxToolBar* GetQueryBar() const { return m_wndQueryBar; }
    // "标准工具栏"; it and the query bar dock on any side or float.
    wxToolBar* GetMainToolBar() const { return m_wndToolBar; }
    wxAuiManager& GetBarManager() { return m_barManager; }
    CQvDoc& GetDocument() { return m_doc; }

    // Hand-over state between commands, pages and dialogs.
    wxWindow* m_pActiveSheet = nullptr; // the work sheet shown in the lower pane
    bool m_bStarted = false;            // a login of this run finished the start-up
    wxWeakRef<wxWindow> m_hPickTarget;  // receiver of the item pick list's notices
    bool m_bRecordSaved = false;        // a record dialog saved since its opener cleared it
    wxPrintData m_printData;            // the printer setting of all printing

    // The pane sizes of a first start; later runs take the sizes the operator left.
    static constexpr int kOutlookWidth = 100;
    static constexpr int kUpperPaneHeight = 112;
    static constexpr int kRecentFiles = 4;

private:
    void CreateToolBars();
    void CreateStatusBarPanes();
    void CreateClient();
    void CreateOutBar();
    // Widens the outlook pane to the catalogue's labels while no width was kept.
    void FitOutlookToTree();

    void OnCommand(wxCommandEvent& event);
    void OnUpdateCommand(wxUpdateUIEvent& event);
    void OnOutBarEvent(wxNotifyEvent& event);
    void OnIndicatorTimer(wxTimerEvent& event);
    // The end of the run (shutdown.h), once, before the window goes.
    void OnClose(wxCloseEvent& event);
    void RunFrameAction(FrameAction action);
    void EditFocused(FrameAction action);
    void SwitchPictureOff();
    void SetOutlookWidth(int width);
    // F6 and Shift+F6: the focus to the next or previous of the shown panes.
    void MoveToPane(bool forward);
    void ShowRecentFiles();
    void OnRecentFile(wxCommandEvent& event);
    void SetUpperPaneHeight(int height);
    void FileOpen();
    void PrintSetup();
    void Print(bool preview);
    void ExportExcel();

    wxToolBar* m_wndToolBar = nullptr;
    wxToolBar* m_wndQueryBar = nullptr;
    wxSplitterWindow* m_wndSplitter = nullptr;
    wxSplitterWindow* m_wndRightSplitter = nullptr;
    CGfxOutBarCtrl* m_wndOutBar = nullptr;
    CCatalogTree* m_wndTree = nullptr;
    CQvView* m_pView = nullptr;
    CTextView* m_pTextView = nullptr;
    wxImageList m_imgLarge;
    wxImageList m_imgSmall;
    wxTimer m_indicatorTimer;
    wxFileHistory m_recentFiles{kRecentFiles};
    CQvDoc m_doc;
    bool m_bShutDown = false;
    int m_nOutlookWidth = kOutlookWidth;
    int m_nUpperPaneHeight = kUpperPaneHeight;
    wxAuiManager m_barManager;
    wxString m_strBarLayout; // where the bars stood, as the bar manager keeps it
    bool m_bPlaceKept = false;
    bool m_bKeptMaximized = false;
    bool m_bWasMaximized = false;
    bool m_bOutlookWidthKept = false; // the operator's width, from this run or the profile
    wxWindow* m_pSheets[int(SheetKind::Count)] = {};
};
