#include "app/main_frame.h"

#include "app/app_profile.h"
#include "app/background_dlg.h"
#include "app/catalog_tree.h"
#include "app/outbar_ctrl.h"
#include "app/query_toolbar.h"
#include "app/qv_app.h"
#include "app/qv_view.h"
#include "app/shutdown.h"
#include "app/shutdown_request.h"
#include "app/text_view.h"
#include "app/tool_tips.h"
#include "data/data_file_open.h"
#include "grid/grid_ctrl.h"
#include "grid/lookup_pane.h"
#include "grid/print_seam.h"
#include "platform/files.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/command_ids.h"
#include "res/menus.h"
#include "res/string_table.h"
#include "res/toolbar_images.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <map>
#include <vector>
#include <wx/app.h>
#include <wx/aui/framemanager.h>
#include <wx/cshelp.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/printdlg.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/splitter.h>
#include <wx/statusbr.h>
#include <wx/textentry.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

namespace {

constexpr int kCatalogTreeId = 1010;
constexpr int kIndicatorPeriodMs = 500;
constexpr int kPaneTopMargin = 8;

std::map<FormKind, CMainFrame::FormOpener>& Openers() {
    static std::map<FormKind, CMainFrame::FormOpener> openers;
    return openers;
}

// The upper pane as the data store's lookup grid finds it: the frame's view, shown
// and laid out, which the grid fills as child 28909.
class FrameLookupPane : public CLookupPane {
public:
    wxWindow* ShowUpperPane() override {
        if (!m_pFrame) return nullptr;
        m_pFrame->RelayoutPanes();
        m_pFrame->ShowUpperPane();
        return m_pFrame->GetView();
    }
    CMainFrame* m_pFrame = nullptr;
};
FrameLookupPane g_lookupPane;

} // namespace

void CMainFrame::RegisterForm(FormKind kind, FormOpener opener) {
    if (opener)
        Openers()[kind] = std::move(opener);
    else
        Openers().erase(kind);
}

bool CMainFrame::HasForm(FormKind kind) {
    return Openers().count(kind) > 0;
}

bool CMainFrame::IsCommandAvailable(int id) {
    const CommandEntry* entry = FindCommand(id);
    if (!entry || entry->kind == CommandKind::Disabled) return false;
    return entry->kind != CommandKind::Form || HasForm(FormKind(entry->target));
}

CMainFrame* CMainFrame::Get() {
    return wxTheApp ? dynamic_cast<CMainFrame*>(wxTheApp->GetTopWindow()) : nullptr;
}

namespace {
// The window's size when no earlier run left one and it is not maximised.
const wxSize kNormalSize(1024, 720);
} // namespace

CMainFrame::CMainFrame()
    : wxFrame(nullptr, wxID_ANY, wxEmptyString, wxDefaultPosition, kNormalSize),
      m_imgLarge(32, 32, true), m_imgSmall(16, 16, true) {
    CreateToolBars();
    CreateStatusBarPanes();
    RestoreLayout();
    CreateClient();

    // Before login: the small menu and both toolbars disabled.
    LoadMenuResource(IDR_LOGIN_MENU);
    m_wndToolBar->Enable(false);
    m_wndQueryBar->Enable(false);

    wxAcceleratorEntry keys[] = {
        {wxACCEL_CTRL, 'P', WxCommandId(ID_FILE_PRINT)},
        {wxACCEL_NORMAL, WXK_F1, WxCommandId(ID_HELP_F1)},
        {wxACCEL_SHIFT, WXK_F1, WxCommandId(ID_CONTEXT_HELP)},
        // The older edit keys beside Ctrl+Z/X/C/V.
        {wxACCEL_ALT, WXK_BACK, WxCommandId(ID_EDIT_UNDO)},
        {wxACCEL_SHIFT, WXK_DELETE, WxCommandId(ID_EDIT_CUT)},
        {wxACCEL_CTRL, WXK_INSERT, WxCommandId(ID_EDIT_COPY)},
        {wxACCEL_SHIFT, WXK_INSERT, WxCommandId(ID_EDIT_PASTE)},
        {wxACCEL_NORMAL, WXK_F6, WxCommandId(ID_NEXT_PANE)},
        {wxACCEL_SHIFT, WXK_F6, WxCommandId(ID_PREV_PANE)},
    };
    SetAcceleratorTable(wxAcceleratorTable(int(std::size(keys)), keys));

    std::size_t count;
    const CommandEntry* entries = CommandEntries(&count);
    for (std::size_t i = 0; i < count; ++i) {
        Bind(wxEVT_MENU, &CMainFrame::OnCommand, this, WxCommandId(entries[i].id));
        Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateCommand, this, WxCommandId(entries[i].id));
    }
    Bind(EVT_OUTBAR_NOTIFY, &CMainFrame::OnOutBarEvent, this);
    Bind(wxEVT_MENU, &CMainFrame::OnRecentFile, this, WxCommandId(ID_FILE_MRU_FIRST),
         WxCommandId(ID_FILE_MRU_FIRST) + kRecentFiles - 1);
    if (auto profile = OpenAppProfile()) {
        profile->SetPath("/Recent File List");
        m_recentFiles.Load(*profile);
    }
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
        event.Skip();
        // The state may follow the size: looked at once both are in.
        CallAfter(&CMainFrame::KeepANormalSize);
    });
    m_indicatorTimer.SetOwner(this);
    Bind(wxEVT_TIMER, &CMainFrame::OnIndicatorTimer, this);
    m_indicatorTimer.Start(kIndicatorPeriodMs);
    g_lookupPane.m_pFrame = this;
    SetGridPrinterSettings(&m_printData);
    CLookupPane::Install(&g_lookupPane);
}

