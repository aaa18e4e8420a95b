#include "work/work_forms.h"

#include "work/archive_dlg.h"
#include "work/customer_record_dlg.h"
#include "work/member_card_dlg.h"

namespace work {

void RegisterForms() {
    gkda::Register();
    CMemberCardDlg::Register();
    wxda::Register();
}

} // namespace work
