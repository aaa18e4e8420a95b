#include "data/maintenance_hints.h"

#include "data/data_set.h"
#include "data/record_fields.h"
#include "platform/wx_text.h"

#include <wx/arrstr.h>

namespace {

// The card's items that are maintenance items of the class replaced in maintenance,
// directly or through a same-name row; `tmlj` is joined only when it has rows.
wxString CardStatement(bool withSameNames) {
    const char* joined =
        "select zyxm.项目名称,更换间隔 as 保养里程,保养类 from zyxm,byxmb,tmlj where  "
        "保养类=ReplaceStr and 客户=ReplaceStr and (byxmb.项目名称=zyxm.项目名称 or "
        "zyxm.项目名称=tmlj.项目名称 and byxmb.项目名称=tmlj.等同名) and (zyxm.项目名称 "
        "in(select 项目名称 from byxmb where 处理方法 like '%更换%' and 保养类=ReplaceStr1) or "
        "zyxm.项目名称=tmlj.项目名称) group by zyxm.项目名称";
    const char* direct =
        "select zyxm.项目名称,更换间隔 as 保养里程,保养类 from zyxm,byxmb where  "
        "保养类=ReplaceStr and 客户=ReplaceStr and byxmb.项目名称=zyxm.项目名称 and "
        "zyxm.项目名称 in(select 项目名称 from byxmb where 处理方法 like '%更换%' and "
        "保养类=ReplaceStr1) group by zyxm.项目名称";
    return U(withSameNames ? joined : direct);
}

} // namespace

std::vector<MaintenanceHint>
CMaintenanceHints::Load(const wxString& plate, const wxString& maintenanceClass, long reading) {
    std::vector<MaintenanceHint> hints;
    const wxString cls = maintenanceClass.empty() ? U("通用") : maintenanceClass;
    CDataSet due;
    due.CheckMaintenanceDue(plate, 0);
    CDataSet sameNames;
    sameNames.Open("select * from tmlj");
    if (!due.IsOpen() || !sameNames.IsOpen()) return hints;
    const ado::RecordsetPtr tmlj = sameNames.m_pRecordset;

    // Names met so far, each wrapped in commas: an item prints once per group.
    wxString met;
    auto firstOfGroup = [&](const wxString& name) {
        wxString group = CDataSet::LookupAlias(tmlj, name);
        if (group.empty()) group = "," + name + ",";
        for (const wxString& member : wxSplit(group.Mid(1, group.length() - 2), ','))
            if (met.Contains("," + member + ",")) return false;
        met += group;
        return true;
    };
    try {
        CDataSet card;
        wxString statement =
            CDataSet::ReplaceParam(CardStatement(tmlj->RecordCount() > 0), CDataSet::Quote(cls));
        card.Open(CDataSet::ReplaceParams(statement, CDataSet::Quote(plate), CDataSet::Quote(cls)));
        if (!card.IsOpen()) return hints;
        ado::Recordset& items = *card.m_pRecordset;
        if (items.RecordCount() > 0)
            for (items.MoveFirst(); !items.EndOfFile(); items.MoveNext()) {
                const wxString name = FieldText(items, "项目名称");
                if (name.empty() || !firstOfGroup(name)) continue;
                const long interval = static_cast<long>(FieldNumber(items, "保养里程"));
                hints.push_back(
                    {name, reading > 0 && interval > 0 ? reading + interval : interval});
            }
        ado::Recordset& done = *due.m_pRecordset;
        if (done.RecordCount() > 0)
            for (done.MoveFirst(); !done.EndOfFile(); done.MoveNext()) {
                const wxString name = FieldText(done, "项目名称");
                if (name.empty() || !firstOfGroup(name)) continue;
                hints.push_back({name, static_cast<long>(FieldNumber(done, "保养里程"))});
            }
    } catch (const ado::ComError&) {
        hints.clear(); // a page without hints rather than no page
    }
    return hints;
}
