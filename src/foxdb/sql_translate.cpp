#include "foxdb/sql_translate.h"

#include "foxdb/error.h"
#include "foxdb/sql_lexer.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace foxdb::sql {
namespace {

[[noreturn]] void Mismatch() {
    throw Error(ErrorKind::TypeMismatch, "Operator/operand type mismatch.");
}

[[noreturn]] void Misuse(const std::string& what) {
    throw Error(ErrorKind::Syntax, what);
}

// Field names compare ignoring ASCII case; other bytes exactly.
std::string FoldCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

// The driver named plain columns in lower case.
std::string OutputName(const std::string& field) {
    return FoldCase(field);
}

std::string Hex(const std::string& bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string r = "X'";
    for (unsigned char c : bytes) {
        r += digits[c >> 4];
        r += digits[c & 15];
    }
    return r + "'";
}

std::string StripRight(std::string s) {
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

bool ContainsAggregate(const Expr& e) {
    if (e.kind == Expr::Kind::Aggregate) return true;
    for (const auto& a : e.args)
        if (a && ContainsAggregate(*a)) return true;
    return false; // subqueries aggregate on their own
}

// A value as SQL text in both forms: `raw` as FoxPro's functions see it (text
// blank padded), `norm` as it is compared, grouped, sorted and returned.
struct Code {
    std::string raw, norm;
    Type type;
    // The operator of "(x op y)", whose parentheses a further "op z" may drop: a long
    // chain then reads "(a OR b OR c)", not as deep parentheses that SQLite's parser
    // cannot hold.
    std::string chain = {};
};

Code Same(std::string sql, Type type) {
    return Code{sql, sql, type};
}

struct Source {
    TableInfo info;
    std::string name;  // as written in FROM
    std::string alias; // local alias or empty
    std::string sqlAlias;
};

struct Scope {
    std::vector<Source> tables;
    const Scope* parent = nullptr;
    bool grouping = false;
    std::set<std::pair<size_t, size_t>> groupColumns; // (table, field)
    std::string orderKey;                             // record order of the first table
    bool allowAggregates = false;
    int aggregateDepth = 0;
    std::map<std::string, Code> aliases; // HAVING and GROUP BY may name output columns
    bool aliasesFirst = false;           // HAVING filters the output: its names win
};

// The checked arguments of a call, with the expressions they came from.
struct Call {
    const Expr& expr;
    const std::vector<Code>& args;

    // The argument's value when it is an integer literal, else the fallback.
    int LiteralInt(size_t i, int fallback) const {
        const Expr& a = *expr.args[i];
        if (a.kind == Expr::Kind::Literal)
            if (const auto* v = std::get_if<int64_t>(&a.literal)) return static_cast<int>(*v);
        return fallback;
    }
};

// fn(part, part, ...)
std::string SqlCall(const std::string& fn, std::initializer_list<std::string> parts) {
    std::string sql = fn + "(";
    bool first = true;
    for (const auto& p : parts) {
        sql += (first ? "" : ",") + p;
        first = false;
    }
    return sql + ")";
}

// A text result of a width: compared without its trailing blanks.
Code CharResult(const std::string& sql, int width) {
    return Code{sql, "foxrtrim(" + sql + ")", Type::OfChar(std::max(0, width))};
}

// Whether an argument of this type may stand where the kind letter is: C text, N
// number, D date, L logical, * anything. Null fits everywhere.
bool Fits(const Type& type, char kind) {
    if (type.kind == Type::Null) return true;
    switch (kind) {
    case 'C':
        return type.kind == Type::Char;
    case 'N':
        return type.IsNumber();
    case 'D':
        return type.IsDate();
    case 'L':
        return type.kind == Type::Logical;
    default:
        return true;
    }
}

// One function of the dialect: its name, how many arguments it takes, the kind of
// each (the last letter covers the rest), the SQLite function that computes it, and
// how its statement text and result type are made from the checked arguments. A
// name may stand twice, for two numbers of arguments.
struct DialectFunction {
    const char* name;
    size_t minArgs, maxArgs;
    const char* kinds;
    const char* sql;
    Code (*emit)(const DialectFunction& function, const Call& call);
};

Code TextOfText(const DialectFunction& f, const Call& c) {
    return CharResult(SqlCall(f.sql, {c.args[0].raw}), c.args[0].type.width);
}

Code Substr(const DialectFunction& f, const Call& c) {
    const auto& a = c.args;
    int width = a[0].type.width;
    if (a.size() == 3)
        return CharResult(SqlCall(f.sql, {a[0].raw, a[1].norm, a[2].norm}),
                          std::min(width, c.LiteralInt(2, width)));
    width -= std::max(0, c.LiteralInt(1, 1) - 1);
    return CharResult(SqlCall(f.sql, {a[0].raw, a[1].norm}), width);
}

Code LeftRight(const DialectFunction& f, const Call& c) {
    const int width = std::min(c.args[0].type.width, c.LiteralInt(1, c.args[0].type.width));
    return CharResult(SqlCall(f.sql, {c.args[0].raw, c.args[1].norm}), width);
}

Code Len(const DialectFunction& f, const Call& c) {
    return Same(SqlCall(f.sql, {c.args[0].raw}), Type::Of(Type::Integer));
}

Code At(const DialectFunction& f, const Call& c) {
    const auto& a = c.args;
    if (a.size() == 3)
        return Same(SqlCall(f.sql, {a[0].raw, a[1].raw, a[2].norm}), Type::Of(Type::Integer));
    return Same(SqlCall(f.sql, {a[0].raw, a[1].raw}), Type::Of(Type::Integer));
}

Code Str(const DialectFunction& f, const Call& c) {
    std::string sql = std::string(f.sql) + "(" + c.args[0].norm;
    for (size_t i = 1; i < c.args.size(); ++i)
        sql += "," + c.args[i].norm;
    return CharResult(sql + ")", c.args.size() > 1 ? c.LiteralInt(1, 255) : 10);
}

Code Val(const DialectFunction& f, const Call& c) {
    return Same(SqlCall(f.sql, {c.args[0].raw}), Type::OfNumeric(20, 2));
}

Code DateText(const DialectFunction& f, const Call& c) {
    if (c.args.size() == 2) return CharResult(SqlCall(f.sql, {c.args[0].norm, c.args[1].norm}), 8);
    return CharResult(SqlCall(f.sql, {c.args[0].norm}), 8);
}

Code Ctod(const DialectFunction& f, const Call& c) {
    return Same(SqlCall(f.sql, {c.args[0].raw}), Type::Of(Type::Date));
}

Code DatePart(const DialectFunction& f, const Call& c) {
    return Same(SqlCall(f.sql, {c.args[0].norm}), Type::Of(Type::Integer));
}

// DATE() is today, DATE(y, m, d) a day.
Code DateOf(const DialectFunction& f, const Call& c) {
    const auto& a = c.args;
    if (a.empty()) return Same(SqlCall(f.sql, {}), Type::Of(Type::Date));
    return Same(SqlCall(f.sql, {a[0].norm, a[1].norm, a[2].norm}), Type::Of(Type::Date));
}

// IIF(condition, x, y) and NVL(x, y): one of two comparable values.
Code Choice(const DialectFunction& f, const Call& c) {
    const bool iif = std::string(f.name) == "IIF";
    const Code& x = c.args[iif ? 1 : 0];
    const Code& y = c.args[iif ? 2 : 1];
    if (!Comparable(x.type, y.type)) Mismatch();
    Type type = x.type.kind == Type::Null ? y.type : x.type;
    if (type.kind == Type::Char) type.width = std::max(x.type.width, y.type.width);
    if (type.kind == Type::Numeric && y.type.kind == Type::Numeric) {
        type.precision = std::max(x.type.precision, y.type.precision);
        type.scale = std::max(x.type.scale, y.type.scale);
    }
    if (!iif)
        return Code{"ifnull(" + x.raw + "," + y.raw + ")", "ifnull(" + x.norm + "," + y.norm + ")",
                    type};
    const std::string when = "(CASE WHEN " + c.args[0].norm + " THEN ";
    return Code{when + x.raw + " ELSE " + y.raw + " END)",
                when + x.norm + " ELSE " + y.norm + " END)", type};
}

Code Empty(const DialectFunction& f, const Call& c) {
    return Same(SqlCall(f.sql, {c.args[0].norm}), Type::Of(Type::Logical));
}

// INLIST(x, a, b, ...) and BETWEEN(x, low, high): values comparable with the first.
Code Membership(const DialectFunction& f, const Call& c) {
    const auto& a = c.args;
    for (size_t i = 1; i < a.size(); ++i)
        if (!Comparable(a[0].type, a[i].type)) Mismatch();
    if (std::string(f.name) == "BETWEEN")
        return Same("(" + a[0].norm + " BETWEEN " + a[1].norm + " AND " + a[2].norm + ")",
                    Type::Of(Type::Logical));
    std::string list;
    for (size_t i = 1; i < a.size(); ++i)
        list += (i > 1 ? "," : "") + a[i].norm;
    return Same("(" + a[0].norm + " IN (" + list + "))", Type::Of(Type::Logical));
}

Code Round(const DialectFunction& f, const Call& c) {
    const Type& t = c.args[0].type;
    const int digits = std::max(0, c.LiteralInt(1, t.scale));
    const int precision = t.kind == Type::Numeric ? t.precision : 20;
    return Same(SqlCall(f.sql, {c.args[0].norm, c.args[1].norm}),
                Type::OfNumeric(precision, std::min(digits, 18)));
}

Code Int(const DialectFunction&, const Call& c) {
    return Same("CAST(" + c.args[0].norm + " AS INTEGER)", Type::Of(Type::Integer));
}

Code Abs(const DialectFunction& f, const Call& c) {
    return Same(SqlCall(f.sql, {c.args[0].norm}), c.args[0].type);
}

// Every function of the dialect.
const DialectFunction kFunctions[] = {
    {"ALLTRIM", 1, 1, "C", "foxalltrim", TextOfText},
    {"TRIM", 1, 1, "C", "foxrtrim", TextOfText},
    {"RTRIM", 1, 1, "C", "foxrtrim", TextOfText},
    {"LTRIM", 1, 1, "C", "foxltrim", TextOfText},
    {"UPPER", 1, 1, "C", "foxupper", TextOfText},
    {"LOWER", 1, 1, "C", "foxlower", TextOfText},
    {"SUBSTR", 2, 3, "CNN", "foxsubstr", Substr},
    {"LEFT", 2, 2, "CN", "foxleft", LeftRight},
    {"RIGHT", 2, 2, "CN", "foxright", LeftRight},
    {"LEN", 1, 1, "C", "foxlen", Len},
    {"AT", 2, 3, "CCN", "foxat", At},
    {"STR", 1, 3, "N", "foxstr", Str},
    {"VAL", 1, 1, "C", "foxval", Val},
    {"DTOC", 1, 2, "D*", "foxdtoc", DateText},
    {"DTOS", 1, 1, "D", "foxdtos", DateText},
    {"CTOD", 1, 1, "C", "foxctod", Ctod},
    {"YEAR", 1, 1, "D", "foxyear", DatePart},
    {"MONTH", 1, 1, "D", "foxmonth", DatePart},
    {"DAY", 1, 1, "D", "foxday", DatePart},
    {"DATE", 0, 0, "", "foxdate", DateOf},
    {"DATE", 3, 3, "N", "foxdate", DateOf},
    {"IIF", 3, 3, "L*", "", Choice},
    {"NVL", 2, 2, "*", "", Choice},
    {"EMPTY", 1, 1, "*", "foxempty", Empty},
    {"INLIST", 2, 255, "*", "", Membership},
    {"BETWEEN", 3, 3, "*", "", Membership},
    {"ROUND", 2, 2, "N", "foxround", Round},
    {"INT", 1, 1, "N", "", Int},
    {"ABS", 1, 1, "N", "abs", Abs},
};

// The function of the name that takes this many arguments; throws when there is none.
const DialectFunction* FindFunction(const std::string& name, size_t count) {
    bool named = false;
    for (const DialectFunction& f : kFunctions) {
        if (name != f.name) continue;
        if (count >= f.minArgs && count <= f.maxArgs) return &f;
        named = true;
    }
    if (named) throw Error(ErrorKind::Syntax, "SQL: Wrong number of arguments to " + name + "().");
    throw Error(ErrorKind::Syntax, "SQL: Function " + name + "() is not supported.");
}

class Translator {
public:
    explicit Translator(const TableResolver* resolve) : resolve_(resolve) {}

    SelectPlan Select(const sql::Select& sel, const Scope* parent, bool top);
    RowPlan Rows(const TableRef& table, const std::vector<const Expr*>& values, const Expr* where);
    RowPlan Values(const std::vector<const Expr*>& values);

private:
    void AddTable(Scope& scope, const TableRef& ref) {
        if (!resolve_) Misuse("SQL: No table here.");
        Source s;
        s.info = (*resolve_)(ref);
        s.name = ref.name;
        s.alias = ref.alias;
        s.sqlAlias = "t" + std::to_string(nextAlias_++);
        scope.tables.push_back(std::move(s));
    }

    Code Emit(const Expr& e, Scope& scope);
    Code EmitColumn(const Expr& e, Scope& scope);
    Code EmitBinary(const Expr& e, Scope& scope);
    Code EmitCall(const Expr& e, Scope& scope);
    Code EmitAggregate(const Expr& e, Scope& scope);
    Code EmitCondition(const Expr& e, Scope& scope) {
        Code c = Emit(e, scope);
        if (c.type.kind != Type::Logical && c.type.kind != Type::Null) Mismatch();
        return c;
    }

    // Finds a column: (scope, table index, field index); scope null when absent.
    struct Found {
        const Scope* scope = nullptr;
        size_t table = 0, field = 0;
    };
    Found Lookup(const Expr& e, const Scope& scope) const;

    const TableResolver* resolve_;
    int nextAlias_ = 0;
    bool strictDivision_ = false; // values to be stored: a zero divisor is an error
};

Translator::Found Translator::Lookup(const Expr& e, const Scope& scope) const {
    const std::string name = FoldCase(e.name);
    for (const Scope* s = &scope; s; s = s->parent) {
        Found found;
        int hits = 0;
        bool tableSeen = false;
        for (size_t t = 0; t < s->tables.size(); ++t) {
            const Source& src = s->tables[t];
            if (!e.qualifier.empty()) {
                const std::string q = FoldCase(e.qualifier);
                bool match = src.alias.empty() ? FoldCase(src.name) == q : FoldCase(src.alias) == q;
                if (!match) continue;
                tableSeen = true;
            }
            const auto& fields = *src.info.fields;
            for (size_t f = 0; f < fields.size(); ++f) {
                if (FoldCase(fields[f].name) != name) continue;
                if (hits == 0) found = Found{s, t, f};
                ++hits;
                break;
            }
        }
        if (hits > 1)
            throw Error(ErrorKind::UnknownColumn, "SQL: Column '" + e.name + "' is ambiguous.");
        if (hits == 1) return found;
        if (!e.qualifier.empty() && tableSeen) break;
    }
    return Found{};
}

Code Translator::EmitColumn(const Expr& e, Scope& scope) {
    auto alias = e.qualifier.empty() ? scope.aliases.find(FoldCase(e.name)) : scope.aliases.end();
    if (alias != scope.aliases.end() && scope.aliasesFirst) return alias->second;
    Found f = Lookup(e, scope);
    if (!f.scope) {
        if (alias != scope.aliases.end()) return alias->second;
        std::string shown = e.qualifier.empty() ? e.name : e.qualifier + "." + e.name;
        throw Error(ErrorKind::UnknownColumn, "SQL: Column '" + shown + "' is not found.");
    }
    const Source& src = f.scope->tables[f.table];
    const FieldDef& field = (*src.info.fields)[f.field];
    Type type = Type::OfField(field);
    std::string ref = src.sqlAlias + ".c" + std::to_string(f.field);
    // FoxPro took a column that is neither grouped nor aggregated from the
    // group's last record.
    if (f.scope == &scope && scope.grouping && scope.aggregateDepth == 0 &&
        !scope.groupColumns.count({f.table, f.field}))
        ref = "foxlast(" + ref + "," + scope.orderKey + ")";
    Code c = Same(ref, type);
    if (type.kind == Type::Char) c.raw = "foxpad(" + ref + "," + std::to_string(type.width) + ")";
    return c;
}

Code Translator::Emit(const Expr& e, Scope& scope) {
    switch (e.kind) {
    case Expr::Kind::Literal: {
        const Value& v = e.literal;
        if (const auto* s = std::get_if<std::string>(&v))
            return Code{Hex(*s), Hex(StripRight(*s)), e.literalType};
        if (const auto* i = std::get_if<int64_t>(&v))
            return Same(std::to_string(*i), e.literalType);
        if (const auto* d = std::get_if<double>(&v)) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.17g", *d);
            std::string text = buf;
            if (text.find_first_of(".e") == std::string::npos) text += ".0";
            return Same(text, e.literalType);
        }
        if (const auto* d = std::get_if<Date>(&v))
            return Same(std::to_string(d->julianDay), e.literalType);
        if (const auto* b = std::get_if<bool>(&v)) return Same(*b ? "1" : "0", e.literalType);
        return Same("NULL", Type::Of(Type::Null));
    }
    case Expr::Kind::Column:
        return EmitColumn(e, scope);
    case Expr::Kind::Unary: {
        Code a = Emit(*e.args[0], scope);
        if (e.op == "NOT") {
            if (a.type.kind != Type::Logical && a.type.kind != Type::Null) Mismatch();
            return Same("(NOT " + a.norm + ")", Type::Of(Type::Logical));
        }
        if (!a.type.IsNumber() && a.type.kind != Type::Null) Mismatch();
        return Same("(-" + a.norm + ")", a.type);
    }
    case Expr::Kind::Binary:
        return EmitBinary(e, scope);
    case Expr::Kind::Call:
        return EmitCall(e, scope);
    case Expr::Kind::Aggregate:
        return EmitAggregate(e, scope);
    case Expr::Kind::InList: {
        Code x = Emit(*e.args[0], scope);
        std::string list;
        for (size_t i = 1; i < e.args.size(); ++i) {
            Code v = Emit(*e.args[i], scope);
            if (!Comparable(x.type, v.type)) Mismatch();
            list += (i > 1 ? "," : "") + v.norm;
        }
        return Same("(" + x.norm + (e.negated ? " NOT IN (" : " IN (") + list + "))",
                    Type::Of(Type::Logical));
    }
    case Expr::Kind::InSelect: {
        Code x = Emit(*e.args[0], scope);
        SelectPlan sub = Select(*e.subquery, &scope, false);
        if (sub.columns.size() != 1) Misuse("SQL: A subquery after IN must give one column.");
        if (!Comparable(x.type, sub.columns[0].type)) Mismatch();
        return Same("(" + x.norm + (e.negated ? " NOT IN (" : " IN (") + sub.sql + "))",
                    Type::Of(Type::Logical));
    }
    case Expr::Kind::Between: {
        Code x = Emit(*e.args[0], scope), lo = Emit(*e.args[1], scope),
             hi = Emit(*e.args[2], scope);
        if (!Comparable(x.type, lo.type) || !Comparable(x.type, hi.type)) Mismatch();
        return Same("(" + x.norm + (e.negated ? " NOT BETWEEN " : " BETWEEN ") + lo.norm + " AND " +
                        hi.norm + ")",
                    Type::Of(Type::Logical));
    }
    case Expr::Kind::Like: {
        Code x = Emit(*e.args[0], scope), p = Emit(*e.args[1], scope);
        for (const Code* c : {&x, &p})
            if (c->type.kind != Type::Char && c->type.kind != Type::Null) Mismatch();
        std::string sql = "foxlike(" + x.norm + "," + p.norm + ")";
        return Same(e.negated ? "(NOT " + sql + ")" : sql, Type::Of(Type::Logical));
    }
    case Expr::Kind::IsNull: {
        Code x = Emit(*e.args[0], scope);
        return Same("(" + x.norm + (e.negated ? " IS NOT NULL)" : " IS NULL)"),
                    Type::Of(Type::Logical));
    }
    }
    Misuse("SQL: Unsupported expression.");
}

Code Translator::EmitBinary(const Expr& e, Scope& scope) {
    Code a = Emit(*e.args[0], scope), b = Emit(*e.args[1], scope);
    const std::string& op = e.op;
    const Type logical = Type::Of(Type::Logical);
    // "(left op right)", continuing the left operand's chain of the same operator.
    auto chained = [&](const std::string& spaced, Type type) {
        std::string left = a.chain == op ? a.norm.substr(1, a.norm.size() - 2) : a.norm;
        Code c = Same("(" + left + spaced + b.norm + ")", type);
        c.chain = op;
        return c;
    };
    if (op == "AND" || op == "OR") {
        for (const Code* c : {&a, &b})
            if (c->type.kind != Type::Logical && c->type.kind != Type::Null) Mismatch();
        return chained(" " + op + " ", logical);
    }
    if (op == "$") {
        for (const Code* c : {&a, &b})
            if (c->type.kind != Type::Char && c->type.kind != Type::Null) Mismatch();
        return Same("foxcontains(" + a.raw + "," + b.raw + ")", logical);
    }
    if (op == "=" || op == "!=" || op == "<" || op == "<=" || op == ">" || op == ">=") {
        if (!Comparable(a.type, b.type)) Mismatch();
        return Same("(" + a.norm + " " + op + " " + b.norm + ")", logical);
    }
    const Type::Kind ka = a.type.kind, kb = b.type.kind;
    const char o = op[0];
    if (ka == Type::Char || kb == Type::Char) {
        if (o != '+' ||
            !((ka == Type::Char || ka == Type::Null) && (kb == Type::Char || kb == Type::Null)))
            Mismatch();
        std::string sql = "foxcat(" + a.raw + "," + b.raw + ")";
        const bool memo = a.type.width == Type::kMemoWidth || b.type.width == Type::kMemoWidth;
        return Code{sql, "foxrtrim(" + sql + ")",
                    Type::OfChar(memo ? Type::kMemoWidth : a.type.width + b.type.width)};
    }
    const bool da = a.type.IsDate(), db = b.type.IsDate();
    if (da || db) {
        if (o == '-' && da && db)
            return Same("(" + a.norm + "-" + b.norm + ")", Type::Of(Type::Integer));
        bool numberOther =
            da ? (b.type.IsNumber() || kb == Type::Null) : (a.type.IsNumber() || ka == Type::Null);
        if (!numberOther || (o != '+' && o != '-') || (o == '-' && db)) Mismatch();
        return Same("CAST((" + a.norm + op + b.norm + ") AS INTEGER)", Type::Of(Type::Date));
    }
    if (!(a.type.IsNumber() || ka == Type::Null) || !(b.type.IsNumber() || kb == Type::Null))
        Mismatch();
    Type result = ArithmeticResult(a.type, b.type, o);
    // A value to be stored must not turn into NULL silently: there a zero divisor fails.
    if (o == '/' && strictDivision_)
        return Same("foxdivide(CAST(" + a.norm + " AS REAL)," + b.norm + ")", result);
    if (o == '/') return Same("(CAST(" + a.norm + " AS REAL)/" + b.norm + ")", result);
    if (o == '%') return Same("(" + a.norm + "%" + b.norm + ")", result);
    if (o == '+' || o == '*') return chained(op, result);
    return Same("(" + a.norm + op + b.norm + ")", result);
}

Code Translator::EmitCall(const Expr& e, Scope& scope) {
    std::vector<Code> args;
    for (const auto& a : e.args)
        args.push_back(Emit(*a, scope));
    const DialectFunction* function = FindFunction(e.op, args.size());
    const std::string kinds = function->kinds;
    for (size_t i = 0; i < args.size() && !kinds.empty(); ++i)
        if (!Fits(args[i].type, kinds[std::min(i, kinds.size() - 1)])) Mismatch();
    return function->emit(*function, Call{e, args});
}

Code Translator::EmitAggregate(const Expr& e, Scope& scope) {
    if (!scope.allowAggregates) Misuse("SQL: Invalid use of aggregate function " + e.op + "().");
    if (scope.aggregateDepth > 0) Misuse("SQL: Aggregate functions cannot be nested.");
    if (e.args.empty()) return Same("count(*)", Type::Of(Type::Integer));
    ++scope.aggregateDepth;
    Code x = Emit(*e.args[0], scope);
    --scope.aggregateDepth;
    const std::string distinct = e.distinct ? "DISTINCT " : "";
    const std::string fn = FoldCase(e.op);
    if (e.op == "COUNT") return Same("count(" + distinct + x.norm + ")", Type::Of(Type::Integer));
    if (e.op == "MAX" || e.op == "MIN") {
        Code c = Same(fn + "(" + distinct + x.norm + ")", x.type);
        if (x.type.kind == Type::Char)
            c.raw = "foxpad(" + c.norm + "," + std::to_string(x.type.width) + ")";
        return c;
    }
    if (!x.type.IsNumber() && x.type.kind != Type::Null) Mismatch();
    Type type = x.type;
    if (e.op == "SUM") {
        if (x.type.kind == Type::Numeric) type = Type::OfNumeric(20, x.type.scale);
        if (x.type.kind == Type::Null) type = Type::OfNumeric(20, 0);
        // The sum of 4-byte integers outgrows them: it is carried in eight bytes.
        if (x.type.kind == Type::Integer) type = Type::OfWideInteger();
    } else { // AVG
        type =
            x.type.kind == Type::Double ? x.type : Type::OfNumeric(20, std::max(2, x.type.scale));
    }
    return Same(fn + "(" + distinct + x.norm + ")", type);
}

struct OrderTerm {
    std::string sql; // an expression, or the number of an output column
    bool descending = false;
};

// " ORDER BY ..." of the terms, or nothing. With `output`, the SQL of the statement's
// output columns, a term SQLite would take as an output column's number becomes that
// column's expression, so that a statement giving other columns sorts the same.
std::string OrderBy(const std::vector<OrderTerm>& order, const std::vector<std::string>* output) {
    std::string sql;
    for (const OrderTerm& term : order) {
        std::string expr = term.sql;
        if (output && !expr.empty() && expr.size() < 10 &&
            expr.find_first_not_of("0123456789") == std::string::npos) {
            const size_t n = std::stoul(expr);
            if (n >= 1 && n <= output->size()) expr = (*output)[n - 1];
        }
        sql += (sql.empty() ? " ORDER BY " : ",") + expr + (term.descending ? " DESC" : "");
    }
    return sql;
}

// The fields the terms sort by when each is a bare column ("t0.c5", or the number
// of an output column that is one), else none.
std::vector<SortField> SortFields(const std::vector<OrderTerm>& order,
                                  const std::vector<std::string>& output,
                                  const std::string& columnPrefix) {
    std::vector<SortField> fields;
    for (const OrderTerm& term : order) {
        const std::string expr = OrderBy({{term.sql}}, &output).substr(10); // " ORDER BY "
        const std::string digits = expr.compare(0, columnPrefix.size(), columnPrefix) == 0
                                       ? expr.substr(columnPrefix.size())
                                       : std::string();
        if (digits.empty() || digits.size() > 4 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return {};
        fields.push_back({std::stoi(digits), term.descending});
    }
    return fields;
}

std::string AggregateName(const Expr& e) {
    if (e.kind == Expr::Kind::Aggregate) {
        if (e.args.empty()) return "cnt";
        if (e.args[0]->kind == Expr::Kind::Column)
            return FoldCase(e.op) + "_" + OutputName(e.args[0]->name);
    }
    return {};
}

SelectPlan Translator::Select(const sql::Select& sel, const Scope* parent, bool top) {
    Scope scope;
    scope.parent = parent;
    for (const TableRef& ref : sel.from)
        AddTable(scope, ref);
    scope.orderKey = scope.tables[0].sqlAlias + ".rowid";

    bool aggregates = false;
    for (const auto& item : sel.items)
        if (item.expr && ContainsAggregate(*item.expr)) aggregates = true;
    if (sel.having && ContainsAggregate(*sel.having)) aggregates = true;
    for (const auto& o : sel.orderBy)
        if (ContainsAggregate(*o.expr)) aggregates = true;
    const bool grouping = aggregates || !sel.groupBy.empty();

    // Output names: the select list's aliases may stand in GROUP BY and HAVING.
    auto aliasTarget = [&](const Expr& g) -> const Expr* {
        if (g.kind == Expr::Kind::Literal) {
            if (const auto* n = std::get_if<int64_t>(&g.literal)) {
                if (*n < 1 || static_cast<size_t>(*n) > sel.items.size() || !sel.items[*n - 1].expr)
                    Misuse("SQL: GROUP BY column " + std::to_string(*n) + " is invalid.");
                return sel.items[*n - 1].expr.get();
            }
        }
        if (g.kind == Expr::Kind::Column && g.qualifier.empty() && !Lookup(g, scope).scope)
            for (const auto& item : sel.items)
                if (item.expr && FoldCase(item.alias) == FoldCase(g.name)) return item.expr.get();
        return &g;
    };

    std::vector<std::string> groupSql;
    for (const auto& g : sel.groupBy) {
        const Expr* target = aliasTarget(*g);
        if (ContainsAggregate(*target)) Misuse("SQL: GROUP BY cannot hold an aggregate.");
        Code c = Emit(*target, scope);
        groupSql.push_back(c.norm);
        if (target->kind == Expr::Kind::Column) {
            Found f = Lookup(*target, scope);
            if (f.scope == &scope) scope.groupColumns.insert({f.table, f.field});
        }
    }
    scope.grouping = grouping;
    scope.allowAggregates = grouping;

    // The select list.
    struct Item {
        Code code;
        OutputColumn out;
        bool aliased = false;
    };
    std::vector<Item> items;
    for (size_t i = 0; i < sel.items.size(); ++i) {
        const SelectItem& si = sel.items[i];
        if (!si.expr) {
            bool any = false;
            for (size_t t = 0; t < scope.tables.size(); ++t) {
                const Source& src = scope.tables[t];
                if (!si.starTable.empty() &&
                    FoldCase(src.alias.empty() ? src.name : src.alias) != FoldCase(si.starTable))
                    continue;
                any = true;
                const auto& fields = *src.info.fields;
                for (size_t f = 0; f < fields.size(); ++f) {
                    Expr col;
                    col.kind = Expr::Kind::Column;
                    col.qualifier = src.alias.empty() ? src.name : src.alias;
                    col.name = fields[f].name;
                    Item item;
                    item.code = EmitColumn(col, scope);
                    item.out.name = OutputName(fields[f].name);
                    item.out.type = item.code.type;
                    item.out.nullable = fields[f].nullable;
                    item.out.baseTable = src.info.path;
                    item.out.baseField = static_cast<int>(f);
                    items.push_back(std::move(item));
                }
            }
            if (!any)
                throw Error(ErrorKind::UnknownColumn,
                            "SQL: Alias '" + si.starTable + "' is not found.");
            continue;
        }
        Item item;
        item.code = Emit(*si.expr, scope);
        item.out.type = item.code.type;
        item.aliased = !si.alias.empty();
        if (si.expr->kind == Expr::Kind::Column) {
            Found f = Lookup(*si.expr, scope);
            if (f.scope == &scope) {
                const Source& src = scope.tables[f.table];
                item.out.name = OutputName((*src.info.fields)[f.field].name);
                item.out.nullable = (*src.info.fields)[f.field].nullable;
                item.out.baseTable = src.info.path;
                item.out.baseField = static_cast<int>(f.field);
            }
        }
        if (item.out.name.empty()) item.out.name = AggregateName(*si.expr);
        if (item.out.name.empty()) item.out.name = "exp_" + std::to_string(items.size() + 1);
        if (item.aliased) item.out.name = si.alias;
        items.push_back(std::move(item));
    }
    // Several unaliased columns of one name become name_a, name_b, ...
    std::map<std::string, int> seen, total;
    for (const Item& item : items)
        ++total[FoldCase(item.out.name)];
    for (Item& item : items) {
        std::string key = FoldCase(item.out.name);
        if (total[key] > 1 && !item.aliased && seen[key] < 26)
            item.out.name += std::string("_") + static_cast<char>('a' + seen[key]++);
    }
    for (size_t i = 0; i < sel.items.size() && i < items.size(); ++i)
        if (!sel.items[i].alias.empty() && sel.items[i].expr)
            scope.aliases.emplace(FoldCase(sel.items[i].alias), items[i].code);

    // WHERE sees the tables only; HAVING also the output names.
    Scope whereScope;
    whereScope.tables = scope.tables;
    whereScope.parent = parent;
    std::string where;
    if (sel.where) where = EmitCondition(*sel.where, whereScope).norm;
    std::string having;
    if (sel.having) {
        if (grouping) {
            scope.aliasesFirst = true;
            having = EmitCondition(*sel.having, scope).norm;
            scope.aliasesFirst = false;
        } else {
            std::string extra = EmitCondition(*sel.having, whereScope).norm;
            where = where.empty() ? extra : "(" + where + " AND " + extra + ")";
        }
    }

    // A DISTINCT over rows that carry a UNIQUE field changes nothing: dropping it
    // keeps the rows tied to their records, so they can be edited.
    bool distinct = sel.distinct;
    if (distinct && scope.tables.size() == 1 && !grouping)
        for (const Item& item : items)
            if (item.out.baseField >= 0 &&
                (*scope.tables[0].info.fields)[item.out.baseField].unique)
                distinct = false;

    std::vector<OrderTerm> order;
    for (const auto& o : sel.orderBy) {
        const Expr& x = *o.expr;
        std::string term;
        if (x.kind == Expr::Kind::Literal && std::holds_alternative<int64_t>(x.literal)) {
            int64_t n = std::get<int64_t>(x.literal);
            if (n < 1 || static_cast<size_t>(n) > items.size())
                Misuse("SQL: ORDER BY column " + std::to_string(n) + " is invalid.");
            term = std::to_string(n);
        } else if (x.kind == Expr::Kind::Column && x.qualifier.empty()) {
            for (size_t i = 0; i < items.size() && term.empty(); ++i)
                if (FoldCase(items[i].out.name) == FoldCase(x.name)) term = std::to_string(i + 1);
        }
        if (term.empty()) term = Emit(x, scope).norm;
        order.push_back({term, o.descending});
    }
    if (top && order.empty()) {
        // The driver gave groups in key order and DISTINCT rows sorted.
        if (!groupSql.empty())
            for (const std::string& g : groupSql)
                order.push_back({g});
        else if (sel.distinct)
            for (size_t i = 0; i < items.size(); ++i)
                order.push_back({std::to_string(i + 1)});
    }

    SelectPlan plan;
    plan.withRecno = top && scope.tables.size() == 1 && !grouping && !distinct;
    std::vector<std::string> output;
    for (size_t i = 0; i < items.size(); ++i) {
        output.push_back(items[i].code.norm);
        OutputColumn out = items[i].out;
        if (!plan.withRecno) {
            out.baseTable.clear();
            out.baseField = -1;
        }
        plan.columns.push_back(std::move(out));
    }
    if (plan.withRecno) {
        output.push_back(scope.tables[0].sqlAlias + ".rowid");
        plan.table = scope.tables[0].info.path;
    }
    std::string sql = distinct ? "SELECT DISTINCT " : "SELECT ";
    for (size_t i = 0; i < output.size(); ++i)
        sql += (i ? "," : "") + output[i] + (i < items.size() ? " AS r" + std::to_string(i) : "");
    std::string from = " FROM ";
    for (size_t t = 0; t < scope.tables.size(); ++t)
        from += (t ? "," : "") + std::string("temp.\"") + scope.tables[t].info.vtab + "\" AS " +
                scope.tables[t].sqlAlias;
    if (!where.empty()) from += " WHERE " + where;
    sql += from;
    if (!groupSql.empty()) {
        sql += " GROUP BY ";
        for (size_t i = 0; i < groupSql.size(); ++i)
            sql += (i ? "," : "") + groupSql[i];
    }
    if (!having.empty()) sql += " HAVING " + having;
    sql += OrderBy(order, nullptr);
    plan.sql = std::move(sql);
    if (plan.withRecno) {
        plan.recnoSql = "SELECT " + output.back() + from + OrderBy(order, &output);
        plan.sortFields = SortFields(order, output, scope.tables[0].sqlAlias + ".c");
        if (!plan.sortFields.empty()) plan.unsortedRecnoSql = "SELECT " + output.back() + from;
    }
    return plan;
}

RowPlan Translator::Rows(const TableRef& table, const std::vector<const Expr*>& values,
                         const Expr* where) {
    Scope scope;
    AddTable(scope, table);
    RowPlan plan;
    plan.table = scope.tables[0].info;
    std::string sql = "SELECT t0.rowid";
    strictDivision_ = true;
    for (const Expr* v : values) {
        Code c = Emit(*v, scope);
        plan.valueTypes.push_back(c.type);
        sql += "," + c.norm;
    }
    strictDivision_ = false;
    sql += " FROM temp.\"" + plan.table.vtab + "\" AS t0";
    if (where) sql += " WHERE " + EmitCondition(*where, scope).norm;
    plan.sql = std::move(sql);
    return plan;
}

RowPlan Translator::Values(const std::vector<const Expr*>& values) {
    Scope scope;
    RowPlan plan;
    std::string sql = "SELECT ";
    strictDivision_ = true;
    for (size_t i = 0; i < values.size(); ++i) {
        Code c = Emit(*values[i], scope);
        plan.valueTypes.push_back(c.type);
        sql += (i ? "," : "") + c.norm;
    }
    plan.sql = std::move(sql);
    return plan;
}

} // namespace

SelectPlan TranslateSelect(const Select& select, const TableResolver& resolve) {
    return Translator(&resolve).Select(select, nullptr, true);
}

RowPlan TranslateRows(const TableRef& table, const std::vector<const Expr*>& values,
                      const Expr* where, const TableResolver& resolve) {
    return Translator(&resolve).Rows(table, values, where);
}

RowPlan TranslateValues(const std::vector<const Expr*>& values) {
    return Translator(nullptr).Values(values);
}

} // namespace foxdb::sql
