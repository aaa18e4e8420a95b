#include "work/short_codes.h"

#include "data/data_set.h"
#include "data/initials_table.h"
#include "data/record_fields.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <iterator>
#include <unordered_set>

namespace {

const char* const kNoInitials = "拼音首字母表(qvpy)没有数据，无法生成简码。";

bool IsDoubleByte(unsigned char lead, unsigned char trail) {
    return lead >= 0x80 && trail >= 0x80;
}

void PutText(ado::Recordset& rows, const char* field, const wxString& value) {
    rows.Fields().Item(field).PutValue(ado::Variant(value.utf8_string()));
}

void CopyField(ado::Recordset& from, ado::Recordset& to, const char* field) {
    const ado::Variant value = from.Fields().Item(field).Value();
    if (!value.IsNull()) PutText(to, field, FieldText(from, field));
}

} // namespace

const char* const CShortCodes::kSourceTables[4] = {"ljkc", "jgk", "hy", "ljml"};

bool CShortCodes::LoadInitials(CDataSet& data) {
    m_initials.clear();
    CInitialsTable::AddMissingRows(data);
    auto rows = std::make_shared<ado::Recordset>();
    if (data.OpenInto("select * from qvpy", rows)) {
        for (; !rows->EndOfFile(); rows->MoveNext()) {
            const std::string hz = platform::Utf8ToGbk(FieldText(*rows, "Hz").utf8_string());
            if (hz.size() == 2 && !m_initials.count(hz))
                m_initials.emplace(hz, FieldText(*rows, "Py").utf8_string());
        }
    }
    if (m_initials.empty()) platform::ShowMessageBox(kNoInitials, "", platform::MB_OK);
    return !m_initials.empty();
}

wxString CShortCodes::CodeOf(const wxString& name) const {
    const std::string gbk = platform::Utf8ToGbk(name.utf8_string());
    std::string code;
    for (size_t i = 0; i + 1 < gbk.size(); i += 2) {
        if (!IsDoubleByte(gbk[i], gbk[i + 1])) break;
        const auto found = m_initials.find(gbk.substr(i, 2));
        if (found == m_initials.end()) break;
        code += found->second;
    }
    return wxString::FromUTF8(code);
}

long CShortCodes::Generate(CDataSet& data, const wxString& table,
                           const std::function<void(const wxString& name)>& onName) {
    return GenerateFrom(data, {table}, onName);
}

long CShortCodes::GenerateAll(CDataSet& data,
                              const std::function<void(const wxString& name)>& onName) {
    return GenerateFrom(
        data, std::vector<wxString>(std::begin(kSourceTables), std::end(kSourceTables)), onName);
}

long CShortCodes::GenerateFrom(CDataSet& data, const std::vector<wxString>& tables,
                               const std::function<void(const wxString& name)>& onName) {
    auto codes = std::make_shared<ado::Recordset>();
    if (!data.OpenInto("select * from jmb", codes)) return -1;
    if (m_initials.empty() && !LoadInitials(data)) return -1;

    // Names are compared in memory, so a quote in a name is just a character.
    std::unordered_set<std::string> named;
    for (; !codes->EndOfFile(); codes->MoveNext())
        named.insert(FieldText(*codes, "零件名称").Strip(wxString::both).utf8_string());

    long added = 0;
    auto source = std::make_shared<ado::Recordset>();
    for (const wxString& table : tables) {
        if (!data.OpenInto("select * from " + table, source)) return -1;
        for (; !source->EndOfFile(); source->MoveNext()) {
            if (source->Fields().Item("零件名称").Value().IsNull()) continue;
            const wxString name = FieldText(*source, "零件名称").Strip(wxString::both);
            if (onName) onName(name);
            if (named.count(name.utf8_string())) continue;
            const wxString code = CodeOf(name);
            if (code.empty()) continue;
            named.insert(name.utf8_string());
            codes->AddNew();
            PutText(*codes, "零件名称", name);
            PutText(*codes, "简码", code);
            CopyField(*source, *codes, "部位");
            CopyField(*source, *codes, "编号");
            codes->Fields().Item("no").PutValue(ado::Variant(-++added));
        }
    }
    if (added == 0) return 0;
    data.NumberRows(codes, "jmb");
    return data.Save(codes) == 1 ? added : -1;
}
