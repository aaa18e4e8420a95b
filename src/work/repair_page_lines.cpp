// A name or a code typed into a repair card's line: looked up in the stock and the
// labour items, the chosen row is taken into the line with its prices.
#include "work/line_fields.h"
#include "work/part_pick_dlg.h"
#include "work/repair_page.h"
#include "work/work_sheet.h"

#include "grid/grid_ctrl.h"
#include "platform/wx_text.h"

using namespace work;

bool WXZY::LookupTypedItem(int row, int col, const wxString& typed) {
    const bool byName = m_pGrid->GetItemText(0, col) == U("项目名称");
    const wxString statement =
        U(kStockStatement) + CDataSet::Contains(byName ? U("零件名称") : U("编号"), typed);
    // A repair card finds labour items by the same name or code.
    const wxString labour = GetSheet()->GetMode() == 'W'
                                ? CDataSet::Contains(byName ? U("项目名称") : U("编号"), typed)
                                : wxString();
    CPartPickDlg chooser(statement, labour);
    if (chooser.ShowModal() != wxID_OK) return false;
    const PickedPart& part = chooser.Picked();
    if (!m_pGrid->MoveToRowRecord(row)) return false;
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;

    const std::pair<const char*, wxString> shown[] = {{"项目名称", part.name},
                                                      {"编号", part.code},
                                                      {"单位", part.unit},
                                                      {"数量", "1"},
                                                      {"货位", part.bin}};
    for (const auto& [title, value] : shown)
        if (int column = ColumnOf(U(title)); column > 0) {
            m_pGrid->SetItemText(row, column, value);
            m_pGrid->PutFieldText(column, row, value);
        }
    m_pGrid->MoveToRowRecord(row);
    PutText(rs, "车型", part.model);
    PutNull(rs, "单价");
    const std::pair<const char*, wxString> prices[] = {
        {"零售价", part.retail}, {"批发价", part.wholesale}, {"进价", part.cost}};
    for (const auto& [field, value] : prices)
        if (value.empty())
            PutNull(rs, field);
        else
            PutNumber(rs, field, wxAtof(value));
    if (!part.brand.empty()) PutText(rs, "厂牌", part.brand);
    // A labour item chosen for the line makes it a labour line.
    PutText(rs, "WX", part.IsLabour() ? "W" : "");
    if (!part.IsLabour()) PutNull(rs, "WX");
    m_pGrid->SetFocusCell(row, col);
    AddLine(false);
    m_pGrid->MoveToRowRecord(row);
    RecalcLine(row);
    UpdateTotals();
    return true;
}
