#pragma once
// Dialog 270 "功能选项": the page of the shop-wide function options.
#include "res/dialog_template.h"

namespace res {

namespace options_page {
enum : int {
    kHelpId = 32814, // the settings command: the sheet's pages share its help
    kDialogId = 270,
    kCostBillRadio = 10001,    // "同时打出成本单"
    kByBinRadio = 10002,       // "按货位存放"
    kByArrivalRadio = 10003,   // "按进货顺序存放"
    kDropEmptyCheck = 10004,   // "不保留数量为零的仓库记录"
    kCheckItemsCheck = 10005,  // "保养提示时显示检查项目"
    kWeightedRadio = 10006,    // "入库件和仓库件按加权值均价"
    kStockPriceRadio = 10007,  // "入库零件按仓库零件价"
    kIncomingRadio = 10008,    // "仓库零件按入库零件价"
    kOwnPriceRadio = 10009,    // "保留各自价格"
    kShortageCheck = 10010,    // "缺货提示"
    kSurplusCheck = 10011,     // "溢出提示"
    kInspectionCheck = 10012,  // "年审提示"
    kBirthdayCheck = 10013,    // "生日提示"
    kLevel1Edit = 10014,       // "一级价"
    kLevel2Edit = 10015,       // "二级价"
    kLevel3Edit = 10016,       // "三级价"
    kDiscountEdit = 10017,     // "折扣极限"
    kLabourEdit = 10018,       // "工时费"
    kRepairPartsEdit = 10019,  // "维修用配件"
    kSalesPartsEdit = 10020,   // "配件用销售"
    kServiceCheck = 10021,     // "保养提示"
    kThreeLevelsCheck = 10022, // "启用三级价格模式"
    kSalesBillRadio = 10023,   // "只打印售货单"
    kLevel1Spin = 10065,
    kLevel2Spin = 10066,
    kLevel3Spin = 10067,
    kDiscountSpin = 10068,
    kLabourSpin = 10069,
    kRepairPartsSpin = 10070,
    kSalesPartsSpin = 10071,
};
} // namespace options_page
const DialogTemplate& OptionsPageTemplate();

} // namespace res
