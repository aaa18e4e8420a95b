#include "gui_repair_sheet_fixture.h"

#include "app/main_frame.h"
#include "platform/wx_text.h"
#include "res/command_ids.h"
#include "work/repair_page.h"
#include "work/vehicle_pick_dlg.h"
#include "work/work_forms.h"
#include "work/work_sheet.h"

#include <wx/combobox.h>

void WorkshopTest::SetUp() {
    LoginTest::SetUp();
    work::RegisterForms();
}

void WorkshopTest::TearDown() {
    CMainFrame::RegisterForm(FormKind::RepairSheet, nullptr);
    LoginTest::TearDown();
}

void WorkshopTest::BindPlate(CVehiclePickDlg* picker, const char* typed) {
    picker->m_comboCustomer->SetValue(U(typed));
    Pump();
    PressKey(picker->m_comboCustomer, WXK_RETURN);
    Pump();
}

WXZY* WorkshopTest::OpenCard(CMainFrame* frame, const char* plate) {
    frame->ExecuteCommand(ID_REPAIR_SHEET);
    Pump();
    auto* sheet = dynamic_cast<CWorkSheet*>(frame->GetSheet(CMainFrame::SheetKind::Repair));
    if (!sheet || !sheet->GetPicker()) return nullptr;
    BindPlate(sheet->GetPicker(), plate);
    return dynamic_cast<WXZY*>(sheet->GetActiveWorkPage());
}
