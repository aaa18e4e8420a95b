#include "app/qv_app.h"

#include "crypt/sealkit.h"
#include "platform/files.h"
#include "platform/message_box_wx.h"
#include "platform/paths.h"

#include <unistd.h>
#include <wx/cmdline.h>
#include <wx/frame.h>

// The program binds the two working-copy functions of sealkit by name when it loads.
__attribute__((used)) static const void* const kSealkitImports[] = {
    reinterpret_cast<const void*>(&NvEncrypt), reinterpret_cast<const void*>(&NvDecrypt)};

void CQvApp::OnInitCmdLine(wxCmdLineParser& parser) {
    wxApp::OnInitCmdLine(parser);
    parser.AddOption(wxEmptyString, "home", "program folder", wxCMD_LINE_VAL_STRING);
}

bool CQvApp::OnCmdLineParsed(wxCmdLineParser& parser) {
    wxString home;
    if (parser.Found("home", &home)) platform::SetProgramFolder(home.utf8_string());
    return wxApp::OnCmdLineParsed(parser);
}

bool CQvApp::OnInit() {
    if (!wxApp::OnInit()) return false;
    platform::InstallWxMessageBox();
    std::string folder = platform::ProgramFolder();
    platform::CreateFolders(folder);
    if (::chdir(folder.c_str()) != 0) return false;
    auto* frame = new wxFrame(nullptr, wxID_ANY, wxString::FromUTF8("管理系统(V9.15)"),
                              wxDefaultPosition, wxSize(1024, 720));
    frame->Show();
    return true;
}
