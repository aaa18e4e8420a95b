// The key under which the item of the focus row keeps its goods picture in `tpk`.
#include "data/record_fields.h"
#include "data/sql_text.h"
#include "grid/grid_ctrl.h"
#include "platform/wx_text.h"

wxString CGridCtrl::BuildPictureQuery() {
    if (!m_rsBound || !MoveToRowRecord(m_cellFocus.row)) return wxString();
    ado::Recordset& rs = *m_rsBound;
    auto has = [&rs](const char* field) { return rs.Fields().IndexOf(field) >= 0; };
    wxString key;
    const wxString code = has("编号") ? FieldText(rs, "编号") : wxString();
    if (!code.empty()) {
        key = CSqlText::Equals(U("编号"), code);
    } else if (has("车型") && (has("项目名称") || has("零件名称"))) {
        const wxString name = FieldText(rs, has("项目名称") ? "项目名称" : "零件名称");
        const wxString model = FieldText(rs, "车型");
        // A row without a name names no item, whatever its model.
        if (!name.empty()) key = CSqlText::Equals(U("项目名称"), name);
        if (!key.empty() && !model.empty())
            key = CSqlText::Equals(U("车型"), model) + " and " + key;
    }
    if (key.empty()) return wxString();
    return CSqlText::ReplaceParams("select * from ReplaceStr where ReplaceStr1", "tpk", key);
}
