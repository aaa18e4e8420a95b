#pragma once
// Dialog 237 "会员保养情况": the services of a vehicle's member cards. The rows of
// labels and tick boxes are made at run time.
#include "res/dialog_template.h"

namespace res {

namespace member_service {
enum : int {
    kDialogId = 237,
    kHeader = 1012,
    kFirstBox = 10001, // the tick boxes are numbered on from here
};
} // namespace member_service
const DialogTemplate& MemberServiceTemplate();

} // namespace res
