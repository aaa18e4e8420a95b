#include "res/options_page_template.h"

#include "platform/wx_text.h"
#include "res/control_ids.h"

namespace res {

const DialogTemplate& OptionsPageTemplate() {
    using namespace options_page;
    using K = ControlKind;
    const unsigned number = kStyleNumber;
    const unsigned buddy = kStyleAutoBuddy;
    static const DialogTemplate dialog{
        kDialogId,
        U("功能选项"),
        358,
        149,
        {
            {K::GroupBox, IDC_STATIC, U("售货单打印"), 7, 4, 120, 36},
            {K::Radio, kCostBillRadio, U("同时打出成本单"), 14, 15, 108, 10, kStyleGroup},
            {K::Radio, kSalesBillRadio, U("只打印售货单"), 14, 27, 108, 10},
            {K::GroupBox, IDC_STATIC, U("零件存放方式"), 7, 42, 120, 36},
            {K::Radio, kByBinRadio, U("按货位存放"), 14, 53, 108, 10, kStyleGroup},
            {K::Radio, kByArrivalRadio, U("按进货顺序存放"), 14, 65, 108, 10},
            {K::GroupBox, IDC_STATIC, U("价格处理方式"), 7, 80, 120, 64},
            {K::Radio, kWeightedRadio, U("入库件和仓库件按加权值均价"), 14, 91, 110, 10,
             kStyleGroup},
            {K::Radio, kStockPriceRadio, U("入库零件按仓库零件价"), 14, 103, 110, 10},
            {K::Radio, kIncomingRadio, U("仓库零件按入库零件价"), 14, 115, 110, 10},
            {K::Radio, kOwnPriceRadio, U("保留各自价格"), 14, 127, 110, 10},

            {K::GroupBox, IDC_STATIC, U("自动提示项目"), 131, 4, 102, 86},
            {K::CheckBox, kShortageCheck, U("缺货提示"), 137, 15, 94, 10},
            {K::CheckBox, kSurplusCheck, U("溢出提示"), 137, 27, 94, 10},
            {K::CheckBox, kInspectionCheck, U("年审提示"), 137, 39, 94, 10},
            {K::CheckBox, kBirthdayCheck, U("生日提示"), 137, 51, 94, 10},
            {K::CheckBox, kServiceCheck, U("保养提示"), 137, 63, 94, 10},
            {K::CheckBox, kCheckItemsCheck, U("保养提示时显示检查项目"), 137, 75, 94, 10},
            {K::CheckBox, kDropEmptyCheck, U("不保留数量为零的仓库记录"), 131, 97, 102, 10},
            {K::CheckBox, kThreeLevelsCheck, U("启用三级价格模式"), 131, 111, 102, 10},

            {K::GroupBox, IDC_STATIC, U("售价进价比"), 237, 4, 114, 54},
            {K::Static, IDC_STATIC, U("一级价"), 243, 16, 40, 8},
            {K::Edit, kLevel1Edit, "", 284, 14, 62, 12, number},
            {K::Spin, kLevel1Spin, "", 336, 14, 10, 12, buddy},
            {K::Static, IDC_STATIC, U("二级价"), 243, 30, 40, 8},
            {K::Edit, kLevel2Edit, "", 284, 28, 62, 12, number},
            {K::Spin, kLevel2Spin, "", 336, 28, 10, 12, buddy},
            {K::Static, IDC_STATIC, U("三级价"), 243, 44, 40, 8},
            {K::Edit, kLevel3Edit, "", 284, 42, 62, 12, number},
            {K::Spin, kLevel3Spin, "", 336, 42, 10, 12, buddy},
            {K::GroupBox, IDC_STATIC, U("员工提成率"), 237, 60, 114, 54},
            {K::Static, IDC_STATIC, U("工时费"), 243, 72, 40, 8},
            {K::Edit, kLabourEdit, "", 284, 70, 62, 12, number},
            {K::Spin, kLabourSpin, "", 336, 70, 10, 12, buddy},
            {K::Static, IDC_STATIC, U("维修用配件"), 243, 86, 40, 8},
            {K::Edit, kRepairPartsEdit, "", 284, 84, 62, 12, number},
            {K::Spin, kRepairPartsSpin, "", 336, 84, 10, 12, buddy},
            {K::Static, IDC_STATIC, U("配件用销售"), 243, 100, 40, 8},
            {K::Edit, kSalesPartsEdit, "", 284, 98, 62, 12, number},
            {K::Spin, kSalesPartsSpin, "", 336, 98, 10, 12, buddy},
            {K::Static, IDC_STATIC, U("折扣极限"), 243, 124, 40, 8},
            {K::Edit, kDiscountEdit, "", 284, 122, 62, 12, number},
            {K::Spin, kDiscountSpin, "", 336, 122, 10, 12, buddy},
        },
        kHelpId,
    };
    return dialog;
}

} // namespace res
