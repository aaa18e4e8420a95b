// libFuzzer target: the Office Open workbook reader (a zip of XML parts) on a file of
// arbitrary bytes. Binary workbooks have a target of their own (binary_workbook_fuzz).
#include "data/workbook_file.h"
#include "fuzz_folder.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2 || data[0] != 'P' || data[1] != 'K') return 0;
    const std::string path =
        fuzz::Write("book.xlsx", std::string(reinterpret_cast<const char*>(data), size));
    std::vector<WorkbookSheet> sheets;
    std::string error;
    ReadWorkbook(path, &sheets, &error);
    return 0;
}
