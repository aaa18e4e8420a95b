#pragma once
// The forms of the application shell: login, tips, about, settings, the data
// dialogs and the grid's report setup.

namespace app {

// Registers the opener of each of the shell's forms with the main window.
void RegisterForms();

} // namespace app
