#pragma once
// The two menus of the main window: the small one before login (IDR_LOGIN_MENU)
// and the full one after login (IDR_MAINFRAME), built from one table each.
#include <wx/menu.h>

namespace res {

// A new menu bar for the menu resource, or null for an unknown ID. The captions are
// the ones the rights trimming looks up, accelerator text included.
wxMenuBar* LoadMenuBar(int menuId);

} // namespace res
