// The grid's context menu: which commands a grid offers for its focus cell, and
// where the grid's own commands are handled.
#include "grid/grid_context_menu.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_popup_menu.h"
#include "grid/grid_record_fields.h"
#include "grid/print_seam.h"
#include "platform/wx_text.h"

#include <wx/menu.h>

namespace {
// Tables whose rows are no goods, so they have no goods picture.
bool HasPictures(const wxString& table) {
    return table != "ygk" && table != "wxxm";
}

GridMenuHandler& MenuHandler() {
    static GridMenuHandler handler;
    return handler;
}
} // namespace

void SetGridMenuHandler(GridMenuHandler handler) {
    MenuHandler() = std::move(handler);
}

void CGridCtrl::BindContextMenu() {
    Bind(wxEVT_RIGHT_DOWN, &CGridCtrl::OnContextMenu, this);
    const std::pair<int, void (CGridCtrl::*)()> commands[] = {
        {ID_GRID_COPY_ROW, &CGridCtrl::OnCopyRow},
        {ID_GRID_PASTE_ROW, &CGridCtrl::OnPasteRow},
        {ID_GRID_NO_DISCOUNT, &CGridCtrl::OnToggleNoDiscount},
        {ID_GRID_WARRANTY_PART, &CGridCtrl::OnToggleWarrantyPart},
        {ID_GRID_GIFT, &CGridCtrl::OnToggleGift},
        {ID_GRID_SETUP_MENU, &CGridCtrl::OnGridSetup},
        {ID_GRID_PRINT, &CGridCtrl::OnPrintGrid},
        {ID_GRID_PRINT_PREVIEW, &CGridCtrl::OnPrintPreview},
        {ID_GRID_SORT, &CGridCtrl::OnSortColumn},
        {ID_GRID_INSERT_ROW_BEFORE, &CGridCtrl::OnInsertRowBefore},
        {ID_GRID_INSERT_COLUMN_BEFORE, &CGridCtrl::OnInsertColumnBefore},
        {ID_GRID_SELECT_CURRENT_ROW, &CGridCtrl::OnSelectCurrentRow},
        {ID_GRID_SELECT_ALL_ROWS, &CGridCtrl::OnSelectAllRows},
    };
    for (const auto& command : commands) {
        auto handler = command.second;
        Bind(
            wxEVT_MENU, [this, handler](wxCommandEvent&) { (this->*handler)(); }, command.first);
    }
    for (int id : {ID_GRID_IMPORT_TABLE, ID_GRID_EXPORT_TABLE, ID_GRID_LINK_PICTURE,
                   ID_GRID_SHOW_PICTURE, ID_GRID_COLUMN_OPERATION, ID_GRID_EXPORT_EXCEL})
        Bind(
            wxEVT_MENU,
            [this, id](wxCommandEvent&) {
                if (MenuHandler()) MenuHandler()(*this, id);
            },
            id);
}

std::unique_ptr<wxMenu> CGridCtrl::CreateContextMenu() const {
    if (!m_rsBound || !m_rsBound->IsOpen() || m_cellFocus.row <= 0) return nullptr;
    auto menu = std::make_unique<wxMenu>();
    if (m_bPickGrid) {
        ActiveSheetLines sheet;
        if (GetActiveSheetLines(sheet)) {
            menu->Append(ID_GRID_SELECT_CURRENT_ROW, U("选择当前行"));
            menu->Append(ID_GRID_SELECT_ALL_ROWS, U("全选"));
            menu->AppendSeparator();
        }
    } else {
        menu->Append(kInsertRowCommand, U("插入行"));
        menu->Append(ID_GRID_COLUMN_OPERATION, U("列操作"));
        menu->Append(ID_GRID_COPY_ROW, U("行复制"));
        menu->Append(ID_GRID_PASTE_ROW, U("行粘贴"));
        menu->AppendSeparator();
        if (m_strTableName == "zyxm" && m_nRowCount > 1) {
            const int image = GetItemImage(m_cellFocus.row, 0);
            if (image < 0) {
                menu->Append(ID_GRID_NO_DISCOUNT, U("不允许打折"));
                menu->Append(ID_GRID_WARRANTY_PART, U("三包零件"));
                menu->Append(ID_GRID_GIFT, U("赠送"));
            } else if (image == 1) {
                menu->Append(ID_GRID_NO_DISCOUNT, U("允许打折"));
            } else if (image == 2) {
                menu->Append(ID_GRID_WARRANTY_PART, U("非三包零件"));
            } else {
                menu->Append(ID_GRID_GIFT, U("取消赠送"));
            }
            menu->AppendSeparator();
        }
    }
    menu->Append(ID_GRID_SETUP_MENU, U("表格设置"));
    menu->Append(ID_GRID_PRINT, U("打印"));
    menu->Append(ID_GRID_PRINT_PREVIEW, U("打印预览"));

    const int col = m_cellFocus.col;
    bool sorts = col > 0 && m_nRestrictSort == 0;
    if (col > 0 && m_nRestrictSort != 0 && m_bEditMode) {
        ado::Fields& fields = m_rsBound->Fields();
        const int field = grid_fields::FieldOfTitle(fields, GetItemText(0, col));
        const long type = field >= 0 ? fields.Item(field).Type() : 0;
        sorts = type != 131 && type != 3;
    }
    if (sorts) menu->Append(ID_GRID_SORT, U("排序"));

    menu->AppendSeparator();
    menu->Append(ID_GRID_EXPORT_TABLE, U("导出表格"));
    menu->Append(ID_GRID_EXPORT_EXCEL, U("导出Excel"));
    menu->Append(ID_GRID_IMPORT_TABLE, U("导入表格"));
    if (HasPictures(m_strTableName)) {
        menu->AppendSeparator();
        menu->Append(ID_GRID_LINK_PICTURE, U("链接图片"));
        menu->Append(ID_GRID_SHOW_PICTURE, U("显示图片"));
    }
    return menu;
}

void CGridCtrl::OnContextMenu(wxMouseEvent& event) {
    if (!m_rsBound) return;
    std::unique_ptr<wxMenu> menu = CreateContextMenu();
    if (menu) {
        CGridPopupMenu popup;
        popup.MakeOwnerDraw(menu.get());
        CGridPopupMenu::Track(menu.get(), this, ClientToScreen(event.GetPosition()));
    }
    event.Skip();
}
