// The maintenance-due check of a vehicle and the same-name groups it folds by.
#include "data/data_set.h"
#include "data/record_fields.h"
#include "data/system_options.h"
#include "platform/wx_text.h"

#include <algorithm>

namespace {

CDataSet::MaintenanceDueViewer& Viewer() {
    static CDataSet::MaintenanceDueViewer viewer;
    return viewer;
}

// The items last done on the vehicle that are maintenance items of its class replaced
// in maintenance, directly or through a same-name row. The statement joins `tmlj`
// only when it has rows: a join with an empty table would return nothing at all.
wxString DueStatement(bool withSameNames) {
    const char* joined =
        "select ljsh.项目名称,max(日期),码表,(byxmb.更换间隔+码表) as 保养里程,单价,编号,"
        "byxmb.处理方法 from ljsh,byxmb,tmlj where flag='W' and (byxmb.项目名称=ljsh.项目名称 "
        "or ljsh.项目名称=tmlj.项目名称 and byxmb.项目名称=tmlj.等同名) and 保养类=ReplaceStr "
        "and 客户=ReplaceStr and (ljsh.项目名称 in(select 项目名称 from byxmb where 处理方法 "
        "like '%更换%' and 保养类=ReplaceStr1) or ljsh.项目名称=tmlj.项目名称) group by "
        "ljsh.项目名称 order by 日期";
    const char* direct =
        "select ljsh.项目名称,max(日期),码表,(byxmb.更换间隔+码表) as 保养里程,单价,编号,"
        "byxmb.处理方法 from ljsh,byxmb where flag='W' and byxmb.项目名称=ljsh.项目名称 and "
        "保养类=ReplaceStr and 客户=ReplaceStr and ljsh.项目名称 in(select 项目名称 from byxmb "
        "where 处理方法 like '%更换%' and 保养类=ReplaceStr1) group by ljsh.项目名称 order by 日期";
    return U(withSameNames ? joined : direct);
}

bool InGroup(const wxString& group, const wxString& name) {
    return group.Contains("," + name + ",");
}

} // namespace

void CDataSet::SetMaintenanceDueViewer(MaintenanceDueViewer viewer) {
    Viewer() = std::move(viewer);
}

wxString CDataSet::LookupAlias(const ado::RecordsetPtr& tmljRows, const wxString& name) {
    if (!tmljRows || !tmljRows->IsOpen() || tmljRows->RecordCount() < 1) return wxString();
    std::vector<std::pair<wxString, wxString>> rows;
    for (tmljRows->MoveFirst(); !tmljRows->EndOfFile(); tmljRows->MoveNext())
        rows.emplace_back(FieldText(*tmljRows, "项目名称"), FieldText(*tmljRows, "等同名"));
    const wxString wanted = wxString(name).Trim(true);
    auto found = std::find_if(rows.begin(), rows.end(),
                              [&](const auto& row) { return row.first == wanted; });
    if (found == rows.end())
        found = std::find_if(rows.begin(), rows.end(),
                             [&](const auto& row) { return row.second == wanted; });
    if (found == rows.end()) return wxString();
    const auto [a, b] = *found;
    wxString group = ",";
    auto add = [&group](const wxString& member) {
        if (!member.empty() && !InGroup(group, member)) group += member + ",";
    };
    for (const auto& [x, y] : rows)
        if (x == a || y == b || y == a || x == b) {
            add(y);
            add(x);
        }
    return group;
}

void CDataSet::CheckMaintenanceDue(const wxString& plateText, int show) {
    // The vehicle: its plate as stored and its maintenance class.
    wxString plate = plateText;
    wxString maintenanceClass;
    Open("select * from gk where " + Contains(U("车牌号码"), plateText));
    if (!IsOpen()) return;
    if (m_pRecordset->RecordCount() > 0) {
        m_pRecordset->MoveFirst();
        plate = FieldText(*m_pRecordset, "车牌号码", plateText);
        maintenanceClass = FieldText(*m_pRecordset, "保养类");
    }
    if (maintenanceClass.empty()) maintenanceClass = U("通用");

    CDataSet sameNames;
    sameNames.Open(ReplaceParams("select ReplaceStr from ReplaceStr1", "*", "tmlj"));
    if (!sameNames.IsOpen()) return;
    const ado::RecordsetPtr tmlj = sameNames.m_pRecordset;

    wxString statement =
        ReplaceParam(DueStatement(tmlj->RecordCount() > 0), Quote(maintenanceClass));
    statement = ReplaceParams(statement, Quote(plate), Quote(maintenanceClass));
    Open(statement);
    if (!IsOpen()) return;
    ado::Recordset& due = *m_pRecordset;

    // Of every same-name group the latest row stays: the list is oldest first, so it is
    // walked from its end and older rows of a group met already are dropped.
    if (due.RecordCount() > 0) {
        wxString met;
        due.MoveLast();
        while (!due.BOF()) {
            const wxString name = FieldText(due, "项目名称");
            if (!due.Fields().Item("项目名称").Value().IsNull()) {
                if (InGroup(met, name)) {
                    due.Delete();
                } else {
                    const wxString group = LookupAlias(tmlj, name);
                    met += group.empty() ? "," + name + "," : group;
                }
            }
            due.MovePrevious();
        }
    }
    if (!show) return;

    CSystemOptions options;
    options.LoadSettings();
    if (options.GetIntOption(U("检查")) != 0) {
        // The items of the class never done on the vehicle are listed too.
        CDataSet items;
        items.Open(ReplaceParams("select * from ReplaceStr where ReplaceStr1", "byxmb",
                                 U("保养类=") + Quote(maintenanceClass)));
        if (items.IsOpen() && items.m_pRecordset->RecordCount() > 0) {
            ado::RecordsetPtr item = items.m_pRecordset;
            for (item->MoveFirst(); !item->EndOfFile(); item->MoveNext()) {
                const wxString name = FieldText(*item, "项目名称");
                const wxString group = LookupAlias(tmlj, name);
                bool listed = false;
                if (due.RecordCount() > 0)
                    for (due.MoveFirst(); !due.EndOfFile() && !listed; due.MoveNext()) {
                        const wxString dueName = FieldText(due, "项目名称");
                        listed = group.empty() ? dueName == name : InGroup(group, dueName);
                    }
                if (!listed) CopyRecordsQuiet(item, m_pRecordset, true, wxString());
            }
            due.Update();
        }
    }
    if (due.RecordCount() > 0 && Viewer()) {
        due.MoveFirst();
        Viewer()(*this);
    }
}
