#pragma once
// The application object: takes the program folder, shows the start-up picture,
// builds the main window and gives it its title.
#include <memory>
#include <wx/app.h>

class CMainFrame;
class wxHtmlHelpController;
class wxLocale;

class CQvApp : public wxApp {
public:
    static constexpr const char* kSetupPicture = "Picture/setup.BMP";
    // The help book beside the program, in the HTML help format wx reads; its [MAP]
    // section gives the contexts.
    static constexpr const char* kHelpBook = "help.htb";
    enum : unsigned { HELP_CONTEXT = 1 };

    CQvApp();
    ~CQvApp() override;

    bool OnInit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

    // Everything after the program folder became the current directory: the splash,
    // the main window, its title. False when the main window cannot be made.
    bool StartUp();

    // The main window's title: the company name (item 1 of Picture/Memfile) followed
    // by "管理系统(V9.15)".
    static wxString ReadTitle();

    // F1 of a dialog or command: with HELP_CONTEXT, the help at the ID's context (its
    // contents for an ID without one); any other command does nothing.
    void WinHelp(unsigned long id, unsigned command);
    // The toolkit's own texts (the buttons of message boxes and sheets, the file and
    // print dialogs) in Chinese like the program's: under a Chinese locale when the
    // system has one, else with the toolkit's Chinese catalogue alone.
    void UseChineseTexts();

    // Opens the help book at a context, 0 for its contents.
    void ShowHelp(int context);

    // No exception escapes an event handler: what one lets through is reported
    // (ReportHandlerException) and the program goes on.
    void CallEventHandler(wxEvtHandler* handler, wxEventFunctor& functor,
                          wxEvent& event) const override;
    bool OnExceptionInMainLoop() override;
    void OnUnhandledException() override;

    wxString m_strTitle;
    CMainFrame* m_pMainFrame = nullptr;
    // --exit-at-login: the program ends as soon as the login is up (start-up timing).
    bool m_bExitAtLogin = false;

protected:
    // Registers the opener of every form with the main window, before the login can
    // ask for one. The program (src/qv) knows every subsystem's forms.
    virtual void RegisterForms() {}

private:
    std::unique_ptr<wxHtmlHelpController> m_pHelp;
    std::unique_ptr<wxLocale> m_pLocale;
};
