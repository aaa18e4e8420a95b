#pragma once
// The system may ask the program to end (SIGTERM) at any moment, often while a
// dialog or a message box runs its own loop. Closing the main window from inside
// such a loop pulls the windows from under the running code, so the request is
// carried out in steps: from then on no dialog opens (it returns "cancel" at
// once), the open dialogs are cancelled from the innermost out, each from its own
// loop, and the main window closes as the close box closes it once only the main
// loop runs.
#include <vector>
#include <wx/modalhook.h>
#include <wx/timer.h>

class CShutdownRequest : private wxModalDialogHook, private wxTimer {
public:
    // Makes SIGTERM a request; the program calls it once, before any dialog.
    static void Install();
    // True once the end has been asked for.
    static bool Asked();
    // What SIGTERM does (the hook must be installed).
    static void Ask();

private:
    CShutdownRequest();
    ~CShutdownRequest() override;
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog* dialog) override;
    void Notify() override;

    static CShutdownRequest* s_pRequest;
    bool m_bAsked = false;
    std::vector<wxDialog*> m_openDialogs; // innermost last
};