CMainFrame::~CMainFrame() {
    m_indicatorTimer.Stop();
    m_barManager.UnInit();
    if (g_lookupPane.m_pFrame == this) g_lookupPane.m_pFrame = nullptr;
    if (&GridPrinterSettings() == &m_printData) SetGridPrinterSettings(nullptr);
    // The outlook bar and the tree keep pointers to the image lists, which die with
    // the frame before its children do.
    if (m_wndTree) m_wndTree->SetImageList(nullptr);
    if (m_wndOutBar) {
        m_wndOutBar->SetImageList(nullptr, CGfxOutBarCtrl::fLargeList);
        m_wndOutBar->SetImageList(nullptr, CGfxOutBarCtrl::fSmallList);
    }
}

void CMainFrame::OnClose(wxCloseEvent& event) {
    if (!m_bShutDown) {
        m_bShutDown = true;
        SaveLayout();
        CShutdown::Run(*this);
    }
    // Windows of their own (a picture window) go too, so the program ends with the
    // main window.
    for (wxWindow* window : wxTopLevelWindows)
        if (window != this && !window->GetParent()) window->Destroy();
    event.Skip(); // the window goes, and with the last window the program ends
}

// ---- windows -----------------------------------------------------------------------

void CMainFrame::CreateToolBars() {
    m_wndToolBar = new wxToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                 wxTB_HORIZONTAL | wxTB_FLAT | wxTB_NODIVIDER);
    m_wndToolBar->SetLabel(U("标准工具栏"));
    const int tools[] = {ID_REPAIR_SHEET_TOOL,
                         ID_SALES_SHEET_TOOL,
                         0,
                         ID_FILE_PRINT_MENU,
                         ID_FILE_PRINT_PREVIEW,
                         ID_EXPORT_EXCEL_TOOL,
                         0,
                         ID_QUICK_INTERFACE,
                         ID_TOGGLE_UPPER_PANE,
                         0,
                         ID_CONTEXT_HELP};
    for (int id : tools) {
        if (id == 0) {
            m_wndToolBar->AddSeparator();
            continue;
        }
        wxString text = res::LoadResString(id);
        m_wndToolBar->AddTool(WxCommandId(id), res::ToolTipOf(id), res::LoadToolbarImage(id),
                              res::ToolTipOf(id), wxITEM_NORMAL);
        m_wndToolBar->SetToolLongHelp(WxCommandId(id), text.BeforeFirst('\n'));
    }
    m_wndToolBar->Realize();

    m_wndQueryBar = new CMainToolBar(this);
    // A floating bar lies in a window of its own, where its commands would stop:
    // the frame takes them from the bar itself.
    std::size_t count;
    const CommandEntry* entries = CommandEntries(&count);
    for (std::size_t i = 0; i < count; ++i) {
        m_wndToolBar->Bind(wxEVT_MENU, &CMainFrame::OnCommand, this, WxCommandId(entries[i].id));
        m_wndToolBar->Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateCommand, this,
                           WxCommandId(entries[i].id));
    }
    RestTipsAfterUse(m_wndToolBar);
}

