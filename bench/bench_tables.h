#pragma once
// Generated tables for the benchmarks: a catalogue table filled with rows of
// every field type (GBK text, numbers, integers, dates), in one edit.
#include "data/table_catalog.h"
#include "foxdb/dbf_table.h"
#include "platform/gbk.h"

#include <cstdint>
#include <string>
#include <unistd.h>
#include <vector>

namespace bench {

// A fresh folder under /tmp named after the benchmark.
inline std::string MakeFolder(const std::string& tag) {
    std::string pattern = "/tmp/qv_" + tag + "_XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    return ::mkdtemp(name.data());
}

// Creates table `code` from the catalogue in `folder` with `records` generated rows;
// every seventh record has a NULL in field 9 when `withNulls`. Returns the table's path.
inline std::string MakeCatalogTable(const std::string& folder, const std::string& code,
                                    uint32_t records, bool withNulls = false) {
    const std::string sql = CTableCatalog().GetCreateSql(wxString::FromUTF8(code)).utf8_string();
    const std::string head = "CREATE TABLE " + code;
    foxdb::CreateTable(folder, code, foxdb::ParseFieldList(sql.substr(head.size())));
    const std::string path = foxdb::FindTableFile(folder, code);
    foxdb::TableEdit edit(path);
    const auto& fields = edit.Table().Fields();
    std::vector<foxdb::Value> row(fields.size());
    const std::string texts[2] = {platform::Utf8ToGbk("长春市汽车修理厂"),
                                  platform::Utf8ToGbk("前刹车片（原厂）")};
    for (uint32_t r = 1; r <= records; ++r) {
        for (size_t f = 0; f < fields.size(); ++f) {
            switch (fields[f].type) {
            case 'C':
                row[f] = platform::CutGbkBytes(texts[f % 2], fields[f].length);
                break;
            case 'N':
                row[f] = (r % 1000) * 1.25;
                break;
            case 'I':
                row[f] = int64_t(r);
                break;
            case 'D':
                row[f] = foxdb::Date{2460000 + static_cast<int32_t>(r % 3000)};
                break;
            default:
                row[f] = foxdb::Null{};
            }
        }
        if (withNulls && r % 7 == 0 && fields.size() > 9) row[9] = foxdb::Null{};
        edit.Append(row);
    }
    edit.Commit();
    return path;
}

} // namespace bench
