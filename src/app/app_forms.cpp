#include "app/app_forms.h"

#include "app/about_dlg.h"
#include "app/data_export_dlg.h"
#include "app/data_file_open_form.h"
#include "app/data_import_dlg.h"
#include "app/data_tidy_dlg.h"
#include "app/grid_file_save.h"
#include "app/grid_menu_commands.h"
#include "app/login_dlg.h"
#include "app/main_frame.h"
#include "app/settings_sheet.h"
#include "app/tip_dlg.h"
#include "grid/report_setup_dlg.h"

namespace app {

void RegisterForms() {
    CLoginDlg::Register();
    CTipDlg::Register();
    CAboutDlg::Register();
    CGridFileSave::Register();
    CGridMenuCommands::Register();
    CDataFileOpenForm::Register();
    CDataTidyDlg::Register();
    CDataExportDlg::Register();
    CDataImportDlg::Register();
    CSettingsSheet::Register();
    CMainFrame::RegisterForm(FormKind::ReportSetup, [](CMainFrame& frame, int, const wxString&) {
        CReportSetupDlg dialog(&frame);
        dialog.ShowModal();
    });
}

} // namespace app
