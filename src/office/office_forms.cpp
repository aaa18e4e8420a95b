#include "office/office_forms.h"

namespace office {

void RegisterForms() {
    RegisterStatistics();
}

} // namespace office
