#pragma once
// Every dialog template of the program, by the name of the function that gives it,
// so the layout checks can build each one.
#include "res/dialog_template.h"

#include <vector>

namespace res {

struct NamedTemplate {
    const char* name; // the function's name, e.g. "LoginTemplate"
    const DialogTemplate& (*get)();
};

// A template added to src/res is added here too; a test compares this list with the
// functions the headers declare.
const std::vector<NamedTemplate>& AllDialogTemplates();

} // namespace res
