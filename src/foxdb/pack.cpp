#include "foxdb/dbf_file.h"

namespace foxdb {

void Pack(const std::string& path) {
    std::unique_ptr<DbfFile> table = DbfFile::Read(path);
    const DbfLayout& layout = table->Layout();
    std::string bytes(table->Records() - layout.headerLength, layout.headerLength);
    uint32_t kept = 0;
    for (uint32_t recno = 1; recno <= table->RecordCount(); ++recno) {
        if (table->IsDeleted(recno)) continue;
        bytes.append(table->RecordBytes(recno), layout.recordLength);
        ++kept;
    }
    if (kept == table->RecordCount()) return;
    CommitTable(*table, bytes, kept);
}

} // namespace foxdb
