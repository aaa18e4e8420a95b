#include "desk/screen_driver.h"

#include "common/program_folder.h"
#include "common/window_manager.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "platform/message_box_wx.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <thread>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/window.h>

namespace desk {

namespace {

// A connection of our own to wait on: once the server has answered it, it has
// handled every XTest request sent before.
Display* Connection() {
    static Display* const display = XOpenDisplay(nullptr);
    return display;
}

// The part of a control that its parents show, in screen coordinates.
wxRect VisiblePart(wxWindow* control) {
    wxRect shown = control->GetScreenRect();
    for (wxWindow* parent = control->GetParent(); parent; parent = parent->GetParent()) {
        const wxRect client(parent->ClientToScreen(wxPoint(0, 0)), parent->GetClientSize());
        shown.Intersect(client);
        if (parent->IsTopLevel()) break;
    }
    return shown;
}

void ClickAt(const wxPoint& point, bool twice) {
    wxUIActionSimulator input;
    input.MouseMove(point);
    Settle();
    if (twice)
        input.MouseDblClick();
    else
        input.MouseClick();
    Settle();
}

} // namespace

bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        Pump(1);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void Settle() {
    if (Display* display = Connection()) XSync(display, False);
    // What the events start (focus moves, the window manager's answers) comes in a
    // few rounds; a short pause lets them arrive.
    for (int round = 0; round < 4; ++round) {
        Pump(3);
        std::this_thread::sleep_for(std::chrono::milliseconds(15));
    }
    Pump(3);
}

// Shown and drawn inside its parents; a window just mapped may still be taking
// its size and place, so this is waited for.
bool ShownWhole(wxWindow* control, wxRect* shown) {
    return WaitFor([control, shown] {
        if (!control->IsShownOnScreen()) return false;
        *shown = VisiblePart(control);
        return shown->width >= 4 && shown->height >= 4;
    });
}

bool Reachable(wxWindow* control) {
    wxRect shown;
    return control && ShownWhole(control, &shown);
}

bool Click(wxWindow* control, bool twice) {
    EXPECT_NE(control, nullptr);
    if (!control) return false;
    wxRect shown;
    if (!ShownWhole(control, &shown)) {
        ADD_FAILURE() << (control->IsShownOnScreen() ? "drawn outside its parents: "
                                                     : "not on the screen: ")
                      << control->GetLabel() << " at " << control->GetScreenRect().x << ","
                      << control->GetScreenRect().y;
        return false;
    }
    ClickAt(wxPoint(shown.x + shown.width / 2, shown.y + shown.height / 2), twice);
    return true;
}

bool ClickCell(CGridCtrl* grid, int row, int col, bool twice) {
    wxRect cell;
    if (!grid->GetCellRect(row, col, &cell)) {
        ADD_FAILURE() << "no cell " << row << "," << col;
        return false;
    }
    const wxRect shown = VisiblePart(grid);
    const wxPoint middle = grid->ClientToScreen(wxPoint(cell.x + cell.width / 2,
                                                        cell.y + cell.height / 2));
    if (!shown.Contains(middle)) {
        ADD_FAILURE() << "cell " << row << "," << col << " is not shown";
        return false;
    }
    ClickAt(middle, twice);
    return true;
}

wxRect ToolRect(wxToolBar* bar, int toolId) {
    // The toolkit's own item of the tool, looked up at run time as the program does:
    // the tests do not build against GTK.
    struct Allocation {
        int x, y, width, height;
    };
    using BinChild = void* (*)(void* bin);
    using NthItem = void* (*)(void* toolbar, int n);
    using GetAllocation = void (*)(void* widget, Allocation* allocation);
    static const auto binChild =
        reinterpret_cast<BinChild>(dlsym(RTLD_DEFAULT, "gtk_bin_get_child"));
    static const auto nthItem =
        reinterpret_cast<NthItem>(dlsym(RTLD_DEFAULT, "gtk_toolbar_get_nth_item"));
    static const auto getAllocation =
        reinterpret_cast<GetAllocation>(dlsym(RTLD_DEFAULT, "gtk_widget_get_allocation"));
    const int pos = bar->GetToolPos(toolId);
    if (!binChild || !nthItem || !getAllocation || pos == wxNOT_FOUND || !bar->IsShownOnScreen())
        return {};
    // The bar's window is a box holding the toolkit's toolbar.
    void* toolbar = binChild(bar->GetHandle());
    void* item = toolbar ? nthItem(toolbar, pos) : nullptr;
    if (!item) return {};
    Allocation at{};
    getAllocation(item, &at);
    return wxRect(bar->ClientToScreen(wxPoint(at.x, at.y)), wxSize(at.width, at.height));
}

bool ClickListItem(wxListCtrl* list, long item, bool twice) {
    wxRect row;
    if (!WaitFor([&] { return list->IsShownOnScreen() && list->GetItemRect(item, row); })) {
        ADD_FAILURE() << "no row " << item << " shown";
        return false;
    }
    ClickAt(list->ClientToScreen(wxPoint(row.x + std::min(row.width / 2, 20), row.y + row.height / 2)),
            twice);
    return true;
}

void Type(const wxString& text) {
    wxUIActionSimulator input;
    for (wxUniChar ch : text) {
        const unsigned code = ch.GetValue();
        if (code >= 0x20 && code < 0x7f) {
            const char one[2] = {char(code), 0};
            input.Text(one);
        } else {
            // GTK's own input method takes a character by its code.
            input.Char('u', wxMOD_CONTROL | wxMOD_SHIFT);
            char hex[16];
            std::snprintf(hex, sizeof hex, "%x", code);
            input.Text(hex);
            input.Char(' ');
        }
    }
    Settle();
}

void Key(int keyCode, int modifiers) {
    wxUIActionSimulator input;
    input.Char(keyCode, modifiers);
    Settle();
}

void Alt(char letter) {
    Key(wxTolower(letter), wxMOD_ALT);
}

// Menu keys reach the menu bar only once the main window has the input focus back
// from the dialog that was last up.
void WaitForMainWindow() {
    wxWindow* main = wxTheApp->GetTopWindow();
    const bool focused = WaitFor([main] {
        const unsigned long own = qv_test::XWindowOf(main);
        return own != 0 && qv_test::ActiveXWindow() == own;
    });
    EXPECT_TRUE(focused) << "the main window did not get the focus back";
}

void Menu(char menu, const char* items) {
    WaitForMainWindow();
    Alt(menu);
    for (const char* item = items; *item; ++item) {
        Settle();
        Key(wxTolower(*item));
    }
    Settle();
}

void MenuPath(wxFrame* frame, const std::vector<const char*>& labels) {
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_FALSE(labels.empty());
    const int top = bar->FindMenu(wxString::FromUTF8(labels[0]));
    ASSERT_NE(top, wxNOT_FOUND) << labels[0];
    const wxString title = bar->GetMenuLabel(top);
    const int amp = title.Find('&');
    ASSERT_NE(amp, wxNOT_FOUND) << labels[0];
    WaitForMainWindow();
    Alt(char(title[amp + 1].GetValue()));
    wxMenu* menu = bar->GetMenu(top);
    // A menu opened from the keyboard shows its first item chosen.
    menu->UpdateUI();
    for (size_t level = 1; level < labels.size(); ++level) {
        int downs = 0;
        wxMenuItem* found = nullptr;
        for (wxMenuItem* item : menu->GetMenuItems()) {
            if (item->IsSeparator()) continue;
            if (!item->IsEnabled()) continue; // the keys pass over it
            if (item->GetItemLabelText() ==
                wxMenuItem::GetLabelText(wxString::FromUTF8(labels[level]))) {
                found = item;
                break;
            }
            ++downs;
        }
        ASSERT_NE(found, nullptr) << labels[level];
        for (int i = 0; i < downs; ++i)
            Key(WXK_DOWN);
        if (level + 1 < labels.size()) {
            ASSERT_TRUE(found->IsSubMenu()) << labels[level];
            Key(WXK_RIGHT);
            menu = found->GetSubMenu();
        } else {
            Key(WXK_RETURN);
        }
    }
    Settle();
}

int InkPixels(wxWindow* control, const wxRect& area) {
    Display* display = Connection();
    if (!display || !control->IsShownOnScreen()) return 0;
    Settle();
    wxRect part(control->ClientToScreen(area.GetTopLeft()), area.GetSize());
    part.Intersect(VisiblePart(control));
    if (part.IsEmpty()) return 0;
    XImage* image = XGetImage(display, DefaultRootWindow(display), part.x, part.y, part.width,
                              part.height, AllPlanes, ZPixmap);
    if (!image) return 0;
    // A channel's value from its mask: the bits under it, scaled to 0..255.
    auto channel = [](unsigned long pixel, unsigned long mask) {
        if (!mask) return 0UL;
        unsigned long bits = mask;
        int shift = 0;
        for (; !(bits & 1); bits >>= 1)
            ++shift;
        return ((pixel & mask) >> shift) * 255 / bits;
    };
    int ink = 0;
    for (int y = 0; y < part.height; ++y)
        for (int x = 0; x < part.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            if (channel(pixel, image->red_mask) + channel(pixel, image->green_mask) +
                    channel(pixel, image->blue_mask) <
                200)
                ++ink;
        }
    XDestroyImage(image);
    return ink;
}

bool TooltipShown() {
    Display* display = Connection();
    if (!display) return false;
    XSync(display, False);
    const Atom typeAtom = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom tooltip = XInternAtom(display, "_NET_WM_WINDOW_TYPE_TOOLTIP", False);
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return false;
    bool shown = false;
    for (unsigned i = 0; i < count && !shown; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes) ||
            attributes.map_state != IsViewable)
            continue;
        Atom type = None;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, children[i], typeAtom, 0, 16, False, XA_ATOM, &type,
                               &format, &items, &after, &data) == Success &&
            data && format == 32) {
            const auto* types = reinterpret_cast<const Atom*>(data);
            shown = std::find(types, types + items, tooltip) != types + items;
        }
        if (data) XFree(data);
    }
    if (children) XFree(children);
    return shown;
}

