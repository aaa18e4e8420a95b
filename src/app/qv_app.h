#pragma once
#include <wx/app.h>

// The application object: takes the program folder, shows the main window.
class CQvApp : public wxApp {
public:
    bool OnInit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;
};
