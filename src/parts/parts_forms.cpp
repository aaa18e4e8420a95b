#include "parts/parts_forms.h"

#include "parts/order_page.h"
#include "parts/split_assemble_dlg.h"

#include "app/main_frame.h"

namespace parts {

void RegisterForms() {
    CMainFrame::RegisterForm(
        FormKind::OrderSheet,
        [](CMainFrame& frame, int mode, const wxString&) { Pjdh::Open(frame, mode); });
    CSplitAssembleDlg::Register();
}

} // namespace parts
