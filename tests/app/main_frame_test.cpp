#include "app/app_profile.h"
#include "app/background_dlg.h"
#include "app/catalog_tree.h"
#include "app/main_frame.h"
#include "app/outbar_ctrl.h"
#include "app/qv_app.h"
#include "app/qv_view.h"
#include "app/text_view.h"
#include "common/form_driver.h"
#include "common/program_folder.h"
#include "common/window_manager.h"
#include "data/setting_files.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "platform/message_box_wx.h"
#include "res/background_template.h"
#include "res/command_ids.h"
#include "res/control_ids.h"
#include "res/setup_picture.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>
#include <wx/menu.h>
#include <wx/splitter.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

namespace {

const FormKind kRecordedKinds[] = {
    FormKind::RepairSheet, FormKind::SalesSheet,      FormKind::OrderSheet,   FormKind::ReturnSheet,
    FormKind::Login,       FormKind::CustomerRecords, FormKind::RepairArchive};

struct Opened {
    FormKind kind;
    int mode;
    wxString text;
};

class MainFrameTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        for (FormKind kind : kRecordedKinds)
            CMainFrame::RegisterForm(kind,
                                     [this, kind](CMainFrame&, int mode, const wxString& text) {
                                         opened_.push_back({kind, mode, text});
                                     });
    }
    void TearDown() override {
        for (FormKind kind : kRecordedKinds)
            CMainFrame::RegisterForm(kind, nullptr);
        ProgramFolderTest::TearDown();
    }

    CMainFrame* Start() {
        auto* app = static_cast<CQvApp*>(wxTheApp);
        EXPECT_TRUE(app->StartUp());
        Pump(10);
        // The first paint of the lower pane has asked for the login.
        for (const Opened& o : opened_)
            loginsAtStart_ += o.kind == FormKind::Login;
        opened_.clear();
        return app->m_pMainFrame;
    }

    static void Click(wxWindow* window, const wxPoint& at) {
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetPosition(at);
        down.m_leftDown = true;
        down.SetEventObject(window);
        window->GetEventHandler()->ProcessEvent(down);
        wxMouseEvent up(wxEVT_LEFT_UP);
        up.SetPosition(at);
        up.SetEventObject(window);
        window->GetEventHandler()->ProcessEvent(up);
    }

    static wxPoint Centre(const wxRect& rect) {
        return wxPoint(rect.x + rect.width / 2, rect.y + rect.height / 2);
    }

    // Clicks item index of folder in the frame's outlook bar and lets the posted
    // notification arrive.
    void ClickOutBarItem(CMainFrame* frame, int folder, int index) {
        CGfxOutBarCtrl* bar = frame->GetOutBar();
        bar->SetSelFolder(folder);
        Pump();
        Click(bar, Centre(bar->GetIconRect(folder, index)));
        Pump();
    }

    std::vector<Opened> opened_;
    int loginsAtStart_ = 0;
};

TEST_F(MainFrameTest, TitleFromCompanyDataAndSmallMenuBeforeLogin) {
    WriteGbkFile("Picture/Memfile", "兴旺汽修厂,北京路8号,010-1234\r\n");
    CMainFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetTitle(), U("兴旺汽修厂管理系统(V9.15)"));
    EXPECT_EQ(CMainFrame::Get(), frame);

    wxMenuBar* menu = frame->GetMenuBar();
    ASSERT_EQ(menu->GetMenuCount(), 2u);
    EXPECT_NE(menu->FindItem(WxCommandId(ID_LOGIN)), nullptr);
    EXPECT_NE(menu->FindItem(WxCommandId(ID_APP_EXIT)), nullptr);
    EXPECT_EQ(menu->FindItem(WxCommandId(ID_REPAIR_SHEET)), nullptr);
    EXPECT_FALSE(frame->GetMainToolBar()->IsEnabled());
    EXPECT_FALSE(frame->GetQueryBar()->IsEnabled());
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(0), U("如需帮助，请按F1键"));

    EXPECT_TRUE(frame->ShowToolbars());
    EXPECT_TRUE(frame->GetMainToolBar()->IsEnabled());
    frame->LoadMenuResource(IDR_MAINFRAME);
    EXPECT_NE(frame->GetMenuBar()->FindItem(WxCommandId(ID_REPAIR_SHEET)), nullptr);
}

