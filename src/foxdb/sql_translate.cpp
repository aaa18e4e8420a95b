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
    if (op == "AND" || op == "OR") {
        for (const Code* c : {&a, &b})
            if (c->type.kind != Type::Logical && c->type.kind != Type::Null) Mismatch();
        return Same("(" + a.norm + " " + op + " " + b.norm + ")", logical);
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
        return Code{sql, "foxrtrim(" + sql + ")", Type::OfChar(a.type.width + b.type.width)};
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
    if (o == '/') return Same("(CAST(" + a.norm + " AS REAL)/" + b.norm + ")", result);
    if (o == '%') return Same("(" + a.norm + "%" + b.norm + ")", result);
    return Same("(" + a.norm + op + b.norm + ")", result);
}

Code Translator::EmitCall(const Expr& e, Scope& scope) {
    const std::string& name = e.op;
    std::vector<Code> args;
    for (const auto& a : e.args)
        args.push_back(Emit(*a, scope));
    auto need = [&](size_t lo, size_t hi) {
        if (args.size() < lo || args.size() > hi)
            throw Error(ErrorKind::Syntax, "SQL: Wrong number of arguments to " + name + "().");
    };
    auto want = [&](size_t i, auto predicate) {
        if (args[i].type.kind != Type::Null && !predicate(args[i].type)) Mismatch();
    };
    auto isChar = [](const Type& t) { return t.kind == Type::Char; };
    auto isNumber = [](const Type& t) { return t.IsNumber(); };
    auto isDate = [](const Type& t) { return t.IsDate(); };
    auto literalInt = [&](size_t i, int fallback) {
        const Expr& a = *e.args[i];
        if (a.kind == Expr::Kind::Literal)
            if (const auto* v = std::get_if<int64_t>(&a.literal)) return static_cast<int>(*v);
        return fallback;
    };
    auto call = [&](const std::string& fn, std::initializer_list<std::string> parts) {
        std::string sql = fn + "(";
        bool first = true;
        for (const auto& p : parts) {
            sql += (first ? "" : ",") + p;
            first = false;
        }
        return sql + ")";
    };
    auto charResult = [](const std::string& sql, int width) {
        return Code{sql, "foxrtrim(" + sql + ")", Type::OfChar(std::max(0, width))};
    };
    const Type integer = Type::Of(Type::Integer), logical = Type::Of(Type::Logical);

    if (name == "ALLTRIM" || name == "TRIM" || name == "RTRIM" || name == "LTRIM" ||
        name == "UPPER" || name == "LOWER") {
        need(1, 1);
        want(0, isChar);
        std::string fn = name == "ALLTRIM" ? "foxalltrim"
                         : name == "LTRIM" ? "foxltrim"
                         : name == "UPPER" ? "foxupper"
                         : name == "LOWER" ? "foxlower"
                                           : "foxrtrim";
        return charResult(call(fn, {args[0].raw}), args[0].type.width);
    }
    if (name == "SUBSTR") {
        need(2, 3);
        want(0, isChar);
        want(1, isNumber);
        int width = args[0].type.width;
        if (args.size() == 3) {
            want(2, isNumber);
            width = std::min(width, literalInt(2, width));
            return charResult(call("foxsubstr", {args[0].raw, args[1].norm, args[2].norm}), width);
        }
        width -= std::max(0, literalInt(1, 1) - 1);
        return charResult(call("foxsubstr", {args[0].raw, args[1].norm}), width);
    }
    if (name == "LEFT" || name == "RIGHT") {
        need(2, 2);
        want(0, isChar);
        want(1, isNumber);
        int width = std::min(args[0].type.width, literalInt(1, args[0].type.width));
        return charResult(
            call(name == "LEFT" ? "foxleft" : "foxright", {args[0].raw, args[1].norm}), width);
    }
    if (name == "LEN") {
        need(1, 1);
        want(0, isChar);
        return Same(call("foxlen", {args[0].raw}), integer);
    }
    if (name == "AT") {
        need(2, 3);
        want(0, isChar);
        want(1, isChar);
        if (args.size() == 3) {
            want(2, isNumber);
            return Same(call("foxat", {args[0].raw, args[1].raw, args[2].norm}), integer);
        }
        return Same(call("foxat", {args[0].raw, args[1].raw}), integer);
    }
    if (name == "STR") {
        need(1, 3);
        want(0, isNumber);
        std::string sql = "foxstr(" + args[0].norm;
        for (size_t i = 1; i < args.size(); ++i) {
            want(i, isNumber);
            sql += "," + args[i].norm;
        }
        return charResult(sql + ")", args.size() > 1 ? literalInt(1, 255) : 10);
    }
    if (name == "VAL") {
        need(1, 1);
        want(0, isChar);
        return Same(call("foxval", {args[0].raw}), Type::OfNumeric(20, 2));
    }
    if (name == "DTOC" || name == "DTOS") {
        need(1, name == "DTOC" ? 2 : 1);
        want(0, isDate);
        if (args.size() == 2) return charResult(call("foxdtoc", {args[0].norm, args[1].norm}), 8);
        return charResult(call(name == "DTOC" ? "foxdtoc" : "foxdtos", {args[0].norm}), 8);
    }
    if (name == "CTOD") {
        need(1, 1);
        want(0, isChar);
        return Same(call("foxctod", {args[0].raw}), Type::Of(Type::Date));
    }
    if (name == "YEAR" || name == "MONTH" || name == "DAY") {
        need(1, 1);
        want(0, isDate);
        std::string fn = name == "YEAR" ? "foxyear" : name == "MONTH" ? "foxmonth" : "foxday";
        return Same(call(fn, {args[0].norm}), integer);
    }
    if (name == "DATE") {
        if (args.empty()) return Same("foxdate()", Type::Of(Type::Date));
        need(3, 3);
        for (size_t i = 0; i < 3; ++i)
            want(i, isNumber);
        return Same(call("foxdate", {args[0].norm, args[1].norm, args[2].norm}),
                    Type::Of(Type::Date));
    }
    if (name == "IIF" || name == "NVL") {
        need(name == "IIF" ? 3 : 2, name == "IIF" ? 3 : 2);
        size_t a = name == "IIF" ? 1 : 0;
        if (name == "IIF" && args[0].type.kind != Type::Logical && args[0].type.kind != Type::Null)
            Mismatch();
        const Code& x = args[a];
        const Code& y = args[a + 1];
        if (!Comparable(x.type, y.type)) Mismatch();
        Type type = x.type.kind == Type::Null ? y.type : x.type;
        if (type.kind == Type::Char) type.width = std::max(x.type.width, y.type.width);
        if (type.kind == Type::Numeric && y.type.kind == Type::Numeric) {
            type.precision = std::max(x.type.precision, y.type.precision);
            type.scale = std::max(x.type.scale, y.type.scale);
        }
        std::string raw, norm;
        if (name == "IIF") {
            raw = "(CASE WHEN " + args[0].norm + " THEN " + x.raw + " ELSE " + y.raw + " END)";
            norm = "(CASE WHEN " + args[0].norm + " THEN " + x.norm + " ELSE " + y.norm + " END)";
        } else {
            raw = "ifnull(" + x.raw + "," + y.raw + ")";
            norm = "ifnull(" + x.norm + "," + y.norm + ")";
        }
        return Code{raw, norm, type};
    }
    if (name == "EMPTY") {
        need(1, 1);
        return Same(call("foxempty", {args[0].norm}), logical);
    }
    if (name == "INLIST" || name == "BETWEEN") {
        need(name == "INLIST" ? 2 : 3, name == "INLIST" ? 255 : 3);
        for (size_t i = 1; i < args.size(); ++i)
            if (!Comparable(args[0].type, args[i].type)) Mismatch();
        if (name == "BETWEEN")
            return Same("(" + args[0].norm + " BETWEEN " + args[1].norm + " AND " + args[2].norm +
                            ")",
                        logical);
        std::string list;
        for (size_t i = 1; i < args.size(); ++i)
            list += (i > 1 ? "," : "") + args[i].norm;
        return Same("(" + args[0].norm + " IN (" + list + "))", logical);
    }
    if (name == "ROUND") {
        need(2, 2);
        want(0, isNumber);
        want(1, isNumber);
        int digits = std::max(0, literalInt(1, args[0].type.scale));
        int precision = args[0].type.kind == Type::Numeric ? args[0].type.precision : 20;
        return Same(call("foxround", {args[0].norm, args[1].norm}),
                    Type::OfNumeric(precision, std::min(digits, 18)));
    }
    if (name == "INT") {
        need(1, 1);
        want(0, isNumber);
        return Same("CAST(" + args[0].norm + " AS INTEGER)", integer);
    }
    if (name == "ABS") {
        need(1, 1);
        want(0, isNumber);
        return Same(call("abs", {args[0].norm}), args[0].type);
    }
    throw Error(ErrorKind::Syntax, "SQL: Function " + name + "() is not supported.");
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
    } else { // AVG
        type =
            x.type.kind == Type::Double ? x.type : Type::OfNumeric(20, std::max(2, x.type.scale));
    }
    return Same(fn + "(" + distinct + x.norm + ")", type);
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

    std::vector<std::string> order;
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
        order.push_back(term + (o.descending ? " DESC" : ""));
    }
    if (top && order.empty()) {
        // The driver gave groups in key order and DISTINCT rows sorted.
        if (!groupSql.empty())
            order = groupSql;
        else if (sel.distinct)
            for (size_t i = 0; i < items.size(); ++i)
                order.push_back(std::to_string(i + 1));
    }

    SelectPlan plan;
    plan.withRecno = top && scope.tables.size() == 1 && !grouping && !distinct;
    std::string sql = distinct ? "SELECT DISTINCT " : "SELECT ";
    for (size_t i = 0; i < items.size(); ++i) {
        sql += (i ? "," : "") + items[i].code.norm + " AS r" + std::to_string(i);
        OutputColumn out = items[i].out;
        if (!plan.withRecno) {
            out.baseTable.clear();
            out.baseField = -1;
        }
        plan.columns.push_back(std::move(out));
    }
    if (plan.withRecno) {
        sql += "," + scope.tables[0].sqlAlias + ".rowid";
        plan.table = scope.tables[0].info.path;
    }
    sql += " FROM ";
    for (size_t t = 0; t < scope.tables.size(); ++t)
        sql += (t ? "," : "") + std::string("temp.\"") + scope.tables[t].info.vtab + "\" AS " +
               scope.tables[t].sqlAlias;
    if (!where.empty()) sql += " WHERE " + where;
    if (!groupSql.empty()) {
        sql += " GROUP BY ";
        for (size_t i = 0; i < groupSql.size(); ++i)
            sql += (i ? "," : "") + groupSql[i];
    }
    if (!having.empty()) sql += " HAVING " + having;
    if (!order.empty()) {
        sql += " ORDER BY ";
        for (size_t i = 0; i < order.size(); ++i)
            sql += (i ? "," : "") + order[i];
    }
    plan.sql = std::move(sql);
    return plan;
}

RowPlan Translator::Rows(const TableRef& table, const std::vector<const Expr*>& values,
                         const Expr* where) {
    Scope scope;
    AddTable(scope, table);
    RowPlan plan;
    plan.table = scope.tables[0].info;
    std::string sql = "SELECT t0.rowid";
    for (const Expr* v : values) {
        Code c = Emit(*v, scope);
        plan.valueTypes.push_back(c.type);
        sql += "," + c.norm;
    }
    sql += " FROM temp.\"" + plan.table.vtab + "\" AS t0";
    if (where) sql += " WHERE " + EmitCondition(*where, scope).norm;
    plan.sql = std::move(sql);
    return plan;
}

RowPlan Translator::Values(const std::vector<const Expr*>& values) {
    Scope scope;
    RowPlan plan;
    std::string sql = "SELECT ";
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
