#include "grid/grid_popup_menu.h"

#include "platform/gbk.h"

#include <wx/menu.h>
#include <wx/window.h>

CGridPopupMenu::CGridPopupMenu() = default;

MenuItemRecord* CGridPopupMenu::AddItemRecord(const wxString& text, int id) {
    auto record = std::make_unique<MenuItemRecord>();
    record->image = id >= 0 ? FindImage(id) : id;
    record->id = id;
    record->text = wxString::FromUTF8(platform::CutToGbkBytes(text.utf8_string(), 127));
    m_items.push_back(std::move(record));
    return m_items.back().get();
}

int CGridPopupMenu::FindImage(int id) const {
    for (const auto& entry : m_imageMap)
        if (entry.second == id) return entry.first;
    return -1;
}

int CGridPopupMenu::AddImage(int id, const wxBitmap& bitmap) {
    m_images.push_back(bitmap);
    const int index = static_cast<int>(m_images.size()) - 1;
    m_imageMap.emplace_back(index, id);
    return index;
}

void CGridPopupMenu::MakeOwnerDraw(wxMenu* menu) {
    if (menu) Convert(menu, 0);
}

void CGridPopupMenu::Convert(wxMenu* menu, int level) {
    const int count = static_cast<int>(menu->GetMenuItemCount());
    for (int pos = count - 1; pos >= 0; --pos) {
        wxMenuItem* item = menu->FindItemByPosition(pos);
        if (!item || m_converted.count(item)) continue;
        m_converted.insert(item);
        if (item->IsSeparator()) {
            AddItemRecord(wxString(), MenuItemRecord::kSeparator);
        } else if (wxMenu* sub = item->GetSubMenu()) {
            Convert(sub, level + 1);
            if (level > 0 && !item->GetItemLabelText().empty())
                AddItemRecord(item->GetItemLabelText(), level == 1 ? MenuItemRecord::kTopPopupTitle
                                                                   : MenuItemRecord::kPopupTitle);
        } else if (item->GetKind() == wxITEM_NORMAL && !item->GetBitmap().IsOk()) {
            MenuItemRecord* record = AddItemRecord(item->GetItemLabel(), item->GetId());
            if (record->image >= 0) {
                // GTK builds an item's image when the item is added, so the item is
                // put back in its place with the image.
                menu->Remove(item);
                item->SetBitmap(m_images[record->image]);
                menu->Insert(pos, item);
            }
        }
    }
}

void CGridPopupMenu::UpdateMenuUI(wxMenu* menu, wxEvtHandler* target) {
    if (menu) menu->UpdateUI(target);
}

void CGridPopupMenu::Track(wxMenu* menu, wxWindow* owner, const wxPoint& screenPoint) {
    if (menu && owner) owner->PopupMenu(menu, owner->ScreenToClient(screenPoint));
}
