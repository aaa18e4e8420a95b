#pragma once
// The full menu trimmed to the logged-in user's rights: every denied right removes
// its items, found by their exact captions (mnemonic and accelerator text
// included), so a caption that differs removes nothing.
#include <vector>
#include <wx/string.h>

class CMainFrame;
class CMainFrameData;
class wxMenu;
class wxMenuBar;

struct MenuRemoval {
    int right;
    const char* top;  // caption of the top menu
    const char* item; // caption of its item (or popup)
    const char* sub;  // caption inside that popup, or empty for the item itself
};

// The items each right removes, by rising right.
const std::vector<MenuRemoval>& MenuRemovals();

// The position of the first item whose caption equals `caption` exactly, or -1.
int FindMenuItem(const wxMenuBar* bar, const wxString& caption);
int FindMenuItem(const wxMenu* menu, const wxString& caption);

// Removes one item found by its captions; a caption missing at any level removes
// nothing. True when an item was removed.
bool RemoveMenuItemByText(wxMenuBar* bar, const wxString& top, const wxString& item,
                          const wxString& sub);

// Removes the items of every right the rights string denies.
void TrimMenuByRights(wxMenuBar* bar, const CMainFrameData& rights);

// Removes every top menu and popup left without an item a user could ever choose
// (only separators, or only commands that stay disabled), and separators left at
// an end or doubled. Items of forms not built yet count as usable: they show
// disabled until their folder registers the form.
void RemoveEmptyMenus(wxMenuBar* bar);

// Gives the main window the full menu trimmed to its rights string (after a login,
// and after the users page changed the rights).
void LoadMenuForRights(CMainFrame& frame);
