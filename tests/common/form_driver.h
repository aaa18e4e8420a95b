#pragma once
// Driving a dialog as the operator does: typing into its controls, pressing its
// buttons, and answering a modal dialog that an action opens.
#include <functional>
#include <utility>
#include <wx/dialog.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

namespace qv_test {

// Types a text (UTF-8) into the edit or combo box of a resource ID.
void Type(wxWindow* dialog, int resourceId, const char* text);
// The text of the edit or combo box of a resource ID.
wxString Text(wxWindow* dialog, int resourceId);
// Presses the button of a resource ID.
void Click(wxWindow* dialog, int resourceId);
// Handles events until condition holds, for a few seconds at most; whether it held.
// Windows come up through the window manager, so a test waits for them by time.
bool WaitFor(const std::function<bool()>& condition, int milliseconds = 5000);

// Once a modal dialog of type T is up, runs drive on it; a dialog that drive leaves
// open is cancelled, so a test never waits on a window.
template <class T> class ModalDriver : public wxTimer {
public:
    explicit ModalDriver(std::function<void(T&)> drive) : drive_(std::move(drive)) { Start(10); }
    bool Done() const { return done_; }
    void Notify() override {
        for (wxWindow* window : wxTopLevelWindows) {
            auto* dialog = dynamic_cast<T*>(window);
            if (!dialog || !dialog->IsModal()) continue;
            Stop();
            drive_(*dialog);
            done_ = true;
            if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
            return;
        }
        if (++ticks_ > 1000) Stop();
    }

private:
    std::function<void(T&)> drive_;
    bool done_ = false;
    int ticks_ = 0;
};

// Runs an action (a command, a button) and answers the modal dialog of type T that
// it opens with drive; whether that dialog came up.
template <class T>
bool AnswerModal(const std::function<void()>& action, std::function<void(T&)> drive) {
    ModalDriver<T> driver(std::move(drive));
    action();
    return driver.Done();
}

} // namespace qv_test