TEST_F(MainFrameTest, TitleWithoutCompanyData) {
    CMainFrame* frame = Start();
    EXPECT_EQ(frame->GetTitle(), U("管理系统(V9.15)"));
}

// Forms find the frame through the application's main window, never another one.
TEST_F(MainFrameTest, OnlyTheMainWindowIsTheFrame) {
    auto* other = new wxFrame(nullptr, wxID_ANY, "other");
    wxTheApp->SetTopWindow(other);
    EXPECT_EQ(CMainFrame::Get(), nullptr);
}

TEST_F(MainFrameTest, FirstPaintOfTheLowerPaneAsksForTheLoginOnce) {
    CMainFrame* frame = Start();
    EXPECT_EQ(loginsAtStart_, 1);
    EXPECT_TRUE(frame->GetTextView()->m_bLoginShown);
    frame->GetTextView()->Refresh();
    frame->GetTextView()->Update();
    Pump();
    EXPECT_TRUE(opened_.empty());
}

TEST_F(MainFrameTest, OutlookClickRunsTheItemsCommand) {
    CMainFrame* frame = Start();
    frame->m_strRights = "admin,0";
    ClickOutBarItem(frame, 1, 0); // 零件售货
    ClickOutBarItem(frame, 1, 2); // 零件入库
    ClickOutBarItem(frame, 0, 1); // 顾客资料
    ASSERT_EQ(opened_.size(), 3u);
    EXPECT_EQ(opened_[0].kind, FormKind::SalesSheet);
    EXPECT_EQ(opened_[1].kind, FormKind::OrderSheet);
    EXPECT_EQ(opened_[1].mode, 0);
    EXPECT_EQ(opened_[2].kind, FormKind::CustomerRecords);
    EXPECT_EQ(frame->GetOutBar()->GetSelItem(), 1);
}

TEST_F(MainFrameTest, OutlookClickRefusedWithoutTheRight) {
    CMainFrame* frame = Start();
    platform::ScriptedMessageBoxes boxes;
    // Before login every guarded item refuses, through the bar or the command.
    ClickOutBarItem(frame, 0, 0); // repair sheet: the command's right 4
    ClickOutBarItem(frame, 1, 1); // order sheet: the bar's right 11
    frame->m_strRights = "wang,14,";
    ClickOutBarItem(frame, 0, 0);
    ClickOutBarItem(frame, 1, 0); // sales is allowed
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>(3, "权限不够,不能操作!"));
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0].kind, FormKind::SalesSheet);
}

TEST_F(MainFrameTest, ReleaseAwayFromThePressedItemSendsNothing) {
    CMainFrame* frame = Start();
    frame->m_strRights = "admin,0";
    CGfxOutBarCtrl* bar = frame->GetOutBar();
    bar->SetSelFolder(1);
    Pump();
    opened_.clear();
    wxMouseEvent down(wxEVT_LEFT_DOWN);
    down.SetPosition(Centre(bar->GetIconRect(1, 0)));
    bar->GetEventHandler()->ProcessEvent(down);
    wxMouseEvent up(wxEVT_LEFT_UP);
    up.SetPosition(Centre(bar->GetIconRect(1, 1)));
    bar->GetEventHandler()->ProcessEvent(up);
    Pump();
    EXPECT_TRUE(opened_.empty());
}

