#include "work/code_table_query.h"

#include "data/sql_text.h"
#include "platform/wx_text.h"

namespace work {

const wxString& AllText() {
    static const wxString text = U("全部");
    return text;
}

const wxString& FuzzyText() {
    static const wxString text = U("模糊查找");
    return text;
}

namespace {

bool IsChoice(const wxString& value) {
    return !value.empty() && value != AllText();
}

} // namespace

CodeTableStatement BuildCodeTableStatement(const CodeTableMode& mode,
                                           const CodeTableFilter& filter) {
    CodeTableStatement result;
    const wxString value = filter.search ? FuzzyText() : filter.value;
    wxString where;
    if (value == FuzzyText()) {
        const int at = filter.searchText.Lower().Find("where");
        if (at > 0) {
            where = " " + filter.searchText.Mid(at);
        } else {
            result.showsAll = true;
            where = " where no!=0";
        }
    } else {
        const wxString field = U(mode.filterField);
        if ((value.empty() || value == AllText()) && mode.mode != 4)
            where = " where no!=0";
        else if (value.empty()) // a field never filled holds null, not blanks
            where = " where (" + CSqlText::Equals(field, value) + " or " + field + " is null)";
        else
            where = " where " + CSqlText::Equals(field, value);
        if (mode.mode == 9 && IsChoice(filter.store))
            where += " and " + CSqlText::Contains(U("货位"), filter.store);
        if (mode.mode == 15 && IsChoice(filter.supplier))
            where += " and " + CSqlText::Equals(U("供应商"), filter.supplier);
    }
    wxString statement =
        mode.mode == 9
            ? U("select 车型,部位,零件名称,编号,单位,厂牌,数量,进价,代理价,批发价,零售价,货位,"
                "供应商,定货单,备注,no from ljkc")
            : "select * from " + wxString(mode.table);
    statement += where;
    if (filter.byPosition && HasPartPositionFilter(mode.mode))
        statement += " and " + CSqlText::Equals(U("部位"), filter.position);
    result.statement = statement;
    return result;
}

wxString DistinctValuesStatement(const wxString& field, const wxString& table) {
    return CSqlText::ReplaceParams("select distinct ReplaceStr from ReplaceStr1", field, table);
}

wxString PositionsStatement(const wxString& table, const wxString& model) {
    return DistinctValuesStatement(U("部位"), table) + " where " +
           CSqlText::Equals(U("车型"), model);
}

wxString QuickSearchWhere(const wxString& field, const wxString& text, const wxString& model) {
    const wxString condition =
        field == U("简码")
            ? U("零件名称 in(select 零件名称 from jmb where ") + CSqlText::Contains(field, text) +
                  ")"
            : CSqlText::Contains(field, text);
    if (model.empty()) return " where " + condition;
    return " where " + CSqlText::Equals(U("车型"), model) + " and " + condition;
}

} // namespace work
