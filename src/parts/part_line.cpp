#include "parts/part_line.h"

#include "platform/gbk.h"
#include "platform/money.h"

#include <cmath>

namespace parts {

const char* PartLine::KeyField() const {
    if (!code.empty()) return "编号";
    if (!name.empty()) return "零件名称";
    return "";
}

bool PartLine::SamePart(const wxString& rowCode, const wxString& rowName,
                        const wxString& rowModel) const {
    if (!code.empty()) return rowCode == code;
    return !name.empty() && rowName == name && rowModel == model;
}

bool HasField(ado::Recordset& rs, const char* field) {
    return rs.Fields().IndexOf(field) >= 0;
}

wxString Text(ado::Recordset& rs, const char* field) {
    const ado::Variant value = rs.Fields().Item(field).Value();
    if (value.IsNull() || value.IsEmpty()) return wxString();
    return wxString::FromUTF8(value.ToString()).Trim(true);
}

std::optional<double> Number(ado::Recordset& rs, const char* field) {
    const ado::Variant value = rs.Fields().Item(field).Value();
    if (value.IsNull() || value.IsEmpty()) return std::nullopt;
    try {
        return value.ToDouble();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void PutText(ado::Recordset& rs, const char* field, const wxString& text) {
    ado::Field& target = rs.Fields().Item(field);
    wxString value = text;
    value.Trim(true);
    if (value.empty()) {
        target.PutValue(ado::Variant::Null());
        return;
    }
    if (target.Type() == ado::adChar || target.Type() == ado::adVarChar ||
        target.Type() == ado::adWChar || target.Type() == ado::adVarWChar)
        value = wxString::FromUTF8(platform::CutToGbkBytes(
            value.utf8_string(), static_cast<size_t>(target.DefinedSize())));
    target.PutValue(ado::Variant(value.utf8_string()));
}

void PutNumber(ado::Recordset& rs, const char* field, const std::optional<double>& value) {
    rs.Fields().Item(field).PutValue(value ? ado::Variant(*value) : ado::Variant::Null());
}

double Fen(double amount) {
    return money::ToYuan(money::FromYuan(amount));
}

money::Fen LineFen(const std::optional<double>& quantity, const std::optional<double>& price) {
    if (!quantity || !price) return 0;
    return money::LineAmount(std::llround(*quantity), money::FromYuan(*price), 100);
}

namespace {

struct TextField {
    const char* name;
    wxString PartLine::*member;
};
const TextField kTextFields[] = {
    {"车型", &PartLine::model},   {"部位", &PartLine::position},   {"零件名称", &PartLine::name},
    {"编号", &PartLine::code},    {"单位", &PartLine::unit},       {"厂牌", &PartLine::brand},
    {"货位", &PartLine::bin},     {"供应商", &PartLine::supplier}, {"备注", &PartLine::remark},
    {"定货单", &PartLine::order}, {"合同号", &PartLine::contract}};

struct NumberField {
    const char* name;
    std::optional<double> PartLine::*member;
};
const NumberField kNumberFields[] = {{"数量", &PartLine::quantity},
                                     {"进价", &PartLine::cost},
                                     {"零售价", &PartLine::retail},
                                     {"批发价", &PartLine::wholesale},
                                     {"代理价", &PartLine::agent}};

} // namespace

PartLine ReadLine(ado::Recordset& rs, const std::vector<wxString>& storeColumns) {
    PartLine line;
    for (const TextField& f : kTextFields)
        if (HasField(rs, f.name)) line.*f.member = Text(rs, f.name);
    for (const NumberField& f : kNumberFields)
        if (HasField(rs, f.name)) line.*f.member = Number(rs, f.name);
    for (const wxString& column : storeColumns) {
        const std::string name = column.utf8_string();
        line.stores.push_back(HasField(rs, name.c_str()) ? Number(rs, name.c_str()) : std::nullopt);
    }
    return line;
}

std::vector<PartLine> ReadLines(ado::Recordset& rs, const std::vector<wxString>& storeColumns) {
    std::vector<PartLine> lines;
    if (rs.RecordCount() <= 0) return lines;
    for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
        lines.push_back(ReadLine(rs, storeColumns));
    return lines;
}

void WriteLine(ado::Recordset& rs, const PartLine& line) {
    for (const TextField& f : kTextFields)
        if (HasField(rs, f.name)) PutText(rs, f.name, line.*f.member);
    for (const NumberField& f : kNumberFields)
        if (HasField(rs, f.name)) PutNumber(rs, f.name, line.*f.member);
}

} // namespace parts
