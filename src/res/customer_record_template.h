#pragma once
// Dialog 160 "客户资料": the vehicle customer record over `gk`.
#include "res/dialog_template.h"

namespace res {

namespace customer_record {
enum : int {
    kDialogId = 160,
    kPlateEdit = 10001,        // 车牌号码
    kEngineEdit = 10002,       // 发动机号
    kChassisEdit = 10003,      // 车架号码
    kModelCodeEdit = 10005,    // 机种代码
    kFirstVisitEdit = 10006,   // 首次来访
    kMileageEdit = 10007,      // 首次里程
    kBoughtEdit = 10008,       // 购车日期
    kDealerEdit = 10009,       // 销售公司
    kLicensedEdit = 10010,     // 领照日期
    kOwnerEdit = 10011,        // 姓名
    kHomePhoneEdit = 10013,    // 住宅电话
    kWorkPhoneEdit = 10014,    // 单位电话
    kMobileEdit = 10015,       // 手机
    kWorkPostEdit = 10016,     // 单位邮编
    kEmployerEdit = 10017,     // 单位名称
    kIdNumberEdit = 10018,     // 身份证号
    kBirthdayEdit = 10019,     // 出生日期
    kSexEdit = 10020,          // 性别
    kPostEdit = 10021,         // 住址邮编
    kAddressEdit = 10022,      // 住址
    kFeatureEdit = 10023,      // 客户特征
    kPayerEdit = 10024,        // 结算单位
    kSpouseEdit = 10025,       // 配偶姓名
    kWorkAddressEdit = 10026,  // 单位地址
    kSpousePhoneEdit = 10027,  // 配偶电话
    kPartsRateEdit = 10028,    // 零件费折扣
    kLabourRateEdit = 10029,   // 工时费折扣
    kWarrantyCardEdit = 10033, // 保修卡号
    kInsuredEdit = 10034,      // 投保日期
    kPartsRateSpin = 10064,
    kLabourRateSpin = 10065,
    kModelCombo = 1016,   // 车型
    kServiceCombo = 1050, // 保养类型
    kColourCombo = 1080,  // 外观颜色
    kNewButton = 1009,
    kModifyButton = 1035,
    kDeleteButton = 1072,
    kPrintButton = 1073,
    kBrowseButton = 1074,
    kSaveButton = 1076,
    kCancelButton = 1077,
    kExitButton = 1078,
    kHistoryButton = 1086,
    kCarButton = 1107,
    kMotorButton = 1108,
};
} // namespace customer_record
const DialogTemplate& CustomerRecordTemplate();

} // namespace res
