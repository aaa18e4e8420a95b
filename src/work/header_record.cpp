#include "work/header_record.h"
#include "work/line_fields.h"

namespace work {

const char* const kWalkIn = "零散客户";

namespace {

// The header's bookmark: the first row in the order the rows were read.
bool HeaderBookmark(const ado::RecordsetPtr& rs, ado::Variant* bookmark) {
    if (!rs || !rs->IsOpen() || rs->RecordCount() < 1) return false;
    const std::string sort = rs->Sort();
    if (!sort.empty()) rs->PutSort(std::string());
    rs->MoveFirst();
    *bookmark = rs->Bookmark();
    if (!sort.empty()) rs->PutSort(sort);
    return true;
}

} // namespace

bool MoveToHeaderRecord(const ado::RecordsetPtr& rs) {
    ado::Variant header;
    if (!HeaderBookmark(rs, &header)) return false;
    rs->PutBookmark(header);
    return true;
}

std::vector<ado::Variant> LineRecords(const ado::RecordsetPtr& rs) {
    std::vector<ado::Variant> lines;
    ado::Variant header;
    if (!HeaderBookmark(rs, &header)) return lines;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        ado::Variant here = rs->Bookmark();
        if (here.ToDouble() != header.ToDouble()) lines.push_back(here);
    }
    return lines;
}

void AddHeaderRecord(const ado::RecordsetPtr& rs, const wxString& customer, const char* flag) {
    rs->AddNew();
    PutText(rs, "客户", customer);
    PutText(rs, "no", "-1");
    PutText(rs, "flag", flag);
    rs->Update();
}

} // namespace work