void CMainFrame::CreateStatusBarPanes() {
    wxStatusBar* bar = CreateStatusBar(4);
    wxClientDC dc(bar);
    dc.SetFont(bar->GetFont());
    int indicator = dc.GetTextExtent("SCRLW").x;
    const int widths[] = {-1, indicator, indicator, indicator};
    bar->SetStatusWidths(4, widths);
    bar->SetStatusText(res::LoadResString(IDS_IDLE_MESSAGE), 0);
    SetStatusBarPane(0);
}

void CMainFrame::CreateClient() {
    auto* client = new wxPanel(this);
    m_wndSplitter = new wxSplitterWindow(client, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                         wxSP_LIVE_UPDATE | wxSP_3DSASH);
    m_wndSplitter->SetMinimumPaneSize(1);
    m_wndRightSplitter = new wxSplitterWindow(m_wndSplitter, wxID_ANY, wxDefaultPosition,
                                              wxDefaultSize, wxSP_LIVE_UPDATE | wxSP_3DSASH);
    m_wndRightSplitter->SetMinimumPaneSize(1);
    m_pView = new CQvView(m_wndRightSplitter);
    m_pTextView = new CTextView(m_wndRightSplitter);
    // The upper pane starts collapsed; the lower pane takes the whole height.
    m_pView->Hide();
    m_wndRightSplitter->Initialize(m_pTextView);

    CreateOutBar();
    m_wndSplitter->SplitVertically(m_wndOutBar, m_wndRightSplitter, m_nOutlookWidth);
    // Only the operator's drags report a changed sash; those sizes are kept.
    m_wndSplitter->Bind(wxEVT_SPLITTER_SASH_POS_CHANGED, [this](wxSplitterEvent& event) {
        event.Skip();
        m_nOutlookWidth = event.GetSashPosition();
        m_bOutlookWidthKept = true;
    });
    m_wndRightSplitter->Bind(wxEVT_SPLITTER_SASH_POS_CHANGED, [this](wxSplitterEvent& event) {
        event.Skip();
        m_nUpperPaneHeight = event.GetSashPosition();
    });

    // A band over the panes, closed by an etched line, sets them off the bars.
    auto* band = new wxWindow(client, wxID_ANY, wxDefaultPosition, wxSize(-1, kPaneTopMargin));
    band->Bind(wxEVT_PAINT, [band](wxPaintEvent&) {
        wxPaintDC dc(band);
        int width = band->GetClientSize().x;
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
        dc.DrawLine(0, 0, width, 0);
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)));
        dc.DrawLine(0, 1, width, 1);
    });

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(band, 0, wxEXPAND);
    sizer->Add(m_wndSplitter, 1, wxEXPAND);
    client->SetSizer(sizer);

    m_barManager.SetManagedWindow(this);
    m_barManager.AddPane(
        m_wndToolBar,
        wxAuiPaneInfo().Name("standard").Caption(U("标准工具栏")).ToolbarPane().Top().Row(0));
    m_barManager.AddPane(
        m_wndQueryBar,
        wxAuiPaneInfo().Name("query").Caption(U("查询工具栏")).ToolbarPane().Top().Row(1));
    m_barManager.AddPane(client, wxAuiPaneInfo().Name("panes").CenterPane());
    if (!m_strBarLayout.empty()) m_barManager.LoadPerspective(m_strBarLayout, false);
    m_barManager.Update();
}

void CMainFrame::ToggleBar(wxWindow* bar) {
    wxAuiPaneInfo& pane = m_barManager.GetPane(bar);
    pane.Show(!pane.IsShown());
    m_barManager.Update();
}

