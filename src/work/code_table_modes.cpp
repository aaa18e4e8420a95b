#include "work/code_table_modes.h"

#include "platform/wx_text.h"

namespace work {

namespace {

const CodeTableMode kModes[] = {
    {1, "hyxm", "会员项目表", "卡类别", 5},
    {2, "wxxm", "工时费", "类别", 8},
    {3, "gdxm", "关联项目表", "关联项目", 5},
    {4, "ljml", "零件目录", "车型", 9},
    {5, "jjl", "警戒量设置", "车型", 6},
    {6, "ygk", "员工库资料", "部门", 9},
    {7, "byxmb", "保养项目表", "保养类", 8},
    {8, "bdzxm", "不打折项目", "车型", 7},
    {9, "ljkc", "零件库存", "车型", 15},
    {10, "jmb", "简码表", "部位", 4},
    {11, "tmlj", "同名零件", "项目名称", 2},
    {13, "tpk", "图片库", "车型", 4},
    {14, "jgk", "价格库", "车型", 10},
    {15, "hy", "零件货源库", "车型", 12},
    {16, "ljzc", "总成项目表", "总成项目", 7},
    {17, "jhda", "入库单", "入库单", 14},
};

} // namespace

const CodeTableMode* FindCodeTableMode(int mode) {
    for (const CodeTableMode& entry : kModes)
        if (entry.mode == mode) return &entry;
    return nullptr;
}

bool IsPartsMode(int mode) {
    return mode == 4 || mode == 9 || mode == 14 || mode == 15 || mode == 17;
}

bool HasPartPositionFilter(int mode) {
    return IsPartsMode(mode) && mode != 17;
}

bool HasPricesByRight(int mode) {
    return mode == 9 || mode == 14 || mode == 15 || mode == 17;
}

std::vector<wxString> HiddenPriceColumns(const std::function<bool(int right)>& hasRight) {
    std::vector<wxString> hidden;
    if (!hasRight(51)) hidden.push_back(U("进价"));
    if (!hasRight(22)) hidden.push_back(U("批发价"));
    if (!hasRight(50)) hidden.push_back(U("代理价"));
    return hidden;
}

} // namespace work