void Shot(const char* step) {
    const char* folder = std::getenv("QV_SCREENSHOTS");
    if (!folder || !*folder) return;
    static int count = 0;
    Settle();
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    char name[512];
    std::snprintf(name, sizeof name, "%s/%s-%02d-%s.png", folder, test ? test->name() : "desk",
                  ++count, step);
    const std::string command = std::string("import -window root '") + name + "'";
    if (std::system(command.c_str()) != 0) ADD_FAILURE() << "no screenshot: " << command;
}

void CancelLeftOpen(wxDialog* dialog) {
    ADD_FAILURE() << "a dialog was left open: " << dialog->GetTitle();
    Shot("left-open");
    dialog->EndModal(wxID_CANCEL);
}

void UnansweredDialogs::Notify() {
    wxDialog* modal = nullptr;
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal())
            modal = dialog;
    ticks_ = modal && modal == seen_ ? ticks_ + 1 : 0;
    seen_ = modal;
    if (modal && ticks_ >= 120) { // a minute
        ADD_FAILURE() << "a dialog nobody answered: " << modal->GetTitle();
        Shot("unanswered");
        modal->EndModal(wxID_CANCEL);
        seen_ = nullptr;
        ticks_ = 0;
    }
}

// ---- message boxes ----------------------------------------------------------------