void CMainFrame::CreateOutBar() {
    for (const wxBitmap& image : res::LoadOutBarImages(IDB_OUTBAR_LARGE))
        m_imgLarge.Add(image);
    for (const wxBitmap& image : res::LoadOutBarImages(IDB_OUTBAR_SMALL))
        m_imgSmall.Add(image);

    m_wndOutBar = new CGfxOutBarCtrl;
    m_wndOutBar->Create(m_wndSplitter, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0x1FC);
    m_wndOutBar->SetOwner(this);
    m_wndOutBar->SetImageList(&m_imgLarge, CGfxOutBarCtrl::fLargeList);
    m_wndOutBar->SetImageList(&m_imgSmall, CGfxOutBarCtrl::fSmallList);
    m_wndOutBar->SetAnimationDelay(20);
    m_wndOutBar->SetAnimSelHighlight(200);
    m_wndOutBar->SetItemEnabledTest([](int folder, int index) {
        const OutBarCommand* command = FindOutBarCommand(folder, index);
        return command && IsCommandAvailable(command->commandId);
    });

    // The catalogue tree fills the third folder; its contents come after login.
    m_wndTree = new CCatalogTree(m_wndOutBar, kCatalogTreeId, *this);
    m_wndTree->SetImageList(&m_imgSmall);

    struct ItemDef {
        const char* label;
        int image;
    };
    const ItemDef repair[] = {{"维修作业", 0}, {"顾客资料", 1}, {"维修档案", 2},
                              {"会员资料", 3}, {"跟踪服务", 4}, {"三包统计", 10}};
    const ItemDef parts[] = {{"零件售货", 8}, {"零件定货", 5}, {"零件入库", 7},
                             {"仓库管理", 9}, {"售货档案", 2}, {"客户资料", 1}};
    int folder = m_wndOutBar->AddFolder(U("维修管理"), 0);
    for (const ItemDef& item : repair)
        m_wndOutBar->InsertItem(folder, -1, U(item.label), item.image, 0);
    folder = m_wndOutBar->AddFolder(U("配件管理"), 1);
    for (const ItemDef& item : parts)
        m_wndOutBar->InsertItem(folder, -1, U(item.label), item.image, 0);
    m_wndOutBar->AddFolderBar(U("项目资料"), m_wndTree, 2);
    m_wndOutBar->SetSelFolder(2);
}

void CMainFrame::LoadMenuResource(int menuId) {
    wxMenuBar* old = GetMenuBar();
    SetMenuBar(nullptr);
    delete old;
    SetMenuBar(res::LoadMenuBar(menuId));
    if (menuId == IDR_MAINFRAME) ShowRecentFiles();
}

void CMainFrame::ShowRecentFiles() {
    wxMenuBar* bar = GetMenuBar();
    const int top = bar ? bar->FindMenu(U("文件(&F)")) : wxNOT_FOUND;
    if (top == wxNOT_FOUND) return;
    wxMenu* file = bar->GetMenu(top);
    for (int i = 0; i < kRecentFiles; ++i)
        if (wxMenuItem* old = file->FindChildItem(WxCommandId(ID_FILE_MRU_FIRST) + i))
            file->Destroy(old);
    const size_t count = m_recentFiles.GetCount();
    if (count == 0) return;
    // Before the separator over 退出, as the class library placed them.
    size_t at = file->GetMenuItemCount();
    while (at > 0 && !file->FindItemByPosition(at - 1)->IsSeparator())
        --at;
    if (at == 0) return;
    --at;
    file->InsertSeparator(at);
    for (size_t i = 0; i < count; ++i)
        file->Insert(at + i, WxCommandId(ID_FILE_MRU_FIRST) + int(i),
                     wxString::Format("&%zu %s", i + 1, m_recentFiles.GetHistoryFile(i)));
}

void CMainFrame::AddRecentFile(const wxString& path) {
    m_recentFiles.AddFileToHistory(path);
    if (auto profile = OpenAppProfile()) {
        profile->SetPath("/Recent File List");
        m_recentFiles.Save(*profile);
    }
    ShowRecentFiles();
}

void CMainFrame::OnRecentFile(wxCommandEvent& event) {
    const size_t index = size_t(event.GetId() - WxCommandId(ID_FILE_MRU_FIRST));
    if (index >= m_recentFiles.GetCount()) return;
    const wxString path = m_recentFiles.GetHistoryFile(index);
    if (!platform::FileExists(path.utf8_string())) {
        platform::ShowMessageBox(("文件 " + path + " 已不存在，从最近文件中去掉。").utf8_string());
        m_recentFiles.RemoveFileFromHistory(index);
        if (auto profile = OpenAppProfile()) {
            profile->SetPath("/Recent File List");
            m_recentFiles.Save(*profile);
        }
        ShowRecentFiles();
        return;
    }
    AddRecentFile(path);
    OpenForm(FormKind::OpenDataFile, 0, path);
}

bool CMainFrame::ShowToolbars() {
    m_wndToolBar->Enable(true);
    m_wndQueryBar->Enable(true);
    return true;
}

void CMainFrame::FillCatalogTree() {
    m_wndTree->FillTopLevel();
    FitOutlookToTree();
}

