#include "ado/engine_error.h"

namespace ado {

ComError EngineError(const foxdb::Error& error) {
    switch (error.kind()) {
    case foxdb::ErrorKind::Syntax:
    case foxdb::ErrorKind::UnknownColumn:
    case foxdb::ErrorKind::TypeMismatch:
        return ComError(DB_E_ERRORSINCOMMAND, error.what(), kEngineSource);
    default:
        return ComError(E_FAIL, error.what(), kEngineSource);
    }
}

} // namespace ado
