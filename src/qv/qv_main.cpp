// The qv program: the application shell with the forms of every subsystem. This is
// the one place that knows them all; a subsystem opens another's form through the
// main window's registered openers, never by including it.
#include "app/app_forms.h"
#include "app/qv_app.h"
#include "office/office_forms.h"
#include "parts/parts_forms.h"
#include "work/work_forms.h"

class CQvProgram : public CQvApp {
protected:
    void RegisterForms() override {
        app::RegisterForms();
        work::RegisterForms();
        parts::RegisterForms();
        office::RegisterForms();
    }
};

wxIMPLEMENT_APP(CQvProgram);