void CMainFrame::FitOutlookToTree() {
    if (m_bOutlookWidthKept || !IsOutlookShown()) return;
    int widest = 0;
    wxTreeItemIdValue cookie;
    const wxTreeItemId root = m_wndTree->GetRootItem();
    if (!root.IsOk()) return;
    for (wxTreeItemId item = m_wndTree->GetFirstChild(root, cookie); item.IsOk();
         item = m_wndTree->GetNextChild(root, cookie))
        widest = std::max(widest, m_wndTree->GetTextExtent(m_wndTree->GetItemText(item)).x);
    // Indent, picture, the expander and the scroll bar beside the label; a third of
    // the window at most, so the panes keep their room.
    const int needed = widest + int(m_wndTree->GetIndent()) + 16 + 48;
    const int width = std::min(needed, GetClientSize().x / 3);
    if (width <= m_nOutlookWidth) return;
    m_nOutlookWidth = width;
    SetOutlookWidth(width);
}

namespace {
const char kWindowSection[] = "/Window";
} // namespace

void CMainFrame::RestoreLayout() {
    auto profile = OpenAppProfile();
    if (!profile) return;
    profile->SetPath(kWindowSection);
    long x = 0, y = 0, width = 0, height = 0;
    if (profile->Read("Left", &x) && profile->Read("Top", &y) && profile->Read("Width", &width) &&
        profile->Read("Height", &height) && width >= 200 && height >= 150) {
        // A place on a screen that is gone is left to the desktop.
        if (wxDisplay::GetFromPoint(wxPoint(int(x), int(y))) != wxNOT_FOUND)
            SetSize(int(x), int(y), int(width), int(height));
        else
            SetSize(int(width), int(height));
        m_bPlaceKept = true;
    }
    // Maximised when shown, not here: a window maximised before its panes exist
    // would keep the size of its bars as its normal size.
    m_bKeptMaximized = profile->ReadBool("Maximized", false);
    long outlook = 0, upper = 0;
    if (profile->Read("OutlookWidth", &outlook) && outlook > 0) {
        m_nOutlookWidth = int(outlook);
        m_bOutlookWidthKept = true;
    }
    if (profile->Read("UpperPaneHeight", &upper) && upper > 0) m_nUpperPaneHeight = int(upper);
    profile->Read("Bars", &m_strBarLayout);
}

// Leaving maximised, the window manager may give back the size GTK asked for before
// the panes were laid out (a strip of bars); such a window gets a normal size.
void CMainFrame::KeepANormalSize() {
    const bool maximized = IsMaximized();
    const bool leftMaximized = m_bWasMaximized && !maximized && !IsIconized();
    m_bWasMaximized = maximized;
    if (!leftMaximized) return;
    const wxRect area = wxDisplay(this).GetClientArea();
    const wxSize size = GetSize();
    if (size.x >= area.width / 2 && size.y >= area.height / 2) return;
    SetSize(std::min(kNormalSize.x, area.width * 9 / 10),
            std::min(kNormalSize.y, area.height * 9 / 10));
    CentreOnScreen();
}

void CMainFrame::SaveLayout() {
    auto profile = OpenAppProfile();
    if (!profile) return;
    profile->SetPath(kWindowSection);
    // A maximised or minimised window keeps the place it had before.
    if (!IsMaximized() && !IsIconized()) {
        const wxRect rect = GetRect();
        profile->Write("Left", long(rect.x));
        profile->Write("Top", long(rect.y));
        profile->Write("Width", long(rect.width));
        profile->Write("Height", long(rect.height));
    }
    profile->Write("Maximized", IsMaximized());
    if (m_wndSplitter->IsSplit()) m_nOutlookWidth = m_wndSplitter->GetSashPosition();
    if (m_wndRightSplitter->IsSplit()) m_nUpperPaneHeight = m_wndRightSplitter->GetSashPosition();
    profile->Write("OutlookWidth", long(m_nOutlookWidth));
    profile->Write("UpperPaneHeight", long(m_nUpperPaneHeight));
    profile->Write("Bars", m_barManager.SavePerspective());
    profile->Flush();
}

void CMainFrame::LogNote(const wxString& text) {
    platform::AppendLog(("Note: " + text + "\n").utf8_string());
}

void CMainFrame::LogError(const wxString& text) {
    platform::AppendLog(("Error: " + text + "\n").utf8_string());
}

void CMainFrame::OnIndicatorTimer(wxTimerEvent&) {
    wxStatusBar* bar = GetStatusBar();
    if (!bar) return;
    bar->SetStatusText(wxGetKeyState(WXK_CAPITAL) ? "CAP" : "", 1);
    bar->SetStatusText(wxGetKeyState(WXK_NUMLOCK) ? "NUM" : "", 2);
    bar->SetStatusText(wxGetKeyState(WXK_SCROLL) ? "SCRL" : "", 3);
}

