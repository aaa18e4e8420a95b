#pragma once
// Splits a statement of the dialect into tokens. Text is UTF-8; string literals
// come out as GBK bytes, dates as day numbers. Anything outside the dialect
// (a ';' that could start a second statement, an unclosed quote, text that is
// not UTF-8 or has no GBK form) is a syntax error naming its place.
#include "foxdb/value.h"

#include <string>
#include <vector>

namespace foxdb::sql {

struct Token {
    enum Kind { Identifier, Number, String, DateLit, Logical, NullLit, Symbol, End };
    Kind kind = End;
    std::string text; // identifier or symbol as written; number text; string in GBK
    Value value;      // Number: double or int64; DateLit: Date; Logical: bool
    size_t pos = 0;
};

// The longest statement accepted, in bytes.
constexpr size_t kMaxStatementBytes = 64 * 1024;

std::vector<Token> Tokenize(const std::string& statement);

// "Syntax error near '<what>' at position <pos+1>." as an Error(Syntax).
[[noreturn]] void ThrowSyntax(size_t pos, const std::string& what);

// True for an ASCII keyword match ignoring case.
bool EqualsNoCase(const std::string& a, const char* b);

} // namespace foxdb::sql
