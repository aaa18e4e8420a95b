#include "office/office_forms.h"

namespace office {

void RegisterForms() {
    RegisterStatistics();
    RegisterQueryResult();
    RegisterReminderPanel();
}

} // namespace office
