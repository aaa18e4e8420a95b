#pragma once
// The table engine's errors as the provider reported them through ADO.
#include "ado/com_error.h"
#include "foxdb/error.h"

namespace ado {

// The Source of the errors the table engine raises.
constexpr const char* kEngineSource = "FoxPro table engine";

// A statement the engine refuses: DB_E_ERRORSINCOMMAND; files, UNIQUE and the
// rest: E_FAIL. The description is the engine's text.
ComError EngineError(const foxdb::Error& error);

} // namespace ado
