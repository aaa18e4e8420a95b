#include "res/company_page_template.h"

#include "platform/wx_text.h"
#include "res/control_ids.h"

namespace res {

const DialogTemplate& CompanyPageTemplate() {
    using namespace company_page;
    using K = ControlKind;
    static const DialogTemplate dialog{
        kDialogId,
        U("用户资料"),
        288,
        140,
        {
            {K::Static, IDC_STATIC, U("单位"), 10, 12, 34, 8},
            {K::Edit, kNameEdit, "", 48, 10, 230, 13},
            {K::Static, IDC_STATIC, U("地址"), 10, 32, 34, 8},
            {K::Edit, kAddressEdit, "", 48, 30, 230, 13},
            {K::Static, IDC_STATIC, U("负责人"), 10, 52, 34, 8},
            {K::Edit, kManagerEdit, "", 48, 50, 90, 13},
            {K::Static, IDC_STATIC, U("邮编"), 150, 52, 34, 8},
            {K::Edit, kPostcodeEdit, "", 188, 50, 90, 13},
            {K::Static, IDC_STATIC, U("传真"), 10, 72, 34, 8},
            {K::Edit, kFaxEdit, "", 48, 70, 90, 13},
            {K::Static, IDC_STATIC, U("电话1"), 150, 72, 34, 8},
            {K::Edit, kPhone1Edit, "", 188, 70, 90, 13},
            {K::Static, IDC_STATIC, U("电话2"), 10, 92, 34, 8},
            {K::Edit, kPhone2Edit, "", 48, 90, 90, 13},
            {K::Static, IDC_STATIC, U("电话3"), 150, 92, 34, 8},
            {K::Edit, kPhone3Edit, "", 188, 90, 90, 13},
            {K::Static, IDC_STATIC, U("库房名"), 10, 112, 34, 8},
            {K::Edit, kStoresEdit, "", 48, 110, 230, 13},
        },
        kHelpId,
    };
    return dialog;
}

} // namespace res
