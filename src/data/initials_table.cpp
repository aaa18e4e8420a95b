#include "data/initials_table.h"

#include "data/data_set.h"
#include "foxdb/dbf_table.h"
#include "platform/gbk.h"

#include <unordered_set>

namespace {

// Lead bytes 0x81..0xFE, trail bytes 0x40..0xFE per lead.
constexpr int kTrails = 0xFF - 0x40;
const char kInitials[] =
#include "data/gbk_initials.inc"
    ;
static_assert(sizeof kInitials == (0xFF - 0x81) * kTrails + 1, "one line per lead byte");

template <typename Visit> void ForEachCharacter(Visit visit) {
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            if (char initial = CInitialsTable::InitialOf(lead, trail))
                visit(std::string{char(lead), char(trail)}, initial);
}

} // namespace

char CInitialsTable::InitialOf(unsigned char lead, unsigned char trail) {
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE) return 0;
    const char initial = kInitials[(lead - 0x81) * kTrails + (trail - 0x40)];
    return initial == '.' ? 0 : initial;
}

long CInitialsTable::CompleteRowCount() {
    static const long count = [] {
        long rows = 0;
        ForEachCharacter([&rows](const std::string&, char) { ++rows; });
        return rows;
    }();
    return count;
}

long CInitialsTable::AddMissingRows(CDataSet& data) {
    auto rows = std::make_shared<ado::Recordset>();
    if (!data.OpenInto("select * from qvpy", rows)) return -1;
    std::unordered_set<std::string> present;
    ado::Field& hz = rows->Fields().Item("Hz");
    for (; !rows->EndOfFile(); rows->MoveNext())
        if (!hz.Value().IsNull()) present.insert(platform::Utf8ToGbk(hz.Value().ToString()));

    long added = 0;
    ForEachCharacter([&](const std::string& character, char initial) {
        if (present.count(character)) return;
        rows->AddNew();
        rows->Fields().Item("Hz").PutValue(ado::Variant(platform::GbkToUtf8(character)));
        rows->Fields().Item("Py").PutValue(ado::Variant(std::string(1, initial)));
        rows->Fields().Item("no").PutValue(ado::Variant(-++added));
    });
    if (added == 0) return 0;
    data.NumberRows(rows, "qvpy");
    return data.Save(rows) == 1 ? added : -1;
}

void CInitialsTable::FillNewTable(const std::string& path) {
    foxdb::TableEdit edit(path);
    const foxdb::DbfTable& table = edit.Table();
    if (table.RecordCount() > 0) return;
    const int hz = table.FieldIndex("Hz"), py = table.FieldIndex("Py"), no = table.FieldIndex("no");
    if (hz < 0 || py < 0 || no < 0) return;
    edit.ReserveAppends(CompleteRowCount());
    std::vector<foxdb::Value> values(table.Fields().size());
    int64_t number = 0;
    ForEachCharacter([&](const std::string& character, char initial) {
        values[hz] = character;
        values[py] = std::string(1, initial);
        values[no] = ++number;
        edit.Append(values);
    });
    edit.Commit();
}

void CInitialsTable::Complete(CDataSet& data) {
    if (CDataSet::TableExists("qvpy") && data.GetDbfRecordCount("qvpy") < CompleteRowCount())
        AddMissingRows(data);
}
