#include "res/brand_report_template.h"

namespace res {

namespace {

// One block of the form: a caption, column titles, and rows of three edits (code,
// brand, count) whose IDs run per column: all codes first, then brands, then counts.
void AddBlock(std::vector<ControlTemplate>& controls, int firstId, int rows, int perColumn, int x,
              int y, bool countDigits) {
    using K = ControlKind;
    auto text = [](const char* s) { return wxString::FromUTF8(s); };
    const int columns = (rows + perColumn - 1) / perColumn;
    for (int c = 0; c < columns; ++c) {
        const int left = x + c * 120;
        controls.push_back({K::Static, IDC_STATIC, text("机种代码"), left, y, 36, 8});
        controls.push_back({K::Static, IDC_STATIC, text("厂牌"), left + 44, y, 36, 8});
        controls.push_back({K::Static, IDC_STATIC, text("数量"), left + 84, y, 30, 8});
    }
    for (int r = 0; r < rows; ++r) {
        const int left = x + (r / perColumn) * 120;
        const int top = y + 10 + (r % perColumn) * 13;
        controls.push_back({K::Edit, firstId + r, "", left, top, 42, 12});
        controls.push_back({K::Edit, firstId + rows + r, "", left + 44, top, 38, 12});
        controls.push_back({K::Edit, firstId + 2 * rows + r, "", left + 84, top, 30, 12,
                            countDigits ? kStyleNumber : kStyleNone});
    }
}

std::vector<ControlTemplate> Controls() {
    using namespace brand_report;
    using K = ControlKind;
    auto text = [](const char* s) { return wxString::FromUTF8(s); };
    std::vector<ControlTemplate> c;
    c.push_back({K::Static, IDC_STATIC, text("1.维修站组织现状(人数)"), 4, 3, 120, 8});
    const char* const staff[] = {"正副经理", "维修员", "零件管理", "门市部",
                                 "营业员",   "",       "",         "总计"};
    for (int i = 0; i < 8; ++i) {
        if (*staff[i]) c.push_back({K::Static, IDC_STATIC, text(staff[i]), 4 + i * 45, 13, 42, 8});
        c.push_back({K::Edit, kFirstStaffEdit + i, "", 4 + i * 45, 22, 40, 12, kStyleNumber});
    }
    c.push_back({K::Static, IDC_STATIC, text("2.整车销售实绩"), 4, 38, 80, 8});
    AddBlock(c, kFirstSalesEdit, 8, 4, 4, 47, false);
    c.push_back({K::Static, IDC_STATIC, text("3.维修实绩"), 4, 108, 60, 8});
    AddBlock(c, kFirstRepairEdit, 12, 4, 4, 117, true);
    c.push_back({K::Static, IDC_STATIC, text("4.质量不良项目"), 4, 181, 70, 8});
    c.push_back({K::Custom, kGrid, "", 4, 191, 240, 55, kStyleNone, "GridCtrl"});
    c.push_back({K::Static, IDC_STATIC, text("关于车辆的政策法令他厂牌的信息及维修业务上的意见:"),
                 248, 181, 115, 16});
    c.push_back({K::Edit, kCommentEdit, "", 248, 198, 115, 48, kStyleMultiline});
    c.push_back({K::Static, IDC_STATIC, text("起始日期"), 4, 252, 32, 8});
    c.push_back({K::Edit, kFromEdit, "", 38, 250, 48, 12});
    c.push_back({K::Static, IDC_STATIC, text("终止日期"), 90, 252, 32, 8});
    c.push_back({K::Edit, kToEdit, "", 124, 250, 48, 12});
    c.push_back({K::Static, IDC_STATIC, text("保留"), 176, 252, 16, 8});
    c.push_back({K::Edit, kKeepRowsEdit, "", 194, 250, 18, 12, kStyleNumber});
    c.push_back({K::Static, IDC_STATIC, text("行"), 214, 252, 8, 8});
    c.push_back({K::Button, kStatisticsButton, text("开始统计"), 226, 249, 40, 14});
    c.push_back({K::Button, kDeleteButton, text("删除(&E)"), 268, 249, 30, 14});
    c.push_back({K::Button, kPrintButton, text("打印(&P)"), 300, 249, 30, 14});
    c.push_back({K::Button, IDOK, text("退出(&X)"), 332, 249, 31, 14});
    return c;
}

} // namespace

const DialogTemplate& BrandReportTemplate() {
    static const DialogTemplate dialog{
        brand_report::kDialogId, wxString::FromUTF8("vu服务报表(套打)"), 367, 267, Controls()};
    return dialog;
}

} // namespace res
