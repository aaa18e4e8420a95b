#pragma once
// Tying returned parts to the rows they came from: the customer's sale lines in
// `ljsh`, or the lines of a stock-in document in `jhda`. A returned quantity is taken
// off the rows of the same part in their stored order, none below 0, and each row
// touched counts what came back in its remark ("退n"). A part that finds no row, or
// the part of a quantity the rows no longer hold, is returned all the same: it just
// marks nothing.
#include <optional>
#include <vector>
#include <wx/string.h>

namespace parts {

// A sale or receipt line as the matching sees it.
struct SourceRow {
    wxString code;  // 编号
    wxString name;  // 项目名称 of a sale, 零件名称 of a receipt
    wxString model; // 车型
    double quantity = 0;
    wxString remark; // 备注
    bool changed = false;
};

struct ReturnedPart {
    wxString code, name, model;
    double quantity = 0;
};

// Takes every part off the rows; byModel: a part known by name must also have the
// row's 车型 (sales).
void TakeReturnsOff(const std::vector<ReturnedPart>& parts, std::vector<SourceRow>& rows,
                    bool byModel);

} // namespace parts