// ---- dispatch ----------------------------------------------------------------------

bool CMainFrame::IsTokenDenied(int token) const {
    return !m_strRights.empty() && !CheckRight(token - 10);
}

void CMainFrame::OnCommand(wxCommandEvent& event) {
    ExecuteCommand(CommandIdFromWx(event.GetId()));
}

void CMainFrame::ExecuteCommand(int id) {
    const CommandEntry* entry = FindCommand(id);
    if (!entry || entry->kind == CommandKind::Nothing || entry->kind == CommandKind::Disabled)
        return;
    if (entry->right != 0 && !CheckRight(entry->right)) {
        if (entry->refusal == Refusal::Message) platform::ShowMessageBox("权限不够,不能操作!");
        return;
    }
    if (entry->deniedToken != 0 && IsTokenDenied(entry->deniedToken)) {
        platform::ShowMessageBox("超出权限,无效操作!");
        return;
    }
    if (entry->clearShared) m_strShared.clear();
    if (entry->kind == CommandKind::Form)
        OpenForm(FormKind(entry->target), entry->mode, U(entry->text));
    else
        RunFrameAction(FrameAction(entry->target));
}

void CMainFrame::OpenForm(FormKind kind, int mode, const wxString& text) {
    // Once the program is asked to end, no form may start: it would hold the end up.
    if (CShutdownRequest::Asked()) return;
    if (kind == FormKind::ReturnSheet) m_strShared = U(ReturnKindText(mode));
    auto found = Openers().find(kind);
    if (found == Openers().end()) return;
    try {
        found->second(*this, mode, text);
    } catch (const std::exception& error) {
        // Forms report their own errors; this only keeps an escaped one from ending
        // the program.
        platform::ShowMessageBox(error.what(), "", platform::MB_ICONERROR);
    }
}

void CMainFrame::OnUpdateCommand(wxUpdateUIEvent& event) {
    const CommandEntry* entry = FindCommand(CommandIdFromWx(event.GetId()));
    if (!entry) return;
    if (!IsCommandAvailable(entry->id)) {
        event.Enable(false);
        return;
    }
    switch (entry->id) {
    case ID_LARGE_ICONS:
        event.Check(!m_wndOutBar->IsSmallIconView());
        break;
    case ID_SMALL_ICONS:
        event.Check(m_wndOutBar->IsSmallIconView());
        break;
    case ID_QUERY_TOOLBAR:
        event.Check(m_barManager.GetPane(m_wndQueryBar).IsShown());
        break;
    case ID_VIEW_TOOLBAR:
        event.Check(m_barManager.GetPane(m_wndToolBar).IsShown());
        break;
    case ID_VIEW_STATUS_BAR:
        event.Check(GetStatusBar() && GetStatusBar()->IsShown());
        break;
    default:
        break;
    }
}

void CMainFrame::OnOutBarEvent(wxNotifyEvent& event) {
    if (!OnOutBarNotify(event.GetInt(), event.GetExtraLong())) event.Veto();
}

bool CMainFrame::OnOutBarNotify(int code, long value) {
    if (code == CGfxOutBarCtrl::NM_ITEMMOVED) return true;
    if (code != CGfxOutBarCtrl::NM_ITEMCLICK) return false;
    const OutBarCommand* command = FindOutBarCommand(m_wndOutBar->GetSelFolder(), int(value));
    if (!command || !IsCommandAvailable(command->commandId)) return false;
    if (command->right != 0 && !CheckRight(command->right)) {
        platform::ShowMessageBox("权限不够,不能操作!");
        return false;
    }
    ExecuteCommand(command->commandId);
    return true;
}

void CMainFrame::ShowLogin() {
    auto* app = dynamic_cast<CQvApp*>(wxTheApp);
    // Start-up timing: the program ends as soon as the login is up.
    if (app && app->m_bExitAtLogin)
        CallAfter([] {
            std::fflush(nullptr);
            std::_Exit(0);
        });
    ExecuteCommand(ID_LOGIN);
}

