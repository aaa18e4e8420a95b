#pragma once
// Every failure of the table engine: the text is what the FoxPro ODBC driver said
// (or a clear description of ours), ready for the recordset library's ComError.
#include <stdexcept>
#include <string>

namespace foxdb {

enum class ErrorKind {
    FileNotFound,  // "File 'xyz.dbf' does not exist."
    BadFile,       // a damaged or foreign table or index file
    Syntax,        // a statement that does not parse
    UnknownColumn, // "SQL: Column 'X' is not found."
    TypeMismatch,  // "Operator/operand type mismatch."
    Uniqueness,    // "Uniqueness of index NO is violated."
    Io,            // the file system refused
    Other,
};

class Error : public std::runtime_error {
public:
    Error(ErrorKind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    ErrorKind kind() const { return kind_; }

private:
    ErrorKind kind_;
};

} // namespace foxdb