TEST_F(MainFrameTest, CommandsCheckRightsAndTokens) {
    CMainFrame* frame = Start();
    platform::ScriptedMessageBoxes boxes;
    frame->m_strRights = "wang,25,56,";
    frame->m_strShared = "old";
    frame->ExecuteCommand(ID_REPAIR_ARCHIVE); // right 6 allowed, hand-over text cleared
    EXPECT_TRUE(frame->m_strShared.empty());
    frame->ExecuteCommand(ID_SALES_ARCHIVE); // right 15 lacking: refused silently
    frame->ExecuteCommand(ID_EXPORT_EXCEL);  // token 56
    frame->m_strRights = "wang,";
    frame->ExecuteCommand(ID_EXPORT_EXCEL_TOOL); // allowed, but no grid chosen
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"超出权限,无效操作!", "请先选取导出表格!"}));
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0].kind, FormKind::RepairArchive);
}

// Menu and toolbar events carry the wx form of the command IDs.
TEST_F(MainFrameTest, MenuAndToolbarEventsReachTheDispatch) {
    CMainFrame* frame = Start();
    frame->m_strRights = "admin,0";
    for (int id : {ID_REPAIR_SHEET_TOOL, ID_SALES_SHEET, ID_TRANSFER_SHEET}) {
        wxCommandEvent event(wxEVT_MENU, WxCommandId(id));
        event.SetEventObject(frame);
        frame->GetEventHandler()->ProcessEvent(event);
    }
    ASSERT_EQ(opened_.size(), 3u);
    EXPECT_EQ(opened_[0].kind, FormKind::RepairSheet);
    EXPECT_EQ(opened_[1].kind, FormKind::SalesSheet);
    EXPECT_EQ(opened_[2].kind, FormKind::OrderSheet);
    EXPECT_EQ(opened_[2].mode, 2);
    EXPECT_NE(frame->GetMainToolBar()->FindById(WxCommandId(ID_REPAIR_SHEET_TOOL)), nullptr);
}

// A command whose form is not built shows disabled in the menu, the toolbar and the
// outlook bar, and turns usable as soon as its form is registered.
TEST_F(MainFrameTest, CommandsOfFormsNotBuiltShowDisabled) {
    CMainFrame* frame = Start();
    frame->m_strRights = "admin,0";
    frame->ShowToolbars();
    frame->LoadMenuResource(IDR_MAINFRAME);
    CMainFrame::RegisterForm(FormKind::RepairSheet, nullptr);
    const auto enabled = [frame](int id) {
        wxUpdateUIEvent event(WxCommandId(id));
        event.SetEventObject(frame);
        frame->GetEventHandler()->ProcessEvent(event);
        return !event.GetSetEnabled() || event.GetEnabled();
    };
    EXPECT_FALSE(enabled(ID_REPAIR_SHEET));
    EXPECT_FALSE(enabled(ID_PARTS_RESERVATION)); // never handled
    EXPECT_TRUE(enabled(ID_SALES_SHEET));
    EXPECT_TRUE(enabled(ID_FILE_NEW)); // the frame's own work
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_FALSE(frame->GetMainToolBar()->GetToolEnabled(WxCommandId(ID_REPAIR_SHEET_TOOL)));
    EXPECT_TRUE(frame->GetMainToolBar()->GetToolEnabled(WxCommandId(ID_SALES_SHEET_TOOL)));

    platform::ScriptedMessageBoxes boxes;
    ClickOutBarItem(frame, 0, 0); // 维修作业: greyed, takes no click
    EXPECT_FALSE(frame->GetOutBar()->IsItemEnabled(0));
    EXPECT_TRUE(opened_.empty());
    EXPECT_TRUE(boxes.Texts().empty());

    CMainFrame::RegisterForm(FormKind::RepairSheet, [this](CMainFrame&, int, const wxString&) {
        opened_.push_back({FormKind::RepairSheet, 0, ""});
    });
    EXPECT_TRUE(enabled(ID_REPAIR_SHEET));
    ClickOutBarItem(frame, 0, 0);
    EXPECT_EQ(opened_.size(), 1u);
}

