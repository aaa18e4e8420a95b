#pragma once
// Dialog 278 "用户资料": the company data page of the system-settings sheet.
#include "res/dialog_template.h"

namespace res {

namespace company_page {
enum : int {
    kHelpId = 32814, // the settings command: the sheet's pages share its help
    kDialogId = 278,
    kNameEdit = 10001,     // "单位"
    kAddressEdit = 10002,  // "地址"
    kManagerEdit = 10003,  // "负责人"
    kPostcodeEdit = 10004, // "邮编"
    kFaxEdit = 10005,      // "传真"
    kPhone1Edit = 10006,   // "电话1"
    kPhone2Edit = 10007,   // "电话2"
    kPhone3Edit = 10008,   // "电话3"
    kStoresEdit = 10009,   // "库房名"
};
} // namespace company_page
const DialogTemplate& CompanyPageTemplate();

} // namespace res
