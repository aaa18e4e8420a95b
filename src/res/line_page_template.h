#pragma once
// The controls the line pages (the repair card, the sales ticket) share: the grid,
// the staff combo, the button column and the total.
#include "res/dialog_template.h"

#include <utility>
#include <vector>

namespace res {

namespace line_page {
enum : int {
    kGrid = 1002,
    kStaffCombo = 1016,
    kButtonFrame = 1021,
    kSettleButton = 1007,
    kCloseButton = 1008,
    kDeleteButton = 1009,
    kNewButton = 1022,
    kSuspendButton = 1023,
    kPrintButton = 1024,
    kAbandonButton = 1025,
    kCustomerButton = 1026,
    kArchiveButton = 1027,
    kTotalEdit = 1036,
};

// The button column: its frame from `top`, 关闭 to 档案 and then the page's own
// buttons a row apart, and the total at `totalY`.
std::vector<ControlTemplate> ButtonColumn(int top, int frameHeight,
                                          const std::vector<std::pair<int, wxString>>& own,
                                          int totalY);
} // namespace line_page

} // namespace res
