// libFuzzer target: the SQL parser and the translator, on statements over one table
// of every field type. Anything but a clean foxdb::Error is a finding.
#include "foxdb/error.h"
#include "foxdb/sql_parser.h"
#include "foxdb/sql_translate.h"

#include <cstdint>
#include <string>

namespace {

const std::vector<foxdb::FieldDef>& Fields() {
    static const std::vector<foxdb::FieldDef> fields = [] {
        std::vector<foxdb::FieldDef> f(7);
        const char* names[] = {"名称", "amt", "qty", "day", "ok", "note", "no"};
        const char types[] = {'C', 'N', 'I', 'D', 'L', 'M', 'I'};
        for (size_t i = 0; i < f.size(); ++i) {
            f[i].name = names[i];
            f[i].type = types[i];
            f[i].length = types[i] == 'C' ? 10 : types[i] == 'N' ? 10 : 4;
            f[i].decimals = types[i] == 'N' ? 2 : 0;
        }
        return f;
    }();
    return fields;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace foxdb::sql;
    const TableResolver resolve = [](const TableRef& ref) {
        return TableInfo{"v_" + ref.name, "/nowhere/" + ref.name + ".dbf", &Fields()};
    };
    try {
        Statement st = Parse(std::string(reinterpret_cast<const char*>(data), size));
        std::vector<const Expr*> values;
        switch (st.kind) {
        case Statement::Kind::Select:
            TranslateSelect(*st.select, resolve);
            break;
        case Statement::Kind::Update:
            for (const auto& set : st.sets)
                values.push_back(set.value.get());
            TranslateRows(st.table, values, st.where.get(), resolve);
            break;
        case Statement::Kind::Delete:
            TranslateRows(st.table, {}, st.where.get(), resolve);
            break;
        case Statement::Kind::Insert:
            for (const auto& value : st.values)
                values.push_back(value.get());
            TranslateValues(values);
            break;
        default:
            break;
        }
    } catch (const foxdb::Error&) {
    }
    return 0;
}
