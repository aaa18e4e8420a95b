// The grid's popup menu: records for every item, images in the native column,
// the owner's state applied before it opens.
#include "gui_test_app.h"

#include "grid/grid_popup_menu.h"

#include <wx/menu.h>

TEST(GridPopupMenu, TakesEveryItemOnceWithItsImage) {
    wxMenu menu;
    menu.Append(9915, wxString::FromUTF8("复制"));
    menu.AppendSeparator();
    menu.Append(9926, wxString::FromUTF8("插入行"));
    auto* sub = new wxMenu;
    sub->Append(9916, wxString::FromUTF8("升序"));
    menu.AppendSubMenu(sub, wxString::FromUTF8("排序"));
    CGridPopupMenu popup;
    wxBitmap image(16, 16);
    EXPECT_EQ(popup.AddImage(9926, image), 0);
    EXPECT_EQ(popup.FindImage(9926), 0);
    EXPECT_EQ(popup.FindImage(9915), -1);
    popup.MakeOwnerDraw(&menu);
    const auto& records = popup.Records();
    ASSERT_EQ(records.size(), 4u); // 9916, 9926, separator, 9915 (last to first)
    EXPECT_EQ(records[0]->id, 9916);
    EXPECT_EQ(records[1]->id, 9926);
    EXPECT_EQ(records[1]->image, 0);
    EXPECT_EQ(records[2]->id, MenuItemRecord::kSeparator);
    EXPECT_EQ(records[3]->text, wxString::FromUTF8("复制"));
    EXPECT_TRUE(menu.FindItem(9926)->GetBitmap().IsOk());
    EXPECT_EQ(menu.FindItemByPosition(2)->GetId(), 9926); // still in its place
    popup.MakeOwnerDraw(&menu);
    EXPECT_EQ(popup.Records().size(), 4u);
    // Record texts hold at most 127 GBK bytes.
    EXPECT_EQ(popup.AddItemRecord(wxString(wxUniChar(0x8F66), 100), 1)->text.length(), 63u);
}

TEST(GridPopupMenu, OwnerStateShowsBeforeOpening) {
    wxMenu menu;
    menu.Append(9926, wxString::FromUTF8("插入行"));
    menu.AppendCheckItem(9906, wxString::FromUTF8("表格设置"));
    wxEvtHandler owner;
    owner.Bind(
        wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Enable(false); }, 9926);
    owner.Bind(
        wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Check(true); }, 9906);
    CGridPopupMenu::UpdateMenuUI(&menu, &owner);
    EXPECT_FALSE(menu.IsEnabled(9926));
    EXPECT_TRUE(menu.IsChecked(9906));
}
