// libFuzzer target: the older binary workbook. A file with the compound-document
// signature goes the whole way, through the reading child and back; any other input
// is taken as what a child hands back, which the program must check before trusting.
#include "data/binary_workbook.h"
#include "fuzz_folder.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const unsigned char kCompound[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::vector<WorkbookSheet> sheets;
    if (size >= 8 && std::memcmp(data, kCompound, 8) == 0) {
        std::string error;
        ReadWorkbook(fuzz::Write("book.xls", bytes), &sheets, &error);
    } else if (UnpackSheets(bytes, &sheets)) {
        // What unpacks packs back to the same bytes.
        if (PackSheets(sheets) != bytes) __builtin_trap();
    }
    return 0;
}