// The files opened through 文件 › 打开 are listed, four at most, before 退出, kept
// for the next run; a listed file that is gone is said and dropped.
TEST_F(MainFrameTest, RecentFilesOnTheFileMenu) {
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
    std::vector<wxString> opened;
    CMainFrame::RegisterForm(
        FormKind::OpenDataFile,
        [&opened](CMainFrame&, int, const wxString& path) { opened.push_back(path); });
    CMainFrame* frame = Start();
    frame->LoadMenuResource(IDR_MAINFRAME);
    std::vector<wxString> files;
    for (const char* name : {"a.adtg", "b.adtg", "c.adtg", "d.adtg", "e.adtg"}) {
        files.push_back(U(Path(name).c_str()));
        WriteGbkFile(name, "x");
        frame->AddRecentFile(files.back());
    }
    const auto listed = [](CMainFrame* f) {
        wxMenu* file = f->GetMenuBar()->GetMenu(f->GetMenuBar()->FindMenu(U("文件(&F)")));
        std::vector<wxString> labels;
        for (int i = 0; i < CMainFrame::kRecentFiles; ++i)
            if (wxMenuItem* item = file->FindChildItem(WxCommandId(ID_FILE_MRU_FIRST) + i))
                labels.push_back(item->GetItemLabel());
        // 退出 stays last, after a separator.
        EXPECT_EQ(file->FindItemByPosition(file->GetMenuItemCount() - 1)->GetId(),
                  WxCommandId(ID_APP_EXIT));
        EXPECT_TRUE(file->FindItemByPosition(file->GetMenuItemCount() - 2)->IsSeparator());
        return labels;
    };
    const std::vector<wxString> newestFirst = {"&1 " + files[4], "&2 " + files[3], "&3 " + files[2],
                                               "&4 " + files[1]};
    EXPECT_EQ(listed(frame), newestFirst);

    // The next run lists them too.
    auto* next = new CMainFrame;
    next->LoadMenuResource(IDR_MAINFRAME);
    EXPECT_EQ(listed(next), newestFirst);
    next->Destroy();

    platform::ScriptedMessageBoxes boxes;
    std::remove(Path("e.adtg").c_str());
    wxCommandEvent choose(wxEVT_MENU, WxCommandId(ID_FILE_MRU_FIRST));
    frame->GetEventHandler()->ProcessEvent(choose);
    EXPECT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(listed(frame).size(), 3u);
    wxCommandEvent again(wxEVT_MENU, WxCommandId(ID_FILE_MRU_FIRST) + 1);
    frame->GetEventHandler()->ProcessEvent(again); // c.adtg, now second
    EXPECT_EQ(opened.back(), files[2]);
    CMainFrame::RegisterForm(FormKind::OpenDataFile, nullptr);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
}

