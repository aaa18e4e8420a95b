#include "work/follow_up_query.h"

#include "data/data_set.h"
#include "data/record_fields.h"
#include "platform/wx_text.h"

#include <wx/tokenzr.h>

namespace {
// An empty or unreadable date would make the statement compare with "{^}".
bool IsDate(const wxString& text) {
    wxDateTime date;
    return date.ParseISODate(text);
}
} // namespace

wxString CFollowUpQuery::ItemCondition(const wxString& typed) {
    wxString items = typed;
    items.Replace("\r", "");
    items.Replace("\n", ",");
    items.Replace(U("，"), ",");
    wxString condition = "(";
    wxStringTokenizer names(items, ",", wxTOKEN_STRTOK);
    while (names.HasMoreTokens()) {
        const wxString name = names.GetNextToken();
        if (condition != "(") condition += " or ";
        condition += U("项目名称=") + CSqlText::Quote(name) + " ";
    }
    return condition == "(" ? wxString() : condition + ")";
}

wxString CFollowUpQuery::Statement(const wxString& typedItems, const wxString& from,
                                   const wxString& to, const wxString& lowPrice,
                                   const wxString& highPrice) {
    const wxString items = ItemCondition(typedItems);
    double low = 0, high = 0;
    if (items.empty() || !IsDate(from) || !IsDate(to) ||
        !lowPrice.Strip(wxString::both).ToCDouble(&low) ||
        !highPrice.Strip(wxString::both).ToCDouble(&high))
        return wxString();
    const wxString statement =
        U("select 客户 as 车牌号码,项目名称,单价,码表 as 当时里程,日期,码表 as 最近里程,日期 as "
          "最近来访,车主姓名,性别,单位电话,住宅电话,手机,gk.车型 from ljsh,gk where "
          "车牌号码=客户 and flag='W' and ") +
        items + U(" and 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} and 单价>=") +
        wxString::FromCDouble(low) + U(" and 单价<=") + wxString::FromCDouble(high) +
        U(" group by 客户,项目名称");
    return CSqlText::ReplaceParams(statement, from, to);
}

wxString CFollowUpQuery::LatestStatement(const wxString& from, const wxString& to) {
    return CSqlText::ReplaceParams(
        U("select 客户 as 车牌号码,码表 as 最近里程,MAX(日期) as 最近来访 from ljsh where "
          "flag='W' and 日期>={^ReplaceStr} and 日期<={^ReplaceStr1}  group by 客户"),
        from, to);
}

bool CFollowUpQuery::Load(CDataSet& list, const wxString& statement, const wxString& from,
                          const wxString& to) {
    if (statement.empty()) return false;
    list.Open(statement);
    if (!list.IsOpen()) return false;
    CDataSet latest;
    latest.Open(LatestStatement(from, to));
    ado::Recordset& rows = *list.m_pRecordset;
    if (!latest.IsOpen() || rows.RecordCount() < 1 || latest.m_pRecordset->RecordCount() < 1)
        return true;
    ado::Recordset& visits = *latest.m_pRecordset;
    for (rows.MoveFirst(); !rows.EndOfFile(); rows.MoveNext()) {
        const wxString plate = FieldText(rows, "车牌号码");
        if (plate.empty()) continue;
        visits.MoveFirst();
        visits.Find(CSqlText::Criterion(U("车牌号码"), plate).utf8_string());
        if (visits.EndOfFile()) continue;
        for (const char* field : {"最近里程", "最近来访"})
            rows.Fields()
                .Item(U(field).utf8_string())
                .PutValue(visits.Fields().Item(U(field).utf8_string()).Value());
    }
    rows.MoveFirst();
    return true;
}
