#include "office/office_forms.h"

namespace office {

void RegisterForms() {
    RegisterStatistics();
    RegisterQueryResult();
    RegisterReminderPanel();
    RegisterFlowAnalysis();
    RegisterCustomerAlert();
    RegisterPartners();
    RegisterLedger();
    RegisterCashJournal();
}

} // namespace office
