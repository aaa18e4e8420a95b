#include "parts/returns_matching.h"

#include "parts/returns_lines.h"
#include "platform/wx_text.h"

#include <algorithm>

namespace parts {
namespace {

bool SamePart(const ReturnedPart& part, const SourceRow& row, bool byModel) {
    if (!part.code.empty()) return part.code == row.code;
    if (part.name.empty() || part.name != row.name) return false;
    return !byModel || part.model == row.model;
}

wxString PartName(const ReturnedPart& part) {
    return part.name.empty() ? part.code : part.name;
}

} // namespace

wxString TakeReturnsOff(const std::vector<ReturnedPart>& parts, std::vector<SourceRow>& rows,
                        bool byModel) {
    std::vector<SourceRow> after = rows;
    for (const ReturnedPart& part : parts) {
        double left = part.quantity;
        double held = 0;
        bool found = false;
        for (SourceRow& row : after) {
            if (!SamePart(part, row, byModel)) continue;
            found = true;
            const double take = std::min(left, std::max(0.0, row.quantity));
            held += std::max(0.0, row.quantity);
            if (take <= 0) continue;
            row.quantity -= take;
            row.remark = U("退") + wxString::Format("%ld", ReturnedCount(row.remark) +
                                                               static_cast<long>(take));
            row.changed = true;
            left -= take;
        }
        if (!found) return U("没有找到“") + PartName(part) + U("”的原始记录，操作被取消！");
        if (left > 0)
            return U("“") + PartName(part) + U("”的退货数量超过了原有数量(") +
                   wxString::Format("%g", held) + U(")，操作被取消！");
    }
    rows = std::move(after);
    return wxString();
}

} // namespace parts
