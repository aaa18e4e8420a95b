#pragma once
// The parsed form of one statement of the dialect. Positions are byte offsets
// into the statement text, for error messages.
#include "foxdb/sql_types.h"
#include "foxdb/value.h"

#include <memory>
#include <string>
#include <vector>

namespace foxdb::sql {

struct Select;

struct Expr {
    enum class Kind {
        Literal,   // literal, literalType
        Column,    // [qualifier.]name
        Unary,     // op: "NOT" or "-"
        Binary,    // op: OR AND = == != < <= > >= $ + - * /
        Call,      // name(args): scalar functions
        Aggregate, // name(args) with name SUM COUNT MAX MIN AVG; no args = COUNT(*)
        InList,    // args[0] IN (args[1..])
        InSelect,  // args[0] IN (subquery)
        Between,   // args[0] BETWEEN args[1] AND args[2]
        Like,      // args[0] LIKE args[1]
        IsNull,    // args[0] IS NULL
    };
    Kind kind = Kind::Literal;
    size_t pos = 0;
    std::string op;        // operator, or the upper-cased function name
    bool negated = false;  // NOT IN, NOT LIKE, NOT BETWEEN, IS NOT NULL
    bool distinct = false; // COUNT(DISTINCT x)
    Value literal;         // GBK bytes for text
    Type literalType;
    std::string qualifier; // Column: table or local alias, may be empty
    std::string name;      // Column: field name (UTF-8)
    std::vector<std::unique_ptr<Expr>> args;
    std::unique_ptr<Select> subquery;
};
using ExprPtr = std::unique_ptr<Expr>;

struct SelectItem {
    ExprPtr expr;          // null for * and t.*
    std::string starTable; // t of t.*, empty for *
    std::string alias;
    size_t pos = 0;
};

struct TableRef {
    std::string name;  // as written
    std::string alias; // local alias, may be empty
    size_t pos = 0;
};

struct OrderItem {
    ExprPtr expr;
    bool descending = false;
};

struct Select {
    bool distinct = false;
    std::vector<SelectItem> items;
    std::vector<TableRef> from;
    ExprPtr where;
    std::vector<ExprPtr> groupBy;
    ExprPtr having;
    std::vector<OrderItem> orderBy;
};

struct Assignment {
    std::string field;
    size_t pos = 0;
    ExprPtr value;
};

struct Statement {
    enum class Kind { Select, Update, Delete, Insert, CreateTable, DropTable };
    Kind kind = Kind::Select;
    std::unique_ptr<Select> select;
    TableRef table;                  // UPDATE, DELETE, INSERT, CREATE, DROP
    std::vector<Assignment> sets;    // UPDATE
    ExprPtr where;                   // UPDATE, DELETE
    std::vector<std::string> fields; // INSERT (empty: every field in order)
    std::vector<size_t> fieldPos;
    std::vector<ExprPtr> values; // INSERT
    std::string definition;      // CREATE TABLE: the field list with its parentheses
};

} // namespace foxdb::sql
