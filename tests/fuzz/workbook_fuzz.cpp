// libFuzzer target: the Office Open workbook reader (a zip of XML parts) on a file of
// arbitrary bytes. Binary workbooks go to freexl, which a crafted file overruns inside
// the library (a finding against Debian's freexl 1.0.6); they are left out here until
// .xls files are read apart from the program.
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
