// libFuzzer target of the ADTG reader: any input is either refused with ComError
// or read whole, and what was read can be written and read again.
#include "ado/adtg.h"
#include "ado/com_error.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::shared_ptr<ado::RowStore> store;
    try {
        store = ado::ReadTableGram(bytes);
    } catch (const ado::ComError&) {
        return 0;
    }
    std::vector<long> ids;
    for (long id = 0; id < static_cast<long>(store->rows.size()); ++id)
        ids.push_back(id);
    try {
        auto again = ado::ReadTableGram(ado::WriteTableGram(*store, ids));
        if (again->rows.size() != store->rows.size() ||
            again->columns.size() != store->columns.size())
            std::abort();
    } catch (const ado::ComError&) {
        std::abort(); // a TableGram of our own must always read back
    }
    return 0;
}
