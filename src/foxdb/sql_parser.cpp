#include "foxdb/sql_parser.h"

#include "foxdb/error.h"
#include "foxdb/sql_lexer.h"

namespace foxdb::sql {
namespace {

// Nesting deeper than this is refused before it can exhaust the stack.
constexpr int kMaxDepth = 200;
// Terms in one chain of the same level (a OR b OR ..., a + b + ...): hundreds are
// legitimate (a list of the operator's choices), many more would outgrow the engine.
constexpr int kMaxTerms = 900;

const char* const kReserved[] = {"SELECT",  "FROM", "WHERE", "GROUP",    "ORDER",  "HAVING",
                                 "AND",     "OR",   "NOT",   "LIKE",     "IN",     "IS",
                                 "BETWEEN", "AS",   "BY",    "DISTINCT", "VALUES", "SET",
                                 "INTO",    "JOIN", "ON",    "UNION"};
const char* const kAggregates[] = {"SUM", "COUNT", "MAX", "MIN", "AVG", "CNT"};

std::string UpperAscii(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

class Parser {
public:
    Parser(const std::string& text) : text_(text), tokens_(Tokenize(text)) {}

    Statement ParseStatement() {
        Statement st;
        const Token& first = Peek();
        if (IsWord("SELECT")) {
            st.kind = Statement::Kind::Select;
            st.select = ParseSelect();
        } else if (AcceptWord("UPDATE")) {
            st.kind = Statement::Kind::Update;
            st.table = ParseTableRef(false);
            ExpectWord("SET");
            do {
                Assignment a;
                a.pos = Peek().pos;
                a.field = ExpectIdentifier();
                if (AcceptSymbol(".")) a.field = ExpectIdentifier(); // t.field
                ExpectSymbol("=");
                a.value = ParseExpr();
                st.sets.push_back(std::move(a));
            } while (AcceptSymbol(","));
            if (AcceptWord("WHERE")) st.where = ParseExpr();
        } else if (AcceptWord("DELETE")) {
            st.kind = Statement::Kind::Delete;
            ExpectWord("FROM");
            st.table = ParseTableRef(false);
            if (AcceptWord("WHERE")) st.where = ParseExpr();
        } else if (AcceptWord("INSERT")) {
            st.kind = Statement::Kind::Insert;
            ExpectWord("INTO");
            st.table = ParseTableRef(false);
            if (AcceptSymbol("(")) {
                do {
                    st.fieldPos.push_back(Peek().pos);
                    st.fields.push_back(ExpectIdentifier());
                } while (AcceptSymbol(","));
                ExpectSymbol(")");
            }
            ExpectWord("VALUES");
            ExpectSymbol("(");
            do {
                st.values.push_back(ParseExpr());
            } while (AcceptSymbol(","));
            ExpectSymbol(")");
        } else if (AcceptWord("CREATE")) {
            st.kind = Statement::Kind::CreateTable;
            ExpectWord("TABLE");
            st.table = ParseTableRef(false);
            AcceptWord("FREE");
            if (!IsSymbol("(")) Fail();
            size_t open = Peek().pos;
            int depth = 0;
            do {
                if (Peek().kind == Token::End) Fail();
                if (IsSymbol("(")) ++depth;
                if (IsSymbol(")")) --depth;
                ++at_;
            } while (depth > 0);
            st.definition = text_.substr(open, tokens_[at_ - 1].pos + 1 - open);
        } else if (AcceptWord("DROP")) {
            st.kind = Statement::Kind::DropTable;
            ExpectWord("TABLE");
            st.table = ParseTableRef(false);
        } else {
            Fail(first);
        }
        if (Peek().kind != Token::End) Fail();
        return st;
    }

private:
    const Token& Peek(size_t ahead = 0) const {
        size_t i = std::min(at_ + ahead, tokens_.size() - 1);
        return tokens_[i];
    }
    bool IsWord(const char* word, size_t ahead = 0) const {
        const Token& t = Peek(ahead);
        return t.kind == Token::Identifier && EqualsNoCase(t.text, word);
    }
    bool IsSymbol(const char* symbol, size_t ahead = 0) const {
        const Token& t = Peek(ahead);
        return t.kind == Token::Symbol && t.text == symbol;
    }
    bool AcceptWord(const char* word) {
        if (!IsWord(word)) return false;
        ++at_;
        return true;
    }
    bool AcceptSymbol(const char* symbol) {
        if (!IsSymbol(symbol)) return false;
        ++at_;
        return true;
    }
    void ExpectWord(const char* word) {
        if (!AcceptWord(word)) Fail();
    }
    void ExpectSymbol(const char* symbol) {
        if (!AcceptSymbol(symbol)) Fail();
    }
    std::string ExpectIdentifier() {
        const Token& t = Peek();
        if (t.kind != Token::Identifier || IsReservedWord(t.text)) Fail();
        ++at_;
        return t.text;
    }
    [[noreturn]] void Fail() { Fail(Peek()); }
    [[noreturn]] void Fail(const Token& t) {
        if (t.kind == Token::End) ThrowSyntax(t.pos, "end of statement");
        size_t end = t.pos;
        // Show the token as written (string tokens hold GBK, so take the source).
        const Token& next = tokens_[std::min(IndexOf(t) + 1, tokens_.size() - 1)];
        end = next.pos;
        std::string shown = text_.substr(t.pos, end - t.pos);
        while (!shown.empty() && (shown.back() == ' ' || shown.back() == '\t'))
            shown.pop_back();
        if (shown.size() > 40) {
            size_t cut = 40;
            while (cut < shown.size() && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80)
                ++cut;
            shown = shown.substr(0, cut);
        }
        ThrowSyntax(t.pos, shown);
    }
    size_t IndexOf(const Token& t) const { return static_cast<size_t>(&t - tokens_.data()); }

    static void CountTerm(int& terms) {
        if (++terms > kMaxTerms)
            throw Error(ErrorKind::Syntax, "Statement too complex: more than " +
                                               std::to_string(kMaxTerms) +
                                               " terms in one expression.");
    }

    struct DepthGuard {
        DepthGuard(Parser& p) : p_(p) {
            if (++p_.depth_ > kMaxDepth)
                throw Error(ErrorKind::Syntax, "Statement nested too deeply.");
        }
        ~DepthGuard() { --p_.depth_; }
        Parser& p_;
    };

    TableRef ParseTableRef(bool allowAlias) {
        TableRef ref;
        ref.pos = Peek().pos;
        const Token& t = Peek();
        if (t.kind == Token::String) {
            size_t close = text_.find(text_[t.pos], t.pos + 1);
            ref.name = text_.substr(t.pos + 1, close - t.pos - 1);
            ++at_;
        } else {
            ref.name = ExpectIdentifier();
        }
        if (!allowAlias) return ref;
        if (AcceptWord("AS")) {
            ref.alias = ExpectIdentifier();
        } else if (Peek().kind == Token::Identifier && !IsReservedWord(Peek().text)) {
            ref.alias = ExpectIdentifier();
        }
        return ref;
    }

    std::unique_ptr<Select> ParseSelect() {
        DepthGuard guard(*this);
        auto sel = std::make_unique<Select>();
        ExpectWord("SELECT");
        if (AcceptWord("DISTINCT"))
            sel->distinct = true;
        else
            AcceptWord("ALL");
        do {
            SelectItem item;
            item.pos = Peek().pos;
            if (AcceptSymbol("*")) {
            } else if (Peek().kind == Token::Identifier && IsSymbol(".", 1) && IsSymbol("*", 2)) {
                item.starTable = ExpectIdentifier();
                at_ += 2;
            } else {
                item.expr = ParseExpr();
                if (AcceptWord("AS")) {
                    item.alias = ExpectIdentifier();
                } else if (Peek().kind == Token::Identifier && !IsReservedWord(Peek().text)) {
                    item.alias = ExpectIdentifier();
                }
            }
            sel->items.push_back(std::move(item));
        } while (AcceptSymbol(","));
        ExpectWord("FROM");
        do {
            sel->from.push_back(ParseTableRef(true));
        } while (AcceptSymbol(","));
        // The program sends WHERE after GROUP BY or ORDER BY too: any order, each once.
        for (;;) {
            const Token& t = Peek();
            if (AcceptWord("WHERE")) {
                if (sel->where) Fail(t);
                sel->where = ParseExpr();
            } else if (IsWord("GROUP") && IsWord("BY", 1)) {
                if (!sel->groupBy.empty()) Fail(t);
                at_ += 2;
                do {
                    sel->groupBy.push_back(ParseExpr());
                } while (AcceptSymbol(","));
            } else if (AcceptWord("HAVING")) {
                if (sel->having) Fail(t);
                sel->having = ParseExpr();
            } else if (IsWord("ORDER") && IsWord("BY", 1)) {
                if (!sel->orderBy.empty()) Fail(t);
                at_ += 2;
                do {
                    OrderItem item;
                    item.expr = ParseExpr();
                    if (AcceptWord("DESC"))
                        item.descending = true;
                    else
                        AcceptWord("ASC");
                    sel->orderBy.push_back(std::move(item));
                } while (AcceptSymbol(","));
            } else {
                break;
            }
        }
        return sel;
    }

    ExprPtr Make(Expr::Kind kind, size_t pos, std::string op = {}) {
        auto e = std::make_unique<Expr>();
        e->kind = kind;
        e->pos = pos;
        e->op = std::move(op);
        return e;
    }

    ExprPtr ParseExpr() {
        DepthGuard guard(*this);
        ExprPtr left = ParseAnd();
        int terms = 1;
        while (IsWord("OR")) {
            CountTerm(terms);
            size_t pos = Peek().pos;
            ++at_;
            auto e = Make(Expr::Kind::Binary, pos, "OR");
            e->args.push_back(std::move(left));
            e->args.push_back(ParseAnd());
            left = std::move(e);
        }
        return left;
    }

    ExprPtr ParseAnd() {
        ExprPtr left = ParseNot();
        int terms = 1;
        while (IsWord("AND")) {
            CountTerm(terms);
            size_t pos = Peek().pos;
            ++at_;
            auto e = Make(Expr::Kind::Binary, pos, "AND");
            e->args.push_back(std::move(left));
            e->args.push_back(ParseNot());
            left = std::move(e);
        }
        return left;
    }

    ExprPtr ParseNot() {
        DepthGuard guard(*this);
        if (IsWord("NOT") || IsSymbol("!")) {
            size_t pos = Peek().pos;
            ++at_;
            auto e = Make(Expr::Kind::Unary, pos, "NOT");
            e->args.push_back(ParseNot());
            return e;
        }
        return ParseComparison();
    }

    ExprPtr ParseComparison() {
        ExprPtr left = ParseAdditive();
        const Token& t = Peek();
        static const char* const kOps[] = {"=", "==", "!=", "#", "<>", "<", "<=", ">", ">=", "$"};
        if (t.kind == Token::Symbol) {
            for (const char* op : kOps) {
                if (t.text != op) continue;
                ++at_;
                std::string norm = op;
                if (norm == "#" || norm == "<>") norm = "!=";
                if (norm == "==") norm = "=";
                auto e = Make(Expr::Kind::Binary, t.pos, norm);
                e->args.push_back(std::move(left));
                e->args.push_back(ParseAdditive());
                return e;
            }
            return left;
        }
        bool negated = false;
        if (IsWord("NOT") && (IsWord("LIKE", 1) || IsWord("IN", 1) || IsWord("BETWEEN", 1))) {
            negated = true;
            ++at_;
        }
        if (AcceptWord("LIKE")) {
            auto e = Make(Expr::Kind::Like, t.pos);
            e->negated = negated;
            e->args.push_back(std::move(left));
            e->args.push_back(ParseAdditive());
            return e;
        }
        if (AcceptWord("BETWEEN")) {
            auto e = Make(Expr::Kind::Between, t.pos);
            e->negated = negated;
            e->args.push_back(std::move(left));
            e->args.push_back(ParseAdditive());
            ExpectWord("AND");
            e->args.push_back(ParseAdditive());
            return e;
        }
        if (AcceptWord("IN")) {
            ExpectSymbol("(");
            ExprPtr e;
            if (IsWord("SELECT")) {
                e = Make(Expr::Kind::InSelect, t.pos);
                e->args.push_back(std::move(left));
                e->subquery = ParseSelect();
            } else {
                e = Make(Expr::Kind::InList, t.pos);
                e->args.push_back(std::move(left));
                do {
                    e->args.push_back(ParseExpr());
                } while (AcceptSymbol(","));
            }
            ExpectSymbol(")");
            e->negated = negated;
            return e;
        }
        if (negated) Fail();
        if (AcceptWord("IS")) {
            auto e = Make(Expr::Kind::IsNull, t.pos);
            e->negated = AcceptWord("NOT");
            if (!AcceptWord("NULL") && Peek().kind != Token::NullLit) Fail();
            if (Peek().kind == Token::NullLit) ++at_;
            e->args.push_back(std::move(left));
            return e;
        }
        return left;
    }

    ExprPtr ParseAdditive() {
        ExprPtr left = ParseMultiplicative();
        int terms = 1;
        while (IsSymbol("+") || IsSymbol("-")) {
            CountTerm(terms);
            const Token& t = Peek();
            ++at_;
            auto e = Make(Expr::Kind::Binary, t.pos, t.text);
            e->args.push_back(std::move(left));
            e->args.push_back(ParseMultiplicative());
            left = std::move(e);
        }
        return left;
    }

    ExprPtr ParseMultiplicative() {
        ExprPtr left = ParseUnary();
        int terms = 1;
        while (IsSymbol("*") || IsSymbol("/") || IsSymbol("%")) {
            CountTerm(terms);
            const Token& t = Peek();
            ++at_;
            auto e = Make(Expr::Kind::Binary, t.pos, t.text);
            e->args.push_back(std::move(left));
            e->args.push_back(ParseUnary());
            left = std::move(e);
        }
        return left;
    }

    ExprPtr ParseUnary() {
        DepthGuard guard(*this);
        if (IsSymbol("-") || IsSymbol("+")) {
            const Token& t = Peek();
            ++at_;
            ExprPtr operand = ParseUnary();
            if (t.text == "+") return operand;
            auto e = Make(Expr::Kind::Unary, t.pos, "-");
            e->args.push_back(std::move(operand));
            return e;
        }
        return ParsePrimary();
    }

    ExprPtr ParsePrimary() {
        const Token& t = Peek();
        switch (t.kind) {
        case Token::Number: {
            ++at_;
            auto e = Make(Expr::Kind::Literal, t.pos);
            e->literal = t.value;
            size_t dot = t.text.find('.');
            if (dot == std::string::npos && std::holds_alternative<int64_t>(t.value)) {
                e->literalType = Type::Of(Type::Integer);
            } else {
                int scale =
                    dot == std::string::npos ? 0 : static_cast<int>(t.text.size() - dot - 1);
                int digits = static_cast<int>(t.text.size()) - (dot == std::string::npos ? 0 : 1);
                e->literalType = Type::OfNumeric(std::min(20, std::max(digits, 1)), scale);
            }
            return e;
        }
        case Token::String: {
            ++at_;
            auto e = Make(Expr::Kind::Literal, t.pos);
            e->literal = t.text;
            e->literalType = Type::OfChar(static_cast<int>(t.text.size()));
            return e;
        }
        case Token::DateLit: {
            ++at_;
            auto e = Make(Expr::Kind::Literal, t.pos);
            e->literal = t.value;
            e->literalType = Type::Of(Type::Date);
            return e;
        }
        case Token::Logical: {
            ++at_;
            auto e = Make(Expr::Kind::Literal, t.pos);
            e->literal = t.value;
            e->literalType = Type::Of(Type::Logical);
            return e;
        }
        case Token::NullLit: {
            ++at_;
            return Make(Expr::Kind::Literal, t.pos);
        }
        case Token::Symbol:
            if (t.text == "(") {
                ++at_;
                ExprPtr inner = ParseExpr();
                ExpectSymbol(")");
                return inner;
            }
            Fail();
        case Token::Identifier:
            break;
        case Token::End:
            Fail();
        }
        if (EqualsNoCase(t.text, "NULL")) {
            ++at_;
            return Make(Expr::Kind::Literal, t.pos);
        }
        // BETWEEN is also a function: BETWEEN(x, lo, hi).
        if (IsReservedWord(t.text) && !(EqualsNoCase(t.text, "BETWEEN") && IsSymbol("(", 1)))
            Fail();
        ++at_;
        if (AcceptSymbol("(")) return ParseCall(t);
        auto e = Make(Expr::Kind::Column, t.pos);
        e->name = t.text;
        if (IsSymbol(".") && Peek(1).kind == Token::Identifier) {
            ++at_;
            e->qualifier = e->name;
            e->name = ExpectIdentifier();
        }
        return e;
    }

    ExprPtr ParseCall(const Token& nameToken) {
        std::string name = UpperAscii(nameToken.text);
        bool aggregate = false;
        for (const char* a : kAggregates)
            if (name == a) aggregate = true;
        if (aggregate) {
            auto e = Make(Expr::Kind::Aggregate, nameToken.pos, name == "CNT" ? "COUNT" : name);
            if (AcceptSymbol("*")) {
                if (e->op != "COUNT") Fail(tokens_[at_ - 1]);
            } else if (!(e->op == "COUNT" && IsSymbol(")"))) {
                e->distinct = AcceptWord("DISTINCT");
                e->args.push_back(ParseExpr());
            }
            ExpectSymbol(")");
            return e;
        }
        auto e = Make(Expr::Kind::Call, nameToken.pos, name);
        if (!AcceptSymbol(")")) {
            do {
                e->args.push_back(ParseExpr());
            } while (AcceptSymbol(","));
            ExpectSymbol(")");
        }
        return e;
    }

    const std::string& text_;
    std::vector<Token> tokens_;
    size_t at_ = 0;
    int depth_ = 0;
};

} // namespace

bool IsReservedWord(const std::string& word) {
    for (const char* r : kReserved)
        if (EqualsNoCase(word, r)) return true;
    return false;
}

Statement Parse(const std::string& statement) {
    Parser parser(statement);
    return parser.ParseStatement();
}

} // namespace foxdb::sql