void CMainFrame::RunFrameAction(FrameAction action) {
    switch (action) {
    case FrameAction::FileNew:
        // Print, preview, export and save must not reach a grid that left the screen.
        CGridCtrl::ForgetCurrentGrid();
        ShowFullView();
        break;
    case FrameAction::FileOpen:
        FileOpen();
        break;
    case FrameAction::FileSave:
        m_pView->OnFileSave();
        break;
    case FrameAction::PrintSetup:
        PrintSetup();
        break;
    case FrameAction::Print:
        Print(false);
        break;
    case FrameAction::PrintPreview:
        Print(true);
        break;
    case FrameAction::ExportExcel:
        ExportExcel();
        break;
    case FrameAction::EditUndo:
    case FrameAction::EditCut:
    case FrameAction::EditCopy:
    case FrameAction::EditPaste:
        EditFocused(action);
        break;
    case FrameAction::Exit:
        Close();
        break;
    case FrameAction::ContextHelp: {
        wxContextHelp help(this);
        break;
    }
    case FrameAction::HelpTopics:
        if (auto* app = dynamic_cast<CQvApp*>(wxTheApp)) app->ShowHelp(0);
        break;
    case FrameAction::ToggleToolbar:
        ToggleBar(m_wndToolBar);
        break;
    case FrameAction::ToggleStatusBar:
        GetStatusBar()->Show(!GetStatusBar()->IsShown());
        SendSizeEvent();
        break;
    case FrameAction::ToggleQueryBar:
        ToggleBar(m_wndQueryBar);
        break;
    case FrameAction::LargeIcons:
        m_wndOutBar->SetSmallIconView(false);
        break;
    case FrameAction::SmallIcons:
        m_wndOutBar->SetSmallIconView(true);
        break;
    case FrameAction::QuickInterface:
        SwitchPictureOff();
        if (IsOutlookShown()) {
            SetOutlookWidth(0);
        } else {
            SetOutlookWidth(m_nOutlookWidth);
            SetUpperPaneHeight(m_nUpperPaneHeight);
        }
        break;
    case FrameAction::ToggleUpperPane:
        SetUpperPaneHeight(IsUpperPaneShown() ? 0 : m_nUpperPaneHeight);
        break;
    case FrameAction::ShowBackground:
        m_pTextView->SetPictureMode(0);
        break;
    case FrameAction::Background: {
        CBackgroundDlg dialog(this, m_pTextView);
        dialog.ShowModal();
        break;
    }
    case FrameAction::Backup:
        BackupRestore(1);
        break;
    case FrameAction::Restore:
        BackupRestore(0);
        break;
    case FrameAction::SwitchAccountSet:
        OnSwitchAccountSet();
        break;
    case FrameAction::BrowsePicture:
        m_pTextView->BrowsePicture();
        break;
    case FrameAction::NextPane:
    case FrameAction::PreviousPane:
        MoveToPane(action == FrameAction::NextPane);
        break;
    }
}

// The edit commands act on the text box or the grid that has the focus (the
// accelerators of the menu would otherwise take Ctrl+C and the others away from it).
void CMainFrame::EditFocused(FrameAction action) {
    if (auto* grid = dynamic_cast<CGridCtrl*>(wxWindow::FindFocus())) {
        if (action == FrameAction::EditCut) grid->OnEditCut();
        if (action == FrameAction::EditCopy) grid->OnEditCopy();
        if (action == FrameAction::EditPaste) grid->OnEditPaste();
        return;
    }
    auto* entry = dynamic_cast<wxTextEntry*>(wxWindow::FindFocus());
    if (!entry) return;
    if (action == FrameAction::EditUndo) entry->Undo();
    if (action == FrameAction::EditCut) entry->Cut();
    if (action == FrameAction::EditCopy) entry->Copy();
    if (action == FrameAction::EditPaste) entry->Paste();
}

