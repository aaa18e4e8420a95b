#include "foxdb/dbf_file.h"

#include <cstdint>
#include <limits>

namespace foxdb {

namespace {

int64_t NumberOf(const Value& value) {
    if (const auto* whole = std::get_if<int64_t>(&value)) return *whole;
    if (const auto* real = std::get_if<double>(&value)) return static_cast<int64_t>(*real);
    return 0;
}

// The records holding a key at or above `from` in the integer field's tag; false when
// the index cannot answer without a look at every record.
bool SeekFrom(const DbfFile& table, int field, int64_t from, std::vector<uint32_t>& recnos) {
    const FieldSlot& slot = table.Slot(field);
    if (slot.def.type != 'I' || !table.TagOn(field) || !table.IndexKnownToMatch()) return false;
    if (from > std::numeric_limits<int32_t>::max()) return true; // no integer field holds one
    std::string record = BlankRecord(table.Layout());
    EncodeField(table.Layout(), &record[0], slot,
                std::max<int64_t>(from, std::numeric_limits<int32_t>::min()));
    return table.SeekIndexKey(field, IndexKey(table.Layout(), record.data(), slot), recnos, true);
}

} // namespace

std::vector<int64_t> NumbersAbove(const std::string& path, const std::string& name,
                                  int64_t floor) {
    const auto table = DbfFile::Read(path);
    std::vector<int64_t> numbers;
    const int field = table->FieldIndex(name);
    if (field < 0) return numbers;
    auto take = [&](uint32_t recno) {
        const int64_t number = NumberOf(table->Get(recno, field));
        if (number > floor) numbers.push_back(number);
    };
    std::vector<uint32_t> recnos;
    if (floor < std::numeric_limits<int64_t>::max() && SeekFrom(*table, field, floor + 1, recnos)) {
        for (uint32_t recno : recnos)
            if (recno >= 1 && recno <= table->RecordCount()) take(recno);
    } else {
        for (uint32_t recno = 1; recno <= table->RecordCount(); ++recno)
            take(recno);
    }
    return numbers;
}

} // namespace foxdb
