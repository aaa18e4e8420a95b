#include "data/column_conversion.h"

#include "data/column_grid.h"
#include "data/sql_text.h"
#include "data/value_check.h"
#include "platform/message_box.h"

#include <algorithm>
#include <wx/datetime.h>

namespace {

const char* const kRefusal = "选择或输入内容不对或不完整！无法完成操作。";
const wxString kOperators = "+-*/";

bool IsNumberType(long type) {
    return type == 131 || type == 3;
}

bool IsDateType(long type) {
    return type == 133 || type == 134 || type == 135;
}

bool IsTextType(long type) {
    return type == 129 || type == 200 || type == 201 || type == 202;
}

// The tokens between the operators; the operators themselves belong to none.
std::vector<wxString> Tokens(const wxString& expression) {
    std::vector<wxString> tokens(1);
    for (wxUniChar c : expression) {
        if (kOperators.Find(c) != wxNOT_FOUND)
            tokens.emplace_back();
        else
            tokens.back() += c;
    }
    return tokens;
}

wxString WithoutQuotes(wxString text) {
    const wxString marks[] = {"\"",
                              wxString::FromUTF8("“"),
                              wxString::FromUTF8("”"),
                              wxString::FromUTF8("‘"),
                              wxString::FromUTF8("’"),
                              "'"};
    for (const wxString& mark : marks)
        text.Replace(mark, wxString());
    return text;
}

} // namespace

CColumnConversion CColumnConversion::FromGrid(const CColumnGrid& grid) {
    std::vector<Field> fields;
    ado::RecordsetPtr rs = grid.GetGridRecordset();
    for (int i = 0; rs && i < rs->Fields().Count(); ++i) {
        ado::Field& field = rs->Fields().Item(i);
        fields.push_back({wxString::FromUTF8(field.Name()).Trim(true), field.Type()});
    }
    return CColumnConversion(std::move(fields));
}

const CColumnConversion::Field* CColumnConversion::Find(const wxString& name) const {
    for (const Field& field : m_fields)
        if (field.name == name) return &field;
    return nullptr;
}

std::vector<wxString> CColumnConversion::ListColumns(const CColumnGrid* grid) const {
    std::vector<wxString> headings;
    for (int column = 1; grid && column < grid->GetColumnCount(); ++column)
        headings.push_back(grid->GetItemText(0, column));
    std::vector<wxString> names;
    for (const Field& field : m_fields) {
        if (field.name.Contains("no") || field.name.Contains("flag")) continue;
        // A heading names its field whole: 价 is not shown by a column 单价.
        if (!headings.empty() &&
            std::find(headings.begin(), headings.end(), field.name) == headings.end())
            continue;
        names.push_back(field.name);
    }
    return names;
}

wxString CColumnConversion::StartingText(const wxString& field) const {
    const Field* found = Find(field);
    const long type = found ? found->type : 0;
    if (IsNumberType(type)) return field + "*";
    if (IsDateType(type)) return wxDateTime::Today().Format("%Y-%m-%d");
    return field + "+";
}

CColumnConversion::Verdict CColumnConversion::Check(const wxString& field, const wxString& typed,
                                                    wxString* result) const {
    result->clear();
    const Field* found = Find(field);
    if (!found) return Verdict::StayOpen;
    const long type = found->type;
    *result = field + "@&";
    wxString expression = typed;
    expression.Trim(true).Trim(false);
    if (IsNumberType(type) && !expression.empty() &&
        (kOperators.Find(expression[0]) != wxNOT_FOUND ||
         kOperators.Find(expression.Last()) != wxNOT_FOUND)) {
        platform::ShowMessageBox(kRefusal);
        return Verdict::Refused;
    }
    expression = WithoutQuotes(expression);
    *result = field + "@&" + expression;

    if (IsDateType(type)) {
        // A date the check had to repair or refuse is not taken as typed.
        wxString date;
        if (!CValueCheck::CheckAccepted(expression, 133, 8, &date) || date == "0:00:00" ||
            date == "0" || date.empty())
            return Verdict::StayOpen;
        *result = field + "@&" + date;
        return Verdict::Accepted;
    }
    for (const wxString& token : Tokens(expression)) {
        if (Find(token)) continue;
        bool valid = true;
        if (IsNumberType(type)) {
            wxString number;
            valid = token == "0" ||
                    (CValueCheck::CheckAccepted(token, 131, 18, &number) && number != "0");
        } else if (IsTextType(type)) {
            valid = token.empty() || !CValueCheck::CheckValue(token, 200, 30).empty();
        }
        if (!valid) {
            platform::ShowMessageBox(kRefusal);
            return Verdict::Refused;
        }
    }
    return Verdict::Accepted;
}

wxString CColumnConversion::SetExpression(const wxString& field, const wxString& expression) const {
    const Field* found = Find(field);
    const long type = found ? found->type : 0;
    if (IsDateType(type)) {
        const wxString date = CValueCheck::CheckValue(expression, 133, 8);
        return date == "0:00:00" ? wxString("{^//}") : "{^" + date + "}";
    }
    wxString text;
    wxString token;
    auto flush = [&] {
        if (Find(token))
            text += token;
        else if (IsNumberType(type))
            text += CValueCheck::CheckValue(token, 131, 18);
        else
            text += CSqlText::Quote(token);
        token.clear();
    };
    for (wxUniChar c : expression) {
        if (kOperators.Find(c) == wxNOT_FOUND) {
            token += c;
            continue;
        }
        flush();
        text += c;
    }
    flush();
    return text;
}
