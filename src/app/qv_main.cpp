#include "app/qv_app.h"

wxIMPLEMENT_APP(CQvApp);