// The window's place and size and the sizes the operator dragged the panes to come
// back in the next run; on a first start the outlook pane takes the width of the
// catalogue's labels.
TEST_F(MainFrameTest, PlaceSizeAndPanesAreKeptBetweenRuns) {
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    ::setenv("XDG_CONFIG_HOME", Path("layout").c_str(), 1);
    auto splitterOf = [](const wxWindow* pane) {
        return static_cast<wxSplitterWindow*>(pane->GetParent());
    };
    auto drag = [](wxSplitterWindow* splitter, int position) {
        wxSplitterEvent moved(wxEVT_SPLITTER_SASH_POS_CHANGED, splitter);
        moved.SetSashPosition(position);
        splitter->ProcessWindowEvent(moved);
        splitter->SetSashPosition(position);
    };
    // A frame of its own: the program's is maximised, and without a window manager
    // it stays so.
    auto* frame = new CMainFrame;
    EXPECT_FALSE(frame->HasKeptPlace());
    frame->Show();
    Pump(10);
    CCatalogTree* tree = frame->GetCatalogTree();
    tree->DeleteAllItems();
    tree->AppendItem(tree->AddRoot(""), U("一个很长很长的车型名称在这里"));
    frame->FillCatalogTree();
    const int fitted = splitterOf(frame->GetOutBar())->GetSashPosition();
    EXPECT_GT(fitted, CMainFrame::kOutlookWidth);
    EXPECT_GE(fitted, tree->GetTextExtent(U("一个很长很长的车型名称在这里")).x);

    frame->SetSize(900, 640);
    drag(splitterOf(frame->GetOutBar()), 180);
    frame->ShowUpperPane();
    drag(splitterOf(frame->GetView()), 150);
    // Both bars dock on every side and float; where they stand is kept too.
    wxAuiManager& bars = frame->GetBarManager();
    for (const char* name : {"standard", "query"}) {
        const wxAuiPaneInfo& bar = bars.GetPane(name);
        ASSERT_TRUE(bar.IsOk()) << name;
        EXPECT_TRUE(bar.IsTopDockable() && bar.IsBottomDockable() && bar.IsLeftDockable() &&
                    bar.IsRightDockable() && bar.IsFloatable())
            << name;
    }
    EXPECT_EQ(bars.GetPane(frame->GetMainToolBar()).caption, U("标准工具栏"));
    EXPECT_EQ(bars.GetPane(frame->GetQueryBar()).caption, U("查询工具栏"));
    bars.GetPane("standard").Bottom();
    bars.GetPane("query").Float().FloatingPosition(100, 100);
    bars.Update();
    frame->SaveLayout();
    frame->Destroy();

    auto* next = new CMainFrame;
    EXPECT_TRUE(next->HasKeptPlace());
    next->Show();
    Pump(10);
    EXPECT_EQ(next->GetSize(), wxSize(900, 640));
    EXPECT_EQ(splitterOf(next->GetOutBar())->GetSashPosition(), 180);
    next->ShowUpperPane();
    Pump(10);
    EXPECT_EQ(splitterOf(next->GetView())->GetSashPosition(), 150);
    // A kept width is the operator's: the catalogue does not widen it.
    next->FillCatalogTree();
    EXPECT_EQ(splitterOf(next->GetOutBar())->GetSashPosition(), 180);
    EXPECT_EQ(next->GetBarManager().GetPane("standard").dock_direction, wxAUI_DOCK_BOTTOM);
    EXPECT_TRUE(next->GetBarManager().GetPane("query").IsFloating());
    next->Destroy();
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
}

TEST_F(MainFrameTest, ReturnKindIsHandedOver) {
    CMainFrame* frame = Start();
    frame->ExecuteCommand(ID_RETURN_GOOD_IN); // kind 5
    EXPECT_EQ(frame->m_strShared, "TH");
    frame->ExecuteCommand(ID_RETURN_DEFECT_IN); // kind 1
    EXPECT_TRUE(frame->m_strShared.empty());
    ASSERT_EQ(opened_.size(), 2u);
    EXPECT_EQ(opened_[0].mode, 5);
}

TEST_F(MainFrameTest, PaneLayoutCommands) {
    CMainFrame* frame = Start();
    EXPECT_TRUE(frame->IsOutlookShown());
    EXPECT_FALSE(frame->IsUpperPaneShown());
    frame->ExecuteCommand(ID_TOGGLE_UPPER_PANE);
    EXPECT_TRUE(frame->IsUpperPaneShown());
    frame->ExecuteCommand(ID_TOGGLE_UPPER_PANE);
    EXPECT_FALSE(frame->IsUpperPaneShown());

    frame->ExecuteCommand(ID_QUICK_INTERFACE); // collapses the outlook column
    EXPECT_FALSE(frame->IsOutlookShown());
    EXPECT_EQ(frame->GetTextView()->GetPictureMode(), 3);
    frame->ExecuteCommand(ID_QUICK_INTERFACE);
    EXPECT_TRUE(frame->IsOutlookShown());
    EXPECT_TRUE(frame->IsUpperPaneShown());

    frame->ExecuteCommand(ID_SHOW_BACKGROUND);
    EXPECT_EQ(frame->GetTextView()->GetPictureMode(), 0);

    frame->ExecuteCommand(ID_SMALL_ICONS);
    EXPECT_TRUE(frame->GetOutBar()->IsSmallIconView());
    frame->ExecuteCommand(ID_LARGE_ICONS);
    EXPECT_FALSE(frame->GetOutBar()->IsSmallIconView());

    frame->ExecuteCommand(ID_QUERY_TOOLBAR);
    EXPECT_FALSE(frame->GetQueryBar()->IsShown());
}

