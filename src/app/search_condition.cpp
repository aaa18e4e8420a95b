#include "app/search_condition.h"

#include "data/sql_text.h"
#include "data/value_check.h"

CSearchCondition::TypeGroup CSearchCondition::GroupOf(long adoType) {
    switch (adoType) {
    case 3:
    case 131:
        return TypeGroup::Number;
    case 129:
    case 200:
    case 201:
    case 202:
        return TypeGroup::Text;
    case 133:
    case 134:
    case 135:
        return TypeGroup::Date;
    default:
        return TypeGroup::Other;
    }
}

const wxString& CSearchCondition::NoQuoteMessage() {
    static const wxString text = wxString::FromUTF8("查询值中不能包含单引号！查询失败。");
    return text;
}

wxString CSearchCondition::NumberText(const wxString& checked, long adoType) {
    if (adoType == 3) {
        long value = 0;
        checked.ToLong(&value);
        return wxString::Format("%ld", value);
    }
    wxString money = checked;
    CValueCheck::FormatMoney(money);
    return money;
}

wxString CSearchCondition::Criterion(const wxString& field, long adoType, long definedSize,
                                     const wxString& value) {
    const TypeGroup group = GroupOf(adoType);
    if (group != TypeGroup::Number && group != TypeGroup::Text) return wxString();
    const wxString checked = CValueCheck::CheckValue(value, adoType, definedSize);
    if (group == TypeGroup::Number) return field + "=" + NumberText(checked, adoType);
    return field + " like '%" + checked + "%'";
}

wxString CSearchCondition::Statement(const wxString& field, long adoType, long definedSize,
                                     const wxString& op, const wxString& value) {
    const TypeGroup group = GroupOf(adoType);
    if (field.empty() || op.empty() || value.empty() || group == TypeGroup::Other)
        return wxString();
    const wxString checked = CValueCheck::CheckValue(value, adoType, definedSize);
    switch (group) {
    case TypeGroup::Number:
        return field + op + NumberText(checked, adoType);
    case TypeGroup::Text:
        // A typed "%" or "_" is looked for as itself.
        if (op == "like") return CSqlText::Contains(field, checked);
        return CSqlText::Equals(field, checked);
    default:
        return field + op + "{^" + checked + "}";
    }
}
