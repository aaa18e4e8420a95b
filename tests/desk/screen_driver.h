#pragma once
// Driving the program as a person at the screen does: the mouse clicks a control where
// it is drawn, the keyboard types into the control that has the focus. Every event
// goes through the X server (XTest); nothing is sent to a control or handler directly.
// With QV_SCREENSHOTS=<dir> set, Shot() saves the screen of each step there.
#include <functional>
#include <string>
#include <utility>
#include <vector>
#include <wx/dialog.h>
#include <wx/string.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

class CGridCtrl;
class wxFrame;
class wxListCtrl;
class wxToolBar;
class wxWindow;

namespace desk {

// Handles the program's events until condition holds (ten seconds at most, the
// display may be slow under load); whether it held.
bool WaitFor(const std::function<bool()>& condition, int milliseconds = 10000);
// Lets the X server deliver what was sent and the program handle it.
void Settle();

// Whether a control is on the screen with enough of it inside its parents to click.
bool Reachable(wxWindow* control);
// Left click (double with `twice`) at the middle of the part of a control that its
// parents show; a failure when the control is hidden or drawn outside them.
bool Click(wxWindow* control, bool twice = false);
// A click into a cell of a grid, where the cell is drawn.
bool ClickCell(CGridCtrl* grid, int row, int col, bool twice = false);

// Where a tool of a toolbar is drawn, in screen coordinates; empty when it is not.
wxRect ToolRect(wxToolBar* bar, int toolId);

// A click on a row of a list where the row is drawn.
bool ClickListItem(wxListCtrl* list, long item, bool twice = false);

// Types text into the focused control: ASCII as keys, other characters through the
// input method's Unicode entry (Ctrl+Shift+U, the code, space).
void Type(const wxString& text);
// One key (a WXK_ code or a letter), with modifiers (wxMOD_ALT, wxMOD_CONTROL...).
void Key(int keyCode, int modifiers = 0);
// Alt+letter: a button's or menu's accelerator.
void Alt(char letter);
// A menu command by its letters: Alt+the menu's letter, then each item's letter.
void Menu(char menu, const char* items);

// A menu command by its labels (as the menu shows them, without the accelerator),
// reached by keys: Alt+the menu's letter, arrows down to each item, right into a
// submenu, Enter. For the items that have no letter of their own.
void MenuPath(wxFrame* frame, const std::vector<const char*>& labels);

// How many pixels of `area` (client coordinates of control, cut to the part its
// parents show) the X server shows dark now (red, green and blue
// under 200 together): the ink of text drawn
// there; none where the control was left blank or painted only its background.
int InkPixels(wxWindow* control, const wxRect& area);

// Whether a tooltip (a window of the tooltip type) is on the screen.
bool TooltipShown();

// Saves the screen as <QV_SCREENSHOTS>/<test>-<nn>-<step>.png when that is set.
void Shot(const char* step);

// The message boxes of the program while alive: each shows on the screen and is answered
// by keys, the reply of the first rule whose text it holds (Enter, its first button,
// when none does); every text is kept.
class MessageBoxes {
public:
    enum Reply { kFirst, kNo, kCancel };
    MessageBoxes();
    ~MessageBoxes();
    void Answer(const char* part, Reply reply) { rules_.emplace_back(part, reply); }
    const std::vector<std::string>& Shown() const { return shown_; }
    bool Showed(const char* text) const;
    void Clear() { shown_.clear(); }

private:
    std::vector<std::pair<std::string, Reply>> rules_;
    std::vector<std::string> shown_;
};

// While alive, a modal dialog that stays on the screen unanswered for long (a step
// that opened the wrong one, a drive that never came) is reported, shot and
// cancelled: a test fails instead of hanging in its loop.
class UnansweredDialogs : public wxTimer {
public:
    UnansweredDialogs() { Start(500); }
    void Notify() override;

private:
    wxDialog* seen_ = nullptr;
    int ticks_ = 0;
};

// Reports a modal dialog that a drive left open, and cancels it.
void CancelLeftOpen(wxDialog* dialog);

// Once a modal dialog of type T is on the screen, runs drive on it (drive clicks and
// types); a dialog still open some seconds after drive is a failure and is cancelled,
// so a test never hangs on a window.
template <class T> class OnModal : public wxTimer {
public:
    explicit OnModal(std::function<void(T&)> drive) : drive_(std::move(drive)) { Start(20); }
    bool Done() const { return done_; }
    void Notify() override {
        for (wxWindow* window : wxTopLevelWindows) {
            auto* dialog = dynamic_cast<T*>(window);
            if (!dialog || !dialog->IsModal() || !dialog->IsShownOnScreen()) continue;
            Stop();
            Settle();
            drive_(*dialog);
            done_ = true;
            if (!WaitFor([dialog] { return !dialog->IsModal(); })) CancelLeftOpen(dialog);
            return;
        }
        if (++ticks_ > 1500) Stop();
    }

private:
    std::function<void(T&)> drive_;
    bool done_ = false;
    int ticks_ = 0;
};

} // namespace desk