void CMainFrame::FileOpen() {
    wxFileDialog dialog(this, wxEmptyString, wxEmptyString, wxEmptyString, DataFileOpenFilter(),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return;
    AddRecentFile(dialog.GetPath());
    OpenForm(FormKind::OpenDataFile, 0, dialog.GetPath());
}

void CMainFrame::PrintSetup() {
    wxPageSetupDialogData data(m_printData);
    wxPageSetupDialog dialog(this, &data);
    if (dialog.ShowModal() == wxID_OK) m_printData = dialog.GetPageSetupData().GetPrintData();
}

// Prints the current grid. The view itself holds nothing printable, so a focus
// outside a grid prints nothing.
void CMainFrame::Print(bool preview) {
    CGridCtrl* grid = CGridCtrl::GetCurrentGrid();
    if (!wxWindow::FindFocus() || !grid) return;
    if (preview)
        grid->PrintPreview();
    else
        grid->Print();
}

void CMainFrame::ExportExcel() {
    if (!CGridCtrl::GetCurrentGrid()) {
        platform::ShowMessageBox("请先选取导出表格!");
        return;
    }
    OpenForm(FormKind::ExportGridToExcel, 0);
}

// ---- layout ------------------------------------------------------------------------

bool CMainFrame::IsOutlookShown() const {
    return m_wndSplitter->IsSplit() || m_wndSplitter->GetWindow1() == m_wndOutBar;
}

bool CMainFrame::IsUpperPaneShown() const {
    return m_wndRightSplitter->IsSplit() || m_wndRightSplitter->GetWindow1() == m_pView;
}

void CMainFrame::SetOutlookWidth(int width) {
    if (width < 1) {
        if (m_wndSplitter->IsSplit()) m_wndSplitter->Unsplit(m_wndOutBar);
    } else if (!m_wndSplitter->IsSplit()) {
        m_wndSplitter->SplitVertically(m_wndOutBar, m_wndRightSplitter, width);
    } else {
        m_wndSplitter->SetSashPosition(width);
    }
}

// Leaves only `keep` in the splitter.
static void ShowOnly(wxSplitterWindow* split, wxWindow* keep, wxWindow* drop) {
    if (split->IsSplit()) {
        split->Unsplit(drop);
    } else if (split->GetWindow1() != keep) {
        split->ReplaceWindow(split->GetWindow1(), keep);
        drop->Hide();
        keep->Show();
    }
}

// Below 1 the lower pane takes the whole height; the client height or more gives
// the upper pane all of it.
void CMainFrame::SetUpperPaneHeight(int height) {
    wxSplitterWindow* split = m_wndRightSplitter;
    int full = split->GetClientSize().y;
    if (height < 1)
        ShowOnly(split, m_pTextView, m_pView);
    else if (full > 0 && height >= full)
        ShowOnly(split, m_pView, m_pTextView);
    else if (!split->IsSplit())
        split->SplitHorizontally(m_pView, m_pTextView, height);
    else
        split->SetSashPosition(height);
}

void CMainFrame::MoveToPane(bool forward) {
    std::vector<wxWindow*> panes;
    if (IsOutlookShown()) panes.push_back(m_wndOutBar);
    if (m_pView->IsShown()) panes.push_back(m_pView);
    if (m_pTextView->IsShown()) panes.push_back(m_pTextView);
    if (panes.empty()) return;
    size_t current = panes.size() - 1; // no pane focused: F6 goes to the first
    if (!forward) current = 0;
    for (wxWindow* focus = FindFocus(); focus; focus = focus->GetParent()) {
        auto found = std::find(panes.begin(), panes.end(), focus);
        if (found != panes.end()) {
            current = size_t(found - panes.begin());
            break;
        }
    }
    const size_t next =
        forward ? (current + 1) % panes.size() : (current + panes.size() - 1) % panes.size();
    wxWindow* pane = panes[next];
    // A pane that holds a grid gives it the focus; the others take it themselves.
    if (wxWindow* grid = pane->FindWindow(CQvDoc::kMainGridId))
        grid->SetFocus();
    else
        pane->SetFocus();
}

void CMainFrame::SwitchPictureOff() {
    m_pTextView->SetPictureMode(3);
}

void CMainFrame::ShowFullView() {
    SetUpperPaneHeight(m_wndRightSplitter->GetClientSize().y);
    SetOutlookWidth(0);
}

void CMainFrame::RelayoutPanes() {
    SwitchPictureOff();
    if (!IsOutlookShown()) {
        SetOutlookWidth(m_nOutlookWidth);
        SetUpperPaneHeight(m_nUpperPaneHeight);
    }
}

void CMainFrame::ClearUpperPane() {
    CGridCtrl::ForgetCurrentGrid();
    m_dsMain.m_pGrid.reset();
    SetUpperPaneHeight(0);
}

void CMainFrame::ShowUpperPane() {
    if (!IsUpperPaneShown()) SetUpperPaneHeight(m_nUpperPaneHeight);
}

void CMainFrame::PlaceActiveSheet() {
    if (!m_pActiveSheet) return;
    m_pActiveSheet->SetSize(m_pTextView->GetClientSize());
}

void CMainFrame::ShowRecordPicture(const wxString& path) {
    if (path.empty()) {
        platform::ShowMessageBox("没有找到记录，操作被取消！");
        return;
    }
    auto* frame = new wxFrame(nullptr, wxID_ANY, U("图片"));
    auto* view = new CTextView(frame);
    view->m_bLoginShown = true;
    view->SetPicturePath(path);
    frame->Show();
}
