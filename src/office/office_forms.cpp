#include "office/office_forms.h"

namespace office {

void RegisterForms() {}

} // namespace office
