#pragma once
// Lines handed to the order page by a form that cannot reach it (the shortage list's
// 定货): the form leaves them here and opens the order sheet through the frame; the
// order page takes them when it opens, and each is taken once.
#include <vector>
#include <wx/string.h>

struct OrderLine {
    wxString model; // 车型
    wxString name;  // 零件名称
    wxString part;  // 编号
    wxString quantity;
};

class COrderHandOver {
public:
    // Adds a line unless a line of the same part is already waiting.
    static bool Add(const OrderLine& line);
    // The waiting lines, handed over and forgotten.
    static std::vector<OrderLine> Take();
    static const std::vector<OrderLine>& Waiting() { return Lines(); }

private:
    static std::vector<OrderLine>& Lines();
};
