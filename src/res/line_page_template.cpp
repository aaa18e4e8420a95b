#include "res/line_page_template.h"

namespace res::line_page {

std::vector<ControlTemplate> ButtonColumn(int top, int frameHeight,
                                          const std::vector<std::pair<int, wxString>>& own,
                                          int totalY) {
    using K = ControlKind;
    const auto u = [](const char* text) { return wxString::FromUTF8(text); };
    std::vector<std::pair<int, wxString>> buttons = {
        {kCloseButton, u("关闭(&X)")},   {kDeleteButton, u("删除(&E)")},
        {kSettleButton, u("结算(&S)")},  {kNewButton, u("新增(&N)")},
        {kSuspendButton, u("挂起(&G)")}, {kPrintButton, u("打印(&P)")},
        {kAbandonButton, u("放弃(&U)")}, {kCustomerButton, u("资料(&Z)")},
        {kArchiveButton, u("档案(&D)")}};
    buttons.insert(buttons.end(), own.begin(), own.end());
    std::vector<ControlTemplate> column = {
        {K::GroupBox, kButtonFrame, "", 452, top, 50, frameHeight}};
    int y = top + 8;
    for (const auto& button : buttons) {
        column.push_back({K::Button, button.first, button.second, 456, y, 42, 12});
        y += 13;
    }
    column.push_back({K::Edit, kTotalEdit, "", 454, totalY, 46, 12,
                      kStyleDisabled | kStyleReadOnly | kStyleRight});
    return column;
}

} // namespace res::line_page
