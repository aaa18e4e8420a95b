#pragma once
// The older binary workbook, read through freexl in a child process: the library is
// not hardened against crafted files, so a crash or hang while reading one ends only
// the child and the operator gets a message.
#include "data/workbook_file.h"

#include <string>
#include <vector>

// Every sheet of the binary workbook at path; false with a reason otherwise.
bool ReadBinaryWorkbook(const std::string& path, std::vector<WorkbookSheet>& sheets,
                        std::string& error);

// The form in which the child hands the sheets back: length-prefixed texts and counts.
std::string PackSheets(const std::vector<WorkbookSheet>& sheets);
// False when the bytes are not a whole, well-formed packing; *sheets is then unchanged.
bool UnpackSheets(const std::string& bytes, std::vector<WorkbookSheet>* sheets);
