#include "common/window_manager.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <dlfcn.h>
#include <vector>
#include <wx/window.h>

namespace qv_test {

namespace {

// A connection of our own: the toolkit's is not ours to query behind its back.
Display* Connection() {
    static Display* const display = XOpenDisplay(nullptr);
    return display;
}

std::vector<unsigned long> RootWindows(const char* property) {
    std::vector<unsigned long> windows;
    Display* display = Connection();
    if (!display) return windows;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom atom = XInternAtom(display, property, False);
    if (XGetWindowProperty(display, DefaultRootWindow(display), atom, 0, 4096, False, XA_WINDOW,
                           &type, &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* ids = reinterpret_cast<const unsigned long*>(data);
        windows.assign(ids, ids + count);
    }
    if (data) XFree(data);
    return windows;
}

} // namespace

bool WindowManagerRunning() {
    return !RootWindows("_NET_SUPPORTING_WM_CHECK").empty();
}

unsigned long XWindowOf(wxWindow* topLevel) {
    // Looked up at run time, as the program does: the tests do not build against GTK.
    using GetWindow = void* (*)(void* widget);
    using GetXid = unsigned long (*)(void* window);
    static const auto getWindow =
        reinterpret_cast<GetWindow>(dlsym(RTLD_DEFAULT, "gtk_widget_get_window"));
    static const auto getXid =
        reinterpret_cast<GetXid>(dlsym(RTLD_DEFAULT, "gdk_x11_window_get_xid"));
    if (!topLevel || !topLevel->GetHandle() || !getWindow || !getXid) return 0;
    void* window = getWindow(topLevel->GetHandle());
    return window ? getXid(window) : 0;
}

wxRect XScreenRectOf(wxWindow* topLevel) {
    Display* display = Connection();
    const unsigned long window = XWindowOf(topLevel);
    XWindowAttributes attributes;
    if (!display || !window || !XGetWindowAttributes(display, window, &attributes)) return {};
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

unsigned long ActiveXWindow() {
    const std::vector<unsigned long> active = RootWindows("_NET_ACTIVE_WINDOW");
    return active.empty() ? 0 : active[0];
}

bool StackedAbove(wxWindow* upper, wxWindow* lower) {
    const std::vector<unsigned long> order = RootWindows("_NET_CLIENT_LIST_STACKING");
    const auto up = std::find(order.begin(), order.end(), XWindowOf(upper));
    const auto down = std::find(order.begin(), order.end(), XWindowOf(lower));
    return up != order.end() && down != order.end() && up > down; // listed bottom first
}

} // namespace qv_test
