#include "office/office_forms.h"

namespace office {

void RegisterForms() {
    RegisterStatistics();
    RegisterQueryResult();
    RegisterReminderPanel();
    RegisterFlowAnalysis();
    RegisterCustomerAlert();
}

} // namespace office
