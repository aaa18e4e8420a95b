#include "gui_repair_sheet_fixture.h"

#include "app/main_frame.h"
#include "work/work_forms.h"

void WorkshopTest::SetUp() {
    LoginTest::SetUp();
    work::RegisterForms();
}

void WorkshopTest::TearDown() {
    CMainFrame::RegisterForm(FormKind::RepairSheet, nullptr);
    LoginTest::TearDown();
}
