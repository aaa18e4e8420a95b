#pragma once

namespace platform {
// Routes every message box of the process to wxMessageBox.
void InstallWxMessageBox();
} // namespace platform
