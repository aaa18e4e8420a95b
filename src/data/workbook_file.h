#pragma once
// Workbook files as sheets of text cells. Reading takes both kinds a shop meets:
// the Office Open workbook (a zip of XML parts, what this program writes) and the
// older binary workbook (read through freexl). Writing always makes an Office Open
// workbook, to a temporary name first, so a failed write leaves the old file whole.
#include <string>
#include <vector>

struct WorkbookSheet {
    std::string name;                           // UTF-8
    std::vector<std::vector<std::string>> rows; // UTF-8 cells, row 0 first; rows may be ragged
    std::vector<double> columnWidths;           // characters; empty: the default width
};

// Every sheet of the workbook, in order. False with a reason when the file is missing,
// is not a workbook or is damaged; *sheets is then left as it was.
bool ReadWorkbook(const std::string& path, std::vector<WorkbookSheet>* sheets, std::string* error);

// A number cell as text, the same from both kinds of workbook.
std::string NumberCellText(double value);

// Writes the sheets (every cell as text) as a new workbook at path, replacing a file
// there only once the new one is complete. False with a reason; the old file stays.
bool WriteWorkbook(const std::string& path, const std::vector<WorkbookSheet>& sheets,
                   std::string* error);