TEST_F(MainFrameTest, NewLeavesNoGridForPrintOrSave) {
    CMainFrame* frame = Start();
    auto* grid = new CGridCtrl(2, 2, 1, 1);
    ASSERT_TRUE(grid->Create(frame, wxID_ANY));
    grid->MakeCurrentGrid();
    frame->ExecuteCommand(ID_FILE_NEW);
    EXPECT_EQ(CGridCtrl::GetCurrentGrid(), nullptr);
    grid->Destroy();
}

TEST_F(MainFrameTest, RecordPictureWindowNeverAsksForLogin) {
    ASSERT_TRUE(res::WriteSetupPicture(U(Path("Picture/setup.BMP").c_str())));
    CMainFrame* frame = Start();
    platform::ScriptedMessageBoxes boxes;
    frame->ShowRecordPicture("");
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"没有找到记录，操作被取消！"});
    opened_.clear();
    frame->ShowRecordPicture(U(Path("Picture/setup.BMP").c_str()));
    Pump(10);
    int pictures = 0;
    for (wxWindow* window : wxTopLevelWindows)
        pictures += window->GetLabel() == U("图片");
    EXPECT_EQ(pictures, 1);
    EXPECT_TRUE(opened_.empty());
}

TEST_F(MainFrameTest, BackgroundDialogKeepsTheChosenPicture) {
    CMainFrame* frame = Start();
    CTextView* view = frame->GetTextView();
    EXPECT_EQ(view->GetPicturePath(), "Picture/setup.BMP"); // no OtherFiles yet
    view->SetPictureMode(3);
    const wxString picture = U(Path("Picture/shop.jpg").c_str());
    {
        CBackgroundDlg dialog(frame, view);
        auto* edit = res::Control<wxTextCtrl>(&dialog, res::background::kPathEdit);
        EXPECT_EQ(edit->GetValue(), "Picture/setup.BMP");
        edit->SetValue("elsewhere.bmp");
        dialog.CallAfter([&dialog] { qv_test::Click(&dialog, res::background::kCancelButton); });
        EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
    }
    EXPECT_TRUE(CSettingFiles::ReadSettingFile("OtherFiles").empty());
    {
        CBackgroundDlg dialog(frame, view);
        res::Control<wxTextCtrl>(&dialog, res::background::kPathEdit)->SetValue(picture);
        dialog.CallAfter([&dialog] { qv_test::Click(&dialog, res::background::kOkButton); });
        EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    }
    EXPECT_EQ(CSettingFiles::ReadSettingFile("OtherFiles"), picture);
    EXPECT_EQ(view->GetPicturePath(), picture);
    EXPECT_EQ(view->GetPictureMode(), 0);
    // A view made later starts with the kept picture.
    auto* other = new wxFrame(nullptr, wxID_ANY, "other");
    EXPECT_EQ((new CTextView(other))->GetPicturePath(), picture);
}

// Saves a picture of the main window for a look by eye.
TEST_F(MainFrameTest, Screenshot) {
    ASSERT_TRUE(res::WriteSetupPicture(U(Path("Picture/setup.BMP").c_str())));
    WriteGbkFile("Picture/Memfile", "兴旺汽修厂\r\n");
    CMainFrame* frame = Start();
    frame->GetOutBar()->SetSelFolder(0);
    frame->SetSize(1024, 720);
    frame->Raise();
    Pump(20);
    wxMilliSleep(200);
    Pump(20);
    wxRect rect = frame->GetScreenRect();
    wxBitmap shot(rect.width, rect.height);
    {
        wxMemoryDC memory(shot);
        wxScreenDC screen;
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    EXPECT_TRUE(shot.SaveFile(QV_BIN_DIR "/app_main_window.png", wxBITMAP_TYPE_PNG));
}

} // namespace

