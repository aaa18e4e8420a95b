#pragma once
// CGridPopupMenu: the grid's context menu. GTK draws menus itself, so the flat
// look of the program's menus is left to the theme: items keep their records and
// images, the images show in the native image column. What GTK cannot draw: the
// bold default item, the etched separators in the program's own colours, and the
// 3-D frame around item images and popup titles.
#include <memory>
#include <set>
#include <vector>
#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxMenu;
class wxMenuItem;
class wxEvtHandler;
class wxWindow;

struct MenuItemRecord {
    enum : int { kPopupTitle = -2, kSeparator = -3, kTopPopupTitle = -4 };
    int image = -1; // image index, or the kind of a record that is no command
    int id = 0;     // command ID, or the kind
    wxString text;  // at most 127 GBK bytes
};

class CGridPopupMenu {
public:
    CGridPopupMenu();

    // Takes every item of the menu (and its submenus) into a record and gives
    // command items their mapped image. Items already taken stay as they are.
    void MakeOwnerDraw(wxMenu* menu);
    MenuItemRecord* AddItemRecord(const wxString& text, int id);
    // The image index mapped to a command ID, -1 when none.
    int FindImage(int id) const;
    // Maps a command to an image; returns the image's index.
    int AddImage(int id, const wxBitmap& bitmap);
    // Lets the target enable, check and rename the items before the menu opens.
    static void UpdateMenuUI(wxMenu* menu, wxEvtHandler* target);
    // Shows the menu at a screen point; commands go to the owner's handlers.
    static void Track(wxMenu* menu, wxWindow* owner, const wxPoint& screenPoint);

    const std::vector<std::unique_ptr<MenuItemRecord>>& Records() const { return m_items; }

    wxSize m_szImage{20, 20};

private:
    void Convert(wxMenu* menu, int level);

    std::vector<std::unique_ptr<MenuItemRecord>> m_items;
    std::vector<std::pair<int, int>> m_imageMap; // (image index, command ID)
    std::vector<wxBitmap> m_images;
    std::set<const wxMenuItem*> m_converted;
};
