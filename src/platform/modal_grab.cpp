#include "platform/modal_grab.h"

#include <wx/window.h>

#ifdef __WXGTK__
#include <dlfcn.h>
#endif

namespace platform {

void ExemptFromModalGrab(wxWindow* topLevel) {
#ifdef __WXGTK__
    // The GTK functions come from the toolkit wx already loaded; looked up at run
    // time, since the program does not build against GTK's own headers.
    using NewGroup = void* (*)();
    using AddWindow = void (*)(void* group, void* window);
    using Unref = void (*)(void* object);
    static const auto newGroup =
        reinterpret_cast<NewGroup>(dlsym(RTLD_DEFAULT, "gtk_window_group_new"));
    static const auto addWindow =
        reinterpret_cast<AddWindow>(dlsym(RTLD_DEFAULT, "gtk_window_group_add_window"));
    static const auto unref = reinterpret_cast<Unref>(dlsym(RTLD_DEFAULT, "g_object_unref"));
    if (!topLevel || !topLevel->GetHandle() || !newGroup || !addWindow || !unref) return;
    void* group = newGroup();
    addWindow(group, topLevel->GetHandle());
    unref(group); // the window keeps the group alive
#else
    (void)topLevel;
#endif
}

} // namespace platform
