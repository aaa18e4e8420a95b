// Leaks one object of ours from a button handler that GTK itself calls, with toolkit
// frames on the stack of the allocation. The leak check of the window tests must
// still report it: the suppressions name the toolkit's own allocating functions, never
// whole libraries, which would also hide whatever our handlers allocate.
#include <dlfcn.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>

namespace {

struct LeakedByHandler {
    char bytes[123];
};
LeakedByHandler* volatile g_lastLeaked = nullptr;

void LeakFromClickHandler(wxCommandEvent&) {
    g_lastLeaked = new LeakedByHandler;
    g_lastLeaked = nullptr;
}

} // namespace

class LeakProbeApp : public wxApp {
public:
    bool OnInit() override {
        auto* frame = new wxFrame(nullptr, wxID_ANY, "leak probe");
        auto* button = new wxButton(frame, wxID_ANY, "leak");
        button->Bind(wxEVT_BUTTON, &LeakFromClickHandler);
        frame->Show();
        // The click goes through GTK's "clicked" signal, as a real one does.
        using Clicked = void (*)(void*);
        auto clicked = reinterpret_cast<Clicked>(dlsym(RTLD_DEFAULT, "gtk_button_clicked"));
        if (!clicked) return false;
        clicked(button->GetHandle());
        frame->Close();
        return true;
    }
};

wxIMPLEMENT_APP(LeakProbeApp);
