#include "work/work_forms.h"

namespace work {

void RegisterForms() {}

} // namespace work