namespace {

// Answers the box the program has just put up, once the window manager has made it
// the active window: a message box of wx's own, or a native one (none of the
// program's other windows).
class BoxAnswer : public wxTimer {
public:
    explicit BoxAnswer(MessageBoxes::Reply reply) : reply_(reply) { Start(30); }
    void Notify() override {
        const unsigned long active = qv_test::ActiveXWindow();
        if (active == 0) return;
        // The program's boxes are wx's generic ones: any other window of ours is not
        // the box.
        for (wxWindow* window : wxTopLevelWindows)
            if (qv_test::XWindowOf(window) == active && !dynamic_cast<wxMessageDialogBase*>(window))
                return;
        // Keys go where the input focus is: wait until the manager has put it on the
        // box, not only marked the box active.
        Window focus = 0;
        int revert = 0;
        if (Display* display = Connection()) XGetInputFocus(display, &focus, &revert);
        if (focus != active && ++waited_ < 20) return;
        Stop();
        Shot("message-box");
        wxUIActionSimulator input;
        switch (reply_) {
        case MessageBoxes::kFirst:
            input.Char(WXK_RETURN);
            break;
        case MessageBoxes::kNo:
            input.Char('n', wxMOD_ALT);
            break;
        case MessageBoxes::kCancel:
            input.Char(WXK_ESCAPE);
            break;
        }
    }

private:
    MessageBoxes::Reply reply_;
    int waited_ = 0;
};

platform::MessageBoxHandler g_screenBox;

} // namespace

MessageBoxes::MessageBoxes() {
    if (!g_screenBox) {
        platform::InstallWxMessageBox();
        g_screenBox = platform::SetMessageBoxHandler(nullptr);
    }
    platform::SetMessageBoxHandler([this](const std::string& text, const std::string& caption,
                                          unsigned type) {
        shown_.push_back(text);
        Reply reply = kFirst;
        for (const auto& [part, answer] : rules_)
            if (text.find(part) != std::string::npos) {
                reply = answer;
                break;
            }
        BoxAnswer answer(reply);
        return g_screenBox(text, caption, type);
    });
}

MessageBoxes::~MessageBoxes() {
    platform::SetMessageBoxHandler(nullptr);
}

bool MessageBoxes::Showed(const char* text) const {
    for (const std::string& shown : shown_)
        if (shown.find(text) != std::string::npos) return true;
    return false;
}

} // namespace desk
