#pragma once
// Find and Filter criteria: "field op value" clauses (=, <>, <, >, <=, >=, LIKE)
// joined by AND / OR with parentheses, as ADO's cursor read them. Values are
// 'text' (a doubled quote stands for one), #date# or #text#, numbers (a leading $
// allowed), NULL with = or <>, or a bare word such as 2026-12-09 read by the
// field's type. Text compares ignoring ASCII case and trailing blanks; LIKE takes
// * or % at the start and/or the end of the pattern only. A criterion that does not
// parse raises 3001, an unknown field 3265.
#include "ado/row_store.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ado {

class Criteria {
public:
    // `singleClause`: Find's form, one comparison without AND / OR.
    static std::shared_ptr<const Criteria>
    Parse(const std::string& text, const std::vector<ColumnInfo>& columns, bool singleClause);
    virtual ~Criteria() = default;
    virtual bool Matches(const std::vector<foxdb::Value>& values) const = 0;

    // A criterion that is one text comparison "field = 'text'" (no LIKE, no NULL, not
    // joined to another): a row passes it when its value is not Null and has `key`
    // as its EqualityKey.
    struct TextEquality {
        int column;
        std::string key;
    };
    virtual std::optional<TextEquality> SingleTextEquality() const = 0;
};

// The key under which a value (not Null) of a text column equals a text literal:
// trailing blanks cut, ASCII letters that stand alone upper-cased. A value that is not
// text counts as empty text.
std::string EqualityKey(const ColumnInfo& column, const foxdb::Value& value);

// The cursor's order of two values of a column: Null first, text by GBK bytes with
// ASCII case and trailing blanks ignored, numbers and dates by value. <0, 0, >0.
int CompareStored(const ColumnInfo& column, const foxdb::Value& a, const foxdb::Value& b);

} // namespace ado
