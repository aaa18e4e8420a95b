#include "parts/parts_forms.h"

namespace parts {

void RegisterForms() {}

} // namespace parts
