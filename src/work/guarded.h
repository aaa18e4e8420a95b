#pragma once
// Runs an operator's command so that a failure of the data access is shown in a
// message box instead of leaving the event handler.
#include <functional>

namespace work {

void Guarded(const std::function<void()>& command);

} // namespace work
