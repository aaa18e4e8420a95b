#pragma once
// Dialog 192: the sales ticket page of the sales sheet.
#include "res/control_ids.h"
#include "res/dialog_template.h"
#include "res/line_page_template.h"

namespace res {

namespace sales_page {
using namespace line_page;
enum : int {
    kDialogId = 192,
    kNumberEdit = 10001,  // 单据号: header 货位, else the sheet's number
    kBalanceEdit = 10002, // 帐余额: header 小计
    kAddressEdit = 10004, // header 项目名称
    kFaxEdit = 10005,     // header 编号
    kPhoneEdit = 10006,   // header 厂牌
    kContactEdit = 10007, // header 业务
    kMobileEdit = 10008,  // header 车型
    kRemarkEdit = 10009,  // header 备注
    kNoteEdit = 10010,
    kDiscountEdit = 10011,
    kDiscountSpin = 10064,
    kBrandCombo = 1031,
    kWholesaleCheck = 1148,
    kLastPriceCheck = 1149,
    kLedgerButton = 1028,
};
} // namespace sales_page
const DialogTemplate& SalesPageTemplate();

} // namespace res
