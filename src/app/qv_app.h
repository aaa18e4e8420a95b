#pragma once
// The application object: takes the program folder, shows the start-up picture,
// builds the main window and gives it its title.
#include <wx/app.h>

class CMainFrame;

class CQvApp : public wxApp {
public:
    static constexpr const char* kSetupPicture = "Picture/setup.BMP";

    bool OnInit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

    // Everything after the program folder became the current directory: the splash,
    // the main window, its title. False when the main window cannot be made.
    bool StartUp();

    // The main window's title: the company name (item 1 of Picture/Memfile) followed
    // by "管理系统(V9.15)".
    static wxString ReadTitle();

    wxString m_strTitle;
    CMainFrame* m_pMainFrame = nullptr;
};
