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

} // namespace

void TakeReturnsOff(const std::vector<ReturnedPart>& parts, std::vector<SourceRow>& rows,
                    bool byModel) {
    for (const ReturnedPart& part : parts) {
        double left = part.quantity;
        for (SourceRow& row : rows) {
            if (left <= 0) break;
            if (!SamePart(part, row, byModel)) continue;
            const double take = std::min(left, std::max(0.0, row.quantity));
            if (take <= 0) continue;
            row.quantity -= take;
            row.remark = U("退") + wxString::Format("%ld", ReturnedCount(row.remark) +
                                                               static_cast<long>(take));
            row.changed = true;
            left -= take;
        }
    }
}

} // namespace parts