namespace {

// A fresh profile, or one kept from a run that ended maximised, starts the window
// maximised; the window manager's un-maximise then gives it a normal size of its
// own, not the size of its bars.
TEST_F(MainFrameTest, UnmaximisedAfterAMaximisedStartTheWindowHasANormalSizeUnderAWindowManager) {
    if (!qv_test::WindowManagerRunning()) GTEST_SKIP() << "needs a window manager";
    const std::string config = std::getenv("XDG_CONFIG_HOME");
    for (bool keptMaximized : {false, true}) {
        SCOPED_TRACE(keptMaximized ? "kept maximised" : "fresh profile");
        ::setenv("XDG_CONFIG_HOME", Path(keptMaximized ? "kept" : "fresh").c_str(), 1);
        if (keptMaximized) {
            auto profile = OpenAppProfile();
            profile->Write("Window/Maximized", true);
            profile->Flush();
        }
        auto* app = static_cast<CQvApp*>(wxTheApp);
        ASSERT_TRUE(app->StartUp());
        CMainFrame* frame = app->m_pMainFrame;
        EXPECT_TRUE(qv_test::WaitFor([&] { return frame->IsMaximized(); }));
        Pump(10);
        const wxRect screen = wxDisplay(frame).GetClientArea();
        frame->Maximize(false);
        EXPECT_TRUE(qv_test::WaitFor([&] { return !frame->IsMaximized(); }));
        qv_test::WaitFor([&] { return frame->GetSize().y >= screen.height / 2; }, 2000);
        const wxRect normal = frame->GetRect();
        EXPECT_GE(normal.width, screen.width / 2) << normal.width << "x" << normal.height;
        EXPECT_GE(normal.height, screen.height / 2) << normal.width << "x" << normal.height;
        frame->Destroy();
        Pump();
    }
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
}

// A message box of the program opens over the window it belongs to.
TEST_F(MainFrameTest, MessageBoxOpensOverItsWindowUnderAWindowManager) {
    if (!qv_test::WindowManagerRunning()) GTEST_SKIP() << "placement is the window manager's";
    CMainFrame* frame = Start();
    // The window manager has given the main window its place and size (it starts
    // maximised), and the program knows it.
    ASSERT_TRUE(qv_test::WaitFor([&] {
        const wxRect placed = qv_test::XScreenRectOf(frame);
        return frame->IsShownOnScreen() && placed.width > 400 && placed.height > 300 &&
               frame->GetSize().x >= placed.width && frame->GetSize().y >= placed.height;
    }));
    Pump(10);
    platform::MessageBoxHandler scripted = platform::SetMessageBoxHandler(nullptr);
    platform::InstallWxMessageBox();
    wxRect window, box;
    bool over = false;
    EXPECT_TRUE(qv_test::AnswerModal<wxGenericMessageDialog>(
        [] { platform::ShowMessageBox("权限不够,不能操作!"); },
        [&](wxGenericMessageDialog& dialog) {
            // Where the X server shows it, once the window manager has placed it.
            over = qv_test::WaitFor([&] {
                window = frame->GetScreenRect();
                box = qv_test::XScreenRectOf(&dialog);
                const wxPoint middle = box.GetPosition() + box.GetSize() / 2;
                return !box.IsEmpty() && window.Contains(box) &&
                       std::abs(middle.x - (window.x + window.width / 2)) <= 40 &&
                       std::abs(middle.y - (window.y + window.height / 2)) <= 60;
            });
        }));
    platform::SetMessageBoxHandler(scripted);
    EXPECT_TRUE(over) << box.x << "," << box.y << " " << box.width << "x" << box.height << " over "
                      << window.x << "," << window.y << " " << window.width << "x" << window.height;
}

} // namespace
