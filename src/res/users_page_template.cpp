#include "res/users_page_template.h"

#include "platform/wx_text.h"
#include "res/control_ids.h"

namespace res {

namespace {

// The captions of rights 4 to 57, in box order. The repair and the sales archive each
// have a right to look and a right to change, named apart so no caption shows twice.
const char* const kRightCaptions[] = {
    "维修作业", "会员管理",     "维修档案",     "顾客资料", "维修月报", "跟踪服务", "零件售货",
    "定货",     "入库",         "仓库管理",     "退货",     "售货档案", "客户资料", "零件预定",
    "零件调拨", "进货统计",     "售货统计",     "零件盘点", "显批发价", "缺货查询", "溢出查询",
    "营业统计", "利润统计",     "员工业绩",     "员工工资", "往来帐目", "数据维护", "三包维修",
    "保养查询", "年审查询",     "生日查询",     "预约查询", "维修统计", "会员进度", "三包统计",
    "欠帐统计", "维修档案维护", "售货档案维护", "用户信息", "权限设置", "系数设置", "警戒量设置",
    "数据引入", "数据库管理",   "流量分析",     "功能选项", "显代理价", "显示进价", "流水帐",
    "固定资产", "收支记录",     "数据导出",     "解密数据", "零件折零",
};

DialogTemplate Build() {
    using namespace users_page;
    using K = ControlKind;
    DialogTemplate dialog{
        kDialogId,
        U("权限设置"),
        378,
        246,
        {
            {K::Static, IDC_STATIC, U("登录名"), 7, 9, 30, 8},
            {K::ComboBox, kLoginCombo, "", 40, 7, 80, 14},
            {K::Static, IDC_STATIC, U("密码"), 7, 27, 30, 8},
            {K::Edit, kPasswordEdit, "", 40, 25, 80, 13, kStylePassword},
            {K::Static, IDC_STATIC, U("重输"), 7, 44, 30, 8},
            {K::Edit, kRepeatEdit, "", 40, 42, 80, 13, kStylePassword},
            {K::Static, IDC_STATIC, U("授权折扣"), 7, 61, 33, 8},
            {K::Edit, kDiscountEdit, "", 40, 59, 70, 13, kStyleNumber},
            {K::Spin, kDiscountSpin, "", 110, 59, 10, 13, kStyleAutoBuddy},
            {K::Button, kNewButton, U("新增(&N)"), 7, 78, 36, 14},
            {K::Button, kDeleteButton, U("删除(&E)"), 45, 78, 36, 14},
            {K::Button, kToggleButton, U("全选"), 84, 78, 36, 14},
            {K::Custom, kGrid, "", 7, 97, 114, 142, kStyleNone, "GridCtrl"},
            {K::GroupBox, IDC_STATIC, U("权限"), 127, 4, 244, 235},
        },
    };
    // Three columns of eighteen boxes.
    for (int i = 0; i <= kLastRightBox - kFirstRightBox; ++i)
        dialog.controls.push_back({K::CheckBox, kFirstRightBox + i, U(kRightCaptions[i]),
                                   133 + (i / 18) * 80, 15 + (i % 18) * 12, 76, 10});
    dialog.helpId = kHelpId;
    return dialog;
}

} // namespace

const DialogTemplate& UsersPageTemplate() {
    static const DialogTemplate dialog = Build();
    return dialog;
}

} // namespace res
