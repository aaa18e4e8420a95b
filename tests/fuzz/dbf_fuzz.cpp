// libFuzzer target: the table header and record decoder, and the index reader,
// on arbitrary bytes. Anything but a clean Error is a finding.
#include "foxdb/cdx_index.h"
#include "foxdb/dbf_format.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    try {
        foxdb::DbfLayout layout = foxdb::ParseDbfLayout(bytes, size, size, "fuzz.dbf");
        const char* records = bytes + layout.headerLength;
        const uint32_t count = std::min<uint32_t>(layout.recordCount, 64);
        for (uint32_t r = 0; r < count; ++r) {
            const char* record = records + static_cast<size_t>(r) * layout.recordLength;
            for (const foxdb::FieldSlot& slot : layout.fields) {
                foxdb::DecodeField(layout, record, slot);
                foxdb::RawFieldBytes(layout, record, slot);
                foxdb::IndexKey(layout, record, slot);
            }
        }
    } catch (const foxdb::Error&) {
    }
    try {
        std::string cdx(bytes, size);
        for (const foxdb::CdxTag& tag : foxdb::ReadCdxTags(cdx, "fuzz.cdx"))
            foxdb::ReadCdxKeys(cdx, tag, true, "fuzz.cdx");
    } catch (const foxdb::Error&) {
    }
    return 0;
}
