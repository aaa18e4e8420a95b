#include "data/column_operation.h"

#include "data/data_set.h"
#include "data/record_fields.h"

#include <cmath>
#include <vector>

namespace {

struct Operand {
    wxChar op; // the operator before it; '+' for the first
    wxString text;
};

std::vector<Operand> Split(const wxString& expression) {
    std::vector<Operand> operands;
    Operand current{'+', wxString()};
    for (wxChar c : expression) {
        if (c == '+' || c == '-' || c == '*' || c == '/') {
            operands.push_back(current);
            current = Operand{c, wxString()};
        } else {
            current.text += c;
        }
    }
    operands.push_back(current);
    return operands;
}

bool IsField(ado::Recordset& record, const wxString& name) {
    return !name.empty() && record.Fields().IndexOf(name.utf8_string()) >= 0;
}

// A field's text, or the operand itself.
wxString OperandText(ado::Recordset& record, const wxString& operand) {
    const wxString name = wxString(operand).Strip(wxString::both);
    return IsField(record, name) ? FieldText(record, name.utf8_string().c_str()) : name;
}

bool OverFields(ado::Recordset& record, const wxString& expression) {
    for (const Operand& operand : Split(expression))
        if (IsField(record, wxString(operand.text).Strip(wxString::both))) return true;
    return false;
}

bool IsNumber(long type) {
    return type == 131 || type == 3 || type == 2 || type == 4 || type == 5 || type == 6 ||
           type == 20 || type == 14;
}
bool IsText(long type) {
    return type == 129 || type == 200 || type == 201 || type == 202 || type == 130;
}

} // namespace

bool CColumnOperation::Evaluate(ado::Recordset& record, const wxString& expression, double* value) {
    double sum = 0, term = 0;
    bool first = true;
    for (const Operand& operand : Split(expression)) {
        double number = 0;
        const wxString text = OperandText(record, operand.text);
        if (!text.empty() && !text.ToCDouble(&number)) number = 0; // no number counts as 0
        if (operand.op == '*' && !first) {
            term *= number;
        } else if (operand.op == '/' && !first) {
            if (number == 0) return false;
            term /= number;
        } else {
            if (!first) sum += term;
            term = operand.op == '-' ? -number : number;
        }
        first = false;
    }
    *value = sum + term;
    return std::isfinite(*value);
}

wxString CColumnOperation::EvaluateText(ado::Recordset& record, const wxString& expression) {
    wxString result;
    for (const Operand& operand : Split(expression)) {
        const wxString text = OperandText(record, operand.text);
        if (operand.op == '-')
            result.Replace(text, wxString());
        else if (operand.op == '+')
            result += text;
    }
    return result;
}

int CColumnOperation::Apply(CDataSet& data, const ado::RecordsetPtr& recordset,
                            const wxString& answer, bool skipFirst) {
    const int at = answer.Find("@&");
    if (at == wxNOT_FOUND || !recordset || !recordset->IsOpen()) return -1;
    const wxString field = answer.Left(at);
    const wxString expression = answer.Mid(at + 2);
    ado::Recordset& rs = *recordset;
    if (!IsField(rs, field)) return -1;
    const ado::Field& target = rs.Fields().Item(field.utf8_string());
    const long type = target.Type();
    const int scale = type == 3 ? 0 : target.NumericScale();
    const bool date = type == 133 || type == 134 || type == 135 || type == 7;
    if (rs.RecordCount() < 1) return 0;
    const bool overFields = !date && OverFields(rs, expression);

    int changed = 0;
    rs.MoveFirst();
    if (skipFirst) rs.MoveNext();
    for (; !rs.EndOfFile(); rs.MoveNext()) {
        wxString value = expression;
        if (overFields && IsNumber(type)) {
            double number = 0;
            if (!Evaluate(rs, expression, &number)) continue;
            value = wxString::FromCDouble(number, scale);
        } else if (overFields && IsText(type)) {
            value = EvaluateText(rs, expression);
        } else if (overFields) {
            continue;
        }
        data.PutFieldValue(value, field, recordset);
        ++changed;
    }
    return changed;
}
