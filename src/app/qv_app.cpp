#include "app/qv_app.h"

#include "app/first_run_dlg.h"
#include "app/handler_exceptions.h"
#include "app/help_map.h"
#include "app/main_frame.h"
#include "app/progress_bar.h"
#include "app/shutdown_request.h"
#include "app/splash_window.h"
#include "app/tip_dlg.h"
#include "crypt/sealkit.h"
#include "data/setting_files.h"
#include "platform/files.h"
#include "platform/input_method.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/message_box_wx.h"
#include "platform/paths.h"
#include "platform/private_files.h"
#include "platform/program_lock.h"
#include "res/dialog_template.h"

#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <wx/cmdline.h>
#include <wx/filename.h>
#include <wx/html/helpctrl.h>
#include <wx/image.h>
#include <wx/intl.h>
#include <wx/translation.h>

// The program binds the two working-copy functions of sealkit by name when it loads.
__attribute__((used)) static const void* const kSealkitImports[] = {
    reinterpret_cast<const void*>(&NvEncrypt), reinterpret_cast<const void*>(&NvDecrypt)};

CQvApp::CQvApp() {
    // The app is made before the toolkit starts: the last moment to choose it.
    platform::UsePaintableInputMethod();
    // F1 in every dialog built from a template opens the help at its context.
    res::SetHelpHandler([](int helpId) {
        if (auto* app = dynamic_cast<CQvApp*>(wxTheApp)) app->WinHelp(helpId, HELP_CONTEXT);
    });
}
CQvApp::~CQvApp() = default;

void CQvApp::OnInitCmdLine(wxCmdLineParser& parser) {
    wxApp::OnInitCmdLine(parser);
    parser.AddOption(wxEmptyString, "home", "program folder", wxCMD_LINE_VAL_STRING);
    parser.AddSwitch(wxEmptyString, "exit-at-login", "end as soon as the login is up");
}

bool CQvApp::OnCmdLineParsed(wxCmdLineParser& parser) {
    wxString home;
    if (parser.Found("home", &home)) platform::SetProgramFolder(home.utf8_string());
    m_bExitAtLogin = parser.Found("exit-at-login");
    return wxApp::OnCmdLineParsed(parser);
}

bool CQvApp::OnInit() {
    if (!wxApp::OnInit()) return false;
    UseChineseTexts();
    platform::InstallWxMessageBox();
    // Whatever the program writes is its user's alone.
    ::umask(077);
    std::string folder = platform::ProgramFolder();
    if (folder.empty()) {
        platform::ShowMessageBox("找不到当前用户的主目录，请用 --home 指定程序目录。", "",
                                 platform::MB_ICONERROR);
        return false;
    }
    // Everything the program keeps lies in this folder: without it nothing can work.
    if (!platform::CreateFolders(folder) || ::access(folder.c_str(), R_OK | W_OK | X_OK) != 0 ||
        ::chdir(folder.c_str()) != 0) {
        platform::ShowMessageBox("程序目录 " + folder + " 无法打开或不能写入，请检查它的权限。", "",
                                 platform::MB_ICONERROR);
        return false;
    }
    // One program folder, one running program: a second start is refused before it
    // tidies or shows the login, and the lock lasts until the process ends.
    if (std::string problem;
        !platform::LockProgramFolder(folder, platform::FolderUse::kWrite, &problem)) {
        platform::AppendLog("start refused: another program holds the program folder");
        platform::ShowMessageBox(problem, "", platform::MB_ICONERROR);
        return false;
    }
    if (std::string problem; !platform::TidyAtStart(folder, &problem)) {
        platform::ShowMessageBox(problem, "", platform::MB_ICONERROR);
        return false;
    }
    // The system ending the program closes the main window as the close box does,
    // so the end of the run is the normal one, whatever dialog is open.
    CShutdownRequest::Install();
    wxInitAllImageHandlers(); // backgrounds may be BMP, GIF or JPEG
    if (!CFirstRunDlg::SetUpNewFolder()) return false;
    RegisterForms();
    if (!StartUp()) return false;
    CTipDlg::ShowAfterLogin(m_pMainFrame);
    return true;
}

void CQvApp::UseChineseTexts() {
    if (wxLocale::IsAvailable(wxLANGUAGE_CHINESE_SIMPLIFIED)) {
        m_pLocale = std::make_unique<wxLocale>(wxLANGUAGE_CHINESE_SIMPLIFIED);
        if (m_pLocale->IsOk()) return;
        m_pLocale.reset();
    }
    auto* translations = new wxTranslations;
    translations->SetLanguage(wxLANGUAGE_CHINESE_SIMPLIFIED);
    translations->AddStdCatalog();
    wxTranslations::Set(translations);
}

wxString CQvApp::ReadTitle() {
    std::vector<wxString> items(10);
    CSettingFiles::ReadCsvLine("Picture/Memfile", items);
    return items[0] + wxString::FromUTF8("管理系统(V9.15)");
}

bool CQvApp::StartUp() {
    auto* splash = new CSplashWindow(kSetupPicture);
    splash->ShowNow();

    m_pMainFrame = new CMainFrame;
    SetTopWindow(m_pMainFrame);
    InstallStatusBarProgress();
    splash->HideSplash();

    m_strTitle = ReadTitle();
    m_pMainFrame->SetTitle(m_strTitle);
    if (m_pMainFrame->StartsMaximized()) m_pMainFrame->Maximize();
    m_pMainFrame->Show();
    return true;
}

void CQvApp::CallEventHandler(wxEvtHandler* handler, wxEventFunctor& functor,
                              wxEvent& event) const {
    try {
        wxApp::CallEventHandler(handler, functor, event);
    } catch (...) {
        ReportHandlerException();
    }
}

// What reached the loop by another way than a handler (a queued call).
bool CQvApp::OnExceptionInMainLoop() {
    ReportHandlerException();
    return true;
}

// Past the loop nothing can go on: the exception is reported as the program ends.
void CQvApp::OnUnhandledException() {
    ReportHandlerException();
}

void CQvApp::WinHelp(unsigned long id, unsigned command) {
    if (command == HELP_CONTEXT) ShowHelp(HelpContextFor(id));
}

void CQvApp::ShowHelp(int context) {
    if (!m_pHelp) {
        auto help = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE, m_pMainFrame);
        std::string book =
            platform::ResolvePathNoCase(platform::JoinPath(platform::ProgramFolder(), kHelpBook));
        if (!platform::FileExists(book) || !help->AddBook(wxFileName(wxString::FromUTF8(book)))) {
            // No help content ships with the program: say which file is missing and where
            // it belongs, so the shop knows what to put there.
            platform::ShowMessageBox(std::string("没有找到帮助文件 ") + kHelpBook +
                                         "。\n本系统没有附带帮助内容；帮助文件应放在程序目录 " +
                                         platform::ProgramFolder() + " 中。",
                                     "", platform::MB_ICONINFORMATION);
            return;
        }
        m_pHelp = std::move(help);
    }
    if (context <= 0 || !m_pHelp->Display(context)) m_pHelp->DisplayContents();
}
